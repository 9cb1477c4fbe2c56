// Speed of the longest-word search over the shipped lexicon, against one plain
// sequential read of every lexicon file split into lines.
//
// Draws of 9, 15 and 27 letters are made as the game makes an automatic draw
// (consonant and vowel bags filled with the lexicon's letter weights, drawn in
// turn), from a fixed seed. For each draw the solutions search runs in its
// worker thread as the letters pane runs it; the time to the first group and
// the time to the end of the search are recorded.
//
//   letters_search_bench [--quick] [--best-of=N] [--lexicon=DIR] [--strategy=auto|enumerate|leap|scan]
//                        [benchmark options]
//
// --quick makes 100 draws of each size instead of 1000. --best-of=N runs each
// draw N times and keeps its shortest times, which takes out most of the
// scheduling noise of a busy machine (a time slice lost by the worker shows as
// milliseconds on a search of a tenth of one).
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "common/TileBox.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordSearch.h"

#include "BenchStats.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using lexinum::LexiconSet;
using lexinum::SearchChannel;
using lexinum::WordSearch;
using lexinum::bench::Clock;
using lexinum::bench::Milliseconds;
using lexinum::bench::Summarize;
using lexinum::bench::Summary;

int gDraws = 1000;
int gBestOf = 1;
std::string gLexiconDir = LEXINUM_SHIPPED_LEXICON_DIR;
WordSearch::Strategy gStrategy = WordSearch::Strategy::Automatic;
LexiconSet gLexicon;

// Times in milliseconds, per benchmark name.
std::map<std::string, std::vector<double>> gTimes;

// An automatic draw: consonants and vowels in turn from full bags, `vowels` of them vowels.
std::string AutoDraw(int count, int vowels) {
    lexinum::TileBox consonantBag(
        std::vector<int>(gLexicon.ConsonantWeights().begin(), gLexicon.ConsonantWeights().end()));
    lexinum::TileBox vowelBag(std::vector<int>(gLexicon.VowelWeights().begin(), gLexicon.VowelWeights().end()));
    int consonantsLeft = count - vowels;
    int vowelsLeft = vowels;
    std::string letters;
    while (static_cast<int>(letters.size()) < count) {
        if (consonantsLeft != 0) {
            letters += lexinum::kConsonants[consonantBag.Draw()];
            --consonantsLeft;
        }
        if (vowelsLeft != 0) {
            letters += lexinum::kVowels[vowelBag.Draw()];
            --vowelsLeft;
        }
    }
    letters.resize(static_cast<std::size_t>(count));
    lexinum::TileBox::ShuffleString(letters, count);
    return letters;
}

std::vector<std::string> MakeDraws(int count, int vowels, std::uint32_t seed) {
    lexinum::Random15::Seed(seed);
    std::vector<std::string> draws;
    for (int i = 0; i < gDraws; ++i)
        draws.push_back(AutoDraw(count, vowels));
    return draws;
}

void Record(const std::string& name, double ms) {
    gTimes[name].push_back(ms);
}

// One plain sequential read of all the lexicon files, split into lines.
void BM_Baseline(benchmark::State& state) {
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::string line;
        for (int file = 1; file <= gLexicon.FileCount(); ++file) {
            std::ifstream in(gLexicon.LexFilePath(file), std::ios::binary);
            while (std::getline(in, line))
                ++lines;
        }
        benchmark::DoNotOptimize(lines);
        const double ms = Milliseconds(Clock::now() - start);
        state.SetIterationTime(ms / 1000.0);
        Record("baseline", ms);
    }
    state.counters["lines"] = static_cast<double>(lines / static_cast<std::size_t>(state.iterations()));
}

// The solutions search over one draw after another, taking every group as the pane does.
void BM_Search(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const int vowels = static_cast<int>(state.range(1));
    const std::vector<std::string> draws = MakeDraws(count, vowels, 2026U + static_cast<std::uint32_t>(count));
    WordSearch search(gLexicon);
    search.SetStrategy(gStrategy);
    SearchChannel channel;
    std::size_t next = 0;
    std::size_t words = 0;
    const std::string name = std::to_string(count);
    for (auto _ : state) {
        search.PrepareLetters(draws[next++ % draws.size()]);
        double bestFirst = 0;
        double bestAll = 0;
        for (int run = 0; run < gBestOf; ++run) {
            const auto start = Clock::now();
            search.StartSolutions(channel);
            double first = -1;
            while (channel.WaitBatch()) {
                if (first < 0)
                    first = Milliseconds(Clock::now() - start);
                words += run == 0 ? search.Solutions().size() : 0;
                channel.TakeText();
                const bool last = channel.Complete();
                channel.Continue();
                if (last)
                    break;
            }
            channel.Join();
            const double all = Milliseconds(Clock::now() - start);
            bestFirst = run == 0 ? first : std::min(bestFirst, first);
            bestAll = run == 0 ? all : std::min(bestAll, all);
        }
        state.SetIterationTime(bestAll / 1000.0);
        Record(name + " first group", bestFirst);
        Record(name + " all groups", bestAll);
    }
    state.counters["words/draw"] = static_cast<double>(words) / static_cast<double>(state.iterations());
}

void PrintReport() {
    if (gTimes["baseline"].empty())
        return;
    const Summary baseline = Summarize(gTimes["baseline"]);
    std::printf("\nLongest-word search, %d draws of each size (best of %d runs each), lexicon %s (%d files)\n", gDraws,
                gBestOf, gLexiconDir.c_str(), gLexicon.FileCount());
    std::printf("%-18s %10s %10s %10s %10s %12s %12s\n", "ms", "min", "median", "p99", "max", "median/base",
                "p99/base");
    const auto row = [&](const std::string& name, const Summary& s) {
        std::printf("%-18s %10.3f %10.3f %10.3f %10.3f %12.3f %12.3f\n", name.c_str(), s.min, s.median, s.p99, s.max,
                    s.median / baseline.median, s.p99 / baseline.median);
    };
    row("baseline", baseline);
    struct Target {
        const char* name;
        bool p99;
        double ratio;
    };
    const std::vector<Target> targets = {{"9 first group", true, 0.1},
                                         {"9 all groups", false, 0.5},
                                         {"15 first group", true, 0.1},
                                         {"27 first group", true, 1.0},
                                         {"27 all groups", false, 3.0}};
    for (const char* size : {"9", "15", "27"}) {
        for (const char* part : {" first group", " all groups"}) {
            const std::string name = std::string(size) + part;
            if (!gTimes[name].empty())
                row(name, Summarize(gTimes[name]));
        }
    }
    std::printf("\nTargets (ratios to the baseline median):\n");
    for (const Target& target : targets) {
        if (gTimes[target.name].empty())
            continue;
        const Summary s = Summarize(gTimes[target.name]);
        const double ratio = (target.p99 ? s.p99 : s.median) / baseline.median;
        std::printf("  %-16s %-6s %8.4f x  (target <= %.1f x)  %s\n", target.name, target.p99 ? "p99" : "median", ratio,
                    target.ratio, ratio <= target.ratio ? "met" : "MISSED");
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            gDraws = 100;
        } else if (arg.rfind("--best-of=", 0) == 0) {
            gBestOf = std::max(1, std::atoi(arg.c_str() + std::strlen("--best-of=")));
        } else if (arg.rfind("--lexicon=", 0) == 0) {
            gLexiconDir = arg.substr(std::strlen("--lexicon="));
        } else if (arg.rfind("--strategy=", 0) == 0) {
            const std::string strategy = arg.substr(std::strlen("--strategy="));
            gStrategy = strategy == "enumerate" ? WordSearch::Strategy::EnumerateKeys
                        : strategy == "leap"    ? WordSearch::Strategy::LeapKeys
                        : strategy == "scan"    ? WordSearch::Strategy::ScanLines
                                                : WordSearch::Strategy::Automatic;
        } else {
            args.push_back(argv[i]);
        }
    }
    const LexiconSet::IndexReading reading = gLexicon.ReadLexIni(gLexiconDir);
    if (!reading.Complete()) {
        std::fprintf(stderr, "letters_search_bench: lexique inutilisable dans %s\n", gLexiconDir.c_str());
        return 1;
    }
    benchmark::RegisterBenchmark("baseline/read_all_lines", BM_Baseline)
        ->Iterations(gDraws >= 1000 ? 50 : 15)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    // Vowels as the game's default share: 4 of 9.
    for (const auto& [count, vowels] : std::vector<std::pair<int, int>>{{9, 4}, {15, 7}, {27, 12}}) {
        benchmark::RegisterBenchmark("search/letters", BM_Search)
            ->Args({count, vowels})
            ->Iterations(gDraws)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    int benchArgc = static_cast<int>(args.size());
    benchmark::Initialize(&benchArgc, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintReport();
    return 0;
}
