#include "app/CommandHints.h"

#include <array>
#include <utility>

namespace lexinum {

namespace {

// Every hint of the game, by command number.
constexpr std::array<std::pair<int, const char*>, 26> kHints{{
    {101, "Nouvelle donne"},
    {102, "Affiche les solutions (vous laisse chercher d'abord !)"},
    {103, "Passe au jeu des chiffres"},
    {104, "Passe au jeu des lettres"},
    {111, "Affiche la liste des 10 meilleures performances"},
    {120, "Tapisse le fond de le fenêtre avec une couleur de votre choix"},
    {121, "Change la police de caractères de la fenêtre des résultats"},
    {122, "Variantes de règles pour les chiffres ou les lettres (mode entraînement seulement)"},
    {123, "Affiche une palette pour entrer les lettres à la souris (mode entraînement seulement)"},
    {124, "Charge un fichier bmp de votre choix pour tapisser le fond de la fenêtre"},
    {125, "Affiche un choix de bitmaps pour tapisser le fond de la fenêtre"},
    {130, "Sommaire de l'aide disponible"},
    {131, "Comment utiliser l'aide en ligne"},
    {132, "Affiche directement une aide appropriée au contexte"},
    {133, "Affiche la version et le copyright"},
    {140, "Passe en revue toutes les solutions"},
    {141, "Continue la partie"},
    {170, "Ajoute de nouveaux mots au lexique"},
    {171, "Supprime des mots du lexique"},
    {172, "Charge un lexique situé dans un autre répertoire"},
    {24310, "Met fin au programme"},
    {24331, "Commence une nouvelle partie"},
    {24332, "Ouvre une partie précédemment enregistrée"},
    {24333, "Enregistre la partie en cours pour pouvoir la poursuivre ultérieurement"},
    {24334, "Enregistre la partie en cours sous un nouveau nom"},
    {24339, "Quitte la partie en cours et retourne en mode entraînement"},
}};

} // namespace

std::string CommandHint(int number) {
    for (const auto& [id, hint] : kHints) {
        if (id == number)
            return hint;
    }
    return {};
}

} // namespace lexinum
