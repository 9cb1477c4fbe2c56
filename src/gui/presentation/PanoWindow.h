#pragma once

#include "common/SearchChannel.h"
#include "match/RoundReport.h"
#include "presentation/BmpViewWindow.h"
#include "shell/CommandTable.h"
#include "shell/GameState.h"

#include <QFont>

#include <chrono>
#include <map>
#include <string>

namespace lexinum {

class Prompter;

class AppServices;
class CommandRouter;
class HlpStrButton;
class ResultEdit;
struct Layout;

// What both game panes share: the results box, the two sets of buttons (new
// draw, solutions and the switch of game in training; continue and check in a
// match) which follow the mode by themselves, the command enablers of each
// mode, the font of the results box, the round protocol both panes play, and
// the waits on the pane's background search, which never block painting.
//
// A round: the previous search is halted, the pane starts its solutions
// search on the draw, the player answers in a dialog laid over the results
// box, the verdict is shown, then the first batch of the search with the
// pane's remark; each "&Voir" shows the next batch, and after the last one
// the search is waited for. The pane gives the steps (TakeDraw,
// ReadyForRound, StartSolutionsSearch, AskPlayer, FirstBatchText); the order
// is kept here, once for both games. The pane owns its search job (the
// search state and the worker, joined when the job goes) and hands its
// channel out through Channel().
//
// A match round is the same protocol with the computer beside the player: the
// pane draws for the match, starts the computer's search at the match's
// level, asks the player (the dialog keeps the time), shows the verdict, waits
// for the computer's answer and shows it, then reports the round to the
// application; the solutions search then starts so that "&Vérifier" reviews
// the round's solutions one batch at a time.
class PanoWindow : public BmpViewWindow {
    Q_OBJECT

public:
    // The largest size of the results box's font, in points.
    static constexpr int kLargestResultFontPoints = 28;

    // The pane of `game`, keeping its settings in `section`.
    PanoWindow(AppServices& app, Game game, const std::string& section, QWidget* parent);
    ~PanoWindow() override;

    // The game of the pane.
    Game GameOf() const { return game_; }
    // Runs SetupWindow the first time only.
    void EnsureSetUp();
    // True once SetupWindow has run.
    bool IsSetUp() const { return setUp_; }
    // Reads the results font, places the children and shows the buttons of
    // the mode. A derived pane adds its own.
    virtual void SetupWindow();
    // Stops the search and saves the results font and, when it changed, the
    // background of the level shown (the derived pane writes "Couleur" first,
    // with its own keys); true.
    virtual bool CanClose();
    // Called when the pane becomes the frame's client.
    virtual void Activate();
    // Places the results box and the buttons from the current layout and fonts.
    virtual void PlaceChildren();

    // Greys or enables the pane's buttons by the commands' enablers.
    void UpdateButtons(const CommandRouter& router);
    // The pane's button that sends `command`, or null.
    HlpStrButton* Button(Command command) const;

    // Appends to `text` a short rule centred in the results box, between the
    // player's part and the computer's part of a round.
    void AppendSeparator(std::string& text) const;

    // ---- the round ----
    // Command 102 "&Voir": the next batch while the search of a round runs;
    // otherwise a training round on the draw the pane shows.
    void SeeSolutions();
    // True while the search of a round runs, with batches still to show.
    bool RoundSearchRunning() { return !Channel().Stopped(); }

    // ---- the match ----
    // What the application tells a pane about the match round it plays.
    struct MatchRound {
        // The computer's level, 1 to 6.
        int level = 0;
        // The round begins a set (the letter bags are filled again).
        bool setStarts = false;
    };
    // "&Poursuivre" when the next round is this pane's game: plays it.
    void PlayMatchRound(const MatchRound& round);
    // Command 140 "&Vérifier": the next batch of the round's solutions; after
    // the last one (or once the search was stopped) the command is greyed
    // and "&Poursuivre" takes the focus.
    void ReviewNext();
    // The match starts (or another replaces it): the pane's search is halted,
    // and the pane takes the match's rules and buttons, with no draw until
    // the first round.
    virtual void EnterCompetition();
    // The match ends or is left: the training rules and buttons come back.
    virtual void LeaveCompetition();

    // ---- the search hand-over ----
    // The longest a halt waits for the worker to end.
    static constexpr std::chrono::seconds kHaltLimit{10};
    // The stop idiom: asks the running search, if any, to stop; does not wait.
    void StopSearch();
    // Stops the search and waits, slice by slice, until its worker has ended;
    // then shows the message it left, if any. False when the worker did not
    // end within kHaltLimit (it is joined before the next search starts).
    bool HaltSearch();
    // Waits, slice by slice, for the next group of solutions; then shows the
    // message the worker left, if any. Ready or Ended.
    SearchChannel::WaitResult WaitBatch();
    // Waits, slice by slice, for the computer's answer; then shows the message
    // the worker left, if any. False when the worker ended without one.
    bool WaitComputer();
    // The pane's own hand-over with its worker: its search job's channel.
    virtual SearchChannel& Channel() = 0;

    // Command 121: the font dialog for the results box.
    void ChooseResultFont();
    // Command 120: the colour dialog on the pane's colour. A colour chosen
    // replaces the bitmap; the custom colours the player changed are kept in
    // "control.ini" beside "tiv.ini", whether the colour was chosen or not.
    void ChooseBackgroundColour();

    // The pane's command table (the derived pane's entries replace the base's).
    const CommandTable& Commands() const { return commands_; }
    // The results box.
    ResultEdit* ResultBox() const { return resultBox_; }
    // The font of the results box.
    const QFont& ResultFont() const { return resultFont_; }
    // Gives the results box a new font.
    void SetResultFont(const QFont& font);

protected:
    // ---- the steps of a round, given by the pane ----
    // Takes the draw the pane's fields show; false when one of them is not
    // valid (the field has told the player why).
    virtual bool TakeDraw() = 0;
    // True when a round can be played (the letters pane needs its lexicon).
    virtual bool ReadyForRound() { return true; }
    // Gives the search state the draw and starts the solutions search.
    virtual void StartSolutionsSearch() = 0;
    // Runs the player's dialog over `area` (the results box on screen) and
    // returns the verdict on the answer.
    virtual std::string AskPlayer(const QRect& area) = 0;
    // The text shown with the first batch of solutions, `batch` being the batch's own.
    virtual std::string FirstBatchText(std::string batch) = 0;
    // The draw of a match round; false when no round can be played.
    virtual bool DrawForMatch(const MatchRound& round) = 0;
    // Starts the computer's search on the draw, at `level`.
    virtual void StartComputerSearch(int level) = 0;
    // The computer's answer as the results box shows it, once the computer's
    // search has handed it over (`answered`) or ended without one.
    virtual std::string ComputerAnswerText(bool answered) = 0;
    // The round's report to the match.
    virtual RoundReport MatchReport() const = 0;
    // The text shown with the first batch reviewed after a match round (it
    // begins with the separator).
    virtual std::string ReviewBatchText(std::string batch) = 0;

    // A training round: the previous search halted, the new one started, the
    // player's answer and verdict, then the first batch.
    void PlayTrainingRound();
    // Waits for the next batch, shows it (through FirstBatchText for the
    // first, or ReviewBatchText reviewing a match round) and lets the search
    // go on; after the last, waits for its end. A search asked to stop ends
    // there (its worker waited for; what it left shown, if anything). False
    // when no batch came, the search was stopped, or the one shown was the last.
    bool ShowBatch(bool first);
    // The button of place 1 in the mode shown: "No&uveau" or "&Poursuivre".
    HlpStrButton* FirstButton() const;
    // With a screen reader following the game, gives the results box the
    // focus with its caret at `position`, the start of what was just added.
    void LeadReaderTo(int position);
    // The results box in screen coordinates, where the player's dialog lies.
    QRect ResultArea() const;
    // The layout quantities of the current display mode.
    const Layout& CurrentLayout() const;

    // Creates the place-3 button of the derived pane.
    HlpStrButton* MakeGameButton(Command command);
    // The table the derived pane adds its commands to.
    CommandTable& MutableCommands() { return commands_; }
    AppServices& App() const { return app_; }
    // Shows the message the worker recorded, if any.
    void ShowWorkerMessage();
    // Where the worker's messages are told: the active prompter, unless the
    // pane filters them.
    virtual Prompter& WorkerMessages();

private:
    HlpStrButton* MakeButton(Command command, bool tabStop);
    void FollowMode();
    void LoadResultFont();
    void SaveResultFont();

    AppServices& app_;
    Game game_;
    CommandTable commands_;
    ResultEdit* resultBox_ = nullptr;
    std::map<Command, HlpStrButton*> buttons_;
    QFont resultFont_;
    bool setUp_ = false;
    bool competitionButtons_ = false;
    // The next batch reviewed after a match round is its first.
    bool firstReviewPending_ = false;
};

} // namespace lexinum
