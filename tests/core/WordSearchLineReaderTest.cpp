// The search's reader of lexicon files: jumping to a key gives the line a
// line-by-line read gives, whether the file is held whole or read a buffer at a
// time, whatever the size the opener believed; damaged lines stay bounded.
#include "TempFolder.h"

#include "lexicon/LetterKey.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconLineReader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <random>
#include <set>

namespace lexinum {
namespace {

std::string RandomKey(std::mt19937& random) {
    std::string key;
    for (int n = 2 + static_cast<int>(random() % 6); n > 0; --n)
        key += static_cast<char>('A' + random() % 26);
    std::sort(key.begin(), key.end());
    return key;
}

TEST(WordSearchLineReader, SeekKeyAgreesWithALineByLineRead) {
    std::mt19937 random(11);
    std::set<std::string> keys;
    while (keys.size() < 30000)
        keys.insert(RandomKey(random));
    std::vector<std::string> lines;
    std::string bytes;
    // Some lines are damaged: control bytes, accented bytes or a carriage return
    // after the key or after the words, no word at all, a line feed alone at the end.
    const std::string damages[] = {std::string(1, '\0'), "\r", "\xE9t\xE9", "\t"};
    // Blank lines anywhere are no lines at all: the reader passes over them.
    const std::string blanks[] = {"\r\n", "\n", " \t \r\n"};
    for (const auto& key : keys) {
        if (random() % 25 == 0)
            bytes += blanks[random() % 3];
        lines.push_back(key);
        const auto roll = random() % 40;
        if (roll < 4)
            lines.back() += damages[roll]; // right after the key: it changes how the line compares
        if (roll != 0) {                   // else a key without words
            lines.back().append(" ").append(key.size(), 'x');
            if (roll % 7 == 0)
                lines.back().append(" ").append(key.size(), 'y');
            if (roll >= 4 && roll < 8)
                lines.back() += damages[roll - 4] + "z";
        }
        bytes += lines.back() + (roll == 39 ? "\n" : "\r\n");
    }
    // Small buffers make the reader go through the file a buffer at a time and
    // look further on; the usual one holds the whole file.
    const std::size_t bufferSizes[] = {4096, 64 * 1024, 1024 * 1024};
    ASSERT_GT(bytes.size(), 4 * bufferSizes[1]);
    ASSERT_LT(bytes.size(), bufferSizes[2]);
    test::TempFolder folder;
    const auto path = folder.Write("fr01.lex", bytes);
    for (int pass = 0; pass < 30; ++pass) {
        // Ascending keys, present or not, from far apart (whole buffers passed
        // over) to close together.
        std::set<std::string> probes;
        const int count[] = {3, 40, 4000};
        while (static_cast<int>(probes.size()) < count[pass % 3]) {
            if (random() % 2 == 0)
                probes.insert(*std::next(keys.begin(), static_cast<long>(random() % keys.size())));
            probes.insert(RandomKey(random));
        }
        LexiconLineReader reader(bufferSizes[pass % 3]);
        // Right, unknown, too small and too large sizes all read the same lines.
        const std::int64_t sizes[] = {static_cast<std::int64_t>(bytes.size()), -1, 1000,
                                      static_cast<std::int64_t>(bytes.size()) * 3};
        ASSERT_TRUE(reader.Open(path, sizes[pass / 3 % 4]));
        std::size_t at = 0;
        for (const auto& key : probes) {
            int expected = -1;
            while (at < lines.size() && (expected = CompareKeyLine(key, lines[at])) == -1)
                ++at;
            ASSERT_EQ(reader.SeekKey(key), expected) << key;
            if (expected != -1) {
                ASSERT_EQ(reader.Line(), lines[at]) << key;
            }
        }
        EXPECT_FALSE(reader.Failed());
    }
}

TEST(WordSearchLineReader, LineEndsAndOverlongLines) {
    std::string longLine = "ABCDE";
    while (longLine.size() < 400)
        longLine += " abcde";
    // A line longer than the whole buffer, then lines ended by CR LF, LF and nothing.
    constexpr std::size_t kSmallBuffer = 8192;
    const std::string hugeLine = "ABCDF " + std::string(kSmallBuffer * 2, 'f');
    test::TempFolder folder;
    const auto path = folder.Write("fr01.lex", longLine + "\r\n" + hugeLine + "\r\nABCDG gabcd\nABCDH hdcba");
    LexiconLineReader reader(kSmallBuffer);
    EXPECT_FALSE(reader.Open(folder / "absent.lex"));
    ASSERT_TRUE(reader.Open(path));
    ASSERT_TRUE(reader.NextLine());
    const std::string cut(reader.Line()); // cut after the last whole word that fits
    EXPECT_LE(cut.size(), LexiconLineReader::kMaxContent);
    EXPECT_EQ(cut, longLine.substr(0, cut.size()));
    EXPECT_TRUE(cut.ends_with(" abcde"));
    // The huge line keeps its key without a word that fits: no hit for it.
    ASSERT_EQ(reader.SeekKey("ABCDF"), 1);
    EXPECT_EQ(reader.Line(), "ABCDF");
    ASSERT_EQ(reader.SeekKey("ABCDG"), 0);
    EXPECT_EQ(reader.Line(), "ABCDG gabcd");
    ASSERT_TRUE(reader.NextLine());
    EXPECT_EQ(reader.Line(), "ABCDH hdcba");
    EXPECT_FALSE(reader.NextLine());
    EXPECT_EQ(reader.SeekKey("ABCDZ"), -1);
}

TEST(WordSearchLineReader, FileCutShortOrUnreadable) {
    std::string bytes;
    for (int n = 0; n < 2000; ++n) {
        std::string key = "AAAAA";
        for (int i = 4, v = n; i >= 0; --i, v /= 26)
            key[static_cast<std::size_t>(i)] = static_cast<char>('A' + v % 26);
        std::sort(key.begin(), key.end());
        bytes += key + " " + std::string(5, 'w') + std::to_string(n) + "\r\n";
    }
    test::TempFolder folder;
    const auto path = folder.Write("fr01.lex", bytes);
    // Cut to its first fifth once the reader has begun: what remains is read,
    // the rest is simply no longer there.
    LexiconLineReader reader(4096);
    ASSERT_TRUE(reader.Open(path, static_cast<std::int64_t>(bytes.size())));
    ASSERT_EQ(reader.SeekKey("AAAAA"), 0);
    const std::string kept = bytes.substr(0, bytes.size() / 5);
    std::filesystem::resize_file(path, kept.size());
    std::size_t lines = 1;
    while (reader.NextLine()) {
        ASSERT_LT(reader.Line().size(), 20U);
        ++lines;
    }
    // Every whole line kept, and the start of the line that was cut.
    EXPECT_EQ(lines, static_cast<std::size_t>(std::count(kept.begin(), kept.end(), '\n')) + (kept.back() != '\n'));
    EXPECT_EQ(reader.SeekKey("ZZZZZ"), -1);
    EXPECT_FALSE(reader.Failed());
}

TEST(WordSearchLineReader, OnlyARegularFileWithinTheLimitOpens) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "fr01.lex");
    ASSERT_EQ(::mkfifo((folder / "fr02.lex").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", folder / "fr03.lex");
    const auto large = folder.Write("fr04.lex", "AB ab\r\n");
    std::filesystem::resize_file(large, LexiconLineReader::kMaxFileSize + 1);
    LexiconLineReader reader(4096);
    for (const char* name : {"fr01.lex", "fr02.lex", "fr03.lex", "fr04.lex"}) {
        EXPECT_FALSE(reader.Open(folder / name)) << name << " is refused at once, without waiting";
        EXPECT_FALSE(reader.IsOpen());
        EXPECT_EQ(reader.SeekKey("AB"), -1);
    }
    std::filesystem::resize_file(large, LexiconLineReader::kMaxFileSize);
    ASSERT_TRUE(reader.Open(large)) << "a file of exactly the limit is read";
    EXPECT_EQ(reader.SeekKey("AB"), 0);
}

TEST(WordSearchLineReader, BlankLinesArePassedOverByEveryWayOfReading) {
    // Keys around blank lines, in a file larger than the buffer so that the
    // reader halves and looks further on across them.
    std::string bytes;
    std::vector<std::string> keys;
    for (int n = 0; n < 3000; ++n) {
        std::string key = "AAAA";
        for (int i = 3, v = n; i >= 0; --i, v /= 26)
            key[static_cast<std::size_t>(i)] = static_cast<char>('A' + v % 26);
        std::sort(key.begin(), key.end());
        if (!keys.empty() && key <= keys.back())
            continue;
        keys.push_back(key);
        bytes += key + " w" + std::to_string(n) + "\r\n" + (n % 3 == 0 ? "\r\n\r\n" : n % 3 == 1 ? "\n" : "");
    }
    test::TempFolder folder;
    const auto path = folder.Write("fr01.lex", "\r\n" + bytes + "  \r\n");
    for (std::size_t step : {1u, 7u, 150u}) {
        LexiconLineReader reader(1024);
        ASSERT_TRUE(reader.Open(path));
        for (std::size_t i = 0; i < keys.size(); i += step) {
            ASSERT_EQ(reader.SeekKey(keys[i]), 0) << keys[i] << " step " << step;
            EXPECT_TRUE(reader.Line().starts_with(keys[i] + " w"));
        }
    }
    LexFileReader lines;
    ASSERT_TRUE(lines.Open(path));
    std::string line;
    std::size_t count = 0;
    while (lines.ReadLine(line)) {
        ASSERT_TRUE(line.starts_with(keys[count] + " w")) << line;
        ++count;
    }
    EXPECT_EQ(count, keys.size());
    EXPECT_FALSE(lines.Failed());
}

} // namespace
} // namespace lexinum
