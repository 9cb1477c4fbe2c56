#include "common/TileBox.h"
#include "common/Random15.h"

#include "RecordingPrompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace lexinum {
namespace {

TEST(TileBox, ChancesFollowTheCounts) {
    Random15::Seed(1234);
    int firstKind = 0;
    const int trials = 30000;
    for (int i = 0; i < trials; ++i) {
        TileBox box({2, 1});
        if (box.Draw() == 0)
            ++firstKind;
    }
    EXPECT_NEAR(static_cast<double>(firstKind) / trials, 2.0 / 3.0, 0.015);
}

TEST(TileBox, DrawsWithoutReplacementThenRefusesAnEmptyBox) {
    test::RecordingPrompter prompter;
    TileBox box({2, 1});
    std::map<int, int> drawn;
    for (int i = 0; i < 3; ++i)
        ++drawn[box.Draw(&prompter)];
    EXPECT_EQ(drawn[0], 2);
    EXPECT_EQ(drawn[1], 1);
    EXPECT_TRUE(box.IsEmpty());
    EXPECT_TRUE(prompter.messages.empty());

    EXPECT_EQ(box.Draw(&prompter), 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Impossible de piocher dans une boîte vide.");
    EXPECT_EQ(prompter.messages[0].caption, "Erreur");
    EXPECT_TRUE(box.IsEmpty()) << "the box stays as it was";
    EXPECT_EQ(box.Count(0), 0);
}

TEST(TileBox, RefillRestoresCountsAndKeepsTheSize) {
    TileBox box({3, 0, 2});
    box.Draw();
    box.Draw();
    box.Refill({3, 0, 2, 9});
    EXPECT_EQ(box.Remaining(), 5);
    EXPECT_EQ(box.Size(), 3);
    EXPECT_EQ(box.Count(1), 0);
    TileBox zeroes({0, -4});
    EXPECT_TRUE(zeroes.IsEmpty()) << "a negative count is taken as none";
}

TEST(TileBox, ShuffleStringPermutesUniformly) {
    std::string one = "A";
    TileBox::ShuffleString(one, 1);
    EXPECT_EQ(one, "A");
    std::string none = "XYZ";
    TileBox::ShuffleString(none, 0);
    EXPECT_EQ(none, "XYZ");
    std::string past = "AB";
    TileBox::ShuffleString(past, 40); // a length past the end is cut to the text
    std::sort(past.begin(), past.end());
    EXPECT_EQ(past, "AB");

    Random15::Seed(99);
    std::map<std::string, int> seen;
    for (int i = 0; i < 6000; ++i) {
        std::string text = "ABCd";
        TileBox::ShuffleString(text, 3);
        EXPECT_EQ(text[3], 'd') << "only the first characters move";
        ++seen[text];
    }
    EXPECT_EQ(seen.size(), 6u);
    for (const auto& [perm, count] : seen)
        EXPECT_NEAR(count, 1000, 150) << perm;
}

TEST(Random15, StaysInRangeAndReplaysFromASeed) {
    Random15::Seed(7);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) {
        const int r = Random15::Next();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 32767);
        first.push_back(r);
    }
    Random15::Seed(7);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(Random15::Next(), first[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 1000; ++i) {
        const int b = Random15::Below(6);
        ASSERT_GE(b, 0);
        ASSERT_LT(b, 6);
    }
}

} // namespace
} // namespace lexinum
