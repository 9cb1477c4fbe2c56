#pragma once

#include "app/Command.h"
#include "app/CommandTable.h"
#include "app/TivApp.h"

#include <QMainWindow>

class QMenu;
class QStackedWidget;

namespace lexinum {

class CommandRouter;
class PanoWindow;

// The main window: a frame of fixed size (it can still be minimized and
// maximized) showing one game pane at a time, with the game's menu bar, the
// F1 and Shift+F1 keys and the message bar where the hints appear.
class TivFrame : public QMainWindow {
    Q_OBJECT

public:
    // The frame, showing `lettersPane` (which it takes over).
    TivFrame(TivApp& app, PanoWindow* lettersPane);
    ~TivFrame() override;

    // Takes `pane` as a second client, hidden until SetClient shows it.
    void AddPane(PanoWindow* pane);
    // Shows `pane` as the client; the other pane is hidden.
    void SetClient(PanoWindow* pane);
    // The pane now shown.
    PanoWindow* Client() const;

    // Sends a command to the shown pane, then the frame, then the application,
    // and runs the enablers again; false when disabled or unanswered.
    bool RunCommand(Command command);
    // True when `command` is enabled now.
    bool IsCommandEnabled(Command command) const;
    // Runs the enablers: greys or enables every menu item and the shown pane's
    // buttons, and sets the check marks.
    void UpdateCommands();
    // The frame's own command table.
    const CommandTable& Commands() const { return commands_; }
    CommandTable& Commands() { return commands_; }

    // The menu item of a command, or null (the "&Lexique" items are found
    // even while that menu is detached).
    QAction* FindMenuItem(Command command) const;
    // The "&Lexique" popup.
    QMenu* LexiconMenu() const { return lexiconMenu_; }
    // True while the "&Lexique" popup is in the menu bar.
    bool LexiconMenuShown() const;

    // The menu of the numbers game: no "&Lexique", "Jouer aux &Lettres", "&Nouveaux nombres".
    void UseNumbersMenu();
    // The menu of the letters game: "&Lexique" back, "Jouer aux &Chiffres", "&Nouvelles lettres".
    void UseLettersMenu();
    // The menu of a match: "&Poursuivre" and "&Vérifier" in place of the new draw and the solutions.
    void UseCompetitionMenu();
    // The training menu again: the new draw of the shown game and "&Voir les solutions...".
    void UseTrainingMenu();

    // Sizes the frame and places the panes' children from the current layout.
    void ApplyLayout();
    // Asked before closing: writes the frame's position and the bitmap folder. Always true.
    bool CanClose();

    // The folder the next bitmap file dialog opens in.
    std::string bitmapsFolder;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CommandRouter Router() const;
    void BuildMenu();
    void SetItemCommand(QAction* item, Command command, const char* label);
    void ReplaceItemCommand(Command from, Command to, const char* label);
    void RelabelItem(Command command, const char* label);

    TivApp& app_;
    CommandTable commands_;
    QStackedWidget* clients_ = nullptr;
    QMenu* lexiconMenu_ = nullptr;
    QList<QMenu*> menus_;
    TivApp::SizeType lastSizeType_ = TivApp::SizeType::Restored;
};

} // namespace lexinum
