#pragma once

#include "AutoResetEvent.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace lexinum {

// The hand-over between a pane's background search and its caller (the
// interface thread, the command line or a test). The worker writes a batch
// into the channel's solver text, hands it over and waits to be told to go on
// or to stop; the caller waits for the batch, takes the text and lets it go on.
// Each channel owns its solver text, so two panes never write the same one.
// Its events and flags are private: both sides meet only through the named
// operations below.
class SearchChannel {
public:
    // Capacity reserved for the solver text, in bytes.
    static constexpr std::size_t kSolverTextSize = 3000;

    // What a bounded wait saw: the batch (or answer) is there and has been
    // consumed, the worker ended (or, for the answer, finished stopped) with
    // nothing pending, or neither yet. WaitEndFor says Ready once the worker
    // has ended.
    enum class WaitResult { Ready, Ended, TimedOut };

    SearchChannel();
    ~SearchChannel();
    SearchChannel(const SearchChannel&) = delete;
    SearchChannel& operator=(const SearchChannel&) = delete;

    // ---- caller's side ----

    // Starts `body` in a worker thread after stopping and joining any previous
    // worker. The running state is set here, before the thread runs, so that a
    // stop asked right after the start is never lost.
    void Start(std::function<void(SearchChannel&)> body);
    // Asks the worker to stop and does not wait for it. The solver text is
    // emptied by the worker itself (it may be writing it now).
    void Stop();
    // Waits for the worker thread to end.
    void Join();
    // Asks any running worker to stop and waits for it to end.
    void Halt();
    // Waits for the next batch. Returns false, without waiting, when no worker
    // can hand one over any more (it has ended and nothing is pending).
    bool WaitBatch();
    // Waits at most `limit` for the next batch; Ready consumes it exactly as
    // WaitBatch does. After TimedOut nothing is lost: wait again later.
    WaitResult WaitBatchFor(std::chrono::milliseconds limit);
    // Waits for the computer's own answer; false if the worker ended without
    // one, or finished stopped (FinishStopped) without one.
    bool WaitComputer();
    // Waits at most `limit` for the computer's answer, like WaitBatchFor;
    // Ended when there will be none.
    WaitResult WaitComputerFor(std::chrono::milliseconds limit);
    // Waits at most `limit` for the worker thread to end: Ready once it has
    // (or when none runs), TimedOut otherwise. It sleeps until the worker's
    // end wakes it rather than looking again and again; the thread still has
    // to be joined. With Stop first, a bounded halt:
    //     channel.Stop();
    //     if (channel.WaitEndFor(limit) == WaitResult::Ready) channel.Join();
    WaitResult WaitEndFor(std::chrono::milliseconds limit);
    // Takes the text handed over with the last batch and empties the buffer.
    std::string TakeText();
    // Lets the worker go on after a batch has been taken.
    void Continue();
    // True while a worker thread is alive.
    bool WorkerAlive() const { return !workerEnded_.load(); }
    // True once the solutions search has come to its end and handed over its
    // closing text (nothing if it was stopped): read right after a batch, it
    // tells the last one. A search stopped while a batch waited never gets it.
    bool Complete() const { return complete_.load(); }
    // True when no search runs or a stop has been asked.
    bool Stopped() const { return stopped_.load(); }
    // The message a worker recorded for the caller to show (empty if none).
    // Read it once the worker has handed over or ended.
    std::string TakeWorkerMessage();
    // Caption of the recorded message.
    std::string WorkerMessageCaption() const { return messageCaption_; }

    // ---- worker's side ----

    // The worker's stop test: true once a stop has been asked (or the worker
    // has itself marked the search over).
    bool StopAsked() const { return stopped_.load(std::memory_order_relaxed); }
    // The solver text; the worker writes its batches here between hand-overs.
    std::string& WorkerText() { return text_; }
    // Hands the batch now in the solver text over and waits for the caller.
    // Returns true to go on, false when the search must end (a stop was asked
    // before or while waiting); on false the solver text has been emptied.
    bool HandOver();
    // Hands the computer's answer (now in the solver text) over: marks the
    // search stopped and releases a caller waiting in WaitComputer.
    void HandOverAnswer();
    // Ends a solutions search: marks it complete, adds the closing text unless
    // a stop was asked, hands it over, waits once more unless stopped, and
    // marks the search stopped. A stopped search's text is emptied. Never call
    // it after HandOver returned false: that hand-over has already released
    // the caller, who may be reading the text.
    void Finish(const std::string& closingText);
    // Ends a solutions search with `closingText` as its last batch, without
    // waiting to be let go: the text replaces the solver text, the search is
    // marked complete and stopped, and the caller is released.
    void FinishWithoutWaiting(const std::string& closingText);
    // Ends a search that was stopped, either search: hands nothing over (the
    // solver text is left alone, the caller may be taking it), marks it
    // complete, releases a caller still waiting for a batch, and tells one
    // waiting for the computer's answer that there is none.
    void FinishStopped();
    // Records a message for the caller to show (a worker never shows one).
    void RecordMessage(const std::string& text, const std::string& caption);
    // Gives the search up (its lexicon is lost, say): records the message and
    // marks the search stopped; the worker then ends, which releases the caller.
    void GiveUp(const std::string& text, const std::string& caption);

private:
    // Clears both answers to a hand-over (stop, go on) after a wait for either.
    void ClearAnswers();
    // Empties the solver text on the worker's side once the search is stopped:
    // the caller may be taking the batch it was handed just before the stop.
    void DropText();

    // Set when the computer's answer is ready.
    AutoResetEvent computerDone_;
    // Set when a batch is ready (or to release a waiting caller).
    AutoResetEvent batchReady_;
    // The caller's answers to a hand-over: stop wins over go on.
    AutoResetEvent stopEvent_;
    AutoResetEvent goOnEvent_;
    // True when no search runs or a stop has been asked.
    std::atomic<bool> stopped_{true};
    // Set when the solutions search has handed over its closing text.
    std::atomic<bool> complete_{false};
    std::atomic<bool> workerEnded_{true};
    // Set when the worker can no longer hand the computer's answer over: it
    // finished stopped, or it ended.
    std::atomic<bool> noAnswer_{true};
    std::string text_;
    // Taken by TakeText and DropText: a stop lets the worker empty the text
    // of a batch the caller has been told of and may be copying.
    std::mutex textLock_;
    std::thread worker_;
    std::string message_;
    std::string messageCaption_;
};

} // namespace lexinum
