#include "TestServices.h"
#include "ModalActs.h"

#include "app/TivApp.h"
#include "common/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

namespace lexinum::test {

namespace {

std::filesystem::path SettingsPath(const QTemporaryDir& home) {
    return std::filesystem::path(home.filePath(QStringLiteral("tiv.ini")).toStdString());
}

} // namespace

TestServices::TestServices()
    : settings_(std::make_unique<Profile>(SettingsPath(home_), Profile::ReadOnlyRule::Respect)) {
    SetMaximized(false);
}

void TestServices::SetMaximized(bool maximized) {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    fonts_ = TivApp::FontsFor(screen.height(), maximized);
    layout_ = TivApp::GeometryFor(fonts_, screen, maximized);
    window_.reset();
}

TestServices::~TestServices() {
    window_.reset();
    Prompter::SetActive(nullptr);
}

void TestServices::SetUp() {
    QVERIFY(home_.isValid());
    Prompter::SetActive(&prompter_);
    bitmaps_.Load(BitmapLibrary::DefaultPath());
}

void TestServices::Reset() {
    ModalActs::CancelPending();
    window_.reset();
    settings_.reset();
    QFile::remove(home_.filePath(QStringLiteral("tiv.ini")));
    settings_ = std::make_unique<Profile>(SettingsPath(home_), Profile::ReadOnlyRule::Respect);
    prompter_.messages.clear();
    prompter_.answers.clear();
    hints.clear();
    commands.clear();
    gamesShown.clear();
    reports.clear();
    quits = 0;
    screenReader = false;
    periods_ = TimerPeriods{};
    bitmaps_.Load(BitmapLibrary::DefaultPath());
    SetMaximized(false);
    commandsAnswered = true;
    state_.SetShownGame(Game::Letters);
    state_.SetCompetition(false);
}

QWidget* TestServices::Window() {
    if (window_ == nullptr) {
        window_ = std::make_unique<QWidget>();
        window_->resize(layout_.GAME_FRAME_WDTH, layout_.GAME_FRAME_HGHT);
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()))
            qWarning("the window was not shown");
    }
    return window_.get();
}

QRect TestServices::ResultArea() {
    const QRect inWindow = layout_.ResultRect();
    return {Window()->mapToGlobal(inWindow.topLeft()), inWindow.size()};
}

bool TestServices::RunCommand(Command command) {
    commands.push_back(command);
    return commandsAnswered;
}

void TestServices::ShowGame(Game game) {
    gamesShown.push_back(game);
    state_.SetShownGame(game);
}

QString TestServices::DataFolder() const {
    return home_.filePath(QStringLiteral("data"));
}

QString TestServices::ShippedLexiconFolder() const {
    // The shipped lexicon the build made, beside the test program.
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("lexiques"));
}

} // namespace lexinum::test
