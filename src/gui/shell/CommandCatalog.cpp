#include "shell/CommandCatalog.h"

#include <array>

namespace lexinum {

namespace {

using C = Command;
using T = HelpTopic;

constexpr std::array<CommandFacts, 27> kFacts{{
    {C::NewDraw, "&Nouvelles lettres", "&Nouveaux nombres", "No&uveau", "Nouvelle donne", T::None},
    {C::ShowSolutions, "&Voir les solutions...", nullptr, "&Voir",
     "Affiche les solutions (vous laisse chercher d'abord !)", T::None},
    {C::PlayNumbers, "Jouer aux &Chiffres", nullptr, "Chiff&res", "Passe au jeu des chiffres", T::None},
    {C::PlayLetters, "Jouer aux &Lettres", nullptr, "Lett&res", "Passe au jeu des lettres", T::None},
    {C::TopTen, "Les 10 &meilleurs...", nullptr, nullptr, "Affiche la liste des 10 meilleures performances", T::TopTen},
    {C::Colours, "&Couleurs...", nullptr, nullptr, "Tapisse le fond de le fenêtre avec une couleur de votre choix",
     T::Colours},
    {C::Fonts, "Po&lices...", nullptr, nullptr, "Change la police de caractères de la fenêtre des résultats", T::Fonts},
    {C::Options, "&Paramètres...", nullptr, nullptr,
     "Variantes de règles pour les chiffres ou les lettres (mode entraînement seulement)", T::None},
    {C::LetterPalette, "A&fficher palette", nullptr, nullptr,
     "Affiche une palette pour entrer les lettres à la souris (mode entraînement seulement)", T::None},
    {C::BitmapFile, "Fichier &bitmap...", nullptr, nullptr,
     "Charge un fichier bmp de votre choix pour tapisser le fond de la fenêtre", T::BitmapFile},
    {C::BitmapPalette, "Choi&x bitmap", nullptr, nullptr,
     "Affiche un choix de bitmaps pour tapisser le fond de la fenêtre", T::None},
    {C::HelpContents, "&Sommaire", nullptr, nullptr, "Sommaire de l'aide disponible", T::None},
    {C::HelpOnHelp, "&Utiliser l'aide", nullptr, nullptr, "Comment utiliser l'aide en ligne", T::None},
    {C::ContextHelp, "&Contextuelle", nullptr, nullptr, "Affiche directement une aide appropriée au contexte", T::None},
    {C::About, "&A propos", nullptr, nullptr, "Affiche la version et le copyright", T::None},
    {C::Check, "&Vérifier", nullptr, "&Vérifier", "Passe en revue toutes les solutions", T::None},
    {C::Continue, "&Poursuivre", nullptr, "&Poursuivre", "Continue la partie", T::None},
    {C::AddWords, "&Ajouter mots...", nullptr, nullptr, "Ajoute de nouveaux mots au lexique", T::AddWords},
    {C::RemoveWords, "&Supprimer mots...", nullptr, nullptr, "Supprime des mots du lexique", T::RemoveWords},
    {C::ChangeLexicon, "&Changer de lexique...", nullptr, nullptr, "Charge un lexique situé dans un autre répertoire",
     T::Lexicon},
    {C::Exit, "&Quitter", nullptr, nullptr, "Met fin au programme", T::None},
    {C::NewMatch, "&Nouvelle partie...", nullptr, nullptr, "Commence une nouvelle partie", T::NewMatch},
    {C::ResumeMatch, "Rouvrir &partie...", nullptr, nullptr, "Ouvre une partie précédemment enregistrée",
     T::ResumeMatch},
    {C::SaveMatch, "&Enregistrer partie", nullptr, nullptr,
     "Enregistre la partie en cours pour pouvoir la poursuivre ultérieurement", T::None},
    {C::SaveMatchAs, "Enregistrer partie s&ous...", nullptr, nullptr,
     "Enregistre la partie en cours sous un nouveau nom", T::SaveMatchAs},
    {C::QuitMatch, "Qui&tter partie", nullptr, nullptr, "Quitte la partie en cours et retourne en mode entraînement",
     T::None},
    {C::None, "", nullptr, nullptr, "", T::None},
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
