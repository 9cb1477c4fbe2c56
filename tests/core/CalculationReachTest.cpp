#include "numbers/CalculationReach.h"
#include "common/Random15.h"
#include "numbers/NumberRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <vector>

namespace lexinum {
namespace {

using Window = CalculationReach::Window;

// Every value a calculation can end on from `stack` (top last) with all of
// `numbers` still to place, in reverse Polish form: an operation needs the
// top no greater than the value below it and keeps +, a nonzero -, a product
// within 32 bits and an exact quotient (x 1 and / 1 included, as the checks
// allow them).
void Finish(std::vector<int>& stack, std::vector<int>& numbers, std::set<long long>& ends) {
    if (stack.size() == 1 && numbers.empty())
        ends.insert(stack[0]);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int n = numbers[i];
        numbers.erase(numbers.begin() + static_cast<long>(i));
        stack.push_back(n);
        Finish(stack, numbers, ends);
        stack.pop_back();
        numbers.insert(numbers.begin() + static_cast<long>(i), n);
    }
    if (stack.size() < 2)
        return;
    const int b = stack.back();
    const int a = stack[stack.size() - 2];
    if (b > a)
        return;
    int made[4];
    CalculationReach::Apply(a, b, made);
    for (int r : made) {
        if (r == 0)
            continue;
        stack.pop_back();
        stack.back() = r;
        Finish(stack, numbers, ends);
        stack.back() = a;
        stack.push_back(b);
    }
}

bool Check(const std::vector<int>& stack, const std::vector<int>& numbers, const Window& w) {
    const std::size_t k = stack.size();
    const std::size_t n = numbers.size();
    if (k == 1 && n == 1)
        return CalculationReach::Stack1Numbers1(stack[0], numbers[0], w);
    if (k == 1 && n == 2)
        return CalculationReach::Stack1Numbers2(stack[0], numbers[0], numbers[1], w);
    if (k == 1 && n == 3)
        return CalculationReach::Stack1Numbers3(stack[0], {numbers[0], numbers[1], numbers[2]}, w);
    if (k == 2 && n == 1)
        return CalculationReach::Stack2Numbers1(stack[0], stack[1], numbers[0], w);
    if (k == 2 && n == 2)
        return CalculationReach::Stack2Numbers2(stack[0], stack[1], numbers[0], numbers[1], w);
    if (k == 3 && n == 1)
        return CalculationReach::Stack3Numbers1(stack[0], stack[1], stack[2], numbers[0], w);
    if (k == 3 && n == 2)
        return CalculationReach::Stack3Numbers2(stack[0], stack[1], stack[2], numbers[0], numbers[1], w);
    return CalculationReach::Stack4Numbers1(stack[0], stack[1], stack[2], stack[3], numbers[0], w);
}

int SomeValue() {
    // Mostly tile values, sometimes a value built on the way.
    const int pick = Random15::Below(10);
    if (pick < 6)
        return NumberRules::kTileValues[static_cast<std::size_t>(Random15::Below(NumberRules::kTileKinds))];
    if (pick < 9)
        return 1 + Random15::Below(400);
    return 1 + Random15::Below(20000);
}

TEST(CalculationReach, ApplyGivesTheFourOperationsOrZero) {
    int made[4];
    CalculationReach::Apply(12, 4, made);
    EXPECT_EQ(std::vector<int>(made, made + 4), (std::vector<int>{16, 8, 48, 3}));
    CalculationReach::Apply(7, 7, made); // difference 0
    EXPECT_EQ(std::vector<int>(made, made + 4), (std::vector<int>{14, 0, 49, 1}));
    CalculationReach::Apply(10, 3, made); // a fraction
    EXPECT_EQ(made[3], 0);
    CalculationReach::Apply(INT_MAX, 2, made); // beyond 32 bits
    EXPECT_EQ(made[0], 0);
    EXPECT_EQ(made[2], 0);
}

// Each check says yes exactly when some calculation from its stack and
// numbers ends in the window: never a "no" that would lose a solution, and
// a "no" whenever nothing can end there.
TEST(CalculationReach, EveryShapeAgreesWithAnEnumeration) {
    struct Shape {
        std::size_t stack;
        std::size_t numbers;
    };
    const Shape shapes[] = {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {3, 1}, {3, 2}, {4, 1}};
    Random15::Seed(31337);
    for (const Shape& shape : shapes) {
        int yes = 0, no = 0;
        for (int round = 0; round < 1000; ++round) {
            std::vector<int> stack, numbers;
            for (std::size_t i = 0; i < shape.stack; ++i)
                stack.push_back(SomeValue());
            for (std::size_t i = 0; i < shape.numbers; ++i)
                numbers.push_back(SomeValue());
            std::set<long long> ends;
            std::vector<int> s = stack, n = numbers;
            Finish(s, n, ends);
            // Windows on reached values, beside them, and at random.
            std::vector<Window> windows;
            if (!ends.empty()) {
                const long long v = *std::next(ends.begin(), Random15::Below(static_cast<int>(ends.size())));
                windows.push_back({v, v});
                windows.push_back({v + 1, v + 1});
                windows.push_back({std::max(1LL, v - 3), v + 2});
            }
            const long long t = 1 + Random15::Below(999);
            windows.push_back({t, t});
            windows.push_back({std::max(1LL, t - 5), t + 5});
            for (const Window& w : windows) {
                const auto in = ends.lower_bound(w.lo);
                const bool expected = in != ends.end() && *in <= w.hi;
                ASSERT_EQ(Check(stack, numbers, w), expected)
                    << "stack " << stack.size() << " numbers " << numbers.size() << " window " << w.lo << ".." << w.hi
                    << " first values " << stack[0] << ", " << numbers[0];
                (expected ? yes : no)++;
            }
        }
        // Both answers really occur for every shape.
        EXPECT_GT(yes, 300) << shape.stack << "/" << shape.numbers;
        EXPECT_GT(no, 300) << shape.stack << "/" << shape.numbers;
    }
}

} // namespace
} // namespace lexinum
