// Opening a very large settings file: the time the game takes to read the keys
// it reads at start-up from a 50 MB "tiv.ini", and the memory that costs.
//
//   settings_bench [--size-mb=N] [benchmark options]
//
// Three files of N MB (50 unless told) are made in a temporary folder: the
// game's settings followed by blank lines, by key lines in a section of their
// own, or by comment lines. For each, "Open" makes a settings object and reads
// the start-up keys; "Write" writes one key as the game does when it closes.
// The counters give the file's size and the peak memory of one iteration
// above what the process held before it (both in MiB).
#include "common/Profile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::size_t gSizeMb = 50;
fs::path gFolder;

// The sections and keys the game reads when it starts.
const std::pair<const char*, const char*> kStartKeys[] = {
    {"GENERAL", "x"},
    {"GENERAL", "y"},
    {"GENERAL", "parties"},
    {"GENERAL", "bitmaps"},
    {"LETTRES", "lexiques"},
    {"LETTRES", "Police"},
    {"LETTRES", "hauteur police"},
    {"LETTRES", "épaisseur police"},
    {"LETTRES", "italique"},
    {"CHIFFRES", "Police"},
    {"CHIFFRES", "hauteur police"},
    {"CHIFFRES", "épaisseur police"},
    {"CHIFFRES", "italique"},
    {"COMPETITION", "difficulté"},
    {"COMPETITION", "dernier joueur"},
};

// A memory figure of /proc/self/status in KiB ("VmHWM:" the peak, "VmRSS:" now).
long StatusKib(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return 0;
}

// Starts the peak memory figure again from what the process holds now.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Writes the game's settings, then `line` again and again up to the size asked.
fs::path MakeFile(const std::string& name, const std::string& header, const std::string& line) {
    const fs::path file = gFolder / name;
    std::ofstream out(file, std::ios::binary);
    out << "[GENERAL]\r\nx=120\r\ny=80\r\nparties=/home/joueur/parties\r\n"
        << "[LETTRES]\r\nlexiques=./lexiques\r\nhauteur police=-16\r\n"
        << "[COMPETITION]\r\ndifficult\xE9=4\r\n"
        << header;
    std::string block;
    while (block.size() < (1 << 20))
        block += line;
    for (std::size_t written = 0; written < gSizeMb << 20; written += block.size())
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    return file;
}

void ReportMemory(benchmark::State& state, const fs::path& file, long before, long peak) {
    state.counters["file_MiB"] = static_cast<double>(fs::file_size(file)) / (1 << 20);
    state.counters["peak_MiB"] = static_cast<double>(peak - before) / 1024;
}

void Open(benchmark::State& state, const fs::path& file) {
    long before = 0;
    long peak = 0;
    for (auto _ : state) {
        before = StatusKib("VmRSS:");
        ResetPeak();
        lexinum::Profile settings(file);
        int found = 0;
        for (const auto& [section, key] : kStartKeys)
            found += settings.ReadString(section, key, "", lexinum::Profile::kMaxValueLength).empty() ? 0 : 1;
        benchmark::DoNotOptimize(found);
        peak = StatusKib("VmHWM:");
        if (found != 6)
            state.SkipWithError("the settings at the start of the file were not all found");
    }
    ReportMemory(state, file, before, peak);
}

void Write(benchmark::State& state, const fs::path& file) {
    long before = 0;
    long peak = 0;
    int x = 0;
    for (auto _ : state) {
        before = StatusKib("VmRSS:");
        ResetPeak();
        lexinum::Profile settings(file);
        if (!settings.WriteInt("GENERAL", "x", ++x))
            state.SkipWithError("the settings could not be written");
        peak = StatusKib("VmHWM:");
    }
    ReportMemory(state, file, before, peak);
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--size-mb=", 10) == 0)
            gSizeMb = static_cast<std::size_t>(std::max(1, std::atoi(argv[i] + 10)));
    gFolder = fs::temp_directory_path() / ("lexinum-settings-bench-" + std::to_string(::getpid()));
    fs::create_directories(gFolder);
    const struct {
        const char* name;
        fs::path file;
    } shapes[] = {
        {"BlankLines", MakeFile("blank.ini", "", "\r\n")},
        {"KeyLines", MakeFile("keys.ini", "[VRAC]\r\n", "cle=valeur\r\n")},
        {"Comments", MakeFile("comments.ini", "", "; une remarque du joueur, assez longue pour la ligne\r\n")},
    };
    for (const auto& shape : shapes) {
        benchmark::RegisterBenchmark((std::string("Open/") + shape.name).c_str(), Open, shape.file)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
        benchmark::RegisterBenchmark((std::string("Write/") + shape.name).c_str(), Write, shape.file)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(gFolder, ec);
    return 0;
}
