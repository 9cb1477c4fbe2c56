// The search as a worker thread: a stop while a group waits releases the
// caller, and a lexicon file that vanishes stops the search with the
// lost-lexicon message instead of hanging anyone.
#include "FixtureLexicon.h"

#include "common/SearchChannel.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexiconTexts.h"
#include "lexicon/WordSearch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>

namespace lexinum {
namespace {

using test::FixtureLexicon;

// A hang guard: how long a released caller may take to come back before the
// test gives up on it (never a measure of speed).
constexpr auto kHangGuard = std::chrono::seconds(20);

const std::vector<std::string> kWords = {"rats", "star", "tsar", "art", "rat", "ta"};

void RemoveFileOf(const LexiconSet& lexicon, const std::string& key) {
    const int file = lexicon.FindLexFile(key, static_cast<int>(key.size()), 0);
    ASSERT_GT(file, 0);
    ASSERT_TRUE(std::filesystem::remove(lexicon.LexFilePath(file)));
}

TEST(WordSearchThread, StopWhileAGroupWaitsReleasesTheCaller) {
    const FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    std::string solverText;
    SearchChannel channel(solverText);
    channel.Start([&search](SearchChannel& worker) { search.SolutionsWorker(worker); });
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), " 4 lettres:   \r\nrats star tsar ");

    // The caller asks for the next group without letting the worker go on; a
    // stop from elsewhere must release it, without a further group.
    auto waiter = std::async(std::launch::async, [&channel] {
        channel.WaitBatch();
        return channel.TakeText();
    });
    channel.Stop();
    ASSERT_EQ(waiter.wait_for(kHangGuard), std::future_status::ready);
    EXPECT_EQ(waiter.get(), "");
    channel.Join();
    EXPECT_FALSE(channel.WorkerAlive());
    EXPECT_FALSE(channel.searchComplete);
    EXPECT_TRUE(channel.searchStopped);
    EXPECT_FALSE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeWorkerMessage(), "");
}

TEST(WordSearchThread, StopBeforeTheFirstGroupEndsWithoutOne) {
    const FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    std::string solverText;
    SearchChannel channel(solverText);
    channel.Start([&search](SearchChannel& worker) { search.SolutionsWorker(worker); });
    channel.Stop();
    auto waiter = std::async(std::launch::async, [&channel] {
        while (channel.WaitBatch())
            if (!channel.TakeText().empty())
                return false;
        return true;
    });
    ASSERT_EQ(waiter.wait_for(kHangGuard), std::future_status::ready);
    EXPECT_TRUE(waiter.get()) << "a stopped search handed over a group";
}

TEST(WordSearchThread, FileVanishingDuringTheSearchStopsIt) {
    const FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    std::string solverText;
    SearchChannel channel(solverText);
    channel.Start([&search](SearchChannel& worker) { search.SolutionsWorker(worker); });
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(search.GroupLength(), 4);
    channel.TakeText();
    // The three-letter words' file goes while the first group is shown.
    RemoveFileOf(lexicon, "ART");
    channel.Continue();
    auto rest = std::async(std::launch::async, [&channel] {
        std::string text;
        while (channel.WaitBatch()) {
            text += channel.TakeText();
            channel.Continue();
        }
        return text;
    });
    ASSERT_EQ(rest.wait_for(kHangGuard), std::future_status::ready);
    EXPECT_EQ(rest.get(), "");
    channel.Join();
    EXPECT_TRUE(channel.searchStopped);
    EXPECT_EQ(channel.TakeWorkerMessage(), LexiconTexts::kLostLexicon);
    EXPECT_EQ(channel.WorkerMessageCaption(), "Lexinum");
}

TEST(WordSearchThread, LostLexiconInEitherSearchNeverHangsTheCaller) {
    for (const auto strategy :
         {WordSearch::Strategy::EnumerateKeys, WordSearch::Strategy::LeapKeys, WordSearch::Strategy::ScanLines}) {
        const FixtureLexicon fixture(kWords);
        const LexiconSet lexicon = fixture.Load();
        RemoveFileOf(lexicon, "ARST");
        WordSearch search(lexicon);
        search.SetStrategy(strategy);
        ASSERT_TRUE(search.PrepareLetters("TRAS"));
        std::string solverText;
        SearchChannel channel(solverText);

        channel.Start([&search](SearchChannel& worker) { search.SolutionsWorker(worker); });
        auto solutions = std::async(std::launch::async, [&channel] {
            std::string text;
            while (channel.WaitBatch()) {
                text += channel.TakeText();
                channel.Continue();
            }
            return text;
        });
        ASSERT_EQ(solutions.wait_for(kHangGuard), std::future_status::ready);
        EXPECT_EQ(solutions.get(), "");
        channel.Join();
        EXPECT_EQ(channel.TakeWorkerMessage(), LexiconTexts::kLostLexicon);

        search.ChooseHiddenFiles(6);
        channel.Start([&search](SearchChannel& worker) { search.ComputerWorker(worker); });
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
