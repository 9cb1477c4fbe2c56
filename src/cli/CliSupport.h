#pragma once

#include "CliCommands.h"

#include "common/Prompter.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lexinum {
class LexiconSet;
}

namespace lexinum::cli {

// The options and arguments of a subcommand once split.
struct ParsedOptions {
    // Arguments that are not options, in order.
    std::vector<std::string> positional;
    // Options given with a value ("--lexicon DIR" or "--lexicon=DIR"), by name.
    std::map<std::string, std::string> values;
    // Options given without a value ("--json").
    std::set<std::string> flags;

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    // The value of an option, or `fallback` when it was not given.
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
};

// Splits `args` into options and positional arguments, the same way for every
// subcommand. `valueOptions` take a value ("--name VALUE" or "--name=VALUE"),
// `flagOptions` do not; "--" ends the options. An unknown option, a missing
// or empty value, or a value given to a flag gives false and a French error
// text.
bool ParseOptions(const Arguments& args, std::initializer_list<std::string_view> valueOptions,
                  std::initializer_list<std::string_view> flagOptions, ParsedOptions& parsed, std::string& error);

// Reads the --seed option when it was given: a whole number from 0 to
// 4294967295. Gives false and a French error text for anything else.
bool ReadSeed(const ParsedOptions& parsed, std::optional<std::uint32_t>& seed, std::string& error);

// An argument as a message may show it: control characters (which could act on
// the terminal), bytes that are not UTF-8 and characters that reorder text are
// written as escapes ("\x1B"), and a long argument is cut after 60 characters.
std::string Shown(std::string_view argument);

// A message made safe for the error stream: CR LF line breaks become LF, other
// control characters are written as escapes, and it is cut after 4000
// characters.
std::string ForErrorStream(std::string_view message);

// Checks drawn letters given on the command line: 2 to 27 letters A to Z,
// small letters accepted and raised. Fills `letters` (capitals) or gives false
// and a French error text.
bool CheckLetters(std::string_view text, std::string& letters, std::string& error);

// Reads a whole decimal number within [minimum, maximum].
bool ParseInt(std::string_view text, int minimum, int maximum, int& value);

// The lexicon shipped with the program: "lexiques" beside the running
// executable, or in the installed data folder.
std::filesystem::path ShippedLexiconDir();

// The lexicon folder named by --lexicon, or the shipped one.
std::filesystem::path LexiconDirOption(const ParsedOptions& parsed);

// The game's data folder, where it keeps "topten" and the player's lexicon:
// $XDG_DATA_HOME/lexinum, or ~/.local/share/lexinum without it.
std::filesystem::path GameDataFolder();

// The lexicon the game plays with: the folder its settings name, or the
// player's own copy in the data folder, made from the shipped lexicon when it
// is missing, as the game does at start. Gives false and a French error text
// when that copy cannot be made.
bool PlayerLexiconDir(std::filesystem::path& folder, std::string& error);

// Reads the index of the lexicon in `folder`. Gives false and a French error
// text when the lexicon cannot be used as it is.
bool OpenLexicon(const std::filesystem::path& folder, LexiconSet& lexicon, std::string& error);

// What to tell when a lexicon file could not be read during a check or a
// search: the file that cannot be read and why (when one can be found), and
// how to mend it with this program.
std::string LostLexiconText(const LexiconSet& lexicon);

// A prompter that shows nothing: the command line tells its own messages.
class SilentPrompter : public Prompter {
public:
    PromptAnswer Ask(const std::string&, const std::string&, PromptIcon, PromptButtons) override {
        return PromptAnswer::Ok;
    }
};

// A JSON string literal (quotes included) holding the UTF-8 `text`.
std::string JsonString(std::string_view text);

// CR LF line breaks become LF.
std::string ForTerminal(std::string_view text);

// A result for the standard output, escaped as the error stream is: CR LF
// line breaks become LF, other control characters (those of an argument
// repeated in it, line feeds included) are written as escapes.
std::string ForOutput(std::string_view text);

// Notes the arguments of the subcommand about to run: wherever a message or a
// result repeats one of them, or a step of a path given, it is escaped whole.
void NoteArguments(const Arguments& args);

// The messages the engine tells while a subcommand runs, on the error stream
// with the same escaping as the program's own (a question is answered "no").
class ErrorStreamPrompter : public Prompter {
public:
    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                     PromptButtons buttons) override;
};

} // namespace lexinum::cli
