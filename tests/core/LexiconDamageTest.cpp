// A lexicon damaged or put in odd places: an index that cannot be read, blank
// lines in the files, and the limits of an index taken at exactly their value.
#include "common/Profile.h"
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "lexicon/LexiconBuilder.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordCheck.h"
#include "lexicon/WordSearch.h"

#include "FixtureLexicon.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWords = {"rats", "star", "tsar", "art", "rat", "ta", "sa", "as", "tas"};

// Every word a solutions search finds for `letters`, and the message it left.
std::pair<std::set<std::string>, std::string> SearchWords(const LexiconSet& lexicon, const std::string& letters) {
    WordSearch search(lexicon);
    EXPECT_TRUE(search.PrepareLetters(letters));
    SearchChannel channel;
    search.StartSolutions(channel);
    std::set<std::string> words;
    while (channel.WaitBatch()) {
        channel.TakeText();
        const bool last = channel.Complete();
        for (const std::string& word : search.Solutions())
            words.insert(word);
        channel.Continue();
        if (last)
            break;
    }
    channel.Join();
    return {words, channel.TakeWorkerMessage()};
}

TEST(LexiconDamage, AnIndexThatCannotBeReadIsSaidSoNotTakenForAnother) {
    const test::FixtureLexicon fixture(kWords);
    const fs::path index = fixture.Directory() / LexiconSet::kIndexName;
    ReadOnlyFile::MakeWritable(index);
    // A pipe (read without waiting), a folder, an endless device.
    const std::vector<std::function<void()>> replacements = {[&] { ASSERT_EQ(::mkfifo(index.c_str(), 0644), 0); },
                                                             [&] { fs::create_directory(index); },
                                                             [&] { fs::create_symlink("/dev/zero", index); }};
    for (const auto& replace : replacements) {
        fs::remove(index);
        replace();
        LexiconSet set;
        const auto reading = set.ReadLexIni(fixture.Directory());
        EXPECT_EQ(reading.status, LexiconSet::Status::NoLexiconFiles);
        EXPECT_NE(reading.problem.find(index.string()), std::string::npos) << reading.problem;
        EXPECT_EQ(set.FileCount(), LexiconSet::kDefaultFileCount) << "nothing taken from it";
    }
    fs::remove(index);
    EXPECT_EQ(LexiconSet().ReadLexIni(fixture.Directory()).status, LexiconSet::Status::NoIndex);
    EXPECT_TRUE(LexiconSet().ReadLexIni(fixture.Folder() / "absent").problem.empty());
}

TEST(LexiconDamage, AFolderThatCannotBeSearchedIsNotSaidToLackItsIndex) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not hold for the superuser";
    const test::FixtureLexicon fixture(kWords);
    // A folder that can be listed but not searched, then not listed at all.
    ASSERT_EQ(::chmod(fixture.Directory().c_str(), 0444), 0);
    auto reading = LexiconSet().ReadLexIni(fixture.Directory());
    EXPECT_EQ(reading.status, LexiconSet::Status::NoLexiconFiles) << "not an index said absent";
    EXPECT_NE(reading.problem.find("accès refusé"), std::string::npos) << reading.problem;
    ASSERT_EQ(::chmod(fixture.Directory().c_str(), 0000), 0);
    reading = LexiconSet().ReadLexIni(fixture.Directory());
    EXPECT_NE(reading.problem.find("accès refusé"), std::string::npos) << reading.problem;
    ASSERT_EQ(::chmod(fixture.Directory().c_str(), 0755), 0);
}

TEST(LexiconDamage, BlankLinesLoseNoWordForTheCheckOrTheSearch) {
    const test::FixtureLexicon fixture(kWords, "fr", 3, 3);
    LexiconSet lexicon = fixture.Load();
    const auto [clean, cleanMessage] = SearchWords(lexicon, "TRAS");
    ASSERT_EQ(clean.size(), kWords.size());
    // Blank lines before, between and after the lines of every file.
    for (int n = 1; n <= lexicon.FileCount(); ++n) {
        std::string bytes;
        ASSERT_TRUE(ReadOnlyFile::ReadAll(lexicon.LexFilePath(n), bytes));
        std::string spaced = "\r\n";
        for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
            spaced += bytes.substr(start, end - start) + "\r\n\r\n \r\n\n";
        ASSERT_TRUE(ReadOnlyFile::Replace(lexicon.LexFilePath(n), spaced, true));
    }
    test::RecordingPrompter prompter;
    for (const std::string word : {"RATS", "STAR", "TSAR", "ART", "RAT", "TA", "SA", "AS", "TAS"})
        EXPECT_EQ(CheckWord(lexicon, "TRAS", word, nullptr, &prompter), WordCheckResult::Accepted) << word;
    EXPECT_TRUE(prompter.messages.empty());
    const auto [spaced, message] = SearchWords(lexicon, "TRAS");
    EXPECT_EQ(spaced, clean) << "the search finds what the check accepts";
    EXPECT_EQ(message, "");
}

TEST(LexiconDamage, ANewSearchStartsOnAnEmptyText) {
    const test::FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    // What a search of "TAS" hands over first on a channel of its own.
    WordSearch fresh(lexicon);
    ASSERT_TRUE(fresh.PrepareLetters("TAS"));
    SearchChannel own;
    fresh.StartSolutions(own);
    ASSERT_TRUE(own.WaitBatch());
    const std::string expected = own.TakeText();
    own.Halt();
    ASSERT_FALSE(expected.empty());

    // The same after a search whose first group was left untaken.
    WordSearch first(lexicon);
    ASSERT_TRUE(first.PrepareLetters("TRAS"));
    SearchChannel channel;
    first.StartSolutions(channel);
    ASSERT_TRUE(channel.WaitBatch());
    channel.Halt();
    WordSearch second(lexicon);
    ASSERT_TRUE(second.PrepareLetters("TAS"));
    second.StartSolutions(channel);
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), expected);
    channel.Halt();
}

TEST(LexiconDamage, AnIndexAtEachLimitIsTakenAndOnePastItRefused) {
    // 99 files, the most an index names: one key each, the last of 27 letters.
    LexiconBuilder builder;
    builder.SetFileCountRange(99, 99);
    std::vector<std::string> words;
    for (char a = 'a'; words.size() < 98; ++a)
        for (char b = a; b < 'z' && words.size() < 98; ++b)
            words.push_back(std::string{a, b, 'z'}); // distinct keys
    words.push_back("abcdefghijklmnopqrstuvwxyzz");
    for (const std::string& word : words)
        ASSERT_TRUE(builder.AddWord(word)) << word;
    test::TempFolder folder;
    ASSERT_TRUE(builder.Write(folder / "lex"));
    ASSERT_EQ(builder.GetSummary().fileCount, 99);
    LexiconSet set;
    ASSERT_TRUE(set.ReadLexIni(folder / "lex").Complete());
    EXPECT_EQ(set.FindLexFile("ABCDEFGHIJKLMNOPQRSTUVWXYZZ", 27, 0), 99);
    EXPECT_EQ(set.FirstFile(27), 99);
    EXPECT_EQ(set.LastFile(27), 99);
    EXPECT_EQ(set.FirstFile(3), 1);
    EXPECT_EQ(set.LastFile(3), 98);
    // Ranges rebuilt from the files keep the 27-letter key where it lies.
    LexiconSet rebuilt = set;
    rebuilt.RecomputeRanges();
    EXPECT_EQ(rebuilt.FirstFiles(), set.FirstFiles());
    EXPECT_EQ(rebuilt.LastFiles(), set.LastFiles());
    test::RecordingPrompter prompter;
    EXPECT_EQ(CheckWord(set, "ABCDEFGHIJKLMNOPQRSTUVWXYZZ", "ABCDEFGHIJKLMNOPQRSTUVWXYZZ", nullptr, &prompter),
              WordCheckResult::Accepted);
    EXPECT_EQ(CheckWord(set, "EHZ", "EHZ", nullptr, &prompter), WordCheckResult::Accepted) << "the 98th file";

    // A hundredth file is more than an index can name.
    ReadOnlyFile::MakeWritable(folder / "lex" / LexiconSet::kIndexName);
    folder.Write("lex/fr100.lex", "ZZZ zzz\r\n");
    ASSERT_TRUE(Profile(folder / "lex" / LexiconSet::kIndexName).WriteInt("lexiques", "nb_of_lexs", 100));
    EXPECT_EQ(LexiconSet().ReadLexIni(folder / "lex").status, LexiconSet::Status::NoLexiconFiles);
}

} // namespace
} // namespace lexinum
