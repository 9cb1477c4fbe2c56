#pragma once

#include "common/SearchChannel.h"

#include <chrono>
#include <functional>

namespace lexinum {

class CommandGate;

// How the interface thread waits for a worker: never without limit, but in
// short slices, between which the window keeps painting and timers (the
// match clock) keep running. The player's clicks and keys wait until it is
// over, and the gate is held meanwhile, so that whatever a timer, a queued
// call, a second copy or the window system asks runs no command inside the
// one that waits. After a few slices the wait cursor shows.
class SliceWait {
public:
    // One slice.
    static constexpr std::chrono::milliseconds kSlice{25};
    // No overall limit.
    static constexpr std::chrono::milliseconds kNoLimit = std::chrono::milliseconds::max();

    explicit SliceWait(CommandGate& gate) : gate_(gate) {}

    // Calls `wait` with one slice at a time until it answers something other
    // than TimedOut, and returns that answer; TimedOut once `limit` has passed.
    SearchChannel::WaitResult Run(const std::function<SearchChannel::WaitResult(std::chrono::milliseconds)>& wait,
                                  std::chrono::milliseconds limit = kNoLimit);

private:
    CommandGate& gate_;
};

} // namespace lexinum
