// The numbers searches against an enumeration of their own: every set of drawn
// numbers that can make the target is listed (also where only an unusual order
// writes it), the computer finishes at the top level even with two equal values,
// and the nearest calculation shown is the first one met.
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "numbers/NumberRules.h"
#include "numbers/NumbersSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace lexinum {
namespace {

using Numbers = std::array<int, NumbersSolver::kNumbers>;
constexpr int A = NumberRules::kAdd, S = NumberRules::kSubtract, M = NumberRules::kMultiply, D = NumberRules::kDivide;

// The results of x op y the game allows, x being the larger: positive, whole,
// within 32 bits, and unlike both operands (no x 1, no / 1, no 4 - 2).
void Combine(long long x, long long y, std::vector<int>& out) {
    if (x < y)
        std::swap(x, y);
    for (const long long r : {x + y, x - y, x * y, x % y == 0 ? x / y : 0})
        if (r > 0 && r <= INT_MAX && r != x && r != y)
            out.push_back(static_cast<int>(r));
}

// For each set of the drawn numbers (a mask of their places), the values made
// with exactly those numbers, no step building a value that a drawn number left
// out of the set already is (the search uses that number instead).
std::vector<std::vector<int>> ValuesOfEachSet(const Numbers& numbers, int outerMask) {
    std::vector<int> leftOut;
    for (int i = 0; i < NumbersSolver::kNumbers; ++i)
        if ((outerMask >> i & 1) == 0)
            leftOut.push_back(numbers[static_cast<std::size_t>(i)]);
    std::vector<std::vector<int>> made(64);
    for (int mask = 1; mask < 64; ++mask) {
        if ((mask & ~outerMask) != 0)
            continue;
        std::vector<int>& values = made[static_cast<std::size_t>(mask)];
        if ((mask & (mask - 1)) == 0) {
            values.push_back(numbers[static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)))]);
            continue;
        }
        for (int part = (mask - 1) & mask; part > 0; part = (part - 1) & mask) {
            if (part < (mask ^ part))
                continue; // each split once
            for (const int x : made[static_cast<std::size_t>(part)])
                for (const int y : made[static_cast<std::size_t>(mask ^ part)])
                    Combine(x, y, values);
        }
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        std::erase_if(values, [&leftOut](int v) { return std::count(leftOut.begin(), leftOut.end(), v) != 0; });
    }
    return made;
}

// The drawn numbers a calculation uses, sorted.
std::vector<int> NumbersUsed(const Pile& pile) {
    std::vector<int> used;
    for (int i = 0; i < pile.Count(); ++i)
        if (pile[i] > 0)
            used.push_back(pile[i]);
    std::sort(used.begin(), used.end());
    return used;
}

// The value of a calculation checked on its own; 0 when a step breaks a rule
// or a number is not among the drawn ones.
int Evaluate(const Pile& pile, const Numbers& numbers) {
    std::multiset<int> left(numbers.begin(), numbers.end());
    std::vector<int> stack;
    for (int i = 0; i < pile.Count(); ++i) {
        const int token = pile[i];
        if (token > 0) {
            const auto found = left.find(token);
            if (found == left.end())
                return 0;
            left.erase(found);
            stack.push_back(token);
            continue;
        }
        if (stack.size() < 2)
            return 0;
        const int b = stack.back();
        stack.pop_back();
        const int r = NumberRules::Value(stack.back(), token, b);
        if (r <= 0)
            return 0;
        stack.back() = r;
    }
    return stack.size() == 1 ? stack[0] : 0;
}

struct Listing {
    std::vector<Pile> solutions;
    std::string closing;
    Pile best;
    int bestDistance = 0;
};

Listing ListAll(const Numbers& numbers, int target) {
    NumbersSolver solver;
    solver.SetDraw(numbers, target);
    solver.ClearPiles();
    SearchChannel channel;
    channel.Start([&](SearchChannel& c) { solver.SolutionsSearch(c); });
    Listing listing;
    while (channel.WaitBatch()) {
        if (channel.Complete())
            listing.closing = channel.TakeText();
        else
            listing.solutions.push_back((channel.TakeText(), solver.LastSolution()));
        channel.Continue();
    }
    channel.Join();
    listing.best = solver.BestExpression();
    listing.bestDistance = solver.BestDistance();
    return listing;
}

Pile MakePile(std::initializer_list<int> tokens) {
    Pile pile;
    pile.Init();
    for (const int token : tokens)
        pile.Push(token);
    return pile;
}

Numbers TileDraw() {
    std::vector<int> tiles;
    for (int kind = 0; kind < NumberRules::kTileKinds; ++kind)
        for (int n = 0; n < NumberRules::kTileCounts[static_cast<std::size_t>(kind)]; ++n)
            tiles.push_back(NumberRules::kTileValues[static_cast<std::size_t>(kind)]);
    Numbers numbers{};
    for (int& number : numbers) {
        const int pick = Random15::Below(static_cast<int>(tiles.size()));
        number = tiles[static_cast<std::size_t>(pick)];
        tiles.erase(tiles.begin() + pick);
    }
    return numbers;
}

// The sets of drawn numbers (sorted) that make the target.
std::set<std::vector<int>> SetsMaking(const Numbers& numbers, int target) {
    std::set<std::vector<int>> sets;
    for (int outer = 1; outer < 64; ++outer) {
        const auto made = ValuesOfEachSet(numbers, outer);
        const auto& values = made[static_cast<std::size_t>(outer)];
        if (!std::binary_search(values.begin(), values.end(), target))
            continue;
        std::vector<int> used;
        for (int i = 0; i < NumbersSolver::kNumbers; ++i)
            if ((outer >> i & 1) != 0)
                used.push_back(numbers[static_cast<std::size_t>(i)]);
        std::sort(used.begin(), used.end());
        sets.insert(used);
    }
    return sets;
}

// Every set that makes the target is listed, through valid calculations, the
// fewer numbers first and none shown twice.
void ExpectEverySetListed(const Numbers& numbers, int target) {
    SCOPED_TRACE(::testing::Message() << "draw " << numbers[0] << " " << numbers[1] << " " << numbers[2] << " "
                                      << numbers[3] << " " << numbers[4] << " " << numbers[5] << " -> " << target);
    const Listing listing = ListAll(numbers, target);
    std::set<std::vector<int>> listed;
    std::set<std::string> shown;
    std::size_t previousSize = 0;
    for (const Pile& pile : listing.solutions) {
        ASSERT_EQ(Evaluate(pile, numbers), target);
        std::string lines;
        NumbersSolver::PrintPile(pile, lines);
        EXPECT_TRUE(shown.insert(lines).second) << "shown twice:\n" << lines;
        const std::vector<int> used = NumbersUsed(pile);
        EXPECT_GE(used.size(), previousSize) << "fewer numbers first";
        previousSize = used.size();
        listed.insert(used);
    }
    // The search may also list a set only through a value it builds
    // once every number is placed; it may never miss one.
    for (const std::vector<int>& used : SetsMaking(numbers, target))
        EXPECT_EQ(listed.count(used), 1u) << "a set of " << used.size() << " is missing";
}

// Whether the search lists `pile` for this draw.
bool Lists(const Numbers& numbers, int target, const Pile& pile) {
    const Listing listing = ListAll(numbers, target);
    return std::find(listing.solutions.begin(), listing.solutions.end(), pile) != listing.solutions.end();
}

TEST(NumbersSolverReference, EverySetOfNumbersThatMakesTheTargetIsListed) {
    // The example: only all six numbers make 73.
    Listing listing = ListAll({7, 1, 5, 6, 4, 5}, 73);
    EXPECT_NE(
        std::find(listing.solutions.begin(), listing.solutions.end(), MakePile({7, 5, A, 6, M, 4, 5, 1, S, D, A})),
        listing.solutions.end())
        << "12 x 6 = 72, 5 - 1 = 4, 4 / 4 = 1, 72 + 1 = 73";

    Random15::Seed(2024);
    for (int draw = 0; draw < 150; ++draw) {
        const Numbers numbers = TileDraw();
        ExpectEverySetListed(numbers, 101 + Random15::Below(899));
    }
}

TEST(NumbersSolverReference, EverySetIsListedForFreeNumbersAndTargetsOfAnySize) {
    // Tiles or free numbers (often repeated when below 11); targets up to 100,
    // where most losses hid, and some up to 999 and up to 32767.
    Random15::Seed(3303);
    for (int draw = 0; draw < 240; ++draw) {
        Numbers numbers = TileDraw();
        if (draw % 3 != 0)
            for (int& number : numbers)
                number = 1 + Random15::Below(draw % 3 == 1 ? 100 : 10);
        ExpectEverySetListed(numbers, 1 + Random15::Below(draw % 4 == 3 ? 32767 : draw % 4 == 2 ? 999 : 100));
    }
}

// 75 x (5 + (7 - 6)) - 50 = 400 is the only way with these five numbers: the
// chain's own order (5 + 7) - 6 gives back its operand 6 and 5 - 6 is
// negative, so the two additive operations come in a row.
TEST(NumbersSolverReference, ASetNeedingASumOfADifferenceIsListed) {
    const Numbers numbers{6, 50, 9, 5, 75, 7};
    ExpectEverySetListed(numbers, 400);
    EXPECT_TRUE(Lists(numbers, 400, MakePile({75, 5, 7, 6, S, A, M, 50, S})));
    // 7 - (6 - 5) likewise: (7 + 5) - 6 gives back 6, (7 - 6) + 5 would put 5 above 1.
    EXPECT_TRUE(Lists(numbers, 400, MakePile({75, 7, 6, 5, S, S, M, 50, S})));
    // Where the chain can be written, it alone is listed: 75 + (9 - 5) is
    // (75 + 9) - 5.
    EXPECT_TRUE(Lists(numbers, 79, MakePile({75, 9, A, 5, S})));
    EXPECT_FALSE(Lists(numbers, 79, MakePile({75, 9, 5, S, A})));
    // 2 + (8 - 6) is also (8 - 6) + 2, the 2 meeting its equal, and both
    // print alike: it is shown once.
    const Numbers twos{10, 2, 6, 8, 100, 7};
    ExpectEverySetListed(twos, 438);
    EXPECT_TRUE(Lists(twos, 438, MakePile({100, 7, A, 8, 6, S, 2, A, M, 10, A})));
    EXPECT_FALSE(Lists(twos, 438, MakePile({100, 7, A, 2, 8, 6, S, A, M, 10, A})));
}

// (9 + (1 + 1)) x (7 + 4) = 121: 9 + 1 gives the 10 not used, in either
// order, so 1 + 1 comes first and is added at once.
TEST(NumbersSolverReference, ASumOfASumIsListedWhenTheChainBuildsAnUnusedNumber) {
    const Numbers numbers{7, 4, 10, 1, 1, 9};
    ExpectEverySetListed(numbers, 121);
    EXPECT_TRUE(Lists(numbers, 121, MakePile({9, 1, 1, A, A, 7, 4, A, M})));
}

// 25 x (100 / 50) - 7 = 43: (25 x 100) / 50 gives back 50 and 25 / 50 is a
// fraction; 100 / (50 / 25) has the same trouble.
TEST(NumbersSolverReference, AProductOfAQuotientIsListed) {
    const Numbers numbers{7, 100, 4, 50, 25, 10};
    ExpectEverySetListed(numbers, 43);
    EXPECT_TRUE(Lists(numbers, 43, MakePile({25, 100, 50, D, M, 7, S})));
    EXPECT_TRUE(Lists(numbers, 43, MakePile({100, 50, 25, D, D, 7, S})));
}

// 50 x (9 + 1 - 4) = 300 once every number is placed: the chain's other
// order (9 - 4) + 1 builds the 5 not used, so this one is kept.
TEST(NumbersSolverReference, AChainWhoseOtherOrderBuildsAnUnusedNumberIsListedAtTheEnd) {
    const Numbers numbers{9, 2, 1, 50, 5, 4};
    ExpectEverySetListed(numbers, 300);
    EXPECT_TRUE(Lists(numbers, 300, MakePile({50, 9, 1, A, 4, S, M})));
}

// (3 + 3 + 4) x 8 = 80: starting the chain from its larger number, 4 + 3,
// builds the 7 not used, so 3 + 3 + 4 is kept.
TEST(NumbersSolverReference, AChainIsKeptWhenStartingFromItsLargerNumberBuildsAnUnusedNumber) {
    const Numbers numbers{9, 8, 7, 3, 4, 3};
    ExpectEverySetListed(numbers, 80);
    EXPECT_TRUE(Lists(numbers, 80, MakePile({3, 3, A, 4, A, 8, M})));
}

// 50 x 7 + 1 - 1 = 350: of X + 1 - 1 and X - 1 + 1 one order is listed, the
// one that adds first, or the other when adding first cannot be written.
TEST(NumbersSolverReference, AddingAndTakingAwayTheSameNumberIsListedInOneOrder) {
    const Numbers numbers{75, 50, 7, 1, 9, 1};
    ExpectEverySetListed(numbers, 350);
    EXPECT_TRUE(Lists(numbers, 350, MakePile({50, 7, M, 1, A, 1, S})));
    EXPECT_FALSE(Lists(numbers, 350, MakePile({50, 7, M, 1, S, 1, A})));
    // 8 + 1 gives the 9 not used: 8 - 1 + 1 instead.
    const Numbers eight{9, 8, 1, 1, 25, 3};
    EXPECT_TRUE(Lists(eight, 24, MakePile({8, 1, S, 1, A, 3, M})));
    EXPECT_FALSE(Lists(eight, 24, MakePile({8, 1, A, 1, S, 3, M})));
}

TEST(NumbersSolverReference, TheComputerFinishesWithTwoEqualValuesAtTheTopLevel) {
    // 961 = 31 x 31: (6 x 5) + 1 and (9 x 3) + 4.
    NumbersSolver solver;
    const Numbers numbers{6, 3, 9, 5, 1, 4};
    solver.SetDraw(numbers, 961);
    solver.SetLevel(NumbersSolver::kMaxLevel);
    solver.ClearPiles();
    SearchChannel channel;
    channel.Start([&](SearchChannel& c) { solver.ComputerSearch(c); });
    ASSERT_TRUE(channel.WaitComputer());
    channel.Join();
    EXPECT_TRUE(solver.ComputerExact());
    EXPECT_EQ(solver.ComputerResult(), 961);
    EXPECT_EQ(Evaluate(solver.ComputerExpression(), numbers), 961);
}

TEST(NumbersSolverReference, TheNearestShownIsTheFirstMetAndTheOneAnnounced) {
    // Draws of small tiles and large targets, most of them out of reach.
    Random15::Seed(77);
    int tested = 0;
    for (int draw = 0; tested < 25 && draw < 400; ++draw) {
        Numbers numbers{};
        for (int& number : numbers)
            number = 1 + Random15::Below(10);
        const int target = 600 + Random15::Below(400);
        // The nearest distance, and the fewest numbers that come that near.
        int nearest = INT_MAX;
        int fewest = 0;
        for (int outer = 1; outer < 64; ++outer) {
            const auto made = ValuesOfEachSet(numbers, outer);
            const int count = __builtin_popcount(static_cast<unsigned>(outer));
            for (const int value : made[static_cast<std::size_t>(outer)]) {
                const int distance = std::abs(value - target);
                if (distance < nearest || (distance == nearest && count < fewest)) {
                    nearest = distance;
                    fewest = count;
                }
            }
        }
        if (nearest == 0)
            continue;
        ++tested;
        const Listing listing = ListAll(numbers, target);
        ASSERT_TRUE(listing.solutions.empty());
        EXPECT_EQ(listing.bestDistance, nearest) << draw;
        EXPECT_EQ(std::abs(Evaluate(listing.best, numbers) - target), nearest) << draw;
        // Calculations come fewer numbers first: the first met uses the fewest.
        EXPECT_EQ(static_cast<int>(NumbersUsed(listing.best).size()), fewest) << draw;
        std::string shown = " " + std::to_string(target) + " à " + std::to_string(nearest) + " près seulement...\r\n";
        NumbersSolver::PrintPile(listing.best, shown);
        EXPECT_EQ(listing.closing, shown) << "announced and shown alike";

        // The computer's nearest answer: the value announced is the one shown.
        NumbersSolver solver;
        solver.SetDraw(numbers, target);
        solver.SetLevel(NumbersSolver::kMaxLevel);
        solver.ClearPiles();
        SearchChannel channel;
        channel.Start([&](SearchChannel& c) { solver.ComputerSearch(c); });
        ASSERT_TRUE(channel.WaitComputer());
        channel.Join();
        EXPECT_FALSE(solver.ComputerExact());
        EXPECT_EQ(Evaluate(solver.ComputerExpression(), numbers), solver.ComputerResult()) << draw;
        EXPECT_EQ(std::abs(solver.ComputerResult() - target), nearest) << draw;
    }
    EXPECT_EQ(tested, 25);
}

TEST(NumbersSolverReference, TheComputersNearestIsTheFirstItMeets) {
    // Below the top level the computer can miss 855 here (88 x 14 + 74 + 24,
    // x 54, / 84) and keeps the nearest calculation it met first; 854 and 856
    // are equally near. A search keeping the last one met answers otherwise in
    // every one of these cases.
    const Numbers numbers{84, 54, 14, 88, 74, 24};
    const struct {
        int level;
        std::uint32_t seed;
        const char* lines;
    } cases[] = {
        {5, 1,
         "  84 + 74 = 158\r\n   158 + 54 = 212\r\n    212 * 14 = 2968\r\n     88 * 24 = 2112\r\n"
         "      2968 - 2112 = 856\r\n"},
        {5, 2, "  88 - 24 = 64\r\n   64 - 54 = 10\r\n    84 * 10 = 840\r\n     840 + 14 = 854\r\n"},
        {3, 1, "  88 - 54 = 34\r\n   34 - 24 = 10\r\n    84 * 10 = 840\r\n     840 + 14 = 854\r\n"},
        {3, 3,
         "  54 + 24 = 78\r\n   84 + 14 = 98\r\n    98 - 88 = 10\r\n     78 * 10 = 780\r\n"
         "      780 + 74 = 854\r\n"},
    };
    for (const auto& each : cases) {
        NumbersSolver solver;
        solver.SetDraw(numbers, 855);
        solver.SetLevel(each.level);
        solver.ClearPiles();
        Random15::Seed(each.seed);
        SearchChannel channel;
        channel.Start([&](SearchChannel& c) { solver.ComputerSearch(c); });
        ASSERT_TRUE(channel.WaitComputer());
        channel.Join();
        ASSERT_FALSE(solver.ComputerExact()) << each.level << " " << each.seed;
        std::string shown;
        NumbersSolver::PrintPile(solver.ComputerExpression(), shown);
        EXPECT_EQ(shown, each.lines) << each.level << " " << each.seed;
        EXPECT_EQ(Evaluate(solver.ComputerExpression(), numbers), solver.ComputerResult()) << "announced as shown";
        EXPECT_EQ(std::abs(solver.ComputerResult() - 855), solver.BestDistance());
    }
}

TEST(NumbersSolverReference, ANewSearchStartsOnAnEmptyText) {
    NumbersSolver first;
    first.SetDraw({100, 75, 50, 25, 10, 1}, 125);
    first.ClearPiles();
    SearchChannel channel;
    channel.Start([&](SearchChannel& c) { first.SolutionsSearch(c); });
    ASSERT_TRUE(channel.WaitBatch()); // its first solution is left untaken
    channel.Halt();
    NumbersSolver second;
    second.SetDraw({3, 7, 8, 25, 100, 2}, 21);
    second.ClearPiles();
    channel.Start([&](SearchChannel& c) { second.SolutionsSearch(c); });
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), "  7 * 3 = 21\r\n");
    channel.Halt();
}

} // namespace
} // namespace lexinum
