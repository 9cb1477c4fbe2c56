#pragma once

#include "app/CommandTable.h"
#include "common/SearchChannel.h"
#include "presentation/BmpViewWindow.h"

#include <QFont>

#include <string>

namespace lexinum {

class CommandRouter;
class HlpStrButton;
class ResultEdit;
class TivApp;

// What both game panes share: the results box, the two sets of buttons (new
// draw, solutions and the switch of game in training; continue and check in a
// match), the command enablers of each mode, the font of the results box and
// the hand-over with the pane's background search.
class PanoWindow : public BmpViewWindow {
    Q_OBJECT

public:
    // A pane keeping its settings in `section`.
    PanoWindow(TivApp& app, const std::string& section, QWidget* parent);
    ~PanoWindow() override;

    // Runs SetupWindow the first time only.
    void EnsureSetUp();
    // Places the children and shows the training buttons. A derived pane adds its own.
    virtual void SetupWindow();
    // Stops the search and saves the pane's settings; true.
    virtual bool CanClose();
    // Called when the pane becomes the frame's client.
    virtual void Activate();
    // Places the results box and the buttons from the current layout.
    virtual void PlaceChildren();

    // Shows "&Poursuivre" and "&Vérifier" in places 1 and 2, the only buttons of a match.
    void ShowCompetitionButtons();
    // Shows the training buttons again.
    void ShowTrainingButtons();
    // Greys or enables the pane's buttons by the commands' enablers.
    void UpdateButtons(const CommandRouter& router);

    // Appends to `text` a short rule centred in the results box, between the
    // player's part and the computer's part of a round.
    void AppendSeparator(std::string& text) const;
    // The stop idiom: asks the running search, if any, to stop; does not wait.
    void StopSearch();
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

    // The pane's buttons; the place-3 one is the derived pane's.
    HlpStrButton* newButton = nullptr;
    HlpStrButton* viewButton = nullptr;
    HlpStrButton* gameButton = nullptr;
    HlpStrButton* continueButton = nullptr;
    HlpStrButton* checkButton = nullptr;

    // "&Vérifier" is enabled.
    bool canCheck = false;
    // The hand-over with the pane's worker thread, over the application's solver text.
    SearchChannel channel;

protected:
    // Creates the place-3 button of the derived pane.
    HlpStrButton* MakeGameButton(Command command, const QString& label);
    // The table the derived pane adds its commands to.
    CommandTable& MutableCommands() { return commands_; }
    TivApp& App() const { return app_; }

private:
    HlpStrButton* MakeButton(Command command, const QString& label, bool tabStop);
    void LoadResultFont();
    void SaveResultFont();

    TivApp& app_;
    CommandTable commands_;
    ResultEdit* resultBox_ = nullptr;
    QFont resultFont_;
    bool setUp_ = false;
    bool competitionButtons_ = false;
};

} // namespace lexinum
