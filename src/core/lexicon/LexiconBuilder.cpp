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
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
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

// The byte size of every line of one key length, without its CR LF (at most 197).
using LineSizes = std::vector<std::uint8_t>;

// Cuts the lines of one length into `parts` runs of similar byte size, each
// holding at least one line; returns the index where each run starts.
std::vector<std::size_t> CutIntoParts(const LineSizes& lines, int parts) {
    std::size_t total = 0;
    for (const std::uint8_t size : lines)
        total += size + 2U;
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    std::size_t done = 0;
    for (int part = 0; part < parts; ++part) {
        starts.push_back(at);
        if (part == parts - 1)
            break;
        const std::size_t target = total * static_cast<std::size_t>(part + 1) / static_cast<std::size_t>(parts);
        const std::size_t keepForOthers = static_cast<std::size_t>(parts - part - 1);
        done += lines[at] + 2U;
        ++at;
        while (at + keepForOthers < lines.size() && done + (lines[at] + 2U) / 2 < target) {
            done += lines[at] + 2U;
            ++at;
        }
    }
    return starts;
}

// How many files each key length gets: at least one per length present, then
// one more at a time to the length whose files are the largest, until `total`
// files are given out (or every line has a file of its own).
std::array<int, kMaxKeyLength + 1> ShareFiles(const std::array<LineSizes, kMaxKeyLength + 1>& byLength, int total) {
    std::array<std::size_t, kMaxKeyLength + 1> bytes{};
    std::array<int, kMaxKeyLength + 1> files{};
    int given = 0;
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        for (const std::uint8_t size : byLength[static_cast<std::size_t>(length)])
            bytes[static_cast<std::size_t>(length)] += size + 2U;
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

// The spelling that starts at `at` in the builder's words (up to its line feed).
std::string_view SpellingAt(const std::string& words, std::size_t at) {
    const char* start = words.data() + at;
    const auto* feed = static_cast<const char*>(std::memchr(start, '\n', words.size() - at));
    return {start, static_cast<std::size_t>(feed - start)};
}

std::uint64_t HashOf(std::string_view spelling) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : spelling)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return hash;
}

// The words of one key length, in the order of the lexicon: by key, and the
// anagrams of a key in list order. Made again for each length when needed,
// so that only one length is held at a time.
struct LengthRun {
    std::size_t length = 0;
    // The key of word i at keys[i * length].
    std::string keys;
    // Where word i starts in the builder's words.
    std::vector<std::uint32_t> starts;
    // The words in lexicon order.
    std::vector<std::uint32_t> order;

    LengthRun(const std::string& words, std::size_t wordLength, std::size_t count) : length(wordLength) {
        keys.resize(count * length);
        starts.reserve(count);
        for (std::size_t at = 0; at < words.size();) {
            const std::string_view spelling = SpellingAt(words, at);
            if (spelling.size() == length) {
                char* key = keys.data() + starts.size() * length;
                for (std::size_t i = 0; i < length; ++i)
                    key[i] = FoldLetter(spelling[i]);
                std::sort(key, key + length,
                          [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
                starts.push_back(static_cast<std::uint32_t>(at));
            }
            at += spelling.size() + 1;
        }
        order.resize(starts.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<std::uint32_t>(i);
        std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
            const int c = std::memcmp(Key(a).data(), Key(b).data(), length);
            return c != 0 ? c < 0 : a < b;
        });
    }

    std::string_view Key(std::uint32_t word) const { return {keys.data() + std::size_t{word} * length, length}; }
    // The end of the group of anagrams that starts at `from` in `order`.
    std::size_t GroupEnd(std::size_t from) const {
        std::size_t to = from + 1;
        while (to < order.size() && Key(order[to]) == Key(order[from]))
            ++to;
        return to;
    }
};

// The most words of `length` letters a line holds within 199 bytes with its CR LF.
std::size_t WordsPerLine(std::size_t length) {
    return (static_cast<std::size_t>(kMaxLineLength) - 2 - length) / (length + 1);
}

// Removes a folder a build was making when it stops, unless told it is done.
class FolderCleanup {
public:
    explicit FolderCleanup(fs::path folder) : folder_(std::move(folder)) {}
    ~FolderCleanup();
    FolderCleanup(const FolderCleanup&) = delete;
    FolderCleanup& operator=(const FolderCleanup&) = delete;
    void Done() { folder_.clear(); }

private:
    fs::path folder_;
};

constexpr std::string_view kOutOfMemory =
    "Mémoire insuffisante pour construire le lexique : la liste de mots est trop grande pour la mémoire disponible.";

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

FolderCleanup::~FolderCleanup() {
    if (!folder_.empty())
        RemoveFolder(folder_);
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
    if (!Remember(*spelling)) {
        ++summary_.duplicates;
        return false;
    }
    ++summary_.wordsKept;
    return true;
}

bool LexiconBuilder::Remember(std::string_view spelling) {
    if (table_.empty() || (tableCount_ + 1) * 4 > table_.size() * 3)
        RebuildTable(table_.size() * 2);
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = HashOf(spelling) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = table_[slot];
        if (entry == 0) {
            // Offsets are kept in 32 bits: far beyond the largest list read.
            if (words_.size() + spelling.size() + 2 > std::numeric_limits<std::uint32_t>::max())
                throw std::bad_alloc();
            table_[slot] = static_cast<std::uint32_t>(words_.size() + 1);
            words_ += spelling;
            words_ += '\n';
            ++tableCount_;
            return true;
        }
        if (SpellingAt(words_, entry - 1) == spelling)
            return false;
    }
}

void LexiconBuilder::RebuildTable(std::size_t atLeast) {
    // The old table goes first: it is made again from the words.
    std::vector<std::uint32_t>().swap(table_);
    const auto count = static_cast<std::size_t>(std::count(words_.begin(), words_.end(), '\n'));
    std::size_t slots = std::max<std::size_t>(atLeast, 1024);
    while ((count + 1) * 4 > slots * 3)
        slots *= 2;
    table_.assign(slots, 0);
    const std::size_t mask = slots - 1;
    for (std::size_t at = 0; at < words_.size();) {
        const std::string_view spelling = SpellingAt(words_, at);
        std::size_t slot = HashOf(spelling) & mask;
        while (table_[slot] != 0)
            slot = (slot + 1) & mask;
        table_[slot] = static_cast<std::uint32_t>(at + 1);
        at += spelling.size() + 1;
    }
    tableCount_ = count;
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
    ReadOnlyFile::ReadResult result = ReadOnlyFile::ReadResult::Read;
    int code = 0;
    std::uintmax_t size = 0;
    const int fd = ReadOnlyFile::OpenRegular(file, kMaxListSize, &size, &result, &code);
    if (fd < 0) {
        if (error != nullptr)
            *error = "Impossible de lire la liste de mots : " +
                     ReadOnlyFile::ReadErrorText(file, result, code, kMaxListSize);
        return false;
    }
    // A list read in part is not kept: what was read before stays as it was.
    const Summary before = summary_;
    const std::size_t kept = words_.size();
    bool ok = false;
    try {
        // The spellings never take more room than the list's lines.
        words_.reserve(words_.size() + static_cast<std::size_t>(size));
        ok = ReadWordList(fd, file, error);
    } catch (const std::bad_alloc&) {
        if (error != nullptr)
            *error = std::string(kOutOfMemory);
    }
    ::close(fd);
    if (!ok) {
        summary_ = before;
        words_.resize(kept);
        std::vector<std::uint32_t>().swap(table_);
        tableCount_ = 0;
    }
    return ok;
}

bool LexiconBuilder::ReadWordList(int fd, const fs::path& file, std::string* error) {
    std::string block(std::size_t{1} << 20, '\0');
    std::string carry;
    bool firstLine = true;
    const auto take = [&](std::string_view line) {
        if (firstLine && line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
        firstLine = false;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            AddWord(line);
    };
    std::uintmax_t total = 0;
    for (;;) {
        const ssize_t n = ::read(fd, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || total + static_cast<std::uintmax_t>(std::max<ssize_t>(n, 0)) > kMaxListSize) {
            if (error != nullptr)
                *error = "Impossible de lire la liste de mots : " +
                         ReadOnlyFile::ReadErrorText(
                             file, n < 0 ? ReadOnlyFile::ReadResult::Failed : ReadOnlyFile::ReadResult::TooLarge,
                             n < 0 ? errno : 0, kMaxListSize);
            return false;
        }
        if (n == 0)
            break;
        total += static_cast<std::uintmax_t>(n);
        std::string_view rest(block.data(), static_cast<std::size_t>(n));
        for (std::size_t feed; (feed = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(feed + 1)) {
            if (carry.empty()) {
                take(rest.substr(0, feed));
            } else {
                carry.append(rest.substr(0, feed));
                take(carry);
                carry.clear();
            }
        }
        carry.append(rest);
    }
    if (!carry.empty())
        take(carry);
    return true;
}

void LexiconBuilder::SetFileCountRange(int minimum, int maximum) {
    maxFiles_ = std::clamp(maximum, 1, kMaxLexFiles);
    minFiles_ = std::clamp(minimum, 1, maxFiles_);
}

bool LexiconBuilder::Write(const fs::path& folder, std::string* error) {
    try {
        return WriteLexicon(folder, error);
    } catch (const std::bad_alloc&) {
        // The old lexicon takes its new place in the last step, which needs no memory.
        std::error_code ec;
        if (error != nullptr)
            *error = std::string(kOutOfMemory) +
                     (fs::exists(folder, ec) ? " Le lexique qui s'y trouvait est resté tel quel." : "");
        return false;
    }
}

bool LexiconBuilder::WriteLexicon(const fs::path& folder, std::string* error) {
    const auto fail = [error](const std::string& text) {
        if (error != nullptr)
            *error = text;
        return false;
    };
    if (const std::string problem = CheckRadical(radical_); !problem.empty())
        return fail(problem);
    if (summary_.wordsKept == 0)
        return fail("Aucun mot de la liste ne peut entrer dans le lexique (2 à 27 lettres minuscules, accents "
                    "français compris).");
    // Nothing is added meanwhile: the table of spellings makes room for the lines.
    std::vector<std::uint32_t>().swap(table_);
    tableCount_ = 0;

    // First the size of every line, length by length, and the anagrams that
    // do not fit on their key's line.
    std::array<std::size_t, kMaxKeyLength + 1> wordsOfLength{};
    for (std::size_t at = 0; at < words_.size();) {
        const std::size_t length = SpellingAt(words_, at).size();
        ++wordsOfLength[length];
        at += length + 1;
    }
    std::array<LineSizes, kMaxKeyLength + 1> lineSizes;
    summary_.overflowWords.clear();
    std::size_t lineCount = 0;
    for (std::size_t length = kMinKeyLength; length <= static_cast<std::size_t>(kMaxKeyLength); ++length) {
        if (wordsOfLength[length] == 0)
            continue;
        const LengthRun run(words_, length, wordsOfLength[length]);
        const std::size_t fits = WordsPerLine(length);
        for (std::size_t from = 0; from < run.order.size();) {
            const std::size_t to = run.GroupEnd(from);
            const std::size_t onLine = std::min(to - from, fits);
            lineSizes[length].push_back(static_cast<std::uint8_t>(length + onLine * (length + 1)));
            for (std::size_t i = from + onLine; i < to; ++i)
                summary_.overflowWords.push_back(Cp1252::ToUtf8(SpellingAt(words_, run.starts[run.order[i]])));
            from = to;
        }
        lineCount += lineSizes[length].size();
    }

    // Share the files out among the lengths.
    const int wanted = std::clamp((minFiles_ + maxFiles_ + 1) / 2, minFiles_, maxFiles_);
    const auto shares = ShareFiles(lineSizes, std::min<int>(wanted, static_cast<int>(lineCount)));

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
    FolderCleanup cleanup(built);
    const auto failWriting = [&](const std::string& why) {
        return fail("Impossible d'écrire le lexique dans " + folder.string() + " : " + why + "." + kept);
    };
    // Then each length again, its lines cut into its files, each file written as it is made.
    std::vector<int> lengthOfFile{0};
    std::vector<std::string> firstEntries;
    std::string bytes;
    for (std::size_t length = kMinKeyLength; length <= static_cast<std::size_t>(kMaxKeyLength); ++length) {
        const int parts = shares[length];
        if (parts == 0)
            continue;
        const LengthRun run(words_, length, wordsOfLength[length]);
        const std::size_t fits = WordsPerLine(length);
        const auto starts = CutIntoParts(lineSizes[length], parts);
        std::size_t from = 0;
        for (std::size_t part = 0; part < starts.size(); ++part) {
            const std::size_t lines =
                (part + 1 < starts.size() ? starts[part + 1] : lineSizes[length].size()) - starts[part];
            const int n = static_cast<int>(lengthOfFile.size());
            firstEntries.emplace_back(run.Key(run.order[from]));
            bytes.clear();
            for (std::size_t line = 0; line < lines; ++line) {
                const std::size_t to = run.GroupEnd(from);
                bytes += run.Key(run.order[from]);
                for (std::size_t i = from; i < std::min(to, from + fits); ++i) {
                    bytes += ' ';
                    bytes += SpellingAt(words_, run.starts[run.order[i]]);
                }
                bytes += "\r\n";
                from = to;
            }
            const fs::path file = LexiconSet::LexFilePath(built, radical_, n);
            if (!ReadOnlyFile::WriteAndSync(file, bytes, &code))
                return failWriting(file.filename().string() + " : " + SystemError::Text(code));
            ReadOnlyFile::MakeReadOnly(file);
            lengthOfFile.push_back(static_cast<int>(length));
        }
    }
    std::string().swap(bytes);
    LexiconSet index;
    index.Describe(folder, radical_, firstEntries,
                   [&](int file, int length) { return lengthOfFile[static_cast<std::size_t>(file)] == length; });
    const fs::path indexPath = built / LexiconSet::kIndexName;
    if (!ReadOnlyFile::WriteAndSync(indexPath, index.IndexText(), &code))
        return failWriting(std::string(LexiconSet::kIndexName) + " : " + SystemError::Text(code));
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
    cleanup.Done();
    ReadOnlyFile::SyncFolder(parent);
    summary_.wordsWritten = summary_.wordsKept - summary_.overflowWords.size();
    summary_.lineCount = lineCount;
    summary_.fileCount = index.FileCount();
    return true;
}

} // namespace lexinum
