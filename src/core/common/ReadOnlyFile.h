#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lexinum {

// The rules around the game's data files: they are kept read-only between
// writes, a write replaces a file whole or not at all, and only regular files
// are ever read (a folder, a pipe or a device put in a file's place is refused
// before anything is read from it, so nothing blocks and nothing endless is
// read), within a size fitting what the file can hold.
class ReadOnlyFile {
public:
    // The largest file ReadAll reads.
    static constexpr std::uintmax_t kDefaultReadLimit = std::uintmax_t{256} << 20;

    // How an attempt to read a file ended.
    enum class ReadResult {
        Read,     // the file was read
        Missing,  // there is no such file
        NotAFile, // a folder, a pipe, a device or a socket stands there
        TooLarge, // the file is larger than the limit given
        Failed,   // the system refused or failed the reading (see the error code)
    };

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
    // exactly as it was). A symbolic link is followed: the file it names is
    // replaced and the link stays. Returns false and an error text (French,
    // naming `file`, never the temporary file) on failure.
    static bool Replace(const std::filesystem::path& file, std::string_view bytes, bool keepReadOnly,
                        std::string* error = nullptr, const std::string& tempName = {});

    // Writes `bytes` to a new file (one already there is truncated; a link is
    // not followed) and syncs it to the disk. False with the errno value in
    // `systemError` on failure.
    static bool WriteAndSync(const std::filesystem::path& file, std::string_view bytes, int* systemError = nullptr);
    // Syncs a folder's entries to the disk (after files were created or renamed in it).
    static void SyncFolder(const std::filesystem::path& folder);

    // Opens a regular file of at most `maxSize` bytes for reading. Anything
    // else is refused without being read and without waiting. Returns the file
    // descriptor (the caller closes it) or -1; `size` receives the file's size,
    // `result` and `systemError` (an errno value) why it was not opened.
    static int OpenRegular(const std::filesystem::path& file, std::uintmax_t maxSize, std::uintmax_t* size = nullptr,
                           ReadResult* result = nullptr, int* systemError = nullptr);
    // OpenRegular for `file` taken in the folder open as the descriptor
    // `folder` (AT_FDCWD: the working folder), so that a file comes from that
    // folder even when another one has taken its name meanwhile.
    static int OpenRegularAt(int folder, const std::filesystem::path& file, std::uintmax_t maxSize,
                             std::uintmax_t* size = nullptr, ReadResult* result = nullptr, int* systemError = nullptr);
    // Reads a whole regular file of at most `maxSize` bytes into `bytes`. On
    // failure `error`, when given, receives a French text naming the file.
    static ReadResult Read(const std::filesystem::path& file, std::string& bytes, std::uintmax_t maxSize,
                           std::string* error = nullptr);
    // Reads a whole regular file (at most 256 MiB) as bytes; false if it
    // cannot be read.
    static bool ReadAll(const std::filesystem::path& file, std::string& bytes);
    // The French text telling why `file` could not be read.
    static std::string ReadErrorText(const std::filesystem::path& file, ReadResult result, int systemError,
                                     std::uintmax_t maxSize);
};

} // namespace lexinum
