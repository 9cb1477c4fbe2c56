#include "letters/BonjourValidator.h"

#include "lexicon/LetterDraw.h"
#include "lexicon/LetterEntry.h"

namespace lexinum {

BonjourValidator::BonjourValidator(QObject* parent) : QValidator(parent) {}

QValidator::State BonjourValidator::validate(QString& input, int& /*pos*/) const {
    if (input.size() > LetterDraw::kMaxLetters)
        return Invalid;
    for (QChar& c : input) {
        const char letter = TypedLetter(c.unicode());
        if (letter == 0)
            return Invalid;
        c = QLatin1Char(letter);
    }
    return Acceptable;
}

bool BonjourValidator::IsValidText(const QString& text) {
    return LetterDraw::IsDrawText(text.toStdString());
}

} // namespace lexinum
