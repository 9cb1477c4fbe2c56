#include "numbers/NumberBoxRule.h"

#include <gtest/gtest.h>

#include <climits>

namespace lexinum {
namespace {

TEST(NumberBoxRule, EachBoxTakesTheValuesOfItsMode) {
    const NumberBoxRule free = NumberBoxRule::ForNumber(false, false);
    EXPECT_EQ(free.Value("100"), 100);
    EXPECT_EQ(free.Value("42"), 42);
    EXPECT_EQ(free.Check("0"), "La valeur doit être entre 1 et 100.");
    EXPECT_EQ(free.Check("12a"), "La valeur doit être entre 1 et 100.");
    EXPECT_EQ(free.Check("99999999999999999999"), "La valeur doit être entre 1 et 100.");

    for (const NumberBoxRule& tiles : {NumberBoxRule::ForNumber(true, false), NumberBoxRule::ForNumber(false, true)}) {
        EXPECT_EQ(tiles.Value("75"), 75);
        EXPECT_EQ(tiles.Check("42"), "Le caractère entré n'est pas valable");
        EXPECT_EQ(tiles.Check("010"), "Le caractère entré n'est pas valable");
    }

    EXPECT_EQ(NumberBoxRule::ForTarget(true, 2, 32767).Check("1000"), "La valeur doit être entre 101 et 999.");
    EXPECT_EQ(NumberBoxRule::ForTarget(false, 2, 32767).Value("1000"), 1000);
    EXPECT_EQ(NumberBoxRule::ForMinTargetSetting().Check("32767"), "La valeur doit être entre 2 et 32766.");
    EXPECT_FALSE(NumberBoxRule::AcceptsCharacter('-'));
}

TEST(NumberBoxRule, EachBoxTakesItsLowestValueAndRefusesOneLess) {
    const struct {
        const char* box;
        NumberBoxRule rule;
        int lowest;
    } boxes[] = {
        {"match target", NumberBoxRule::ForTarget(true, 2, 32767), 101},
        {"free number", NumberBoxRule::ForNumber(false, false), 1},
        {"training target", NumberBoxRule::ForTarget(false, 150, 999), 150},
        {"training minimum setting", NumberBoxRule::ForMinTargetSetting(), 2},
        {"training maximum setting", NumberBoxRule::ForMaxTargetSetting(), 2},
    };
    for (const auto& b : boxes) {
        EXPECT_EQ(b.rule.Value(std::to_string(b.lowest)), b.lowest) << b.box;
        EXPECT_FALSE(b.rule.Value(std::to_string(b.lowest - 1))) << b.box;
        EXPECT_FALSE(b.rule.Check(std::to_string(b.lowest - 1)).empty()) << b.box;
    }
}

TEST(NumberBoxRule, DamagedSettingsGiveAPlayableRange) {
    using Range = NumberBoxRule::TargetRange;
    const auto same = [](Range a, Range b) { return a.min == b.min && a.max == b.max; };
    EXPECT_TRUE(same(NumberBoxRule::UsableTargetRange(101, 999), Range{101, 999}));
    EXPECT_TRUE(same(NumberBoxRule::UsableTargetRange(500, 500), Range{500, 500}));
    // Out of what the settings boxes take, and in the wrong order.
    EXPECT_TRUE(same(NumberBoxRule::UsableTargetRange(999, 101), Range{101, 999}));
    EXPECT_TRUE(same(NumberBoxRule::UsableTargetRange(0, -5), Range{2, 2}));
    EXPECT_TRUE(same(NumberBoxRule::UsableTargetRange(INT_MIN, INT_MAX), Range{2, 32767}));
    EXPECT_TRUE(same(NumberBoxRule::UsableTargetRange(INT_MAX, 50), Range{50, 32766}));
}

TEST(NumberBoxRule, StepsStayWithinTheBox) {
    const NumberBoxRule target = NumberBoxRule::ForTarget(true, 0, 0);
    EXPECT_EQ(target.Step("998", 0, 3, true)->text, "999");
    EXPECT_FALSE(target.Step("999", 0, 3, true)) << "1000 is out of range";
    EXPECT_FALSE(target.Step("101", 0, 0, false));
    EXPECT_EQ(target.Step("101", 0, 1, true)->text, "201");

    const auto tile = NumberBoxRule::TileList().Step("10", 0, 0, true);
    ASSERT_TRUE(tile);
    EXPECT_EQ(tile->text, "25");
    EXPECT_EQ(tile->selectionEnd, 2);
}

} // namespace
} // namespace lexinum
