#pragma once

#include "app/Command.h"

#include <QPushButton>

namespace lexinum {

// A pane push button that explains itself: while it is held down, the hint of
// its command stands in the message bar; releasing it, inside or outside,
// clears the hint.
class HlpStrButton : public QPushButton {
    Q_OBJECT

public:
    HlpStrButton(Command command, const QString& text, QWidget* parent);

    // The command the button sends.
    Command CommandId() const { return command_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Command command_;
};

} // namespace lexinum
