#pragma once

#include <string>
#include <string_view>

namespace lexinum {

// The key under which a word is filed in the lexicon. Characters are 8-bit
// Windows-1252 codes: keys, lexicon lines and words stay in the bytes of the
// lexicon files until they are shown.

// Folds one character to the capital it is filed under: "a" to "z" become
// "A" to "Z", and the accented small letters of French become their plain
// capital (à â ä → A, ç → C, è é ê ë → E, î ï → I, ô ö → O, ù û ü → U). Every
// other character, capitals and accented capitals included, is left as it is.
char FoldLetter(char c);

// Folds every character of `text` in place.
void FoldText(std::string& text);

// The key of a word: its characters folded and sorted by ascending code, so
// that étoile and ETOILE are both filed under EEILOT. The key has the word's
// length.
std::string MakeKey(std::string_view word);

// Compares `key` with the key that starts `line` (the characters up to the
// space that ends it), as signed 8-bit values: -1 when the line comes before
// the key, 0 when the line is the key's line, +1 when it comes after. A line
// whose key is a prefix of `key` comes before it; one whose key extends `key`
// comes after it. The line may keep its line end or not.
int CompareKeyLine(std::string_view key, std::string_view line);

} // namespace lexinum
