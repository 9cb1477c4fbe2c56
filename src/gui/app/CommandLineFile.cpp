#include "app/CommandLineFile.h"

namespace lexinum {

std::string CommandLineFile(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return {};
    std::string file = arguments.back();
    if (!file.empty() && file.front() == '"')
        file.erase(0, 1);
    if (!file.empty() && file.back() == '"')
        file.pop_back();
    return file;
}

} // namespace lexinum
