#include "ReadOnlyFile.h"

#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexinum {

namespace fs = std::filesystem;

namespace {
constexpr auto kWriteBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// The message of a failed write: it names the file the player knows, not the
// temporary file the failure may have happened on.
std::string WriteErrorText(const fs::path& file, int code) {
    return "Erreur de fichier:\r\nImpossible d'enregistrer " + file.string() + " : " + SystemError::Text(code) + ".";
}

// The file a path names once its symbolic links are followed (a settings file
// kept in a dotfiles folder and linked into place): a write goes to that file
// and leaves the links alone. A path that is no link, or a chain of links too
// long to follow, is given back as it is.
fs::path FollowLinks(const fs::path& file) {
    fs::path at = file;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec)))
            return at;
        const fs::path target = fs::read_symlink(at, ec);
        if (ec)
            return at;
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
    return file;
}

} // namespace

bool ReadOnlyFile::WriteAndSync(const fs::path& path, std::string_view bytes, int* systemError) {
    int ignored = 0;
    int& code = systemError != nullptr ? *systemError : ignored;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        code = errno;
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            code = errno;
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        code = errno;
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        code = errno;
        return false;
    }
    return true;
}

void ReadOnlyFile::SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool ReadOnlyFile::IsReadOnly(const fs::path& file) {
    std::error_code ec;
    const auto st = fs::status(file, ec);
    if (ec || !fs::exists(st))
        return false;
    return (st.permissions() & kWriteBits) == fs::perms::none;
}

bool ReadOnlyFile::MakeWritable(const fs::path& file) {
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ec);
    return !ec;
}

bool ReadOnlyFile::MakeReadOnly(const fs::path& file) {
    std::error_code ec;
    fs::permissions(file, kWriteBits, fs::perm_options::remove, ec);
    return !ec;
}

bool ReadOnlyFile::Replace(const fs::path& named, std::string_view bytes, bool keepReadOnly, std::string* error,
                           const std::string& tempName) {
    const fs::path file = FollowLinks(named);
    const fs::path folder = file.parent_path();
    const fs::path temp = folder / (tempName.empty() ? file.filename().string() + ".tmp~" : tempName);
    std::error_code ec;
    const bool existed = fs::exists(file, ec);
    if (existed)
        MakeWritable(file);
    fs::remove(temp, ec);
    int code = 0;
    bool ok = WriteAndSync(temp, bytes, &code);
    if (ok && ::rename(temp.c_str(), file.c_str()) != 0) {
        code = errno;
        ok = false;
    }
    if (!ok) {
        fs::remove(temp, ec);
        if (error)
            *error = WriteErrorText(named, code);
    } else {
        SyncFolder(folder);
    }
    if (keepReadOnly && (ok || existed))
        MakeReadOnly(file);
    return ok;
}

int ReadOnlyFile::OpenRegular(const fs::path& file, std::uintmax_t maxSize, std::uintmax_t* size, ReadResult* result,
                              int* systemError) {
    return OpenRegularAt(AT_FDCWD, file, maxSize, size, result, systemError);
}

int ReadOnlyFile::OpenRegularAt(int folder, const fs::path& file, std::uintmax_t maxSize, std::uintmax_t* size,
                                ReadResult* result, int* systemError) {
    const auto refuse = [&](ReadResult why, int code) {
        if (result != nullptr)
            *result = why;
        if (systemError != nullptr)
            *systemError = code;
        return -1;
    };
    // Look before opening: opening some devices acts on them.
    struct stat before {};
    if (::fstatat(folder, file.c_str(), &before, 0) != 0)
        return errno == ENOENT ? refuse(ReadResult::Missing, ENOENT) : refuse(ReadResult::Failed, errno);
    if (!S_ISREG(before.st_mode))
        return refuse(ReadResult::NotAFile, 0);
    // Without waiting: a pipe put there meanwhile must not block the opening.
    const int fd = ::openat(folder, file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? refuse(ReadResult::Missing, ENOENT) : refuse(ReadResult::Failed, errno);
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
        const int code = errno;
        ::close(fd);
        return refuse(ReadResult::Failed, code);
    }
    if (!S_ISREG(opened.st_mode)) {
        ::close(fd);
        return refuse(ReadResult::NotAFile, 0);
    }
    if (opened.st_size < 0 || static_cast<std::uintmax_t>(opened.st_size) > maxSize) {
        ::close(fd);
        return refuse(ReadResult::TooLarge, 0);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (size != nullptr)
        *size = static_cast<std::uintmax_t>(opened.st_size);
    if (result != nullptr)
        *result = ReadResult::Read;
    return fd;
}

ReadOnlyFile::ReadResult ReadOnlyFile::Read(const fs::path& file, std::string& bytes, std::uintmax_t maxSize,
                                            std::string* error) {
    ReadResult result = ReadResult::Read;
    int code = 0;
    std::uintmax_t size = 0;
    const int fd = OpenRegular(file, maxSize, &size, &result, &code);
    if (fd >= 0) {
        // The file may grow while it is read: read to its end, never past the limit.
        std::string read;
        read.resize(static_cast<std::size_t>(size) + 1);
        std::size_t done = 0;
        for (;;) {
            if (done == read.size()) {
                if (read.size() > maxSize) {
                    result = ReadResult::TooLarge;
                    break;
                }
                read.resize(std::min<std::uintmax_t>(read.size() * 2, maxSize + 1));
            }
            const ssize_t n = ::read(fd, read.data() + done, read.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                result = ReadResult::Failed;
                code = errno;
                break;
            }
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
        if (result == ReadResult::Read) {
            read.resize(done);
            bytes = std::move(read);
        }
    }
    if (result != ReadResult::Read && error != nullptr)
        *error = ReadErrorText(file, result, code, maxSize);
    return result;
}

bool ReadOnlyFile::ReadAll(const fs::path& file, std::string& bytes) {
    return Read(file, bytes, kDefaultReadLimit) == ReadResult::Read;
}

std::string ReadOnlyFile::ReadErrorText(const fs::path& file, ReadResult result, int systemError,
                                        std::uintmax_t maxSize) {
    std::string why;
    switch (result) {
    case ReadResult::Read:
        return {};
    case ReadResult::Missing:
        why = "fichier introuvable";
        break;
    case ReadResult::NotAFile:
        why = "ce n'est pas un fichier ordinaire (dossier, tube ou périphérique)";
        break;
    case ReadResult::TooLarge:
        why = maxSize >= (std::uintmax_t{1} << 20)
                  ? "fichier trop grand (plus de " + std::to_string(maxSize >> 20) + " Mio)"
                  : "fichier trop grand (plus de " + std::to_string(maxSize) + " octets)";
        break;
    case ReadResult::Failed:
        why = SystemError::Text(systemError);
        break;
    }
    return "Impossible de lire " + file.string() + " : " + why + ".";
}

} // namespace lexinum
