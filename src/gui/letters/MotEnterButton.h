#pragma once

#include <QPushButton>

namespace lexinum {

// A letter button of the word entry: shows one drawn letter, and a press
// writes it into the word. It is reached with Tab but a click leaves the
// focus (and the selection) in the word.
class MotEnterButton : public QPushButton {
    Q_OBJECT

public:
    MotEnterButton(int index, QWidget* parent);

    int Index() const { return index_; }
    // The letter shown (none beyond the draw).
    QChar Letter() const { return letter_; }
    void SetLetter(QChar letter);

private:
    int index_;
    QChar letter_;
};

} // namespace lexinum
