#include "LexiconBuilder.h"

#include "common/Cp1252.h"
#include "common/Profile.h"
#include "common/ReadOnlyFile.h"
#include "common/SystemError.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace lexinum {

namespace fs = std::filesystem;

namespace {

// The accented small letters a lexicon word may hold, in Windows-1252.
constexpr std::string_view kAccentedLetters = "\xE0\xE2\xE4\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF6\xF9\xFB\xFC";

bool IsLexiconLetter(char c) {
    return (c >= 'a' && c <= 'z') || kAccentedLetters.find(c) != std::string_view::npos;
}

// A line of the lexicon as written: its key and its text without the line end.
struct BuiltLine {
    std::string key;
    std::string text;
};

// Cuts `lines` (of one length) into `parts` runs of similar byte size, each
// holding at least one line; returns the index where each run starts.
std::vector<std::size_t> CutIntoParts(const std::vector<BuiltLine>& lines, int parts) {
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.text.size() + 2;
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    std::size_t done = 0;
    for (int part = 0; part < parts; ++part) {
        starts.push_back(at);
        if (part == parts - 1)
            break;
        const std::size_t target = total * static_cast<std::size_t>(part + 1) / static_cast<std::size_t>(parts);
        const std::size_t keepForOthers = static_cast<std::size_t>(parts - part - 1);
        done += lines[at].text.size() + 2;
        ++at;
        while (at + keepForOthers < lines.size() && done + (lines[at].text.size() + 2) / 2 < target) {
            done += lines[at].text.size() + 2;
            ++at;
        }
    }
    return starts;
}

// How many files each key length gets: at least one per length present, then
// one more at a time to the length whose files are the largest, until `total`
// files are given out (or every line has a file of its own).
std::array<int, kMaxKeyLength + 1> ShareFiles(const std::array<std::vector<BuiltLine>, kMaxKeyLength + 1>& byLength,
                                              int total) {
    std::array<std::size_t, kMaxKeyLength + 1> bytes{};
    std::array<int, kMaxKeyLength + 1> files{};
    int given = 0;
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        for (const auto& line : byLength[static_cast<std::size_t>(length)])
            bytes[static_cast<std::size_t>(length)] += line.text.size() + 2;
        if (!byLength[static_cast<std::size_t>(length)].empty()) {
            files[static_cast<std::size_t>(length)] = 1;
            ++given;
        }
    }
    while (given < total) {
        int widest = 0;
        for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
            const auto l = static_cast<std::size_t>(length);
            if (files[l] == 0 || static_cast<std::size_t>(files[l]) >= byLength[l].size())
                continue;
            const auto w = static_cast<std::size_t>(widest);
            if (widest == 0 ||
                bytes[l] * static_cast<std::size_t>(files[w]) > bytes[w] * static_cast<std::size_t>(files[l]))
                widest = length;
        }
        if (widest == 0)
            break;
        ++files[static_cast<std::size_t>(widest)];
        ++given;
    }
    return files;
}

// A message on one line (the command line prints it as it is): the line
// breaks of texts made for a message box become spaces.
std::string OneLine(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.replace(at, 2, " ");
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// True when `name` is "<radical>NN.lex", NN from 01 to 99: a file of a lexicon.
bool IsLexFileOf(std::string_view name, std::string_view radical) {
    if (name.size() != radical.size() + 6 || name.substr(0, radical.size()) != radical)
        return false;
    const std::string_view number = name.substr(radical.size(), 2);
    return number[0] >= '0' && number[0] <= '9' && number[1] >= '0' && number[1] <= '9' && number != "00" &&
           name.substr(radical.size() + 2) == ".lex";
}

// What an existing folder holds besides a lexicon: every entry but "lex.ini"
// and the numbered lexicon files of `radical` or of the radical its index
// names, those being regular files. `error` is set when the folder cannot be
// listed.
std::vector<std::string> ForeignEntries(const fs::path& folder, const std::string& radical, std::error_code& error) {
    std::optional<std::string> indexed;
    const fs::path index = folder / LexiconSet::kIndexName;
    std::error_code ignored;
    if (fs::is_regular_file(fs::symlink_status(index, ignored))) {
        const std::string named = Profile(index).ReadString("lexiques", "lex_rad", "", kMaxRadicalLength);
        if (LexiconSet::IsValidRadical(named))
            indexed = named;
    }
    std::vector<std::string> foreign;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool regular = it->symlink_status(ignored).type() == fs::file_type::regular;
        if (regular &&
            (name == LexiconSet::kIndexName || IsLexFileOf(name, radical) || (indexed && IsLexFileOf(name, *indexed))))
            continue;
        foreign.push_back(name);
    }
    std::sort(foreign.begin(), foreign.end());
    return foreign;
}

// Removes a folder built or set aside by a build, read-only files included.
void RemoveFolder(const fs::path& folder) {
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder, ignored);
}

// Makes a new folder of a unique name beginning with `stem` in `parent`;
// empty (with the errno value in `code`) when it cannot.
fs::path MakeUniqueFolder(const fs::path& parent, const std::string& stem, int& code) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const fs::path folder = parent / (stem + std::to_string(::getpid()) + "-" + std::to_string(attempt));
        if (::mkdir(folder.c_str(), 0777) == 0)
            return folder;
        code = errno;
        if (code != EEXIST)
            break;
    }
    return {};
}

} // namespace

LexiconBuilder::LexiconBuilder(std::string radical) : radical_(std::move(radical)) {}

std::optional<std::string> LexiconBuilder::LexiconSpelling(std::string_view word) {
    auto bytes = Cp1252::FromUtf8(word);
    if (!bytes || bytes->size() < static_cast<std::size_t>(kMinKeyLength) ||
        bytes->size() > static_cast<std::size_t>(kMaxKeyLength))
        return std::nullopt;
    if (!std::all_of(bytes->begin(), bytes->end(), IsLexiconLetter))
        return std::nullopt;
    return bytes;
}

std::string LexiconBuilder::CheckRadical(std::string_view radical) {
    if (LexiconSet::IsValidRadical(radical))
        return {};
    return "Le radical « " + std::string(radical) +
           " » ne peut pas servir de nom de lexique : 11 caractères au plus, sans séparateur de dossier.";
}

bool LexiconBuilder::AddWord(std::string_view word) {
    ++summary_.wordsRead;
    const auto spelling = LexiconSpelling(word);
    if (!spelling) {
        ++summary_.wordsRefused;
        if (!Cp1252::IsUtf8(word))
            ++summary_.linesNotUtf8;
        return false;
    }
    if (!spellings_.insert(*spelling).second) {
        ++summary_.duplicates;
        return false;
    }
    const std::string key = MakeKey(*spelling);
    const auto [found, added] = lineOfKey_.try_emplace(key, lines_.size());
    if (added)
        lines_.push_back({key, {}});
    lines_[found->second].words.push_back(*spelling);
    ++summary_.wordsKept;
    return true;
}

void LexiconBuilder::AddWordList(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            AddWord(line);
    }
}

bool LexiconBuilder::AddWordListFile(const fs::path& file, std::string* error) {
    std::string text;
    std::string problem;
    if (ReadOnlyFile::Read(file, text, kMaxListSize, &problem) != ReadOnlyFile::ReadResult::Read) {
        if (error != nullptr)
            *error = "Impossible de lire la liste de mots : " + problem;
        return false;
    }
    AddWordList(text);
    return true;
}

void LexiconBuilder::SetFileCountRange(int minimum, int maximum) {
    maxFiles_ = std::clamp(maximum, 1, kMaxLexFiles);
    minFiles_ = std::clamp(minimum, 1, maxFiles_);
}

bool LexiconBuilder::Write(const fs::path& folder, std::string* error) {
    const auto fail = [error](const std::string& text) {
        if (error != nullptr)
            *error = text;
        return false;
    };
    if (const std::string problem = CheckRadical(radical_); !problem.empty())
        return fail(problem);
    if (lines_.empty())
        return fail("Aucun mot de la liste ne peut entrer dans le lexique (2 à 27 lettres minuscules, accents "
                    "français compris).");

    // The lines of each key length, in key order, each within 199 bytes.
    std::array<std::vector<BuiltLine>, kMaxKeyLength + 1> byLength;
    summary_.overflowWords.clear();
    std::size_t lineCount = 0;
    for (const Line& line : lines_) {
        std::string text = line.key;
        for (const std::string& word : line.words) {
            if (text.size() + 1 + word.size() + 2 > static_cast<std::size_t>(kMaxLineLength)) {
                summary_.overflowWords.push_back(Cp1252::ToUtf8(word));
                continue;
            }
            text += ' ';
            text += word;
        }
        byLength[line.key.size()].push_back({line.key, std::move(text)});
        ++lineCount;
    }
    for (auto& lines : byLength)
        std::sort(lines.begin(), lines.end(), [](const BuiltLine& a, const BuiltLine& b) { return a.key < b.key; });

    // Share the files out among the lengths, then cut each length.
    const int wanted = std::clamp((minFiles_ + maxFiles_ + 1) / 2, minFiles_, maxFiles_);
    const auto shares = ShareFiles(byLength, std::min<int>(wanted, static_cast<int>(lineCount)));
    std::vector<std::string> contents;
    std::vector<int> lengthOfFile{0};
    LexiconSet index;
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        const auto& lines = byLength[static_cast<std::size_t>(length)];
        const int parts = shares[static_cast<std::size_t>(length)];
        if (parts == 0)
            continue;
        const auto starts = CutIntoParts(lines, parts);
        for (std::size_t part = 0; part < starts.size(); ++part) {
            const std::size_t end = part + 1 < starts.size() ? starts[part + 1] : lines.size();
            std::string bytes;
            for (std::size_t i = starts[part]; i < end; ++i) {
                bytes += lines[i].text;
                bytes += "\r\n";
            }
            index.firstEntries[contents.size()] = lines[starts[part]].key;
            contents.push_back(std::move(bytes));
            lengthOfFile.push_back(length);
        }
    }
    index.directory = folder;
    index.radical = radical_;
    index.fileCount = static_cast<int>(contents.size());
    LexiconSet::ComputeRanges(
        index.fileCount, [&](int file, int length) { return lengthOfFile[static_cast<std::size_t>(file)] == length; },
        index.first, index.last);
    index.ResetToDefaultWeights();

    // Where the lexicon goes: a link to a folder stands for the folder it names.
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    const bool replacing = fs::exists(status);
    if (ec && status.type() != fs::file_type::not_found)
        return fail("Impossible d'écrire le lexique dans " + folder.string() + " : " + SystemError::Text(ec.value()) +
                    ".");
    if (replacing && !fs::is_directory(status))
        return fail(folder.string() + " n'est pas un dossier : le lexique ne peut pas y être écrit.");
    fs::path target = replacing ? fs::canonical(folder, ec) : fs::absolute(folder, ec).lexically_normal();
    if (ec)
        return fail("Impossible d'écrire le lexique dans " + folder.string() + " : " + SystemError::Text(ec.value()) +
                    ".");
    if (target.filename().empty())
        target = target.parent_path();
    const std::string kept = replacing ? " Le lexique qui s'y trouvait est resté tel quel." : "";
    if (replacing) {
        // Only a lexicon is replaced: anything else the folder holds would be lost.
        const auto foreign = ForeignEntries(target, radical_, ec);
        if (ec)
            return fail("Impossible de lire le dossier " + folder.string() + " : " + SystemError::Text(ec.value()) +
                        ".");
        if (!foreign.empty()) {
            std::string names;
            for (std::size_t i = 0; i < foreign.size() && i < 5; ++i)
                names += (i == 0 ? "" : ", ") + Cp1252::ToUtf8(Cp1252::FromUtf8Lossy(foreign[i]));
            if (foreign.size() > 5)
                names += "…";
            return fail("Le dossier " + folder.string() + " contient " + std::to_string(foreign.size()) +
                        " fichier(s) qui ne font pas partie d'un lexique (" + names +
                        ") : il n'est pas modifié. Choisissez un dossier vide ou celui d'un lexique.");
        }
    } else if (!target.parent_path().empty()) {
        fs::create_directories(target.parent_path(), ec);
        if (ec)
            return fail("Impossible de créer le dossier " + target.parent_path().string() + " : " +
                        SystemError::Text(ec.value()) + ".");
    }

    // Write the whole lexicon in a folder of its own beside the target, so
    // that it never mixes with the old one.
    const fs::path parent = target.parent_path();
    int code = 0;
    const fs::path built = MakeUniqueFolder(parent, "." + target.filename().string() + ".construction-", code);
    if (built.empty())
        return fail("Impossible de créer un dossier temporaire dans " + parent.string() + " : " +
                    SystemError::Text(code) + "." + kept);
    const auto failWriting = [&](const std::string& why) {
        RemoveFolder(built);
        return fail("Impossible d'écrire le lexique dans " + folder.string() + " : " + why + "." + kept);
    };
    index.directory = built;
    for (int n = 1; n <= index.fileCount; ++n) {
        const fs::path file = index.LexFilePath(n);
        if (!ReadOnlyFile::WriteAndSync(file, contents[static_cast<std::size_t>(n - 1)], &code))
            return failWriting(file.filename().string() + " : " + SystemError::Text(code));
        ReadOnlyFile::MakeReadOnly(file);
    }
    const fs::path indexPath = index.IndexPath();
    {
        Profile ini(indexPath);
        const bool ok = index.WriteCountAndRadical(ini) && index.WriteRanges(ini) && index.WriteFirstEntries(ini) &&
                        index.WriteWeights(ini);
        if (!ok)
            return failWriting(OneLine(ini.LastError()));
    }
    ReadOnlyFile::MakeReadOnly(indexPath);
    if (replacing) {
        struct stat old {};
        if (::stat(target.c_str(), &old) == 0)
            ::chmod(built.c_str(), old.st_mode & 07777);
    }
    ReadOnlyFile::SyncFolder(built);

    // Put it in the target's place in one step. An old lexicon is exchanged
    // with the new one, then removed; where the file system cannot exchange
    // two folders, the old one steps aside just before the new one comes in.
    if (!replacing) {
        if (::rename(built.c_str(), target.c_str()) != 0)
            return failWriting(SystemError::Text(errno));
    } else if (::renameat2(AT_FDCWD, built.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        RemoveFolder(built);
    } else if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP) {
        const fs::path aside = MakeUniqueFolder(parent, "." + target.filename().string() + ".ancien-", code);
        if (aside.empty() || ::rename(target.c_str(), aside.c_str()) != 0) {
            code = aside.empty() ? code : errno;
            if (!aside.empty())
                RemoveFolder(aside);
            return failWriting(SystemError::Text(code));
        }
        if (::rename(built.c_str(), target.c_str()) != 0) {
            code = errno;
            ::rename(aside.c_str(), target.c_str());
            return failWriting(SystemError::Text(code));
        }
        RemoveFolder(aside);
    } else {
        return failWriting(SystemError::Text(errno));
    }
    ReadOnlyFile::SyncFolder(parent);
    summary_.wordsWritten = summary_.wordsKept - summary_.overflowWords.size();
    summary_.lineCount = lineCount;
    summary_.fileCount = index.fileCount;
    return true;
}

} // namespace lexinum
