#include "numbers/NumberRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>

namespace lexinum {
namespace {

using R = NumberRules;

TEST(NumberRulesTest, TilesAreTheTwentyFourOfTheGame) {
    EXPECT_EQ(std::accumulate(R::kTileCounts.begin(), R::kTileCounts.end(), 0), R::kTileCount);
    for (int kind = 0; kind < R::kTileKinds; ++kind) {
        const auto k = static_cast<std::size_t>(kind);
        EXPECT_EQ(R::kTileTexts[k], std::to_string(R::kTileValues[k]));
        EXPECT_EQ(R::TileKindOfValue(R::kTileValues[k]), kind);
    }
    EXPECT_EQ(R::TileKindOfValue(11), -1);
    EXPECT_TRUE(R::IsTileText("25"));
    EXPECT_FALSE(R::IsTileText("025"));
    EXPECT_FALSE(R::IsTileText("11"));
    EXPECT_FALSE(R::IsTileText(""));
}

TEST(NumberRulesTest, OperationCharacters) {
    const char printed[] = {'+', '-', '*', '/'};
    const char typed[] = {'+', '-', 'x', '/'};
    for (int op = R::kAdd; op <= R::kDivide; ++op) {
        EXPECT_TRUE(R::IsOperation(op));
        EXPECT_EQ(R::PrintedChar(op), printed[op + 4]);
        EXPECT_EQ(R::TypedChar(op), typed[op + 4]);
        EXPECT_EQ(R::OperationOfTyped(typed[op + 4]), op);
    }
    EXPECT_FALSE(R::IsOperation(0));
    EXPECT_FALSE(R::IsOperation(-5));
    EXPECT_EQ(R::OperationOfTyped('X'), R::kMultiply) << "a capital X multiplies too";
    EXPECT_EQ(R::OperationOfTyped('*'), 0);
    EXPECT_EQ(R::PrintedChar(3), '?');
}

TEST(NumberRulesTest, ValueRuleRefusesWhatTheGameForbids) {
    EXPECT_EQ(R::Value(3, R::kAdd, 7), 10);
    EXPECT_EQ(R::Value(10, R::kSubtract, 5), 5);
    EXPECT_EQ(R::Value(5, R::kSubtract, 5), 0);
    EXPECT_EQ(R::Value(1, R::kMultiply, 5), 5); // only multiplying *by* 1 is refused
    EXPECT_EQ(R::Value(4, R::kMultiply, 1), 0);
    EXPECT_EQ(R::Value(6, R::kDivide, 3), 2);
    EXPECT_EQ(R::Value(6, R::kDivide, 4), 0);
    EXPECT_EQ(R::Value(5, R::kDivide, 1), 0);
    EXPECT_EQ(R::Value(1, R::kDivide, 1), 0);
    EXPECT_EQ(R::Value(5, R::kDivide, 0), 0);
    EXPECT_EQ(R::Value(5, 0, 3), 0);
}

TEST(NumberRulesTest, ValueRuleRefusesResultsBeyondThirtyTwoBits) {
    // 100^5 in a training draw of six 100s.
    EXPECT_EQ(R::Value(100000000, R::kMultiply, 100), 0);
    EXPECT_EQ(R::Value(INT_MAX, R::kAdd, 1), 0);
    EXPECT_EQ(R::Value(INT_MAX - 1, R::kAdd, 1), INT_MAX);
    EXPECT_EQ(R::Value(46340, R::kMultiply, 46340), 2147395600);
    EXPECT_EQ(R::Value(INT_MIN, R::kDivide, -1), 0);
}

} // namespace
} // namespace lexinum
