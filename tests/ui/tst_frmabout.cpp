#include "buildinfo.h"
#include "frmabout.h"
#include "modalcatcher.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFrmAbout final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void buttonsAndKeys_data()
    {
        // A click on OK is left out: Enter and Esc both click it.
        QTest::addColumn<QString>("keys");
        // On the search path; a name ending in "!" cannot be run.
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QStringList>("outcome"); // tools that ran, messages, the window
        const QString unavailable = ModalCatcher::entry(QMessageBox::NoIcon, QMessageBox::Ok,
            u"Purlex"_s, u"System Information Is Unavailable At This Time"_s);
        // clang-format off
        QTest::newRow("Enter") << u"Return"_s << QStringList() << QStringList{u"closed"_s};
        QTest::newRow("Esc") << u"Esc"_s << QStringList() << QStringList{u"closed"_s};
        QTest::newRow("Alt+S starts the preferred tool") << u"Alt+S"_s << QStringList{u"hardinfo"_s, u"kinfocenter"_s} << QStringList{u"kinfocenter"_s, u"open"_s};
        QTest::newRow("Alt+S, no tool") << u"Alt+S"_s << QStringList() << QStringList{unavailable, u"open"_s};
        QTest::newRow("Alt+S, a tool that cannot run") << u"Alt+S"_s << QStringList{u"hardinfo!"_s} << QStringList{unavailable, u"open"_s};
        // clang-format on
    }

    void buttonsAndKeys()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, tools);
        QFETCH(QStringList, outcome);
        // The tool is run directly: a folder name that a shell would split
        // and expand does not stop it.
        QTemporaryDir bin(QDir::tempPath() + u"/system info $HOME-XXXXXX"_s);
        for (QString tool : std::as_const(tools)) {
            const bool runs = !tool.endsWith(u'!');
            tool.remove(u'!');
            QFile file(bin.filePath(tool));
            QVERIFY(file.open(QIODevice::WriteOnly)
                && file.write(runs ? "#!/bin/sh\necho >\"$0.ran\"\n" : "#!/nonexistent/sh\n"));
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        }
        qputenv("PATH", QFile::encodeName(bin.path()));
        frmAbout dialog;
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        ModalCatcher catcher;
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
        const auto ran = [&] {
            return QDir(bin.path()).entryList({u"*.ran"_s}).replaceInStrings(u".ran"_s, QString());
        };
        // An access key shows its button pressed for a moment before it acts.
        QTRY_COMPARE(
            ran() + catcher.shown << (dialog.isVisible() ? u"open"_s : u"closed"_s), outcome);
    }

    void textsAndColours()
    {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Mid, QColor(0x10, 0x10, 0x10));
        dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
        frmAbout dialog;
        QStringList texts{dialog.windowTitle()};
        for (const char *name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
            texts.append(dialog.findChild<QLabel *>(QLatin1StringView(name))->text());
        QCOMPARE(texts,
            (QStringList{u"About Purlex"_s, u"Purlex"_s,
                u"Version "_s + QLatin1StringView(PURLEX_TEST_VERSION),
                BuildInfo::FileDescription + u"\r\n\r\n"_s + BuildInfo::Comments,
                BuildInfo::CompanyName + u"\r\n"_s + BuildInfo::LegalCopyright}));
        // The texts and the etched lines follow a dark palette.
        dialog.setPalette(dark);
        const QImage shot = dialog.grab().toImage();
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            QCOMPARE(
                label->palette().color(label->foregroundRole()), dark.color(QPalette::WindowText));
        const auto colourOf = [&](const QString &line) {
            const QFrame *frame = dialog.findChild<QFrame *>(line);
            const QPoint middle = frame->geometry().center() * shot.devicePixelRatio();
            return shot.pixelColor(middle);
        };
        QCOMPARE(colourOf(u"Line1_1"_s), dark.color(QPalette::Mid));
        QCOMPARE(colourOf(u"Line1_0"_s), dark.color(QPalette::Light));
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
