// The memory `lexinum-cli build-lexicon` needs: a lexicon built from a word
// list of N MiB, its peak memory told against the list's size.
//
//   lexicon_build_bench [--size-mb=N,M,...] [--list=FILE] [benchmark options]
//
// Word lists of French-looking words (2 to 25 letters, accented letters,
// anagrams and repeated words among them) are made in a temporary folder, 4
// and 20 MiB unless told; --list adds a list of one's own. Each iteration reads the list and writes the lexicon
// as the command does. Memory is counted by the program's own allocations
// (every operator new and delete, at the size the allocator gave): "peak_MiB"
// is the most held at once during an iteration above what was held before it,
// "peak_per_list" that figure divided by the list's size. "rss_MiB" is the
// peak resident memory above the start of the iteration, from the system.
#include "common/Random15.h"
#include "lexicon/LexiconBuilder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::atomic<std::size_t> gLive{0};
std::atomic<std::size_t> gPeak{0};

void* Allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    const std::size_t live = gLive += malloc_usable_size(p);
    std::size_t peak = gPeak.load();
    while (live > peak && !gPeak.compare_exchange_weak(peak, live)) {
    }
    return p;
}

void Release(void* p) noexcept {
    if (p == nullptr)
        return;
    gLive -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}

namespace {

namespace fs = std::filesystem;

fs::path gFolder;

// A memory figure of /proc/self/status in KiB ("VmHWM:" the peak, "VmRSS:" now).
long StatusKib(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return 0;
}

// A word list of about `megabytes` MiB, one word a line, in UTF-8.
fs::path MakeList(std::size_t megabytes) {
    const fs::path file = gFolder / ("liste-" + std::to_string(megabytes) + ".txt");
    std::ofstream out(file, std::ios::binary);
    lexinum::Random15::Seed(static_cast<std::uint32_t>(megabytes));
    const std::string letters =
        "eeeeeeeeeeeeeeaaaaaaaiiiiiiiooooouuuuussssssnnnnnnrrrrrrtttttllllldddcccmmppvqfbghjxyz";
    const char* accented[] = {"\xC3\xA9", "\xC3\xA8", "\xC3\xAA", "\xC3\xA0", "\xC3\xA7", "\xC3\xB4", "\xC3\xAE"};
    std::string previous = "chien";
    std::size_t written = 0;
    while (written < megabytes << 20) {
        std::string word;
        const int roll = lexinum::Random15::Below(100);
        if (roll < 3) {
            word = previous; // given twice
        } else if (roll < 8) {
            word = previous; // an anagram of the last word, when its letters are plain
            if (word.find('\xC3') == std::string::npos)
                std::next_permutation(word.begin(), word.end());
        } else {
            const int length = 2 + lexinum::Random15::Below(8) + lexinum::Random15::Below(8) +
                               (lexinum::Random15::Below(10) == 0 ? lexinum::Random15::Below(10) : 0);
            for (int k = 0; k < length; ++k) {
                if (lexinum::Random15::Below(25) == 0)
                    word += accented[lexinum::Random15::Below(7)];
                else
                    word +=
                        letters[static_cast<std::size_t>(lexinum::Random15::Below(static_cast<int>(letters.size())))];
            }
        }
        previous = word;
        out << word << '\n';
        written += word.size() + 1;
    }
    return file;
}

void Build(benchmark::State& state, const fs::path& list) {
    const auto listBytes = static_cast<double>(fs::file_size(list));
    std::size_t peak = 0;
    long rss = 0;
    for (auto _ : state) {
        const long rssBefore = StatusKib("VmRSS:");
        std::ofstream("/proc/self/clear_refs") << "5";
        const std::size_t before = gLive.load();
        gPeak = before;
        {
            lexinum::LexiconBuilder builder;
            std::string error;
            if (!builder.AddWordListFile(list, &error) || !builder.Write(gFolder / "lexique", &error))
                state.SkipWithError(error.c_str());
        }
        peak = gPeak.load() - before;
        rss = StatusKib("VmHWM:") - rssBefore;
    }
    state.counters["list_MiB"] = listBytes / (1 << 20);
    state.counters["peak_MiB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["peak_per_list"] = static_cast<double>(peak) / listBytes;
    state.counters["rss_MiB"] = static_cast<double>(rss) / 1024;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::size_t> sizes = {4, 20};
    std::vector<fs::path> lists;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--list=", 7) == 0)
            lists.emplace_back(argv[i] + 7);
        else if (std::strncmp(argv[i], "--size-mb=", 10) == 0) {
            sizes.clear();
            for (const char* at = argv[i] + 10; *at != '\0';) {
                sizes.push_back(static_cast<std::size_t>(std::max(1L, std::strtol(at, nullptr, 10))));
                at = std::strchr(at, ',') != nullptr ? std::strchr(at, ',') + 1 : at + std::strlen(at);
            }
        }
    gFolder = fs::temp_directory_path() / ("lexinum-build-bench-" + std::to_string(::getpid()));
    fs::create_directories(gFolder);
    for (const std::size_t size : sizes) {
        benchmark::RegisterBenchmark(("BuildLexicon/" + std::to_string(size) + "MiB").c_str(), Build, MakeList(size))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    for (const fs::path& list : lists)
        benchmark::RegisterBenchmark(("BuildLexicon/" + list.filename().string()).c_str(), Build, list)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::permissions(gFolder / "lexique", fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(gFolder, ec);
    return 0;
}
