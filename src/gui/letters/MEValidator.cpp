#include "letters/MEValidator.h"

#include "lexicon/LetterEntry.h"

#include <algorithm>

namespace lexinum {

MEValidator::MEValidator(std::string_view letters, QObject* parent) : QValidator(parent), letters_(letters) {
    std::sort(letters_.begin(), letters_.end());
}

QValidator::State MEValidator::validate(QString& input, int& /*pos*/) const {
    std::string word;
    for (QChar& c : input) {
        const char letter = TypedLetter(c.unicode());
        if (letter == 0)
            return Invalid;
        c = QLatin1Char(letter);
        word += letter;
    }
    return FitsDraw(letters_, word) ? Acceptable : Invalid;
}

} // namespace lexinum
