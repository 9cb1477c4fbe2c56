#pragma once

#include <string>
#include <vector>

namespace lexinum::cli {

// The arguments of a subcommand, without the program name and subcommand name.
using Arguments = std::vector<std::string>;

// One subcommand of lexinum-cli: its name, a one-line usage and its runner
// (returns the process exit code; output on stdout, errors on stderr).
struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Arguments& args);
};

// The subcommands that build and query a lexicon (build-lexicon, check).
std::vector<Command> LexiconCommands();
// The subcommands that add words to a lexicon and remove them (add-words,
// remove-words).
std::vector<Command> LexiconEditCommands();
// The subcommands of the letters game's searches (letters, computer-letters).
std::vector<Command> LettersCommands();
// The subcommands of the numbers game's searches (numbers, computer-numbers).
std::vector<Command> NumbersCommands();
// The numbers draw subcommand (draw-numbers).
std::vector<Command> NumberDrawCommands();
// The saved-game subcommand (saved-game).
std::vector<Command> SavedGameCommands();
// The best results subcommand (topten).
std::vector<Command> TopTenCommands();

// Prints "lexinum-cli: message" on stderr (control characters escaped) and
// returns the failure exit code.
int Fail(const std::string& message);

// Makes sure the standard output was written: returns `code`, or the failure
// exit code after saying so when writing it failed.
int FinishOutput(int code);

} // namespace lexinum::cli
