// Speed of the numbers searches against a plain recursive enumerator.
//
// 2,000 draws are made from the 24 tiles with a target from 101 to 999, from
// a fixed seed. For each draw the same run measures:
//   baseline      a plain enumerator: pick two numbers, combine them with each
//                 operation, recurse on the shorter list, over every state
//                 (nothing allocated inside the recursion);
//   first         the solutions search in its worker until the first hand-over
//                 (the first exact solution, or the end of a search that found
//                 none);
//   all           the solutions search to its end, every solution taken and
//                 appended to a results text as the pane does;
//   computer L6   the computer's search at level 6 ("imbattable").
// Each search is compared with the baseline of the same draw; the report gives
// min / median / p99 / max of the times and of those per-draw ratios, and the
// peak memory after each part.
//
//   numbers_solver_bench [--quick] [--draws=N] [--repeat=N] [benchmark options]
//
// --quick makes 200 draws. --repeat=N runs each draw N times in each part and
// keeps its fastest run (the ratios then compare fastest with fastest).
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "common/TileBox.h"
#include "numbers/NumberRules.h"
#include "numbers/NumbersSolver.h"

#include "BenchStats.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

using lexinum::NumberRules;
using lexinum::NumbersSolver;
using lexinum::SearchChannel;
using lexinum::bench::Clock;
using lexinum::bench::Milliseconds;
using lexinum::bench::Summarize;
using lexinum::bench::Summary;
using Numbers = std::array<int, NumbersSolver::kNumbers>;

struct Draw {
    Numbers numbers;
    int target;
};

int gDraws = 2000;
// Runs of each draw; each part keeps a draw's fastest run, which takes out
// most of what other programs on the machine add.
int gRepeat = 1;
std::vector<Draw> gDrawList;
// Times in milliseconds per part, indexed by draw.
std::map<std::string, std::vector<double>> gTimes;
std::map<std::string, long> gPeakKb;


long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::vector<Draw> MakeDraws(int count, std::uint32_t seed) {
    lexinum::Random15::Seed(seed);
    std::vector<Draw> draws;
    const std::vector<int> counts(NumberRules::kTileCounts.begin(), NumberRules::kTileCounts.end());
    for (int i = 0; i < count; ++i) {
        lexinum::TileBox box(counts);
        Draw draw{};
        for (int& n : draw.numbers)
            n = NumberRules::kTileValues[static_cast<std::size_t>(box.Draw())];
        draw.target = 101 + lexinum::Random15::Below(899);
        draws.push_back(draw);
    }
    return draws;
}

// ---- the baseline: a plain recursive enumerator ----

struct PlainEnumerator {
    int target = 0;
    int bestDistance = INT_MAX;
    long states = 0;

    void Visit(int value) {
        ++states;
        const int distance = std::abs(value - target);
        if (distance < bestDistance)
            bestDistance = distance;
    }

    // Every pair of the `count` values, combined with each operation; the
    // result replaces the pair in a shorter list on the stack.
    void Recurse(const int* values, int count) {
        int next[NumbersSolver::kNumbers];
        for (int i = 0; i < count; ++i) {
            for (int j = i + 1; j < count; ++j) {
                const int a = std::max(values[i], values[j]);
                const int b = std::min(values[i], values[j]);
                int n = 0;
                for (int k = 0; k < count; ++k)
                    if (k != i && k != j)
                        next[n++] = values[k];
                for (int operation = NumberRules::kAdd; operation <= NumberRules::kDivide; ++operation) {
                    const int r = NumberRules::Value(a, operation, b);
                    if (r <= 0)
                        continue;
                    Visit(r);
                    if (n > 0) {
                        next[n] = r;
                        Recurse(next, n + 1);
                    }
                }
            }
        }
    }

    void Run(const Draw& draw) {
        target = draw.target;
        bestDistance = INT_MAX;
        for (int value : draw.numbers)
            Visit(value);
        Recurse(draw.numbers.data(), NumbersSolver::kNumbers);
    }
};

// Keeps the fastest of the runs of a draw (one run each unless --repeat).
void Record(const std::string& name, std::size_t index, double ms) {
    auto& times = gTimes[name];
    if (times.size() < gDrawList.size())
        times.resize(gDrawList.size(), std::numeric_limits<double>::infinity());
    times[index] = std::min(times[index], ms);
}

void BM_Baseline(benchmark::State& state) {
    PlainEnumerator enumerator;
    std::size_t next = 0;
    long states = 0;
    for (auto _ : state) {
        const std::size_t index = next++ % gDrawList.size();
        const auto start = Clock::now();
        enumerator.Run(gDrawList[index]);
        benchmark::DoNotOptimize(enumerator.bestDistance);
        const double ms = Milliseconds(Clock::now() - start);
        state.SetIterationTime(ms / 1000.0);
        Record("baseline", index, ms);
        states += enumerator.states;
        enumerator.states = 0;
    }
    state.counters["states/draw"] = static_cast<double>(states) / static_cast<double>(state.iterations());
    gPeakKb["baseline"] = PeakKb();
}

// The solutions search until its first hand-over; then it is stopped.
void BM_FirstHandOver(benchmark::State& state) {
    NumbersSolver solver;
    SearchChannel channel;
    std::size_t next = 0;
    for (auto _ : state) {
        const std::size_t index = next++ % gDrawList.size();
        solver.SetDraw(gDrawList[index].numbers, gDrawList[index].target);
        solver.ClearPiles();
        const auto start = Clock::now();
        channel.Start([&solver](SearchChannel& worker) { solver.SolutionsSearch(worker); });
        channel.WaitBatch();
        const double ms = Milliseconds(Clock::now() - start);
        state.SetIterationTime(ms / 1000.0);
        Record("first", index, ms);
        channel.TakeText();
        channel.Stop();
        channel.Join();
    }
    gPeakKb["first"] = PeakKb();
}

// The solutions search to its end, every solution appended to a results text.
void BM_AllSolutions(benchmark::State& state) {
    NumbersSolver solver;
    SearchChannel channel;
    std::string results;
    std::size_t next = 0;
    long solutions = 0;
    for (auto _ : state) {
        const std::size_t index = next++ % gDrawList.size();
        solver.SetDraw(gDrawList[index].numbers, gDrawList[index].target);
        solver.ClearPiles();
        results.clear();
        const auto start = Clock::now();
        channel.Start([&solver](SearchChannel& worker) { solver.SolutionsSearch(worker); });
        while (channel.WaitBatch()) {
            solutions += !channel.Complete();
            results += channel.TakeText();
            channel.Continue();
        }
        channel.Join();
        const double ms = Milliseconds(Clock::now() - start);
        benchmark::DoNotOptimize(results.data());
        state.SetIterationTime(ms / 1000.0);
        Record("all", index, ms);
    }
    state.counters["solutions/draw"] = static_cast<double>(solutions) / static_cast<double>(state.iterations());
    gPeakKb["all"] = PeakKb();
}

// The computer's search at the top level.
void BM_Computer(benchmark::State& state) {
    NumbersSolver solver;
    solver.SetLevel(static_cast<int>(state.range(0)));
    SearchChannel channel;
    std::size_t next = 0;
    long exact = 0;
    for (auto _ : state) {
        const std::size_t index = next++ % gDrawList.size();
        solver.SetDraw(gDrawList[index].numbers, gDrawList[index].target);
        solver.ClearPiles();
        const auto start = Clock::now();
        channel.Start([&solver](SearchChannel& worker) { solver.ComputerSearch(worker); });
        channel.WaitComputer();
        channel.Join();
        const double ms = Milliseconds(Clock::now() - start);
        state.SetIterationTime(ms / 1000.0);
        Record("computer L6", index, ms);
        exact += solver.ComputerExact();
        channel.TakeText();
    }
    state.counters["exact"] = static_cast<double>(exact) / static_cast<double>(state.iterations());
    gPeakKb["computer L6"] = PeakKb();
}

void PrintReport() {
    const std::vector<double>& baseline = gTimes["baseline"];
    if (baseline.empty())
        return;
    std::printf("\nNumbers searches, %zu draws from the tiles, targets 101 to 999", gDrawList.size());
    if (gRepeat > 1)
        std::printf(", fastest of %d runs of each", gRepeat);
    std::printf("\n");
    std::printf("%-13s %9s %9s %9s %9s   %-28s %9s\n", "ms", "min", "median", "p99", "max",
                "ratio to baseline per draw", "peak KB");
    std::printf("%-13s %9s %9s %9s %9s   %9s %9s %9s\n", "", "", "", "", "", "min", "median", "p99");
    struct Target {
        const char* name;
        const char* statistic;
        double limit;
    };
    const std::vector<Target> targets = {
        {"first", "p99", 0.5}, {"all", "median", 0.3}, {"computer L6", "median", 0.25}, {"computer L6", "p99", 2.0}};
    std::map<std::string, Summary> ratios;
    for (const char* name : {"baseline", "first", "all", "computer L6"}) {
        const std::vector<double>& times = gTimes[name];
        if (times.size() != baseline.size())
            continue;
        std::vector<double> perDraw;
        for (std::size_t i = 0; i < times.size(); ++i)
            perDraw.push_back(times[i] / baseline[i]);
        const Summary t = Summarize(times);
        const Summary r = Summarize(perDraw);
        ratios[name] = r;
        std::printf("%-13s %9.3f %9.3f %9.3f %9.3f   %9.4f %9.4f %9.4f %9ld\n", name, t.min, t.median, t.p99, t.max,
                    r.min, r.median, r.p99, gPeakKb[name]);
    }
    std::printf("\nTargets (per-draw ratio to the baseline):\n");
    for (const Target& target : targets) {
        if (!ratios.count(target.name))
            continue;
        const Summary& r = ratios[target.name];
        const double value = std::string(target.statistic) == "p99" ? r.p99 : r.median;
        std::printf("  %-12s %-6s %8.4f x  (target <= %.2f x)  %s\n", target.name, target.statistic, value,
                    target.limit, value <= target.limit ? "met" : "MISSED");
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick")
            gDraws = 200;
        else if (arg.rfind("--draws=", 0) == 0)
            gDraws = std::max(1, std::atoi(arg.c_str() + 8));
        else if (arg.rfind("--repeat=", 0) == 0)
            gRepeat = std::max(1, std::atoi(arg.c_str() + 9));
        else
            args.push_back(argv[i]);
    }
    gDrawList = MakeDraws(gDraws, 2026U);
    for (const auto& [name, function] : std::vector<std::pair<const char*, void (*)(benchmark::State&)>>{
             {"baseline/plain_enumerator", BM_Baseline},
             {"solutions/first_hand_over", BM_FirstHandOver},
             {"solutions/all_listed", BM_AllSolutions}}) {
        benchmark::RegisterBenchmark(name, function)
            ->Iterations(static_cast<benchmark::IterationCount>(gDraws) * gRepeat)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("computer/level", BM_Computer)
        ->Arg(6)
        ->Iterations(static_cast<benchmark::IterationCount>(gDraws) * gRepeat)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    int benchArgc = static_cast<int>(args.size());
    benchmark::Initialize(&benchArgc, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintReport();
    return 0;
}
