#pragma once

#include <string>
#include <string_view>

namespace lexinum {

class LexiconSet;
class Prompter;
class SearchChannel;

// The verdict on a player's word.
enum class WordCheckResult : int {
    // The word uses only drawn letters and is in the lexicon.
    Accepted = 1,
    // Its key is in the lexicon but the word is not on that line; also any
    // one-letter answer.
    UnknownWord = 0,
    // Its key is not in the lexicon, or no lexicon file holds its length.
    UnknownKey = -1,
    // It uses a letter not drawn, or a drawn letter more often than drawn.
    WrongLetters = -2,
    // No answer was given.
    NoAnswer = -3,
    // No verdict: the lexicon file that holds the word's key could not be
    // opened or read to its end (the lexicon is lost).
    LexiconLost = -4,
    // No verdict: that file's first line is not the first entry the index
    // gives it, so the index describes other files (the lexicon is damaged).
    IndexMismatch = -5,
};

// Judges the player's word (capitals A to Z, as typed) against the drawn
// `letters` and the lexicon. The letters are checked before any lexicon file
// is read; the lexicon is read through a file handle of its own, so a search
// may read the same lexicon meanwhile. A lexicon file that cannot be opened or
// read, or that does not begin with the first entry the index gives it, is
// reported through `prompter` (the active one if null), tells the search to
// stop (when given) and gives no verdict (LexiconLost, IndexMismatch): a
// failure never passes for a refused word.
WordCheckResult CheckWord(const LexiconSet& lexicon, std::string_view letters, std::string_view word,
                          SearchChannel* search = nullptr, Prompter* prompter = nullptr);

// The text the results box shows for a verdict on `word` (Windows-1252 bytes),
// in UTF-8 with CR LF line breaks, for example " ELEVE accepté.\r\n (5 lettres)\r\n".
std::string VerdictText(std::string_view word, WordCheckResult result);

} // namespace lexinum
