#pragma once

#include "presentation/HookDialog.h"
#include "presentation/TimeWindow.h"

#include <QPointer>
#include <QTimer>

#include <array>
#include <chrono>

namespace lexinum {

// An answer dialog with a time limit in a match. While a match is running
// the dialog counts its seconds down from the moment it shows, with a clock
// (`TimeWindow`) in the pane beside it; at zero the player is told that the
// time is over and the dialog closes as if OK had been pressed, so the answer
// standing at that moment is his answer. Any close (OK, "Annuler", Escape)
// stops the clock and takes it away. In training there is no clock and no
// limit. With a screen reader, the time left is told at 30, 10 and 5 seconds
// without moving the focus: it becomes the dialog's accessible description.
class TimedDialog : public HookDialog {
    Q_OBJECT

public:
    // The time allowed: `seconds` on the clock, counted down one per
    // `period` / `seconds` (the game's periods are a second a step; tests
    // shorten them).
    struct Countdown {
        int seconds = 0;
        std::chrono::milliseconds period{0};
    };
    // The seconds left at which a screen reader is told the time left.
    static constexpr std::array<int, 3> kAnnouncedSeconds{30, 10, 5};

    TimedDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic, Countdown countdown);
    ~TimedDialog() override;

    // A match was running when the dialog was built: the clock runs.
    bool Timed() const { return timed_; }
    int SecondsLeft() const { return secondsLeft_; }
    // The count reached zero and closed the dialog.
    bool TimedOut() const { return timedOut_; }
    // The clock, while it is there (a match, until the dialog closes).
    TimeWindow* Clock() const { return clock_; }
    // The time between two steps of the count.
    std::chrono::milliseconds Step() const { return std::chrono::milliseconds(timer_.interval()); }
    // What a screen reader is told with `seconds` left: "Il reste 30 secondes".
    static QString TimeLeftText(int seconds);

    // Every way the dialog ends goes through here: the clock stops and goes.
    void done(int result) override;

signals:
    // The time left was told to a screen reader as the dialog's description.
    void announced(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    // Stops the count and takes the clock away; a derived dialog calls it
    // before taking an answer that needs time (a word judged), so that the
    // count cannot run out meanwhile. Nothing happens a second time.
    void StopClock();

private:
    void Start();
    void Tick();
    void TimeUp();

    bool timed_ = false;
    bool started_ = false;
    bool timedOut_ = false;
    int secondsLeft_ = 0;
    QTimer timer_;
    // A child of the pane, which may go first.
    QPointer<TimeWindow> clock_;
};

} // namespace lexinum
