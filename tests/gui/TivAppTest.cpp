// The application's own duties: the settings file it keeps for every window.
#include "GameFixture.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "GuiTestMain.h"

#include <QFile>
#include <QTest>

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

LEXINUM_GUI_TEST(TivAppTest)
#include "TivAppTest.moc"
