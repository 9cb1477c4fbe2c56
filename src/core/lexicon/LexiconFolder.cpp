#include "LexiconFolder.h"

#include "common/ReadOnlyFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexinum {

namespace {

LexiconFolder::Stamp StampFrom(const struct stat& status) {
    LexiconFolder::Stamp stamp;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::int64_t>(status.st_size);
    stamp.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    stamp.changed = static_cast<std::int64_t>(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    return stamp;
}

} // namespace

std::shared_ptr<LexiconFolder> LexiconFolder::Open(const std::filesystem::path& folder, int* systemError) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        if (systemError != nullptr)
            *systemError = errno;
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    Stamp identity = StampFrom(status);
    // A folder's own times change with every file written in it: it is known by its device and inode.
    identity.size = 0;
    identity.modified = 0;
    identity.changed = 0;
    return std::shared_ptr<LexiconFolder>(new LexiconFolder(fd, folder, identity));
}

LexiconFolder::LexiconFolder(int fd, std::filesystem::path path, const Stamp& identity)
    : fd_(fd), path_(std::move(path)), identity_(identity) {}

LexiconFolder::~LexiconFolder() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool LexiconFolder::StampOf(const std::string& name, Stamp& stamp) const {
    struct stat status {};
    if (::fstatat(fd_, name.c_str(), &status, 0) != 0)
        return false;
    stamp = StampFrom(status);
    return true;
}

bool LexiconFolder::StillAtItsPath() const {
    struct stat status {};
    if (::stat(path_.c_str(), &status) != 0)
        return false;
    return static_cast<std::uint64_t>(status.st_dev) == identity_.device &&
           static_cast<std::uint64_t>(status.st_ino) == identity_.inode;
}

bool LexiconFolder::Unchanged() const {
    Stamp index;
    return StillAtItsPath() && StampOf("lex.ini", index) && index == indexStamp_;
}

std::shared_ptr<const std::string> LexiconFolder::Bytes(const std::string& name, bool& lost) {
    lost = false;
    Stamp now;
    if (!StampOf(name, now)) {
        lost = true;
        return nullptr;
    }
    if (now.size > kMaxKeptFile)
        return nullptr;
    const std::lock_guard<std::mutex> guard(lock_);
    const auto found = kept_.find(name);
    if (found != kept_.end() && found->second.stamp == now)
        return found->second.bytes;

    std::uintmax_t size = 0;
    const int fd = ReadOnlyFile::OpenRegularAt(fd_, name, static_cast<std::uintmax_t>(kMaxKeptFile), &size);
    if (fd < 0) {
        // Grown past what is kept since it was looked at: it is read from the disk.
        struct stat status {};
        lost = ::fstatat(fd_, name.c_str(), &status, 0) != 0 || status.st_size <= kMaxKeptFile;
        return nullptr;
    }
    struct stat before {};
    ::fstat(fd, &before);
    auto bytes = std::make_shared<std::string>();
    bytes->resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes->size()) {
        const ssize_t count = ::pread(fd, bytes->data() + done, bytes->size() - done, static_cast<off_t>(done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            ::close(fd);
            lost = true;
            return nullptr;
        }
        if (count == 0)
            break; // shrunk while read: it simply ends sooner
        done += static_cast<std::size_t>(count);
    }
    bytes->resize(done);
    struct stat after {};
    const bool steady =
        ::fstat(fd, &after) == 0 && StampFrom(before) == StampFrom(after) && after.st_size == static_cast<off_t>(done);
    ::close(fd);
    // A file that changed while it was read serves this once and is not kept.
    if (steady) {
        const std::int64_t previous = found != kept_.end() ? static_cast<std::int64_t>(found->second.bytes->size()) : 0;
        if (keptBytes_ - previous + static_cast<std::int64_t>(done) <= kMaxKeptBytes) {
            keptBytes_ += static_cast<std::int64_t>(done) - previous;
            kept_[name] = Kept{StampFrom(after), bytes};
        }
    }
    return bytes;
}

} // namespace lexinum
