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

// The name a copy in progress has beside `target` begins with this.
std::string CopyPrefix(const fs::path& target) {
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += ".copie-";
    return prefix;
}

// Removes what a copy killed half-way left beside `target`.
void RemoveLeftOverCopies(const fs::path& target) {
    const fs::path parent = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string prefix = CopyPrefix(target);
    std::vector<fs::path> leftOver;
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code ignored;
        if (name.compare(0, prefix.size(), prefix) == 0 && name.size() > prefix.size() &&
            it->symlink_status(ignored).type() == fs::file_type::directory)
            leftOver.push_back(it->path());
    }
    for (const fs::path& folder : leftOver) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
}

// A path without "." and ".." steps nor a separator at its end.
fs::path Normal(const fs::path& path) {
    fs::path normal = path.lexically_normal();
    if (normal.filename().empty() && normal.has_relative_path())
        normal = normal.parent_path();
    return normal;
}

} // namespace

fs::path LexiconSeed::FolderOf(const std::string& setting, const fs::path& dataFolder) {
    std::string folder = setting.empty() ? std::string(kDefaultFolderName) : setting;
    std::replace(folder.begin(), folder.end(), '\\', '/');
    const fs::path path(folder);
    return Normal(path.is_absolute() ? path : dataFolder / path);
}

std::string LexiconSeed::SettingFor(const fs::path& folder, const fs::path& dataFolder) {
    return Normal(folder) == FolderOf({}, dataFolder) ? std::string(kDefaultFolderName) : folder.string();
}

bool LexiconSeed::NeedsCopy(const std::string& setting, const fs::path& dataFolder) {
    const fs::path folder = FolderOf(setting, dataFolder);
    std::error_code ec;
    return folder == FolderOf({}, dataFolder) && !fs::exists(fs::symlink_status(folder, ec));
}

LexiconSeed::PlayerFolder LexiconSeed::OpenPlayerFolder(const std::string& setting, const fs::path& dataFolder,
                                                        const fs::path& shipped, const Progress& progress) {
    PlayerFolder player{FolderOf(setting, dataFolder), {}};
    if (player.folder != FolderOf({}, dataFolder))
        return player;
    const Result seeded = Seed(shipped, player.folder, progress);
    if (seeded.outcome == Outcome::Failed)
        player.problem = seeded.problem + " La copie sera tentée de nouveau au prochain démarrage.";
    else if (seeded.outcome == Outcome::NothingToCopy)
        player.problem = "Le lexique livré avec le jeu est introuvable (" +
                         (shipped / LexiconSet::kIndexName).string() +
                         " manque) : le lexique du joueur n'a pas pu être créé dans " + player.folder.string() + ".";
    return player;
}

LexiconSeed::Result LexiconSeed::Seed(const fs::path& shipped, const fs::path& target, const Progress& progress) {
    std::error_code ec;
    RemoveLeftOverCopies(target);
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
    const fs::path copy = MakeUniqueFolder(parent, CopyPrefix(target), code);
    if (copy.empty())
        return failed(SystemError::Text(code));
    // Nothing of a failed copy stays behind. `whole` says `why` is already a full message.
    const auto giveUp = [&](const std::string& why, bool whole = false) {
        std::error_code ignored;
        fs::remove_all(copy, ignored);
        return whole ? Result{Outcome::Failed, why} : failed(why);
    };
    const auto abandon = [&copy] {
        std::error_code ignored;
        fs::remove_all(copy, ignored);
        return Result{Outcome::Abandoned, {}};
    };

    if (progress && !progress(0, files.size()))
        return abandon();
    for (std::size_t done = 0; done < files.size(); ++done) {
        const fs::path& file = files[done];
        std::string bytes;
        std::string readError;
        if (ReadOnlyFile::Read(file, bytes, kMaxFileSize, &readError) != ReadOnlyFile::ReadResult::Read)
            return giveUp(readError + " Le lexique n'a pas été copié dans " + target.string() + ".", true);
        const fs::path copied = copy / file.filename();
        if (!ReadOnlyFile::WriteAndSync(copied, bytes, &code))
            return giveUp(copied.filename().string() + " : " + SystemError::Text(code));
        ReadOnlyFile::MakeReadOnly(copied);
        if (progress && !progress(done + 1, files.size()))
            return abandon();
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
