#pragma once

#include <chrono>

namespace lexinum {

// The periods of the game's timers, in one place so that tests can shorten
// them: the time to answer in a match round (the clock shows it in 40 or 50
// steps), the time the player has for each vowel or consonant pick of a
// match draw before one is made for him, and the pause after each letter of
// a match draw; and how long work at start (the first copy of the lexicon)
// may go on before the player is shown its progress.
struct TimerPeriods {
    std::chrono::milliseconds wordAnswer{40'000};
    std::chrono::milliseconds calculationAnswer{50'000};
    std::chrono::milliseconds letterPick{2'000};
    std::chrono::milliseconds pickPause{200};
    std::chrono::milliseconds progressDelay{300};
};

} // namespace lexinum
