#pragma once

#include <string>
#include <vector>

namespace lexinum::test {

// What a run of lexinum-cli gave.
struct CliResult {
    int exitCode = -1; // -1 when it did not end normally
    std::string out;
    std::string err;
};

// Quotes a text for the shell.
std::string ShellQuote(const std::string& text);
// Runs the built lexinum-cli with arguments already written for the shell.
// Its output goes to `outputFile` when one is named (then `out` stays empty).
CliResult RunCli(const std::string& shellArguments, const std::string& outputFile = {});
// Runs the built lexinum-cli with each argument passed as it is.
CliResult RunCli(const std::vector<std::string>& arguments, const std::string& outputFile = {});
// True when the lexinum-cli program has been built.
bool CliBuilt();

} // namespace lexinum::test
