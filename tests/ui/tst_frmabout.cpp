#include "buildinfo.h"
#include "frmabout.h"
#include "memoryregistry.h"
#include "recordingstarter.h"
#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

struct Window
{
    std::unique_ptr<frmAbout> dialog;
    MemoryRegistry *registry = nullptr;
    RecordingStarter *starter = nullptr;
};

// An About window over an empty registry, shown and active as after Help, About.
Window openWindow()
{
    auto registry = std::make_unique<MemoryRegistry>();
    auto starter = std::make_unique<RecordingStarter>();
    Window window{nullptr, registry.get(), starter.get()};
    window.dialog = std::make_unique<frmAbout>(std::move(registry), std::move(starter));
    window.dialog->open();
    QApplication::setActiveWindow(window.dialog.get());
    return window;
}

template <typename T> T *control(const QWidget &dialog, const QString &name)
{
    return dialog.findChild<T *>(name, Qt::FindDirectChildrenOnly);
}

} // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void loadsTextsInPlace();
    void textsFitTheirControls();
    void closes_data();
    void closes();
    void accessKeyStartsTool();
    void unavailableToolIsReported();
    void secondWindowIsNew();
};

void TestFrmAbout::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestFrmAbout::loadsTextsInPlace()
{
    const Window window = openWindow();
    const frmAbout &dialog = *window.dialog;
    QVERIFY(QTest::qWaitForWindowActive(window.dialog.get()));

    QCOMPARE(dialog.windowTitle(), u"About Purlex"_s);
    QCOMPARE(control<QLabel>(dialog, u"lblTitle"_s)->text(), u"Purlex"_s);
    QCOMPARE(control<QLabel>(dialog, u"lblVersion"_s)->text(),
        u"Version "_s + QLatin1StringView(PURLEX_TEST_VERSION));
    QVERIFY(!BuildInfo::FileDescription.isEmpty() && !BuildInfo::CompanyName.isEmpty());
    QCOMPARE(control<QLabel>(dialog, u"lblDescription"_s)->text(),
        BuildInfo::FileDescription + u"\r\n\r\n"_s + BuildInfo::Comments);
    QCOMPARE(control<QLabel>(dialog, u"lblDisclaimer"_s)->text(),
        BuildInfo::CompanyName + u"\r\n"_s + BuildInfo::LegalCopyright);
    // Where it was put, not centred by the window system.
    QCOMPARE(dialog.geometry(), Twips::toPixels(2340, 1935, 5730, 3555, &dialog));
}

void TestFrmAbout::textsFitTheirControls()
{
    const Window window = openWindow();
    for (const QLabel *label : window.dialog->findChildren<QLabel *>()) {
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect room = label->contentsRect();
        QVERIFY2(room.contains(label->fontMetrics().boundingRect(room, flags, label->text())),
            qPrintable(label->objectName()));
    }
    for (const QPushButton *button : window.dialog->findChildren<QPushButton *>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect room
            = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QString shown = QString(button->text()).remove(u'&');
        QVERIFY2(button->fontMetrics().horizontalAdvance(shown) <= room.width()
                && button->fontMetrics().height() <= room.height(),
            qPrintable(button->objectName()));
    }
}

void TestFrmAbout::closes_data()
{
    QTest::addColumn<int>("key"); // 0: a mouse click on OK

    QTest::newRow("OK clicked") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestFrmAbout::closes()
{
    QFETCH(int, key);
    const Window window = openWindow();
    auto *cmdOK = control<QPushButton>(*window.dialog, u"cmdOK"_s);
    QSignalSpy pressed(cmdOK, &QPushButton::clicked);
    QVERIFY(QTest::qWaitForWindowActive(window.dialog.get()));

    if (key == 0)
        QTest::mouseClick(cmdOK, Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));

    QCOMPARE(pressed.size(), 1);
    QVERIFY(!window.dialog->isVisible());
    QCOMPARE(window.starter->attempts(), QStringList{});
}

void TestFrmAbout::accessKeyStartsTool()
{
    const Window window = openWindow();
    window.registry->setText(u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s, u"PATH"_s, u"/t"_s);
    window.starter->install(u"/t"_s);
    QVERIFY(QTest::qWaitForWindowActive(window.dialog.get()));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);

    // An access key shows its button pressed for a moment before it acts.
    QTRY_COMPARE(window.starter->attempts(), QStringList{u"/t"_s});
    QVERIFY(window.dialog->isVisible());
}

void TestFrmAbout::unavailableToolIsReported()
{
    const Window window = openWindow();
    QString shown;
    QTimer::singleShot(0, window.dialog.get(), [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = QStringList{box->windowTitle(), box->text(), QString::number(box->icon()),
                QString::number(box->standardButtons().toInt())}
                        .join(u'|');
            box->done(QMessageBox::Ok);
        }
    });
    control<QPushButton>(*window.dialog, u"cmdSysInfo"_s)->click();

    // Title, text, no icon, OK alone.
    QCOMPARE(shown,
        u"Purlex|System Information Is Unavailable At This Time|%1|%2"_s.arg(
            QString::number(QMessageBox::NoIcon), QString::number(QMessageBox::Ok)));
    QVERIFY(window.dialog->isVisible());
}

void TestFrmAbout::secondWindowIsNew()
{
    {
        const Window first = openWindow();
        control<QLabel>(*first.dialog, u"lblTitle"_s)->setText(u"changed"_s);
        control<QPushButton>(*first.dialog, u"cmdSysInfo"_s)->setFocus();
        control<QPushButton>(*first.dialog, u"cmdOK"_s)->click();
    }
    const Window second = openWindow();
    QVERIFY(QTest::qWaitForWindowActive(second.dialog.get()));
    QCOMPARE(control<QLabel>(*second.dialog, u"lblTitle"_s)->text(), u"Purlex"_s);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(*second.dialog, u"cmdOK"_s));
}

QTEST_MAIN(TestFrmAbout)

#include "tst_frmabout.moc"
