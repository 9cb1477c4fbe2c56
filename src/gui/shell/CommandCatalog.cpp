#include "shell/CommandCatalog.h"

#include <array>

namespace lexinum {

namespace {

// Help topics of the dialogs the commands open.
constexpr int kTopTenTopic = 259;
constexpr int kColourTopic = 270;
constexpr int kBitmapFileTopic = 271;
constexpr int kFontTopic = 272;
constexpr int kAddWordsTopic = 277;
constexpr int kRemoveWordsTopic = 278;
constexpr int kLexiconTopic = 279;
constexpr int kNewMatchTopic = 317;
constexpr int kResumeTopic = 318;
constexpr int kSaveAsTopic = 319;

using C = Command;

constexpr std::array<CommandFacts, 27> kFacts{{
    {C::NewDraw, "&Nouvelles lettres", "&Nouveaux nombres", "No&uveau", "Nouvelle donne", 0},
    {C::ShowSolutions, "&Voir les solutions...", nullptr, "&Voir",
     "Affiche les solutions (vous laisse chercher d'abord !)", 0},
    {C::PlayNumbers, "Jouer aux &Chiffres", nullptr, "Chiff&res", "Passe au jeu des chiffres", 0},
    {C::PlayLetters, "Jouer aux &Lettres", nullptr, "Lett&res", "Passe au jeu des lettres", 0},
    {C::TopTen, "Les 10 &meilleurs...", nullptr, nullptr, "Affiche la liste des 10 meilleures performances",
     kTopTenTopic},
    {C::Colours, "&Couleurs...", nullptr, nullptr, "Tapisse le fond de le fenêtre avec une couleur de votre choix",
     kColourTopic},
    {C::Fonts, "Po&lices...", nullptr, nullptr, "Change la police de caractères de la fenêtre des résultats",
     kFontTopic},
    {C::Options, "&Paramètres...", nullptr, nullptr,
     "Variantes de règles pour les chiffres ou les lettres (mode entraînement seulement)", 0},
    {C::LetterPalette, "A&fficher palette", nullptr, nullptr,
     "Affiche une palette pour entrer les lettres à la souris (mode entraînement seulement)", 0},
    {C::BitmapFile, "Fichier &bitmap...", nullptr, nullptr,
     "Charge un fichier bmp de votre choix pour tapisser le fond de la fenêtre", kBitmapFileTopic},
    {C::BitmapPalette, "Choi&x bitmap", nullptr, nullptr,
     "Affiche un choix de bitmaps pour tapisser le fond de la fenêtre", 0},
    {C::HelpContents, "&Sommaire", nullptr, nullptr, "Sommaire de l'aide disponible", 0},
    {C::HelpOnHelp, "&Utiliser l'aide", nullptr, nullptr, "Comment utiliser l'aide en ligne", 0},
    {C::ContextHelp, "&Contextuelle", nullptr, nullptr, "Affiche directement une aide appropriée au contexte", 0},
    {C::About, "&A propos", nullptr, nullptr, "Affiche la version et le copyright", 0},
    {C::Check, "&Vérifier", nullptr, "&Vérifier", "Passe en revue toutes les solutions", 0},
    {C::Continue, "&Poursuivre", nullptr, "&Poursuivre", "Continue la partie", 0},
    {C::AddWords, "&Ajouter mots...", nullptr, nullptr, "Ajoute de nouveaux mots au lexique", kAddWordsTopic},
    {C::RemoveWords, "&Supprimer mots...", nullptr, nullptr, "Supprime des mots du lexique", kRemoveWordsTopic},
    {C::ChangeLexicon, "&Changer de lexique...", nullptr, nullptr, "Charge un lexique situé dans un autre répertoire",
     kLexiconTopic},
    {C::Exit, "&Quitter", nullptr, nullptr, "Met fin au programme", 0},
    {C::NewMatch, "&Nouvelle partie...", nullptr, nullptr, "Commence une nouvelle partie", kNewMatchTopic},
    {C::ResumeMatch, "Rouvrir &partie...", nullptr, nullptr, "Ouvre une partie précédemment enregistrée",
     kResumeTopic},
    {C::SaveMatch, "&Enregistrer partie", nullptr, nullptr,
     "Enregistre la partie en cours pour pouvoir la poursuivre ultérieurement", 0},
    {C::SaveMatchAs, "Enregistrer partie s&ous...", nullptr, nullptr, "Enregistre la partie en cours sous un nouveau nom",
     kSaveAsTopic},
    {C::QuitMatch, "Qui&tter partie", nullptr, nullptr, "Quitte la partie en cours et retourne en mode entraînement",
     0},
    {C::None, "", nullptr, nullptr, "", 0},
}};

} // namespace

const CommandFacts& CommandCatalog::Of(Command command) {
    for (const CommandFacts& facts : kFacts) {
        if (facts.command == command)
            return facts;
    }
    return kFacts.back();
}

std::string CommandCatalog::Hint(int number) {
    for (const CommandFacts& facts : kFacts) {
        if (CommandNumber(facts.command) == number)
            return facts.hint;
    }
    return {};
}

const char* CommandCatalog::MenuLabel(Command command, bool numbersGame) {
    const CommandFacts& facts = Of(command);
    return numbersGame && facts.numbersMenuLabel != nullptr ? facts.numbersMenuLabel : facts.menuLabel;
}

} // namespace lexinum
