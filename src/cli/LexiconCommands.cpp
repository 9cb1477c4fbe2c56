// The lexicon subcommands of lexinum-cli: build a lexicon from a word list,
// and judge a word against drawn letters and a lexicon.
#include "CliCommands.h"
#include "CliSupport.h"

#include "common/Cp1252.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexiconBuilder.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordCheck.h"

#include <iostream>

namespace lexinum::cli {

namespace {

int BuildLexicon(const Arguments& args) {
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(args, {"--radical"}, {}, parsed, error))
        return Fail(error);
    if (parsed.positional.size() != 2)
        return Fail("usage : lexinum-cli build-lexicon [--radical R] LISTE_DE_MOTS DOSSIER");
    const std::string radical = parsed.Value("--radical", "fr");
    if (!LexiconBuilder::CheckRadical(radical).empty())
        return Fail("le radical « " + Shown(radical) +
                    " » ne peut pas servir de nom de lexique : 11 caractères au plus, sans séparateur de dossier");

    LexiconBuilder builder(radical);
    if (!builder.AddWordListFile(parsed.positional[0], &error))
        return Fail(error);
    if (!builder.Write(parsed.positional[1], &error))
        return Fail(error);

    const auto& summary = builder.GetSummary();
    if (summary.linesNotUtf8 > 0)
        std::cerr << "lexinum-cli: " << summary.linesNotUtf8
                  << " ligne(s) de la liste ne sont pas en UTF-8 et ont été écartées : si la liste est dans un autre "
                     "codage (Latin-1, Windows-1252), convertissez-la en UTF-8.\n";
    if (!summary.overflowWords.empty()) {
        std::cerr << "lexinum-cli: " << summary.overflowWords.size()
                  << " anagramme(s) laissée(s) de côté, leur ligne du lexique étant pleine :";
        for (const std::string& word : summary.overflowWords)
            std::cerr << ' ' << word;
        std::cerr << '\n';
    }
    std::cout << ForOutput("Lexique « " + radical + " » écrit dans " + parsed.positional[1] + " : " +
                           std::to_string(summary.fileCount) + " fichiers, " + std::to_string(summary.lineCount) +
                           " lignes, " + std::to_string(summary.wordsWritten) + " mots (" +
                           std::to_string(summary.wordsRefused) + " écartés, " + std::to_string(summary.duplicates) +
                           " doublons, " + std::to_string(summary.overflowWords.size()) + " sans place).\n");
    return 0;
}

int Check(const Arguments& args) {
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(args, {"--lexicon"}, {"--json"}, parsed, error))
        return Fail(error);
    if (parsed.positional.size() != 2)
        return Fail("usage : lexinum-cli check [--lexicon DOSSIER] [--json] LETTRES MOT");
    std::string letters;
    if (!CheckLetters(parsed.positional[0], letters, error))
        return Fail(error);
    // The word as the player would type it: small and accented letters are
    // raised to the capitals they are filed under (élève is ELEVE).
    auto word = Cp1252::FromUtf8(parsed.positional[1]);
    if (!word)
        return Fail("le mot « " + Shown(parsed.positional[1]) + " » contient des caractères que le jeu ne connaît pas");
    FoldText(*word);

    LexiconSet lexicon;
    if (!OpenLexicon(LexiconDirOption(parsed), lexicon, error))
        return Fail(error);
    // The check's own messages speak of the game's menus: this program says
    // what is wrong in its own terms.
    SilentPrompter silent;
    const WordCheckResult result = CheckWord(lexicon, letters, *word, nullptr, &silent);
    if (result == WordCheckResult::LexiconLost)
        return Fail(LostLexiconText(lexicon));
    if (result == WordCheckResult::IndexMismatch) {
        const std::string key = MakeKey(*word);
        const int file = lexicon.FindLexFile(key, static_cast<int>(key.size()), 0);
        return Fail("Lexique endommagé : " + lexicon.LexFilePath(file).string() +
                    " ne commence pas par la première entrée que lui donne lex.ini.\nReconstruisez le lexique avec « "
                    "lexinum-cli build-lexicon ».");
    }
    const std::string text = VerdictText(*word, result);
    if (parsed.Has("--json"))
        std::cout << "{\"result\": " << static_cast<int>(result) << ", \"text\": " << JsonString(text) << "}\n";
    else
        std::cout << ForOutput(text);
    return 0;
}

} // namespace

std::vector<Command> LexiconCommands() {
    return {
        {"build-lexicon",
         "build-lexicon [--radical R] LISTE_DE_MOTS DOSSIER   construit un lexique depuis une liste de mots",
         BuildLexicon},
        {"check", "check [--lexicon DOSSIER] [--json] LETTRES MOT   juge un mot proposé pour ces lettres", Check},
    };
}

} // namespace lexinum::cli
