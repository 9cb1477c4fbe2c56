#include "GameFixture.h"
#include "AccessibleName.h"
#include "ModalActs.h"

#include "app/LevelDialog.h"
#include "app/TivFrame.h"
#include "letters/MotWindow.h"
#include "presentation/ValidEdit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace lexinum::test {

GameFixture::GameFixture() = default;

GameFixture::~GameFixture() {
    app_.reset();
    Prompter::SetActive(nullptr);
}

void GameFixture::SetUp() {
    QVERIFY(home_.isValid());
    qputenv("XDG_CONFIG_HOME", home_.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home_.filePath(QStringLiteral("data")).toUtf8());
    Prompter::SetActive(&prompter_);
    // The game's own name, so that its folders are known before it starts.
    QCoreApplication::setApplicationName(QStringLiteral("lexinum"));
}

void GameFixture::Start(const std::vector<std::string>& arguments, TivApp::ShowState show) {
    app_ = std::make_unique<TivApp>(arguments);
    app_->SetPeriods(periods);
    app_->InitMainWindow();
    if (automaticDraws)
        app_->LettersPane()->SetAutoChoice(true);
    app_->SetHelpViewer([this](int topic) { helpTopics_.push_back(topic); });
    app_->InitInstance(show);
    if (show != TivApp::ShowState::Minimized)
        QVERIFY(QTest::qWaitForWindowExposed(app_->Frame()));
    if (waitForLexicon)
        QTRY_VERIFY_WITH_TIMEOUT(!app_->LettersPane()->PreparingLexicon(), 60'000);
}

TimerPeriods GameFixture::QuickPeriods() {
    TimerPeriods quick;
    quick.wordAnswer = std::chrono::milliseconds(40);
    quick.calculationAnswer = std::chrono::milliseconds(50);
    quick.letterPick = std::chrono::milliseconds(5);
    quick.pickPause = std::chrono::milliseconds(1);
    return quick;
}

void GameFixture::StartQuick() {
    periods = QuickPeriods();
    Start();
}

void GameFixture::NewMatch(const QString& name, int level) {
    OnModal([name, level](QWidget* window) {
        auto* dialog = qobject_cast<LevelDialog*>(window);
        QVERIFY(dialog != nullptr);
        dialog->NameEdit()->setText(name);
        dialog->LevelButton(level)->setChecked(true);
        dialog->OkButton()->click();
    });
    QVERIFY(app_->RunCommand(Command::NewMatch));
}

void GameFixture::Reset() {
    ModalActs::CancelPending();
    app_.reset();
    QFile::remove(IniPath());
    prompter_.messages.clear();
    prompter_.answers.clear();
    helpTopics_.clear();
    automaticDraws = true;
    waitForLexicon = true;
    periods = TimerPeriods();
    MotWindow::SetSeedingWatch({});
    TivApp::SetBitmapLibraryPath({});
}

TivFrame& GameFixture::Frame() {
    return *app_->Frame();
}

QString GameFixture::IniPath() const {
    return TivApp::SettingsFolder() + QStringLiteral("/tiv.ini");
}

QStringList GameFixture::MenuTitles() {
    QStringList titles;
    for (const QAction* action : Frame().menuBar()->actions())
        titles << action->text();
    return titles;
}

QStringList GameFixture::ItemLabels(int menuPosition) {
    QStringList labels;
    const QMenu* menu = Frame().menuBar()->actions().at(menuPosition)->menu();
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            labels << action->text();
    }
    return labels;
}

QString GameFixture::AccessibleName(QObject* object) {
    return test::AccessibleName(object);
}

void GameFixture::OnModal(std::function<void(QWidget*)> act) {
    ModalActs::OnModal(std::move(act));
}

void GameFixture::WhenModal(std::function<void(QWidget*)> act) {
    ModalActs::WhenModal(std::move(act));
}

} // namespace lexinum::test
