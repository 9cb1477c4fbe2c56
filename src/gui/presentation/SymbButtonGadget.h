#pragma once

#include <QToolButton>

class QLineEdit;

namespace lexinum {

class GameState;

// A button of the letter palette. Gadget `id` 0 to 25 shows the letter A + id
// (the digit 0 + id while the numbers game is shown) and types the letter;
// gadget 26 erases. Released over itself while no dialog of the game is open,
// it edits the target field: the selection goes, then the letter is inserted
// at the caret, or, for the eraser with nothing selected, the whole field is
// emptied. It never takes the focus, so the field keeps it. A screen reader
// reads the letter, or "Effacer".
class SymbButtonGadget : public QToolButton {
    Q_OBJECT

public:
    // The id of the eraser.
    static constexpr int kEraseId = 26;

    SymbButtonGadget(int id, QLineEdit* target, const GameState& state, QWidget* parent);

    int Id() const { return id_; }
    // What gadget `id` does to `field`.
    static void EditField(QLineEdit* field, int id);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void ShowSymbol();
    void DrawEraser();

    int id_;
    QLineEdit* target_;
    const GameState& state_;
};

} // namespace lexinum
