#include "app/Match.h"

#include "app/LevelDialog.h"
#include "app/ScoreWindow.h"
#include "app/TivApp.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "letters/MotWindow.h"
#include "match/Levels.h"
#include "numbers/ChifWindow.h"
#include "shell/Layout.h"
#include "shell/SettingsKeys.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

namespace lexinum {

namespace {

// The widths of the message bar's gadgets, in characters.
constexpr int kLevelGadgetChars = 10;
constexpr int kSetsGadgetChars = 7;
constexpr int kRoundGadgetChars = 12;
// The longest name read back from the settings.
constexpr std::size_t kLongestSavedName = 11;

QLabel* MakeGadget(QStatusBar* bar, int characters, const QString& description) {
    auto* gadget = new QLabel(bar);
    gadget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    gadget->setAlignment(Qt::AlignCenter);
    gadget->setMinimumWidth(characters * QFontMetrics(bar->font()).averageCharWidth());
    // A screen reader reads the text as the gadget's name, and this as what it is.
    gadget->setAccessibleDescription(description);
    bar->addPermanentWidget(gadget);
    return gadget;
}

} // namespace

Match::Match(TivApp& app) : app_(app) {}

Match::~Match() = default;

bool Match::AskSaveModified() {
    return true;
}

void Match::Start() {
    MotWindow* letters = app_.LettersPane();
    if (letters == nullptr)
        return;
    letters->EnsureSetUp();
    // No match without a lexicon: it is located first, or the numbers game is offered.
    if (!letters->EnsureLexicon())
        return;
    if (!AskSaveModified())
        return;

    GameState& state = app_.State();
    const int oldLevel = state.Level();
    int level = oldLevel;
    std::string name = playerName_;
    const Profile& settings = app_.Settings();
    if (name.empty()) {
        name = settings.ReadString(keys::kCompetition, keys::kLastPlayer, "", kLongestSavedName);
    }
    if (level == kNoLevel) {
        level = settings.ReadInt(keys::kCompetition, keys::kLastLevel, kHighestLevel);
        if (level == kNoLevel)
            level = kHighestLevel;
    }
    LevelDialog dialog(app_.Frame(), app_, level, QString::fromStdString(name));
    if (dialog.exec() != QDialog::Accepted)
        return;

    playerName_ = dialog.Name().toStdString();
    Enter(oldLevel, dialog.Level());
    // A match always begins in the letters pane (brought forward once in
    // the match, so that it makes no training draw on the way).
    if (!state.LettersShown())
        app_.ShowGame(Game::Letters);
    state.SetUntitled(true);
    state.SetMatchModified(false);
    keeper_ = std::make_unique<ScoreKeeper>(playerName_);
    window_ = new ScoreWindow(app_.ShownPane(), app_, *keeper_);
    FollowPane();
    CreateGadgets();
    state.SetMatchOver(false);
}

void Match::Enter(int oldLevel, int newLevel) {
    // A match replaced by another keeps nothing of it.
    if (IsLevel(oldLevel)) {
        RemoveGadgets();
        delete window_.data();
        keeper_.reset();
    }
    GameState& state = app_.State();
    state.SetLevel(newLevel);
    state.SetCompetition(true);
    app_.LettersPane()->EnterCompetition();
    if (app_.NumbersPane() != nullptr && app_.NumbersPane()->IsSetUp())
        app_.NumbersPane()->EnterCompetition();
}

void Match::Continue() {
    GameState& state = app_.State();
    PanoWindow* pane = app_.ShownPane();
    if (keeper_ == nullptr || pane == nullptr)
        return;
    pane->StopSearch();
    state.SetCanCheck(pane->GameOf(), false);
    if (state.MatchOver()) {
        End();
        state.SetMatchOver(false);
        return;
    }
    const Game next = keeper_->NextRoundIsNumbers() ? Game::Numbers : Game::Letters;
    if (next != pane->GameOf()) {
        app_.ShowGame(next);
        return;
    }
    PanoWindow::MatchRound round;
    round.level = state.Level();
    round.setStarts = keeper_->NextRoundStartsSet();
    pane->PlayMatchRound(round);
}

void Match::Score(const RoundReport& report) {
    if (keeper_ == nullptr)
        return;
    const RoundOutcome outcome = keeper_->Report(report);
    if (window_ != nullptr)
        window_->RefreshPoints();
    ShowScore();
    for (const std::string& message : outcome.messages)
        Tell(message);
    if (outcome.decided) {
        // A decided match has nothing left to save; it waits for "&Poursuivre".
        GameState& state = app_.State();
        state.SetMatchOver(true);
        state.SetMatchModified(false);
    }
}

void Match::Quit() {
    if (!AskSaveModified())
        return;
    app_.State().SetMatchOver(false);
    End();
}

void Match::End() {
    GameState& state = app_.State();
    if (!state.Competition())
        return;
    const int level = state.Level();
    state.SetCompetition(false);
    state.SetLevel(kNoLevel);
    app_.LettersPane()->LeaveCompetition();
    if (app_.NumbersPane() != nullptr && app_.NumbersPane()->IsSetUp())
        app_.NumbersPane()->LeaveCompetition();
    RemoveGadgets();
    delete window_.data();
    keeper_.reset();
    // Proposed by the next "&Nouvelle partie...".
    Profile& settings = app_.Settings();
    settings.WriteInt(keys::kCompetition, keys::kLastLevel, IsLevel(level) ? level : kHighestLevel);
    settings.WriteString(keys::kCompetition, keys::kLastPlayer, playerName_);
}

void Match::FollowPane() {
    PanoWindow* pane = app_.ShownPane();
    if (window_ == nullptr || pane == nullptr)
        return;
    if (window_->parentWidget() != pane)
        window_->setParent(pane);
    window_->setGeometry(app_.CurrentLayout().SCORE_RECT);
    window_->show();
    window_->raise();
}

void Match::CreateGadgets() {
    QStatusBar* bar = app_.Frame()->statusBar();
    levelGadget_ = MakeGadget(bar, kLevelGadgetChars, QStringLiteral("Niveau de l'ordinateur"));
    setsGadget_ = MakeGadget(bar, kSetsGadgetChars, QStringLiteral("Manches gagnées, vous puis l'ordinateur"));
    roundGadget_ = MakeGadget(bar, kRoundGadgetChars, QStringLiteral("Manche en cours"));
    levelGadget_->setText(QString::fromStdString(LevelName(app_.State().Level())));
    ShowScore();
}

void Match::ShowScore() {
    if (keeper_ == nullptr || setsGadget_ == nullptr)
        return;
    setsGadget_->setText(QString::fromStdString(keeper_->SetsText()));
    roundGadget_->setText(QString::fromStdString(keeper_->RoundText()));
}

void Match::RemoveGadgets() {
    for (QLabel** gadget : {&levelGadget_, &setsGadget_, &roundGadget_}) {
        delete *gadget;
        *gadget = nullptr;
    }
}

void Match::Tell(const std::string& message) {
    Prompter::Active().Tell(message, AppServices::kProgramName, PromptIcon::None);
}

} // namespace lexinum
