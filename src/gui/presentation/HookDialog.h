#pragma once

#include "presentation/HelpKeyFilter.h"
#include "shell/HelpTopic.h"

#include <QDialog>

class QHBoxLayout;
class QPushButton;

namespace lexinum {

class AppServices;

// The base of the game's dialogs. Each is given its help topic when it is
// built: while it is the innermost open dialog, F1 and its "&Aide" button (if
// it has one) open that topic.
class HookDialog : public QDialog {
    Q_OBJECT

public:
    HookDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic);

    // The "&Aide" button's action: context help on the dialog.
    void Help();
    // The topic F1 opens while this dialog is the innermost one.
    int Topic() const;

protected:
    AppServices& App() const { return app_; }

    // The buttons of the game's dialogs, in a row: "O&K" (the default),
    // "Annuler" and "&Aide", wired to accept, reject and Help.
    struct ButtonRow {
        QPushButton* ok = nullptr;
        QPushButton* cancel = nullptr;
        QPushButton* help = nullptr;
        QHBoxLayout* layout = nullptr;
    };
    ButtonRow MakeButtonRow();
    // Fixes the dialog at its size hint, widened where its title would not
    // show whole beside the window's own buttons (title bars usually show it
    // in bold, with an icon and three buttons).
    void FixSizeForTitle();

private:
    AppServices& app_;
    HelpKeyFilter helpKeys_;
};

} // namespace lexinum
