#pragma once

#include "app/GameFileData.h"
#include "presentation/HelpKeyFilter.h"

#include <QFileDialog>

namespace lexinum {

class AppServices;

// The file dialog of the saved games: "Reprendre une partie" picks an
// existing file, "Sauvegarder une partie" takes any name typed (".tiv"
// added when it has none) and asks before replacing a file. Both open on the
// last file named, or in the folder kept from the last session, with the
// saved games' filter, "&Aide" and F1.
class GameFileDialog : public QFileDialog {
    Q_OBJECT

public:
    enum class Purpose { Resume, Save };

    GameFileDialog(QWidget* parent, AppServices& app, Purpose purpose, const GameFileData& data);

    // Runs the dialog; the file chosen, empty when it was dismissed.
    QString Choose();

private:
    HelpKeyFilter helpKeys_;
};

} // namespace lexinum
