#pragma once

#include "presentation/CenteredDialog.h"

#include <QString>

class QPushButton;

namespace lexinum {

// "A propos Lexinum": the program's name, its two games with its icon between
// them, a version line, two framed lines on its terms of distribution and
// "Vu", which closes it. The About command then tells three more lines
// (AboutNote), kept scrambled in the program like the saved games.
class HelpAboutDialog : public CenteredDialog {
    Q_OBJECT

public:
    HelpAboutDialog(QWidget* parent, AppServices& app);

    // Runs the dialog over `frame`, then the note under the program's name.
    static void Show(QWidget* frame, AppServices& app);
    // The three lines the About command shows after the dialog.
    static QString AboutNote();
    // The version line.
    static QString VersionText();

    QPushButton* SeenButton() const { return seen_; }

private:
    QPushButton* seen_ = nullptr;
};

} // namespace lexinum
