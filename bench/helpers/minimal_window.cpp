// The yardstick of the start-up benchmark: the smallest Qt window program,
// started as the game is, that paints one window and, with the same hook as
// the game, prints "first-frame" and ends once that first paint is handled.
#include "presentation/FirstFrameProbe.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Fenêtre minimale"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Bonjour"), &window));
    window.resize(800, 600);
    lexinum::FirstFrameProbe::InstallIfAsked(&window);
    window.show();
    return QApplication::exec();
}
