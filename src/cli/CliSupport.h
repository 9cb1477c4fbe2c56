#pragma once

#include "CliCommands.h"

#include <filesystem>
#include <initializer_list>
#include <map>
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

// Splits `args` into options and positional arguments. `valueOptions` take a
// value, `flagOptions` do not; "--" ends the options. An unknown option or a
// missing value gives false and a French error text.
bool ParseOptions(const Arguments& args, std::initializer_list<std::string_view> valueOptions,
                  std::initializer_list<std::string_view> flagOptions, ParsedOptions& parsed, std::string& error);

// Checks drawn letters given on the command line: 2 to 27 letters A to Z,
// small letters accepted and raised. Fills `letters` (capitals) or gives false
// and a French error text.
bool CheckLetters(std::string_view text, std::string& letters, std::string& error);

// Reads a whole decimal number within [minimum, maximum].
bool ParseInt(std::string_view text, int minimum, int maximum, int& value);

// The lexicon shipped beside the program: "lexiques" in the folder of the
// running executable.
std::filesystem::path ShippedLexiconDir();

// The lexicon folder named by --lexicon, or the shipped one.
std::filesystem::path LexiconDirOption(const ParsedOptions& parsed);

// Reads the index of the lexicon in `folder`. Gives false and a French error
// text when the lexicon cannot be used as it is.
bool OpenLexicon(const std::filesystem::path& folder, LexiconSet& lexicon, std::string& error);

// A JSON string literal (quotes included) holding the UTF-8 `text`.
std::string JsonString(std::string_view text);

// A text for the terminal: CR LF line breaks become LF.
std::string ForTerminal(std::string_view text);

} // namespace lexinum::cli
