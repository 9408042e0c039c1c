#include "filelist.h"
#include "folderlist.h"
#include "validationgate.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A window with a guarded box that refuses to be left while it holds "no",
// and a drop-down that a turn of the wheel changes.
struct GateWindow
{
    QWidget form;
    QLineEdit *box = new QLineEdit(u"no"_s, &form);
    QComboBox *choice = new QComboBox(&form);
    ValidationGate *gate = new ValidationGate(&form);
    int validations = 0;

    GateWindow()
    {
        auto *layout = new QVBoxLayout(&form);
        layout->addWidget(box);
        layout->addWidget(choice);
        choice->addItems({u"one"_s, u"two"_s});
        gate->guard(box, [this](bool &cancel) {
            ++validations;
            cancel = box->text() == u"no"_s;
        });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        box->setFocus();
    }
};

} // namespace

class tst_Controls final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void showsTheFolderFilesInTheUsersOrder_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
        // C has no collation of its own; the order is still the one below.
        QTest::newRow("C") << QLocale::c();
    }

    void showsTheFolderFilesInTheUsersOrder()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + '/';
        const auto make = [&](const QByteArray &name) {
            const int fd = ::open(folder + name, O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY2(fd >= 0, name.constData());
            ::close(fd);
        };
        // QTemporaryDir cannot see a name that is not UTF-8, let alone remove it.
        const auto removeOddName = qScopeGuard([&] { ::unlink(folder + "bad\xff.txt"); });
        // clang-format off
        for (const char *name : {"b10.txt", "B2.txt", "a1.txt", ".hidden", "bad\xff.txt", "\xc3\xa9t\xc3\xa9.txt", "ZZ.txt"})
            make(name);
        // clang-format on
        for (const char *name : {"b10", "B2", "a1"})
            QVERIFY(::mkdir(folder + name, 0755) == 0);
        QVERIFY(::symlink("a1.txt", folder + "link.txt") == 0);
        QVERIFY(::symlink("missing", folder + "broken.txt") == 0);
        QVERIFY(::mkfifo(folder + "fifo", 0644) == 0);

        FileList list;
        list.setPath(dir.path());
        // Without regard to case, numbers as numbers, accents as the locale
        // orders them; a name that is not UTF-8 shows its odd bytes escaped.
        QCOMPARE(list.fileNames(),
            (QStringList{u"a1.txt"_s, u"B2.txt"_s, u"b10.txt"_s, u"bad\\xFF.txt"_s,
                u"\u00e9t\u00e9.txt"_s, u"link.txt"_s, u"ZZ.txt"_s}));

        make("A1.txt"); // the same name but for case: a fixed order all the same
        list.refresh();
        QCOMPARE(list.fileNames().mid(0, 2), (QStringList{u"A1.txt"_s, u"a1.txt"_s}));

        // The folder list beside it sorts its folders the same way.
        FolderList folders;
        QVERIFY(folders.setPath(dir.path()).ok());
        const QModelIndex current = folders.currentIndex();
        QStringList shown;
        for (int row = 0; row < folders.model()->rowCount(current); ++row)
            shown.append(folders.model()->index(row, 0, current).data().toString());
        QCOMPARE(shown, (QStringList{u"a1"_s, u"B2"_s, u"b10"_s}));
    }

    void folderThatCannotBeReadIsReported()
    {
        QTemporaryDir dir;
        const QString gone = dir.filePath(u"gone"_s);
        QVERIFY(QDir().mkdir(gone) && QFile(gone + u"/a.txt"_s).open(QIODevice::WriteOnly));
        FileList list;
        list.setPath(gone);
        QVERIFY(QDir(gone).removeRecursively());
        list.refresh();
        QCOMPARE(list.fileNames(), QStringList());
        const QString reason = u"Cannot open folder '%1': No such file or directory"_s.arg(gone);
        QCOMPARE(list.readFailure(), reason);
        FolderList folders;
        QVERIFY(folders.setPath(dir.path()).ok());
        QCOMPARE(folders.setPath(gone).failure().description, reason);
        QCOMPARE(folders.path(), dir.path());
    }

    void gateWheelOverAnotherControl()
    {
        GateWindow w;
        const QPointF inside = QRectF(w.choice->rect()).center();
        const auto turnWheel = [&] {
            QWheelEvent wheel(inside, w.choice->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(w.choice, &wheel);
            return QList<int>{w.validations, w.choice->currentIndex()};
        };
        QCOMPARE(turnWheel(), (QList<int>{1, 0})); // refused: the drop-down stays
        w.box->setText(u"yes"_s);
        QCOMPARE(turnWheel(), (QList<int>{2, 1}));
    }

    void gateFocusMovedByCodeIsValidatedAfterwards()
    {
        GateWindow w;
        w.choice->setFocus();
        QCOMPARE(w.validations, 0); // not inside the focus change itself
        QTRY_COMPARE(w.validations, 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.box));
        w.box->setText(u"yes"_s);
        w.choice->setFocus();
        QTRY_COMPARE(w.validations, 2);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.choice));
        QCoreApplication::processEvents(); // nothing more to validate once the box was left
        QCOMPARE(w.validations, 2);
    }
};

QTEST_MAIN(tst_Controls)
#include "tst_controls.moc"
