#pragma once

#include <array>
#include <limits>

namespace lexinum {

// Whether what is left of a calculation can still end on a value of a window
// (the target alone, or every value nearer to it than the nearest found so
// far). The numbers search asks it before going down a branch and gives the
// branch up when the answer is no.
//
// Every check follows the shapes that reverse Polish form allows from the
// given stack, with the search's own rule that an operation puts the smaller
// value on top (b <= a). Otherwise they allow more than the game does (x 1,
// / 1 and results equal to an operand are not refused), so a "no" is always
// safe: no calculation the search would list is lost.
//
// Values are positive; an impossible value is written 0 and never reaches a
// window, whose values are all at least 1.
class CalculationReach {
public:
    static constexpr int kMaxValue = std::numeric_limits<int>::max();

    // The values lo..hi (lo >= 1).
    struct Window {
        long long lo;
        long long hi;
        bool Holds(long long v) const { return v >= lo && v <= hi; }
    };

    // The four values of x op s for 1 <= s <= x (+, -, x, /), 0 where an
    // operation gives nothing (a difference of 0, a fraction, or a result
    // beyond 32 bits).
    static void Apply(int x, int s, int* out) {
        out[0] = x <= kMaxValue - s ? x + s : 0;
        out[1] = x - s;
        const long long product = static_cast<long long>(x) * s;
        out[2] = product <= kMaxValue ? static_cast<int>(product) : 0;
        const int quotient = x / s;
        out[3] = quotient * s == x ? quotient : 0;
    }

    // [x] on the stack, s to place: x s op.
    static bool Stack1Numbers1(long long x, long long s, const Window& w) {
        if (s > x || s <= 0)
            return false;
        if (w.lo == w.hi) {
            // One value t: x / s = t is x = t s, no division needed.
            const long long t = w.lo;
            return (x + s == t) | (x - s == t) | (x * s == t) | (x == t * s);
        }
        // Evaluated together rather than one by one: fewer branches to guess.
        const bool simple = w.Holds(x + s) | w.Holds(x - s) | w.Holds(x * s);
        // x / s in the window: the bounds by multiplying, and divide only when they hold.
        return simple || ((x >= w.lo * s) & (x <= w.hi * s) && x % s == 0);
    }
    // [x] on the stack, s and t to place, in either order.
    static bool Stack1Numbers2(int x, int s, int t, const Window& w);
    // [x] on the stack, the three numbers of `n` to place, in any order.
    static bool Stack1Numbers3(int x, const std::array<int, 3>& n, const Window& w);
    // [x1, x2] on the stack (x2 on top), m to place.
    static bool Stack2Numbers1(int x1, int x2, int m, const Window& w);
    // [x1, x2] on the stack, s and t to place, in either order.
    static bool Stack2Numbers2(int x1, int x2, int s, int t, const Window& w);
    // [x1, x2, x3] on the stack, m to place.
    static bool Stack3Numbers1(int x1, int x2, int x3, int m, const Window& w);
    // [x1, x2, x3] on the stack, s and t to place, in either order.
    static bool Stack3Numbers2(int x1, int x2, int x3, int s, int t, const Window& w);
    // [x1, x2, x3, x4] on the stack, m to place.
    static bool Stack4Numbers1(int x1, int x2, int x3, int x4, int m, const Window& w);
};

} // namespace lexinum
