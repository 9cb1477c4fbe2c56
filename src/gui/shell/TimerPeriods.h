#pragma once

#include <chrono>

namespace lexinum {

// The periods of the game's timers, in one place so that tests can shorten
// them: the time to answer in a match round, and the pause of an automatic
// pick between the player's vowel and consonant choices.
struct TimerPeriods {
    std::chrono::milliseconds wordAnswer{40'000};
    std::chrono::milliseconds calculationAnswer{50'000};
    std::chrono::milliseconds letterPick{2'000};
};

} // namespace lexinum
