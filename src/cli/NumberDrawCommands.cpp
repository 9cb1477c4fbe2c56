// The numbers draw subcommand of lexinum-cli.
#include "CliCommands.h"

namespace lexinum::cli {

std::vector<Command> NumberDrawCommands() {
    return {};
}

} // namespace lexinum::cli
