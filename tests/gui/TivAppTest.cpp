// The application's own duties: the settings file it keeps for every window,
// and no command run inside another while a pane waits on its worker.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotWindow.h"

#include <QFile>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

using namespace lexinum;

class TivAppTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() {
        QFile::setPermissions(game_.IniPath(), QFile::ReadOwner | QFile::WriteOwner);
        game_.Reset();
    }

    void readOnlySettingsAreLeftAloneAndThePlayerIsToldOnce();
    void commandsAndClosesWaitForTheEndOfAWait();

private:
    test::GameFixture game_;
};

void TivAppTest::readOnlySettingsAreLeftAloneAndThePlayerIsToldOnce() {
    {
        Profile before(game_.IniPath().toStdString());
        QVERIFY(before.WriteInt("GENERAL", "x", 7));
    }
    QFile ini(game_.IniPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray kept = ini.readAll();
    ini.close();
    QVERIFY(QFile::setPermissions(game_.IniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    game_.Start();
    game_.Frame().move(200, 100);
    QVERIFY(game_.Frame().close());
    // Root may write anyway: what matters is that the game did not.
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), kept);
    ini.close();
    QVERIFY(!(QFile::permissions(game_.IniPath()) & QFile::WriteOwner));
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QVERIFY(game_.Prompts().messages[0].text.find("lecture seule") != std::string::npos);
    QCOMPARE(game_.Prompts().messages[0].icon, PromptIcon::Exclamation);
}

void TivAppTest::commandsAndClosesWaitForTheEndOfAWait() {
    game_.Start();
    TivFrame& frame = game_.Frame();
    MotWindow* pane = game_.App().LettersPane();
    std::atomic<bool> release{false};
    // A worker that hands its batch over only once the test lets it.
    pane->Channel().Start([&release](SearchChannel& channel) {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        channel.WorkerText() = "fin";
        channel.HandOver();
    });
    bool commandRan = true;
    bool closedDuringWait = true;
    const std::string lettersBefore = pane->Letters();
    // While the pane waits, a timer asks a command and the window system a close.
    QTimer::singleShot(30, &frame, [&] {
        commandRan = game_.App().RunCommand(Command::NewDraw);
        frame.close();
        closedDuringWait = !frame.isVisible();
        release = true;
    });
    QCOMPARE(pane->WaitBatch(), SearchChannel::WaitResult::Ready);
    QVERIFY(!commandRan);
    QVERIFY(!closedDuringWait);
    QCOMPARE(pane->Letters(), lettersBefore);
    QVERIFY(frame.isVisible());
    // Once the wait is over, the close that was held comes.
    QTRY_VERIFY(!frame.isVisible());
}

LEXINUM_GUI_TEST(TivAppTest)
#include "TivAppTest.moc"
