#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace lexinum {

// True when `a` and `b` are the same text but for the case of their ASCII
// letters (radicals, section names).
inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace lexinum
