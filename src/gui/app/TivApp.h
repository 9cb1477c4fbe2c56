#pragma once

#include "app/Command.h"
#include "app/CommandTable.h"
#include "app/GameFileData.h"
#include "common/Profile.h"

#include <QFont>
#include <QObject>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QStatusBar;

namespace lexinum {

class ChifWindow;
class MotWindow;
class PanoWindow;
class TivFrame;

// The application object: the game's shared state (match flags, level,
// player, help context, fonts, the two text buffers of the searches), the
// settings file, the frame and its two panes. Created after the QApplication;
// every window reaches it through TivApp::Instance().
class TivApp : public QObject {
    Q_OBJECT

public:
    // What the frame reports when its size type changes.
    enum class SizeType { Restored, Minimized, Maximized };

    // The program's name: caption of its message boxes, name of its settings folder.
    static constexpr const char* kName = "Lexinum";

    // Builds the state; `arguments` are the command-line words after the
    // program's name (the last one names a saved game to open).
    explicit TivApp(const std::vector<std::string>& arguments, QObject* parent = nullptr);
    ~TivApp() override;
    TivApp(const TivApp&) = delete;
    TivApp& operator=(const TivApp&) = delete;

    // The application object, once its main window is built (null before and after).
    static TivApp* Instance();
    // The folder of "tiv.ini" (the user's settings folder for the game).
    static QString SettingsFolder();

    // Builds the fonts, the layout, the letters pane, the frame, the numbers
    // pane and the message bar; the letters pane is shown, in training.
    void InitMainWindow();
    // Shows the frame, minimized if asked, otherwise at its normal size (a
    // request to start maximized is not honoured).
    void InitInstance(bool startMinimized = false);
    // Asked before the frame closes: the panes stop and save their settings,
    // the frame its position, and the folder of the saved games is kept.
    bool CanClose();

    // Recomputes every layout quantity from the current fonts, the screen and `maximized`.
    void define_geometry();
    // Follows a change of the frame's size type: new fonts at the new text
    // height, new layout, and both panes placed again.
    void SetDisplayMode(SizeType sizeType);
    // Shows "context: reason" for the last system error, if any, then clears
    // it; returns the error code left (0 after a report).
    int ReportErrno(const std::string& context);

    // Brings the numbers pane in place of the letters pane, with its menu.
    void ShowNumbersPane();
    // Brings the letters pane in place of the numbers pane, with its menu.
    void ShowLettersPane();
    // The pane the frame shows.
    PanoWindow* ShownPane() const;

    // Sends a command along the shown pane, the frame and the application;
    // false when it is disabled or nobody answers it.
    bool RunCommand(Command command);
    // Runs the command enablers again (menus and pane buttons); called after
    // every change of state that they follow.
    void RefreshCommands();
    // The application's own command table.
    const CommandTable& Commands() const { return commands_; }
    CommandTable& Commands() { return commands_; }

    // The context-help command: the topic of the open dialog, or the default
    // topic of the shown game and mode.
    void ContextHelp();
    // The topic context help would show now.
    int ContextHelpTopic() const;

    // Brings the running game forward (asked by a second copy).
    void BringForward();

    // The settings file "tiv.ini".
    Profile& Settings() { return *settings_; }
    // The frame's message bar (null before the frame exists).
    QStatusBar* MessageBar() const;

    // ---- shared state ----
    TivFrame* frame = nullptr;
    MotWindow* lettersPane = nullptr;
    ChifWindow* numbersPane = nullptr;
    std::string lettersTitle;
    std::string numbersTitle;
    std::array<std::string, 6> levelNames;
    std::string iniName = "tiv.ini";
    std::string helpName = "tiv32.hlp";
    // The player's name: at most 10 characters typed, 11 read from the settings.
    std::string playerName;
    // Level 1..6 of the running match, 0 outside a match.
    int level = 0;
    // A match is running.
    bool competition = false;
    // The match has just been decided and waits for "&Poursuivre".
    bool matchOver = false;
    // The running match changed since it was last saved or loaded.
    bool matchModified = false;
    // The running match has no file name yet.
    bool untitled = true;
    // The letters pane is the frame's client.
    bool lettersCurrent = false;
    // Help topic of the dialog now open, 0 when none.
    int helpContext = 0;
    // The help system was opened at least once.
    bool helpOpened = false;
    // Topic of the last context-help request (0 before any); the help window reads it.
    int requestedHelpTopic = 0;
    // The frame is maximized.
    bool maximized = false;
    // The saved game named on the command line, empty if none.
    std::string commandLineFile;
    // The saved-game dialogs' shared data.
    GameFileData gameData;
    // The three shared fonts.
    QFont buttonFont;
    QFont baseFont;
    QFont bigFont;
    // The text the search threads hand over, and the text of the player's verdict.
    std::string solverText;
    std::string answerText;

signals:
    // Context help was asked for `topic`.
    void helpRequested(int topic);

private:
    void CreateFonts();
    void PlaceFrame();

    CommandTable commands_;
    std::unique_ptr<Profile> settings_;
    std::unique_ptr<TivFrame> frameOwner_;
};

} // namespace lexinum
