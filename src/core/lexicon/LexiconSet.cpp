#include "LexiconSet.h"

#include "common/AsciiCase.h"
#include "common/Cp1252.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "common/SystemError.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconFolder.h"
#include "lexicon/LexiconTexts.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <system_error>
#include <vector>

namespace lexinum {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSectionLexicons = "lexiques";
constexpr const char* kSectionFirst = "first";
constexpr const char* kSectionLast = "last";
constexpr const char* kSectionEntries = "first entries";
constexpr const char* kSectionVowels = "nb voyelles";
constexpr const char* kSectionConsonants = "nb consonnes";

using Entries = std::vector<std::pair<std::string, std::string>>;

// The length of the key that starts a line: the characters before its first space.
std::size_t KeyLengthOf(const std::string& line) {
    const auto space = line.find(' ');
    return space == std::string::npos ? line.size() : space;
}

bool HasLexFile(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".lex" && it->is_regular_file(ec))
            return true;
    return false;
}

// The key lengths found in a file, one bit per length (bit L for L letters).
std::uint32_t KeyLengthsOf(const fs::path& file) {
    LexFileReader reader;
    if (!reader.Open(file))
        return 0;
    std::uint32_t lengths = 0;
    std::string line;
    while (reader.ReadLine(line)) {
        const std::size_t length = KeyLengthOf(line);
        if (length <= static_cast<std::size_t>(kMaxKeyLength))
            lengths |= std::uint32_t{1} << length;
    }
    return lengths;
}

std::vector<int> ToVector(const int* values, std::size_t count) {
    return std::vector<int>(values, values + count);
}

} // namespace

LexiconSet::LexiconSet()
    : vowelBag_(std::vector<int>(kVowelCount, kInitialLetterWeight)),
      consonantBag_(std::vector<int>(kConsonantCount, kInitialLetterWeight)) {
    ResetToInitialWeights();
}

bool LexiconSet::IsValidRadical(std::string_view radical) {
    const auto bytes = Cp1252::FromUtf8(radical);
    if (!bytes || bytes->size() > static_cast<std::size_t>(kMaxRadicalLength))
        return false;
    return std::none_of(bytes->begin(), bytes->end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '/' || c == '\\' || c == 0x7F;
    });
}

std::string LexiconSet::LexFileName(const std::string& radical, int n) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d.lex", n);
    return radical + number;
}

fs::path LexiconSet::LexFilePath(const fs::path& folder, const std::string& radical, int n) {
    return folder / LexFileName(radical, n);
}

fs::path LexiconSet::LexFilePath(int n) const {
    return LexFilePath(directory_, radical_, n);
}

int LexiconSet::FirstFile(int length) const {
    if (length < kMinKeyLength || length > kMaxKeyLength)
        return 0;
    return first_[static_cast<std::size_t>(length - kMinKeyLength)];
}

int LexiconSet::LastFile(int length) const {
    if (length < kMinKeyLength || length > kMaxKeyLength)
        return 0;
    return last_[static_cast<std::size_t>(length - kMinKeyLength)];
}

const std::string& LexiconSet::FirstEntry(int n) const {
    static const std::string none;
    if (n < 1 || n > kMaxLexFiles)
        return none;
    return firstEntries_[static_cast<std::size_t>(n - 1)];
}

void LexiconSet::Lose(std::string problem) {
    folder_.reset();
    problem_ = std::move(problem);
}

bool LexiconSet::StillCurrent() const {
    return folder_ != nullptr && folder_->Unchanged();
}

bool LexiconSet::Refresh() {
    if (StillCurrent() || lastRead_.empty())
        return Ready();
    ReadLexIni(lastRead_);
    return Ready();
}

LexiconSet::IndexReading LexiconSet::ReadLexIni(const fs::path& folder) {
    lastRead_ = folder;
    // Read again when another lexicon took the folder's place while its index
    // was read: the index and the files must come from the same folder.
    IndexReading reading;
    for (int attempt = 0; attempt < 4; ++attempt) {
        bool steady = true;
        reading = ReadIndexOf(folder, steady);
        if (steady)
            break;
    }
    return reading;
}

LexiconSet::IndexReading LexiconSet::ReadIndexOf(const fs::path& folder, bool& steady) {
    const std::string shown = folder.string();
    const auto refuse = [this, &shown](IndexReading reading) {
        std::string why = reading.problem;
        if (why.empty() && reading.status == Status::NoIndex)
            why = "Le dossier " + shown + " comporte des fichiers lexique mais le fichier lex.ini associé est absent.";
        else if (why.empty())
            why = "Pas d'ensemble complet de fichiers lexique dans le dossier " + shown + ".";
        Lose(why);
        return reading;
    };
    const auto unreadable = [&shown](int code) {
        return "Le dossier " + shown + " ne peut pas être lu : " + SystemError::Text(code) + ".";
    };
    std::error_code ec;
    {
        // A folder that exists but cannot be listed is no folder without lexicon.
        const fs::directory_iterator listing(folder, ec);
        if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
            return refuse({Status::NoLexiconFiles, 0, unreadable(ec.value())});
    }
    if (!HasLexFile(folder))
        return refuse({Status::NoLexiconFiles});
    const fs::path index = folder / kIndexName;
    // Nor is a folder that cannot be searched one without an index.
    const fs::file_status indexStatus = fs::status(index, ec);
    if (ec && indexStatus.type() != fs::file_type::not_found)
        return refuse({Status::NoLexiconFiles, 0, unreadable(ec.value())});
    if (!fs::exists(indexStatus))
        return refuse({Status::NoIndex});

    // The folder is opened once; the index read by its path must be the one
    // the opened folder holds, unchanged from before the reading to after it.
    int code = 0;
    const std::shared_ptr<LexiconFolder> opened = LexiconFolder::Open(folder, &code);
    if (opened == nullptr)
        return refuse({Status::NoLexiconFiles, 0, unreadable(code)});
    LexiconFolder::Stamp stamp;
    if (!opened->StampOf(kIndexName, stamp)) {
        steady = false;
        return refuse({Status::NoIndex});
    }
    const Profile ini(index);
    // An index that cannot be read would read as an index of defaults.
    if (std::string problem = ini.ReadError(); !problem.empty())
        return refuse({Status::NoLexiconFiles, 0, std::move(problem)});
    const int count = ini.ReadInt(kSectionLexicons, "nb_of_lexs", kDefaultFileCount);
    const std::string radical = ini.ReadString(kSectionLexicons, "lex_rad", "", kMaxRadicalLength);
    std::array<int, kKeyLengthCount> firstFiles{};
    std::array<int, kKeyLengthCount> lastFiles{};
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        const std::string name = std::to_string(length);
        const auto slot = static_cast<std::size_t>(length - kMinKeyLength);
        firstFiles[slot] = ini.ReadInt(kSectionFirst, name, 0);
        lastFiles[slot] = ini.ReadInt(kSectionLast, name, 0);
    }
    std::array<std::string, kMaxLexFiles> entries;
    for (int n = 1; n <= count && n <= kMaxLexFiles; ++n)
        entries[static_cast<std::size_t>(n - 1)] =
            Cp1252::FromUtf8Lossy(ini.ReadString(kSectionEntries, std::to_string(n), "", kMaxEntryLength));
    // A damaged index cannot make the bags' tile count overflow.
    const auto weight = [&ini](const char* section, char letter) {
        return std::min(ini.ReadInt(section, std::string(1, letter), -1), kMaxLetterWeight);
    };
    std::array<int, kVowelCount> vowels{};
    for (int i = 0; i < kVowelCount; ++i)
        vowels[static_cast<std::size_t>(i)] = weight(kSectionVowels, kVowels[i]);
    std::array<int, kConsonantCount> consonants{};
    for (int i = 0; i < kConsonantCount; ++i)
        consonants[static_cast<std::size_t>(i)] = weight(kSectionConsonants, kConsonants[i]);
    LexiconFolder::Stamp after;
    if (!opened->StillAtItsPath() || !opened->StampOf(kIndexName, after) || !(after == stamp)) {
        steady = false;
        return refuse({Status::NoLexiconFiles});
    }
    opened->KeepIndexStamp(stamp);

    // A count outside 1..99 cannot name a complete set of files (and would
    // overrun the table of first entries); a radical such as "../x" would
    // name files outside the folder.
    bool complete = count >= 1 && count <= kMaxLexFiles && IsValidRadical(radical);
    LexiconFolder::Stamp present;
    for (int n = 1; complete && n <= count; ++n)
        complete = opened->StampOf(LexFileName(radical, n), present);
    if (!complete)
        return refuse({Status::NoLexiconFiles});
    fileCount_ = count;
    radical_ = radical;
    directory_ = folder;

    int missing = 0;
    for (std::size_t slot = 0; slot < first_.size(); ++slot) {
        // A file number outside the set is as good as missing: it would send
        // lookups to a file that does not exist.
        first_[slot] = firstFiles[slot] >= 1 && firstFiles[slot] <= count ? firstFiles[slot] : 0;
        last_[slot] = lastFiles[slot] >= 1 && lastFiles[slot] <= count ? lastFiles[slot] : 0;
        if (first_[slot] == 0 || last_[slot] == 0)
            missing |= kMissingRange;
    }
    bool contradicted = false;
    for (int n = 1; n <= count; ++n) {
        const std::string& entry = entries[static_cast<std::size_t>(n - 1)];
        if (entry.empty()) {
            missing |= kMissingFirstEntry;
            continue;
        }
        EntryOf(n) = entry;
        // A file holds its first entry: it must lie within the range of that
        // key's length, or lookups of that length would never reach it.
        const int length = static_cast<int>(entry.size());
        if (FirstFile(length) != 0 && LastFile(length) != 0 && (n < FirstFile(length) || n > LastFile(length)))
            contradicted = true;
    }
    if (contradicted)
        missing |= kMissingRange;

    // The weights of a bag are taken only when all of them are present and
    // give it at least one tile: an empty bag could not be drawn from.
    const auto usable = [](const auto& weights) {
        long long tiles = 0;
        for (const int w : weights) {
            if (w < 0)
                return false;
            tiles += w;
        }
        return tiles > 0;
    };
    bool weightsMissing = false;
    if (usable(vowels)) {
        vowelWeights_ = vowels;
        vowelBag_.Refill(ToVector(vowelWeights_.data(), vowelWeights_.size()));
        if (usable(consonants)) {
            consonantWeights_ = consonants;
            consonantBag_.Refill(ToVector(consonantWeights_.data(), consonantWeights_.size()));
        } else {
            weightsMissing = true;
        }
    } else {
        weightsMissing = true;
    }
    if (weightsMissing)
        missing |= kMissingWeight;

    folder_ = opened;
    missing_ = missing;
    problem_.clear();
    if (missing != 0) {
        std::string lacks;
        const auto add = [&lacks](const char* part) { lacks += (lacks.empty() ? "" : ", ") + std::string(part); };
        if ((missing & kMissingFirstEntry) != 0)
            add("des premières entrées des fichiers manquent");
        if (contradicted)
            add("la répartition des lexiques contredit les premières entrées des fichiers");
        else if ((missing & kMissingRange) != 0)
            add("la répartition des lexiques est incomplète");
        if (weightsMissing)
            add("les probabilités des lettres manquent ou laissent un sac de lettres vide");
        problem_ = "Le fichier " + index.string() + " est incomplet : " + lacks + ".";
    }
    return {Status::Ok, missing};
}

int LexiconSet::FindLexFile(std::string_view key, int length, int openFile) const {
    const int firstFile = FirstFile(length);
    const int end = LastFile(length);
    if (firstFile == 0 || end == 0)
        return 0;
    int f = std::max(firstFile, openFile);
    while (f < end && f < kMaxLexFiles && key.compare(firstEntries_[static_cast<std::size_t>(f)]) >= 0)
        ++f;
    return f;
}

bool LexiconSet::FileHasKeyLength(const fs::path& file, int length) {
    LexFileReader reader;
    if (!reader.Open(file))
        return false;
    std::string line;
    while (reader.ReadLine(line))
        if (KeyLengthOf(line) == static_cast<std::size_t>(length))
            return true;
    return false;
}

LexiconSet::Status LexiconSet::ReadFirstKey(const fs::path& file, std::string& key, std::size_t maxLength) {
    LexFileReader reader;
    key.clear();
    if (!reader.Open(file))
        return Status::FileError;
    std::string line;
    if (reader.ReadLine(line))
        key = line.substr(0, std::min(KeyLengthOf(line), maxLength));
    return Status::Ok;
}

void LexiconSet::TakeFiles(const fs::path& folder, const std::string& radical, int count) {
    directory_ = folder;
    radical_ = radical;
    fileCount_ = std::clamp(count, 1, kMaxLexFiles);
    folder_.reset();
    lastRead_ = folder;
    missing_ = kMissingAll;
    problem_.clear();
}

void LexiconSet::Describe(const fs::path& folder, const std::string& radical, const std::vector<std::string>& entries,
                          const std::function<bool(int file, int length)>& has) {
    TakeFiles(folder, radical, static_cast<int>(entries.size()));
    for (int n = 1; n <= fileCount_; ++n)
        EntryOf(n) = entries[static_cast<std::size_t>(n - 1)];
    ComputeRanges(fileCount_, has, first_, last_);
    ResetToDefaultWeights();
}

LexiconSet::Status LexiconSet::RebuildFirstEntries(SearchChannel* search, Prompter* prompter) {
    Prompter& tell = prompter != nullptr ? *prompter : Prompter::Active();
    if (search != nullptr)
        search->Stop();
    std::array<std::string, kMaxLexFiles> entries;
    for (int n = 1; n <= fileCount_ && n <= kMaxLexFiles; ++n) {
        const fs::path file = LexFilePath(n);
        if (ReadFirstKey(file, entries[static_cast<std::size_t>(n - 1)]) != Status::Ok) {
            tell.Tell("Erreur de fichier:\r\nImpossible d'ouvrir le fichier d'entrée " + file.string(),
                      LexiconTexts::kCaption, PromptIcon::Exclamation);
            return Status::FileError;
        }
    }
    firstEntries_ = entries;
    return Status::Ok;
}

void LexiconSet::RecomputeRanges() {
    // Each file is read once for all lengths; the ranges are those a scan of
    // the files for one length at a time would give.
    const int count = std::clamp(fileCount_, 1, kMaxLexFiles);
    std::vector<std::uint32_t> lengths(static_cast<std::size_t>(count) + 1, 0);
    std::vector<bool> scanned(static_cast<std::size_t>(count) + 1, false);
    const auto has = [&](int file, int length) {
        if (!scanned[static_cast<std::size_t>(file)]) {
            lengths[static_cast<std::size_t>(file)] = KeyLengthsOf(LexFilePath(file));
            scanned[static_cast<std::size_t>(file)] = true;
        }
        return (lengths[static_cast<std::size_t>(file)] >> length & 1U) != 0;
    };
    ComputeRanges(count, has, first_, last_);
}

void LexiconSet::ComputeRanges(int count, const std::function<bool(int file, int length)>& has,
                               std::array<int, kKeyLengthCount>& firstFiles,
                               std::array<int, kKeyLengthCount>& lastFiles) {
    int f = 1;
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        for (int candidate = f; candidate <= count; ++candidate)
            if (has(candidate, length)) {
                f = candidate;
                break;
            }
        firstFiles[static_cast<std::size_t>(length - kMinKeyLength)] = f;
    }
    f = count;
    for (int length = kMaxKeyLength; length >= kMinKeyLength; --length) {
        for (int candidate = f; candidate >= 1; --candidate)
            if (has(candidate, length)) {
                f = candidate;
                break;
            }
        lastFiles[static_cast<std::size_t>(length - kMinKeyLength)] = f;
    }
}

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos)
        return {};
    const auto end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

bool SameSection(std::string_view a, std::string_view b) {
    return SameIgnoringCase(a, b);
}

} // namespace

std::string LexiconSet::IndexText(std::string_view existing, int parts) const {
    // An index that starts with a UTF-8 byte-order mark is UTF-8 and stays so.
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    const bool utf8 = existing.substr(0, kMark.size()) == kMark;
    if (utf8)
        existing.remove_prefix(kMark.size());
    const auto fromBytes = [utf8](const std::string& bytes) { return utf8 ? Cp1252::ToUtf8(bytes) : bytes; };
    const auto fromText = [utf8](const std::string& text) { return utf8 ? text : Cp1252::FromUtf8Lossy(text); };

    std::vector<std::pair<std::string, Entries>> sections;
    sections.push_back(
        {kSectionLexicons, {{"lex_rad", fromText(radical_)}, {"nb_of_lexs", std::to_string(fileCount_)}}});
    if ((parts & kMissingRange) != 0) {
        Entries firstFiles;
        Entries lastFiles;
        for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
            firstFiles.emplace_back(std::to_string(length), std::to_string(FirstFile(length)));
            lastFiles.emplace_back(std::to_string(length), std::to_string(LastFile(length)));
        }
        sections.push_back({kSectionFirst, firstFiles});
        sections.push_back({kSectionLast, lastFiles});
    }
    if ((parts & kMissingFirstEntry) != 0) {
        Entries entries;
        for (int n = 1; n <= fileCount_; ++n)
            entries.emplace_back(std::to_string(n), fromBytes(FirstEntry(n)));
        sections.push_back({kSectionEntries, entries});
    }
    if ((parts & kMissingWeight) != 0) {
        Entries vowels;
        for (int i = 0; i < kVowelCount; ++i)
            vowels.emplace_back(std::string(1, kVowels[i]), std::to_string(vowelWeights_[static_cast<std::size_t>(i)]));
        Entries consonants;
        for (int i = 0; i < kConsonantCount; ++i)
            consonants.emplace_back(std::string(1, kConsonants[i]),
                                    std::to_string(consonantWeights_[static_cast<std::size_t>(i)]));
        sections.push_back({kSectionVowels, vowels});
        sections.push_back({kSectionConsonants, consonants});
    }

    // Every line outside the sections written anew is kept as it was.
    std::string text(utf8 ? kMark : std::string_view());
    bool rewritten = false;
    while (!existing.empty()) {
        const std::size_t end = existing.find('\n');
        const std::string_view line = existing.substr(0, end == std::string_view::npos ? existing.size() : end + 1);
        existing.remove_prefix(line.size());
        const std::string_view trimmed = TrimBlanks(line.substr(0, line.find('\n')));
        if (!trimmed.empty() && trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos) {
            const std::string_view name = TrimBlanks(trimmed.substr(1, trimmed.find(']') - 1));
            rewritten = std::any_of(sections.begin(), sections.end(),
                                    [name](const auto& section) { return SameSection(section.first, name); });
        }
        if (!rewritten) {
            text += line;
            if (line.back() != '\n')
                text += "\r\n";
        }
    }
    for (const auto& [name, entries] : sections) {
        text += "[" + name + "]\r\n";
        for (const auto& [key, value] : entries)
            text += key + "=" + value + "\r\n";
    }
    return text;
}

void LexiconSet::SetWeights(const std::array<int, kVowelCount>& vowels,
                            const std::array<int, kConsonantCount>& consonants) {
    for (std::size_t i = 0; i < vowels.size(); ++i)
        vowelWeights_[i] = std::max(vowels[i], 0);
    for (std::size_t i = 0; i < consonants.size(); ++i)
        consonantWeights_[i] = std::max(consonants[i], 0);
    RefillBags();
}

void LexiconSet::ResetToInitialWeights() {
    vowelWeights_.fill(kInitialLetterWeight);
    consonantWeights_.fill(kInitialLetterWeight);
    RefillBags();
}

void LexiconSet::ResetToDefaultWeights() {
    vowelWeights_ = kDefaultVowelWeights;
    consonantWeights_ = kDefaultConsonantWeights;
    RefillBags();
}

void LexiconSet::RefillBags() {
    vowelBag_.Refill(ToVector(vowelWeights_.data(), vowelWeights_.size()));
    consonantBag_.Refill(ToVector(consonantWeights_.data(), consonantWeights_.size()));
}

void LexiconSet::RestoreBags(const std::array<int, kVowelCount>& vowels,
                             const std::array<int, kConsonantCount>& consonants) {
    std::vector<int> vowelCounts(vowels.size());
    for (std::size_t i = 0; i < vowels.size(); ++i)
        vowelCounts[i] = std::clamp(vowels[i], 0, vowelWeights_[i]);
    std::vector<int> consonantCounts(consonants.size());
    for (std::size_t i = 0; i < consonants.size(); ++i)
        consonantCounts[i] = std::clamp(consonants[i], 0, consonantWeights_[i]);
    vowelBag_.Refill(vowelCounts);
    consonantBag_.Refill(consonantCounts);
}

} // namespace lexinum
