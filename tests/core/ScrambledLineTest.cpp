// The scrambling of the saved games and the Top Ten, and the reader of
// scrambled lines: what comes back, and where a line ends.
#include "match/ScrambledLine.h"

#include <gtest/gtest.h>

using namespace lexinum;

TEST(ScrambledLine, EveryByteButZeroComesBackAndNoScrambledByteIsZero) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string scrambled = ScrambledLine::Scramble(all);
    EXPECT_EQ(scrambled.find('\0'), std::string::npos);
    EXPECT_NE(scrambled, all);
    EXPECT_EQ(ScrambledLine::Unscramble(scrambled), all);
    // The zero byte, never in a text, is the one that cannot come back.
    EXPECT_NE(ScrambledLine::Unscramble(ScrambledLine::Scramble(std::string(1, '\0'))), std::string(1, '\0'));
}

TEST(ScrambledLine, ReaderSplitsLinesFindsHeadersAndStopsAtTheLimitOrByte255) {
    const std::string file = ScrambledLine::Scramble("@3\r\nZoé 2 0\r\nabcdefghij\r\nlast") + '\xff' +
                             ScrambledLine::Scramble("after the end\n");
    ScrambledLineReader reader(file);
    std::string line;
    EXPECT_EQ(reader.Next(200, line), 3);
    EXPECT_EQ(ScrambledLine::Unscramble(line), "@3\r\n");
    EXPECT_EQ(reader.Next(200, line), ScrambledLineReader::kText);
    EXPECT_EQ(ScrambledLine::Unscramble(line), "Zoé 2 0\r\n");
    // A limit of 5 keeps 4 bytes; the rest of the line comes next.
    EXPECT_EQ(reader.Next(5, line), ScrambledLineReader::kText);
    EXPECT_TRUE(reader.Cut());
    EXPECT_EQ(ScrambledLine::Unscramble(line), "abcd\n");
    EXPECT_EQ(reader.Next(200, line), ScrambledLineReader::kText);
    EXPECT_FALSE(reader.Cut());
    EXPECT_EQ(ScrambledLine::Unscramble(line), "efghij\r\n");
    // The last line has no line feed; a byte 255 ends the file.
    EXPECT_EQ(reader.Next(200, line), ScrambledLineReader::kText);
    EXPECT_EQ(ScrambledLine::Unscramble(line), "last\n");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.Next(200, line), ScrambledLineReader::kEnd);
}
