#pragma once

#include "app/GameFileData.h"
#include "shell/AppServices.h"
#include "shell/BitmapLibrary.h"
#include "shell/CommandGate.h"
#include "shell/CommandTable.h"
#include "shell/GameFonts.h"
#include "shell/GameState.h"
#include "shell/Layout.h"
#include "shell/TimerPeriods.h"

#include <QObject>
#include <QSize>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QStatusBar;

namespace lexinum {

class ChifWindow;
class HelpWindow;
class Match;
class MotWindow;
class PanoWindow;
class Profile;
class TivFrame;

// The application object: the state the commands follow, the settings file,
// the shared fonts and layout, the gate that keeps commands out of a wait,
// the frame and its two panes. Created after the QApplication; it hands
// itself to the windows it builds as their AppServices, so nothing reaches it
// through a global. It owns the match, which scores the rounds the panes
// report and keeps the level in the state.
class TivApp : public QObject, public AppServices {
    Q_OBJECT

public:
    // What the frame reports when its size type changes.
    enum class SizeType { Restored, Minimized, Maximized };
    // How the frame is first shown.
    enum class ShowState { Normal, Minimized, Maximized };
    // Opens a help topic: the help window, once there is one.
    using HelpViewer = std::function<void(int topic)>;

    // The program's name: caption of its message boxes, name of its settings folder.
    static constexpr const char* kName = AppServices::kProgramName;

    // Builds the state; `arguments` are the command-line words after the
    // program's name (the last one names a saved game to open).
    explicit TivApp(const std::vector<std::string>& arguments, QObject* parent = nullptr);
    ~TivApp() override;
    TivApp(const TivApp&) = delete;
    TivApp& operator=(const TivApp&) = delete;

    // The folder of "tiv.ini" (the user's settings folder for the game).
    static QString SettingsFolder();

    // Builds the fonts, the layout, the letters pane, the frame, the numbers
    // pane and the message bar; the letters pane is shown, in training.
    void InitMainWindow();
    // Shows the frame: minimized, maximized or at its layout size.
    void InitInstance(ShowState show = ShowState::Normal);
    // Asked before the frame closes: the panes stop and save their settings,
    // the frame its position, and the folder of the saved games is kept.
    bool CanClose();

    // Recomputes every layout quantity from the current fonts, the screen and the display mode.
    void define_geometry();
    // Follows a change of the frame's size type: new fonts at the new text
    // height, new layout, and both panes placed again.
    void SetDisplayMode(SizeType sizeType);
    // The frame is maximized (as the window says).
    bool Maximized() const;
    // The layout for `fonts` on a screen of size `screen`, normal or maximized.
    static Layout GeometryFor(const GameFonts& fonts, QSize screen, bool maximized);
    // The fonts for a screen `screenHeight` pixels high, normal or maximized.
    static GameFonts FontsFor(int screenHeight, bool maximized);

    // Shows "context: reason" for the last system error, if any, then clears
    // it; returns the error code left (0 after a report).
    int ReportErrno(const std::string& context);

    // The frame (null before InitMainWindow).
    TivFrame* Frame() const { return frame_; }
    MotWindow* LettersPane() const { return lettersPane_; }
    ChifWindow* NumbersPane() const { return numbersPane_; }
    // The pane of `game`.
    PanoWindow* Pane(Game game) const;
    // The pane the frame shows.
    PanoWindow* ShownPane() const;
    // The match (running or not).
    Match& TheMatch() const { return *match_; }

    // The application's own command table.
    const CommandTable& Commands() const { return commands_; }

    // The help window that answers context help; without one the help
    // commands are greyed.
    void SetHelpViewer(HelpViewer viewer);
    // The topic context help opens now: that of the innermost open dialog,
    // or the default topic of the shown game and mode.
    int ContextHelpTopic() const;
    // Makes the help window the help viewer; InitMainWindow does it.
    void InstallHelpWindow();
    // The help window beside the frame, built the first time it is asked for
    // (not at start-up); null before InitMainWindow.
    HelpWindow* Help();

    // Brings the running game forward (asked by a second copy), once no wait is in progress.
    void BringForward();
    // Replaces the timers' periods (tests shorten them).
    void SetPeriods(const TimerPeriods& periods) { periods_ = periods; }

    // The saved game named on the command line, empty if none.
    const std::string& CommandLineFileName() const { return commandLineFile_; }
    // The saved-game dialogs' shared data.
    GameFileData& GameData() { return gameData_; }

    // ---- AppServices ----
    GameState& State() override { return state_; }
    Profile& Settings() override { return *settings_; }
    const GameFonts& Fonts() const override { return fonts_; }
    const Layout& CurrentLayout() const override { return layout_; }
    void ShowHint(const QString& hint) override;
    void ShowProgress(const QString& text, int done, int total) override;
    bool RunCommand(Command command) override;
    void ShowGame(Game game) override;
    QString DataFolder() const override;
    QString ShippedLexiconFolder() const override;
    void Quit() override;
    CommandGate& Gate() override { return gate_; }
    const TimerPeriods& Periods() const override { return periods_; }
    void ReportRound(const RoundReport& report) override;
    bool ScreenReaderActive() const override;
    const BitmapLibrary& Bitmaps() const override { return bitmaps_; }

    // Where the next application object looks for its bitmap library (by
    // default beside the program); tests point it at a missing file.
    static void SetBitmapLibraryPath(const QString& path);

signals:
    // A pane reported the end of a match round.
    void roundReported(const lexinum::RoundReport& report);

private:
    void CreateFonts();
    void PlaceFrame();
    void ContextHelp();
    void OpenHelp(int topic);
    void ComeForward();

    GameState state_;
    CommandTable commands_;
    std::unique_ptr<Profile> settings_;
    BitmapLibrary bitmaps_;
    GameFonts fonts_;
    Layout layout_;
    CommandGate gate_;
    TimerPeriods periods_;
    bool screenReaderAsked_ = false;
    std::unique_ptr<Match> match_;
    std::unique_ptr<TivFrame> frameOwner_;
    TivFrame* frame_ = nullptr;
    MotWindow* lettersPane_ = nullptr;
    ChifWindow* numbersPane_ = nullptr;
    std::string commandLineFile_;
    GameFileData gameData_;
    HelpViewer helpViewer_;
    HelpWindow* helpWindow_ = nullptr;
};

} // namespace lexinum
