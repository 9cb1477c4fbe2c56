#pragma once

#include "presentation/PanoWindow.h"

namespace lexinum {

// The pane of the letters game ("Le mot le plus long"). Its place-3 button
// "Chiff&res" switches to the numbers game.
class MotWindow : public PanoWindow {
    Q_OBJECT

public:
    explicit MotWindow(AppServices& app, QWidget* parent = nullptr);
    // Halts the pane's search before the search state it uses goes.
    ~MotWindow() override;
};

} // namespace lexinum
