#include "lockkeys.h"

#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

// Without an X server the lock keys are followed from the key presses that
// the program's windows see.
class tst_LockKeys final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsPresses_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("caps");
        QTest::addColumn<bool>("num");
        QTest::newRow("none") << QList<int>{} << false << false;
        QTest::newRow("caps once") << QList<int>{Qt::Key_CapsLock} << true << false;
        QTest::newRow("caps twice")
            << QList<int>{Qt::Key_CapsLock, Qt::Key_CapsLock} << false << false;
        QTest::newRow("num and a letter")
            << QList<int>{Qt::Key_NumLock, Qt::Key_A} << false << true;
    }

    void followsPresses()
    {
        QFETCH(QList<int>, keys);
        QFETCH(bool, caps);
        QFETCH(bool, num);
        QLineEdit edit;
        edit.show();
        edit.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        const std::unique_ptr<LockKeys> lockKeys = createLockKeys();
        for (int key : keys)
            QTest::keyClick(&edit, Qt::Key(key));
        QCOMPARE(lockKeys->state().capsLock, caps);
        QCOMPARE(lockKeys->state().numLock, num);
    }
};

QTEST_MAIN(tst_LockKeys)
#include "tst_lockkeys.moc"
