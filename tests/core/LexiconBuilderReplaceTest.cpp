// How the builder puts a lexicon in a folder: it refuses a folder holding
// anything else, replaces a lexicon in one step, and a build that fails leaves
// the previous lexicon whole; and how it reads a word list it is given.
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconBuilder.h"
#include "lexicon/LexiconLineReader.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordCheck.h"
#include "lexicon/WordSearch.h"

#include "FileSizeLimit.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

// Every entry of a folder (recursively) with its bytes and whether it is read-only.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string bytes;
        if (entry.is_regular_file()) {
            EXPECT_TRUE(ReadOnlyFile::ReadAll(entry.path(), bytes));
        }
        contents[fs::relative(entry.path(), folder).string()] =
            bytes + (ReadOnlyFile::IsReadOnly(entry.path()) ? " [lecture seule]" : "");
    }
    return contents;
}

// The names in a folder.
std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Build(const fs::path& folder, std::initializer_list<const char*> words, const std::string& radical = "fr",
           std::string* error = nullptr) {
    LexiconBuilder builder(radical);
    for (const char* word : words)
        builder.AddWord(word);
    return builder.Write(folder, error);
}

TEST(LexiconBuilderReplace, RefusesAFolderHoldingAnythingButALexicon) {
    test::TempFolder folder;
    const fs::path target = folder / "lexiques";
    ASSERT_TRUE(Build(target, {"un", "deux", "trois"}));
    const auto before = Contents(target);
    // A note of the player, the word list itself named like a lexicon file, a
    // folder, a lexicon file of another radical with no index naming it.
    for (const std::string stranger : {"notes.txt", "mots.lex", "sous-dossier/", "xy01.lex", "fr1.lex"}) {
        const fs::path path = target / stranger;
        if (stranger.back() == '/')
            fs::create_directory(path);
        else
            folder.Write("lexiques/" + stranger, "ab\n");
        std::string error;
        EXPECT_FALSE(Build(target, {"oui", "non"}, "fr", &error)) << stranger;
        EXPECT_NE(error.find(fs::path(stranger).parent_path().empty() ? stranger : stranger.substr(0, 12)),
                  std::string::npos)
            << error;
        EXPECT_NE(error.find("n'est pas modifi"), std::string::npos) << error;
        fs::remove_all(path);
        EXPECT_EQ(Contents(target), before) << "the lexicon is left as it was";
    }
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"lexiques"}) << "nothing left beside it";
}

TEST(LexiconBuilderReplace, ReplacesALexiconOfAnyRadicalInOneStep) {
    test::TempFolder folder;
    const fs::path target = folder / "a/lexiques";
    ASSERT_TRUE(Build(target, {"un", "deux", "trois", "quatre", "cinq"}, "xy"));
    ASSERT_TRUE(fs::exists(target / "xy05.lex"));
    std::string error;
    ASSERT_TRUE(Build(target, {"oui", "non"}, "fr", &error)) << error;
    EXPECT_EQ(Names(target), (std::vector<std::string>{"fr01.lex", "fr02.lex", "lex.ini"}));
    EXPECT_EQ(folder.Read("a/lexiques/fr01.lex"), "IOU oui\r\n");
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(target / "lex.ini"));
    EXPECT_EQ(Names(folder / "a"), std::vector<std::string>{"lexiques"}) << "no folder left beside it";

    // Through a link: the folder it names gets the lexicon, the link stays.
    fs::create_directory_symlink(target, folder / "lien");
    ASSERT_TRUE(Build(folder / "lien", {"ah", "oh"}, "fr", &error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "lien"));
    EXPECT_EQ(folder.Read("a/lexiques/fr01.lex"), "AH ah\r\n");
    EXPECT_EQ(Names(folder / "a"), std::vector<std::string>{"lexiques"});

    // A file in the folder's place is no folder.
    folder.Write("fichier", "x");
    EXPECT_FALSE(Build(folder / "fichier", {"oui"}, "fr", &error));
    EXPECT_NE(error.find("n'est pas un dossier"), std::string::npos) << error;
    EXPECT_EQ(folder.Read("fichier"), "x");
}

TEST(LexiconBuilderReplace, AFailedRebuildLeavesThePreviousLexiconWhole) {
    test::TempFolder folder;
    const fs::path target = folder / "lexiques";
    ASSERT_TRUE(Build(target, {"un", "deux", "trois"}));
    const auto before = Contents(target);
    // A list whose last file cannot be written whole: 2000 words of five letters.
    LexiconBuilder larger;
    larger.SetFileCountRange(4, 4);
    for (const char* word : {"ab", "abc", "abcd"})
        larger.AddWord(word);
    for (int n = 0; n < 2000; ++n) {
        std::string word(5, 'a');
        for (int i = 4, v = n; i >= 0; --i, v /= 26)
            word[static_cast<std::size_t>(i)] = static_cast<char>('a' + v % 26);
        larger.AddWord(word);
    }
    std::string error;
    bool written = true;
    {
        test::FileSizeLimit full(4096);
        written = larger.Write(target, &error);
    }
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("fichier trop grand"), std::string::npos) << error;
    EXPECT_NE(error.find("resté tel quel"), std::string::npos) << "the failure says the old lexicon stands: " << error;
    EXPECT_EQ(error.find('\r'), std::string::npos) << error;
    EXPECT_EQ(Contents(target), before);
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"lexiques"});

    // A first build that fails leaves nothing behind.
    {
        test::FileSizeLimit full(4096);
        written = larger.Write(folder / "neuf", &error);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"lexiques"});
    EXPECT_TRUE(larger.Write(folder / "neuf", &error)) << error;
}

TEST(LexiconBuilderReplace, ReadsOnlyARegularWordListAndCountsLinesNotInUtf8) {
    test::TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "tube").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", folder / "zero");
    fs::create_directory(folder / "dossier");
    for (const char* name : {"tube", "zero", "dossier", "absente"}) {
        LexiconBuilder builder;
        std::string error;
        EXPECT_FALSE(builder.AddWordListFile(folder / name, &error)) << name << " is refused without waiting";
        EXPECT_NE(error.find((folder / name).string()), std::string::npos) << error;
        EXPECT_EQ(builder.GetSummary().wordsRead, 0u);
    }
    // Latin-1 lines, an over-long "e", and good lines.
    const auto list = folder.Write("liste.txt", "\xE9t\xE9\nabc\n\xE0 la\n\xC3\xA9t\xC3\xA9\nt\xC1\xA5te\nabc\nbca\n");
    LexiconBuilder builder;
    ASSERT_TRUE(builder.AddWordListFile(list));
    const auto& summary = builder.GetSummary();
    EXPECT_EQ(summary.wordsRead, 7u);
    EXPECT_EQ(summary.linesNotUtf8, 3u);
    EXPECT_EQ(summary.wordsRefused, 3u);
    EXPECT_EQ(summary.duplicates, 1u);
    EXPECT_EQ(summary.wordsKept, 3u);
}

TEST(LexiconBuilderReplace, EightAnagramsOfATwentyOneLetterWordFillA199ByteLineAndAllAreFound) {
    // 21 + 8 x 22 = 197 bytes, 199 with the CR LF: the longest line a lexicon holds.
    std::string word = "abcdefghijklmnopqrstu";
    std::vector<std::string> words;
    LexiconBuilder builder;
    for (int i = 0; i < 8; ++i) {
        words.push_back(word);
        ASSERT_TRUE(builder.AddWord(word));
        std::next_permutation(word.begin(), word.end());
    }
    test::TempFolder folder;
    ASSERT_TRUE(builder.Write(folder / "lex"));
    EXPECT_TRUE(builder.GetSummary().overflowWords.empty());
    std::string bytes;
    ASSERT_TRUE(ReadOnlyFile::ReadAll(folder / "lex/fr01.lex", bytes));
    ASSERT_EQ(bytes.size(), 199u);

    LexiconSet lexicon;
    ASSERT_TRUE(lexicon.ReadLexIni(folder / "lex").Complete());
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTU";
    for (std::string typed : words) {
        std::transform(typed.begin(), typed.end(), typed.begin(), [](char c) { return c - 'a' + 'A'; });
        EXPECT_EQ(CheckWord(lexicon, letters, typed), WordCheckResult::Accepted) << typed;
    }
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters(letters));
    SearchChannel channel;
    search.StartSolutions(channel);
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(search.Solutions(), words);
    channel.Halt();
}

TEST(LexiconBuilderReplace, ALineOfExactly199BytesKeepsItsLastWordForEveryReader) {
    // 27 + 6 x 28 = 195 bytes: a 27-letter key, six anagrams; a seventh would pass.
    std::string word = "abcdefghijklmnopqrstuvwxyza";
    LexiconBuilder builder;
    std::vector<std::string> words;
    for (int i = 0; i < 6; ++i) {
        words.push_back(word);
        builder.AddWord(word);
        std::next_permutation(word.begin(), word.end());
    }
    // One more letter on the key makes the line 197 bytes, 199 with its CR LF.
    test::TempFolder folder;
    ASSERT_TRUE(builder.Write(folder / "lex"));
    std::string bytes;
    ASSERT_TRUE(ReadOnlyFile::ReadAll(folder / "lex/fr01.lex", bytes));
    ASSERT_EQ(bytes.size(), 27u + 6 * 28 + 2);
    LexFileReader reader;
    ASSERT_TRUE(reader.Open(folder / "lex/fr01.lex"));
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_TRUE(line.ends_with(" " + words.back())) << line;
    LexiconLineReader seeker;
    ASSERT_TRUE(seeker.Open(folder / "lex/fr01.lex"));
    ASSERT_EQ(seeker.SeekKey(line.substr(0, 27)), 0);
    EXPECT_EQ(seeker.Line(), line);

    // The longest line a reader keeps whole: 197 bytes of content.
    const std::string longest = "AB " + std::string(194, 'a');
    const std::string longer = "AC " + std::string(100, 'b') + " " + std::string(94, 'c');
    folder.Write("lines.lex", longest + "\r\n" + longer + "\r\n");
    ASSERT_TRUE(reader.Open(folder / "lines.lex"));
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, longest);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "AC " + std::string(100, 'b')) << "198 bytes: the word cut by the limit is dropped whole";
}

} // namespace
} // namespace lexinum
