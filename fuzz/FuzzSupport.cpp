#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace lexinum::fuzz {

namespace {

std::filesystem::path MakeScratchFolder() {
    std::error_code error;
    std::string base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error) || ::access(base.c_str(), W_OK) != 0) {
        const char* tmp = std::getenv("TMPDIR");
        base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    }
    std::string pattern = base + "/lexinum-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern;
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
