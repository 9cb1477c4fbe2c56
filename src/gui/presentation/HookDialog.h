#pragma once

#include "presentation/HelpKeyFilter.h"

#include <QDialog>

namespace lexinum {

// The base of the game's dialogs: while the dialog lives, F1 gives the help
// topic its caller set in the application's help context, and its "&Aide"
// button (if it has one) does the same.
class HookDialog : public QDialog {
    Q_OBJECT

public:
    explicit HookDialog(QWidget* parent);

    // The "&Aide" button's action: context help on the dialog.
    void Help();

private:
    HelpKeyFilter helpKeys_;
};

} // namespace lexinum
