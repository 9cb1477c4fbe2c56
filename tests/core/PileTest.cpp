#include "numbers/Pile.h"

#include <gtest/gtest.h>

namespace lexinum {
namespace {

TEST(Pile, PushPopCopyAndItsBounds) {
    Pile pile;
    pile.Init();
    EXPECT_TRUE(pile.Empty());
    EXPECT_EQ(pile.Pop(), 0) << "popping an empty pile gives 0 and changes nothing";
    EXPECT_EQ(pile.Count(), 0);
    pile.Push(100);
    pile.Push(6);
    pile.Push(-4);
    EXPECT_EQ(pile.Top(), -4);
    EXPECT_EQ(pile.Below(2), 100);
    EXPECT_EQ(pile.Below(3), 0);

    Pile copy = pile;
    EXPECT_EQ(copy, pile);
    copy.Pop();
    EXPECT_FALSE(copy == pile);
    EXPECT_EQ(pile.Count(), 3) << "a copy is independent";

    for (int i = 0; i < 20; ++i)
        pile.Push(i + 1);
    EXPECT_EQ(pile.Count(), Pile::kSlots) << "a full pile refuses more tokens";
    EXPECT_EQ(pile.Below(Pile::kSlots), 0);
    EXPECT_EQ(pile[-1], 0);
    pile.Clear();
    EXPECT_EQ(pile.Count(), 0);
}

} // namespace
} // namespace lexinum
