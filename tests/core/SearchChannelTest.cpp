#include "common/SearchChannel.h"
#include "common/AutoResetEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace lexinum {
namespace {

using namespace std::chrono_literals;

TEST(AutoResetEvent, ASetReleasesOneWaitAndIsNeverACounter) {
    AutoResetEvent event;
    event.Set();
    event.Set(); // two quick sets release one waiter
    event.Wait();
    EXPECT_FALSE(event.IsSet());
    event.Set();
    event.Reset();
    EXPECT_FALSE(event.IsSet());

    AutoResetEvent stop, goOn;
    goOn.Set();
    stop.Set();
    EXPECT_EQ(AutoResetEvent::WaitEither(stop, goOn), 0) << "the first event wins when both are set";
    EXPECT_EQ(AutoResetEvent::WaitEither(stop, goOn), 1);
    EXPECT_FALSE(goOn.IsSet());
}

TEST(AutoResetEvent, WaitEitherWakesForTheEventSetFromAnotherThread) {
    AutoResetEvent a, b;
    auto waiter = std::async(std::launch::async, [&] { return AutoResetEvent::WaitEither(a, b); });
    std::this_thread::sleep_for(5ms);
    b.Set();
    EXPECT_EQ(waiter.get(), 1);
}

TEST(AutoResetEvent, ABoundedWaitThatTimesOutConsumesNothing) {
    AutoResetEvent event;
    std::atomic<bool> ended{false};
    EXPECT_EQ(event.WaitUnlessFor(ended, 1ms), AutoResetEvent::Outcome::TimedOut);
    event.Set();
    ended = true;
    EXPECT_EQ(event.WaitUnlessFor(ended, 0ms), AutoResetEvent::Outcome::Set) << "a set event wins over abandon";
    EXPECT_FALSE(event.IsSet());
    EXPECT_EQ(event.WaitUnlessFor(ended, 30s), AutoResetEvent::Outcome::Abandoned);

    // A set from another thread ends a sleeping bounded wait.
    std::atomic<bool> never{false};
    auto waiter = std::async(std::launch::async, [&] { return event.WaitUnlessFor(never, 30s); });
    std::this_thread::sleep_for(5ms);
    event.Set();
    EXPECT_EQ(waiter.get(), AutoResetEvent::Outcome::Set);
}

// A worker that hands over `batches` numbered batches, then its closing text.
void CountingWorker(SearchChannel& channel, int batches) {
    for (int i = 1; i <= batches; ++i) {
        channel.WorkerText() = "lot " + std::to_string(i) + "\n";
        if (!channel.HandOver())
            return;
    }
    channel.Finish("fin\n");
}

TEST(SearchChannel, BatchesArriveInOrderThenTheClosingText) {
    SearchChannel channel;
    channel.Start([](SearchChannel& c) { CountingWorker(c, 3); });
    std::string all;
    while (channel.WaitBatch()) {
        all += channel.TakeText();
        channel.Continue();
        if (channel.Complete() && !channel.WorkerAlive())
            break;
    }
    channel.Join();
    EXPECT_EQ(all, "lot 1\nlot 2\nlot 3\nfin\n");
    EXPECT_TRUE(channel.Complete());
    EXPECT_TRUE(channel.Stopped());
    EXPECT_FALSE(channel.WaitBatch()) << "no worker, no batch: the caller is never left waiting";
}

TEST(SearchChannel, AStopWhileTheWorkerWaitsReleasesAWaitingReader) {
    SearchChannel channel;
    channel.Start([](SearchChannel& c) { CountingWorker(c, 1000); });
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), "lot 1\n");
    // The worker now waits for goOn; another reader waits for the next batch.
    auto reader = std::async(std::launch::async, [&] { return channel.WaitBatch(); });
    std::this_thread::sleep_for(10ms);
    channel.Stop();
    ASSERT_EQ(reader.wait_for(5s), std::future_status::ready) << "the waiting reader is released";
    reader.get();
    channel.Join();
    EXPECT_EQ(channel.TakeText(), "") << "a stopped worker leaves no batch behind";
    EXPECT_FALSE(channel.Complete()) << "the stop ended it without a further batch";
}

TEST(SearchChannel, AStopRightAfterTheStartIsNeverLost) {
    SearchChannel channel;
    std::atomic<int> handed{0};
    channel.Start([&](SearchChannel& c) {
        std::this_thread::sleep_for(5ms);
        for (int i = 0; i < 5; ++i) {
            c.WorkerText() = "x";
            if (!c.HandOver())
                return;
            ++handed;
        }
        c.Finish("fin");
    });
    channel.Stop();
    channel.Join();
    EXPECT_EQ(handed, 0);
    EXPECT_EQ(channel.TakeText(), "");
}

TEST(SearchChannel, WaitingForTheComputerEndsWhenTheWorkerDiesWithoutAnswer) {
    SearchChannel channel;
    channel.Start([](SearchChannel& c) { c.RecordMessage("Lexique perdu", "Le mot le plus long"); });
    EXPECT_FALSE(channel.WaitComputer());
    channel.Join();
    EXPECT_EQ(channel.TakeWorkerMessage(), "Lexique perdu");

    channel.Start([](SearchChannel& c) {
        c.WorkerText() = "ANSWER";
        c.HandOverAnswer();
    });
    EXPECT_TRUE(channel.WaitComputer());
    channel.Join();
    EXPECT_EQ(channel.TakeText(), "ANSWER");
}

// Waits in short slices, as the interface thread does, until something other
// than a time-out comes (or a generous guard against a hang runs out).
template <class Wait> SearchChannel::WaitResult WaitInSlices(Wait wait) {
    for (int slice = 0; slice < 1500; ++slice) {
        const SearchChannel::WaitResult result = wait(20ms);
        if (result != SearchChannel::WaitResult::TimedOut)
            return result;
    }
    return SearchChannel::WaitResult::TimedOut;
}

TEST(SearchChannel, ABatchLateForItsSliceComesWithALaterWait) {
    SearchChannel channel;
    AutoResetEvent release;
    channel.Start([&](SearchChannel& c) {
        release.Wait();
        CountingWorker(c, 2);
    });
    EXPECT_EQ(channel.WaitBatchFor(1ms), SearchChannel::WaitResult::TimedOut);
    EXPECT_EQ(channel.WaitBatchFor(0ms), SearchChannel::WaitResult::TimedOut);
    release.Set();
    std::string all;
    for (;;) {
        const auto result = WaitInSlices([&](auto slice) { return channel.WaitBatchFor(slice); });
        if (result != SearchChannel::WaitResult::Ready) {
            EXPECT_EQ(result, SearchChannel::WaitResult::Ended);
            break;
        }
        all += channel.TakeText();
        channel.Continue();
    }
    EXPECT_EQ(all, "lot 1\nlot 2\nfin\n") << "no batch lost to a time-out";
    EXPECT_TRUE(channel.Complete());
    EXPECT_FALSE(channel.WorkerAlive());
    EXPECT_EQ(channel.WaitBatchFor(0ms), SearchChannel::WaitResult::Ended);
}

TEST(SearchChannel, ABoundedWaitSaysEndedWhenTheWorkerGivesUpWithoutABatch) {
    SearchChannel channel;
    channel.Start([](SearchChannel& c) {
        c.WorkerText() = "moitié";
        c.GiveUp("Lexique perdu", "Lexinum");
        EXPECT_TRUE(c.StopAsked()) << "giving up ends the worker's own search";
    });
    EXPECT_EQ(WaitInSlices([&](auto slice) { return channel.WaitBatchFor(slice); }), SearchChannel::WaitResult::Ended);
    EXPECT_EQ(channel.WaitComputerFor(0ms), SearchChannel::WaitResult::Ended);
    channel.Join();
    EXPECT_TRUE(channel.Stopped());
    EXPECT_FALSE(channel.Complete());
    EXPECT_EQ(channel.TakeWorkerMessage(), "Lexique perdu");
    EXPECT_EQ(channel.WorkerMessageCaption(), "Lexinum");
}

TEST(SearchChannel, TheComputersAnswerComesThroughABoundedWait) {
    SearchChannel channel;
    AutoResetEvent release;
    channel.Start([&](SearchChannel& c) {
        release.Wait();
        c.WorkerText() = "ANSWER";
        c.HandOverAnswer();
    });
    EXPECT_EQ(channel.WaitComputerFor(1ms), SearchChannel::WaitResult::TimedOut);
    EXPECT_FALSE(channel.Stopped()) << "the search still runs";
    release.Set();
    EXPECT_EQ(WaitInSlices([&](auto slice) { return channel.WaitComputerFor(slice); }),
              SearchChannel::WaitResult::Ready);
    EXPECT_EQ(channel.TakeText(), "ANSWER");
    EXPECT_TRUE(channel.Stopped()) << "an answer handed over ends the search";
    channel.Join();
    EXPECT_EQ(channel.WaitComputerFor(0ms), SearchChannel::WaitResult::Ended);

    // An answer handed over just before the worker ended is still Ready, not
    // Ended, whenever the caller comes to look.
    channel.Start([](SearchChannel& c) {
        c.WorkerText() = "LATE";
        c.HandOverAnswer();
    });
    channel.Join();
    EXPECT_EQ(channel.WaitComputerFor(0ms), SearchChannel::WaitResult::Ready);
    EXPECT_EQ(channel.TakeText(), "LATE");
}

TEST(SearchChannel, AClosingTextHandedOverWithoutWaitingEndsTheSearch) {
    SearchChannel channel;
    channel.Start([](SearchChannel& c) {
        c.WorkerText() = "brouillon";
        c.FinishWithoutWaiting("plus proche\n");
    });
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_TRUE(channel.Complete());
    EXPECT_EQ(channel.TakeText(), "plus proche\n") << "the closing text replaces what was written";
    channel.Join();
    EXPECT_TRUE(channel.Stopped());
    EXPECT_FALSE(channel.WaitBatch()) << "nothing is left to let go";
}

TEST(SearchChannel, StartingAgainJoinsThePreviousWorkerFirst) {
    SearchChannel channel;
    std::atomic<int> alive{0};
    std::atomic<int> maxAlive{0};
    auto body = [&](SearchChannel& c) {
        maxAlive = std::max(maxAlive.load(), ++alive);
        CountingWorker(c, 50);
        --alive;
    };
    for (int round = 0; round < 5; ++round) {
        channel.Start(body);
        ASSERT_TRUE(channel.WaitBatch());
        channel.TakeText();
        channel.Stop();
    }
    // A worker left waiting between batches (no stop asked) is stopped by the
    // next start rather than waited for forever.
    channel.Start(body);
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), "lot 1\n");
    channel.Start(body);
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), "lot 1\n");
    channel.Stop();
    channel.Join();
    EXPECT_EQ(maxAlive, 1) << "two workers never share a channel";
}

} // namespace
} // namespace lexinum
