#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

namespace lexinum {

// The fixed rules of "Le compte est bon": the number tiles, the four
// operation codes with the characters they are printed and typed as, and the
// value of an operation. Everything else in the numbers game builds on these.
class NumberRules {
public:
    // Kinds of number tile and tiles in all (1 to 10 twice, 25, 50, 75, 100).
    static constexpr int kTileKinds = 14;
    static constexpr int kTileCount = 24;
    // Value, count and text of each tile kind, in kind order.
    static constexpr std::array<int, kTileKinds> kTileValues = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 25, 50, 75, 100};
    static constexpr std::array<int, kTileKinds> kTileCounts = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1};
    static constexpr std::array<std::string_view, kTileKinds> kTileTexts = {"1", "2", "3",  "4",  "5",  "6",  "7",
                                                                            "8", "9", "10", "25", "50", "75", "100"};

    // The line break of every text the numbers game writes for the player
    // (results box, calculation box): CR LF, as the letters texts end theirs.
    static constexpr const char* kLineBreak = "\r\n";

    // Operation codes. Every number of the game is positive, so a negative
    // token in a calculation is always an operation.
    static constexpr int kAdd = -4;
    static constexpr int kSubtract = -3;
    static constexpr int kMultiply = -2;
    static constexpr int kDivide = -1;

    // True for the four operation codes.
    static constexpr bool IsOperation(int token) { return token >= kAdd && token <= kDivide; }
    // True for + and -, the additive family (x and / are the multiplicative one).
    static constexpr bool IsAdditive(int operation) { return operation == kAdd || operation == kSubtract; }

    // The character an operation is printed with in the results: '+', '-', '*', '/'
    // ('?' for a code that is not an operation).
    static char PrintedChar(int operation);
    // The character an operation is typed with and shown on its button:
    // '+', '-', 'x', '/' ('?' for a code that is not an operation).
    static char TypedChar(int operation);
    // The operation typed as `c` ('+', '-', 'x' or 'X', '/'), or 0 if none.
    static int OperationOfTyped(char c);

    // The value of a op b: a + b; a - b; a x b, except that multiplying by 1
    // gives 0; a / b when b is not 1 and divides a exactly, otherwise 0. The
    // value 0 marks an operation that is not allowed. A result that would not
    // fit in 32 bits is not allowed either (0), nor is a division by 0 or an
    // unknown operation code. A subtraction whose second operand is larger
    // gives its negative difference: the callers refuse it themselves.
    static constexpr int Value(int a, int operation, int b) {
        std::int64_t r = 0;
        switch (operation) {
        case kAdd:
            r = std::int64_t{a} + b;
            break;
        case kSubtract:
            r = std::int64_t{a} - b;
            break;
        case kMultiply:
            if (b == 1)
                return 0;
            r = std::int64_t{a} * b;
            break;
        case kDivide:
            if (b == 0 || b == 1 || std::int64_t{a} % b != 0)
                return 0;
            r = std::int64_t{a} / b;
            break;
        default:
            return 0;
        }
        // Six numbers up to 100 multiply past 32 bits (100^5); such a result
        // cannot be carried on and is refused like any other bad operation.
        if (r > std::numeric_limits<int>::max() || r < std::numeric_limits<int>::min())
            return 0;
        return static_cast<int>(r);
    }

    // The tile kind of a value, or -1 when no tile carries it.
    static int TileKindOfValue(int value);
    // True when `text` is exactly one of the 14 tile texts.
    static bool IsTileText(std::string_view text);
};

} // namespace lexinum
