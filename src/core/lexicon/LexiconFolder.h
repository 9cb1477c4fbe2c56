#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace lexinum {

// A lexicon folder opened once. Its index and its files are read through this
// handle, so they come from one and the same folder even when another lexicon
// takes the folder's name meanwhile (a rebuild exchanges the whole folder). A
// stamp of the folder and of its index tells whether the name still leads to
// the lexicon that was read.
//
// It also keeps the bytes of the lexicon files it has read, each with the
// stamp it had, so that a search reads a file again only when it has changed
// and otherwise costs no reading at all. Shared by every copy of a lexicon set
// (the searches work on copies) and safe to use from several threads.
class LexiconFolder {
public:
    // What tells one version of a file from another: the same file (device
    // and inode), the same size and the same times of change.
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = -1;
        std::int64_t modified = 0;
        std::int64_t changed = 0;
        bool operator==(const Stamp&) const = default;
    };

    // The largest file whose bytes are kept, and the most bytes kept in all:
    // the files of a usual lexicon are a few tens of kilobytes each. A larger
    // file is read from the disk at each search.
    static constexpr std::int64_t kMaxKeptFile = std::int64_t{1} << 20;
    static constexpr std::int64_t kMaxKeptBytes = std::int64_t{64} << 20;

    // Opens `folder`; null when it cannot be opened as a folder (`systemError`
    // then receives the errno value).
    static std::shared_ptr<LexiconFolder> Open(const std::filesystem::path& folder, int* systemError = nullptr);
    ~LexiconFolder();
    LexiconFolder(const LexiconFolder&) = delete;
    LexiconFolder& operator=(const LexiconFolder&) = delete;

    // The folder's path, as it was opened.
    const std::filesystem::path& Path() const { return path_; }
    // The descriptor of the open folder, to open files relative to it.
    int Descriptor() const { return fd_; }

    // The stamp of `name` in this folder (a link is followed); false when it
    // cannot be looked at.
    bool StampOf(const std::string& name, Stamp& stamp) const;
    // True while the folder's path still leads to this folder.
    bool StillAtItsPath() const;
    // Records the stamp of the index as it was when read.
    void KeepIndexStamp(const Stamp& stamp) { indexStamp_ = stamp; }
    // True while the path leads to this folder and the index is as it was read.
    bool Unchanged() const;

    // The bytes of the file `name` of this folder as it is now: the bytes
    // kept when its stamp has not changed, otherwise read again (and kept when
    // small enough). Null when the file is too large to keep: it is then read
    // from the disk. `lost` is set when it cannot be opened or read.
    std::shared_ptr<const std::string> Bytes(const std::string& name, bool& lost);

private:
    LexiconFolder(int fd, std::filesystem::path path, const Stamp& identity);

    struct Kept {
        Stamp stamp;
        std::shared_ptr<const std::string> bytes;
    };

    int fd_ = -1;
    std::filesystem::path path_;
    Stamp identity_;
    Stamp indexStamp_;
    std::mutex lock_;
    std::map<std::string, Kept> kept_;
    std::int64_t keptBytes_ = 0;
};

} // namespace lexinum
