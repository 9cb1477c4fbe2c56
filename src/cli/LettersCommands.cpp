// The letters game search subcommands of lexinum-cli.
#include "CliCommands.h"

namespace lexinum::cli {

std::vector<Command> LettersCommands() {
    return {};
}

} // namespace lexinum::cli
