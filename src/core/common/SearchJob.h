#pragma once

#include "common/SearchChannel.h"

#include <functional>
#include <utility>

namespace lexinum {

// A background search with the state its worker reads and the channel that
// runs the worker, in one object: the worker is halted and joined in the
// destructor, before the state goes, so no owner has to remember to stop it.
// The owner changes the state only while no worker runs (before Start, or
// after Halt); Start itself halts the previous worker first.
template <class State> class SearchJob {
public:
    template <class... Args> explicit SearchJob(Args&&... args) : state_(std::forward<Args>(args)...) {}
    ~SearchJob() { channel_.Halt(); }
    SearchJob(const SearchJob&) = delete;
    SearchJob& operator=(const SearchJob&) = delete;

    // The state the worker reads.
    State& Search() { return state_; }
    const State& Search() const { return state_; }
    // The hand-over with the worker.
    SearchChannel& Channel() { return channel_; }
    const SearchChannel& Channel() const { return channel_; }

    // Halts the previous worker, if any, then runs `body` on the state in a new worker.
    void Start(const std::function<void(State&, SearchChannel&)>& body) {
        channel_.Halt();
        channel_.Start([this, body](SearchChannel& channel) { body(state_, channel); });
    }

private:
    State state_;
    // Declared after the state: even a worker left by a caller that bypassed
    // the destructor's halt would be joined before the state goes.
    SearchChannel channel_;
};

} // namespace lexinum
