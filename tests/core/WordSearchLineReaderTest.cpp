// The forward-only reader of lexicon files: jumping to a key gives the line a
// line-by-line read gives, across buffer refills, and damaged lines stay bounded.
#include "TempFolder.h"

#include "lexicon/LetterKey.h"
#include "lexicon/LexiconLineReader.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace lexinum {
namespace {

using test::TempFolder;

std::string RandomKey(std::mt19937& random, int length) {
    std::uniform_int_distribution<int> letter(0, 25);
    std::string key;
    for (int i = 0; i < length; ++i)
        key += static_cast<char>('A' + letter(random));
    std::sort(key.begin(), key.end());
    return key;
}

// What a line-by-line read finds for `key` from position `at` on.
int LinearSeek(const std::vector<std::string>& lines, std::size_t& at, const std::string& key) {
    for (; at < lines.size(); ++at) {
        const int order = CompareKeyLine(key, lines[at]);
        if (order != -1)
            return order;
    }
    return -1;
}

TEST(WordSearchLineReader, SeekKeyAgreesWithALineByLineRead) {
    std::mt19937 random(11);
    std::set<std::string> keys;
    while (keys.size() < 30000)
        keys.insert(RandomKey(random, 2 + static_cast<int>(random() % 6)));
    std::vector<std::string> lines;
    std::string bytes;
    for (const auto& key : keys) {
        std::string line = key;
        line.append(1, ' ').append(key.size(), 'x');
        if (random() % 7 == 0)
            line.append(1, ' ').append(key.size(), 'y');
        lines.push_back(line);
        bytes += line + "\r\n";
    }
    ASSERT_GT(bytes.size(), 4 * LexiconLineReader::kBufferSize);
    TempFolder folder;
    const auto path = folder.Write("fr01.lex", bytes);

    for (int pass = 0; pass < 20; ++pass) {
        // Ascending probes, some present and some not, sparse in some passes and dense in others.
        std::set<std::string> probes;
        const int count = pass % 2 == 0 ? 40 : 4000;
        while (static_cast<int>(probes.size()) < count) {
            if (random() % 2 == 0)
                probes.insert(lines[random() % lines.size()].substr(0, lines[0].find(' ')));
            probes.insert(RandomKey(random, 2 + static_cast<int>(random() % 6)));
        }
        LexiconLineReader reader;
        ASSERT_TRUE(reader.Open(path));
        std::size_t at = 0;
        for (const auto& key : probes) {
            const int expected = LinearSeek(lines, at, key);
            ASSERT_EQ(reader.SeekKey(key), expected) << key;
            if (expected != -1) {
                ASSERT_EQ(reader.Line(), lines[at]) << key;
            }
        }
        EXPECT_FALSE(reader.Failed());
    }
}

TEST(WordSearchLineReader, ReadsEveryLineWhateverItsEnd) {
    TempFolder folder;
    const auto path = folder.Write("fr01.lex", "AB ab ba\r\nABC cab\nABD bad");
    LexiconLineReader reader;
    ASSERT_TRUE(reader.Open(path));
    std::vector<std::string> read;
    while (reader.NextLine())
        read.emplace_back(reader.Line());
    EXPECT_EQ(read, (std::vector<std::string>{"AB ab ba", "ABC cab", "ABD bad"}));
    EXPECT_FALSE(reader.NextLine());
    EXPECT_EQ(reader.SeekKey("ABD"), -1);
    EXPECT_FALSE(reader.Open(folder / "absent.lex"));
}

TEST(WordSearchLineReader, OverlongLinesAreCutAtAWholeWord) {
    std::string longLine = "ABCDE";
    while (longLine.size() < 400)
        longLine += " abcde";
    // A line longer than the whole buffer, then a normal one.
    const std::string hugeLine = "ABCDF " + std::string(LexiconLineReader::kBufferSize * 2, 'f');
    TempFolder folder;
    const auto path = folder.Write("fr01.lex", longLine + "\r\n" + hugeLine + "\r\nABCDG gabcd\r\n");
    LexiconLineReader reader;
    ASSERT_TRUE(reader.Open(path));
    ASSERT_TRUE(reader.NextLine());
    const std::string cut(reader.Line());
    EXPECT_LE(cut.size(), LexiconLineReader::kMaxContent);
    EXPECT_EQ(cut, longLine.substr(0, cut.size()));
    EXPECT_TRUE(cut.ends_with(" abcde"));
    // Its only word does not fit: the key is left without words, so it is no hit.
    ASSERT_EQ(reader.SeekKey("ABCDF"), 1);
    EXPECT_EQ(reader.Line(), "ABCDF");
    ASSERT_EQ(reader.SeekKey("ABCDG"), 0);
    EXPECT_EQ(reader.Line(), "ABCDG gabcd");
    EXPECT_FALSE(reader.NextLine());
}

} // namespace
} // namespace lexinum
