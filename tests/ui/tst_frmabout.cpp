#include "buildinfo.h"
#include "frmabout.h"
#include "memoryregistry.h"
#include "recordingstarter.h"
#include "twips.h"

#include <QApplication>
#include <QFrame>
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

const QString ToolPathKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString RegisteredTool = u"/opt/sysinfo/tool"_s;

struct Window
{
    std::unique_ptr<frmAbout> dialog;
    MemoryRegistry *registry = nullptr;
    RecordingStarter *starter = nullptr;
};

Window makeWindow()
{
    auto registry = std::make_unique<MemoryRegistry>();
    auto starter = std::make_unique<RecordingStarter>();
    Window window{nullptr, registry.get(), starter.get()};
    window.dialog = std::make_unique<frmAbout>(std::move(registry), std::move(starter));
    return window;
}

template <typename T> T *control(const QWidget &dialog, const QString &name)
{
    return dialog.findChild<T *>(name, Qt::FindDirectChildrenOnly);
}

QRect fromTwips(const QWidget &widget, int left, int top, int width, int height)
{
    return Twips::toPixels(left, top, width, height, &widget);
}

bool showActive(frmAbout &dialog)
{
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
}

} // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textsAfterLoad();
    void placement_data();
    void placement();
    void fixedFrame();
    void textsFitTheirControls();
    void closes_data();
    void closes();
    void focusOrder();
    void accessKeyStartsTool();
    void unavailableToolIsReported();
    void secondDialogIsNew();
};

void TestFrmAbout::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestFrmAbout::textsAfterLoad()
{
    const Window window = makeWindow();
    const frmAbout &dialog = *window.dialog;

    QCOMPARE(dialog.windowTitle(), u"About Purlex"_s);
    QCOMPARE(control<QLabel>(dialog, u"lblTitle"_s)->text(), u"Purlex"_s);
    QCOMPARE(control<QLabel>(dialog, u"lblVersion"_s)->text(),
        u"Version "_s + QLatin1StringView(PURLEX_TEST_VERSION));
    QVERIFY(!BuildInfo::FileDescription.isEmpty() && !BuildInfo::Comments.isEmpty());
    QCOMPARE(control<QLabel>(dialog, u"lblDescription"_s)->text(),
        BuildInfo::FileDescription + u"\r\n\r\n"_s + BuildInfo::Comments);
    QVERIFY(!BuildInfo::CompanyName.isEmpty() && !BuildInfo::LegalCopyright.isEmpty());
    QCOMPARE(control<QLabel>(dialog, u"lblDisclaimer"_s)->text(),
        BuildInfo::CompanyName + u"\r\n"_s + BuildInfo::LegalCopyright);
    QCOMPARE(control<QPushButton>(dialog, u"cmdOK"_s)->text(), u"OK"_s);
    QCOMPARE(control<QPushButton>(dialog, u"cmdSysInfo"_s)->text(), u"&System Info..."_s);
}

void TestFrmAbout::placement_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("twips"); // left, top, width, height

    QTest::newRow("lblTitle") << u"lblTitle"_s << QList<int>{1050, 240, 3885, 480};
    QTest::newRow("lblVersion") << u"lblVersion"_s << QList<int>{1050, 780, 3885, 225};
    QTest::newRow("lblDescription") << u"lblDescription"_s << QList<int>{1050, 1125, 3885, 1170};
    QTest::newRow("lblDisclaimer") << u"lblDisclaimer"_s << QList<int>{255, 2625, 3870, 825};
    QTest::newRow("cmdOK") << u"cmdOK"_s << QList<int>{4245, 2625, 1260, 345};
    QTest::newRow("cmdSysInfo") << u"cmdSysInfo"_s << QList<int>{4260, 3075, 1245, 345};
}

void TestFrmAbout::placement()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, twips);

    const Window window = makeWindow();
    const QWidget *widget = control<QWidget>(*window.dialog, name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), fromTwips(*window.dialog, twips[0], twips[1], twips[2], twips[3]));
}

void TestFrmAbout::fixedFrame()
{
    const Window window = makeWindow();
    frmAbout &dialog = *window.dialog;
    QVERIFY(showActive(dialog));

    QCOMPARE(dialog.geometry(), fromTwips(dialog, 2340, 1935, 5730, 3555));
    QCOMPARE(dialog.minimumSize(), dialog.size());
    QCOMPARE(dialog.maximumSize(), dialog.size());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(
        control<QLabel>(dialog, u"picIcon"_s)->pos(), fromTwips(dialog, 240, 240, 0, 0).topLeft());
    QVERIFY(!control<QLabel>(dialog, u"picIcon"_s)->pixmap().isNull());
}

void TestFrmAbout::textsFitTheirControls()
{
    const Window window = makeWindow();
    const frmAbout &dialog = *window.dialog;

    for (const QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QRect room = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = label->fontMetrics().boundingRect(room, flags, label->text());
        QVERIFY2(room.contains(needed), qPrintable(label->objectName()));
    }
    for (const QPushButton *button : dialog.findChildren<QPushButton *>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room
            = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QString shown = QString(button->text()).remove(u'&');
        QVERIFY2(button->fontMetrics().horizontalAdvance(shown) <= room.width(),
            qPrintable(button->objectName()));
        QVERIFY2(button->fontMetrics().height() <= room.height(), qPrintable(button->objectName()));
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

    const Window window = makeWindow();
    frmAbout &dialog = *window.dialog;
    auto *cmdOK = control<QPushButton>(dialog, u"cmdOK"_s);
    QSignalSpy pressed(cmdOK, &QPushButton::clicked);
    QSignalSpy finished(&dialog, &QDialog::finished);
    QVERIFY(showActive(dialog));

    if (key == 0)
        QTest::mouseClick(cmdOK, Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));

    QCOMPARE(finished.size(), 1);
    QCOMPARE(pressed.size(), 1);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(window.starter->attempts(), QStringList{});
}

void TestFrmAbout::focusOrder()
{
    const Window window = makeWindow();
    frmAbout &dialog = *window.dialog;
    QVERIFY(showActive(dialog));

    QCOMPARE(QApplication::focusWidget(), control<QWidget>(dialog, u"cmdOK"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(dialog, u"cmdSysInfo"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(dialog, u"cmdOK"_s));
}

void TestFrmAbout::accessKeyStartsTool()
{
    const Window window = makeWindow();
    frmAbout &dialog = *window.dialog;
    window.registry->setText(ToolPathKey, u"PATH"_s, RegisteredTool);
    window.starter->install(RegisteredTool);
    QVERIFY(showActive(dialog));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);

    // An access key presses its button the way a click would, shown pressed
    // for a moment first.
    QTRY_COMPARE(window.starter->attempts(), QStringList{RegisteredTool});
    QVERIFY(dialog.isVisible());
}

void TestFrmAbout::unavailableToolIsReported()
{
    const Window window = makeWindow();
    frmAbout &dialog = *window.dialog;
    QVERIFY(showActive(dialog));

    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, &dialog, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    control<QPushButton>(dialog, u"cmdSysInfo"_s)->click();

    QCOMPARE(text, u"System Information Is Unavailable At This Time"_s);
    QCOMPARE(title, u"Purlex"_s);
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(dialog.isVisible());
}

void TestFrmAbout::secondDialogIsNew()
{
    const Window first = makeWindow();
    QVERIFY(showActive(*first.dialog));
    control<QLabel>(*first.dialog, u"lblTitle"_s)->setText(u"changed"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(first.dialog.get(), Qt::Key_Escape);
    QVERIFY(!first.dialog->isVisible());

    const Window second = makeWindow();
    QVERIFY(showActive(*second.dialog));
    QCOMPARE(control<QLabel>(*second.dialog, u"lblTitle"_s)->text(), u"Purlex"_s);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(*second.dialog, u"cmdOK"_s));
}

QTEST_MAIN(TestFrmAbout)

#include "tst_frmabout.moc"
