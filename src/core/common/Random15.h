#pragma once

#include <cstdint>

namespace lexinum {

// The process-wide 15-bit random generator (0 to 32767). Seeded from the clock
// at start-up; a test or the command line can seed it to replay draws. Safe to
// call from a worker thread.
class Random15 {
public:
    static constexpr int kRange = 32768;

    // Next value, uniform in 0..32767.
    static int Next();
    // A value uniform in 0..n-1, scaled the game's way: Next() * n / 32768.
    static int Below(int n);
    // Restarts the sequence from `seed`.
    static void Seed(std::uint32_t seed);
    // Seeds from the current time in seconds.
    static void SeedFromClock();
};

} // namespace lexinum
