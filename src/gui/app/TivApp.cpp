#include "app/TivApp.h"

#include "app/CommandLineFile.h"
#include "app/Layout.h"
#include "app/TivFrame.h"
#include "common/Prompter.h"
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "letters/MotWindow.h"
#include "numbers/ChifWindow.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>

#include <cerrno>
#include <cstring>

namespace lexinum {

namespace {

TivApp* gInstance = nullptr;

// Help topics shown when no dialog has set one: letters or numbers, training or match.
constexpr int kLettersTrainingTopic = 260;
constexpr int kLettersMatchTopic = 261;
constexpr int kNumbersTrainingTopic = 265;
constexpr int kNumbersMatchTopic = 266;

// The name of the settings folder: the QCoreApplication name decides it.
constexpr char kFolderName[] = "lexinum";

// A font whose cell (ascent plus descent) is `cellHeight` pixels high, the way
// the game asks for its fonts.
QFont FontOfCellHeight(const QString& face, QFont::StyleHint hint, int cellHeight, int weight) {
    QFont font(face);
    font.setStyleHint(hint);
    font.setWeight(static_cast<QFont::Weight>(weight));
    int pixels = std::max(1, cellHeight);
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > cellHeight) {
        --pixels;
        font.setPixelSize(pixels);
    }
    return font;
}

int MenuBarHeight() {
    QMenuBar bar;
    bar.addMenu(QStringLiteral("&Fichier"));
    return bar.sizeHint().height();
}

int CaptionHeight() {
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

QScreen* GameScreen(const TivFrame* frame) {
    if (frame != nullptr && frame->screen() != nullptr)
        return frame->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

TivApp::TivApp(const std::vector<std::string>& arguments, QObject* parent) : QObject(parent) {
    QCoreApplication::setApplicationName(QString::fromLatin1(kFolderName));
    commandLineFile = CommandLineFile(arguments);
    levelNames = {"débutant", "écolier", "dilettante", "amateur", "expert", "imbattable"};
    settings_ = std::make_unique<Profile>(
        std::filesystem::path(QDir(SettingsFolder()).filePath(QString::fromStdString(iniName)).toStdString()));
    untitled = true;
    matchModified = false;
    gameData.initialDir = settings_->ReadString("GENERAL", "parties", "", 259);
    helpOpened = false;
    Random15::SeedFromClock();
    solverText.reserve(SearchChannel::kSolverTextSize);
    answerText.reserve(SearchChannel::kAnswerTextSize);

    commands_.OnCommand(Command::ContextHelp, [this] { ContextHelp(); });
}

TivApp::~TivApp() {
    // The frame owns both panes; they stop their searches as they go.
    frameOwner_.reset();
    if (gInstance == this)
        gInstance = nullptr;
}

TivApp* TivApp::Instance() {
    return gInstance;
}

QString TivApp::SettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void TivApp::InitMainWindow() {
    gInstance = this;
    lettersTitle = "Le mot le plus long";
    numbersTitle = "Le compte est bon";
    competition = false;
    maximized = false;
    CreateFonts();
    define_geometry();

    lettersPane = new MotWindow(*this);
    frameOwner_ = std::make_unique<TivFrame>(*this, lettersPane);
    frame = frameOwner_.get();
    numbersPane = new ChifWindow(*this, frame);
    frame->AddPane(numbersPane);

    level = 0;
    playerName.clear();
    PlaceFrame();
    lettersCurrent = true;
    helpContext = 0;
    lettersPane->EnsureSetUp();
    frame->ApplyLayout();
    RefreshCommands();
}

void TivApp::PlaceFrame() {
    QPoint position(settings_->ReadInt("GENERAL", "x", 0), settings_->ReadInt("GENERAL", "y", 0));
    // A position kept from another screen arrangement must not hide the game:
    // its title bar has to be on some screen, otherwise it opens at the corner.
    if (QGuiApplication::screenAt(position + QPoint(CaptionHeight(), CaptionHeight() / 2)) == nullptr)
        position = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    frame->move(position);
}

void TivApp::InitInstance(bool startMinimized) {
    if (startMinimized)
        frame->showMinimized();
    else
        frame->showNormal();
}

bool TivApp::CanClose() {
    if (frame != nullptr && !frame->CanClose())
        return false;
    if (lettersPane != nullptr && !lettersPane->CanClose())
        return false;
    if (numbersPane != nullptr && !numbersPane->CanClose())
        return false;
    // The saved-game folder: that of the last game saved or opened; when the
    // session named no file with a folder, the folder read at start stays.
    const std::string folder = gameData.FileFolder();
    // The last of the settings written at close: if the file cannot be written, the
    // player hears of it once (every write before failed the same way); closing goes on.
    if (!settings_->WriteString("GENERAL", "parties", folder.empty() ? gameData.initialDir : folder))
        Prompter::Active().Tell(settings_->LastError(), kName, PromptIcon::Exclamation);
    return true;
}

void TivApp::CreateFonts() {
    const QScreen* screen = GameScreen(frame);
    const int T = Layout::TextHeight(screen->geometry().height(), MenuBarHeight(), CaptionHeight(), maximized);
    buttonFont = FontOfCellHeight(QStringLiteral("Arial"), QFont::SansSerif, T, 400);
    baseFont = FontOfCellHeight(QStringLiteral("Courier New"), QFont::TypeWriter, T, 700);
    bigFont = FontOfCellHeight(QStringLiteral("Courier New"), QFont::TypeWriter, 2 * T, 700);
}

void TivApp::define_geometry() {
    const QFontMetrics base(baseFont);
    const QFontMetrics big(bigFont);
    const QFontMetrics dialog(QApplication::font());
    const QScreen* screen = GameScreen(frame);
    const int frameBorder = QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;

    Layout::Metrics m;
    m.averageWidth = base.averageCharWidth();
    m.maxWidth = base.maxWidth();
    m.textHeight = base.height();
    m.internalLeading = std::max(0, base.height() - baseFont.pixelSize());
    m.externalLeading = std::max(0, base.leading());
    m.bigMaxWidth = big.maxWidth();
    m.bigTextHeight = big.height();
    m.bigInternalLeading = std::max(0, big.height() - bigFont.pixelSize());
    m.bigExternalLeading = std::max(0, big.leading());
    m.dialogFrameX = frameBorder;
    m.dialogFrameY = frameBorder;
    m.captionHeight = CaptionHeight();
    m.menuHeight = MenuBarHeight();
    // Dialog base units: the average width of the letters of the dialog font, and its height.
    const int letters =
        dialog.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m.baseUnitX = (letters / 26 + 1) / 2;
    m.baseUnitY = dialog.height();
    m.screenWidth = screen->geometry().width();
    m.screenHeight = screen->geometry().height();
    m.maximized = maximized;
    Layout::SetCurrent(Layout::Compute(m));
}

void TivApp::SetDisplayMode(SizeType sizeType) {
    maximized = sizeType == SizeType::Maximized;
    CreateFonts();
    define_geometry();
    if (frame != nullptr)
        frame->ApplyLayout();
}

int TivApp::ReportErrno(const std::string& context) {
    const int code = errno;
    if (code != 0) {
        Prompter::Active().Tell(context + ": " + std::strerror(code), kName, PromptIcon::Exclamation);
        errno = 0;
    }
    return errno;
}

void TivApp::ShowNumbersPane() {
    if (!lettersCurrent || frame == nullptr)
        return;
    lettersPane->StopSearch();
    lettersCurrent = false;
    numbersPane->EnsureSetUp();
    frame->SetClient(numbersPane);
    frame->setWindowTitle(QString::fromStdString(numbersTitle));
    frame->UseNumbersMenu();
    numbersPane->Activate();
    RefreshCommands();
}

void TivApp::ShowLettersPane() {
    if (lettersCurrent || frame == nullptr)
        return;
    numbersPane->StopSearch();
    lettersCurrent = true;
    frame->SetClient(lettersPane);
    frame->setWindowTitle(QString::fromStdString(lettersTitle));
    frame->UseLettersMenu();
    lettersPane->Activate();
    RefreshCommands();
}

PanoWindow* TivApp::ShownPane() const {
    if (lettersCurrent)
        return lettersPane;
    return numbersPane;
}

bool TivApp::RunCommand(Command command) {
    return frame != nullptr && frame->RunCommand(command);
}

void TivApp::RefreshCommands() {
    if (frame != nullptr)
        frame->UpdateCommands();
}

int TivApp::ContextHelpTopic() const {
    if (helpContext != 0)
        return helpContext;
    if (lettersCurrent)
        return competition ? kLettersMatchTopic : kLettersTrainingTopic;
    return competition ? kNumbersMatchTopic : kNumbersTrainingTopic;
}

void TivApp::ContextHelp() {
    requestedHelpTopic = ContextHelpTopic();
    emit helpRequested(requestedHelpTopic);
}

void TivApp::BringForward() {
    if (frame == nullptr)
        return;
    if (frame->isMinimized())
        frame->setWindowState(frame->windowState() & ~Qt::WindowMinimized);
    frame->show();
    frame->raise();
    frame->activateWindow();
    if (QWidget* popup = QApplication::activeModalWidget()) {
        popup->raise();
        popup->activateWindow();
    }
}

QStatusBar* TivApp::MessageBar() const {
    return frame != nullptr ? frame->statusBar() : nullptr;
}

} // namespace lexinum
