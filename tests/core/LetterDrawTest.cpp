#include "lexicon/LetterDraw.h"
#include "common/Random15.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LettersRoundText.h"
#include "lexicon/LexiconSet.h"

#include "RecordingPrompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <string>

namespace lexinum {
namespace {

int CountVowels(const std::string& drawn) {
    return static_cast<int>(std::count_if(drawn.begin(), drawn.end(), [](char c) {
        return std::string_view(kVowels).find(c) != std::string_view::npos;
    }));
}

TEST(LetterDraw, AutomaticDrawHoldsTheAskedVowelsInARandomOrder) {
    Random15::Seed(77);
    LexiconSet lexicon;
    lexicon.ResetToDefaultWeights();
    std::set<std::string> orders;
    for (int i = 0; i < 200; ++i) {
        const std::string drawn = LetterDraw::AutoDraw(lexicon, 9, 4);
        ASSERT_EQ(drawn.size(), 9u);
        ASSERT_TRUE(LetterDraw::IsDrawText(drawn));
        EXPECT_EQ(CountVowels(drawn), 4) << drawn;
        // Where the vowels stand changes from draw to draw.
        std::string shape;
        for (char c : drawn)
            shape += std::string_view(kVowels).find(c) != std::string_view::npos ? 'v' : 'c';
        orders.insert(shape);
    }
    EXPECT_GT(orders.size(), 20u);
    // Two letters as well come in both orders.
    std::set<std::string> pairs;
    for (int i = 0; i < 50; ++i)
        pairs.insert(CountVowels(LetterDraw::AutoDraw(lexicon, 2, 1).substr(0, 1)) == 1 ? "vc" : "cv");
    EXPECT_EQ(pairs.size(), 2u);

    EXPECT_EQ(CountVowels(LetterDraw::AutoDraw(lexicon, 9, 0)), 0);
    EXPECT_EQ(CountVowels(LetterDraw::AutoDraw(lexicon, 7, 7)), 7);
    EXPECT_EQ(LetterDraw::AutoDraw(lexicon, 27, 10).size(), 27u);
}

TEST(LetterDraw, AutomaticDrawStartsFromFullBags) {
    // Nine B tiles and one A: only full bags can give three draws of five B.
    LexiconSet lexicon;
    lexicon.SetWeights({1, 0, 0, 0, 0, 0}, {5});
    test::RecordingPrompter prompter;
    for (int i = 0; i < 3; ++i) {
        std::string drawn = LetterDraw::AutoDraw(lexicon, 6, 1, &prompter);
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(drawn, "ABBBBB");
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(LetterDraw, AnEmptyBagIsToldAndGivesTheTablesFirstLetter) {
    LexiconSet lexicon;
    lexicon.SetWeights({}, {0, 0, 0, 1}); // one F
    test::RecordingPrompter prompter;
    EXPECT_EQ(LetterDraw::DrawConsonant(lexicon, &prompter), 'F');
    EXPECT_EQ(LetterDraw::DrawConsonant(lexicon, &prompter), 'B');
    EXPECT_EQ(LetterDraw::DrawVowel(lexicon, &prompter), 'A');
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, "Impossible de piocher dans une boîte vide.");
}

TEST(LetterDraw, TheComputersChoiceIsFairAndFollowsNoPattern) {
    // A parity that alternated or stuck would be fair on average and still
    // predictable: each of the four successions must come about a quarter of
    // the time.
    for (const std::uint32_t seed : {1u, 2024u, 987654321u}) {
        Random15::Seed(seed);
        constexpr int kChoices = 20000;
        std::array<int, 4> successions{};
        bool previous = LetterDraw::RandomChoiceIsVowel();
        for (int i = 0; i < kChoices; ++i) {
            const bool vowel = LetterDraw::RandomChoiceIsVowel();
            ++successions[(previous ? 2 : 0) + (vowel ? 1 : 0)];
            previous = vowel;
        }
        for (const int count : successions)
            EXPECT_NEAR(count, kChoices / 4, kChoices / 50) << "seed " << seed;
    }
    // The computer's letter comes out of the bags, without replacement.
    LexiconSet lexicon;
    lexicon.ResetToDefaultWeights();
    const int vowelTiles = lexicon.VowelBag().Remaining();
    const int consonantTiles = lexicon.ConsonantBag().Remaining();
    int vowels = 0;
    for (int i = 0; i < 100; ++i)
        vowels += LetterDraw::IsVowel(LetterDraw::ComputerPick(lexicon)) ? 1 : 0;
    EXPECT_EQ(lexicon.VowelBag().Remaining(), vowelTiles - vowels);
    EXPECT_EQ(lexicon.ConsonantBag().Remaining(), consonantTiles - (100 - vowels));
}

TEST(LetterDraw, CountsFromADamagedSettingsFileAreBroughtIntoRange) {
    EXPECT_EQ(LetterDraw::LetterCountInRange(9), 9);
    EXPECT_EQ(LetterDraw::LetterCountInRange(40), 27);
    EXPECT_EQ(LetterDraw::LetterCountInRange(1), 2);
    EXPECT_EQ(LetterDraw::LetterCountInRange(-5), 2);
    EXPECT_EQ(LetterDraw::VowelCountInRange(4, 9), 4);
    EXPECT_EQ(LetterDraw::VowelCountInRange(12, 9), 9);
    EXPECT_EQ(LetterDraw::VowelCountInRange(-1, 9), 0);
    EXPECT_EQ(LetterDraw::VowelCountInRange(50, 40), 27);
    // Drawn with such counts, a draw never overruns its 27 letters.
    LexiconSet lexicon;
    const std::string drawn = LetterDraw::AutoDraw(lexicon, 1000, 2000);
    EXPECT_EQ(drawn.size(), 27u);
    EXPECT_EQ(CountVowels(drawn), 27);
}

TEST(LetterDraw, DrawTextIsCapitalsOnly) {
    EXPECT_TRUE(LetterDraw::IsDrawText(""));
    EXPECT_TRUE(LetterDraw::IsDrawText("ABCXYZ"));
    EXPECT_TRUE(LetterDraw::IsDrawText(std::string(27, 'E'))) << "27 letters typed are a draw";
    EXPECT_FALSE(LetterDraw::IsDrawText(std::string(28, 'E')));
    EXPECT_FALSE(LetterDraw::IsDrawText("ABc"));
    EXPECT_FALSE(LetterDraw::IsDrawText("A B"));
    EXPECT_FALSE(LetterDraw::IsDrawText("\xC9T"));
    EXPECT_FALSE(LetterDraw::IsDrawText(std::string(28, 'A')));
}

TEST(LettersRoundText, RemarksOnlyForAnAcceptedWordAsLongAsTheBest) {
    using R = WordCheckResult;
    EXPECT_EQ(LettersRoundText::TrainingRemark(R::Accepted, 7, 7), " Bravo !  Pas mieux.\r\n");
    EXPECT_EQ(LettersRoundText::TrainingRemark(R::Accepted, 2, 2), " Bravo !  Pas mieux.\r\n");
    EXPECT_EQ(LettersRoundText::TrainingRemark(R::Accepted, 6, 7), "");
    EXPECT_EQ(LettersRoundText::TrainingRemark(R::UnknownWord, 7, 7), "");
    EXPECT_EQ(LettersRoundText::TrainingRemark(R::LexiconLost, 7, 7), "");
    EXPECT_EQ(LettersRoundText::TrainingRemark(R::NoAnswer, 0, 0), "");

    EXPECT_EQ(LettersRoundText::MatchRemark(R::Accepted, 8, 8), " Pas mieux.\r\n");
    EXPECT_EQ(LettersRoundText::MatchRemark(R::Accepted, 8, 7), "");
    EXPECT_EQ(LettersRoundText::MatchRemark(R::WrongLetters, 8, 8), "");
    // The computer found nothing: the player did better, nothing to remark.
    EXPECT_EQ(LettersRoundText::MatchRemark(R::Accepted, 0, 0), "");
}

} // namespace
} // namespace lexinum
