// The numbers game subcommands of lexinum-cli.
#include "CliCommands.h"

namespace lexinum::cli {

std::vector<Command> NumbersCommands() {
    return {};
}

} // namespace lexinum::cli
