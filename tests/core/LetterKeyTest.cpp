#include "lexicon/LetterKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lexinum {
namespace {

TEST(LetterKey, FoldsSmallAndFrenchAccentedLettersOnly) {
    for (char c = 'a'; c <= 'z'; ++c)
        EXPECT_EQ(FoldLetter(c), c - 'a' + 'A');
    // à â ä ç è é ê ë î ï ô ö ù û ü, in Windows-1252.
    const std::string accented = "\xE0\xE2\xE4\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF6\xF9\xFB\xFC";
    std::string folded = accented;
    FoldText(folded);
    EXPECT_EQ(folded, "AAACEEEEIIOOUUU");
    // Capitals, accented capitals and the other accented letters stay as they are:
    // A Z É À á å æ ì í ñ ò ó õ ø ú ÿ, a digit, a space, a hyphen.
    const std::string kept = "AZ\xC9\xC0\xE1\xE5\xE6\xEC\xED\xF1\xF2\xF3\xF5\xF8\xFA\xFF"
                             "0 -";
    std::string same = kept;
    FoldText(same);
    EXPECT_EQ(same, kept);
}

TEST(LetterKey, KeyIsTheFoldedLettersSorted) {
    EXPECT_EQ(MakeKey("\xE9toile"), "EEILOT"); // étoile
    EXPECT_EQ(MakeKey("ETOILE"), "EEILOT");
    EXPECT_EQ(MakeKey("\xE9l\xE8ve"), "EEELV"); // élève
    // A capital accented letter is not folded: Étoile keeps its É, sorted after the letters.
    EXPECT_EQ(MakeKey("\xC9toile"), "EILOT\xC9");
    EXPECT_EQ(MakeKey(""), "");
}

TEST(LetterKey, LineComparisonPutsPrefixesBeforeAndExtensionsAfter) {
    struct Case {
        const char* key;
        const char* line;
        int expected;
    };
    const std::vector<Case> cases = {
        {"EEILOT", "EEILOT \xE9toile", 0},
        {"EEILOT", "EEILOT \xE9toile\r\n", 0},
        {"EEILOT", "EEIL xxxx", -1},       // the line's key is a prefix of the key
        {"EEILOT", "EEILOTS xxxxxxx", +1}, // the line's key extends the key
        {"EEILOT", "EEILOS xxxxxx", -1},
        {"EEILOT", "EEILOU xxxxxx", +1},
        {"EEILOT", "F x", +1},
        {"EEILOT", "", -1},
        {"AB", "AB\r\n", +1}, // a line without words is not the key's line
        // Signed bytes: an accented code counts below the letters.
        {"AB", "A\xC9 x", -1},
        {"A\xC9", "AB x", +1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareKeyLine(c.key, c.line), c.expected) << c.key << " vs " << c.line;
}

TEST(LetterKey, LineComparisonAgreesWithTheOrderOfAFile) {
    // The keys of a file in ascending order: every key finds its own line, sorts
    // after every earlier line and before every later one.
    const std::vector<std::string> keys = {"AB", "ABC", "ABCD", "ABD", "AC", "B", "BA", "Z"};
    for (std::size_t i = 0; i < keys.size(); ++i)
        for (std::size_t j = 0; j < keys.size(); ++j) {
            const int expected = i == j ? 0 : (j < i ? -1 : +1);
            EXPECT_EQ(CompareKeyLine(keys[i], keys[j] + " mot"), expected) << keys[i] << " vs " << keys[j];
        }
}

} // namespace
} // namespace lexinum
