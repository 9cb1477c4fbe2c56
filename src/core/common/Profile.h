#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexinum {

// An INI settings file read and written one key at a time: "[section]" header
// lines and "key=value" lines. Sections and keys match without regard to case
// (accented letters included, so "DIFFICULTÉ" finds "difficulté"); a missing
// file, section or key gives the default; a write changes only its own line and
// keeps the rest of the file as it was. The file is Windows-1252 on disk; text
// is UTF-8 in memory. A damaged or binary file never makes it fail: lines that
// are neither headers nor keys are kept and ignored.
class Profile {
public:
    explicit Profile(std::filesystem::path file);

    // The value of `key` in `section`, at most `maxLength` characters, or
    // `defaultValue` when the file, section or key is missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t maxLength) const;
    // The integer value of a key: optional blanks and sign, then decimal digits
    // (what follows them is ignored); the default when missing or not a number.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    // Writes `value` for `key` in `section`, creating the file, the section or
    // the key as needed. The file is replaced whole or not at all. Returns false
    // (and keeps the old file) when it cannot be written or when a text cannot
    // be held in Windows-1252.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Writes several keys of one section at once, in order, as that many
    // WriteString calls would, but replacing the file only once.
    bool WriteStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);
    // Writes an integer with "%d".
    bool WriteInt(std::string_view section, std::string_view key, int value);
    // Writes are made at once; flushing only confirms that the file is readable.
    bool Flush() const;

    // The path of the file.
    const std::filesystem::path& File() const { return file_; }
    // The last error text of a failed write (French), empty after success.
    const std::string& LastError() const { return lastError_; }

private:
    std::filesystem::path file_;
    std::string lastError_;
};

} // namespace lexinum
