#pragma once

#include "lexicon/WordCheck.h"

#include <string>

namespace lexinum {

// The remarks the letters pane writes above the computer's words, comparing
// the player's answer with the longest words. Each text ends with a line
// break, and is empty when there is nothing to say.
class LettersRoundText {
public:
    static constexpr const char* kTrainingBest = " Bravo !  Pas mieux.\r\n";
    static constexpr const char* kMatchEqual = " Pas mieux.\r\n";
    // In place of the computer's word when its search could not read the lexicon.
    static constexpr const char* kComputerUnableText = " L'ordinateur n'a pas pu chercher : lexique illisible.\r\n";

    // Training, above the first (longest) group of solutions, whose words
    // have `groupLength` letters: " Bravo !  Pas mieux." when the player's
    // word was accepted and is as long as they are.
    static std::string TrainingRemark(WordCheckResult result, int wordLength, int groupLength);
    // After a match round, above the computer's word of `computerLength`
    // letters (0 when it found none): " Pas mieux." when the player's word
    // was accepted and is as long as the computer's.
    static std::string MatchRemark(WordCheckResult result, int wordLength, int computerLength);
};

} // namespace lexinum
