#pragma once

#include <string>
#include <string_view>

namespace lexinum {

// What the letters game's fields accept as the player types.

// The capital a typed character stands for: "a" to "z" and "A" to "Z" give
// their capital, and so do the accented small letters of French (é gives E,
// as the lexicon files them); anything else gives 0 (the keystroke is
// refused). `code` is the character's Unicode code point.
char TypedLetter(char32_t code);

// True when every letter of `word` can be taken from `letters`, each drawn
// letter at most once (the order does not matter).
bool FitsDraw(std::string_view letters, std::string_view word);

} // namespace lexinum
