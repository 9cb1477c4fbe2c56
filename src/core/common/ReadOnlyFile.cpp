#include "ReadOnlyFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace lexinum {

namespace fs = std::filesystem;

namespace {
constexpr auto kWriteBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

std::string SystemText(int code) {
    return std::strerror(code);
}

bool WriteAndSync(const fs::path& path, std::string_view bytes, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error)
            *error = "Erreur de fichier:\r\n" + path.string() + ": " + SystemText(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (error)
                *error = "Erreur de fichier:\r\n" + path.string() + ": " + SystemText(errno);
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        if (error)
            *error = "Erreur de fichier:\r\n" + path.string() + ": " + SystemText(errno);
        return false;
    }
    return true;
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

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

bool ReadOnlyFile::Replace(const fs::path& file, std::string_view bytes, bool keepReadOnly, std::string* error,
                           const std::string& tempName) {
    const fs::path folder = file.parent_path();
    const fs::path temp = folder / (tempName.empty() ? file.filename().string() + ".tmp~" : tempName);
    std::error_code ec;
    const bool existed = fs::exists(file, ec);
    if (existed)
        MakeWritable(file);
    fs::remove(temp, ec);
    bool ok = WriteAndSync(temp, bytes, error);
    if (ok) {
        fs::rename(temp, file, ec);
        if (ec) {
            ok = false;
            if (error)
                *error = "Erreur de fichier:\r\n" + file.string() + ": " + ec.message();
        }
    }
    if (!ok)
        fs::remove(temp, ec);
    else
        SyncFolder(folder);
    if (keepReadOnly && (ok || existed))
        MakeReadOnly(file);
    return ok;
}

bool ReadOnlyFile::ReadAll(const fs::path& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return false;
    bytes = std::move(buffer).str();
    return true;
}

} // namespace lexinum
