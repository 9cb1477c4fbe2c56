#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexinum {

// An INI settings file read and written one key at a time: "[section]" header
// lines and "key=value" lines. Sections and keys match without regard to case
// (accented letters included, so "DIFFICULTÉ" finds "difficulté"); a missing
// file, section or key gives the default; a write changes only its own line and
// keeps the rest of the file as it was. The file is Windows-1252 on disk (or
// UTF-8 when it starts with a UTF-8 byte-order mark, as some editors save it;
// it then stays so); text is UTF-8 in memory. A damaged or binary file never
// makes it fail: lines that are neither headers nor keys are kept and ignored.
//
// The file is read once and kept, with an index of its keys, for as long as it
// is unchanged on disk: reading many keys costs one reading of the file, and
// memory stays proportional to its size. Only a regular file of at most 64 MiB
// is read; anything else reads as missing and is never written over.
class Profile {
public:
    // The largest settings file read.
    static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{64} << 20;
    // The longest value written, in characters: as long as the longest path
    // the system opens. A text key (a folder, a font name) read with this limit
    // is read back whole; a longer value is refused when it is written.
    static constexpr std::size_t kMaxValueLength = 4095;

    // What a write does with a file that has no write permission.
    enum class ReadOnlyRule {
        // A data file the game keeps read-only between writes ("lex.ini"): it
        // is replaced and left read-only again.
        KeepReadOnly,
        // A file the player made read-only (the settings file "tiv.ini"): it is
        // left as it is, and the write is refused with a text saying so.
        Respect,
    };

    explicit Profile(std::filesystem::path file, ReadOnlyRule rule = ReadOnlyRule::KeepReadOnly);
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    // The value of `key` in `section`, at most `maxLength` characters, or
    // `defaultValue` when the file, section or key is missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t maxLength) const;
    // The integer value of a key: optional blanks and sign, then decimal digits
    // (what follows them is ignored); the default when missing or not a number.
    // A number beyond the int range is brought to the nearest end of it.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    // The integer value of a key when it lies within [minimum, maximum]; the
    // default when it is missing, not a number or outside that range.
    int ReadIntInRange(std::string_view section, std::string_view key, int defaultValue, int minimum,
                       int maximum) const;
    // Writes `value` for `key` in `section`, creating the file, the section or
    // the key as needed. The file is replaced whole or not at all. Returns false
    // (and keeps the old file) when it cannot be written, when it cannot be
    // read, when it is read-only under ReadOnlyRule::Respect, or when a text
    // cannot be held in the file (a line break, a character Windows-1252
    // lacks, more than kMaxValueLength characters). A file reached through a
    // symbolic link is written where the link points; the link stays.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Writes several keys of one section at once, in order, as that many
    // WriteString calls would, but replacing the file only once.
    bool WriteStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);
    // Writes an integer with "%d".
    bool WriteInt(std::string_view section, std::string_view key, int value);
    // Writes are made at once; flushing only confirms that the file is readable.
    bool Flush() const;

    // Empty when the file is missing or can be read; otherwise why it cannot
    // be (French, naming the file): a folder, a pipe or a device in its place,
    // a file too large, no read permission, a read error.
    std::string ReadError() const;

    // The path of the file.
    const std::filesystem::path& File() const { return file_; }
    // The last error text of a failed write (French), empty after success.
    const std::string& LastError() const { return lastError_; }

private:
    struct Snapshot;

    // The file as it is now on disk, read again only if it has changed since
    // it was last read. Called with the lock held.
    const Snapshot& Current() const;
    // The raw value of a key (UTF-8), or false when missing.
    bool ReadValue(std::string_view section, std::string_view key, std::string& value) const;

    std::filesystem::path file_;
    ReadOnlyRule rule_;
    std::string lastError_;
    mutable std::mutex lock_;
    mutable std::unique_ptr<Snapshot> snapshot_;
};

} // namespace lexinum
