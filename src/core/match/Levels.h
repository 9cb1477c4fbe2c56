#pragma once

#include <string>

namespace lexinum {

// The six levels of the computer in a match, from 1 "débutant" to 6
// "imbattable"; 0 stands for no match (training).
inline constexpr int kNoLevel = 0;
inline constexpr int kLowestLevel = 1;
inline constexpr int kHighestLevel = 6;
inline constexpr int kLevelCount = kHighestLevel;

// True for a level from 1 to 6.
constexpr bool IsLevel(int level) {
    return level >= kLowestLevel && level <= kHighestLevel;
}

// The French name of `level` (1 to 6); empty for anything else.
const std::string& LevelName(int level);

} // namespace lexinum
