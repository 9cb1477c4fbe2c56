// Erasing the last line of the player's calculation gives back the result and
// the buttons the line before it left, whatever operation the erased line made.
#include "numbers/Calculation.h"

#include <gtest/gtest.h>

namespace lexinum {
namespace {

using R = Calculation::Refusal;
constexpr int kAdd = NumberRules::kAdd, kSub = NumberRules::kSubtract, kMul = NumberRules::kMultiply,
              kDiv = NumberRules::kDivide;

// Makes the line "button a, operation, button b".
R Line(Calculation& c, int a, int operation, int b) {
    R refusal = c.ClickNumber(a);
    if (refusal == R::None)
        refusal = c.ClickOperation(operation);
    return refusal == R::None ? c.ClickNumber(b) : refusal;
}

TEST(CalculationErase, ErasingTheLastLineRestoresThePreviousResult) {
    // 25 x 4 = 100 on button 1, then 100 op 5 on button 2, for each operation.
    const struct {
        int operation;
        int result;
    } lasts[] = {{kSub, 95}, {kDiv, 20}, {kAdd, 105}, {kMul, 500}};
    for (const auto& last : lasts) {
        Calculation c;
        c.Setup({25, 4, 5, 7, 2, 9}, 500);
        ASSERT_EQ(Line(c, 0, kMul, 1), R::None);
        ASSERT_EQ(Line(c, 1, last.operation, 2), R::None);
        EXPECT_EQ(c.ButtonText(2), std::to_string(last.result));
        ASSERT_TRUE(c.EraseLine());
        EXPECT_EQ(c.ButtonText(1), "100") << last.operation;
        EXPECT_EQ(c.ButtonText(2), "5") << last.operation;
        EXPECT_TRUE(c.ButtonShown(1) && c.ButtonShown(2)) << last.operation;
        EXPECT_FALSE(c.ButtonShown(0));
        EXPECT_EQ(c.playerLineCount(), 1);
        c.Accept();
        EXPECT_EQ(c.playerResult(), 100) << "after erasing a line made with operation " << last.operation;
    }
    // Two erased in turn, the first a subtraction: 9 - 7 = 2, 2 / 2 = 1 ... back to the drawn numbers.
    Calculation c;
    c.Setup({25, 4, 5, 7, 2, 9}, 500);
    ASSERT_EQ(Line(c, 5, kSub, 3), R::None); // 9 - 7 = 2 on button 3
    ASSERT_EQ(Line(c, 3, kMul, 4), R::None); // 2 x 2 = 4 on button 4
    ASSERT_EQ(Line(c, 4, kDiv, 1), R::None); // 4 / 4 = 1 on button 1
    ASSERT_TRUE(c.EraseLine());
    EXPECT_EQ(c.ButtonText(4), "4");
    EXPECT_EQ(c.ButtonText(1), "4");
    ASSERT_TRUE(c.EraseLine());
    EXPECT_EQ(c.ButtonText(3), "2");
    EXPECT_EQ(c.ButtonText(4), "2");
    c.Accept();
    EXPECT_EQ(c.playerResult(), 2);
}

} // namespace
} // namespace lexinum
