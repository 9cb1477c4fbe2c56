#pragma once

#include <QValidator>

namespace lexinum {

// The letters field's rule as the player types: capitals A to Z only, 27 at
// most. A small letter, accented or not, becomes its capital (é gives E);
// anything else is refused.
class BonjourValidator : public QValidator {
    Q_OBJECT

public:
    explicit BonjourValidator(QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    // The whole-text rule: every character is a capital A to Z.
    static bool IsValidText(const QString& text);
};

} // namespace lexinum
