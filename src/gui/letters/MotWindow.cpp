#include "letters/MotWindow.h"

#include "app/TivApp.h"

namespace lexinum {

MotWindow::MotWindow(TivApp& app, QWidget* parent) : PanoWindow(app, "LETTRES", parent) {
    MakeGameButton(Command::PlayNumbers, QStringLiteral("Chiff&res"));
    MutableCommands().OnCommand(Command::PlayNumbers, [this] { App().ShowNumbersPane(); });
}

} // namespace lexinum
