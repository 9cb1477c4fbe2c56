#include "FuzzSupport.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace lexinum::fuzz {

namespace {

constexpr std::string_view kPrefix = "lexinum-fuzz-";

// Removes the folders of processes that have ended: libFuzzer ends a run
// without the handlers of atexit, so a folder is often left behind.
void RemoveFoldersOfEndedRuns(const std::filesystem::path& base) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= kPrefix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0)
            continue;
        const std::string digits = name.substr(kPrefix.size());
        if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9)
            continue;
        if (::kill(static_cast<pid_t>(std::stol(digits)), 0) != 0 && errno == ESRCH)
            std::filesystem::remove_all(entry.path(), error);
    }
}

std::filesystem::path MakeScratchFolder() {
    std::error_code error;
    std::string base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error) || ::access(base.c_str(), W_OK) != 0) {
        const char* tmp = std::getenv("TMPDIR");
        base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    }
    RemoveFoldersOfEndedRuns(base);
    const std::filesystem::path folder =
        std::filesystem::path(base) / (std::string(kPrefix) + std::to_string(::getpid()));
    std::filesystem::remove_all(folder, error);
    if (!std::filesystem::create_directory(folder, error)) {
        std::fprintf(stderr, "%s: %s\n", folder.c_str(), error.message().c_str());
        std::abort();
    }
    return folder;
}

void RemoveScratchFolder() {
    std::error_code error;
    const std::filesystem::path& folder = ScratchFolder();
    // The engine leaves its files read-only; the folder's owner may still remove them.
    std::filesystem::remove_all(folder, error);
}

} // namespace

const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path made = MakeScratchFolder();
        std::atexit(RemoveScratchFolder);
        return made;
    }();
    return folder;
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code error;
    std::filesystem::remove(file, error);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::perror(file.c_str());
        std::abort();
    }
}

SilentPrompter& InstallSilentPrompter() {
    static SilentPrompter prompter;
    Prompter::SetActive(&prompter);
    return prompter;
}

} // namespace lexinum::fuzz
