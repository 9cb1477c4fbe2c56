#include "Random15.h"

#include <chrono>
#include <mutex>
#include <random>

namespace lexinum {

namespace {
struct Generator {
    std::mutex lock;
    std::mt19937 engine{static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count())};
};
Generator& Shared() {
    static Generator generator;
    return generator;
}
} // namespace

int Random15::Next() {
    Generator& g = Shared();
    std::lock_guard guard(g.lock);
    return static_cast<int>(g.engine() >> 17); // top 15 bits
}

int Random15::Below(int n) {
    return static_cast<int>(static_cast<std::int64_t>(Next()) * n / kRange);
}

void Random15::Seed(std::uint32_t seed) {
    Generator& g = Shared();
    std::lock_guard guard(g.lock);
    g.engine.seed(seed);
}

void Random15::SeedFromClock() {
    Seed(static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count()));
}

} // namespace lexinum
