#pragma once

namespace lexinum {

// The two games, and the pane of each.
enum class Game { Letters, Numbers };

// The title of `game`: the frame's caption and the name of its pane.
constexpr const char* GameTitle(Game game) {
    return game == Game::Letters ? "Le mot le plus long" : "Le compte est bon";
}

} // namespace lexinum
