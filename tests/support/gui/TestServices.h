#pragma once

#include "RecordingPrompter.h"
#include "shell/AppServices.h"
#include "shell/BitmapLibrary.h"
#include "shell/CommandGate.h"
#include "shell/GameFonts.h"
#include "shell/GameState.h"
#include "shell/Layout.h"
#include "shell/TimerPeriods.h"

#include <QRect>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class QWidget;

namespace lexinum::test {

// A light stand-in for the application, for the tests of one dialog or
// control: the state, a settings file in a temporary folder, the fonts and
// layout the game would make for this screen, a recording prompter, and a
// record of the hints shown, the commands sent, the games brought forward and
// the quits asked. No frame and no pane: a test class holds one, calls SetUp
// from initTestCase and Reset from cleanup.
class TestServices : public AppServices {
public:
    TestServices();
    ~TestServices() override;
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;

    // Installs the prompter; call from initTestCase.
    void SetUp();
    // Forgets what was recorded, the settings and the modal acts not yet run,
    // and closes the window; call from cleanup.
    void Reset();

    // A window on screen, the size of the game's frame, to open dialogs over
    // (made on first use).
    QWidget* Window();
    // Where a pane's results box lies in that window, in screen coordinates.
    QRect ResultArea();
    // The layout the game would use on this screen.
    const Layout& GameLayout() const { return layout_; }
    // The fonts and layout of a maximized frame, or of a normal one again.
    void SetMaximized(bool maximized);
    // Shortens (or lengthens) the game's timers, until the next Reset.
    void SetPeriods(const TimerPeriods& periods) { periods_ = periods; }

    RecordingPrompter& Prompts() { return prompter_; }

    // What was asked of the application since the last Reset, in order.
    std::vector<QString> hints;
    std::vector<Command> commands;
    std::vector<Game> gamesShown;
    std::vector<RoundReport> reports;
    int quits = 0;
    // The progress texts shown, in order (an empty one when it was taken away).
    std::vector<QString> progress;
    // What ScreenReaderActive answers.
    bool screenReader = false;
    // What RunCommand answers.
    bool commandsAnswered = true;

    // ---- AppServices ----
    GameState& State() override { return state_; }
    Profile& Settings() override { return *settings_; }
    const GameFonts& Fonts() const override { return fonts_; }
    void ShowHint(const QString& hint) override { hints.push_back(hint); }
    void ShowProgress(const QString& text, int, int) override { progress.push_back(text); }
    bool RunCommand(Command command) override;
    void ShowGame(Game game) override;
    QString DataFolder() const override;
    QString ShippedLexiconFolder() const override;
    void Quit() override { ++quits; }
    const Layout& CurrentLayout() const override { return layout_; }
    CommandGate& Gate() override { return gate_; }
    const TimerPeriods& Periods() const override { return periods_; }
    void ReportRound(const RoundReport& report) override { reports.push_back(report); }
    bool ScreenReaderActive() const override { return screenReader; }
    const BitmapLibrary& Bitmaps() const override { return bitmaps_; }
    // The bitmap library beside the test program, opened by SetUp and again by Reset.
    BitmapLibrary& MutableBitmaps() { return bitmaps_; }

private:
    QTemporaryDir home_;
    RecordingPrompter prompter_;
    GameState state_;
    std::unique_ptr<Profile> settings_;
    BitmapLibrary bitmaps_;
    GameFonts fonts_;
    Layout layout_;
    CommandGate gate_;
    TimerPeriods periods_;
    std::unique_ptr<QWidget> window_;
};

} // namespace lexinum::test
