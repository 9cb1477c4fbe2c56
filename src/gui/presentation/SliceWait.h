#pragma once

#include "common/SearchChannel.h"

#include <chrono>
#include <functional>

namespace lexinum {

// How the interface thread waits for a worker: never without limit, but in
// short slices, between which the window keeps painting and timers (the
// match clock) keep running. The player's clicks and keys wait until it is
// over; after a few slices the wait cursor shows.
class SliceWait {
public:
    // One slice.
    static constexpr std::chrono::milliseconds kSlice{25};

    // Calls `wait` with one slice at a time until it answers something other
    // than TimedOut, and returns that answer.
    static SearchChannel::WaitResult Run(const std::function<SearchChannel::WaitResult(std::chrono::milliseconds)>& wait);
    // Waits, slice by slice, until `done` is true.
    static void Until(const std::function<bool()>& done);
};

} // namespace lexinum
