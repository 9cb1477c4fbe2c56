#include "LexiconFileHandles.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/inotify.h>
#endif

namespace lexinum {

namespace {

// The device and inode a path names now; false if it names nothing.
bool Identity(const std::filesystem::path& path, std::uint64_t& device, std::uint64_t& inode) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    device = static_cast<std::uint64_t>(info.st_dev);
    inode = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

int OpenForReading(const std::filesystem::path& path) {
    int handle = -1;
    do
        handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (handle < 0 && errno == EINTR);
    return handle;
}

} // namespace

LexiconFileHandles::LexiconFileHandles() = default;

LexiconFileHandles::~LexiconFileHandles() {
    Clear();
}

void LexiconFileHandles::CloseKept() {
    for (Kept& kept : kept_) {
        if (kept.handle >= 0)
            ::close(kept.handle);
        if (kept.bytes != nullptr)
            ::munmap(const_cast<char*>(kept.bytes), kept.size);
        kept = Kept{};
    }
}

void LexiconFileHandles::Clear() {
    CloseKept();
    if (watch_ >= 0)
        ::close(watch_);
    watch_ = -1;
    folder_.clear();
}

int LexiconFileHandles::KeptCount() const {
    int count = 0;
    for (const Kept& kept : kept_)
        count += kept.handle >= 0 || kept.bytes != nullptr ? 1 : 0;
    return count;
}

bool LexiconFileHandles::Watch(const std::filesystem::path& folder) {
    Clear();
#if defined(__linux__)
    // Everything that can make a path of the folder name another file, a file
    // no longer readable, or a mapping no longer the whole file: creations,
    // removals, renames both ways, writes (a file grown or cut short in
    // place), attribute changes (the read-only rule, permissions), and the
    // folder itself going away.
    constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY |
                                       IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ < 0)
        return false;
    if (::inotify_add_watch(watch_, folder.c_str(), kChanges | IN_ONLYDIR) < 0 ||
        !Identity(folder, folderDevice_, folderInode_)) {
        Clear();
        return false;
    }
    folder_ = folder;
    return true;
#else
    (void)folder;
    return false;
#endif
}

bool LexiconFileHandles::Changed() {
    if (watch_ < 0)
        return false;
    bool changed = false;
    alignas(8) char events[4096];
    for (;;) {
        const ssize_t got = ::read(watch_, events, sizeof events);
        if (got > 0) {
            changed = true;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        // Nothing more to read (EAGAIN), or the watch is broken: in doubt, changed.
        if (got == 0 || errno != EAGAIN)
            changed = true;
        break;
    }
    return changed;
}

void LexiconFileHandles::Check(const std::filesystem::path& folder) {
    if (watch_ < 0 || folder != folder_) {
        Watch(folder);
        return;
    }
    // The folder's path may now name another folder (it, or one above it, was
    // moved): the changes inside the old one are no longer the ones that count.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    if (!Identity(folder, device, inode) || device != folderDevice_ || inode != folderInode_) {
        Watch(folder);
        return;
    }
    if (Changed())
        CloseKept();
}

LexiconFileHandles::File LexiconFileHandles::Open(int file, const std::filesystem::path& path) {
    if (watch_ >= 0 && Changed())
        CloseKept();
    if (watch_ >= 0 && file >= 1 && file <= kMaxLexFiles) {
        Kept& slot = kept_[static_cast<std::size_t>(file)];
        if (slot.path == path && slot.bytes == nullptr && slot.handle >= 0)
            MapKept(slot); // asked for again: mapped from now on, when it can be
        if (slot.path == path && (slot.bytes != nullptr || slot.handle >= 0))
            return File{slot.bytes, slot.size, slot.bytes != nullptr ? -1 : slot.handle, true};
    }
    File opened;
    opened.handle = OpenForReading(path);
    if (opened.handle < 0 && (errno == EMFILE || errno == ENFILE) && KeptCount() > 0) {
        // Too many files open in the program: the handles kept give way.
        CloseKept();
        opened.handle = OpenForReading(path);
    }
    // Only the files of the folder watched can be kept.
    const bool keeps = watch_ >= 0 && file >= 1 && file <= kMaxLexFiles && path.parent_path() == folder_;
    if (opened.handle < 0 || !keeps)
        return opened;
    Kept& slot = kept_[static_cast<std::size_t>(file)];
    if (slot.handle >= 0)
        ::close(slot.handle);
    if (slot.bytes != nullptr)
        ::munmap(const_cast<char*>(slot.bytes), slot.size);
    slot = Kept{};
    slot.path = path;
    slot.handle = opened.handle;
    opened.kept = true;
    return opened;
}

void LexiconFileHandles::MapKept(Kept& slot) {
    // Mapping a file costs more than reading it once, and much less than
    // reading it again and again: a file is mapped the second time a search
    // asks for it. Only an ordinary file, neither empty nor huge, whole.
    constexpr std::int64_t kLargestMapped = std::int64_t{1} << 30;
    struct stat info {};
    if (::fstat(slot.handle, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        info.st_size > kLargestMapped)
        return;
    const auto size = static_cast<std::size_t>(info.st_size);
    void* bytes = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, slot.handle, 0);
    if (bytes == MAP_FAILED)
        return;
    ::close(slot.handle);
    slot.handle = -1;
    slot.bytes = static_cast<const char*>(bytes);
    slot.size = size;
}

} // namespace lexinum
