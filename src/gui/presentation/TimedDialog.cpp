#include "presentation/TimedDialog.h"

#include "common/Prompter.h"
#include "presentation/TimeWindow.h"
#include "shell/AppServices.h"
#include "shell/Game.h"
#include "shell/GameFonts.h"
#include "shell/Layout.h"

#include <algorithm>

namespace lexinum {

TimedDialog::TimedDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic, Countdown countdown)
    : HookDialog(parent, app, helpTopic), timed_(app.State().Competition()), secondsLeft_(countdown.seconds) {
    if (!timed_)
        return;
    const auto step = countdown.seconds > 0 ? countdown.period / countdown.seconds : countdown.period;
    timer_.setInterval(std::max(std::chrono::milliseconds(1), step));
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TimedDialog::Tick);
    // The clock stands in the pane beside the dialog; it shows with the dialog.
    if (parent != nullptr) {
        clock_ = new TimeWindow(parent, app.Fonts().bigFont, app.CurrentLayout().CLOCK_RECT, secondsLeft_);
        clock_->hide();
    }
}

TimedDialog::~TimedDialog() {
    delete clock_;
}

QString TimedDialog::TimeLeftText(int seconds) {
    return QStringLiteral("Il reste %1").arg(TimeWindow::SecondsInWords(seconds));
}

void TimedDialog::showEvent(QShowEvent* event) {
    HookDialog::showEvent(event);
    if (timed_ && !started_)
        Start();
}

void TimedDialog::Start() {
    started_ = true;
    if (clock_ != nullptr) {
        clock_->show();
        clock_->raise();
    }
    // A QTimer is always granted (Qt falls back on its own timers when the
    // system has none left), so there is no "too many clocks" case to offer
    // a retry for: the count always runs.
    timer_.start();
}

void TimedDialog::Tick() {
    if (secondsLeft_ <= 0)
        return;
    --secondsLeft_;
    if (clock_ != nullptr)
        clock_->SetSeconds(secondsLeft_);
    if (App().ScreenReaderActive() &&
        std::find(kAnnouncedSeconds.begin(), kAnnouncedSeconds.end(), secondsLeft_) != kAnnouncedSeconds.end()) {
        // Qt tells assistive technology of the change of description; the
        // reader speaks it on the focused control's dialog, and the focus
        // stays in the player's field.
        const QString text = TimeLeftText(secondsLeft_);
        setAccessibleDescription(text);
        emit announced(text);
    }
    if (secondsLeft_ == 0)
        TimeUp();
}

void TimedDialog::TimeUp() {
    // No tick comes while the message is open.
    timer_.stop();
    timedOut_ = true;
    const Game game = App().State().LettersShown() ? Game::Letters : Game::Numbers;
    const char* text =
        game == Game::Letters ? "Les quarante secondes sont écoulées" : "Les cinquante secondes sont écoulées";
    // The exclamation box sounds the warning beep itself: one beep.
    Prompter::Active().Tell(text, GameTitle(game), PromptIcon::Exclamation);
    // Closed as OK closes it: the answer standing now is taken.
    if (isVisible())
        accept();
}

void TimedDialog::StopClock() {
    timer_.stop();
    if (clock_ != nullptr) {
        delete clock_;
        clock_ = nullptr;
    }
}

void TimedDialog::done(int result) {
    StopClock();
    HookDialog::done(result);
}

} // namespace lexinum
