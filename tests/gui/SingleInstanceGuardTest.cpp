// Only one copy of the game runs: the second is refused and calls the first forward.
#include "app/SingleInstanceGuard.h"
#include "GuiTestMain.h"
#include "RecordingPrompter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace lexinum;

class SingleInstanceGuardTest : public QObject {
    Q_OBJECT

private slots:
    void secondCopyIsRefusedAndCallsTheFirstForward();
    void oldLockOfARunningCopyStillHolds();
    void lockLeftByAnEndedCopyIsTakenOver();
    void unusableRuntimeFolderDoesNotKeepThePlayerOut();
    void emptyOrDamagedLockOfNoCopyIsTakenOver();
    void lockNamingARunningProgramThatNoCopyAnswersForIsTakenOver();
    void somethingElseThanAFileAtTheLockPathIsToldAndTheGameStarts();
    void emptyFolderAtTheLockPathMakesWay();
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

void SingleInstanceGuardTest::lockNamingARunningProgramThatNoCopyAnswersForIsTakenOver() {
    QTemporaryDir runtime;
    SingleInstanceGuard probe(runtime.path());
    // The lock names a program that runs (this one, as a copy of the game
    // started under another runtime folder would be), but nobody listens here.
    QFile lock(probe.LockPath());
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
               QCoreApplication::applicationName().toUtf8() + "\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    lock.close();

    SingleInstanceGuard guard(runtime.path());
    QVERIFY(guard.Acquire());
    SingleInstanceGuard second(runtime.path());
    QVERIFY(!second.Acquire());
}

void SingleInstanceGuardTest::somethingElseThanAFileAtTheLockPathIsToldAndTheGameStarts() {
    QTemporaryDir runtime;
    SingleInstanceGuard probe(runtime.path());
    const QByteArray path = QFile::encodeName(probe.LockPath());
    const auto check = [&](const char* kind) {
        test::RecordingPrompter prompter;
        test::ActivePrompterGuard active(prompter);
        SingleInstanceGuard guard(runtime.path());
        QVERIFY2(guard.Acquire(), kind);
        QCOMPARE(prompter.messages.size(), std::size_t(1));
        QVERIFY2(prompter.messages[0].text.find(probe.LockPath().toStdString()) != std::string::npos,
                 prompter.messages[0].text.c_str());
        QVERIFY2(prompter.messages[0].text.find(kind) != std::string::npos, prompter.messages[0].text.c_str());
    };
    // A pipe: opening it would wait for ever.
    QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    check("tube");
    QVERIFY(QFileInfo(probe.LockPath()).exists());
    QCOMPARE(::unlink(path.constData()), 0);
    // A folder holding something.
    QVERIFY(QDir(runtime.path()).mkpath(probe.LockPath() + "/dedans"));
    check("dossier");
}

void SingleInstanceGuardTest::emptyFolderAtTheLockPathMakesWay() {
    QTemporaryDir runtime;
    SingleInstanceGuard probe(runtime.path());
    QVERIFY(QDir().mkpath(probe.LockPath()));
    test::RecordingPrompter prompter;
    test::ActivePrompterGuard active(prompter);
    SingleInstanceGuard guard(runtime.path());
    QVERIFY(guard.Acquire());
    QVERIFY(prompter.messages.empty());
    SingleInstanceGuard second(runtime.path());
    QVERIFY(!second.Acquire());
}

LEXINUM_GUI_TEST(SingleInstanceGuardTest)
#include "SingleInstanceGuardTest.moc"
