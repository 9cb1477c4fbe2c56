#include "numbers/Calculation.h"
#include "numbers/NumberRules.h"

#include <gtest/gtest.h>

namespace lexinum {
namespace {

using R = Calculation::Refusal;
constexpr int kAdd = NumberRules::kAdd, kSub = NumberRules::kSubtract, kMul = NumberRules::kMultiply,
              kDiv = NumberRules::kDivide;

// Plays one line a op b from two buttons and returns the refusal of its last click.
R Line(Calculation& c, int first, int operation, int second) {
    EXPECT_EQ(c.ClickNumber(first), R::None);
    EXPECT_EQ(c.ClickOperation(operation), R::None);
    return c.ClickNumber(second);
}

TEST(Calculation, LinesFollowTheValueRuleAndRefusalsChangeNothing) {
    struct Case {
        int a, operation, b;
        R refusal;
    };
    const Case cases[] = {
        {7, kSub, 7, R::NotPositive},   {3, kSub, 7, R::NotPositive}, {7, kDiv, 2, R::NotExact},
        {5, kMul, 1, R::MultiplyByOne}, {5, kDiv, 1, R::DivideByOne}, {100000, kMul, 100000, R::TooLarge},
        {1, kMul, 5, R::None},          {2, kAdd, 100, R::None},      {100, kDiv, 4, R::None}};
    for (const Case& k : cases) {
        Calculation c;
        c.Setup({k.a, k.b, 1, 1, 1, 1}, 999);
        ASSERT_EQ(Line(c, 0, k.operation, 1), k.refusal) << k.a << ' ' << k.operation << ' ' << k.b;
        if (k.refusal != R::None) {
            EXPECT_FALSE(Calculation::RefusalText(k.refusal).empty());
            EXPECT_EQ(c.entryState(), Calculation::kExpectSecondNumber);
            EXPECT_EQ(c.buttonValues()[1], k.b);
            EXPECT_EQ(c.playerLineCount(), 0);
        } else {
            const int value = NumberRules::Value(k.a, k.operation, k.b);
            EXPECT_EQ(c.playerResult(), value);
            EXPECT_EQ(c.ButtonText(1), std::to_string(value)) << "the result takes the second button";
            EXPECT_EQ(c.FocusedButton(), 1);
        }
    }
}

TEST(Calculation, ResultsAreReusedUpToFiveLinesAndClicksOutOfOrderAreRefused) {
    Calculation c;
    c.Setup({100, 6, 3, 75, 2, 8}, 318);
    EXPECT_EQ(c.ClickOperation(kAdd), R::NumberExpected);
    ASSERT_EQ(c.ClickNumber(0), R::None);
    EXPECT_EQ(c.ClickNumber(1), R::OperationExpected);
    ASSERT_EQ(c.ClickOperation(kAdd), R::None);
    EXPECT_EQ(c.ClickOperation(kMul), R::NumberExpected);
    EXPECT_EQ(c.ClickNumber(0), R::ButtonUsed);
    EXPECT_EQ(c.CalculationText(), "100 + ");
    ASSERT_EQ(c.ClickNumber(1), R::None);    // 100 + 6 = 106 on button 1
    ASSERT_EQ(Line(c, 1, kMul, 2), R::None); // 106 x 3 = 318 on button 2
    EXPECT_EQ(c.CalculationText(), "100 + 6 = 106\r\n106 x 3 = 318\r\n");
    EXPECT_EQ(c.playerSources()[1], (Calculation::Pair{1, 2}));
    EXPECT_EQ(c.playerOperands()[1], (Calculation::Pair{106, 3}));
    EXPECT_EQ(c.playerOps()[1], kMul);
    ASSERT_EQ(Line(c, 2, kSub, 3), R::None); // 318 - 75 = 243
    ASSERT_EQ(Line(c, 3, kSub, 5), R::None); // 243 - 8 = 235
    ASSERT_EQ(Line(c, 5, kMul, 4), R::None); // 235 x 2 = 470
    EXPECT_EQ(c.ClickNumber(4), R::NoMoreLines) << "no sixth line";
    EXPECT_EQ(c.entryState(), Calculation::kExpectFirstNumber);
    c.Accept();
    EXPECT_EQ(c.playerResult(), 470);
    EXPECT_EQ(c.playerLineCount(), 5);
}

TEST(Calculation, ErasingLinesGivesTheButtonsBack) {
    Calculation c;
    c.Setup({25, 4, 7, 2, 9, 10}, 500);
    EXPECT_FALSE(c.EraseLine()) << "nothing to erase";
    ASSERT_EQ(Line(c, 0, kMul, 1), R::None); // 25 x 4 = 100 on button 1
    ASSERT_EQ(Line(c, 2, kSub, 3), R::None); // 7 - 2 = 5 on button 3
    ASSERT_EQ(c.ClickNumber(1), R::None);
    ASSERT_EQ(c.ClickOperation(kMul), R::None);
    EXPECT_TRUE(c.EraseLine()) << "the line in progress first";
    EXPECT_EQ(c.entryState(), Calculation::kExpectFirstNumber);
    EXPECT_EQ(c.ButtonText(1), "100");
    EXPECT_TRUE(c.EraseLine());
    EXPECT_EQ(c.playerResult(), 100) << "the line now last gives the result";
    EXPECT_EQ(c.FocusedButton(), 2);
    EXPECT_TRUE(c.EraseLine());
    EXPECT_EQ(c.playerResult(), 0);
    EXPECT_EQ(c.buttonValues(), c.numbers());
    for (int i = 0; i < Calculation::kNumberCount; ++i)
        EXPECT_TRUE(c.ButtonShown(i)) << i;
    EXPECT_EQ(c.playerSources()[0], (Calculation::Pair{-1, -1}));

    ASSERT_EQ(Line(c, 5, kMul, 4), R::None);
    ASSERT_EQ(c.ClickNumber(0), R::None);
    c.EraseAll();
    EXPECT_EQ(c.playerLineCount(), 0);
    EXPECT_EQ(c.buttonValues(), c.numbers());
    EXPECT_EQ(c.CalculationText(), "");
    EXPECT_EQ(c.FocusedButton(), 0);
}

TEST(Calculation, TheAnswerIsTheLastCompleteLineOrOneNumber) {
    const std::array<int, 6> draw = {100, 6, 3, 75, 2, 8};
    Calculation c;
    c.Setup(draw, 75);
    c.ClickNumber(3);
    c.Accept();
    EXPECT_EQ(c.playerResult(), 75);
    EXPECT_TRUE(c.playerExact()) << "one number can be the answer";

    c.Setup(draw, 106);
    c.ClickNumber(0);
    c.ClickOperation(kAdd);
    c.Accept();
    EXPECT_EQ(c.playerResult(), 0) << "a number and an operation are no answer";

    c.Setup(draw, 106);
    Line(c, 0, kAdd, 1);
    c.ClickNumber(1);
    c.ClickOperation(kMul);
    c.Accept(); // as when the time runs out
    EXPECT_EQ(c.playerResult(), 106);
    EXPECT_TRUE(c.playerExact());
    EXPECT_EQ(c.playerOps()[1], 0) << "the line in progress is not kept";

    c.Cancel();
    EXPECT_EQ(c.playerResult(), 0);
    EXPECT_EQ(c.playerLineCount(), 0);
}

} // namespace
} // namespace lexinum
