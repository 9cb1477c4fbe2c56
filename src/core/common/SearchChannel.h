#pragma once

#include "AutoResetEvent.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace lexinum {

// The hand-over between a pane's background search and its caller (the
// interface thread, the command line or a test). The worker writes a batch
// into the shared solver text, hands it over and waits to be told to go on or
// to stop; the caller waits for the batch, takes the text and lets it go on.
// The solver text itself belongs to the application and is shared by both
// panes; only one search uses it at a time.
class SearchChannel {
public:
    // Capacity of the shared solver text, in bytes.
    static constexpr std::size_t kSolverTextSize = 3000;
    // Capacity of the shared answer text, in bytes.
    static constexpr std::size_t kAnswerTextSize = 400;

    explicit SearchChannel(std::string& solverText);
    ~SearchChannel();
    SearchChannel(const SearchChannel&) = delete;
    SearchChannel& operator=(const SearchChannel&) = delete;

    // The four events: the computer's answer is ready, a batch is ready,
    // goOn[0] = stop, goOn[1] = go on.
    AutoResetEvent computerDone;
    AutoResetEvent batchReady;
    AutoResetEvent goOn[2];

    // True when no search runs or a stop has been asked; the worker tests it.
    std::atomic<bool> searchStopped{true};
    // Set when a solutions search starts, cleared by the first look at it.
    std::atomic<bool> firstBatchPending{false};
    // Set by the solutions worker when its search has ended.
    std::atomic<bool> searchComplete{false};

    // ---- caller's side ----

    // Starts `body` in a worker thread after stopping and joining any previous
    // worker:
    // resets batchReady, computerDone and both goOn events, empties the solver
    // text and marks the search running (the flags are set here rather than by
    // the worker so that a stop asked right after the start is never lost).
    void Start(std::function<void(SearchChannel&)> body);
    // The stop idiom: asks the worker to stop and does not wait for it. The
    // solver text is emptied by the worker itself (it may be writing it now).
    void Stop();
    // Waits for the next batch. Returns false, without waiting, when no worker
    // can hand one over any more (it has ended and nothing is pending).
    bool WaitBatch();
    // Takes the text handed over with the last batch and empties the buffer.
    std::string TakeText();
    // Lets the worker go on after a batch has been taken.
    void Continue();
    // Waits for the computer's own answer; false if the worker ended without one.
    bool WaitComputer();
    // Waits for the worker thread to end.
    void Join();
    // Asks any running worker to stop and waits for it to end.
    void Halt();
    // True while a worker thread is alive.
    bool WorkerAlive() const { return !workerEnded_.load(); }
    // The message a worker recorded for the caller to show (empty if none).
    // Read it once the worker has handed over or ended.
    std::string TakeWorkerMessage();

    // ---- worker's side ----

    // The shared solver text; the worker writes its batches here.
    std::string& solverText;
    // Hands the batch now in solverText over and waits for the caller. Returns
    // true to go on, false when the search must end (a stop was asked before
    // or while waiting); on false the solver text has been emptied.
    bool HandOver();
    // Ends a solutions search: marks it complete, adds the closing text unless
    // a stop was asked, hands it over, waits once more unless stopped, and
    // marks the search stopped. A stopped search's text is emptied. Never call
    // it after HandOver returned false: that hand-over has already released
    // the caller, who may be reading the text.
    void Finish(const std::string& closingText);
    // Records a message for the caller to show (a worker never shows one).
    void RecordMessage(const std::string& text, const std::string& caption);
    // Caption of the recorded message.
    std::string WorkerMessageCaption() const { return messageCaption_; }

private:
    std::thread worker_;
    std::atomic<bool> workerEnded_{true};
    std::string message_;
    std::string messageCaption_;
};

} // namespace lexinum
