#pragma once

#include <QValidator>

namespace lexinum {

// The name field's rule as the player types: at most 10 characters, none a
// blank, each one the saved game and the Top Ten can store (see
// match/PlayerName.h). A character that breaks it is refused whole.
class PlayerNameValidator : public QValidator {
    Q_OBJECT

public:
    explicit PlayerNameValidator(QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
};

} // namespace lexinum
