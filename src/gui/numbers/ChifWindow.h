#pragma once

#include "presentation/PanoWindow.h"

namespace lexinum {

// The pane of the numbers game ("Le compte est bon"). Its place-3 button
// "Lett&res" switches to the letters game.
class ChifWindow : public PanoWindow {
    Q_OBJECT

public:
    explicit ChifWindow(AppServices& app, QWidget* parent = nullptr);
    // Halts the pane's search before the search state it uses goes.
    ~ChifWindow() override;
};

} // namespace lexinum
