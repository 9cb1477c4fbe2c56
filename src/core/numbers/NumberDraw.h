#pragma once

#include <array>

namespace lexinum {

// One draw of the numbers game: six numbers and the target to reach. A match
// round draws six of the 24 tiles and a target from 101 to 999; training does
// the same, or draws free numbers from 1 to 100, with the target range of the
// player's settings.
class NumberDraw {
public:
    static constexpr int kNumberCount = 6;
    // Free numbers are drawn from 1 to 100.
    static constexpr int kFreeMin = 1;
    static constexpr int kFreeMax = 100;
    // The target range of a match round, and the default training range.
    static constexpr int kCompetitionMinTarget = 101;
    static constexpr int kCompetitionMaxTarget = 999;
    // No target is ever below 1 or above 32767.
    static constexpr int kLowestTarget = 1;
    static constexpr int kHighestTarget = 32767;
    // The number shown in every box between two match rounds.
    static constexpr int kPlaceholderNumber = 10;

    std::array<int, kNumberCount> numbers{};
    int target = 0;

    // The draw of a match round: six tiles, a target from 101 to 999.
    static NumberDraw Competition();
    // The draw of training: six tiles when `fromTiles`, else six free numbers,
    // then a target from `minTarget` to `maxTarget`.
    static NumberDraw Training(bool fromTiles, int minTarget, int maxTarget);
    // What the pane shows between two match rounds: six 10s and `target`.
    static NumberDraw Placeholder(int target = kCompetitionMinTarget);

    // Six tiles drawn without replacement from the 24, in the order drawn.
    static std::array<int, kNumberCount> DrawTiles();
    // Six numbers drawn independently from 1 to 100 (they may repeat).
    static std::array<int, kNumberCount> DrawFree();
    // A target drawn uniformly from minTarget to maxTarget. Bounds read from a
    // damaged settings file are first brought into 1..32767 and put in order,
    // so the target is always a number the game can play.
    static int DrawTarget(int minTarget, int maxTarget);
};

} // namespace lexinum
