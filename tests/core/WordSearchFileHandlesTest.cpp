// Lexicon files kept open from one search to the next: whatever changes in the
// folder between two searches, or while a search waits between two groups, the
// files read are the ones the paths name at that moment, as if each search had
// opened them afresh.
#include "FixtureLexicon.h"
#include "TempFolder.h"

#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "lexicon/LexiconFileHandles.h"
#include "lexicon/LexiconTexts.h"
#include "lexicon/WordSearch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWords = {"rats", "star", "tsar", "art", "rat", "ta"};

// The bytes of a file handed out, mapped or through its handle.
std::string Bytes(const LexiconFileHandles::File& file) {
    if (file.bytes != nullptr)
        return std::string(file.bytes, file.size);
    char bytes[64];
    const ssize_t got = file.handle >= 0 ? ::pread(file.handle, bytes, sizeof bytes, 0) : -1;
    return got > 0 ? std::string(bytes, static_cast<std::size_t>(got)) : std::string();
}

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
        const bool last = channel.searchComplete;
        channel.Continue();
        if (last)
            break;
    }
    channel.Join();
    return {texts, channel.TakeWorkerMessage()};
}

TEST(WordSearchFileHandles, KeptUntilSomethingChangesInTheFolder) {
    test::TempFolder folder;
    const fs::path first = folder.Write("fr01.lex", "AB ba\r\n");
    const fs::path second = folder.Write("fr02.lex", "ABC cab\r\n");
    LexiconFileHandles handles;
    handles.Check(folder.Path());
    if (!handles.Watching())
        GTEST_SKIP() << "the folder cannot be watched here: nothing is kept";
    // Kept open when first asked for, mapped whole when asked for again.
    const auto opened = handles.Open(1, first);
    ASSERT_TRUE(opened.kept);
    EXPECT_EQ(Bytes(opened), "AB ba\r\n");
    const auto mapped = handles.Open(1, first);
    EXPECT_NE(mapped.bytes, nullptr);
    EXPECT_EQ(Bytes(mapped), "AB ba\r\n");
    EXPECT_EQ(handles.Open(1, first).bytes, mapped.bytes);
    EXPECT_EQ(Bytes(handles.Open(2, second)), "ABC cab\r\n");
    EXPECT_EQ(handles.KeptCount(), 2);
    // Another file of the folder replaced: the next file handed out is opened
    // afresh and reads what its path names now.
    ASSERT_TRUE(ReadOnlyFile::Replace(second, "ABC bac cab\r\n", false));
    EXPECT_EQ(Bytes(handles.Open(1, first)), "AB ba\r\n");
    ASSERT_TRUE(ReadOnlyFile::MakeWritable(second));
    EXPECT_EQ(Bytes(handles.Open(2, second)), "ABC bac cab\r\n");
    EXPECT_NE(handles.Open(2, second).bytes, nullptr);
    // Written to in place (here made longer): read whole again, not as long
    // as it was when it was mapped.
    {
        std::ofstream append(second, std::ios::binary | std::ios::app);
        append << "ABD bad\r\n";
        ASSERT_TRUE(append.good());
    }
    EXPECT_EQ(Bytes(handles.Open(2, second)), "ABC bac cab\r\nABD bad\r\n");
    // Made read-only (an attribute change) or the folder moved away: nothing kept.
    ASSERT_TRUE(ReadOnlyFile::MakeReadOnly(first));
    handles.Check(folder.Path());
    EXPECT_EQ(handles.KeptCount(), 0);
    handles.Open(1, first);
    fs::rename(folder.Path(), folder.Path().string() + "-moved");
    fs::create_directory(folder.Path());
    handles.Check(folder.Path());
    EXPECT_EQ(handles.KeptCount(), 0);
    EXPECT_LT(handles.Open(1, first).handle, 0);
    EXPECT_EQ(handles.Open(1, first).bytes, nullptr);
    fs::remove_all(folder.Path().string() + "-moved");
    // A file that is no lexicon file of the folder is handed over, not kept.
    test::TempFolder elsewhere;
    const auto other = handles.Open(3, elsewhere.Write("fr03.lex", "ABD bad\r\n"));
    ASSERT_GE(other.handle, 0);
    EXPECT_FALSE(other.kept);
    EXPECT_EQ(other.bytes, nullptr);
    ::close(other.handle);
}

TEST(WordSearchFileHandles, SearchesReadTheFilesAsTheyAreNow) {
    const test::FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    const fs::path fourLetters = lexicon.LexFilePath(lexicon.FindLexFile("ARST", 4, 0));
    const fs::path threeLetters = lexicon.LexFilePath(lexicon.FindLexFile("ART", 3, 0));
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    std::string solverText;
    SearchChannel channel(solverText);
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
