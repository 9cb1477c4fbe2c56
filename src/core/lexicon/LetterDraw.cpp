#include "LetterDraw.h"

#include "common/Random15.h"
#include "common/TileBox.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"

#include <algorithm>

namespace lexinum {

int LetterDraw::LetterCountInRange(int letters) {
    return std::clamp(letters, kMinLetters, kMaxLetters);
}

int LetterDraw::VowelCountInRange(int vowels, int letters) {
    return std::clamp(vowels, 0, LetterCountInRange(letters));
}

char LetterDraw::DrawVowel(LexiconSet& lexicon, Prompter* prompter) {
    return kVowels[lexicon.DrawVowel(prompter)];
}

char LetterDraw::DrawConsonant(LexiconSet& lexicon, Prompter* prompter) {
    return kConsonants[lexicon.DrawConsonant(prompter)];
}

bool LetterDraw::RandomChoiceIsVowel() {
    return Random15::Next() % 2 == 0;
}

char LetterDraw::ComputerPick(LexiconSet& lexicon, Prompter* prompter) {
    return RandomChoiceIsVowel() ? DrawVowel(lexicon, prompter) : DrawConsonant(lexicon, prompter);
}

bool LetterDraw::IsVowel(char letter) {
    return std::string_view(kVowels).find(letter) != std::string_view::npos;
}

std::string LetterDraw::AutoDraw(LexiconSet& lexicon, int letters, int vowels, Prompter* prompter) {
    letters = LetterCountInRange(letters);
    vowels = VowelCountInRange(vowels, letters);
    lexicon.RefillBags();
    int vowelsLeft = vowels;
    int consonantsLeft = letters - vowels;
    std::string drawn;
    while (static_cast<int>(drawn.size()) < letters) {
        if (consonantsLeft != 0) {
            drawn += DrawConsonant(lexicon, prompter);
            --consonantsLeft;
        }
        if (vowelsLeft != 0) {
            drawn += DrawVowel(lexicon, prompter);
            --vowelsLeft;
        }
    }
    drawn.resize(static_cast<std::size_t>(letters));
    TileBox::ShuffleString(drawn, letters);
    return drawn;
}

bool LetterDraw::IsDrawText(std::string_view text) {
    return text.size() <= static_cast<std::size_t>(kMaxLetters) &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

} // namespace lexinum
