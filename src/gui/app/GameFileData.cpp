#include "app/GameFileData.h"

namespace lexinum {

std::string GameFileData::FileFolder() const {
    const auto last = fileName.find_last_of("/\\");
    if (last == std::string::npos)
        return {};
    // A file at the root keeps its root as folder.
    return last == 0 ? fileName.substr(0, 1) : fileName.substr(0, last);
}

} // namespace lexinum
