// The interface test program's guards: a dialog run with nobody to close it
// is closed and fails the test, while one an act works on, or one the test
// drives itself, is left alone; acts still pending at cleanup never run.
#include "ModalWatchdog.h"
#include "GuiTestMain.h"
#include "ModalActs.h"

#include <QDialog>
#include <QTest>

using namespace lexinum;

class ModalWatchdogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::ModalWatchdog::SetLimitMs(300); }
    void cleanupTestCase() { test::ModalWatchdog::SetLimitMs(test::ModalWatchdog::kLimitMs); }
    void cleanup() { test::ModalActs::CancelPending(); }

    void aDialogWaitingOnNobodyIsClosedAndFailsTheTest();
    void aDialogAnActWorksOnOrTheTestDrivesIsLeftAlone();
    void actsPendingAtCleanupNeverRun();
};

void ModalWatchdogTest::aDialogWaitingOnNobodyIsClosedAndFailsTheTest() {
    QDialog dialog;
    QEXPECT_FAIL("", "the watchdog fails the test whose dialog it closes", Continue);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    // The innermost goes first; the one under it gets its own time once its act is over.
    test::ModalActs::OnModal([](QWidget* outer) {
        QDialog inner(outer);
        QEXPECT_FAIL("", "the inner dialog waited on nobody", Continue);
        QCOMPARE(inner.exec(), int(QDialog::Rejected));
        QVERIFY(outer->isVisible());
        QEXPECT_FAIL("", "then the outer one", Continue);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
}

void ModalWatchdogTest::aDialogAnActWorksOnOrTheTestDrivesIsLeftAlone() {
    QDialog dialog;
    test::ModalActs::OnModal([](QWidget* modal) {
        QTest::qWait(4 * test::ModalWatchdog::LimitMs());
        static_cast<QDialog*>(modal)->accept();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    dialog.setModal(true);
    dialog.show();
    QTest::qWait(4 * test::ModalWatchdog::LimitMs());
    QVERIFY(dialog.isVisible());
    dialog.accept();
}

void ModalWatchdogTest::actsPendingAtCleanupNeverRun() {
    static bool ran = false;
    test::ModalActs::WhenModal([](QWidget* modal) {
        ran = true;
        static_cast<QDialog*>(modal)->reject();
    });
    test::ModalActs::CancelPending();
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    QTest::qWait(100);
    QVERIFY(!ran);
    dialog.accept();
}

LEXINUM_GUI_TEST(ModalWatchdogTest)
#include "ModalWatchdogTest.moc"
