#pragma once

#include <string>

namespace lexinum {

// The messages of the lexicon, as the player reads them (UTF-8; a line break
// is CR LF).
struct LexiconTexts {
    static constexpr const char* kCaption = "Lexinum";
    static constexpr const char* kLettersCaption = "Le mot le plus long";

    // A lexicon file that cannot be opened during a lookup or a search.
    static constexpr const char* kLostLexicon = "Lexique perdu. Tentez de le retrouver manuellement.\r\n"
                                                "Choisissez immédiatement Changer de lexique dans le menu Lexique.";
    // The lexicon was replaced or its index rewritten while a search read it.
    static constexpr const char* kChangedLexicon =
        "Le lexique a été modifié pendant la recherche : ses fichiers ne sont plus ceux qu'elle lisait.\r\n"
        "Relancez la recherche.";
    // A lexicon file that does not begin where the index says.
    static std::string IndexMismatch(const std::string& file) {
        return "Le fichier lexique " + file +
               " ne commence pas par la première entrée que lui donne le fichier lex.ini : le lexique est "
               "endommagé.\r\nChoisissez Changer de lexique dans le menu Lexique.";
    }
    // A lexicon whose index changed and can no longer be read as it is.
    static std::string NoLongerUsable(const std::string& problem) {
        return "Le lexique a été modifié et ne peut plus servir tel quel.\r\n" + problem +
               "\r\nChoisissez Changer de lexique dans le menu Lexique.";
    }
    // Shown while an index is rebuilt.
    static constexpr const char* kBusy = "Traitement en cours... Veuillez patienter quelques instants.";
    // Title of the dialog that locates a lexicon.
    static constexpr const char* kLocateTitle = "Localisez le lexique";
    // The radical that accepts any lexicon.
    static constexpr const char* kAnyRadical = "ANY";

    static constexpr const char* kNoCompleteSet =
        "Recherche de lexique:\r\nPas d'ensemble complet de fichiers lexique dans ce dossier!";
    static constexpr const char* kIndexMissing =
        " Ce répertoire comporte des fichiers lexique mais le fichier lex.ini associé est absent.\r\n"
        "Voulez-vous reconstruire ce fichier?";
    static constexpr const char* kIndexIncomplete =
        " Ce répertoire comporte des fichiers lexique mais le fichier lex.ini associé est incomplet.\r\n"
        "Voulez-vous reconstruire ce fichier?";
    static constexpr const char* kNoWorkingSet =
        "Recherche de lexique:\r\nPas d'ensemble de fichiers lexique opérationnel dans ce répertoire";
    static constexpr const char* kEntriesRebuilt = "Liste des premières entrées des fichiers lexique reconstituée.";
    static constexpr const char* kRangesRecomputed = "Répartition des lexiques recalculée.";
    static constexpr const char* kWeightsReset = "Probabilités des lettres redéfinie.";
    static constexpr const char* kForeignWeights =
        " Les fréquences de lettres du français ont été reconstituées dans le fichier lex.ini.\r\n"
        " Comme ce lexique n'est pas français, vous devriez les retrouver dans le fichier lex.ini livré avec ces "
        "lexiques.";
};

} // namespace lexinum
