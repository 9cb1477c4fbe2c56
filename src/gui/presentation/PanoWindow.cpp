#include "presentation/PanoWindow.h"

#include "common/ColourRef.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "presentation/ChooseFontDialog.h"
#include "presentation/HelpKeyFilter.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "presentation/SliceWait.h"
#include "presentation/WindowHelpTopic.h"
#include "shell/AppServices.h"
#include "shell/CommandCatalog.h"
#include "shell/CommandRouter.h"
#include "shell/GameFonts.h"
#include "shell/Layout.h"
#include "shell/SettingsKeys.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lexinum {

namespace {

// Length of the separator rule, in underscores.
constexpr int kRuleLength = 8;
// Bounds of a results font's height read from the settings, in pixels.
constexpr long long kSmallestFontPixels = 1;
constexpr long long kLargestFontPixels = 200;

// The buttons of each place: training set first, then the match set.
constexpr Command kPlace1Training = Command::NewDraw;
constexpr Command kPlace2Training = Command::ShowSolutions;
constexpr Command kPlace1Match = Command::Continue;
constexpr Command kPlace2Match = Command::Check;

} // namespace

PanoWindow::PanoWindow(AppServices& app, Game game, const std::string& section, QWidget* parent)
    : BmpViewWindow(app, section, parent), app_(app), game_(game) {
    resultBox_ = new ResultEdit(this);
    MakeButton(kPlace1Training, true);
    MakeButton(kPlace2Training, false);
    MakeButton(kPlace1Match, true);
    MakeButton(kPlace2Match, false);

    GameState& state = app_.State();
    const auto outsideMatch = [&state] { return !state.Competition(); };
    commands_.EnableWhen(Command::NewDraw, outsideMatch);
    commands_.EnableWhen(Command::ShowSolutions, outsideMatch);
    commands_.EnableWhen(Command::PlayNumbers, outsideMatch);
    commands_.EnableWhen(Command::PlayLetters, outsideMatch);
    commands_.EnableWhen(Command::Options, outsideMatch);
    commands_.EnableWhen(Command::Continue, [&state] { return state.Competition(); });
    commands_.EnableWhen(Command::Check, [&state, game] { return state.CanCheck(game); });
    commands_.OnCommand(Command::Fonts, [this] { ChooseResultFont(); });
    commands_.OnCommand(Command::Colours, [this] { ChooseBackgroundColour(); });
    connect(&state, &GameState::changed, this, &PanoWindow::FollowMode);
    // Leaving the results box by the keyboard goes to "No&uveau" or "&Poursuivre".
    connect(resultBox_, &ResultEdit::leaveRequested, this, [this] { FirstButton()->setFocus(Qt::TabFocusReason); });
    commands_.OnCommand(Command::Check, [this] { ReviewNext(); });
}

PanoWindow::~PanoWindow() = default;

HlpStrButton* PanoWindow::MakeButton(Command command, bool tabStop) {
    auto* button = new HlpStrButton(command, this);
    button->hide();
    button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    connect(button, &QPushButton::clicked, this, [this, command] { app_.RunCommand(command); });
    connect(button, &HlpStrButton::hintShown, this, [this](const QString& hint) { app_.ShowHint(hint); });
    connect(button, &HlpStrButton::hintCleared, this, [this] { app_.ShowHint({}); });
    buttons_[command] = button;
    return button;
}

HlpStrButton* PanoWindow::MakeGameButton(Command command) {
    return MakeButton(command, false);
}

HlpStrButton* PanoWindow::Button(Command command) const {
    const auto found = buttons_.find(command);
    return found == buttons_.end() ? nullptr : found->second;
}

void PanoWindow::EnsureSetUp() {
    if (setUp_)
        return;
    setUp_ = true;
    SetupWindow();
}

void PanoWindow::SetupWindow() {
    LoadResultFont();
    LoadColour();
    LoadBackground(app_.State().Level());
    PlaceChildren();
    competitionButtons_ = !app_.State().Competition();
    FollowMode();
}

bool PanoWindow::CanClose() {
    StopSearch();
    // A pane never shown has read nothing, so it has nothing to write back.
    if (setUp_)
        SaveResultFont();
    if (Changed())
        SaveBackground(ShownLevel());
    return true;
}

void PanoWindow::Activate() {
    FirstButton()->setFocus(Qt::OtherFocusReason);
}

HlpStrButton* PanoWindow::FirstButton() const {
    return Button(competitionButtons_ ? kPlace1Match : kPlace1Training);
}

void PanoWindow::PlaceChildren() {
    const Layout& layout = CurrentLayout();
    resultBox_->setGeometry(layout.ResultRect());
    const QSize buttonSize(layout.BUTTON_WDTH, layout.BUTTON_HGHT);
    for (const auto& [command, button] : buttons_) {
        const bool place1 = command == kPlace1Training || command == kPlace1Match;
        const bool place2 = command == kPlace2Training || command == kPlace2Match;
        const int place = place1 ? 1 : place2 ? 2 : 3;
        button->setGeometry(QRect(layout.ButtonPlace(place), buttonSize));
        button->setFont(app_.Fonts().buttonFont);
        // The buttons of places 1 and 2 are drawn as default buttons.
        button->setDefault(place != 3);
    }
}

void PanoWindow::FollowMode() {
    const bool competition = app_.State().Competition();
    if (!setUp_ || competition == competitionButtons_)
        return;
    competitionButtons_ = competition;
    for (const auto& [command, button] : buttons_) {
        const bool matchButton = command == kPlace1Match || command == kPlace2Match;
        button->setVisible(matchButton == competition);
    }
}

void PanoWindow::UpdateButtons(const CommandRouter& router) {
    for (const auto& [command, button] : buttons_)
        button->setEnabled(router.IsEnabled(command));
}

void PanoWindow::AppendSeparator(std::string& text) const {
    const QFontMetrics metrics(resultFont_);
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const int underscore = metrics.horizontalAdvance(QLatin1Char('_'));
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = CurrentLayout().RESULT_WDTH - kRuleLength * underscore - scrollBar;
    const int spaces = space > 0 && width > 0 ? (width / space) / 2 : 0;
    text.append(static_cast<std::size_t>(spaces), ' ');
    text.append(static_cast<std::size_t>(kRuleLength), '_');
    text.append("\n");
}

const Layout& PanoWindow::CurrentLayout() const {
    return app_.CurrentLayout();
}

QRect PanoWindow::ResultArea() const {
    return {resultBox_->mapToGlobal(QPoint(0, 0)), resultBox_->size()};
}

void PanoWindow::SeeSolutions() {
    if (!TakeDraw())
        return;
    if (RoundSearchRunning()) {
        const int groupStart = resultBox_->EndPosition();
        ShowBatch(false);
        LeadReaderTo(groupStart);
        return;
    }
    if (ReadyForRound())
        PlayTrainingRound();
}

void PanoWindow::PlayTrainingRound() {
    // What is left of the previous search (its message first) is gone before
    // the search state takes the new draw.
    if (!HaltSearch())
        return;
    Channel().TakeText();
    resultBox_->clear();
    StartSolutionsSearch();
    std::string verdict = AskPlayer(ResultArea());
    AppendSeparator(verdict);
    resultBox_->Append(verdict);
    ShowBatch(true);
    // The verdict, then the first group, are read from the top of the box.
    LeadReaderTo(0);
}

void PanoWindow::LeadReaderTo(int position) {
    if (app_.ScreenReaderActive())
        resultBox_->ReadFrom(position);
}

bool PanoWindow::ShowBatch(bool first) {
    if (WaitBatch() != SearchChannel::WaitResult::Ready)
        return false;
    // A search asked to stop hands nothing more over, whether its worker was
    // between two batches or still searching when the stop came: the worker
    // is waited for before the pane reads the search's state for its remark,
    // and a stop that left no text shows nothing at all.
    const bool stopped = Channel().Stopped();
    if (stopped && !HaltSearch())
        return false;
    const bool last = stopped || Channel().Complete();
    std::string text = Channel().TakeText();
    if (stopped && text.empty())
        return false;
    if (first)
        text = app_.State().Competition() ? ReviewBatchText(std::move(text)) : FirstBatchText(std::move(text));
    resultBox_->Append(text);
    Channel().Continue();
    // After the last batch the search is over: the next "&Voir" plays a new round.
    if (last)
        HaltSearch();
    return !last;
}

void PanoWindow::PlayMatchRound(const MatchRound& round) {
    GameState& state = app_.State();
    state.SetCanCheck(game_, false);
    if (!HaltSearch())
        return;
    Channel().TakeText();
    resultBox_->clear();
    if (!DrawForMatch(round))
        return;
    // The computer searches while the player's clock runs.
    StartComputerSearch(round.level);
    std::string verdict = AskPlayer(ResultArea());
    AppendSeparator(verdict);
    resultBox_->Append(verdict);
    const bool answered = WaitComputer();
    std::string computer = ComputerAnswerText(answered);
    resultBox_->Append(computer);
    // The whole round, the verdict first, is read from the top of the box.
    LeadReaderTo(0);
    // Marked before the report: the report of the round that decides the
    // match leaves it unmodified, as there is nothing left to save.
    state.SetMatchModified(true);
    app_.ReportRound(MatchReport());
    if (!state.Competition())
        return;
    // The round's solutions, for "&Vérifier".
    if (!HaltSearch())
        return;
    Channel().TakeText();
    StartSolutionsSearch();
    firstReviewPending_ = true;
    state.SetCanCheck(game_, true);
}

void PanoWindow::ReviewNext() {
    const int groupStart = resultBox_->EndPosition();
    const bool first = firstReviewPending_;
    firstReviewPending_ = false;
    // A search that ended, or was stopped, has nothing more to review: the
    // command goes grey rather than wait for a batch that will never come.
    if (!ShowBatch(first)) {
        app_.State().SetCanCheck(game_, false);
        Button(kPlace1Match)->setFocus(Qt::OtherFocusReason);
    }
    LeadReaderTo(groupStart);
}

void PanoWindow::EnterCompetition() {
    // A training worker stopped but not yet gone may still be emptying its
    // text: it is waited for before what it left is dropped.
    if (HaltSearch())
        Channel().TakeText();
    resultBox_->clear();
    firstReviewPending_ = false;
    app_.State().SetCanCheck(game_, false);
    FollowMode();
    // The background of the level left is kept before that of the match shows.
    if (Changed())
        SaveBackground(ShownLevel());
    LoadBackground(app_.State().Level());
}

void PanoWindow::LeaveCompetition() {
    StopSearch();
    firstReviewPending_ = false;
    app_.State().SetCanCheck(game_, false);
    FollowMode();
    // The match's background is kept as that of its level; training's comes back.
    if (Changed())
        SaveBackground(ShownLevel());
    LoadBackground(0);
}

void PanoWindow::StopSearch() {
    Channel().Stop();
}

bool PanoWindow::HaltSearch() {
    SearchChannel& channel = Channel();
    channel.Stop();
    const auto ended =
        SliceWait(app_.Gate())
            .Run([&channel](std::chrono::milliseconds slice) { return channel.WaitEndFor(slice); }, kHaltLimit);
    if (ended != SearchChannel::WaitResult::TimedOut)
        channel.Join();
    ShowWorkerMessage();
    return ended != SearchChannel::WaitResult::TimedOut;
}

SearchChannel::WaitResult PanoWindow::WaitBatch() {
    SearchChannel& channel = Channel();
    const auto result =
        SliceWait(app_.Gate()).Run([&channel](std::chrono::milliseconds slice) { return channel.WaitBatchFor(slice); });
    ShowWorkerMessage();
    return result;
}

bool PanoWindow::WaitComputer() {
    SearchChannel& channel = Channel();
    const auto result = SliceWait(app_.Gate()).Run([&channel](std::chrono::milliseconds slice) {
        return channel.WaitComputerFor(slice);
    });
    ShowWorkerMessage();
    return result == SearchChannel::WaitResult::Ready;
}

void PanoWindow::ShowWorkerMessage() {
    const std::string caption = Channel().WorkerMessageCaption();
    const std::string message = Channel().TakeWorkerMessage();
    if (!message.empty())
        WorkerMessages().Tell(message, caption.empty() ? AppServices::kProgramName : caption, PromptIcon::Exclamation);
}

Prompter& PanoWindow::WorkerMessages() {
    return Prompter::Active();
}

void PanoWindow::SetResultFont(const QFont& font) {
    resultFont_ = font;
    resultBox_->setFont(font);
}

void PanoWindow::ChooseResultFont() {
    ChooseFontDialog dialog(this, app_, CommandCatalog::Of(Command::Fonts).helpTopic, kLargestResultFontPoints);
    if (const std::optional<QFont> chosen = dialog.Choose(resultFont_))
        SetResultFont(*chosen);
}

void PanoWindow::ChooseBackgroundColour() {
    Profile control(app_.Settings().File().parent_path() / "control.ini", Profile::ReadOnlyRule::Respect);
    const ColourRef::CustomColours before = ColourRef::ReadCustomColours(control);
    for (int slot = 0; slot < static_cast<int>(before.size()); ++slot) {
        const std::uint32_t colour = before[static_cast<std::size_t>(slot)];
        QColorDialog::setCustomColor(slot,
                                     QColor(ColourRef::Red(colour), ColourRef::Green(colour), ColourRef::Blue(colour)));
    }
    HelpKeyFilter helpKeys(app_);
    QColorDialog dialog(BackgroundColour(), this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    SetHelpTopic(&dialog, CommandCatalog::Of(Command::Colours).helpTopic);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* help = buttons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
        connect(help, &QPushButton::clicked, this, [this] { app_.RunCommand(Command::ContextHelp); });
    }
    if (dialog.exec() == QDialog::Accepted)
        ChooseColour(dialog.selectedColor());
    // The custom colours the player edited are kept even when the dialog was given up.
    ColourRef::CustomColours now{};
    for (int slot = 0; slot < static_cast<int>(now.size()); ++slot) {
        const QColor colour = QColorDialog::customColor(slot);
        now[static_cast<std::size_t>(slot)] = ColourRef::FromRgb(colour.red(), colour.green(), colour.blue());
    }
    ColourRef::WriteChangedCustomColours(control, before, now);
}

void PanoWindow::LoadResultFont() {
    Profile& settings = app_.Settings();
    const std::string& section = Section();
    QFont font(
        QString::fromStdString(settings.ReadString(section, keys::kFontFace, "Arial", Profile::kMaxValueLength)));
    // A negative height is that of the characters, a positive one that of the
    // cell; a damaged value is brought into what a results box can show.
    const long long height = std::llabs(static_cast<long long>(settings.ReadInt(section, keys::kFontHeight, -16)));
    font.setPixelSize(static_cast<int>(std::clamp(height, kSmallestFontPixels, kLargestFontPixels)));
    const int weight = settings.ReadInt(section, keys::kFontWeight, 700);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setItalic(settings.ReadInt(section, keys::kFontItalic, 0) != 0);
    SetResultFont(font);
}

void PanoWindow::SaveResultFont() {
    Profile& settings = app_.Settings();
    const std::string& section = Section();
    int pixels = resultFont_.pixelSize();
    if (pixels <= 0) {
        const QScreen* shownOn = screen();
        const double dpi = shownOn != nullptr ? shownOn->logicalDotsPerInchY() : 96.0;
        pixels = static_cast<int>(std::lround(resultFont_.pointSizeF() * dpi / 72.0));
    }
    settings.WriteString(section, keys::kFontFace, resultFont_.family().toStdString());
    settings.WriteInt(section, keys::kFontHeight, -pixels);
    settings.WriteInt(section, keys::kFontWeight, static_cast<int>(resultFont_.weight()));
    settings.WriteInt(section, keys::kFontItalic, resultFont_.italic() ? 1 : 0);
}

} // namespace lexinum
