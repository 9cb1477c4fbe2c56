#include "numbers/NumbersSolver.h"
#include "common/AutoResetEvent.h"
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "numbers/NumberRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

namespace lexinum {
namespace {

using Numbers = std::array<int, NumbersSolver::kNumbers>;
constexpr int A = NumberRules::kAdd, S = NumberRules::kSubtract, M = NumberRules::kMultiply, D = NumberRules::kDivide;

Pile MakePile(std::initializer_list<int> tokens) {
    Pile pile;
    pile.Init();
    for (int token : tokens)
        pile.Push(token);
    return pile;
}

// Everything a solutions search hands over, run to its end.
struct Listing {
    std::vector<std::string> texts; // one per solution, as the results box gets it
    std::vector<Pile> solutions;
    std::string closing;
    bool exact = false;
    unsigned simplestOps = 0;
    int bestDistance = 0;
    Pile best;
};

Listing ListAll(const Numbers& numbers, int target, int playerResult = 0) {
    NumbersSolver solver;
    solver.SetDraw(numbers, target);
    solver.SetPlayerResult(playerResult);
    solver.ClearPiles();
    SearchChannel channel;
    channel.Start([&](SearchChannel& c) { solver.SolutionsSearch(c); });
    Listing listing;
    while (channel.WaitBatch()) {
        if (channel.Complete()) {
            listing.closing = channel.TakeText();
        } else {
            listing.texts.push_back(channel.TakeText());
            listing.solutions.push_back(solver.LastSolution());
        }
        channel.Continue();
    }
    channel.Join();
    listing.exact = solver.ExactFound();
    listing.simplestOps = solver.SimplestOps();
    listing.bestDistance = solver.BestDistance();
    listing.best = solver.BestExpression();
    return listing;
}

struct ComputerAnswer {
    bool exact;
    int result;
    int distance;
    unsigned ops;
    Pile expression;
    std::string text;
};

ComputerAnswer ComputerPlays(const Numbers& numbers, int target, int level) {
    NumbersSolver solver;
    solver.SetDraw(numbers, target);
    solver.SetLevel(level);
    solver.ClearPiles();
    SearchChannel channel;
    channel.Start([&](SearchChannel& c) { solver.ComputerSearch(c); });
    EXPECT_TRUE(channel.WaitComputer());
    ComputerAnswer answer{solver.ComputerExact(), solver.ComputerResult(),     solver.BestDistance(),
                          solver.ComputerOps(),   solver.ComputerExpression(), channel.TakeText()};
    channel.Join();
    return answer;
}

// ---- an independent reference: the values every subset of the numbers can make ----

struct Reference {
    bool exact = false;
    int fewestOps = INT_MAX;
    int nearest = INT_MAX;
};

void Combine(int x, int y, std::vector<int>& out) {
    if (x < y)
        std::swap(x, y);
    out.push_back(x + y);
    if (x != y)
        out.push_back(x - y);
    if (y != 1 && static_cast<long long>(x) * y <= INT_MAX)
        out.push_back(x * y);
    if (y != 1 && x % y == 0)
        out.push_back(x / y);
}

Reference BruteForce(const Numbers& numbers, int target) {
    std::vector<std::vector<int>> made(64);
    Reference ref;
    for (int mask = 1; mask < 64; ++mask) {
        std::vector<int>& values = made[static_cast<std::size_t>(mask)];
        if ((mask & (mask - 1)) == 0) {
            values.push_back(numbers[static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)))]);
        } else {
            for (int part = (mask - 1) & mask; part > 0; part = (part - 1) & mask) {
                const int rest = mask ^ part;
                if (part < rest)
                    continue; // each split once
                for (int x : made[static_cast<std::size_t>(part)])
                    for (int y : made[static_cast<std::size_t>(rest)])
                        Combine(x, y, values);
            }
            std::sort(values.begin(), values.end());
            values.erase(std::unique(values.begin(), values.end()), values.end());
        }
        const int ops = __builtin_popcount(static_cast<unsigned>(mask)) - 1;
        for (int v : values) {
            ref.nearest = std::min(ref.nearest, std::abs(v - target));
            if (v == target) {
                ref.exact = true;
                ref.fewestOps = std::min(ref.fewestOps, ops);
            }
        }
    }
    return ref;
}

// Evaluates a solution on its own: every operation valid by the game's rule,
// each drawn number used at most once. Returns the value, or 0 if invalid.
int CheckSolution(const Pile& pile, const Numbers& numbers) {
    std::multiset<int> left(numbers.begin(), numbers.end());
    std::vector<int> stack;
    for (int i = 0; i < pile.Count(); ++i) {
        const int token = pile[i];
        if (token > 0) {
            auto it = left.find(token);
            if (it == left.end())
                return 0;
            left.erase(it);
            stack.push_back(token);
            continue;
        }
        if (stack.size() < 2)
            return 0;
        const int b = stack.back();
        stack.pop_back();
        const int a = stack.back();
        const int r = NumberRules::Value(a, token, b);
        if (r <= 0)
            return 0;
        stack.back() = r;
    }
    return stack.size() == 1 ? stack[0] : 0;
}

Numbers TileDraw() {
    std::vector<int> tiles;
    for (int kind = 0; kind < NumberRules::kTileKinds; ++kind)
        for (int n = 0; n < NumberRules::kTileCounts[static_cast<std::size_t>(kind)]; ++n)
            tiles.push_back(NumberRules::kTileValues[static_cast<std::size_t>(kind)]);
    Numbers numbers{};
    for (int i = 0; i < NumbersSolver::kNumbers; ++i) {
        const int pick = Random15::Below(static_cast<int>(tiles.size()));
        numbers[static_cast<std::size_t>(i)] = tiles[static_cast<std::size_t>(pick)];
        tiles.erase(tiles.begin() + pick);
    }
    return numbers;
}

// ---- printing ----

TEST(NumbersSolverPrint, OneTokenAndFiveOperations) {
    std::string text;
    NumbersSolver::PrintPile(MakePile({7}), text);
    EXPECT_EQ(text, "   7 = 7\r\n");

    text.clear();
    // ((((100 + 6) * 3) - 8) / 2) ... and a last line: each line one space deeper.
    NumbersSolver::PrintPile(MakePile({100, 6, A, 3, M, 8, S, 10, 5, D, D}), text);
    EXPECT_EQ(text, "  100 + 6 = 106\r\n"
                    "   106 * 3 = 318\r\n"
                    "    318 - 8 = 310\r\n"
                    "     10 / 5 = 2\r\n"
                    "      310 / 2 = 155\r\n");
    EXPECT_EQ(NumbersSolver::PileValue(MakePile({100, 6, A, 3, M, 8, S, 10, 5, D, D})), 155);

    text = "avant\r\n";
    NumbersSolver::PrintPile(Pile{}, text);
    NumbersSolver::PrintPile(MakePile({5, A}), text); // malformed: nothing printed
    EXPECT_EQ(text, "avant\r\n");
    EXPECT_EQ(NumbersSolver::PileValue(MakePile({5, A})), 0);
    EXPECT_EQ(NumbersSolver::PileValue(MakePile({5, 1, M})), 0);
}

// ---- the solutions search ----

TEST(NumbersSolverSolutions, SimplestFirstThenEveryOtherAndTheClosingText) {
    const Listing listing = ListAll({100, 75, 50, 25, 10, 1}, 125);
    ASSERT_FALSE(listing.texts.empty());
    EXPECT_EQ(listing.texts[0], "  100 + 25 = 125\r\n");
    EXPECT_EQ(listing.solutions[0], MakePile({100, 25, A}));
    EXPECT_TRUE(listing.exact);
    EXPECT_EQ(listing.simplestOps, 1u);
    EXPECT_EQ(listing.closing, "\r\n Plus de solutions...");
    std::set<std::vector<int>> seen;
    for (const Pile& pile : listing.solutions) {
        std::vector<int> tokens;
        for (int i = 0; i < pile.Count(); ++i)
            tokens.push_back(pile[i]);
        EXPECT_TRUE(seen.insert(tokens).second) << "listed twice";
    }
}

TEST(NumbersSolverSolutions, TargetEqualToADrawnNumber) {
    const Listing listing = ListAll({75, 50, 25, 8, 3, 2}, 75);
    ASSERT_GE(listing.texts.size(), 2u);
    EXPECT_EQ(listing.texts[0], " Il fallait le faire !\r\n   75 = 75\r\n");
    EXPECT_EQ(listing.simplestOps, 0u);
    // The search goes on with calculations of two numbers and more.
    EXPECT_EQ(listing.solutions[1], MakePile({50, 25, A}));
    EXPECT_EQ(listing.texts[1], "  50 + 25 = 75\r\n");
}

TEST(NumbersSolverSolutions, ChainsAndRepeatedNumbersAreListedOnce) {
    // 6 + 4 + 2 can be written in six orders; one is kept, largest first.
    Listing listing = ListAll({6, 4, 2, 50, 75, 100}, 12);
    int chains = 0;
    for (const Pile& pile : listing.solutions)
        chains += pile == MakePile({6, 4, A, 2, A});
    EXPECT_EQ(chains, 1);
    for (const Pile& pile : listing.solutions)
        EXPECT_FALSE(pile == MakePile({6, 2, A, 4, A})) << "the chain is kept with its smaller number last";

    // (X + c) - d and (X - d) + c: only the one whose second operand is smaller.
    listing = ListAll({9, 7, 3, 25, 50, 100}, 13);
    bool addThenSubtract = false, subtractThenAdd = false;
    for (const Pile& pile : listing.solutions) {
        addThenSubtract |= pile == MakePile({9, 7, A, 3, S});
        subtractThenAdd |= pile == MakePile({9, 3, S, 7, A});
    }
    EXPECT_TRUE(addThenSubtract);
    EXPECT_FALSE(subtractThenAdd);

    // Two 5s are one number of multiplicity two: 5 + 5 once, not twice.
    listing = ListAll({5, 5, 1, 2, 3, 4}, 10);
    EXPECT_EQ(std::count(listing.solutions.begin(), listing.solutions.end(), MakePile({5, 5, A})), 1);

    // A box left at 0, or a number that would read as an operation code, is never used.
    listing = ListAll({0, -2, 7, 3, 2, 1}, 21);
    ASSERT_TRUE(listing.exact);
    EXPECT_EQ(listing.solutions[0], MakePile({7, 3, M}));
    for (const Pile& pile : listing.solutions)
        EXPECT_EQ(CheckSolution(pile, {7, 3, 2, 1, 1000, 1000}), 21);
}

TEST(NumbersSolverSolutions, NoExactSolutionEndsWithTheNearest) {
    // 1 1 2 2 3 3 cannot reach 999: the best is 3 x 3 x 2 x 2 x (1 + 1) = 72... or
    // whatever the search finds; its distance must match the reference.
    const Numbers numbers{1, 1, 2, 2, 3, 3};
    Listing listing = ListAll(numbers, 999);
    EXPECT_TRUE(listing.texts.empty());
    EXPECT_FALSE(listing.exact);
    const Reference ref = BruteForce(numbers, 999);
    EXPECT_EQ(listing.bestDistance, ref.nearest);
    const int value = NumbersSolver::PileValue(listing.best);
    EXPECT_EQ(std::abs(999 - value), ref.nearest);
    std::string expected = " 999 à " + std::to_string(ref.nearest) + " près seulement...\r\n";
    NumbersSolver::PrintPile(listing.best, expected);
    EXPECT_EQ(listing.closing, expected);

    // A player as near as the search: " Pas mieux."
    listing = ListAll(numbers, 999, value);
    EXPECT_EQ(listing.closing.rfind(" Pas mieux.\r\n", 0), 0u);
    // A player nearer than the search (impossible in play): only the calculation.
    listing = ListAll(numbers, 999, 999 + ref.nearest - 1);
    std::string lines;
    NumbersSolver::PrintPile(listing.best, lines);
    EXPECT_EQ(listing.closing, lines);
}

TEST(NumbersSolverSolutions, NearestTextIsBuiltForTheAnswerGivenAfterTheSearch) {
    // The search ends long before the player answers: its own closing text
    // knows no answer, and the text for the answer is made afterwards.
    const Numbers numbers{2, 2, 2, 2, 2, 2};
    NumbersSolver solver;
    solver.SetDraw(numbers, 101);
    solver.ClearPiles();
    SearchChannel channel;
    channel.Start([&](SearchChannel& c) { solver.SolutionsSearch(c); });
    ASSERT_TRUE(channel.WaitBatch());
    ASSERT_TRUE(channel.Complete());
    EXPECT_EQ(channel.TakeText().rfind(" 101 à 37 près seulement...\r\n", 0), 0u);
    channel.Join();
    ASSERT_FALSE(solver.ExactFound());
    std::string lines;
    NumbersSolver::PrintPile(solver.BestExpression(), lines);
    EXPECT_EQ(NumbersSolver::PileValue(solver.BestExpression()), 64);
    EXPECT_EQ(solver.NearestText(64), " Pas mieux.\r\n" + lines);
    EXPECT_EQ(solver.NearestText(32), " 101 à 37 près seulement...\r\n" + lines);
    EXPECT_EQ(solver.NearestText(0), " 101 à 37 près seulement...\r\n" + lines);
}

TEST(NumbersSolverSolutions, SixHundredsNeverListALineBeyond32Bits) {
    // 100^5 does not fit in 32 bits: no listed or nearest calculation may
    // hold such a line, which would show wrapped or negative.
    const Numbers numbers{100, 100, 100, 100, 100, 100};
    for (const int target : {10000, 20000, 30000, 32767, 999}) {
        const Listing listing = ListAll(numbers, target);
        for (const Pile& pile : listing.solutions)
            EXPECT_EQ(CheckSolution(pile, numbers), target);
        if (!listing.exact) {
            const int value = CheckSolution(listing.best, numbers);
            EXPECT_GT(value, 0) << target;
            EXPECT_EQ(std::abs(target - value), listing.bestDistance);
            EXPECT_EQ(listing.bestDistance, BruteForce(numbers, target).nearest);
        }
        // A subtraction prints " - "; a wrapped value would print "-123".
        const auto showsNegative = [](const std::string& text) {
            for (std::size_t i = 0; i + 1 < text.size(); ++i)
                if (text[i] == '-' && text[i + 1] >= '0' && text[i + 1] <= '9')
                    return true;
            return false;
        };
        for (const std::string& text : listing.texts)
            EXPECT_FALSE(showsNegative(text)) << text;
        EXPECT_FALSE(showsNegative(listing.closing)) << listing.closing;
    }
}

TEST(NumbersSolverSolutions, NumbersFarAboveASmallTargetStillGiveTheNearest) {
    // Nothing these numbers make comes nearer to 1 than 1 itself would: the
    // nearest (4) must still be reported, with its calculation.
    const Numbers numbers{568, 791, 933, 910, 891, 532};
    const Listing listing = ListAll(numbers, 1);
    EXPECT_FALSE(listing.exact);
    EXPECT_EQ(BruteForce(numbers, 1).nearest, 3);
    EXPECT_EQ(listing.bestDistance, 3);
    EXPECT_EQ(NumbersSolver::PileValue(listing.best), 4);
    std::string lines;
    NumbersSolver::PrintPile(listing.best, lines);
    EXPECT_EQ(listing.closing, lines) << "no answer is 1 away from 1, nearer than the calculation";
}

TEST(NumbersSolverSolutions, CalculationsWhoseOnlyOrderLooksUnusualAreFound) {
    struct Case {
        Numbers numbers;
        int target;
        unsigned simplestOps;
    };
    // 28 x (46 + 39 - 72): 46 - 72 is negative, so (46 + 39) - 72 is the only order.
    // 75 x 6 / 10 x 6: 75 / 10 is a fraction, so (75 x 6) / 10 is the only order.
    // ((78 + 52 - 96) x 26 - 45) + 42: nothing shorter, and 78 - 96 is negative.
    // (100 + 5) x 9 - 75 / 25 / 3: 75 / 25 gives the 3 still to be used.
    const Case cases[] = {{{46, 39, 8, 28, 72, 66}, 364, 3},
                          {{75, 6, 100, 10, 6, 1}, 270, 3},
                          {{96, 42, 26, 45, 52, 78}, 881, 5},
                          {{100, 9, 5, 3, 75, 25}, 944, 5}};
    for (const Case& c : cases) {
        const Listing listing = ListAll(c.numbers, c.target);
        ASSERT_TRUE(listing.exact) << c.target;
        EXPECT_EQ(listing.simplestOps, c.simplestOps) << c.target;
        EXPECT_EQ(CheckSolution(listing.solutions[0], c.numbers), c.target);
    }
}

TEST(NumbersSolverSolutions, AgreesWithABruteForceOnSeededDraws) {
    Random15::Seed(20240611);
    int solvable = 0;
    for (int round = 0; round < 150; ++round) {
        const bool tiles = round % 3 != 2;
        Numbers numbers{};
        if (tiles)
            numbers = TileDraw();
        else
            for (int& n : numbers)
                n = Random15::Below(100) + 1;
        const int target = 101 + Random15::Below(899);
        SCOPED_TRACE(::testing::Message() << "draw " << numbers[0] << ' ' << numbers[1] << ' ' << numbers[2] << ' '
                                          << numbers[3] << ' ' << numbers[4] << ' ' << numbers[5] << " -> " << target);
        const Reference ref = BruteForce(numbers, target);
        const Listing listing = ListAll(numbers, target);
        ASSERT_EQ(listing.exact, ref.exact);
        if (!ref.exact) {
            EXPECT_EQ(listing.bestDistance, ref.nearest);
            EXPECT_EQ(std::abs(NumbersSolver::PileValue(listing.best) - target), ref.nearest);
            continue;
        }
        ++solvable;
        ASSERT_FALSE(listing.solutions.empty());
        EXPECT_EQ(static_cast<int>(listing.simplestOps), ref.fewestOps);
        EXPECT_EQ((listing.solutions[0].Count() - 1) / 2, ref.fewestOps);
        int previousOps = 0;
        std::set<std::string> texts(listing.texts.begin(), listing.texts.end());
        EXPECT_EQ(texts.size(), listing.texts.size()) << "a calculation printed twice";
        for (std::size_t i = 0; i < listing.solutions.size(); ++i) {
            const Pile& pile = listing.solutions[i];
            EXPECT_EQ(CheckSolution(pile, numbers), target);
            const int ops = (pile.Count() - 1) / 2;
            EXPECT_GE(ops, previousOps);
            previousOps = ops;
            std::string printed;
            if (pile.Count() == 1)
                printed = " Il fallait le faire !\r\n";
            NumbersSolver::PrintPile(pile, printed);
            EXPECT_EQ(listing.texts[i], printed);
        }
    }
    EXPECT_GT(solvable, 100);
}

// ---- the computer's search ----

TEST(NumbersSolverComputer, TopLevelIsExactWheneverTheDrawIsSolvable) {
    Random15::Seed(77);
    for (int round = 0; round < 60; ++round) {
        const Numbers numbers = TileDraw();
        const int target = 101 + Random15::Below(899);
        SCOPED_TRACE(::testing::Message() << "target " << target);
        const Reference ref = BruteForce(numbers, target);
        const ComputerAnswer answer = ComputerPlays(numbers, target, 6);
        ASSERT_EQ(answer.exact, ref.exact);
        if (answer.exact) {
            EXPECT_EQ(answer.result, target);
            EXPECT_EQ(CheckSolution(answer.expression, numbers), target);
            EXPECT_EQ(static_cast<int>(answer.ops), (answer.expression.Count() - 1) / 2);
            std::string expected = " Le compte est bon:\r\n";
            NumbersSolver::PrintPile(answer.expression, expected);
            EXPECT_EQ(answer.text, expected);
        } else {
            EXPECT_EQ(answer.distance, ref.nearest);
            EXPECT_EQ(std::abs(answer.result - target), ref.nearest);
            EXPECT_EQ(NumbersSolver::PileValue(answer.expression), answer.result);
            EXPECT_EQ(answer.text, "");
        }
    }
}

TEST(NumbersSolverComputer, ADrawnNumberOnTargetIsTheComputersAnswer) {
    const ComputerAnswer answer = ComputerPlays({100, 75, 3, 2, 1, 8}, 100, 1);
    EXPECT_TRUE(answer.exact);
    EXPECT_EQ(answer.result, 100);
    EXPECT_EQ(answer.ops, 0u);
    EXPECT_EQ(answer.text, " Il fallait le faire !\r\n   100 = 100\r\n");
}

TEST(NumbersSolverComputer, LowerLevelsTryFewerOperations) {
    // "débutant" tries one operation in six, "amateur" four in six; the
    // beginner misses draws that the top level solves, and its nearest
    // answer is still a valid calculation of its own result.
    Random15::Seed(4242);
    long drawn[7] = {}, passed[7] = {};
    int exactLow = 0, exactTop = 0;
    for (int round = 0; round < 40; ++round) {
        const Numbers numbers = TileDraw();
        const int target = 101 + Random15::Below(899);
        for (int level : {1, 4}) {
            NumbersSolver solver;
            solver.SetDraw(numbers, target);
            solver.SetLevel(level);
            SearchChannel channel;
            channel.Start([&](SearchChannel& c) { solver.ComputerSearch(c); });
            ASSERT_TRUE(channel.WaitComputer());
            channel.Join();
            drawn[level] += solver.LevelDraws();
            passed[level] += solver.LevelPassed();
            if (level == 1) {
                exactLow += solver.ComputerExact();
                EXPECT_EQ(NumbersSolver::PileValue(solver.ComputerExpression()), solver.ComputerResult());
            }
        }
        const ComputerAnswer top = ComputerPlays(numbers, target, 6);
        exactTop += top.exact;
    }
    ASSERT_GT(drawn[1], 5000);
    EXPECT_NEAR(static_cast<double>(passed[1]) / static_cast<double>(drawn[1]), 1.0 / 6, 0.02);
    EXPECT_NEAR(static_cast<double>(passed[4]) / static_cast<double>(drawn[4]), 4.0 / 6, 0.02);
    EXPECT_LT(exactLow, exactTop);
}

// ---- line breaks ----

// True when every line feed of `text` follows a carriage return.
bool OnlyCrLf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    return true;
}

TEST(NumbersSolverText, EveryLineEndsWithCrLfAsTheLettersTextsDo) {
    // Exact with a one-number solution, exact, and nothing exact (nearest, then
    // "Pas mieux." when the player came as near).
    const std::pair<Numbers, int> draws[] = {
        {{100, 75, 50, 25, 10, 1}, 75}, {{100, 6, 3, 75, 2, 8}, 318}, {{1, 1, 2, 2, 3, 3}, 999}};
    for (const auto& [numbers, target] : draws) {
        for (const int player : {0, 162}) {
            const Listing listing = ListAll(numbers, target, player);
            for (const std::string& text : listing.texts)
                EXPECT_TRUE(OnlyCrLf(text)) << text;
            EXPECT_TRUE(OnlyCrLf(listing.closing)) << listing.closing;
            EXPECT_FALSE(listing.closing.empty());
        }
        for (const int level : {1, 6}) {
            const ComputerAnswer answer = ComputerPlays(numbers, target, level);
            EXPECT_TRUE(OnlyCrLf(answer.text)) << answer.text;
        }
    }
}

// ---- stopping ----

TEST(NumbersSolverStop, AStopWhileASolutionWaitsEndsTheSearchWithoutClosingText) {
    NumbersSolver solver;
    solver.SetDraw({100, 75, 50, 25, 10, 1}, 125);
    SearchChannel channel;
    channel.Start([&](SearchChannel& c) { solver.SolutionsSearch(c); });
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), "  100 + 25 = 125\r\n");
    channel.Continue();
    ASSERT_TRUE(channel.WaitBatch());
    channel.Stop(); // while the second solution waits to be shown
    std::string after;
    while (channel.WaitBatch())
        after += channel.TakeText();
    channel.Join();
    EXPECT_EQ(after, "");
    EXPECT_TRUE(channel.Stopped());
}

TEST(NumbersSolverStop, AStopBeforeTheFirstSolutionLeavesNothingToShow) {
    NumbersSolver solver;
    solver.SetDraw({1, 1, 2, 2, 3, 3}, 999); // nothing exact: the search runs to its end
    SearchChannel channel;
    // The search waits for the stop to be asked: a quick search could
    // otherwise end, closing text and all, before the stop comes.
    AutoResetEvent stopAsked;
    channel.Start([&](SearchChannel& c) {
        stopAsked.Wait();
        solver.SolutionsSearch(c);
    });
    channel.Stop();
    stopAsked.Set();
    std::string shown;
    while (channel.WaitBatch())
        shown += channel.TakeText();
    channel.Join();
    EXPECT_EQ(shown, "");
    EXPECT_TRUE(channel.Complete());
}

// A stop is looked at in every state of either search, not only at hand-overs:
// asked before the search begins, it ends it at its first state, through
// FinishStopped (so the channel marks it complete) and with nothing handed over.
TEST(NumbersSolverStop, AStopAskedAtTheStartEndsEitherSearchAtItsFirstState) {
    // No calculation makes 858: unstopped, both searches go through everything.
    const Numbers numbers = {2, 5, 10, 25, 50, 100};
    for (const bool computer : {false, true}) {
        SCOPED_TRACE(computer ? "computer" : "solutions");
        NumbersSolver solver;
        solver.SetDraw(numbers, 858);
        const auto search = [&](SearchChannel& c) {
            if (computer)
                solver.ComputerSearch(c);
            else
                solver.SolutionsSearch(c);
        };
        SearchChannel channel;
        channel.Start(search);
        channel.Join();
        const long full = solver.StatesVisited();
        ASSERT_GT(full, 1000);

        AutoResetEvent stopAsked;
        channel.Start([&](SearchChannel& c) {
            stopAsked.Wait();
            search(c);
        });
        channel.Stop();
        stopAsked.Set();
        if (computer) {
            EXPECT_FALSE(channel.WaitComputer()) << "a search cut short has no answer";
        }
        std::string shown;
        while (channel.WaitBatch())
            shown += channel.TakeText();
        channel.Join();
        EXPECT_EQ(shown + channel.TakeText(), "");
        EXPECT_TRUE(channel.Complete()) << "ended through FinishStopped";
        EXPECT_LE(solver.StatesVisited(), 1) << "of " << full;
        EXPECT_FALSE(solver.ComputerExact());
    }
}

} // namespace
} // namespace lexinum
