// The search as a worker thread: a stop releases a waiting caller, and a
// lexicon file that cannot be read stops the search with the lost-lexicon
// message instead of hanging anyone.
#include "FixtureLexicon.h"

#include "common/SearchChannel.h"
#include "lexicon/LexiconTexts.h"
#include "lexicon/WordSearch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>

namespace lexinum {
namespace {

// How long a released caller may take to come back before the test gives up
// on it: a guard against hanging, never a measure of speed.
constexpr auto kHangGuard = std::chrono::seconds(20);

const std::vector<std::string> kWords = {"rats", "star", "tsar", "art", "rat", "ta"};

// Takes every batch left, from another thread; gives the texts taken.
std::future<std::string> DrainLater(SearchChannel& channel) {
    return std::async(std::launch::async, [&channel] {
        std::string text;
        while (channel.WaitBatch()) {
            text += channel.TakeText();
            channel.Continue();
        }
        return text;
    });
}

TEST(WordSearchThread, StopReleasesTheCallerWithoutAFurtherGroup) {
    const test::FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    SearchChannel channel;
    search.StartSolutions(channel);
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), " 4 lettres:   \r\nrats star tsar ");
    // The caller waits for the next group without letting the worker go on;
    // a stop from elsewhere releases it with nothing.
    auto waiter = std::async(std::launch::async, [&channel] {
        channel.WaitBatch();
        return channel.TakeText();
    });
    channel.Stop();
    // A new draw may be prepared at once, while the stopped search winds down.
    ASSERT_TRUE(search.PrepareLetters("XYZKW"));
    ASSERT_EQ(waiter.wait_for(kHangGuard), std::future_status::ready);
    EXPECT_EQ(waiter.get(), "");
    channel.Join();
    EXPECT_FALSE(channel.Complete());
    EXPECT_FALSE(channel.WaitBatch());
    search.StartSolutions(channel);
    EXPECT_EQ(DrainLater(channel).get(), WordSearch::kNoWordText);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));

    // A new search while one waits between groups ends the waiting one first.
    search.StartSolutions(channel);
    ASSERT_TRUE(channel.WaitBatch());
    auto restarted = std::async(std::launch::async, [&] {
        search.StartSolutions(channel);
        return DrainLater(channel).get();
    });
    ASSERT_EQ(restarted.wait_for(kHangGuard), std::future_status::ready);
    EXPECT_EQ(restarted.get(),
              " 4 lettres:   \r\nrats star tsar \r\n 3 lettres:   \r\nart rat \r\n 2 lettres:   \r\nta ");

    // Stopped at once, the search ends at its next test: the caller is
    // released with at most the group that was already on its way.
    search.StartSolutions(channel);
    channel.Stop();
    auto rest = DrainLater(channel);
    ASSERT_EQ(rest.wait_for(kHangGuard), std::future_status::ready);
    const std::string seen = rest.get();
    EXPECT_TRUE(seen.empty() || seen == " 4 lettres:   \r\nrats star tsar ") << seen;
    EXPECT_EQ(channel.TakeWorkerMessage(), "");
}

TEST(WordSearchThread, ANewSearchNeverShowsTextLeftByThePreviousOne) {
    const test::FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    // Ways a search ends with text handed over that the caller never took.
    const std::vector<std::pair<const char*, std::function<void(WordSearch&, SearchChannel&)>>> leftovers = {
        {"the computer's answer",
         [](WordSearch& search, SearchChannel& channel) {
             search.SetHiddenFiles(0);
             search.StartComputer(channel);
             channel.WaitComputer();
             channel.Join();
         }},
        {"a group, then the search stopped",
         [](WordSearch& search, SearchChannel& channel) {
             search.StartSolutions(channel);
             ASSERT_TRUE(channel.WaitBatch());
             channel.Halt();
         }},
        {"the closing text",
         [](WordSearch& search, SearchChannel& channel) {
             search.StartSolutions(channel);
             while (channel.WaitBatch() && !channel.Complete()) {
                 channel.TakeText();
                 channel.Continue();
             }
         }},
    };
    for (const auto& [how, leave] : leftovers) {
        SCOPED_TRACE(how);
        WordSearch search(lexicon);
        SearchChannel channel;
        ASSERT_TRUE(search.PrepareLetters("TRAS"));
        leave(search, channel);
        ASSERT_TRUE(search.PrepareLetters("TA"));
        search.StartSolutions(channel);
        ASSERT_TRUE(channel.WaitBatch());
        EXPECT_EQ(channel.TakeText(), " 2 lettres:   \r\nta ");
        channel.Continue();
        channel.Halt();
    }
}

TEST(WordSearchThread, FileVanishingDuringTheSearchStopsIt) {
    const test::FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    SearchChannel channel;
    search.StartSolutions(channel);
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(search.GroupLength(), 4);
    channel.TakeText();
    // The three-letter words' file goes while the first group is shown.
    ASSERT_TRUE(std::filesystem::remove(lexicon.LexFilePath(lexicon.FindLexFile("ART", 3, 0))));
    channel.Continue();
    auto rest = DrainLater(channel);
    ASSERT_EQ(rest.wait_for(kHangGuard), std::future_status::ready);
    EXPECT_EQ(rest.get(), "");
    channel.Join();
    EXPECT_TRUE(channel.Stopped());
    EXPECT_EQ(channel.TakeWorkerMessage(), LexiconTexts::kLostLexicon);
    EXPECT_EQ(channel.WorkerMessageCaption(), "Lexinum");
}

TEST(WordSearchThread, LostLexiconInEitherSearchNeverHangsTheCaller) {
    for (const auto strategy :
         {WordSearch::Strategy::EnumerateKeys, WordSearch::Strategy::LeapKeys, WordSearch::Strategy::ScanLines}) {
        const test::FixtureLexicon fixture(kWords);
        const LexiconSet lexicon = fixture.Load();
        ASSERT_TRUE(std::filesystem::remove(lexicon.LexFilePath(lexicon.FindLexFile("ARST", 4, 0))));
        WordSearch search(lexicon);
        search.SetStrategy(strategy);
        ASSERT_TRUE(search.PrepareLetters("TRAS"));
        SearchChannel channel;
        search.StartSolutions(channel);
        auto solutions = DrainLater(channel);
        ASSERT_EQ(solutions.wait_for(kHangGuard), std::future_status::ready);
        EXPECT_EQ(solutions.get(), "");
        channel.Join();
        EXPECT_EQ(channel.TakeWorkerMessage(), LexiconTexts::kLostLexicon);

        search.ChooseHiddenFiles(6);
        search.StartComputer(channel);
        auto computer = std::async(std::launch::async, [&channel] { return channel.WaitComputer(); });
        ASSERT_EQ(computer.wait_for(kHangGuard), std::future_status::ready);
        EXPECT_TRUE(computer.get());
        EXPECT_EQ(search.BestLength(), 0);
        EXPECT_EQ(channel.TakeText(), WordSearch::kNoWordText);
        channel.Join();
        EXPECT_EQ(channel.TakeWorkerMessage(), LexiconTexts::kLostLexicon);
    }
}

} // namespace
} // namespace lexinum
