// Only one copy of the game runs: the second is refused and calls the first forward.
#include "app/SingleInstanceGuard.h"
#include "RecordingPrompter.h"
#include "GuiTestMain.h"

#include <QDateTime>
#include <QFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace lexinum;

class SingleInstanceGuardTest : public QObject {
    Q_OBJECT

private slots:
    void secondCopyIsRefusedAndCallsTheFirstForward();
    void oldLockOfARunningCopyStillHolds();
    void lockLeftByAnEndedCopyIsTakenOver();
    void unusableRuntimeFolderDoesNotKeepThePlayerOut();
    void emptyOrDamagedLockOfNoCopyIsTakenOver();
};

void SingleInstanceGuardTest::secondCopyIsRefusedAndCallsTheFirstForward() {
    QTemporaryDir runtime;
    test::RecordingPrompter prompter;
    test::ActivePrompterGuard active(prompter);
    {
        SingleInstanceGuard first(runtime.path());
        QVERIFY(first.Acquire());
        QSignalSpy forward(&first, &SingleInstanceGuard::comeForwardRequested);

        SingleInstanceGuard second(runtime.path());
        QVERIFY(!second.Acquire());
        QVERIFY(second.RefuseAndCallFirst());
        QTRY_COMPARE(forward.count(), 1);
        QCOMPARE(prompter.messages.size(), std::size_t(1));
        QCOMPARE(prompter.messages[0].text,
                 std::string("Il n'est pas possible de lancer plusieurs instances de ce jeu."));
        QCOMPARE(prompter.messages[0].caption, std::string("Lexinum"));
        QCOMPARE(prompter.messages[0].icon, PromptIcon::Stop);
    }
    // Once the first copy has ended, the next one starts.
    SingleInstanceGuard next(runtime.path());
    QVERIFY(next.Acquire());
}

void SingleInstanceGuardTest::oldLockOfARunningCopyStillHolds() {
    QTemporaryDir runtime;
    SingleInstanceGuard first(runtime.path());
    QVERIFY(first.Acquire());
    // The game has been running for an hour.
    QFile lock(first.LockPath());
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    lock.close();
    SingleInstanceGuard second(runtime.path());
    QVERIFY(!second.Acquire());
}

void SingleInstanceGuardTest::lockLeftByAnEndedCopyIsTakenOver() {
    QTemporaryDir runtime;
    SingleInstanceGuard probe(runtime.path());
    // A lock written by a process that no longer exists, and its socket file.
    QFile lock(probe.LockPath());
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write("2147483646\nlexinum\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socket(probe.SocketPath());
    QVERIFY(socket.open(QIODevice::WriteOnly));
    socket.close();

    SingleInstanceGuard guard(runtime.path());
    QVERIFY(guard.Acquire());
    QSignalSpy forward(&guard, &SingleInstanceGuard::comeForwardRequested);
    test::RecordingPrompter prompter;
    test::ActivePrompterGuard active(prompter);
    SingleInstanceGuard second(runtime.path());
    QVERIFY(!second.Acquire());
    QVERIFY(second.RefuseAndCallFirst());
    QTRY_COMPARE(forward.count(), 1);
}

void SingleInstanceGuardTest::unusableRuntimeFolderDoesNotKeepThePlayerOut() {
    QTemporaryDir parent;
    // A plain file where the runtime folder should be.
    const QString notAFolder = parent.filePath("fichier");
    QFile file(notAFolder);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    SingleInstanceGuard guard(notAFolder);
    QVERIFY(guard.Acquire());
}

void SingleInstanceGuardTest::emptyOrDamagedLockOfNoCopyIsTakenOver() {
    for (const QByteArray& content : {QByteArray(), QByteArray("\0\0\0", 3), QByteArray("pas un numéro\n")}) {
        QTemporaryDir runtime;
        SingleInstanceGuard probe(runtime.path());
        QFile lock(probe.LockPath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        // Left there a minute ago.
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        lock.close();

        SingleInstanceGuard guard(runtime.path());
        QVERIFY2(guard.Acquire(), content.constData());
        // And it holds against the next copy.
        SingleInstanceGuard second(runtime.path());
        QVERIFY(!second.Acquire());
    }
}

LEXINUM_GUI_TEST(SingleInstanceGuardTest)
#include "SingleInstanceGuardTest.moc"
