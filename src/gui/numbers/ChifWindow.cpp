#include "numbers/ChifWindow.h"

#include "common/Profile.h"
#include "numbers/ChifEnterDialog.h"
#include "core/numbers/NumbersRoundText.h"
#include "presentation/ChifEdit.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"
#include "shell/Layout.h"
#include "shell/SettingsKeys.h"

#include <climits>
#include <string>

namespace lexinum {

namespace {

constexpr const char* kSection = keys::kNumbers;

int DigitCount(int value) {
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

} // namespace

ChifWindow::ChifWindow(AppServices& app, QWidget* parent) : PanoWindow(app, Game::Numbers, kSection, parent) {
    setAccessibleName(QString::fromUtf8(GameTitle(Game::Numbers)));
    MakeGameButton(Command::PlayLetters);
    ReadSettings();

    for (int i = 0; i < NumberDraw::kNumberCount; ++i) {
        auto* box = new ChifEdit(NumberRule(), kNumberBoxLength, this);
        box->setAccessibleName(QStringLiteral("Nombre %1").arg(i + 1));
        connect(box, &ChifEdit::valueAccepted, this, [this, i](int value) {
            int& number = draw_.numbers[static_cast<std::size_t>(i)];
            if (value != number) {
                number = value;
                StopSearch();
            }
        });
        numberBoxes_[static_cast<std::size_t>(i)] = box;
    }
    targetBox_ = new ChifEdit(TargetRule(), kTargetBoxLength, this);
    targetBox_->setAccessibleName(QStringLiteral("Compte"));
    connect(targetBox_, &ChifEdit::valueAccepted, this, [this](int value) {
        if (value != draw_.target) {
            draw_.target = value;
            StopSearch();
        }
    });
    // The keyboard goes through the numbers, the target, then "No&uveau".
    for (int i = 0; i + 1 < NumberDraw::kNumberCount; ++i)
        setTabOrder(numberBoxes_[static_cast<std::size_t>(i)], numberBoxes_[static_cast<std::size_t>(i) + 1]);
    setTabOrder(numberBoxes_.back(), targetBox_);
    setTabOrder(targetBox_, Button(Command::NewDraw));

    MutableCommands().OnCommand(Command::NewDraw, [this] {
        NewDraw();
        // A screen reader is led to the new draw, as when the game comes forward.
        if (App().ScreenReaderActive())
            FocusFirstNumber();
    });
    MutableCommands().OnCommand(Command::ShowSolutions, [this] { SeeSolutions(); });
    MutableCommands().OnCommand(Command::Options, [this] { ChangeOptions(); });
    MutableCommands().OnCommand(Command::PlayLetters, [this] { App().ShowGame(Game::Letters); });
}

void ChifWindow::ReadSettings() {
    Profile& settings = App().Settings();
    // A damaged file never gives a range the pane cannot draw from or show.
    const NumberBoxRule::TargetRange range = NumberBoxRule::UsableTargetRange(
        settings.ReadInt(kSection, keys::kMinTarget, NumberDraw::kCompetitionMinTarget),
        settings.ReadInt(kSection, keys::kMaxTarget, NumberDraw::kCompetitionMaxTarget));
    options_.minTarget = range.min;
    options_.maxTarget = range.max;
    options_.limitedNumbers = settings.ReadInt(kSection, keys::kLimitedNumbers, 1) != 0;
}

void ChifWindow::SaveSettings() {
    Profile& settings = App().Settings();
    settings.WriteInt(kSection, keys::kMaxTarget, options_.maxTarget);
    settings.WriteInt(kSection, keys::kMinTarget, options_.minTarget);
    settings.WriteInt(kSection, keys::kLimitedNumbers, options_.limitedNumbers ? 1 : 0);
}

NumberBoxRule ChifWindow::NumberRule() const {
    return NumberBoxRule::ForNumber(App().State().Competition(), options_.limitedNumbers);
}

NumberBoxRule ChifWindow::TargetRule() const {
    return NumberBoxRule::ForTarget(App().State().Competition(), options_.minTarget, options_.maxTarget);
}

void ChifWindow::ApplyBoxRules() {
    for (ChifEdit* box : numberBoxes_)
        box->SetRule(NumberRule());
    targetBox_->SetRule(TargetRule());
}

void ChifWindow::SetupWindow() {
    PanoWindow::SetupWindow();
    ApplyBoxRules();
    // First shown during a match: the match's rules, read-only boxes and no draw yet.
    if (App().State().Competition()) {
        EnterCompetition();
        return;
    }
    NewDraw();
    FocusFirstNumber();
}

bool ChifWindow::CanClose() {
    PanoWindow::CanClose();
    // A pane never shown has read nothing it could have changed.
    if (IsSetUp()) {
        SaveColour();
        SaveSettings();
    }
    return true;
}

void ChifWindow::Activate() {
    if (!App().State().Competition()) {
        NewDraw();
        FocusFirstNumber();
    } else {
        ShowDraw(NumberDraw::Placeholder());
        App().State().SetCanCheck(Game::Numbers, false);
        Button(Command::Continue)->setFocus(Qt::OtherFocusReason);
    }
    ResultBox()->clear();
}

void ChifWindow::FocusFirstNumber() {
    numberBoxes_.front()->setFocus(Qt::OtherFocusReason);
    numberBoxes_.front()->selectAll();
}

void ChifWindow::PlaceChildren() {
    PanoWindow::PlaceChildren();
    const Layout& layout = CurrentLayout();
    for (int i = 0; i < NumberDraw::kNumberCount; ++i) {
        ChifEdit* box = numberBoxes_[static_cast<std::size_t>(i)];
        box->setGeometry(layout.NUMBER_RECT.translated(i * (layout.BOX_WDTH + layout.CHAR_WDTH), 0));
        box->setFont(App().Fonts().baseFont);
    }
    targetBox_->setFont(App().Fonts().bigFont);
    FitTargetBox();
}

void ChifWindow::FitTargetBox() {
    // The box is drawn for three digits; it widens (or narrows) by a big
    // character per digit of the largest target, staying centred.
    const int largest = App().State().Competition() ? NumberDraw::kCompetitionMaxTarget : options_.maxTarget;
    const Layout& layout = CurrentLayout();
    const int shift = (DigitCount(largest) - 3) * layout.HALF_BIG_CHAR;
    targetBox_->setGeometry(layout.TARGET_RECT.adjusted(-shift, 0, shift, 0));
}

void ChifWindow::ShowDraw(const NumberDraw& draw) {
    draw_ = draw;
    for (int i = 0; i < NumberDraw::kNumberCount; ++i)
        numberBoxes_[static_cast<std::size_t>(i)]->ShowValue(draw_.numbers[static_cast<std::size_t>(i)]);
    targetBox_->ShowValue(draw_.target);
}

void ChifWindow::NewDraw() {
    StopSearch();
    if (App().State().Competition())
        ShowDraw(NumberDraw::Competition());
    else
        ShowDraw(NumberDraw::Training(options_.limitedNumbers, options_.minTarget, options_.maxTarget));
    ResultBox()->clear();
    // With the cursor in a box (the draw asked from the keyboard), its new
    // number is selected: what the player types next replaces it.
    for (ChifEdit* box : numberBoxes_)
        if (box->hasFocus())
            box->selectAll();
    if (targetBox_->hasFocus())
        targetBox_->selectAll();
}

bool ChifWindow::TakeDraw() {
    // Every box is checked, not only the target: a number box showing a
    // refused text would otherwise stand for the value it had before.
    if (!targetBox_->Validate())
        return false;
    for (ChifEdit* box : numberBoxes_)
        if (!box->Validate())
            return false;
    NumberDraw shown;
    shown.target = *targetBox_->Value();
    for (int i = 0; i < NumberDraw::kNumberCount; ++i)
        shown.numbers[static_cast<std::size_t>(i)] = *numberBoxes_[static_cast<std::size_t>(i)]->Value();
    if (shown.numbers != draw_.numbers || shown.target != draw_.target) {
        draw_ = shown;
        StopSearch();
    }
    return true;
}

void ChifWindow::StartSolutionsSearch() {
    NumbersSolver& solver = solver_.Search();
    solver.SetDraw(draw_.numbers, draw_.target);
    // In training the search starts before the player answers (the pane
    // makes the closing remark again once he has); after a match round his
    // answer is known.
    solver.SetPlayerResult(App().State().Competition() ? player_.playerResult() : 0);
    solver.ClearPiles();
    solver_.Start([](NumbersSolver& search, SearchChannel& channel) { search.SolutionsSearch(channel); });
}

std::string ChifWindow::AskPlayer(const QRect& area) {
    // No time limit in training.
    ChifEnterDialog dialog(this, App(), player_, draw_.numbers, draw_.target, area);
    dialog.exec();
    return player_.VerdictText();
}

std::string ChifWindow::FirstBatchText(std::string batch) {
    const NumbersSolver& solver = solver_.Search();
    if (solver.ExactFound())
        return NumbersRoundText::TrainingHeader(true, static_cast<int>(solver.SimplestOps()), player_) + batch;
    // The search ended long before the player answered: its remark on the
    // nearest calculation is made again for the answer given.
    return solver.NearestText(player_.playerResult());
}

void ChifWindow::SetBoxesReadOnly(bool readOnly) {
    for (ChifEdit* box : numberBoxes_)
        box->setReadOnly(readOnly);
    targetBox_->setReadOnly(readOnly);
}

void ChifWindow::EnterCompetition() {
    PanoWindow::EnterCompetition();
    ShowDraw(NumberDraw::Placeholder());
    ApplyBoxRules();
    FitTargetBox();
    SetBoxesReadOnly(true);
    if (isVisible())
        PanoWindow::Activate();
}

void ChifWindow::LeaveCompetition() {
    PanoWindow::LeaveCompetition();
    ApplyBoxRules();
    FitTargetBox();
    SetBoxesReadOnly(false);
    if (isVisible())
        FocusFirstNumber();
}

bool ChifWindow::DrawForMatch(const MatchRound&) {
    NewDraw();
    return true;
}

void ChifWindow::StartComputerSearch(int level) {
    NumbersSolver& solver = solver_.Search();
    solver.SetDraw(draw_.numbers, draw_.target);
    solver.SetLevel(level);
    solver.ClearPiles();
    solver_.Start([](NumbersSolver& search, SearchChannel& channel) { search.ComputerSearch(channel); });
}

std::string ChifWindow::ComputerAnswerText(bool answered) {
    const NumbersSolver& solver = solver_.Search();
    computerExact_ = answered && solver.ComputerExact();
    computerOps_ = computerExact_ ? static_cast<int>(solver.ComputerOps()) : 0;
    // A search that gave no answer at all (stopped) reached nothing.
    computerDistance_ = computerExact_ ? 0 : answered ? solver.BestDistance() : INT_MAX;
    std::string text = Channel().TakeText();
    // Not exact: how near the computer came, against the player, and its calculation.
    if (answered && !computerExact_)
        text += solver.NearestText(player_.playerResult());
    return text;
}

RoundReport ChifWindow::MatchReport() const {
    NumbersRoundReport report;
    report.computerExact = computerExact_;
    report.computerDistance = computerDistance_;
    report.playerResult = player_.playerResult();
    report.target = draw_.target;
    return report;
}

std::string ChifWindow::ReviewBatchText(std::string batch) {
    const NumbersSolver& solver = solver_.Search();
    std::string text;
    AppendSeparator(text);
    text += NumbersRoundText::ReviewHeader(solver.ExactFound(), static_cast<int>(solver.SimplestOps()), player_,
                                           computerExact_, computerOps_);
    return text + batch;
}

void ChifWindow::ChangeOptions() {
    ChifOptionsDialog dialog(this, App(), options_);
    if (dialog.exec() == QDialog::Accepted)
        ApplyOptions(dialog.Options());
}

void ChifWindow::ApplyOptions(const NumbersOptions& options) {
    options_ = options;
    ApplyBoxRules();
    FitTargetBox();
    NewDraw();
}

} // namespace lexinum
