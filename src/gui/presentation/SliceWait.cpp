#include "presentation/SliceWait.h"

#include "shell/CommandGate.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>

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

} // namespace

SearchChannel::WaitResult
SliceWait::Run(const std::function<SearchChannel::WaitResult(std::chrono::milliseconds)>& wait,
               std::chrono::milliseconds limit) {
    const CommandGate::Hold hold(gate_);
    WaitCursor cursor;
    const auto start = std::chrono::steady_clock::now();
    for (int slices = 0;; ++slices) {
        const SearchChannel::WaitResult result = wait(kSlice);
        if (result != SearchChannel::WaitResult::TimedOut)
            return result;
        if (limit != kNoLimit && std::chrono::steady_clock::now() - start >= limit)
            return result;
        if (slices >= kSlicesBeforeCursor)
            cursor.Show();
        // Paint and timer events go on; the player's input stays queued until the wait is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

} // namespace lexinum
