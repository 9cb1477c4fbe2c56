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
        int value;
    };
    const Case cases[] = {{7, kSub, 7, R::NotPositive, 0}, {3, kSub, 7, R::NotPositive, 0},
                          {7, kDiv, 2, R::NotExact, 0},    {5, kMul, 1, R::MultiplyByOne, 0},
                          {5, kDiv, 1, R::DivideByOne, 0}, {1, kMul, 5, R::None, 5},
                          {2, kAdd, 100, R::None, 102},    {100, kDiv, 4, R::None, 25},
                          {9, kSub, 2, R::None, 7},        {75, kMul, 100, R::None, 7500}};
    for (const Case& k : cases) {
        Calculation c;
        c.Setup({k.a, k.b, 1, 1, 1, 1}, 999);
        ASSERT_EQ(c.ClickNumber(0), R::None);
        ASSERT_EQ(c.ClickOperation(k.operation), R::None);
        const std::string before = c.CalculationText();
        EXPECT_EQ(c.ClickNumber(1), k.refusal) << k.a << ' ' << k.operation << ' ' << k.b;
        if (k.refusal != R::None) {
            EXPECT_FALSE(Calculation::RefusalText(k.refusal).empty());
            EXPECT_EQ(c.entryState(), Calculation::kExpectSecondNumber);
            EXPECT_EQ(c.CalculationText(), before);
            EXPECT_EQ(c.buttonValues()[1], k.b);
            EXPECT_EQ(c.playerLineCount(), 0);
        } else {
            EXPECT_EQ(c.playerResult(), k.value);
            EXPECT_EQ(c.ButtonText(1), std::to_string(k.value));
            EXPECT_EQ(c.FocusedButton(), 1) << "focus stays on the button of the result";
        }
    }
}

TEST(Calculation, ClicksOutOfOrderAreRefused) {
    Calculation c;
    c.Setup({100, 6, 3, 75, 2, 8}, 318);
    EXPECT_EQ(c.ClickOperation(kAdd), R::NumberExpected);
    EXPECT_EQ(c.ClickNumber(6), R::UnknownButton);
    ASSERT_EQ(c.ClickNumber(0), R::None);
    EXPECT_EQ(c.FocusedButton(), Calculation::kFirstOperationButton);
    EXPECT_EQ(c.ClickNumber(1), R::OperationExpected);
    EXPECT_EQ(c.ClickOperation(0), R::UnknownOperation);
    ASSERT_EQ(c.ClickOperation(kAdd), R::None);
    EXPECT_EQ(c.FocusedButton(), 1) << "focus on the first number still shown";
    EXPECT_EQ(c.ClickOperation(kMul), R::NumberExpected);
    EXPECT_EQ(c.ClickNumber(0), R::ButtonUsed);
    EXPECT_EQ(c.CalculationText(), "100 + ");
}

TEST(Calculation, ResultsAreReusedUpToFiveLinesAndASixthIsRefused) {
    Calculation c;
    c.Setup({100, 6, 3, 75, 2, 8}, 318);
    ASSERT_EQ(Line(c, 0, kAdd, 1), R::None); // 100 + 6 = 106 on button 1
    ASSERT_EQ(Line(c, 1, kMul, 2), R::None); // 106 x 3 = 318 on button 2
    EXPECT_EQ(c.CalculationText(), "100 + 6 = 106\r\n106 x 3 = 318\r\n");
    EXPECT_EQ(c.playerSources()[1], (Calculation::Pair{1, 2}));
    EXPECT_EQ(c.playerOperands()[1], (Calculation::Pair{106, 3}));
    EXPECT_EQ(c.playerOps()[1], kMul);
    ASSERT_EQ(Line(c, 2, kSub, 3), R::None);     // 318 - 75 = 243
    ASSERT_EQ(Line(c, 3, kDiv, 4), R::NotExact); // 243 / 2
    ASSERT_TRUE(c.EraseLine());
    ASSERT_EQ(Line(c, 3, kSub, 5), R::None); // 243 - 8 = 235
    ASSERT_EQ(Line(c, 5, kMul, 4), R::None); // 235 x 2 = 470
    EXPECT_EQ(c.playerLineCount(), 5);
    EXPECT_EQ(c.ClickNumber(4), R::NoMoreLines);
    EXPECT_EQ(c.entryState(), Calculation::kExpectFirstNumber);
    c.Accept();
    EXPECT_EQ(c.playerResult(), 470);
    EXPECT_FALSE(c.playerExact());
}

TEST(Calculation, ProductsTooLargeForTheGameAreRefused) {
    Calculation c;
    c.Setup({100, 100, 100, 100, 100, 100}, 999);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(Line(c, i, kMul, i + 1), R::None);
    EXPECT_EQ(c.playerResult(), 100000000);
    EXPECT_EQ(Line(c, 3, kMul, 4), R::TooLarge);
    EXPECT_EQ(c.playerResult(), 100000000);
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
    EXPECT_EQ(c.playerLineCount(), 2);

    EXPECT_TRUE(c.EraseLine());
    EXPECT_EQ(c.playerResult(), 100) << "the line now last gives the result";
    EXPECT_EQ(c.FocusedButton(), 2);
    EXPECT_TRUE(c.EraseLine());
    EXPECT_EQ(c.playerResult(), 0);
    EXPECT_EQ(c.buttonValues(), c.numbers());
    for (int i = 0; i < Calculation::kNumberCount; ++i)
        EXPECT_TRUE(c.ButtonShown(i)) << i;
    EXPECT_EQ(c.ButtonText(1), "4");
    EXPECT_EQ(c.playerSources()[0], (Calculation::Pair{-1, -1}));
    EXPECT_EQ(c.CalculationText(), "");

    ASSERT_EQ(Line(c, 5, kMul, 4), R::None);
    ASSERT_EQ(c.ClickNumber(0), R::None);
    c.EraseAll();
    EXPECT_EQ(c.playerResult(), 0);
    EXPECT_EQ(c.playerLineCount(), 0);
    EXPECT_EQ(c.buttonValues(), c.numbers());
    EXPECT_EQ(c.entryState(), Calculation::kExpectFirstNumber);
    EXPECT_EQ(c.FocusedButton(), 0);
}

TEST(Calculation, TheAnswerIsTheLastCompleteLineOrOneNumber) {
    Calculation c;
    c.Setup({100, 6, 3, 75, 2, 8}, 75);
    c.ClickNumber(3);
    c.Accept();
    EXPECT_EQ(c.playerResult(), 75);
    EXPECT_EQ(c.playerLineCount(), 0);
    EXPECT_TRUE(c.playerExact());

    c.Setup({100, 6, 3, 75, 2, 8}, 106);
    c.ClickNumber(0);
    c.ClickOperation(kAdd);
    c.Accept();
    EXPECT_EQ(c.playerResult(), 0) << "a number and an operation are no answer";

    c.Setup({100, 6, 3, 75, 2, 8}, 106);
    Line(c, 0, kAdd, 1);
    c.ClickNumber(1);
    c.ClickOperation(kMul);
    c.Accept(); // as when the time runs out
    EXPECT_EQ(c.playerResult(), 106);
    EXPECT_EQ(c.playerLineCount(), 1);
    EXPECT_TRUE(c.playerExact());
    EXPECT_EQ(c.playerOps()[1], 0) << "the line in progress is not kept";

    c.Cancel();
    EXPECT_EQ(c.playerResult(), 0);
    EXPECT_EQ(c.playerLineCount(), 0);
    EXPECT_FALSE(c.playerExact());
}

} // namespace
} // namespace lexinum
