#include "LexiconSeed.h"

#include "common/ReadOnlyFile.h"
#include "common/SystemError.h"
#include "lexicon/LexiconSet.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace lexinum {

namespace fs = std::filesystem;

namespace {

// A new, empty folder in `parent` whose name begins with `prefix`; empty on
// failure, with the errno value in `code`.
fs::path MakeUniqueFolder(const fs::path& parent, const std::string& prefix, int& code) {
    std::string pattern = (parent / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        code = errno;
        return {};
    }
    return pattern;
}

} // namespace

LexiconSeed::Result LexiconSeed::Seed(const fs::path& shipped, const fs::path& target) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec)))
        return {Outcome::AlreadyThere, {}};
    if (!fs::is_regular_file(shipped / LexiconSet::kIndexName, ec))
        return {Outcome::NothingToCopy, {}};

    const auto failed = [&target](const std::string& why) {
        return Result{Outcome::Failed, "Impossible de copier le lexique dans " + target.string() + " : " + why + "."};
    };
    std::vector<fs::path> files;
    for (fs::directory_iterator it(shipped, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec))
            files.push_back(it->path());
    }
    if (ec)
        return failed(SystemError::Text(ec.value()));
    std::sort(files.begin(), files.end());

    const fs::path parent = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fs::create_directories(parent, ec);
    if (ec)
        return failed(SystemError::Text(ec.value()));
    int code = 0;
    const fs::path copy = MakeUniqueFolder(parent, "." + target.filename().string() + ".copie-", code);
    if (copy.empty())
        return failed(SystemError::Text(code));
    // Nothing of a failed copy stays behind. `whole` says `why` is already a full message.
    const auto giveUp = [&](const std::string& why, bool whole = false) {
        std::error_code ignored;
        fs::remove_all(copy, ignored);
        return whole ? Result{Outcome::Failed, why} : failed(why);
    };

    for (const fs::path& file : files) {
        std::string bytes;
        std::string readError;
        if (ReadOnlyFile::Read(file, bytes, kMaxFileSize, &readError) != ReadOnlyFile::ReadResult::Read)
            return giveUp(readError + " Le lexique n'a pas été copié dans " + target.string() + ".", true);
        const fs::path copied = copy / file.filename();
        if (!ReadOnlyFile::WriteAndSync(copied, bytes, &code))
            return giveUp(copied.filename().string() + " : " + SystemError::Text(code));
        ReadOnlyFile::MakeReadOnly(copied);
    }
    // A folder the player owns, as any other of theirs (the temporary one is private).
    fs::permissions(copy,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    ec);
    ReadOnlyFile::SyncFolder(copy);
    if (std::rename(copy.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        // Another copy of the game may have seeded it meanwhile.
        if (fs::exists(fs::symlink_status(target, ec))) {
            fs::remove_all(copy, ec);
            return {Outcome::AlreadyThere, {}};
        }
        return giveUp(SystemError::Text(renameError));
    }
    ReadOnlyFile::SyncFolder(parent);
    return {Outcome::Copied, {}};
}

} // namespace lexinum
