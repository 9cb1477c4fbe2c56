#pragma once

#include <string>
#include <vector>

namespace lexinum {

// The options that ask how the frame is first shown.
inline constexpr const char* kStartMinimizedOption = "--minimized";
inline constexpr const char* kStartMaximizedOption = "--maximized";
// The option that makes the game follow a screen reader even when the
// platform does not say one is running.
inline constexpr const char* kScreenReaderOption = "--lecteur-ecran";

// The saved game named on the command line: the last argument that is not one
// of the options above, with one leading and one trailing double quote
// removed; empty when there is none. `arguments` are the words after the
// program's name. The path is taken as given, whatever its length.
std::string CommandLineFile(const std::vector<std::string>& arguments);

// How the command line asks the frame to be first shown: 1 minimized, 2
// maximized, 0 normal (the last such option wins).
int CommandLineShowRequest(const std::vector<std::string>& arguments);

// True when the command line asks the game to follow a screen reader.
bool CommandLineAsksScreenReader(const std::vector<std::string>& arguments);

} // namespace lexinum
