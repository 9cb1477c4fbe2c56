#include "SearchChannel.h"

#include <utility>

namespace lexinum {

namespace {
SearchChannel::WaitResult ResultOf(AutoResetEvent::Outcome outcome) {
    switch (outcome) {
    case AutoResetEvent::Outcome::Set:
        return SearchChannel::WaitResult::Ready;
    case AutoResetEvent::Outcome::Abandoned:
        return SearchChannel::WaitResult::Ended;
    case AutoResetEvent::Outcome::TimedOut:
        break;
    }
    return SearchChannel::WaitResult::TimedOut;
}
} // namespace

SearchChannel::SearchChannel() {
    text_.reserve(kSolverTextSize);
}

SearchChannel::~SearchChannel() {
    Halt();
}

void SearchChannel::Halt() {
    if (worker_.joinable()) {
        Stop();
        Join();
    }
}

void SearchChannel::Start(std::function<void(SearchChannel&)> body) {
    // A previous worker may be waiting between batches: it is told to stop
    // first, or joining it would wait forever.
    Halt();
    batchReady_.Reset();
    computerDone_.Reset();
    stopEvent_.Reset();
    goOnEvent_.Reset();
    text_.clear();
    message_.clear();
    messageCaption_.clear();
    complete_ = false;
    stopped_ = false;
    workerEnded_ = false;
    noAnswer_ = false;
    worker_ = std::thread([this, work = std::move(body)] {
        work(*this);
        noAnswer_ = true;
        workerEnded_ = true;
        AutoResetEvent::WakeAll();
    });
}

void SearchChannel::Stop() {
    stopped_ = true;
    stopEvent_.Set();
}

void SearchChannel::Join() {
    if (worker_.joinable())
        worker_.join();
}

bool SearchChannel::WaitBatch() {
    return batchReady_.WaitUnless(workerEnded_);
}

SearchChannel::WaitResult SearchChannel::WaitBatchFor(std::chrono::milliseconds limit) {
    return ResultOf(batchReady_.WaitUnlessFor(workerEnded_, limit));
}

bool SearchChannel::WaitComputer() {
    return computerDone_.WaitUnless(noAnswer_);
}

SearchChannel::WaitResult SearchChannel::WaitComputerFor(std::chrono::milliseconds limit) {
    return ResultOf(computerDone_.WaitUnlessFor(noAnswer_, limit));
}

SearchChannel::WaitResult SearchChannel::WaitEndFor(std::chrono::milliseconds limit) {
    return AutoResetEvent::WaitFlagFor(workerEnded_, limit) ? WaitResult::Ready : WaitResult::TimedOut;
}

std::string SearchChannel::TakeText() {
    const std::lock_guard guard(textLock_);
    // A copy rather than a swap keeps the buffer's reserved capacity.
    std::string text(text_);
    text_.clear();
    return text;
}

void SearchChannel::DropText() {
    const std::lock_guard guard(textLock_);
    text_.clear();
}

void SearchChannel::Continue() {
    goOnEvent_.Set();
}

std::string SearchChannel::TakeWorkerMessage() {
    std::string text;
    text.swap(message_);
    return text;
}

void SearchChannel::ClearAnswers() {
    stopEvent_.Reset();
    goOnEvent_.Reset();
}

bool SearchChannel::HandOver() {
    if (stopped_) {
        DropText();
        return false;
    }
    batchReady_.Set();
    const int woken = AutoResetEvent::WaitEither(stopEvent_, goOnEvent_);
    ClearAnswers();
    if (woken == 0) {
        // Stopped while waiting: empty the text first, then release a caller
        // that may be waiting for a batch. A caller already told of this
        // batch may be taking it now: it gets it whole or not at all.
        DropText();
        batchReady_.Set();
        return false;
    }
    return true;
}

void SearchChannel::HandOverAnswer() {
    stopped_ = true;
    computerDone_.Set();
}

void SearchChannel::Finish(const std::string& closingText) {
    complete_ = true;
    // A stopped search hands over nothing: whatever the worker wrote since its
    // last hand-over is dropped before the caller is released.
    const bool stopped = stopped_;
    if (!stopped)
        text_ += closingText;
    else
        DropText();
    batchReady_.Set();
    if (!stopped) {
        AutoResetEvent::WaitEither(stopEvent_, goOnEvent_);
        ClearAnswers();
    }
    stopped_ = true;
}

void SearchChannel::FinishWithoutWaiting(const std::string& closingText) {
    complete_ = true;
    text_ = closingText;
    stopped_ = true;
    batchReady_.Set();
}

void SearchChannel::FinishStopped() {
    complete_ = true;
    noAnswer_ = true;
    batchReady_.Set();
    // A caller waiting for the computer's answer looks at noAnswer_ again.
    AutoResetEvent::WakeAll();
}

void SearchChannel::RecordMessage(const std::string& text, const std::string& caption) {
    message_ = text;
    messageCaption_ = caption;
}

void SearchChannel::GiveUp(const std::string& text, const std::string& caption) {
    RecordMessage(text, caption);
    stopped_ = true;
}

} // namespace lexinum
