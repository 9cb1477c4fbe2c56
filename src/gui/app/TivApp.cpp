#include "app/TivApp.h"

#include "app/CommandLineFile.h"
#include "app/HelpAboutDialog.h"
#include "app/HelpWindow.h"
#include "app/Match.h"
#include "app/TivFrame.h"
#include "app/TopTenDialog.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "common/Random15.h"
#include "common/ShippedData.h"
#include "common/SystemError.h"
#include "letters/MotWindow.h"
#include "numbers/ChifWindow.h"
#include "presentation/Bell.h"
#include "presentation/WindowHelpTopic.h"
#include "shell/HelpTopic.h"
#include "shell/SettingsKeys.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>
#include <cerrno>
#include <string>

namespace lexinum {

namespace {

// The name of the settings folder: the QCoreApplication name decides it.
constexpr char kFolderName[] = "lexinum";

// A saved frame position beyond this, in either direction, is damaged.
constexpr int kFarthestPosition = 1'000'000;

int MenuBarHeight() {
    QMenuBar bar;
    bar.addMenu(QStringLiteral("&Fichier"));
    return bar.sizeHint().height();
}

int CaptionHeight() {
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

// The border of a dialog frame, which boxes and buttons count on each side.
// Today's screens scale it with their text, as they scale everything drawn:
// a quarter of the text height, and never thinner than the style's own frame.
// The pane buttons' labels fit in them because of it, at every screen height.
int DialogFrameWidth(int textHeight) {
    const int styleFrame = QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
    return std::max(styleFrame, (textHeight + 3) / 4);
}

// The bitmap library path tests set; empty for the one beside the program.
QString& BitmapLibraryOverride() {
    static QString path;
    return path;
}

QString BitmapLibraryPath() {
    return BitmapLibraryOverride().isEmpty() ? BitmapLibrary::DefaultPath() : BitmapLibraryOverride();
}

QScreen* GameScreen(const QWidget* frame) {
    if (frame != nullptr && frame->screen() != nullptr)
        return frame->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

TivApp::TivApp(const std::vector<std::string>& arguments, QObject* parent) : QObject(parent) {
    QCoreApplication::setApplicationName(QString::fromLatin1(kFolderName));
    commandLineFile_ = CommandLineFile(arguments);
    screenReaderAsked_ = CommandLineAsksScreenReader(arguments);
    // A "tiv.ini" the player made read-only is respected: nothing is written
    // to it, and the player is told so once, when the game closes.
    settings_ = std::make_unique<Profile>(
        std::filesystem::path(QDir(SettingsFolder()).filePath(QStringLiteral("tiv.ini")).toStdString()),
        Profile::ReadOnlyRule::Respect);
    gameData_.initialDir = settings_->ReadString(keys::kGeneral, keys::kSavedGamesFolder, "", Profile::kMaxValueLength);
    Random15::SeedFromClock();
    // Without its bitmap library the game goes on, with plain colours and bitmap files.
    if (const unsigned long error = bitmaps_.Load(BitmapLibraryPath()); error != 0)
        Prompter::Active().Tell("Impossible d'ouvrir la librairie de bitmaps, erreur " + std::to_string(error), kName,
                                PromptIcon::Exclamation);

    commands_.OnCommand(Command::ContextHelp, [this] { ContextHelp(); });
    commands_.EnableWhen(Command::ContextHelp, [this] { return state_.HelpAvailable(); });
    commands_.OnCommand(Command::HelpContents, [this] { OpenHelp(TopicNumber(HelpTopic::Contents)); });
    commands_.EnableWhen(Command::HelpContents, [this] { return state_.HelpAvailable(); });
    commands_.OnCommand(Command::HelpOnHelp, [this] { OpenHelp(TopicNumber(HelpTopic::UsingHelp)); });
    commands_.EnableWhen(Command::HelpOnHelp, [this] { return state_.HelpAvailable(); });
    commands_.OnCommand(Command::About, [this] { HelpAboutDialog::Show(frame_, *this); });
    match_ = std::make_unique<Match>(*this);
    commands_.OnCommand(Command::NewMatch, [this] { match_->Start(); });
    commands_.OnCommand(Command::Continue, [this] { match_->Continue(); });
    commands_.OnCommand(Command::QuitMatch, [this] { match_->Quit(); });
    commands_.EnableWhen(Command::QuitMatch, [this] { return state_.Competition(); });
    commands_.OnCommand(Command::ResumeMatch, [this] { match_->Resume(); });
    commands_.OnCommand(Command::SaveMatch, [this] { match_->Save(); });
    commands_.OnCommand(Command::SaveMatchAs, [this] { match_->SaveAs(); });
    const auto playedSinceSaved = [this] { return state_.Competition() && state_.MatchModified(); };
    commands_.EnableWhen(Command::SaveMatch, playedSinceSaved);
    commands_.EnableWhen(Command::SaveMatchAs, playedSinceSaved);
    commands_.OnCommand(Command::TopTen, [this] { TopTenDialog::Show(frame_, *this); });
}

TivApp::~TivApp() {
    // The frame owns both panes; each halts its search as it goes.
    frameOwner_.reset();
    match_.reset();
}

void TivApp::SetBitmapLibraryPath(const QString& path) {
    BitmapLibraryOverride() = path;
}

QString TivApp::SettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void TivApp::InitMainWindow() {
    state_.SetShownGame(Game::Letters);
    state_.SetCompetition(false);
    CreateFonts();
    define_geometry();

    frameOwner_ = std::make_unique<TivFrame>(*this);
    frame_ = frameOwner_.get();
    lettersPane_ = new MotWindow(*this);
    frame_->AddPane(lettersPane_);
    numbersPane_ = new ChifWindow(*this);
    frame_->AddPane(numbersPane_);
    PlaceFrame();
    lettersPane_->EnsureSetUp();
    frame_->FollowState();
    frame_->ApplyLayout();
    InstallHelpWindow();
    // A saved game named on the command line is resumed once the game is on screen.
    if (!commandLineFile_.empty())
        QMetaObject::invokeMethod(
            this, [this] { match_->ResumeFromCommandLine(QString::fromStdString(commandLineFile_)); },
            Qt::QueuedConnection);
}

void TivApp::PlaceFrame() {
    const auto coordinate = [this](const char* key) {
        return std::clamp(settings_->ReadInt(keys::kGeneral, key, 0), -kFarthestPosition, kFarthestPosition);
    };
    QPoint position(coordinate(keys::kFrameX), coordinate(keys::kFrameY));
    // A position kept from another screen arrangement must not hide the game:
    // its title bar has to be on some screen, otherwise it opens at the corner.
    if (QGuiApplication::screenAt(position + QPoint(CaptionHeight(), CaptionHeight() / 2)) == nullptr)
        position = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    frame_->move(position);
}

void TivApp::InitInstance(ShowState show) {
    switch (show) {
    case ShowState::Minimized:
        frame_->showMinimized();
        break;
    case ShowState::Maximized:
        frame_->showMaximized();
        break;
    case ShowState::Normal:
        frame_->showNormal();
        break;
    }
}

bool TivApp::CanClose() {
    if (!match_->AskSaveModified())
        return false;
    if (frame_ != nullptr && !frame_->CanClose())
        return false;
    if (lettersPane_ != nullptr && !lettersPane_->CanClose())
        return false;
    if (numbersPane_ != nullptr && !numbersPane_->CanClose())
        return false;
    // The level and the name are kept for the next match.
    match_->End();
    // The saved-game folder: that of the last game saved or opened; when the
    // session named no file with a folder, the folder read at start stays.
    const std::string folder = gameData_.FileFolder();
    // The last of the settings written at close: if the file cannot be written, the
    // player hears of it once (every write before failed the same way); closing goes on.
    // The help window goes with the game (its size is kept as it closes).
    if (helpWindow_ != nullptr && helpWindow_->isVisible())
        helpWindow_->close();
    if (!settings_->WriteString(keys::kGeneral, keys::kSavedGamesFolder,
                                folder.empty() ? gameData_.initialDir : folder))
        Prompter::Active().Tell(settings_->LastError(), kName, PromptIcon::Exclamation);
    return true;
}

GameFonts TivApp::FontsFor(int screenHeight, bool maximized) {
    return GameFonts::ForTextHeight(Layout::TextHeight(screenHeight, MenuBarHeight(), CaptionHeight(), maximized));
}

void TivApp::CreateFonts() {
    fonts_ = FontsFor(GameScreen(frame_)->geometry().height(), Maximized());
}

Layout TivApp::GeometryFor(const GameFonts& fonts, QSize screen, bool maximized) {
    const QFontMetrics base(fonts.baseFont);
    const QFontMetrics big(fonts.bigFont);
    const QFontMetrics dialog(QApplication::font());

    Layout::Metrics m;
    m.averageWidth = base.averageCharWidth();
    m.maxWidth = base.maxWidth();
    m.textHeight = base.height();
    m.internalLeading = std::max(0, base.height() - fonts.baseFont.pixelSize());
    m.externalLeading = std::max(0, base.leading());
    m.bigMaxWidth = big.maxWidth();
    m.bigTextHeight = big.height();
    m.bigInternalLeading = std::max(0, big.height() - fonts.bigFont.pixelSize());
    m.bigExternalLeading = std::max(0, big.leading());
    m.dialogFrameX = DialogFrameWidth(base.height());
    m.dialogFrameY = m.dialogFrameX;
    m.captionHeight = CaptionHeight();
    m.menuHeight = MenuBarHeight();
    // Dialog base units: the average width of the letters of the dialog font, and its height.
    const int letters =
        dialog.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m.baseUnitX = (letters / 26 + 1) / 2;
    m.baseUnitY = dialog.height();
    m.screenWidth = screen.width();
    m.screenHeight = screen.height();
    m.maximized = maximized;
    return Layout::Compute(m);
}

void TivApp::define_geometry() {
    layout_ = GeometryFor(fonts_, GameScreen(frame_)->geometry().size(), Maximized());
}

bool TivApp::Maximized() const {
    return frame_ != nullptr && frame_->isMaximized() && !frame_->isMinimized();
}

void TivApp::SetDisplayMode(SizeType sizeType) {
    CreateFonts();
    define_geometry();
    if (frame_ != nullptr)
        frame_->ApplyLayout();
    match_->FollowPane();
}

int TivApp::ReportErrno(const std::string& context) {
    const int code = errno;
    if (code != 0) {
        Prompter::Active().Tell(context + ": " + SystemError::Text(code), kName, PromptIcon::Exclamation);
        errno = 0;
    }
    return errno;
}

PanoWindow* TivApp::Pane(Game game) const {
    if (game == Game::Letters)
        return lettersPane_;
    return numbersPane_;
}

PanoWindow* TivApp::ShownPane() const {
    return Pane(state_.ShownGame());
}

void TivApp::ShowGame(Game game) {
    if (frame_ == nullptr || state_.ShownGame() == game)
        return;
    // The old pane's worker is gone before the other pane does anything.
    Pane(state_.ShownGame())->HaltSearch();
    PanoWindow* pane = Pane(game);
    pane->EnsureSetUp();
    state_.SetShownGame(game);
    // The score window goes with the match to the pane shown.
    match_->FollowPane();
    pane->Activate();
}

QString TivApp::DataFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString TivApp::ShippedLexiconFolder() const {
    // Beside the program in the build tree; in the installed data folder once installed.
    const auto folder =
        ShippedDataPath(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(), "lexiques");
    return QFile::decodeName(folder.c_str());
}

void TivApp::Quit() {
    // Posted, so that the dialog or command that asks it is over first; the
    // frame then closes as when the player closes it (settings written).
    if (frame_ != nullptr)
        QMetaObject::invokeMethod(frame_, &QWidget::close, Qt::QueuedConnection);
}

bool TivApp::RunCommand(Command command) {
    // A command asked while another waits on a worker (from a timer or a
    // queued call) would run inside it: it is refused.
    if (gate_.Held()) {
        Bell::Ring();
        return false;
    }
    return frame_ != nullptr && frame_->RunCommand(command);
}

bool TivApp::ScreenReaderActive() const {
    return screenReaderAsked_ || QAccessible::isActive();
}

void TivApp::ReportRound(const RoundReport& report) {
    match_->Score(report);
    emit roundReported(report);
}

void TivApp::ShowHint(const QString& hint) {
    if (frame_ == nullptr)
        return;
    if (hint.isEmpty())
        frame_->statusBar()->clearMessage();
    else
        frame_->statusBar()->showMessage(hint);
}

void TivApp::ShowProgress(const QString& text, int done, int total) {
    if (frame_ != nullptr)
        frame_->ShowProgress(text, done, total);
}

void TivApp::SetHelpViewer(HelpViewer viewer) {
    helpViewer_ = std::move(viewer);
    state_.SetHelpAvailable(static_cast<bool>(helpViewer_));
}

int TivApp::ContextHelpTopic() const {
    if (const int dialogTopic = OpenDialogHelpTopic(); dialogTopic != 0)
        return dialogTopic;
    if (state_.LettersShown())
        return TopicNumber(state_.Competition() ? HelpTopic::LettersMatch : HelpTopic::LettersTraining);
    return TopicNumber(state_.Competition() ? HelpTopic::NumbersMatch : HelpTopic::NumbersTraining);
}

void TivApp::ContextHelp() {
    OpenHelp(ContextHelpTopic());
}

void TivApp::OpenHelp(int topic) {
    if (helpViewer_)
        helpViewer_(topic);
}

void TivApp::InstallHelpWindow() {
    if (frame_ == nullptr)
        return;
    SetHelpViewer([this](int topic) { Help()->ShowTopic(topic); });
}

HelpWindow* TivApp::Help() {
    if (helpWindow_ == nullptr && frame_ != nullptr)
        helpWindow_ = new HelpWindow(*settings_, frame_);
    return helpWindow_;
}

void TivApp::BringForward() {
    gate_.WhenFree([this] { ComeForward(); });
}

void TivApp::ComeForward() {
    if (frame_ == nullptr)
        return;
    if (frame_->isMinimized())
        frame_->setWindowState(frame_->windowState() & ~Qt::WindowMinimized);
    frame_->show();
    frame_->raise();
    frame_->activateWindow();
    if (QWidget* popup = QApplication::activeModalWidget()) {
        popup->raise();
        popup->activateWindow();
    }
}

} // namespace lexinum
