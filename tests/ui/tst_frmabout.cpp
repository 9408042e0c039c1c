#include "buildinfo.h"
#include "frmabout.h"
#include "memoryregistry.h"
#include "modalcatcher.h"
#include "recordingstarter.h"

#include <QFrame>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFrmAbout final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void buttonsAndKeys_data()
    {
        QTest::addColumn<QString>("keys"); // empty: a click on OK
        QTest::addColumn<bool>("registered"); // the tool "/t" in the first registry place
        QTest::addColumn<QStringList>("outcome"); // programs started, messages, the window
        const QString unavailable = ModalCatcher::entry(QMessageBox::NoIcon, QMessageBox::Ok,
            u"Purlex"_s, u"System Information Is Unavailable At This Time"_s);
        // clang-format off
        QTest::newRow("OK") << QString() << true << QStringList{u"closed"_s};
        QTest::newRow("Enter") << u"Return"_s << true << QStringList{u"closed"_s};
        QTest::newRow("Esc") << u"Esc"_s << true << QStringList{u"closed"_s};
        QTest::newRow("Alt+S starts the tool") << u"Alt+S"_s << true << QStringList{u"/t"_s, u"open"_s};
        QTest::newRow("Alt+S, no tool") << u"Alt+S"_s << false << QStringList{unavailable, u"open"_s};
        // clang-format on
    }

    void buttonsAndKeys()
    {
        QFETCH(QString, keys);
        QFETCH(bool, registered);
        QFETCH(QStringList, outcome);
        auto registry = std::make_unique<MemoryRegistry>();
        registry->keys[u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s][u"PATH"_s]
            = {Registry::TextType, registered ? QByteArray("/t", 3) : QByteArray()};
        auto starter = std::make_unique<RecordingStarter>();
        starter->installed = {u"/t"_s};
        const RecordingStarter *started = starter.get();
        frmAbout dialog(std::move(registry), std::move(starter));
        const auto text
            = [&](const QString &name) { return dialog.findChild<QLabel *>(name)->text(); };
        QCOMPARE(dialog.windowTitle(), u"About Purlex"_s);
        QCOMPARE(text(u"lblTitle"_s), u"Purlex"_s);
        QCOMPARE(text(u"lblVersion"_s), u"Version "_s + QLatin1StringView(PURLEX_TEST_VERSION));
        QCOMPARE(text(u"lblDescription"_s),
            BuildInfo::FileDescription + u"\r\n\r\n"_s + BuildInfo::Comments);
        QCOMPARE(text(u"lblDisclaimer"_s),
            BuildInfo::CompanyName + u"\r\n"_s + BuildInfo::LegalCopyright);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        ModalCatcher catcher;
        if (keys.isEmpty())
            QTest::mouseClick(dialog.findChild<QWidget *>(u"cmdOK"_s), Qt::LeftButton);
        else
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
        // An access key shows its button pressed for a moment before it acts.
        QTRY_COMPARE(
            started->attempts + catcher.shown << (dialog.isVisible() ? u"open"_s : u"closed"_s),
            outcome);
    }

    void followsADarkPalette()
    {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Mid, QColor(0x10, 0x10, 0x10));
        dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
        frmAbout dialog(std::make_unique<MemoryRegistry>(), std::make_unique<RecordingStarter>());
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
