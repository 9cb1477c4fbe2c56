#include "presentation/SliceWait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>

#include <thread>

namespace lexinum {

namespace {

// Slices waited before the wait cursor shows.
constexpr int kSlicesBeforeCursor = 8;

// Shows the wait cursor from the moment it is asked until the wait ends.
class WaitCursor {
public:
    void Show() {
        if (shown_)
            return;
        shown_ = true;
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor() {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool shown_ = false;
};

void BetweenSlices(int slices, WaitCursor& cursor) {
    if (slices >= kSlicesBeforeCursor)
        cursor.Show();
    // Paint and timer events go on; the player's input stays queued until the wait is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

SearchChannel::WaitResult
SliceWait::Run(const std::function<SearchChannel::WaitResult(std::chrono::milliseconds)>& wait) {
    WaitCursor cursor;
    for (int slices = 0;; ++slices) {
        const SearchChannel::WaitResult result = wait(kSlice);
        if (result != SearchChannel::WaitResult::TimedOut)
            return result;
        BetweenSlices(slices, cursor);
    }
}

void SliceWait::Until(const std::function<bool()>& done) {
    WaitCursor cursor;
    constexpr auto kPoll = std::chrono::milliseconds(2);
    const int pollsPerSlice = static_cast<int>(kSlice / kPoll);
    for (int polls = 0; !done(); ++polls) {
        std::this_thread::sleep_for(kPoll);
        if (polls % pollsPerSlice == pollsPerSlice - 1)
            BetweenSlices(polls / pollsPerSlice, cursor);
    }
}

} // namespace lexinum
