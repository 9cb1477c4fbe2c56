// The lexicon subcommands of lexinum-cli.
#include "CliCommands.h"

namespace lexinum::cli {

std::vector<Command> LexiconCommands() {
    return {};
}

} // namespace lexinum::cli
