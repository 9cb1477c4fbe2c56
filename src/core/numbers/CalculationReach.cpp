#include "CalculationReach.h"

#include <climits>

namespace lexinum {

bool CalculationReach::Stack1Numbers1(long long x, long long s, const Window& w) {
    if (s > x || s <= 0)
        return false;
    if (w.lo == w.hi) {
        // One value: x / s = t is x = t s, no division needed.
        const long long t = w.lo;
        return (x + s == t) | (x - s == t) | (x * s == t) | (x == t * s);
    }
    // Evaluated together rather than one by one: fewer branches to guess.
    const bool simple = w.Holds(x + s) | w.Holds(x - s) | w.Holds(x * s);
    // x / s in the window: the bounds by multiplying, and divide only when they hold.
    return simple || ((x >= w.lo * s) & (x <= w.hi * s) && x % s == 0);
}

void CalculationReach::Apply(int x, int s, int* out) {
    out[0] = x <= INT_MAX - s ? x + s : 0;
    out[1] = x - s;
    const long long product = static_cast<long long>(x) * s;
    out[2] = product <= INT_MAX ? static_cast<int>(product) : 0;
    const int quotient = x / s;
    out[3] = quotient * s == x ? quotient : 0;
}

// [x1, x2] on the stack and one number m to place: x1 x2 op m op, or
// x1 x2 m op op.
bool CalculationReach::Stack2Numbers1(int x1, int x2, int m, const Window& w) {
    if (x2 <= 0)
        return false;
    int made[4];
    if (x2 <= x1) {
        Apply(x1, x2, made);
        for (int i = 0; i < 4; ++i)
            if (Stack1Numbers1(made[i], m, w))
                return true;
    }
    if (m <= x2) {
        Apply(x2, m, made);
        for (int i = 0; i < 4; ++i)
            if (Stack1Numbers1(x1, made[i], w))
                return true;
    }
    return false;
}

// [x] alone on the stack and the numbers s and t to place, in either order.
bool CalculationReach::Stack1Numbers2(int x, int s, int t, const Window& w) {
    if (x <= 0)
        return false;
    int made[4];
    // x s op t op, x t op s op
    for (int k = 0; k < 2; ++k) {
        const int first = k == 0 ? s : t;
        const int second = k == 0 ? t : s;
        if (first <= x) {
            Apply(x, first, made);
            for (int i = 0; i < 4; ++i)
                if (Stack1Numbers1(made[i], second, w))
                    return true;
        }
    }
    // x s t op op with t <= s (or x t s op op with s <= t)
    Apply(s > t ? s : t, s > t ? t : s, made);
    for (int i = 0; i < 4; ++i)
        if (Stack1Numbers1(x, made[i], w))
            return true;
    return false;
}

// [x1, x2, x3] on the stack and one number m to place: x2 x3 op first, or m
// on top and then only operations.
bool CalculationReach::Stack3Numbers1(int x1, int x2, int x3, int m, const Window& w) {
    int made[4];
    int more[4];
    if (x3 <= x2) {
        Apply(x2, x3, made);
        for (int i = 0; i < 4; ++i)
            if (Stack2Numbers1(x1, made[i], m, w))
                return true;
    }
    if (m <= x3) {
        Apply(x3, m, made);
        for (int i = 0; i < 4; ++i) {
            if (made[i] == 0 || made[i] > x2)
                continue;
            Apply(x2, made[i], more);
            for (int j = 0; j < 4; ++j)
                if (Stack1Numbers1(x1, more[j], w))
                    return true;
        }
    }
    return false;
}

// [x1, x2] on the stack and the numbers s and t to place, in either order.
bool CalculationReach::Stack2Numbers2(int x1, int x2, int s, int t, const Window& w) {
    int made[4];
    int more[4];
    // x1 x2 op, then s and t.
    if (x2 <= x1) {
        Apply(x1, x2, made);
        for (int k = 0; k < 4; ++k)
            if (Stack1Numbers2(made[k], s, t, w))
                return true;
    }
    for (int k = 0; k < 2; ++k) {
        const int first = k == 0 ? s : t;
        const int second = k == 0 ? t : s;
        // x1 x2 first op, then the second number.
        if (first <= x2) {
            Apply(x2, first, made);
            for (int i = 0; i < 4; ++i)
                if (Stack2Numbers1(x1, made[i], second, w))
                    return true;
        }
    }
    // x1 x2 s t op op op (t <= s, or s and t the other way).
    Apply(s > t ? s : t, s > t ? t : s, made);
    for (int i = 0; i < 4; ++i) {
        if (made[i] == 0 || made[i] > x2)
            continue;
        Apply(x2, made[i], more);
        for (int j = 0; j < 4; ++j)
            if (Stack1Numbers1(x1, more[j], w))
                return true;
    }
    return false;
}

// [x] alone on the stack and the three numbers of `n` to place, in any order:
// one of them first on x, then two more; two of them first, then x with their
// value and the third; or all three before x.
bool CalculationReach::Stack1Numbers3(int x, const std::array<int, 3>& n, const Window& w) {
    int made[4];
    int more[4];
    for (int i = 0; i < 3; ++i) {
        const int a = n[static_cast<std::size_t>(i)];
        const int b = n[static_cast<std::size_t>((i + 1) % 3)];
        const int c = n[static_cast<std::size_t>((i + 2) % 3)];
        // x a op, then b and c.
        if (a <= x) {
            Apply(x, a, made);
            for (int k = 0; k < 4; ++k)
                if (Stack1Numbers2(made[k], b, c, w))
                    return true;
        }
        // b c op (or c b op) first, then with x and a.
        Apply(b > c ? b : c, b > c ? c : b, made);
        for (int k = 0; k < 4; ++k) {
            if (Stack2Numbers1(x, made[k], a, w))
                return true;
            // a (b c op) op, then x with it.
            if (made[k] != 0 && made[k] <= a) {
                Apply(a, made[k], more);
                for (int j = 0; j < 4; ++j)
                    if (Stack1Numbers1(x, more[j], w))
                        return true;
            }
        }
    }
    return false;
}

} // namespace lexinum
