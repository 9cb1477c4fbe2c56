#pragma once

#include <string>
#include <vector>

namespace lexinum {

// The saved game named on the command line: the last argument, with one
// leading and one trailing double quote removed; empty when there is none.
// `arguments` are the words after the program's name. The path is taken as
// given, whatever its length.
std::string CommandLineFile(const std::vector<std::string>& arguments);

} // namespace lexinum
