#include "CalculationReach.h"

#include <climits>

namespace lexinum {

// [x1, x2] on the stack and one number m to place: x1 x2 op m op, or
// x1 x2 m op op.
namespace {

constexpr long long kMax = CalculationReach::kMaxValue;

// Stack2Numbers1 for a window of the single value t, with products in place
// of divisions (a quotient is tried only once a product says it would fit).
bool Stack2Numbers1Exact(long long x1, long long x2, long long m, long long t) {
    if (x2 <= x1) {
        // r = x1 op x2, then r m op = t with m <= r.
        const auto then = [&](long long r) {
            return r >= m && ((r + m == t) | (r - m == t) | (r * m == t) | (r == t * m));
        };
        if ((x1 + x2 <= kMax && then(x1 + x2)) || (x1 > x2 && then(x1 - x2)) || (x1 * x2 <= kMax && then(x1 * x2)))
            return true;
        // r = x1 / x2, so r >= m is x1 >= m x2; r + m, r - m and r / m give t
        // when x1 is (t - m) x2, (t + m) x2 or t m x2; r m gives t when x1 m = t x2.
        if (x1 >= m * x2) {
            const long long tm = t * m;
            if (x1 == (t - m) * x2 || x1 == (t + m) * x2 || (tm <= kMax && x1 == tm * x2))
                return true;
            if (x1 * m == t * x2 && x1 % x2 == 0)
                return true;
        }
    }
    if (m <= x2) {
        // z = x2 op m, then x1 z op = t with z <= x1.
        const auto then = [&](long long z) {
            return z <= x1 && ((x1 + z == t) | (x1 - z == t) | (x1 * z == t) | (x1 == t * z));
        };
        if ((x2 + m <= kMax && then(x2 + m)) || (x2 > m && then(x2 - m)) || (x2 * m <= kMax && then(x2 * m)))
            return true;
        // z = x2 / m, so z <= x1 is x2 <= x1 m; x1 + z and x1 - z give t when
        // x2 is (t - x1) m or (x1 - t) m; x1 z and x1 / z when x1 x2 = t m or x1 m = t x2.
        if (x2 <= x1 * m) {
            if (x2 == (t - x1) * m || x2 == (x1 - t) * m)
                return true;
            if ((x1 * x2 == t * m || x1 * m == t * x2) && x2 % m == 0)
                return true;
        }
    }
    return false;
}

} // namespace

bool CalculationReach::Stack2Numbers1(int x1, int x2, int m, const Window& w) {
    if (x2 <= 0)
        return false;
    if (w.lo == w.hi)
        return Stack2Numbers1Exact(x1, x2, m, w.lo);
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

// [x] alone on the stack, s and t to place: s or t goes on x first.
bool CalculationReach::Stack1Numbers2(int x, int s, int t, const Window& w) {
    if (x <= 0)
        return false;
    return Stack2Numbers1(x, s, t, w) || (s != t && Stack2Numbers1(x, t, s, w));
}

// [x1, x2, x3] on the stack and one number m to place: x2 x3 op first, or m
// on top and then only operations.
bool CalculationReach::Stack3Numbers1(int x1, int x2, int x3, int m, const Window& w) {
    if (x3 <= 0)
        return false;
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

// [x1, x2, x3, x4] on the stack and one number m to place: x3 x4 op first,
// or m on top and then only operations.
bool CalculationReach::Stack4Numbers1(int x1, int x2, int x3, int x4, int m, const Window& w) {
    if (x4 <= 0)
        return false;
    int made[4];
    if (x4 <= x3) {
        Apply(x3, x4, made);
        for (int i = 0; i < 4; ++i)
            if (Stack3Numbers1(x1, x2, made[i], m, w))
                return true;
    }
    if (m > x4)
        return false;
    // x4 m op, then x3, x2 and x1 in turn.
    Apply(x4, m, made);
    for (int i = 0; i < 4; ++i) {
        if (made[i] == 0 || made[i] > x3)
            continue;
        int next[4];
        Apply(x3, made[i], next);
        for (int j = 0; j < 4; ++j) {
            if (next[j] == 0 || next[j] > x2)
                continue;
            int last[4];
            Apply(x2, next[j], last);
            for (int k = 0; k < 4; ++k)
                if (Stack1Numbers1(x1, last[k], w))
                    return true;
        }
    }
    return false;
}

// [x1, x2, x3] on the stack, s and t to place: x2 x3 op first, or s or t on top.
bool CalculationReach::Stack3Numbers2(int x1, int x2, int x3, int s, int t, const Window& w) {
    if (x3 <= 0)
        return false;
    if (x3 <= x2) {
        int made[4];
        Apply(x2, x3, made);
        for (int i = 0; i < 4; ++i)
            if (Stack2Numbers2(x1, made[i], s, t, w))
                return true;
    }
    return Stack4Numbers1(x1, x2, x3, s, t, w) || (s != t && Stack4Numbers1(x1, x2, x3, t, s, w));
}

// [x1, x2] on the stack, s and t to place: x1 x2 op first, or s or t on top.
bool CalculationReach::Stack2Numbers2(int x1, int x2, int s, int t, const Window& w) {
    if (x2 <= 0)
        return false;
    if (x2 <= x1) {
        int made[4];
        Apply(x1, x2, made);
        for (int i = 0; i < 4; ++i)
            if (Stack1Numbers2(made[i], s, t, w))
                return true;
    }
    return Stack3Numbers1(x1, x2, s, t, w) || (s != t && Stack3Numbers1(x1, x2, t, s, w));
}

// [x] alone on the stack, the three numbers of `n` to place: one of them
// goes on x first.
bool CalculationReach::Stack1Numbers3(int x, const std::array<int, 3>& n, const Window& w) {
    if (x <= 0)
        return false;
    for (int i = 0; i < 3; ++i) {
        const int first = n[static_cast<std::size_t>(i)];
        // Equal numbers make the same calculations whichever goes first.
        if ((i > 0 && first == n[0]) || (i > 1 && first == n[1]))
            continue;
        if (Stack2Numbers2(x, first, n[static_cast<std::size_t>((i + 1) % 3)], n[static_cast<std::size_t>((i + 2) % 3)],
                           w))
            return true;
    }
    return false;
}

} // namespace lexinum
