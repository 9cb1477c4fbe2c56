#include "NumberRules.h"

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
