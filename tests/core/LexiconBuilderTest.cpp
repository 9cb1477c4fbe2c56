#include "lexicon/LexiconBuilder.h"
#include "common/Random15.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"

#include "FixtureLexicon.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return lines;
}

// Checks every rule of the lexicon format and its ordering invariants; returns
// the words of the lexicon (Windows-1252) with the number of times each occurs,
// and the byte size of every file.
std::map<std::string, int> ExpectWellFormed(const fs::path& folder, std::vector<std::size_t>* fileSizes = nullptr) {
    std::map<std::string, int> words;
    LexiconSet set;
    EXPECT_TRUE(set.ReadLexIni(folder).Complete());
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(folder / LexiconSet::kIndexName));
    EXPECT_EQ(set.VowelWeights(), kDefaultVowelWeights);
    EXPECT_EQ(set.ConsonantWeights(), kDefaultConsonantWeights);
    int previousLength = 0;
    for (int n = 1; n <= set.FileCount(); ++n) {
        const fs::path file = set.LexFilePath(n);
        EXPECT_TRUE(ReadOnlyFile::IsReadOnly(file)) << file;
        std::string bytes;
        EXPECT_TRUE(ReadOnlyFile::ReadAll(file, bytes)) << file;
        if (fileSizes != nullptr)
            fileSizes->push_back(bytes.size());
        const auto lines = SplitLines(bytes);
        EXPECT_FALSE(lines.empty()) << file;
        std::string previousKey;
        for (const std::string& line : lines) {
            EXPECT_LE(line.size() + 2, static_cast<std::size_t>(kMaxLineLength)) << line;
            const auto space = line.find(' ');
            EXPECT_NE(space, std::string::npos) << line;
            const std::string key = line.substr(0, space);
            EXPECT_GE(key.size(), 2u);
            EXPECT_TRUE(std::all_of(key.begin(), key.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) << key;
            EXPECT_TRUE(previousLength == 0 || static_cast<int>(key.size()) == previousLength ||
                        (line == lines.front() && static_cast<int>(key.size()) > previousLength))
                << "one key length per file, lengths ascending: " << file;
            previousLength = static_cast<int>(key.size());
            if (!previousKey.empty()) {
                EXPECT_LT(previousKey, key) << "strictly ascending keys in " << file;
                EXPECT_EQ(CompareKeyLine(key, previousKey + " x"), -1);
            }
            previousKey = key;
            EXPECT_EQ(set.FindLexFile(key, static_cast<int>(key.size()), 0), n) << key << " is found where it lies";
            std::set<std::string> onLine;
            std::size_t at = space;
            while (at != std::string::npos) {
                const auto next = line.find(' ', at + 1);
                const std::string word = line.substr(at + 1, next == std::string::npos ? next : next - at - 1);
                EXPECT_FALSE(word.empty()) << "single spaces, no trailing space: " << line;
                EXPECT_EQ(MakeKey(word), key) << word;
                EXPECT_TRUE(onLine.insert(word).second) << word;
                ++words[word];
                at = next;
            }
        }
        EXPECT_EQ(set.FirstEntry(n), lines.empty() ? "" : lines.front().substr(0, lines.front().find(' ')));
    }
    LexiconSet recomputed = set;
    recomputed.RecomputeRanges();
    EXPECT_EQ(recomputed.FirstFiles(), set.FirstFiles());
    EXPECT_EQ(recomputed.LastFiles(), set.LastFiles());
    return words;
}

TEST(LexiconBuilder, KeepsOnlyWordsOfSmallFrenchLetters) {
    for (const char* kept : {"ab", "na\xC3\xAFve",
                             "\xC3\xA0\xC3\xA2\xC3\xA4\xC3\xA7\xC3\xA8\xC3\xA9\xC3\xAA\xC3\xAB"
                             "\xC3\xAE\xC3\xAF\xC3\xB4\xC3\xB6\xC3\xB9\xC3\xBB\xC3\xBC",
                             "abcdefghijklmnopqrstuvwxyza"})
        EXPECT_TRUE(LexiconBuilder::LexiconSpelling(kept).has_value()) << kept;
    for (const char* refused :
         {"a", "", "Paris", "\xC3\x89tat", "l'eau", "porte-cl\xC3\xA9", "c\xC5\x93ur", "se\xC3\xB1or", "\xC3\xA1gil",
          "a.b", "ab ", "abcdefghijklmnopqrstuvwxyzab", "\xFF\xFE"})
        EXPECT_FALSE(LexiconBuilder::LexiconSpelling(refused).has_value()) << refused;
    EXPECT_EQ(*LexiconBuilder::LexiconSpelling("\xC3\xA9l\xC3\xA8ve"), "\xE9l\xE8ve") << "stored in Windows-1252";
}

TEST(LexiconBuilder, FilesAnagramsOnOneLineInListOrder) {
    test::TempFolder folder;
    LexiconBuilder builder;
    builder.AddWordList("\xEF\xBB\xBF"
                        "chien\r\nniche\nChine\nchine\n\nchien\n\xC3\xA9toile\nbonjour!\nsi\n");
    const auto& summary = builder.GetSummary();
    EXPECT_EQ(summary.wordsRead, 8u);
    EXPECT_EQ(summary.wordsKept, 5u);
    EXPECT_EQ(summary.wordsRefused, 2u);
    EXPECT_EQ(summary.duplicates, 1u);
    ASSERT_TRUE(builder.Write(folder / "lexique"));
    EXPECT_EQ(summary.fileCount, 3);
    EXPECT_EQ(summary.lineCount, 3u);
    EXPECT_EQ(folder.Read("lexique/fr01.lex"), "IS si\r\n");
    EXPECT_EQ(folder.Read("lexique/fr02.lex"), "CEHIN chien niche chine\r\n");
    EXPECT_EQ(folder.Read("lexique/fr03.lex"), "EEILOT \xE9toile\r\n");
    ExpectWellFormed(folder / "lexique");
}

TEST(LexiconBuilder, CutsALargeListInto40To99FilesOfSimilarSize) {
    // Random words with the letter frequencies of French, 2 to 14 letters.
    Random15::Seed(77);
    const std::string letters =
        "eeeeeeeeeeeeeeaaaaaaaiiiiiiiooooouuuuussssssnnnnnnrrrrrrtttttllllldddcccmmppvqfbghjxyz";
    std::vector<std::string> list;
    LexiconBuilder builder("lx");
    for (int i = 0; i < 30000; ++i) {
        std::string word;
        const int length = 2 + Random15::Below(13);
        for (int k = 0; k < length; ++k)
            word += letters[static_cast<std::size_t>(Random15::Below(static_cast<int>(letters.size())))];
        if (builder.AddWord(word))
            list.push_back(word);
    }
    test::TempFolder folder;
    ASSERT_TRUE(builder.Write(folder.Path()));
    const auto& summary = builder.GetSummary();
    EXPECT_GE(summary.fileCount, 40);
    EXPECT_LE(summary.fileCount, 99);
    std::vector<std::size_t> sizes;
    const auto words = ExpectWellFormed(folder.Path(), &sizes);
    std::map<std::string, int> expected;
    for (const std::string& word : list)
        expected[word] = 1;
    EXPECT_EQ(words, expected) << "every word kept exactly once";

    // Files of one length differ by about one line at most.
    LexiconSet set;
    ASSERT_TRUE(set.ReadLexIni(folder.Path()).Complete());
    for (int length = kMinKeyLength; length <= 14; ++length) {
        const auto from = sizes.begin() + set.FirstFile(length) - 1;
        const auto to = sizes.begin() + set.LastFile(length);
        EXPECT_LE(*std::max_element(from, to) - *std::min_element(from, to), 2u * 200u) << length;
    }
}

TEST(LexiconBuilder, LeavesOutAnagramsThatOverflowTheirLine) {
    std::string word = "abcdefghijklmnopqrstuvwxyza";
    LexiconBuilder builder;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(builder.AddWord(word));
        std::next_permutation(word.begin(), word.end());
    }
    test::TempFolder folder;
    ASSERT_TRUE(builder.Write(folder.Path()));
    const auto words = ExpectWellFormed(folder.Path());
    EXPECT_EQ(words.size(), 6u) << "27 + 6 x 28 + 2 = 197 bytes; a seventh word would pass 199";
    EXPECT_EQ(builder.GetSummary().overflowWords.size(), 2u);
    EXPECT_EQ(builder.GetSummary().wordsWritten, 6u);
}

TEST(LexiconBuilder, ReplacesALexiconAndRefusesWhatItCannotWrite) {
    test::TempFolder folder;
    const fs::path target = folder / "a/b/lexiques";
    {
        LexiconBuilder builder;
        for (const char* word : {"un", "deux", "trois", "quatre", "cinq", "six", "sept"})
            builder.AddWord(word);
        ASSERT_TRUE(builder.Write(target));
    }
    LexiconBuilder smaller("fr");
    smaller.AddWord("oui");
    smaller.AddWord("non");
    ASSERT_TRUE(smaller.Write(target));
    EXPECT_EQ(ExpectWellFormed(target).size(), 2u);
    EXPECT_FALSE(fs::exists(target / "fr03.lex")) << "files of the old lexicon are gone";

    std::string error;
    LexiconBuilder empty;
    empty.AddWord("X");
    EXPECT_FALSE(empty.Write(folder / "vide", &error));
    EXPECT_NE(error.find("Aucun mot"), std::string::npos);
    LexiconBuilder badRadical("a/b");
    badRadical.AddWord("oui");
    EXPECT_FALSE(badRadical.Write(folder / "x", &error));
    EXPECT_FALSE(LexiconBuilder("douzecaracts").Write(folder / "x", &error));
    EXPECT_NE(error.find("11 caract"), std::string::npos);
    folder.Write("fichier", "");
    EXPECT_FALSE(smaller.Write(folder / "fichier/lexiques", &error));
    EXPECT_NE(error.find("Impossible de cr"), std::string::npos) << error;
}

TEST(LexiconBuilder, ShippedLexiconFollowsEveryRule) {
    const fs::path shipped = LEXINUM_SHIPPED_LEXICON_DIR;
    if (!fs::exists(shipped / LexiconSet::kIndexName))
        GTEST_SKIP() << "no shipped lexicon at " << shipped;
    std::vector<std::size_t> sizes;
    const auto words = ExpectWellFormed(shipped, &sizes);
    EXPECT_GE(sizes.size(), 40u);
    EXPECT_LE(sizes.size(), 99u);
    const fs::path list = "/usr/share/dict/french";
    if (!fs::exists(list))
        return;
    std::string text;
    ASSERT_TRUE(ReadOnlyFile::ReadAll(list, text));
    std::set<std::string> expected;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (const auto spelling = LexiconBuilder::LexiconSpelling(text.substr(start, end - start)))
            expected.insert(*spelling);
    }
    EXPECT_EQ(words.size(), expected.size());
    EXPECT_TRUE(
        std::all_of(expected.begin(), expected.end(), [&](const std::string& w) { return words.count(w) == 1; }));
}

} // namespace
} // namespace lexinum

namespace lexinum {
namespace {

// The list is read from its file a block at a time: words across the blocks'
// edges, CR LF, a byte-order mark and a last line without its line feed give
// the lexicon that the same text given at once gives.
TEST(LexiconBuilder, AListReadFromItsFileGivesWhatItsTextGives) {
    test::TempFolder folder;
    std::string text = "\xEF\xBB\xBF";
    for (int i = 0; text.size() < (std::size_t{5} << 19); ++i) {
        std::string word = "m";
        for (int n = i; n > 0; n /= 26)
            word += static_cast<char>('a' + n % 26);
        text += word + (i % 3 == 0 ? "\r\n" : "\n");
        if (i % 7 == 0)
            text += word + "\n"; // given twice
        if (i % 11 == 0)
            text += "\xC3\xA9l\xC3\xA8ve-" + word + "\n"; // refused
    }
    text += "derniermot";
    const fs::path list = folder.Write("liste.txt", text);
    LexiconBuilder fromFile;
    ASSERT_TRUE(fromFile.AddWordListFile(list));
    LexiconBuilder fromText;
    fromText.AddWordList(text);
    ASSERT_TRUE(fromFile.Write(folder / "fichier"));
    ASSERT_TRUE(fromText.Write(folder / "texte"));
    const auto& a = fromFile.GetSummary();
    const auto& b = fromText.GetSummary();
    EXPECT_EQ(std::tie(a.wordsRead, a.wordsKept, a.wordsRefused, a.duplicates, a.lineCount, a.fileCount),
              std::tie(b.wordsRead, b.wordsKept, b.wordsRefused, b.duplicates, b.lineCount, b.fileCount));
    EXPECT_GT(a.duplicates, 0u);
    for (const auto& entry : fs::directory_iterator(folder / "texte"))
        EXPECT_EQ(folder.Read("fichier/" + entry.path().filename().string()),
                  folder.Read("texte/" + entry.path().filename().string()))
            << entry.path().filename();
    EXPECT_EQ(ExpectWellFormed(folder / "fichier").count("derniermot"), 1u);
}

} // namespace
} // namespace lexinum
