#pragma once

#include "presentation/PanoWindow.h"

namespace lexinum {

// The pane of the numbers game ("Le compte est bon"). Its place-3 button
// "Lett&res" switches to the letters game.
class ChifWindow : public PanoWindow {
    Q_OBJECT

public:
    explicit ChifWindow(TivApp& app, QWidget* parent = nullptr);
};

} // namespace lexinum
