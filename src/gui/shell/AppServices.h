#pragma once

#include "match/RoundReport.h"
#include "shell/Command.h"
#include "shell/GameState.h"

#include <QString>

namespace lexinum {

class BitmapLibrary;
class CommandGate;
class Profile;
struct GameFonts;
struct Layout;
struct TimerPeriods;

// What the panes and dialogs may ask of the application: the state the
// commands follow (the match level among it), the settings file, the shared
// fonts and layout, a hint in the message bar, a command, the switch to the
// other game, the gate that keeps commands from running inside a wait, the
// periods of the match's timers, the report of a match round, and the
// library of background patterns. The application implements it and hands
// it to each window it builds; nothing reaches the application through a
// global.
class AppServices {
public:
    // The program's name: the caption of its message boxes.
    static constexpr const char* kProgramName = "Lexinum";

    virtual ~AppServices() = default;

    // The state the commands follow.
    virtual GameState& State() = 0;
    // The settings file "tiv.ini".
    virtual Profile& Settings() = 0;
    // The three shared fonts, as the current display mode makes them.
    virtual const GameFonts& Fonts() const = 0;
    // The layout quantities measured with those fonts, for the current display mode.
    virtual const Layout& CurrentLayout() const = 0;
    // Shows `hint` in the message bar; an empty text clears it.
    virtual void ShowHint(const QString& hint) = 0;
    // Shows `text` and a bar of `done` out of `total` steps in the message
    // bar, for work the player waits on; an empty text takes them away.
    virtual void ShowProgress(const QString& text, int done, int total) = 0;
    // Sends `command` to the shown pane, the frame and the application; false
    // when it is disabled or nobody answers it.
    virtual bool RunCommand(Command command) = 0;
    // Brings the pane of `game` forward (the other pane's search is stopped
    // and waited for first).
    virtual void ShowGame(Game game) = 0;
    // The game's data folder: the player's lexicon, the Top Ten, the saved games.
    virtual QString DataFolder() const = 0;
    // The folder of the lexicon shipped with the game (the player's is seeded from it).
    virtual QString ShippedLexiconFolder() const = 0;
    // Ends the program once the current command is over, as closing the frame does.
    virtual void Quit() = 0;
    // The gate a wait on a worker holds, so that no command runs inside it.
    virtual CommandGate& Gate() = 0;
    // The periods of the answer clock and of the automatic letter pick.
    virtual const TimerPeriods& Periods() const = 0;
    // A screen reader follows the game: the platform says so, or the player
    // asked it on the command line. The panes then bring each verdict and
    // each new group to it.
    virtual bool ScreenReaderActive() const = 0;
    // A pane's report at the end of a match round.
    virtual void ReportRound(const RoundReport& report) = 0;
    // The library of background patterns (it may have failed to open).
    virtual const BitmapLibrary& Bitmaps() const = 0;
};

} // namespace lexinum
