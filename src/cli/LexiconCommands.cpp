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
    if (const std::string problem = LexiconBuilder::CheckRadical(radical); !problem.empty())
        return Fail(problem);

    LexiconBuilder builder(radical);
    if (!builder.AddWordListFile(parsed.positional[0], &error))
        return Fail(error);
    if (!builder.Write(parsed.positional[1], &error))
        return Fail(error);

    const auto& summary = builder.GetSummary();
    if (!summary.overflowWords.empty()) {
        std::cerr << "lexinum-cli: " << summary.overflowWords.size()
                  << " anagramme(s) laissée(s) de côté, leur ligne du lexique étant pleine :";
        for (const std::string& word : summary.overflowWords)
            std::cerr << ' ' << word;
        std::cerr << '\n';
    }
    std::cout << "Lexique « " << radical << " » écrit dans " << parsed.positional[1] << " : " << summary.fileCount
              << " fichiers, " << summary.lineCount << " lignes, " << summary.wordsWritten << " mots ("
              << summary.wordsRefused << " écartés, " << summary.duplicates << " doublons, "
              << summary.overflowWords.size() << " sans place).\n";
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
        return Fail("le mot « " + parsed.positional[1] + " » contient des caractères que le jeu ne connaît pas");
    FoldText(*word);

    LexiconSet lexicon;
    if (!OpenLexicon(LexiconDirOption(parsed), lexicon, error))
        return Fail(error);
    const WordCheckResult result = CheckWord(lexicon, letters, *word);
    const std::string text = VerdictText(*word, result);
    if (parsed.Has("--json"))
        std::cout << "{\"result\": " << static_cast<int>(result) << ", \"text\": " << JsonString(text) << "}\n";
    else
        std::cout << ForTerminal(text);
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
