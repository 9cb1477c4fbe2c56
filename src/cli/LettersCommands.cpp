// The letters game search subcommands of lexinum-cli: every word of a draw,
// longest first, and the computer's word at a level.
#include "CliCommands.h"
#include "CliSupport.h"

#include "common/Cp1252.h"
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"
#include "lexicon/WordSearch.h"

#include <cstdint>
#include <iostream>
#include <optional>

namespace lexinum::cli {

namespace {

constexpr const char* kLettersUsage = "lexinum-cli letters [--lexicon DOSSIER] [--json] LETTRES";
constexpr const char* kComputerUsage =
    "lexinum-cli computer-letters [--lexicon DOSSIER] --level NIVEAU [--seed GRAINE] [--json] LETTRES";

// Reads the draw and opens the lexicon shared by both subcommands.
bool PrepareDraw(const ParsedOptions& parsed, const char* usage, LexiconSet& lexicon, std::string& letters,
                 std::string& error) {
    if (parsed.positional.size() != 1) {
        error = std::string("usage : ") + usage;
        return false;
    }
    return CheckLetters(parsed.positional[0], letters, error) && OpenLexicon(LexiconDirOption(parsed), lexicon, error);
}

std::string JsonWords(const std::vector<std::string>& words) {
    std::string out = "[";
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += JsonString(Cp1252::ToUtf8(words[i]));
    }
    return out + "]";
}

int Letters(const Arguments& args) {
    ParsedOptions parsed;
    std::string error;
    LexiconSet lexicon;
    std::string letters;
    if (!ParseOptions(args, {"--lexicon"}, {"--json"}, parsed, error) ||
        !PrepareDraw(parsed, kLettersUsage, lexicon, letters, error))
        return Fail(error);
    const bool json = parsed.Has("--json");

    WordSearch search(lexicon);
    search.PrepareLetters(letters);
    SearchChannel channel;
    search.StartSolutions(channel);
    // Take every batch as the results box would, group after group, then the closing text.
    std::string groups;
    while (channel.WaitBatch()) {
        const std::string text = channel.TakeText();
        if (json && search.GroupLength() > 0) {
            if (!groups.empty())
                groups += ", ";
            groups += "{\"length\": " + std::to_string(search.GroupLength()) +
                      ", \"words\": " + JsonWords(search.Solutions()) + "}";
        } else if (!json) {
            std::cout << ForOutput(text) << std::flush;
        }
        const bool last = channel.Complete();
        channel.Continue();
        if (last)
            break;
    }
    channel.Join();
    if (const std::string message = channel.TakeWorkerMessage(); !message.empty())
        return Fail(message == LexiconTexts::kLostLexicon ? LostLexiconText(lexicon) : message);
    if (json)
        std::cout << "{\"letters\": " << JsonString(letters) << ", \"groups\": [" << groups << "]}\n";
    return 0;
}

int ComputerLetters(const Arguments& args) {
    ParsedOptions parsed;
    std::string error;
    LexiconSet lexicon;
    std::string letters;
    if (!ParseOptions(args, {"--lexicon", "--level", "--seed"}, {"--json"}, parsed, error) ||
        !PrepareDraw(parsed, kComputerUsage, lexicon, letters, error))
        return Fail(error);
    int level = 0;
    if (!ParseInt(parsed.Value("--level"), 1, 6, level))
        return Fail("le niveau (--level) doit être un nombre entier de 1 à 6");
    std::optional<std::uint32_t> seed;
    if (!ReadSeed(parsed, seed, error))
        return Fail(error);
    if (seed)
        Random15::Seed(*seed);
    else
        Random15::SeedFromClock();

    WordSearch search(lexicon);
    search.PrepareLetters(letters);
    search.ChooseHiddenFiles(level);
    SearchChannel channel;
    search.StartComputer(channel);
    channel.WaitComputer();
    const std::string text = channel.TakeText();
    channel.Join();
    if (const std::string message = channel.TakeWorkerMessage(); !message.empty())
        return Fail(message == LexiconTexts::kLostLexicon ? LostLexiconText(lexicon) : message);
    if (!parsed.Has("--json")) {
        std::cout << ForOutput(text);
        return 0;
    }
    std::string hidden;
    for (int file = 2; file <= lexicon.FileCount(); ++file) {
        if (search.IsFileHidden(file))
            hidden += (hidden.empty() ? "" : ", ") + std::to_string(file);
    }
    std::cout << "{\"length\": " << search.BestLength()
              << ", \"word\": " << JsonString(Cp1252::ToUtf8(search.ComputerWord())) << ", \"hidden_files\": ["
              << hidden << "]}\n";
    return 0;
}

} // namespace

std::vector<Command> LettersCommands() {
    return {
        {"letters",
         "letters [--lexicon DOSSIER] [--json] LETTRES   tous les mots du tirage, du plus long au plus court", Letters},
        {"computer-letters",
         "computer-letters [--lexicon DOSSIER] --level 1..6 [--seed N] [--json] LETTRES   le mot de l'ordinateur",
         ComputerLetters},
    };
}

} // namespace lexinum::cli
