#include "AutoResetEvent.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace lexinum {

namespace {
std::mutex& EventLock() {
    static std::mutex lock;
    return lock;
}
std::condition_variable& EventWake() {
    static std::condition_variable wake;
    return wake;
}
// Threads blocked on the condition variable (changed under the lock), so that
// a Set with nobody asleep costs no system call.
int gSleepers = 0;

// A hand-over is usually answered within microseconds: look for the answer a
// little while before going to sleep, which spares two thread switches per
// batch. Returns as soon as `ready` holds or the short budget is spent.
template <typename Ready> void SpinBriefly(Ready ready) {
    using Clock = std::chrono::steady_clock;
    const auto until = Clock::now() + std::chrono::microseconds(40);
    for (int round = 0;; ++round) {
        if (ready())
            return;
        if ((round & 63) == 63) {
            if (Clock::now() >= until)
                return;
            std::this_thread::yield();
        }
    }
}

template <typename Ready> void Sleep(std::unique_lock<std::mutex>& guard, Ready ready) {
    while (!ready()) {
        ++gSleepers;
        EventWake().wait(guard);
        --gSleepers;
    }
}
// Sleeps until `ready` holds or `deadline` passes; returns whether it holds.
template <typename Ready>
bool SleepUntil(std::unique_lock<std::mutex>& guard, Ready ready, std::chrono::steady_clock::time_point deadline) {
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        ++gSleepers;
        EventWake().wait_until(guard, deadline);
        --gSleepers;
    }
    return true;
}
} // namespace

void AutoResetEvent::Set() {
    bool wake;
    {
        std::lock_guard guard(EventLock());
        signaled_.store(true, std::memory_order_relaxed);
        wake = gSleepers > 0;
    }
    if (wake)
        EventWake().notify_all();
}

void AutoResetEvent::Reset() {
    std::lock_guard guard(EventLock());
    signaled_.store(false, std::memory_order_relaxed);
}

bool AutoResetEvent::IsSet() const {
    std::lock_guard guard(EventLock());
    return signaled_.load(std::memory_order_relaxed);
}

void AutoResetEvent::Wait() {
    SpinBriefly([this] { return signaled_.load(std::memory_order_relaxed); });
    std::unique_lock guard(EventLock());
    Sleep(guard, [this] { return signaled_.load(std::memory_order_relaxed); });
    signaled_.store(false, std::memory_order_relaxed);
}

bool AutoResetEvent::WaitUnless(const std::atomic<bool>& abandon) {
    SpinBriefly([&] { return signaled_.load(std::memory_order_relaxed) || abandon.load(); });
    std::unique_lock guard(EventLock());
    Sleep(guard, [&] { return signaled_.load(std::memory_order_relaxed) || abandon.load(); });
    if (!signaled_.load(std::memory_order_relaxed))
        return false;
    signaled_.store(false, std::memory_order_relaxed);
    return true;
}

AutoResetEvent::Outcome AutoResetEvent::WaitUnlessFor(const std::atomic<bool>& abandon,
                                                      std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const auto ready = [&] { return signaled_.load(std::memory_order_relaxed) || abandon.load(); };
    SpinBriefly(ready);
    std::unique_lock guard(EventLock());
    SleepUntil(guard, ready, deadline);
    if (signaled_.load(std::memory_order_relaxed)) {
        signaled_.store(false, std::memory_order_relaxed);
        return Outcome::Set;
    }
    return abandon.load() ? Outcome::Abandoned : Outcome::TimedOut;
}

int AutoResetEvent::WaitEither(AutoResetEvent& first, AutoResetEvent& second) {
    const auto either = [&] {
        return first.signaled_.load(std::memory_order_relaxed) || second.signaled_.load(std::memory_order_relaxed);
    };
    SpinBriefly(either);
    std::unique_lock guard(EventLock());
    Sleep(guard, either);
    if (first.signaled_.load(std::memory_order_relaxed)) {
        first.signaled_.store(false, std::memory_order_relaxed);
        return 0;
    }
    second.signaled_.store(false, std::memory_order_relaxed);
    return 1;
}

bool AutoResetEvent::WaitFlagFor(const std::atomic<bool>& flag, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const auto ready = [&] { return flag.load(); };
    SpinBriefly(ready);
    if (ready())
        return true;
    std::unique_lock guard(EventLock());
    return SleepUntil(guard, ready, deadline);
}

void AutoResetEvent::WakeAll() {
    { std::lock_guard guard(EventLock()); }
    EventWake().notify_all();
}

} // namespace lexinum
