// How soon a search ends once it is told to stop, for the searches a pane
// halts: the time from Stop() to the end of its worker thread (joined) and,
// for the numbers searches, the processor time the worker still spent after
// the stop, which a busy machine does not inflate.
//
// Each search runs on the slowest draws found for it, as the pane runs it
// (every batch taken and let go at once), and is stopped at a moment drawn
// at random over its unstopped length, from a fixed seed. A stop that comes
// after the search has ended by itself measures nothing and is counted
// apart. The report gives min / median / p99 / max per search.
//
//   stop_latency_bench [--stops=N] [--lexicon=DIR] [benchmark options]
//
// --stops=N stops each search N times (default 200). The letters search runs
// only where a lexicon can be read (the shipped one by default).
#include "common/SearchChannel.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordSearch.h"
#include "numbers/NumbersSolver.h"

#include "BenchStats.h"

#include <benchmark/benchmark.h>

#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using lexinum::LexiconSet;
using lexinum::NumbersSolver;
using lexinum::SearchChannel;
using lexinum::WordSearch;
using lexinum::bench::Clock;
using lexinum::bench::Milliseconds;
using lexinum::bench::Summarize;
using lexinum::bench::Summary;
using Numbers = std::array<int, NumbersSolver::kNumbers>;

struct NumbersDraw {
    const char* name;
    Numbers numbers;
    int target;
};

// The draws that keep each numbers search busiest without handing a solution
// over, found by running it on every set of six tiles: for the computer, the
// sets whose full enumeration goes through the most states (about 600,000),
// with a target of 101 to 999 they cannot make; for the solutions search, the
// longest searches that end with nothing exact (small numbers far below the
// target go through the most states, large ones spend the most per state).
const std::vector<NumbersDraw> kComputerDraws = {
    {"computer_2_5_10_25_50_100_to_858", {2, 5, 10, 25, 50, 100}, 858},
    {"computer_2_3_25_50_75_100_to_805", {2, 3, 25, 50, 75, 100}, 805},
};
const std::vector<NumbersDraw> kSolutionsDraws = {
    {"solutions_1_2_2_3_6_8_to_999", {1, 2, 2, 3, 6, 8}, 999},
    {"solutions_2_5_10_25_50_100_to_858", {2, 5, 10, 25, 50, 100}, 858},
};
// Long letters draws: their searches go on for milliseconds.
constexpr const char* kLettersDraw = "ESARTINULOCDMPEGBVHFQJXYZKW";

int gStops = 200;
std::string gLexiconDir = LEXINUM_SHIPPED_LEXICON_DIR;
LexiconSet gLexicon;
bool gLexiconReady = false;

struct Measures {
    double full = 0;          // unstopped length, ms
    std::vector<double> wall; // Stop() to the worker joined, ms
    std::vector<double> cpu;  // worker's processor time after Stop(), ms
    int endedFirst = 0;       // stops that came after the end
};
std::map<std::string, Measures> gMeasures;

// A thread's processor clock in milliseconds; false once the thread is gone.
bool CpuMs(clockid_t clock, double& ms) {
    timespec now{};
    if (clock_gettime(clock, &now) != 0)
        return false;
    ms = static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    return true;
}

// What the worker tells the caller: its processor clock and that clock's
// reading when its search began and when it was over.
struct WorkerClock {
    std::atomic<bool> running{false};
    std::atomic<bool> over{false};
    clockid_t clock{};
    double start = 0;
    double end = 0;

    void Reset() {
        running = false;
        over = false;
    }
    // Wraps a search body so that it reports to this clock.
    std::function<void(SearchChannel&)> Wrap(std::function<void(SearchChannel&)> body) {
        return [this, body = std::move(body)](SearchChannel& channel) {
            pthread_getcpuclockid(pthread_self(), &clock);
            CpuMs(clock, start);
            running = true;
            body(channel);
            CpuMs(clock, end);
            over = true;
        };
    }
    // The processor time the worker has spent in its search so far.
    bool Spent(double& ms) const {
        if (over || !CpuMs(clock, ms))
            return false;
        ms -= start;
        return true;
    }
};

// Lets a started search run, taking and letting go every batch as the pane
// does, until `due` says it is time to stop it; false when the search ended
// by itself first.
bool RunUntil(SearchChannel& channel, const std::function<bool()>& due) {
    while (!due()) {
        switch (channel.WaitBatchFor(std::chrono::milliseconds(0))) {
        case SearchChannel::WaitResult::Ready:
            channel.TakeText();
            channel.Continue();
            break;
        case SearchChannel::WaitResult::Ended:
            return false;
        case SearchChannel::WaitResult::TimedOut:
            break;
        }
    }
    return channel.WorkerAlive();
}

// Stops a search at random moments of its course. `start` readies the search
// and starts `body`, the search wrapped to report its processor time (or,
// when `body` is empty, the search that starts its own worker). With a body
// the moments are drawn over the processor time the search takes, which a
// busy machine does not stretch; without, over its length on the clock.
void MeasureStops(benchmark::State& state, const std::string& name,
                  const std::function<void(SearchChannel&, std::function<void(SearchChannel&)>)>& start,
                  const std::function<void(SearchChannel&)>& body) {
    SearchChannel channel;
    WorkerClock clock;
    Measures& measures = gMeasures[name];
    const auto begin = [&] {
        clock.Reset();
        start(channel, body ? clock.Wrap(body) : nullptr);
        if (body)
            while (!clock.running)
                std::this_thread::yield();
    };
    // The unstopped length, shortest of a few runs.
    double full = 1e300;
    for (int run = 0; run < 5; ++run) {
        const auto from = Clock::now();
        begin();
        RunUntil(channel, [] { return false; });
        channel.Join();
        full = std::min(full, body ? clock.end - clock.start : Milliseconds(Clock::now() - from));
    }
    measures.full = full;
    // Apart from the game's generator, which the computer's search draws from.
    std::mt19937 moments(2026U);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    for (auto _ : state) {
        const double moment = full * share(moments);
        begin();
        const auto from = Clock::now();
        const auto due = [&] {
            double spent = 0;
            if (!body)
                return Milliseconds(Clock::now() - from) >= moment;
            return !clock.Spent(spent) || spent >= moment;
        };
        double cpuAtStop = 0;
        const bool alive = RunUntil(channel, due) && (!body || (!clock.over && CpuMs(clock.clock, cpuAtStop)));
        if (!alive) {
            channel.Join();
            ++measures.endedFirst;
            state.SetIterationTime(0);
            continue;
        }
        const auto stopAt = Clock::now();
        channel.Stop();
        channel.Join();
        const double ms = Milliseconds(Clock::now() - stopAt);
        state.SetIterationTime(ms / 1000.0);
        measures.wall.push_back(ms);
        if (body)
            measures.cpu.push_back(std::max(0.0, clock.end - cpuAtStop));
    }
}

void BM_NumbersSolutions(benchmark::State& state, const NumbersDraw& draw) {
    NumbersSolver solver;
    solver.SetDraw(draw.numbers, draw.target);
    MeasureStops(
        state, std::string("numbers ") + draw.name,
        [&](SearchChannel& channel, std::function<void(SearchChannel&)> body) {
            solver.ClearPiles();
            channel.Start(std::move(body));
        },
        [&solver](SearchChannel& worker) { solver.SolutionsSearch(worker); });
}

void BM_NumbersComputer(benchmark::State& state, const NumbersDraw& draw) {
    NumbersSolver solver;
    solver.SetDraw(draw.numbers, draw.target);
    solver.SetLevel(static_cast<int>(state.range(0)));
    MeasureStops(
        state, std::string("numbers ") + draw.name + " L" + std::to_string(state.range(0)),
        [&](SearchChannel& channel, std::function<void(SearchChannel&)> body) {
            solver.ClearPiles();
            channel.Start(std::move(body));
        },
        [&solver](SearchChannel& worker) { solver.ComputerSearch(worker); });
}

void BM_LettersSolutions(benchmark::State& state) {
    WordSearch search(gLexicon);
    const std::string letters = std::string(kLettersDraw).substr(0, static_cast<std::size_t>(state.range(0)));
    MeasureStops(
        state, "letters " + std::to_string(state.range(0)) + " letters",
        [&](SearchChannel& channel, const std::function<void(SearchChannel&)>&) {
            search.PrepareLetters(letters);
            search.StartSolutions(channel);
        },
        nullptr);
}

void PrintReport() {
    std::printf("\nStops at random moments of each search (ms)\n");
    std::printf("%-44s %8s %6s %6s | %-31s | %-31s\n", "", "", "", "", "Stop() to the worker's end",
                "worker's processor after Stop()");
    std::printf("%-44s %8s %6s %6s | %7s %7s %7s %7s | %7s %7s %7s %7s\n", "search", "length", "stops", "ended", "min",
                "median", "p99", "max", "min", "median", "p99", "max");
    for (const auto& [name, m] : gMeasures) {
        std::printf("%-44s %8.3f %6zu %6d |", name.c_str(), m.full, m.wall.size(), m.endedFirst);
        for (const std::vector<double>* values : {&m.wall, &m.cpu}) {
            if (values->empty()) {
                std::printf(" %7s %7s %7s %7s |", "-", "-", "-", "-");
                continue;
            }
            const Summary s = Summarize(*values);
            std::printf(" %7.3f %7.3f %7.3f %7.3f |", s.min, s.median, s.p99, s.max);
        }
        std::printf("\n");
    }
    std::printf("(length: unstopped, shortest of 5, in processor time where the worker's is shown; ended: stops\n"
                " that came after the search had ended by itself)\n");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--stops=", 0) == 0)
            gStops = std::max(1, std::atoi(arg.c_str() + std::strlen("--stops=")));
        else if (arg.rfind("--lexicon=", 0) == 0)
            gLexiconDir = arg.substr(std::strlen("--lexicon="));
        else
            args.push_back(argv[i]);
    }
    gLexiconReady = gLexicon.ReadLexIni(gLexiconDir).Complete();
    if (!gLexiconReady)
        std::fprintf(stderr, "stop_latency_bench: pas de lexique dans %s, pas de mesure du mot le plus long\n",
                     gLexiconDir.c_str());

    const auto add = [](benchmark::internal::Benchmark* bench) {
        bench->Iterations(gStops)->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    for (const NumbersDraw& draw : kSolutionsDraws)
        add(benchmark::RegisterBenchmark((std::string("stop/numbers/") + draw.name).c_str(), BM_NumbersSolutions,
                                         draw));
    for (const NumbersDraw& draw : kComputerDraws)
        add(benchmark::RegisterBenchmark((std::string("stop/numbers/") + draw.name).c_str(), BM_NumbersComputer, draw)
                ->Arg(6)
                ->Arg(1));
    if (gLexiconReady)
        add(benchmark::RegisterBenchmark("stop/letters/solutions", BM_LettersSolutions)->Arg(15)->Arg(27));
    int benchArgc = static_cast<int>(args.size());
    benchmark::Initialize(&benchArgc, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintReport();
    return 0;
}
