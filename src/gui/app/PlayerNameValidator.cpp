#include "app/PlayerNameValidator.h"

#include "match/PlayerName.h"

namespace lexinum {

PlayerNameValidator::PlayerNameValidator(QObject* parent) : QValidator(parent) {}

QValidator::State PlayerNameValidator::validate(QString& input, int& /*pos*/) const {
    // An empty field may be typed into; OK refuses it.
    if (input.isEmpty())
        return Intermediate;
    return IsPlayerName(input.toStdString()) ? Acceptable : Invalid;
}

} // namespace lexinum
