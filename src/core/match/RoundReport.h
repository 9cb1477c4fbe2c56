#pragma once

#include <variant>

namespace lexinum {

// What the letters pane reports at the end of a match round.
struct LettersRoundReport {
    // The player's word was accepted.
    bool accepted = false;
    // Length of the computer's best word (0 when it found none).
    int computerLength = 0;
    // Length of the player's word.
    int playerLength = 0;
    // False when the word could not be judged (a lexicon file could not be
    // read): a failure of the program is never scored against the player.
    bool judged = true;
    // False when the computer's search could not run to its answer (the
    // lexicon was lost meanwhile): nor is it scored against the computer.
    bool computerSearched = true;
};

// What the numbers pane reports at the end of a match round.
struct NumbersRoundReport {
    // The computer reached the target.
    bool computerExact = false;
    // Distance of the computer's best result from the target.
    int computerDistance = 0;
    // The value the player's calculation reached.
    int playerResult = 0;
    // The target.
    int target = 0;
};

// The report of one match round, from either pane; the match scores it.
using RoundReport = std::variant<LettersRoundReport, NumbersRoundReport>;

} // namespace lexinum
