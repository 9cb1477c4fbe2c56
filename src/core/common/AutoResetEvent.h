#pragma once

#include <atomic>
#include <chrono>

namespace lexinum {

// An auto-reset event: Set lets exactly one wait through and then the event is
// clear again. Setting an event that is already set leaves it set once (it is
// never a counter). All events of the process share one lock, which is what
// makes waiting for either of two events simple and race-free.
class AutoResetEvent {
public:
    AutoResetEvent() = default;
    AutoResetEvent(const AutoResetEvent&) = delete;
    AutoResetEvent& operator=(const AutoResetEvent&) = delete;

    // Signals the event and wakes its waiters.
    void Set();
    // Clears the event without waking anyone.
    void Reset();
    // True when the event is set (does not consume it).
    bool IsSet() const;
    // Waits until the event is set, then clears it.
    void Wait();
    // Waits until the event is set (clears it, returns true) or until
    // `abandon` becomes true (returns false). Whoever sets `abandon` must call
    // WakeAll afterwards.
    bool WaitUnless(const std::atomic<bool>& abandon);
    // How a bounded wait ended: the event was set (and is now cleared),
    // `abandon` became true, or the time ran out with neither.
    enum class Outcome { Set, Abandoned, TimedOut };
    // Like WaitUnless, but for at most `limit`; a wait that times out consumes
    // nothing, so the event stays set for a later wait if it comes meanwhile.
    Outcome WaitUnlessFor(const std::atomic<bool>& abandon, std::chrono::milliseconds limit);
    // Waits until one of the two events is set, clears it and returns its index
    // (0 for `first`, 1 for `second`); when both are set, `first` wins.
    static int WaitEither(AutoResetEvent& first, AutoResetEvent& second);
    // Waits at most `limit` until `flag` is true; returns whether it is. The
    // flag is looked at again whenever waiters are woken, so whoever sets it
    // must call WakeAll afterwards, as for `abandon` above.
    static bool WaitFlagFor(const std::atomic<bool>& flag, std::chrono::milliseconds limit);
    // Wakes every waiter so that it re-checks its condition.
    static void WakeAll();

private:
    // Changed only under the shared lock; read without it while spinning.
    std::atomic<bool> signaled_{false};
};

} // namespace lexinum
