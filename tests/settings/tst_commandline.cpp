#include "commandline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Outcome = CommandLine::Outcome;

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkdir(u"Music"_s));
        QFile file(m_dir.filePath(u"song.mp3"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCoreApplication::setApplicationVersion(u"0.9.0"_s);
    }

    void parse_data()
    {
        // "<dir>" in an argument or in the expected folder stands for a fresh
        // temporary folder that holds the folder "Music" and the file "song.mp3".
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("textHas");
        // clang-format off
        QTest::newRow("nothing: the saved default") << QStringList{u"/usr/bin/Purlex"_s} << Outcome::OpenWindow << QString() << QStringList();
        QTest::newRow("a folder, cleaned") << QStringList{u"Purlex"_s, u"<dir>/Music/../Music/"_s} << Outcome::OpenWindow << u"<dir>/Music"_s << QStringList();
        QTest::newRow("--help") << QStringList{u"/usr/bin/Purlex"_s, u"--help"_s} << Outcome::Print << QString() << QStringList{u"[options] [folder]"_s, u"--version"_s};
        QTest::newRow("--version wins over a folder") << QStringList{u"/usr/bin/Purlex"_s, u"<dir>/nowhere"_s, u"--version"_s} << Outcome::Print << QString() << QStringList{u"Purlex 0.9.0\n"_s};
        QTest::newRow("unknown option") << QStringList{u"Purlex"_s, u"--frobnicate"_s, u"<dir>"_s} << Outcome::Fail << QString() << QStringList{u"Purlex: Unknown option 'frobnicate'."_s, u"Try 'Purlex --help'"_s};
        QTest::newRow("folder that does not exist") << QStringList{u"Purlex"_s, u"<dir>/nowhere"_s} << Outcome::Fail << QString() << QStringList{u"'<dir>/nowhere' does not exist."_s};
        QTest::newRow("a file") << QStringList{u"Purlex"_s, u"<dir>/song.mp3"_s} << Outcome::Fail << QString() << QStringList{u"'<dir>/song.mp3' is not a folder."_s};
        QTest::newRow("two folders") << QStringList{u"Purlex"_s, u"<dir>"_s, u"<dir>/Music"_s} << Outcome::Fail << QString() << QStringList{u"Only one folder"_s};
        // clang-format on
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Outcome, outcome);
        QFETCH(QString, folder);
        QFETCH(QStringList, textHas);
        const QString dir = m_dir.path();
        arguments.replaceInStrings(u"<dir>"_s, dir);

        const CommandLine line = CommandLine::parse(arguments);
        QCOMPARE(line.outcome, outcome);
        QCOMPARE(line.folder, folder.replace(u"<dir>"_s, dir));
        QCOMPARE(line.text.isEmpty(), textHas.isEmpty());
        for (QString part : textHas)
            QVERIFY2(line.text.contains(part.replace(u"<dir>"_s, dir)), qPrintable(line.text));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
