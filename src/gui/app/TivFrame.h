#pragma once

#include "app/TivApp.h"
#include "presentation/BitmapPalette.h"
#include "shell/Command.h"
#include "shell/CommandTable.h"
#include "shell/GameState.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QLabel;
class QMenu;
class QProgressBar;
class QProxyStyle;
class QStackedWidget;

namespace lexinum {

class CommandRouter;
class PanoWindow;

// The main window, showing one game pane at a time, with the game's menu bar,
// the F1 and Shift+F1 keys and the message bar where the hints appear. It
// keeps its layout size (a drag on its border brings it back), and can be
// minimized and maximized. It follows the game state by itself: the pane
// shown, the caption, the menus of each game and mode, and which commands are
// enabled.
class TivFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit TivFrame(TivApp& app);
    ~TivFrame() override;

    // Takes `pane` as a client, hidden until the state shows its game.
    void AddPane(PanoWindow* pane);
    // The pane now shown.
    PanoWindow* Client() const;

    // Sends a command to the shown pane, then the frame, then the
    // application; false when disabled or unanswered.
    bool RunCommand(Command command);
    // True when `command` is enabled now.
    bool IsCommandEnabled(Command command) const;
    // The frame's own command table.
    const CommandTable& Commands() const { return commands_; }

    // The menu item of a command, or null (the "&Lexique" items are found
    // even while that menu is detached).
    QAction* FindMenuItem(Command command) const;
    // The "&Lexique" popup.
    QMenu* LexiconMenu() const { return lexiconMenu_; }
    // True while the "&Lexique" popup is in the menu bar.
    bool LexiconMenuShown() const;

    // Brings the pane, caption and menus in line with the state, then runs
    // the enablers: greys or enables every menu item and the shown pane's
    // buttons, and sets the check marks. Called on every change of the state.
    void FollowState();

    // The menu of the numbers game: no "&Lexique", "Jouer aux &Lettres", "&Nouveaux nombres".
    void UseNumbersMenu();
    // The menu of the letters game: "&Lexique" back, "Jouer aux &Chiffres", "&Nouvelles lettres".
    void UseLettersMenu();

    // Sizes the frame and places the panes' children from the current layout.
    void ApplyLayout();
    // Asked before closing: writes the frame's position and the bitmap folder. Always true.
    bool CanClose();
    // Shows `text` and a bar of `done` out of `total` steps at the right of
    // the message bar, where menu hints do not cover them; an empty text
    // takes them away.
    void ShowProgress(const QString& text, int done, int total);
    // The progress shown (null until some progress was shown).
    QLabel* ProgressLabel() const { return progressLabel_; }
    QProgressBar* ProgressBar() const { return progressBar_; }

    // The folder the next bitmap file dialog opens in.
    std::string bitmapsFolder;

    // Command 124 "Fichier &bitmap...": a bitmap file behind the pane shown.
    void ChooseBitmapFile();
    // Shows the pattern palette at its kept place.
    void ShowBitmapPalette();
    // Keeps the pattern palette's place, and closes it.
    void HideBitmapPalette();
    // The pattern palette while it is shown, otherwise null.
    BitmapPalette* PatternPalette() const { return bitmapPalette_.data(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CommandRouter Router() const;
    void BuildMenu();
    void UpdateCommands();
    void UseCompetitionMenu();
    void UseTrainingMenu();
    void SetItemCommand(QAction* item, Command command);
    void ReplaceItemCommand(Command from, Command to);
    void RelabelItem(Command command);
    QSize LayoutSize() const;

    TivApp& app_;
    CommandTable commands_;
    QStackedWidget* clients_ = nullptr;
    QMenu* lexiconMenu_ = nullptr;
    QList<QMenu*> menus_;
    std::unique_ptr<QProxyStyle> menuStyle_;
    TivApp::SizeType lastSizeType_ = TivApp::SizeType::Restored;
    bool firstSizeSeen_ = false;
    // What the menus show now.
    Game menuGame_ = Game::Letters;
    bool menuCompetition_ = false;
    QPointer<BitmapPalette> bitmapPalette_;
    // The bitmap file chosen last, where the next dialog opens.
    QString lastBitmapFile_;
    QLabel* progressLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
};

} // namespace lexinum
