#include "match/Levels.h"

#include <array>

namespace lexinum {

const std::string& LevelName(int level) {
    static const std::array<std::string, kLevelCount> names{"débutant", "écolier", "dilettante",
                                                            "amateur",  "expert",  "imbattable"};
    static const std::string none;
    return IsLevel(level) ? names[static_cast<std::size_t>(level - kLowestLevel)] : none;
}

} // namespace lexinum
