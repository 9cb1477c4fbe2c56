#include "AutoResetEvent.h"

#include <condition_variable>
#include <mutex>

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
} // namespace

void AutoResetEvent::Set() {
    {
        std::lock_guard guard(EventLock());
        signaled_ = true;
    }
    EventWake().notify_all();
}

void AutoResetEvent::Reset() {
    std::lock_guard guard(EventLock());
    signaled_ = false;
}

bool AutoResetEvent::IsSet() const {
    std::lock_guard guard(EventLock());
    return signaled_;
}

void AutoResetEvent::Wait() {
    std::unique_lock guard(EventLock());
    EventWake().wait(guard, [this] { return signaled_; });
    signaled_ = false;
}

bool AutoResetEvent::WaitUnless(const std::atomic<bool>& abandon) {
    std::unique_lock guard(EventLock());
    EventWake().wait(guard, [&] { return signaled_ || abandon.load(); });
    if (!signaled_)
        return false;
    signaled_ = false;
    return true;
}

int AutoResetEvent::WaitEither(AutoResetEvent& first, AutoResetEvent& second) {
    std::unique_lock guard(EventLock());
    EventWake().wait(guard, [&] { return first.signaled_ || second.signaled_; });
    if (first.signaled_) {
        first.signaled_ = false;
        return 0;
    }
    second.signaled_ = false;
    return 1;
}

void AutoResetEvent::WakeAll() {
    { std::lock_guard guard(EventLock()); }
    EventWake().notify_all();
}

} // namespace lexinum
