#include "CliRunner.h"

#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace lexinum::test {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

CliResult RunCli(const std::string& shellArguments, const std::string& outputFile) {
    TempFolder folder;
    const std::string output = outputFile.empty() ? (folder / "out").string() : outputFile;
    const std::string command = ShellQuote(LEXINUM_CLI_PATH) + " " + shellArguments + " >" + ShellQuote(output) +
                                " 2>" + ShellQuote((folder / "err").string());
    const int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = folder.Read("out");
    result.err = folder.Read("err");
    return result;
}

CliResult RunCli(const std::vector<std::string>& arguments, const std::string& outputFile) {
    std::string line;
    for (const auto& argument : arguments)
        line += (line.empty() ? "" : " ") + ShellQuote(argument);
    return RunCli(line, outputFile);
}

bool CliBuilt() {
    return std::filesystem::exists(LEXINUM_CLI_PATH);
}

} // namespace lexinum::test
