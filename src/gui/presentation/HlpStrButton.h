#pragma once

#include "shell/Command.h"

#include <QPushButton>

namespace lexinum {

// A pane push button that explains itself: while it is held down it announces
// the hint of its command (the pane shows it in the message bar); releasing
// it, inside or outside, announces that the hint is over. Its label is the
// command's button label. The buttons of a pane are one group: the arrow keys
// go from one shown and enabled button to the next, though only the first is
// a tab stop.
class HlpStrButton : public QPushButton {
    Q_OBJECT

public:
    HlpStrButton(Command command, QWidget* parent);

    // The command the button sends.
    Command CommandId() const { return command_; }

signals:
    // The button is held down: `hint` explains it.
    void hintShown(const QString& hint);
    // The button was released.
    void hintCleared();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The shown and enabled button of the same pane after this one from left
    // to right (`forward`) or before it, round at the ends; null if none.
    HlpStrButton* Neighbour(bool forward) const;

    Command command_;
};

} // namespace lexinum
