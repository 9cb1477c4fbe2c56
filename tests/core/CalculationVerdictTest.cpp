#include "numbers/Calculation.h"
#include "numbers/NumberRules.h"
#include "numbers/NumbersRoundText.h"

#include <gtest/gtest.h>

namespace lexinum {
namespace {

constexpr int kAdd = NumberRules::kAdd, kMul = NumberRules::kMultiply;

// Plays the lines (first button, operation, second button) and gives the answer.
Calculation Answer(std::array<int, 6> numbers, int target, std::initializer_list<std::array<int, 3>> lines) {
    Calculation c;
    c.Setup(numbers, target);
    for (const auto& [first, operation, second] : lines) {
        EXPECT_EQ(c.ClickNumber(first), Calculation::Refusal::None);
        EXPECT_EQ(c.ClickOperation(operation), Calculation::Refusal::None);
        EXPECT_EQ(c.ClickNumber(second), Calculation::Refusal::None);
    }
    c.Accept();
    return c;
}

TEST(CalculationVerdict, ExactNearOrNoAnswer) {
    const std::array<int, 6> draw = {100, 6, 3, 75, 2, 8};
    EXPECT_EQ(Answer(draw, 318, {}).VerdictText(), " Aucune réponse donnée.\r\n");
    EXPECT_EQ(Answer(draw, 318, {{0, kAdd, 1}, {1, kMul, 2}}).VerdictText(),
              " Votre compte est bon:\r\n  100 + 6 = 106\r\n   106 * 3 = 318\r\n Félicitations!\r\n");
    EXPECT_EQ(Answer(draw, 318, {{0, kAdd, 1}}).VerdictText(), " Votre compte à 212 près:\r\n  100 + 6 = 106\r\n");

    Calculation one;
    one.Setup(draw, 70);
    one.ClickNumber(3);
    one.Accept();
    EXPECT_EQ(one.VerdictText(), " Votre compte à 5 près:\r\n 75\r\n") << "an answer of one number";
}

TEST(CalculationVerdict, RemarksBeforeTheSolutions) {
    const std::array<int, 6> draw = {100, 6, 3, 75, 2, 8};
    const Calculation twoLines = Answer(draw, 318, {{0, kAdd, 1}, {1, kMul, 2}});
    const Calculation missed = Answer(draw, 318, {{0, kAdd, 1}});
    const std::string simpler = " Il y a plus simple: \r\n", found = " 318 trouvé: \r\n";

    EXPECT_EQ(NumbersRoundText::TrainingHeader(true, 1, twoLines), simpler);
    EXPECT_EQ(NumbersRoundText::TrainingHeader(true, 2, twoLines), "");
    EXPECT_EQ(NumbersRoundText::TrainingHeader(true, 2, missed), found);
    EXPECT_EQ(NumbersRoundText::TrainingHeader(true, 2, Answer(draw, 318, {})), found) << "no answer";
    EXPECT_EQ(NumbersRoundText::TrainingHeader(false, 0, missed), "") << "nothing found, nothing to say";

    EXPECT_EQ(NumbersRoundText::ReviewHeader(true, 2, missed, false, 0), found);
    EXPECT_EQ(NumbersRoundText::ReviewHeader(true, 1, twoLines, false, 0), simpler);
    EXPECT_EQ(NumbersRoundText::ReviewHeader(true, 1, missed, true, 3), simpler);
    EXPECT_EQ(NumbersRoundText::ReviewHeader(true, 1, twoLines, true, 1), "") << "the computer was as simple";
    EXPECT_EQ(NumbersRoundText::ReviewHeader(true, 2, missed, true, 2), "");
}

} // namespace
} // namespace lexinum
