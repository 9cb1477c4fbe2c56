#include "app/CommandLineFile.h"

#include <algorithm>

namespace lexinum {

namespace {

bool IsOption(const std::string& argument) {
    return argument == kStartMinimizedOption || argument == kStartMaximizedOption || argument == kScreenReaderOption;
}

} // namespace

std::string CommandLineFile(const std::vector<std::string>& arguments) {
    for (auto word = arguments.rbegin(); word != arguments.rend(); ++word) {
        if (IsOption(*word))
            continue;
        std::string file = *word;
        if (!file.empty() && file.front() == '"')
            file.erase(0, 1);
        if (!file.empty() && file.back() == '"')
            file.pop_back();
        return file;
    }
    return {};
}

int CommandLineShowRequest(const std::vector<std::string>& arguments) {
    int request = 0;
    for (const std::string& word : arguments) {
        if (word == kStartMinimizedOption)
            request = 1;
        else if (word == kStartMaximizedOption)
            request = 2;
    }
    return request;
}

bool CommandLineAsksScreenReader(const std::vector<std::string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), kScreenReaderOption) != arguments.end();
}

} // namespace lexinum
