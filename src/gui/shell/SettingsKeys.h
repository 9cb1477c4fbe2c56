#pragma once

namespace lexinum::keys {

// The sections and keys of the settings file "tiv.ini", each named once.
inline constexpr char kGeneral[] = "GENERAL";
inline constexpr char kFrameX[] = "x";
inline constexpr char kFrameY[] = "y";
inline constexpr char kSavedGamesFolder[] = "parties";
inline constexpr char kBitmapsFolder[] = "bitmaps";
inline constexpr char kPaletteX[] = "palette x";
inline constexpr char kPaletteY[] = "palette y";
inline constexpr char kBitmapsX[] = "bitmaps x";
inline constexpr char kBitmapsY[] = "bitmaps y";
// The size of the help window.
inline constexpr char kHelpWidth[] = "aide largeur";
inline constexpr char kHelpHeight[] = "aide hauteur";

inline constexpr char kLetters[] = "LETTRES";
inline constexpr char kPaletteShown[] = "palette";
inline constexpr char kLetterCount[] = "nb lettres";
inline constexpr char kVowelCount[] = "nb voyelles";
inline constexpr char kAutoChoice[] = "choix auto";
inline constexpr char kLexiconFolder[] = "lexiques";

inline constexpr char kNumbers[] = "CHIFFRES";
inline constexpr char kMinTarget[] = "nombre min";
inline constexpr char kMaxTarget[] = "nombre max";
inline constexpr char kLimitedNumbers[] = "chiffres limités";

// The results font, in each pane's section.
inline constexpr char kFontFace[] = "Police";
inline constexpr char kFontHeight[] = "hauteur police";
inline constexpr char kFontWeight[] = "épaisseur police";
inline constexpr char kFontItalic[] = "italique";

inline constexpr char kCompetition[] = "COMPETITION";
inline constexpr char kLastLevel[] = "difficulté";
inline constexpr char kLastPlayer[] = "dernier joueur";

} // namespace lexinum::keys
