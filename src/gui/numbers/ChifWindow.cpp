#include "numbers/ChifWindow.h"

#include "shell/AppServices.h"

namespace lexinum {

ChifWindow::ChifWindow(AppServices& app, QWidget* parent) : PanoWindow(app, Game::Numbers, "CHIFFRES", parent) {
    setAccessibleName(QStringLiteral("Le compte est bon"));
    MakeGameButton(Command::PlayLetters);
    MutableCommands().OnCommand(Command::PlayLetters, [this] { App().ShowGame(Game::Letters); });
}

ChifWindow::~ChifWindow() {
    Channel().Halt();
}

} // namespace lexinum
