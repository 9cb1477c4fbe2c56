#pragma once

#include "shell/Game.h"

#include <QObject>

#include <array>

namespace lexinum {

// The state the command enablers, the menus and the pane buttons follow:
// which game is shown, training or match, the match's flags, whether each
// pane can show more solutions, which palettes are open. Every setter that
// changes something announces it with `changed`, and the frame refreshes the
// commands from that one signal: nobody refreshes by hand.
class GameState : public QObject {
    Q_OBJECT

public:
    explicit GameState(QObject* parent = nullptr);

    // The game whose pane the frame shows.
    Game ShownGame() const { return shownGame_; }
    bool LettersShown() const { return shownGame_ == Game::Letters; }
    void SetShownGame(Game game);

    // A match is being played (otherwise the game is in training).
    bool Competition() const { return competition_; }
    void SetCompetition(bool competition);

    // The computer's level in the match, 1 to 6; 0 in training.
    int Level() const { return level_; }
    void SetLevel(int level);

    // The match has been decided and waits for "&Poursuivre" to end.
    bool MatchOver() const { return matchOver_; }
    void SetMatchOver(bool over);

    // The running match changed since it was last saved or opened.
    bool MatchModified() const { return matchModified_; }
    void SetMatchModified(bool modified);

    // The running match was never saved: it has no file yet.
    bool Untitled() const { return untitled_; }
    void SetUntitled(bool untitled);

    // The pane of `game` has solutions to show with "&Vérifier".
    bool CanCheck(Game game) const { return canCheck_[Index(game)]; }
    void SetCanCheck(Game game, bool canCheck);

    // The letter palette is shown.
    bool LetterPaletteShown() const { return letterPalette_; }
    void SetLetterPaletteShown(bool shown);

    // The bitmap palette is shown.
    bool BitmapPaletteShown() const { return bitmapPalette_; }
    void SetBitmapPaletteShown(bool shown);

    // A help window answers the help commands.
    bool HelpAvailable() const { return helpAvailable_; }
    void SetHelpAvailable(bool available);

signals:
    // Something above changed.
    void changed();

private:
    static std::size_t Index(Game game) { return game == Game::Letters ? 0 : 1; }
    void Set(bool& field, bool value);

    Game shownGame_ = Game::Letters;
    bool competition_ = false;
    int level_ = 0;
    bool matchOver_ = false;
    bool matchModified_ = false;
    bool untitled_ = false;
    std::array<bool, 2> canCheck_{false, false};
    bool letterPalette_ = false;
    bool bitmapPalette_ = false;
    bool helpAvailable_ = false;
};

} // namespace lexinum
