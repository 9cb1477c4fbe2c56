#include "numbers/ChifWindow.h"

#include "app/TivApp.h"

namespace lexinum {

ChifWindow::ChifWindow(TivApp& app, QWidget* parent) : PanoWindow(app, "CHIFFRES", parent) {
    MakeGameButton(Command::PlayLetters, QStringLiteral("Lett&res"));
    MutableCommands().OnCommand(Command::PlayLetters, [this] { App().ShowLettersPane(); });
}

} // namespace lexinum
