#include "validationgate.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

// A window with a guarded box that refuses to be left while it holds "no",
// and a drop-down that a turn of the wheel changes.
struct Window
{
    QWidget form;
    QLineEdit *box = new QLineEdit(u"no"_s, &form);
    QComboBox *choice = new QComboBox(&form);
    ValidationGate *gate = new ValidationGate(&form);
    int validations = 0;

    Window()
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

class tst_ValidationGate final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wheelOverAnotherControl()
    {
        Window w;
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

    void focusMovedByCodeIsValidatedAfterwards()
    {
        Window w;
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

QTEST_MAIN(tst_ValidationGate)
#include "tst_validationgate.moc"
