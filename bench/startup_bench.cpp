// How long the game takes to show its first frame, against the smallest Qt
// window program started the same way: the time from starting the process
// to its first painted frame, for
//   minimal     — bench/helpers/minimal_window (one QWidget and a label);
//   game        — the game with the player's lexicon already in place;
//   first_start — the game with an empty data folder, which seeds the
//                 player's lexicon from the shipped one.
// Each program runs with the measurement hook (LEXINUM_FIRST_FRAME=1: it
// prints "first-frame" once its window's first paint is handled, then ends),
// its own temporary XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR, and
// the platform of QT_QPA_PLATFORM (offscreen when it is not set; xcb under
// Xvfb works as well). The three are started in turn, round after round, so
// that a change in the machine's load touches all three alike; one round
// before the measured ones warms the disk cache.
//
//   startup_bench [--runs=N] [benchmark options]
//
// --runs=N measured rounds (default 20). The report gives min / median / p99 /
// max per program and the ratios of the game's medians to the minimal one's.
#include "BenchStats.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using lexinum::bench::Clock;
using lexinum::bench::Milliseconds;
using lexinum::bench::Summarize;
using lexinum::bench::Summary;

int gRuns = 20;
// The longest wait for a first frame before the run counts as failed.
constexpr int kFirstFrameLimitMs = 60'000;

// A temporary home: settings, data and runtime folders of one program's runs.
class Home {
public:
    Home() {
        std::string pattern = (fs::temp_directory_path() / "lexinum-startup-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp: " + std::string(std::strerror(errno)));
        root_ = pattern;
        for (const char* folder : {"config", "data", "runtime"})
            fs::create_directories(root_ / folder);
        fs::permissions(root_ / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    }
    ~Home() {
        std::error_code ignored;
        // The game leaves its lexicon read-only; the folders stay writable.
        fs::remove_all(root_, ignored);
    }
    Home(const Home&) = delete;
    Home& operator=(const Home&) = delete;

    fs::path Config() const { return root_ / "config"; }
    fs::path Data() const { return root_ / "data"; }
    fs::path Runtime() const { return root_ / "runtime"; }

    // Puts the player's lexicon in place, as a previous start left it.
    void SeedLexicon(const fs::path& shipped) const {
        const fs::path target = Data() / "lexinum" / "lexiques";
        fs::create_directories(target);
        for (const auto& entry : fs::directory_iterator(shipped))
            fs::copy_file(entry.path(), target / entry.path().filename());
    }

private:
    fs::path root_;
};

// The environment of a run: this one's, with the home's folders and the hook.
std::vector<std::string> Environment(const Home& home) {
    std::vector<std::string> variables;
    bool platformSet = false;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        const std::string name = text.substr(0, text.find('='));
        if (name == "XDG_CONFIG_HOME" || name == "XDG_DATA_HOME" || name == "XDG_RUNTIME_DIR" ||
            name == "LEXINUM_FIRST_FRAME")
            continue;
        platformSet = platformSet || name == "QT_QPA_PLATFORM";
        variables.push_back(text);
    }
    if (!platformSet)
        variables.emplace_back("QT_QPA_PLATFORM=offscreen");
    variables.push_back("XDG_CONFIG_HOME=" + home.Config().string());
    variables.push_back("XDG_DATA_HOME=" + home.Data().string());
    variables.push_back("XDG_RUNTIME_DIR=" + home.Runtime().string());
    variables.emplace_back("LEXINUM_FIRST_FRAME=1");
    return variables;
}

// Starts `program` in `home` and answers the milliseconds until it reported
// its first frame; waits for its end before answering.
double TimeToFirstFrame(const std::string& program, const Home& home) {
    std::vector<std::string> variables = Environment(home);
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string name = program;
    char* argv[] = {name.data(), nullptr};

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        throw std::runtime_error(program + ": " + std::strerror(spawned));
    }

    std::string output;
    double elapsed = -1;
    while (elapsed < 0) {
        const auto waited = static_cast<int>(Milliseconds(Clock::now() - start));
        pollfd readable{out[0], POLLIN, 0};
        if (waited >= kFirstFrameLimitMs || ::poll(&readable, 1, kFirstFrameLimitMs - waited) <= 0)
            break;
        char buffer[256];
        const ssize_t got = ::read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
        if (output.find("first-frame\n") != std::string::npos)
            elapsed = Milliseconds(Clock::now() - start);
    }
    ::close(out[0]);
    if (elapsed < 0)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (elapsed < 0)
        throw std::runtime_error(program + " did not report its first frame");
    return elapsed;
}

struct Measures {
    std::vector<double> minimal, game, firstStart;
};
Measures gMeasures;

// One round: the three programs in turn; a first start in a home of its own.
void Round(const Home& gameHome, const Home& minimalHome, Measures& measures) {
    measures.minimal.push_back(TimeToFirstFrame(LEXINUM_MINIMAL_WINDOW_PROGRAM, minimalHome));
    measures.game.push_back(TimeToFirstFrame(LEXINUM_GAME_PROGRAM, gameHome));
    const Home fresh;
    measures.firstStart.push_back(TimeToFirstFrame(LEXINUM_GAME_PROGRAM, fresh));
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    const Home gameHome;
    const Home minimalHome;
    gameHome.SeedLexicon(LEXINUM_SHIPPED_LEXICON_DIR);
    Measures warmUp;
    Measures& measures = gMeasures;
    try {
        Round(gameHome, minimalHome, warmUp);
        for (auto _ : state) {
            Round(gameHome, minimalHome, measures);
            state.SetIterationTime((measures.minimal.back() + measures.game.back() + measures.firstStart.back()) /
                                   1000.0);
        }
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    const Summary minimal = Summarize(measures.minimal);
    state.counters["minimal_ms"] = minimal.median;
    state.counters["game_ms"] = Summarize(measures.game).median;
    state.counters["first_start_ms"] = Summarize(measures.firstStart).median;
    state.counters["game_ratio"] = Summarize(measures.game).median / minimal.median;
    state.counters["first_start_ratio"] = Summarize(measures.firstStart).median / minimal.median;
}

void PrintReport() {
    if (gMeasures.minimal.empty())
        return;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("\nTime to the first painted frame, ms (platform %s, %zu rounds)\n",
                platform != nullptr ? platform : "offscreen", gMeasures.minimal.size());
    std::printf("%-14s %9s %9s %9s %9s %7s\n", "program", "min", "median", "p99", "max", "ratio");
    const double base = Summarize(gMeasures.minimal).median;
    const auto line = [base](const char* name, const std::vector<double>& values) {
        const Summary s = Summarize(values);
        std::printf("%-14s %9.1f %9.1f %9.1f %9.1f %7.2f\n", name, s.min, s.median, s.p99, s.max, s.median / base);
    };
    line("minimal", gMeasures.minimal);
    line("game", gMeasures.game);
    line("first_start", gMeasures.firstStart);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::strncmp(argv[i], "--runs=", 7) == 0)
            gRuns = std::max(1, std::atoi(argv[i] + 7));
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RegisterBenchmark("StartupToFirstFrame", BM_StartupToFirstFrame)
        ->Iterations(gRuns)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintReport();
    return 0;
}
