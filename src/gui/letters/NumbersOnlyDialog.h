#pragma once

#include "presentation/HookDialog.h"

class QPushButton;

namespace lexinum {

// "Jouer aux Chiffres ?": offered when no lexicon can be found. "OK" plays
// the numbers game, "Quitter" ends the program.
class NumbersOnlyDialog : public HookDialog {
    Q_OBJECT

public:
    static constexpr HelpTopic kHelpTopic = HelpTopic::Lexicon;
    // What exec() returns for "Quitter" (OK gives Accepted).
    static constexpr int kQuit = 2;

    NumbersOnlyDialog(QWidget* parent, AppServices& app);

    QPushButton* OkButton() const { return okButton_; }
    QPushButton* QuitButton() const { return quitButton_; }

private:
    QPushButton* okButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
};

} // namespace lexinum
