#include "SearchChannel.h"

#include <utility>

namespace lexinum {

SearchChannel::SearchChannel(std::string& text) : solverText(text) {}

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
    batchReady.Reset();
    computerDone.Reset();
    goOn[0].Reset();
    goOn[1].Reset();
    solverText.clear();
    message_.clear();
    messageCaption_.clear();
    firstBatchPending = true;
    searchComplete = false;
    searchStopped = false;
    workerEnded_ = false;
    worker_ = std::thread([this, work = std::move(body)] {
        work(*this);
        workerEnded_ = true;
        AutoResetEvent::WakeAll();
    });
}

void SearchChannel::Stop() {
    searchStopped = true;
    goOn[0].Set();
}

bool SearchChannel::WaitBatch() {
    return batchReady.WaitUnless(workerEnded_);
}

std::string SearchChannel::TakeText() {
    std::string text;
    text.swap(solverText);
    return text;
}

void SearchChannel::Continue() {
    goOn[1].Set();
}

bool SearchChannel::WaitComputer() {
    return computerDone.WaitUnless(workerEnded_);
}

void SearchChannel::Join() {
    if (worker_.joinable())
        worker_.join();
}

std::string SearchChannel::TakeWorkerMessage() {
    std::string text;
    text.swap(message_);
    return text;
}

bool SearchChannel::HandOver() {
    if (searchStopped) {
        solverText.clear();
        return false;
    }
    batchReady.Set();
    const int woken = AutoResetEvent::WaitEither(goOn[0], goOn[1]);
    goOn[0].Reset();
    goOn[1].Reset();
    if (woken == 0) {
        // Stopped while waiting: empty the text first, then release a caller
        // that may be waiting for a batch.
        solverText.clear();
        batchReady.Set();
        return false;
    }
    return true;
}

void SearchChannel::Finish(const std::string& closingText) {
    searchComplete = true;
    // A stopped search hands over nothing: whatever the worker wrote since its
    // last hand-over is dropped before the caller is released.
    const bool stopped = searchStopped;
    if (!stopped)
        solverText += closingText;
    else
        solverText.clear();
    batchReady.Set();
    if (!stopped) {
        AutoResetEvent::WaitEither(goOn[0], goOn[1]);
        goOn[0].Reset();
        goOn[1].Reset();
    }
    searchStopped = true;
}

void SearchChannel::RecordMessage(const std::string& text, const std::string& caption) {
    message_ = text;
    messageCaption_ = caption;
}

} // namespace lexinum
