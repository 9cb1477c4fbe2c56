#pragma once

// Timing and summary helpers shared by the benchmark programs.

#include <algorithm>
#include <chrono>
#include <vector>

namespace lexinum::bench {

using Clock = std::chrono::steady_clock;

// A duration in milliseconds.
inline double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The spread of a set of measures.
struct Summary {
    double min = 0;
    double median = 0;
    double p99 = 0;
    double max = 0;
};

// Min, median, 99th percentile (nearest rank) and max of `values`, which must not be empty.
inline Summary Summarize(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) {
        const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
        return values[std::min(index, values.size() - 1)];
    };
    return {values.front(), at(0.5), at(0.99), values.back()};
}

} // namespace lexinum::bench
