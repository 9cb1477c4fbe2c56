#include "shell/GameState.h"

namespace lexinum {

GameState::GameState(QObject* parent) : QObject(parent) {}

void GameState::Set(bool& field, bool value) {
    if (field == value)
        return;
    field = value;
    emit changed();
}

void GameState::SetShownGame(Game game) {
    if (shownGame_ == game)
        return;
    shownGame_ = game;
    emit changed();
}

void GameState::SetCompetition(bool competition) {
    Set(competition_, competition);
}

void GameState::SetLevel(int level) {
    if (level_ == level)
        return;
    level_ = level;
    emit changed();
}

void GameState::SetMatchOver(bool over) {
    Set(matchOver_, over);
}

void GameState::SetMatchModified(bool modified) {
    Set(matchModified_, modified);
}

void GameState::SetUntitled(bool untitled) {
    Set(untitled_, untitled);
}

void GameState::SetCanCheck(Game game, bool canCheck) {
    Set(canCheck_[Index(game)], canCheck);
}

void GameState::SetLetterPaletteShown(bool shown) {
    Set(letterPalette_, shown);
}

void GameState::SetBitmapPaletteShown(bool shown) {
    Set(bitmapPalette_, shown);
}

void GameState::SetHelpAvailable(bool available) {
    Set(helpAvailable_, available);
}

} // namespace lexinum
