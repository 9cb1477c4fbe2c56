#include "common/AutoResetEvent.h"
#include "common/SearchChannel.h"

#include <gtest/gtest.h>

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

// A worker that hands over `batches` numbered batches, then its closing text.
void CountingWorker(SearchChannel& channel, int batches) {
    for (int i = 1; i <= batches; ++i) {
        channel.solverText = "lot " + std::to_string(i) + "\n";
        if (!channel.HandOver())
            return;
    }
    channel.Finish("fin\n");
}

TEST(SearchChannel, BatchesArriveInOrderThenTheClosingText) {
    std::string solverText;
    SearchChannel channel(solverText);
    channel.Start([](SearchChannel& c) { CountingWorker(c, 3); });
    std::string all;
    while (channel.WaitBatch()) {
        all += channel.TakeText();
        channel.Continue();
        if (channel.searchComplete && !channel.WorkerAlive())
            break;
    }
    channel.Join();
    EXPECT_EQ(all, "lot 1\nlot 2\nlot 3\nfin\n");
    EXPECT_TRUE(channel.searchComplete);
    EXPECT_TRUE(channel.searchStopped);
    EXPECT_FALSE(channel.WaitBatch()) << "no worker, no batch: the caller is never left waiting";
}

TEST(SearchChannel, AStopWhileTheWorkerWaitsReleasesAWaitingReader) {
    std::string solverText;
    SearchChannel channel(solverText);
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
    EXPECT_TRUE(solverText.empty()) << "a stopped worker leaves no batch behind";
    EXPECT_FALSE(channel.searchComplete) << "the stop ended it without a further batch";
}

TEST(SearchChannel, AStopRightAfterTheStartIsNeverLost) {
    std::string solverText;
    SearchChannel channel(solverText);
    std::atomic<int> handed{0};
    channel.Start([&](SearchChannel& c) {
        std::this_thread::sleep_for(5ms);
        for (int i = 0; i < 5; ++i) {
            c.solverText = "x";
            if (!c.HandOver())
                return;
            ++handed;
        }
        c.Finish("fin");
    });
    channel.Stop();
    channel.Join();
    EXPECT_EQ(handed, 0);
    EXPECT_TRUE(solverText.empty());
}

TEST(SearchChannel, WaitingForTheComputerEndsWhenTheWorkerDiesWithoutAnswer) {
    std::string solverText;
    SearchChannel channel(solverText);
    channel.Start([](SearchChannel& c) { c.RecordMessage("Lexique perdu", "Le mot le plus long"); });
    EXPECT_FALSE(channel.WaitComputer());
    channel.Join();
    EXPECT_EQ(channel.TakeWorkerMessage(), "Lexique perdu");

    channel.Start([](SearchChannel& c) {
        c.solverText = "ANSWER";
        c.computerDone.Set();
    });
    EXPECT_TRUE(channel.WaitComputer());
    channel.Join();
    EXPECT_EQ(channel.TakeText(), "ANSWER");
}

TEST(SearchChannel, StartingAgainJoinsThePreviousWorkerFirst) {
    std::string solverText;
    SearchChannel channel(solverText);
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
