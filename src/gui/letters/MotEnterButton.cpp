#include "letters/MotEnterButton.h"

namespace lexinum {

MotEnterButton::MotEnterButton(int index, QWidget* parent) : QPushButton(parent), index_(index) {
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
}

void MotEnterButton::SetLetter(QChar letter) {
    letter_ = letter;
    setText(letter.isNull() ? QString() : QString(letter));
    setAccessibleName(text());
}

} // namespace lexinum
