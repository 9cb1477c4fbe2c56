#include "NumberRules.h"

#include <cstdint>
#include <limits>

namespace lexinum {

char NumberRules::PrintedChar(int operation) {
    switch (operation) {
    case kAdd:
        return '+';
    case kSubtract:
        return '-';
    case kMultiply:
        return '*';
    case kDivide:
        return '/';
    default:
        return '?';
    }
}

char NumberRules::TypedChar(int operation) {
    return operation == kMultiply ? 'x' : PrintedChar(operation);
}

int NumberRules::OperationOfTyped(char c) {
    switch (c) {
    case '+':
        return kAdd;
    case '-':
        return kSubtract;
    case 'x':
    case 'X':
        return kMultiply;
    case '/':
        return kDivide;
    default:
        return 0;
    }
}

int NumberRules::Value(int a, int operation, int b) {
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

int NumberRules::TileKindOfValue(int value) {
    for (int kind = 0; kind < kTileKinds; ++kind)
        if (kTileValues[static_cast<std::size_t>(kind)] == value)
            return kind;
    return -1;
}

bool NumberRules::IsTileText(std::string_view text) {
    for (const auto& tile : kTileTexts)
        if (tile == text)
            return true;
    return false;
}

} // namespace lexinum
