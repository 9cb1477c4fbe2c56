#pragma once

namespace lexinum {

// The numbered commands of the menus, the pane buttons and the shortcut keys.
// Every menu item and pane button carries one of these numbers; the hint shown
// in the message bar for a command is the hint of the same number; the
// labels, hints and help topics are in CommandCatalog.
enum class Command : int {
    NewDraw = 101,       // "&Nouvelles lettres" / "&Nouveaux nombres", button "No&uveau"
    ShowSolutions = 102, // "&Voir les solutions...", button "&Voir"
    PlayNumbers = 103,   // "Jouer aux &Chiffres", button "Chiff&res"
    PlayLetters = 104,   // "Jouer aux &Lettres", button "Lett&res"
    TopTen = 111,        // "Les 10 &meilleurs..."
    Colours = 120,       // "&Couleurs..."
    Fonts = 121,         // "Po&lices..."
    Options = 122,       // "&Paramètres..."
    LetterPalette = 123, // "A&fficher palette"
    BitmapFile = 124,    // "Fichier &bitmap..."
    BitmapPalette = 125, // "Choi&x bitmap"
    HelpContents = 130,  // "&Sommaire", Shift+F1
    HelpOnHelp = 131,    // "&Utiliser l'aide"
    ContextHelp = 132,   // "&Contextuelle", F1
    About = 133,         // "&A propos"
    Check = 140,         // "&Vérifier"
    Continue = 141,      // "&Poursuivre"
    AddWords = 170,      // "&Ajouter mots..."
    RemoveWords = 171,   // "&Supprimer mots..."
    ChangeLexicon = 172, // "&Changer de lexique..."
    Exit = 24310,        // "&Quitter"
    NewMatch = 24331,    // "&Nouvelle partie..."
    ResumeMatch = 24332, // "Rouvrir &partie..."
    SaveMatch = 24333,   // "&Enregistrer partie"
    SaveMatchAs = 24334, // "Enregistrer partie s&ous..."
    QuitMatch = 24339,   // "Qui&tter partie"
    None = 0,            // no command (the catalog's empty entry)
};

// The number of a command, as menus and buttons store it.
constexpr int CommandNumber(Command command) {
    return static_cast<int>(command);
}

} // namespace lexinum
