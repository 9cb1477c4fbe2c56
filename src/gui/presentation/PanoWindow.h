#pragma once

#include "common/SearchChannel.h"
#include "presentation/BmpViewWindow.h"
#include "shell/CommandTable.h"
#include "shell/GameState.h"

#include <QFont>

#include <map>
#include <string>

namespace lexinum {

class AppServices;
class CommandRouter;
class HlpStrButton;
class ResultEdit;

// What both game panes share: the results box, the two sets of buttons (new
// draw, solutions and the switch of game in training; continue and check in a
// match) which follow the mode by themselves, the command enablers of each
// mode, the font of the results box, and the hand-over with the pane's own
// background search, whose waits never block painting.
class PanoWindow : public BmpViewWindow {
    Q_OBJECT

public:
    // The largest size of the results box's font, in points.
    static constexpr int kLargestResultFontPoints = 28;

    // The pane of `game`, keeping its settings in `section`.
    PanoWindow(AppServices& app, Game game, const std::string& section, QWidget* parent);
    // A derived pane halts its search in its own destructor, before the
    // search state it owns goes; this one only makes sure no worker is left.
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
    // Stops the search and saves the pane's settings; true.
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

    // ---- the search hand-over ----
    // The stop idiom: asks the running search, if any, to stop; does not wait.
    void StopSearch();
    // Stops the search and waits, slice by slice, until its worker has ended;
    // then shows the message it left, if any.
    void HaltSearch();
    // Waits, slice by slice, for the next group of solutions; then shows the
    // message the worker left, if any. Ready or Ended.
    SearchChannel::WaitResult WaitBatch();
    // Waits, slice by slice, for the computer's answer; then shows the message
    // the worker left, if any. False when the worker ended without one.
    bool WaitComputer();
    // The pane's own hand-over with its worker.
    SearchChannel& Channel() { return channel_; }
    // The text of the player's verdict, appended to the results box and emptied.
    std::string& AnswerText() { return answerText_; }

    // Command 121: the font dialog for the results box.
    void ChooseResultFont();

    // The pane's command table (the derived pane's entries replace the base's).
    const CommandTable& Commands() const { return commands_; }
    // The results box.
    ResultEdit* ResultBox() const { return resultBox_; }
    // The font of the results box.
    const QFont& ResultFont() const { return resultFont_; }
    // Gives the results box a new font.
    void SetResultFont(const QFont& font);

protected:
    // Creates the place-3 button of the derived pane.
    HlpStrButton* MakeGameButton(Command command);
    // The table the derived pane adds its commands to.
    CommandTable& MutableCommands() { return commands_; }
    AppServices& App() const { return app_; }
    // Shows the message the worker recorded, if any.
    void ShowWorkerMessage();

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
    SearchChannel channel_;
    std::string answerText_;
};

} // namespace lexinum
