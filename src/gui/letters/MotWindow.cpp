#include "letters/MotWindow.h"

#include "shell/AppServices.h"

namespace lexinum {

MotWindow::MotWindow(AppServices& app, QWidget* parent) : PanoWindow(app, Game::Letters, "LETTRES", parent) {
    setAccessibleName(QStringLiteral("Le mot le plus long"));
    MakeGameButton(Command::PlayNumbers);
    MutableCommands().OnCommand(Command::PlayNumbers, [this] { App().ShowGame(Game::Numbers); });
}

MotWindow::~MotWindow() {
    Channel().Halt();
}

} // namespace lexinum
