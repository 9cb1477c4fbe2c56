#include "NumberDraw.h"

#include "NumberRules.h"
#include "common/Random15.h"
#include "common/TileBox.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace lexinum {

NumberDraw NumberDraw::Competition() {
    return Training(true, kCompetitionMinTarget, kCompetitionMaxTarget);
}

NumberDraw NumberDraw::Training(bool fromTiles, int minTarget, int maxTarget) {
    NumberDraw draw;
    // The numbers are drawn before the target, so a seeded draw replays.
    draw.numbers = fromTiles ? DrawTiles() : DrawFree();
    draw.target = DrawTarget(minTarget, maxTarget);
    return draw;
}

NumberDraw NumberDraw::Placeholder(int target) {
    NumberDraw draw;
    draw.numbers.fill(kPlaceholderNumber);
    draw.target = target;
    return draw;
}

std::array<int, NumberDraw::kNumberCount> NumberDraw::DrawTiles() {
    TileBox box(std::vector<int>(NumberRules::kTileCounts.begin(), NumberRules::kTileCounts.end()));
    std::array<int, kNumberCount> numbers{};
    // Six draws from 24 tiles: the box is never empty here.
    for (int& number : numbers)
        number = NumberRules::kTileValues[static_cast<std::size_t>(box.Draw())];
    return numbers;
}

std::array<int, NumberDraw::kNumberCount> NumberDraw::DrawFree() {
    std::array<int, kNumberCount> numbers{};
    for (int& number : numbers)
        number = Random15::Below(kFreeMax - kFreeMin + 1) + kFreeMin;
    return numbers;
}

int NumberDraw::DrawTarget(int minTarget, int maxTarget) {
    int low = std::clamp(minTarget, kLowestTarget, kHighestTarget);
    int high = std::clamp(maxTarget, kLowestTarget, kHighestTarget);
    if (low > high)
        std::swap(low, high);
    return low + Random15::Below(high + 1 - low);
}

} // namespace lexinum
