// Whatever changes in the lexicon folder between two searches, or while a
// search waits between two groups, the files read are the ones the paths name
// at that moment.
#include "FixtureLexicon.h"
#include "TempFolder.h"

#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "lexicon/LexiconTexts.h"
#include "lexicon/WordSearch.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWords = {"rats", "star", "tsar", "art", "rat", "ta"};

// Every text a solutions search hands over, one entry per hand-over, and the
// message it left.
std::pair<std::vector<std::string>, std::string> Solutions(WordSearch& search, SearchChannel& channel,
                                                           const std::function<void()>& afterFirst = {}) {
    search.StartSolutions(channel);
    std::vector<std::string> texts;
    while (channel.WaitBatch()) {
        texts.push_back(channel.TakeText());
        if (texts.size() == 1 && afterFirst)
            afterFirst();
        const bool last = channel.Complete();
        channel.Continue();
        if (last)
            break;
    }
    channel.Join();
    return {texts, channel.TakeWorkerMessage()};
}

TEST(WordSearchFiles, SearchesReadTheFilesAsTheyAreNow) {
    const test::FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    const fs::path fourLetters = lexicon.LexFilePath(lexicon.FindLexFile("ARST", 4, 0));
    const fs::path threeLetters = lexicon.LexFilePath(lexicon.FindLexFile("ART", 3, 0));
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    SearchChannel channel;
    const auto [before, noMessage] = Solutions(search, channel);
    ASSERT_EQ(before.size(), 3U);
    EXPECT_EQ(before[0], " 4 lettres:   \r\nrats star tsar ");
    EXPECT_EQ(before[1], "\r\n 3 lettres:   \r\nart rat ");

    // Rewritten the way the lexicon's maintenance writes (a whole new file
    // renamed over the old one), between two searches.
    ASSERT_TRUE(ReadOnlyFile::Replace(fourLetters, "ARST tsar\r\n", true));
    const auto [after, message] = Solutions(search, channel);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after[0], " 4 lettres:   \r\ntsar ");

    // Rewritten while the search waits between its first two groups.
    const auto [during, duringMessage] =
        Solutions(search, channel, [&] { ASSERT_TRUE(ReadOnlyFile::Replace(threeLetters, "ART tra\r\n", true)); });
    ASSERT_GE(during.size(), 2U);
    EXPECT_EQ(during[1], "\r\n 3 lettres:   \r\ntra ");

    // Removed between two searches: the lexicon is lost, as when nothing is kept.
    ASSERT_TRUE(fs::remove(fourLetters));
    const auto [lost, lostMessage] = Solutions(search, channel);
    EXPECT_EQ(lostMessage, LexiconTexts::kLostLexicon);
}

} // namespace
} // namespace lexinum
