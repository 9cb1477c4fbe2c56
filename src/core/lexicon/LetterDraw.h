#pragma once

#include <string>
#include <string_view>

namespace lexinum {

class LexiconSet;
class Prompter;

// The letters of a round: how many are drawn and how many of them are
// vowels, and the draws themselves, from the two bags of the lexicon (filled
// from its letter weights). Letters are capitals A to Z.
class LetterDraw {
public:
    // Bounds and defaults of the letter and vowel counts.
    static constexpr int kMinLetters = 2;
    static constexpr int kMaxLetters = 27;
    static constexpr int kDefaultLetters = 9;
    static constexpr int kDefaultVowels = 4;

    // A letter count as the settings give it, brought into 2..27.
    static int LetterCountInRange(int letters);
    // A vowel count as the settings give it, brought into 0..letters.
    static int VowelCountInRange(int vowels, int letters);

    // Draws one vowel ("AEIOUY") or one consonant ("BCDFGHJKLMNPQRSTVWXZ")
    // from the lexicon's bag, without replacement. From an empty bag the
    // empty-box message is told through `prompter` (the active one if null)
    // and the first letter of the table comes out.
    static char DrawVowel(LexiconSet& lexicon, Prompter* prompter = nullptr);
    static char DrawConsonant(LexiconSet& lexicon, Prompter* prompter = nullptr);

    // The choice made without the player, by the computer in its turns of a
    // match draw or for a player who let his time run out: a vowel or a
    // consonant with equal chance, from the parity of the game's random
    // generator (even gives a vowel).
    static bool RandomChoiceIsVowel();
    // Draws a letter of that random kind from the lexicon's bags.
    static char ComputerPick(LexiconSet& lexicon, Prompter* prompter = nullptr);
    // True for a vowel "AEIOUY".
    static bool IsVowel(char letter);

    // The automatic draw: both bags are filled again from the weights, then
    // consonants and vowels alternate, a consonant first, until one quota is
    // used up and the other fills the draw; the letters are then shuffled.
    // The counts are brought into their ranges first.
    static std::string AutoDraw(LexiconSet& lexicon, int letters, int vowels, Prompter* prompter = nullptr);

    // True when `text` can stand as a draw: capitals A to Z only, at most 27.
    static bool IsDrawText(std::string_view text);
};

} // namespace lexinum
