#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lexinum {

// The rules around the game's data files: they are kept read-only between
// writes, and a write replaces a file whole or not at all.
class ReadOnlyFile {
public:
    // True when the file exists and has no write permission bit.
    static bool IsReadOnly(const std::filesystem::path& file);
    // Adds the owner's write bit; false if the file cannot be changed.
    static bool MakeWritable(const std::filesystem::path& file);
    // Removes every write bit; false if the file cannot be changed.
    static bool MakeReadOnly(const std::filesystem::path& file);

    // Replaces `file` with `bytes`: writes a temporary file in the same folder
    // (named `tempName` there, or the file's name with ".tmp~" added), syncs it,
    // renames it over the file and syncs the folder. With `keepReadOnly` the
    // file ends read-only, also when the write fails (an old file is then left
    // exactly as it was). Returns false and an error text (French) on failure.
    static bool Replace(const std::filesystem::path& file, std::string_view bytes, bool keepReadOnly,
                        std::string* error = nullptr, const std::string& tempName = {});

    // Reads a whole file as bytes; false if it cannot be read.
    static bool ReadAll(const std::filesystem::path& file, std::string& bytes);
};

} // namespace lexinum
