#pragma once

#include "shell/Command.h"

#include <QPushButton>

namespace lexinum {

// A pane push button that explains itself: while it is held down it announces
// the hint of its command (the pane shows it in the message bar); releasing
// it, inside or outside, announces that the hint is over. Its label is the
// command's button label.
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

private:
    Command command_;
};

} // namespace lexinum
