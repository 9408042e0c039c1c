#include "modalcatcher.h"
#include "qtuserdialogs.h"

#include <QLineEdit>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Where the cursor shows at a position; the box scrolls its text when it paints.
int cursorX(QLineEdit *edit, qsizetype position)
{
    edit->setCursorPosition(int(position));
    edit->grab();
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

} // namespace

class tst_QtUserDialogs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inputBoxShowsItsDefaultTextWhole_data()
    {
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<bool>("whole"); // false: wider than the screen
        QTest::newRow("long path")
            << u"home\\ann\\Music\\Collected Albums\\The Long Named Band - Live at the Hall (Remastered)"_s
            << true;
        QTest::newRow("wider than the screen") << QString(2000, u'x') << false;
    }

    void inputBoxShowsItsDefaultTextWhole()
    {
        QFETCH(QString, defaultText);
        QFETCH(bool, whole);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QtUserDialogs dialogs(&window);
        ModalCatcher catcher;
        int shownWidth = -1;
        QRect frame;
        catcher.whileShown = [&](QDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>();
            QCOMPARE(edit->text(), defaultText);
            // Unless the text is scrolled, its two ends lie one text width apart.
            const int end = cursorX(edit, defaultText.size());
            shownWidth = end - cursorX(edit, 0);
            frame = dialog->frameGeometry();
        };
        QCOMPARE(
            dialogs.inputBox(u"Enter path string:"_s, u"Default Path"_s, defaultText), QString());
        QCOMPARE(catcher.shown.size(), 1);
        const QFontMetrics metrics = window.fontMetrics();
        QCOMPARE(shownWidth == metrics.horizontalAdvance(defaultText), whole);
        QVERIFY(frame.width() <= window.screen()->availableGeometry().width());
    }
};

QTEST_MAIN(tst_QtUserDialogs)
#include "tst_qtuserdialogs.moc"
