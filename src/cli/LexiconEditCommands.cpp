// add-words and remove-words: the player's changes to a lexicon, word by word,
// with the game's checks and its journal "lex.log".
#include "CliCommands.h"
#include "CliSupport.h"

#include "common/Cp1252.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LexiconEditor.h"
#include "lexicon/LexiconSet.h"

#include <iostream>

namespace lexinum::cli {

namespace {

// The most bytes a --from list is read to.
constexpr std::uintmax_t kMaxListSize = std::uintmax_t{16} << 20;

int ChangeWords(const Arguments& args, LexiconEditor::Mode mode) {
    const bool adding = mode == LexiconEditor::Mode::Add;
    const std::string usage = adding ? "usage : lexinum-cli add-words [--lexicon DOSSIER] [--from FICHIER] MOT…"
                                     : "usage : lexinum-cli remove-words [--lexicon DOSSIER] [--from FICHIER] MOT…";
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(args, {"--lexicon", "--from"}, {}, parsed, error))
        return Fail(error);
    std::vector<std::string> texts = parsed.positional;
    const std::string from = parsed.Value("--from");
    if (!from.empty()) {
        std::string list;
        if (ReadOnlyFile::Read(from, list, kMaxListSize, &error) != ReadOnlyFile::ReadResult::Read)
            return Fail(error);
        std::size_t at = 0;
        while (at < list.size()) {
            const std::size_t end = std::min(list.find('\n', at), list.size());
            std::string line = list.substr(at, end - at);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.find_first_not_of(" \t") != std::string::npos)
                texts.push_back(line);
            at = end + 1;
        }
    }
    if (texts.empty())
        return Fail(usage);

    // Without --lexicon, the player's own lexicon, never the shipped one.
    std::filesystem::path folder = parsed.Value("--lexicon");
    if (folder.empty() && !PlayerLexiconDir(folder, error))
        return Fail("Erreur de fichier : " + error);
    LexiconSet lexicon;
    if (!OpenLexicon(folder, lexicon, error))
        return Fail(error);

    // Refusals are told on the error stream, each naming its word; the
    // words that pass go in, one after the other.
    ErrorStreamPrompter prompter;
    LexiconEditor editor(lexicon, &prompter);
    int refused = 0;
    for (const std::string& text : texts) {
        const auto bytes = Cp1252::FromUtf8(text);
        // The game's own clean-up: what is not a letter separates words.
        const std::vector<std::string> words =
            bytes ? LexiconEditor::SplitWords(LexiconEditor::CleanText(*bytes)) : std::vector<std::string>();
        if (words.empty()) {
            std::cerr << "lexinum-cli: "
                      << ForErrorStream("« " + Shown(text) +
                                        " » : " + (bytes ? "aucun mot" : "des caractères que le jeu ne connaît pas"))
                      << '\n';
            ++refused;
            continue;
        }
        for (const std::string& word : words) {
            const LexiconEditor::Outcome outcome = editor.Change(word, mode, LexiconEditor::Moment::Now());
            if (outcome == LexiconEditor::Outcome::Done) {
                std::cout << ForOutput((adding ? "ajouté : " : "supprimé : ") + Cp1252::ToUtf8(word)) << '\n';
                continue;
            }
            // A lexicon lost or changed into one that cannot serve stops the run.
            if (outcome == LexiconEditor::Outcome::Lost || outcome == LexiconEditor::Outcome::Unusable)
                return Fail(outcome == LexiconEditor::Outcome::Lost ? LostLexiconText(lexicon) : lexicon.Problem());
            ++refused;
        }
    }
    return refused == 0 ? 0 : 1;
}

int AddWords(const Arguments& args) {
    return ChangeWords(args, LexiconEditor::Mode::Add);
}

int RemoveWords(const Arguments& args) {
    return ChangeWords(args, LexiconEditor::Mode::Remove);
}

} // namespace

std::vector<Command> LexiconEditCommands() {
    return {
        {"add-words", "add-words [--lexicon DOSSIER] [--from FICHIER] MOT…   ajoute des mots au lexique", AddWords},
        {"remove-words", "remove-words [--lexicon DOSSIER] [--from FICHIER] MOT…   supprime des mots du lexique",
         RemoveWords},
    };
}

} // namespace lexinum::cli
