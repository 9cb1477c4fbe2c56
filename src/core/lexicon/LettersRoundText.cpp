#include "LettersRoundText.h"

namespace lexinum {

namespace {

bool AcceptedAsLongAs(WordCheckResult result, int wordLength, int length) {
    // A search that found nothing has no length to match: an accepted word
    // is then better, not equal.
    return result == WordCheckResult::Accepted && length > 0 && wordLength == length;
}

} // namespace

std::string LettersRoundText::TrainingRemark(WordCheckResult result, int wordLength, int groupLength) {
    return AcceptedAsLongAs(result, wordLength, groupLength) ? kTrainingBest : "";
}

std::string LettersRoundText::MatchRemark(WordCheckResult result, int wordLength, int computerLength) {
    return AcceptedAsLongAs(result, wordLength, computerLength) ? kMatchEqual : "";
}

} // namespace lexinum
