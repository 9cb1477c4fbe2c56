#include "app/Match.h"

#include "app/GameFileDialog.h"
#include "app/LevelDialog.h"
#include "app/ScoreWindow.h"
#include "app/TivApp.h"
#include "app/TivFrame.h"
#include "common/AsciiCase.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "letters/MotWindow.h"
#include "match/Levels.h"
#include "match/SavedGame.h"
#include "match/TopTen.h"
#include "numbers/ChifWindow.h"
#include "shell/Layout.h"
#include "shell/SettingsKeys.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>
#include <cctype>

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
    const GameState& state = app_.State();
    if (!state.Competition() || !state.MatchModified() || state.MatchOver())
        return true;
    switch (Prompter::Active().Ask("Partie modifiée!\r\nVoulez-vous sauvegarder la partie en cours?",
                                   AppServices::kProgramName, PromptIcon::Question, PromptButtons::YesNoCancel)) {
    case PromptAnswer::No:
        return true;
    case PromptAnswer::Yes:
        // A save dismissed or failed does not go on to lose the match.
        return Save();
    default:
        return false;
    }
}

bool Match::Save() {
    if (app_.State().Untitled() || matchFile_.isEmpty())
        return SaveAs();
    return Write(matchFile_);
}

bool Match::SaveAs() {
    GameFileData& data = app_.GameData();
    if (app_.State().Untitled())
        data.fileName.clear();
    GameFileDialog dialog(app_.Frame(), app_, GameFileDialog::Purpose::Save, data);
    const QString file = dialog.Choose();
    if (file.isEmpty())
        return false;
    data.fileName = file.toStdString();
    return Write(file);
}

bool Match::Write(const QString& file) {
    GameState& state = app_.State();
    if (keeper_ == nullptr)
        return false;
    // Saved again without a round played: nothing has changed.
    if (!state.MatchModified() && file == matchFile_)
        return true;
    SavedGame game;
    game.playerName = playerName_;
    game.level = state.Level();
    game.counters = keeper_->Counters();
    game.TakeBags(app_.LettersPane()->Lexicon());
    game.radical = app_.LettersPane()->Lexicon().Radical();
    const SavedGame::Result written = SavedGame::Write(file.toStdString(), game);
    if (!written.Ok()) {
        Prompter::Active().Tell(written.message, SavedGame::kCaption, PromptIcon::Exclamation);
        return false;
    }
    matchFile_ = file;
    state.SetMatchModified(false);
    state.SetUntitled(false);
    return true;
}

void Match::Resume() {
    MotWindow* letters = app_.LettersPane();
    letters->EnsureSetUp();
    if (!letters->EnsureLexicon() || !AskSaveModified())
        return;
    GameFileDialog dialog(app_.Frame(), app_, GameFileDialog::Purpose::Resume, app_.GameData());
    const QString file = dialog.Choose();
    if (!file.isEmpty())
        ReadSavedGame(file);
}

void Match::ResumeFromCommandLine(const QString& file) {
    MotWindow* letters = app_.LettersPane();
    letters->EnsureSetUp();
    if (letters->EnsureLexicon())
        ReadSavedGame(file);
}

void Match::ReadSavedGame(const QString& file) {
    app_.GameData().fileName = file.toStdString();
    SavedGame game;
    const SavedGame::Result read = SavedGame::Read(file.toStdString(), game);
    if (!read.Ok()) {
        Prompter::Active().Tell(read.message, SavedGame::kCaption, PromptIcon::Exclamation);
        return;
    }
    // The match goes on with the lexicon it was played with.
    MotWindow* letters = app_.LettersPane();
    const bool sameLexicon = SameIgnoringCase(game.radical, letters->Lexicon().Radical());
    if (!sameLexicon && !letters->LocateLexicon(game.radical))
        return;
    if (game.HasBags())
        letters->RestoreBags(game.vowelBag, game.consonantBag);
    Begin(app_.State().Level(), game.level, game.playerName, game.counters);
    matchFile_ = file;
    app_.State().SetUntitled(false);
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

    Begin(oldLevel, dialog.Level(), dialog.Name().toStdString(), MatchCounters{});
    matchFile_.clear();
    state.SetUntitled(true);
}

void Match::Begin(int oldLevel, int level, const std::string& name, const MatchCounters& counters) {
    GameState& state = app_.State();
    playerName_ = name;
    Enter(oldLevel, level);
    keeper_ = std::make_unique<ScoreKeeper>(playerName_);
    keeper_->SetCounters(counters);
    // The pane of the next round comes forward once in the match, so that
    // it makes no training draw on the way: a new match begins with letters.
    app_.ShowGame(keeper_->NextRoundIsNumbers() ? Game::Numbers : Game::Letters);
    state.SetMatchModified(false);
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
        // The result enters the Top Ten of its level. A decided match has
        // nothing left to save and cannot be resumed; it waits for "&Poursuivre".
        TopTenEntry entry;
        entry.name = playerName_;
        entry.playerSets = keeper_->PlayerSets();
        entry.computerSets = keeper_->ComputerSets();
        entry.when = TopTenTime::Now();
        // The match's file goes once its result is recorded; while the Top
        // Ten cannot take it (a full disk), that file is all that is left of it.
        if (UpdateTopTen(app_.DataFolder().toStdString(), app_.State().Level(), entry) != TopTenUpdate::Failed)
            DeleteMatchFile();
        GameState& state = app_.State();
        state.SetMatchOver(true);
        state.SetMatchModified(false);
    }
}

void Match::DeleteMatchFile() {
    // Only the file of this match, never another one last named in the dialog.
    if (matchFile_.isEmpty())
        return;
    QFile::setPermissions(matchFile_, QFile::permissions(matchFile_) | QFile::WriteOwner);
    QFile::remove(matchFile_);
    matchFile_.clear();
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
