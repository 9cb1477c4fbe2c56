#pragma once

// What every fuzz target shares: a scratch folder of its own process, a way
// to put the fuzzer's bytes in a file there, and a prompter that keeps the
// engine's messages off the fuzzer's output.

#include "common/Prompter.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lexinum::fuzz {

// A folder of this process, made at first use in memory-backed storage when
// there is some (/dev/shm: the engine syncs what it writes, which on a disk
// would make each run far slower), else in TMPDIR; removed when the process
// ends normally, or by the next run once this process has ended.
const std::filesystem::path& ScratchFolder();

// Replaces `file` with `bytes`, whatever the engine left there (its data files
// are left read-only).
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// The fuzzer's input as text.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Answers every message without showing it: OK, No to a question.
class SilentPrompter : public Prompter {
public:
    PromptAnswer Ask(const std::string&, const std::string&, PromptIcon, PromptButtons buttons) override {
        ++asked;
        return UnattendedAnswer(buttons);
    }
    int asked = 0;
};

// Installs one SilentPrompter as the active prompter for the whole process.
SilentPrompter& InstallSilentPrompter();

} // namespace lexinum::fuzz
