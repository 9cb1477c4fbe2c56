#include "LexiconSet.h"

#include "common/Cp1252.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "common/SystemError.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconTexts.h"

#include <algorithm>
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
    : vowelBag(std::vector<int>(kVowelCount, kInitialLetterWeight)),
      consonantBag(std::vector<int>(kConsonantCount, kInitialLetterWeight)) {
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

fs::path LexiconSet::LexFilePath(const fs::path& folder, const std::string& radical, int n) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d.lex", n);
    return folder / (radical + number);
}

fs::path LexiconSet::LexFilePath(int n) const {
    return LexFilePath(directory, radical, n);
}

int LexiconSet::FirstFile(int length) const {
    if (length < kMinKeyLength || length > kMaxKeyLength)
        return 0;
    return first[static_cast<std::size_t>(length - kMinKeyLength)];
}

int LexiconSet::LastFile(int length) const {
    if (length < kMinKeyLength || length > kMaxKeyLength)
        return 0;
    return last[static_cast<std::size_t>(length - kMinKeyLength)];
}

LexiconSet::IndexReading LexiconSet::ReadLexIni(const fs::path& folder) {
    std::error_code ec;
    {
        // A folder that exists but cannot be listed is no folder without lexicon.
        const fs::directory_iterator listing(folder, ec);
        if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
            return {Status::NoLexiconFiles, 0,
                    "Le dossier " + folder.string() + " ne peut pas être lu : " + SystemError::Text(ec.value()) + "."};
    }
    if (!HasLexFile(folder))
        return {Status::NoLexiconFiles};
    const fs::path index = folder / kIndexName;
    // Nor is a folder that cannot be searched one without an index.
    const fs::file_status indexStatus = fs::status(index, ec);
    if (ec && indexStatus.type() != fs::file_type::not_found)
        return {Status::NoLexiconFiles, 0,
                "Le dossier " + folder.string() + " ne peut pas être lu : " + SystemError::Text(ec.value()) + "."};
    if (!fs::exists(indexStatus))
        return {Status::NoIndex};

    const Profile ini(index);
    // An index that cannot be read would read as an index of defaults.
    if (std::string problem = ini.ReadError(); !problem.empty())
        return {Status::NoLexiconFiles, 0, std::move(problem)};
    const int previousCount = fileCount;
    const std::string previousRadical = radical;
    fileCount = ini.ReadInt(kSectionLexicons, "nb_of_lexs", kDefaultFileCount);
    radical = ini.ReadString(kSectionLexicons, "lex_rad", "", kMaxRadicalLength);
    // A count outside 1..99 cannot name a complete set of files (and would
    // overrun the table of first entries); a radical such as "../x" would
    // name files outside the folder.
    bool complete = fileCount >= 1 && fileCount <= kMaxLexFiles && IsValidRadical(radical);
    for (int n = 1; complete && n <= fileCount; ++n)
        complete = fs::exists(LexFilePath(folder, radical, n), ec);
    if (!complete) {
        fileCount = previousCount;
        radical = previousRadical;
        return {Status::NoLexiconFiles};
    }
    directory = folder;

    int missing = 0;
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        const std::string name = std::to_string(length);
        const auto slot = static_cast<std::size_t>(length - kMinKeyLength);
        // A file number outside the set is as good as missing: it would send
        // lookups to a file that does not exist.
        int value = ini.ReadInt(kSectionFirst, name, 0);
        first[slot] = value >= 1 && value <= fileCount ? value : 0;
        value = ini.ReadInt(kSectionLast, name, 0);
        last[slot] = value >= 1 && value <= fileCount ? value : 0;
        if (first[slot] == 0 || last[slot] == 0)
            missing |= kMissingRange;
    }
    for (int n = 1; n <= fileCount; ++n) {
        const std::string entry = ini.ReadString(kSectionEntries, std::to_string(n), "", kMaxEntryLength);
        if (entry.empty())
            missing |= kMissingFirstEntry;
        else
            firstEntries[static_cast<std::size_t>(n - 1)] = Cp1252::FromUtf8Lossy(entry);
    }

    // The weights of a bag are taken only when all of them are present. A
    // damaged index cannot make the bags' tile count overflow.
    const auto weight = [&ini](const char* section, char letter) {
        return std::min(ini.ReadInt(section, std::string(1, letter), -1), kMaxLetterWeight);
    };
    std::array<int, kVowelCount> vowels{};
    for (int i = 0; i < kVowelCount; ++i) {
        vowels[static_cast<std::size_t>(i)] = weight(kSectionVowels, kVowels[i]);
        if (vowels[static_cast<std::size_t>(i)] == -1)
            return {Status::Ok, missing | kMissingWeight};
    }
    vowelWeights = vowels;
    vowelBag.Refill(ToVector(vowelWeights.data(), vowelWeights.size()));
    std::array<int, kConsonantCount> consonants{};
    for (int i = 0; i < kConsonantCount; ++i) {
        consonants[static_cast<std::size_t>(i)] = weight(kSectionConsonants, kConsonants[i]);
        if (consonants[static_cast<std::size_t>(i)] == -1)
            return {Status::Ok, missing | kMissingWeight};
    }
    consonantWeights = consonants;
    consonantBag.Refill(ToVector(consonantWeights.data(), consonantWeights.size()));
    return {Status::Ok, missing};
}

int LexiconSet::FindLexFile(std::string_view key, int length, int openFile) const {
    const int firstFile = FirstFile(length);
    const int end = LastFile(length);
    if (firstFile == 0 || end == 0)
        return 0;
    int f = std::max(firstFile, openFile);
    while (f < end && f < kMaxLexFiles && key.compare(firstEntries[static_cast<std::size_t>(f)]) >= 0)
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

LexiconSet::Status LexiconSet::RebuildFirstEntries(const fs::path& folder, SearchChannel* search, Prompter* prompter) {
    Prompter& tell = prompter != nullptr ? *prompter : Prompter::Active();
    if (search != nullptr)
        search->Stop();
    const fs::path index = folder / kIndexName;
    ReadOnlyFile::MakeWritable(index);
    Profile ini(index);
    for (int n = 1; n <= fileCount && n <= kMaxLexFiles; ++n) {
        const fs::path file = LexFilePath(folder, radical, n);
        std::string key;
        if (ReadFirstKey(file, key) != Status::Ok) {
            tell.Tell("Erreur de fichier:\r\nImpossible d'ouvrir le fichier d'entrée " + file.string(),
                      LexiconTexts::kCaption, PromptIcon::Exclamation);
            ini.Flush();
            ReadOnlyFile::MakeReadOnly(index);
            return Status::FileError;
        }
        const std::string name = std::to_string(n);
        const std::string value = Cp1252::ToUtf8(key);
        // The settings file says why in French ("Erreur de fichier:" and
        // the reason); the rebuild goes on with the entry kept in memory.
        if (!ini.WriteString(kSectionEntries, name, value)) {
            const std::string& why = ini.LastError();
            tell.Tell(why.empty() ? "Erreur de fichier:\r\nImpossible d'enregistrer " + index.string() : why,
                      LexiconTexts::kCaption, PromptIcon::Exclamation);
        }
        firstEntries[static_cast<std::size_t>(n - 1)] = key;
    }
    ini.Flush();
    ReadOnlyFile::MakeReadOnly(index);
    return Status::Ok;
}

void LexiconSet::RecomputeRanges() {
    // Each file is read once for all lengths; the ranges are those a scan of
    // the files for one length at a time would give.
    const int count = std::clamp(fileCount, 1, kMaxLexFiles);
    std::vector<std::uint32_t> lengths(static_cast<std::size_t>(count) + 1, 0);
    std::vector<bool> scanned(static_cast<std::size_t>(count) + 1, false);
    const auto has = [&](int file, int length) {
        if (!scanned[static_cast<std::size_t>(file)]) {
            lengths[static_cast<std::size_t>(file)] = KeyLengthsOf(LexFilePath(file));
            scanned[static_cast<std::size_t>(file)] = true;
        }
        return (lengths[static_cast<std::size_t>(file)] >> length & 1U) != 0;
    };
    ComputeRanges(count, has, first, last);
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

bool LexiconSet::WriteCountAndRadical(Profile& ini) const {
    return ini.WriteStrings(kSectionLexicons, {{"lex_rad", radical}, {"nb_of_lexs", std::to_string(fileCount)}});
}

bool LexiconSet::WriteRanges(Profile& ini) const {
    Entries firstFiles;
    Entries lastFiles;
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        firstFiles.emplace_back(std::to_string(length), std::to_string(FirstFile(length)));
        lastFiles.emplace_back(std::to_string(length), std::to_string(LastFile(length)));
    }
    const bool ok = ini.WriteStrings(kSectionFirst, firstFiles);
    return ini.WriteStrings(kSectionLast, lastFiles) && ok;
}

bool LexiconSet::WriteFirstEntries(Profile& ini) const {
    Entries entries;
    for (int n = 1; n <= fileCount && n <= kMaxLexFiles; ++n)
        entries.emplace_back(std::to_string(n), Cp1252::ToUtf8(firstEntries[static_cast<std::size_t>(n - 1)]));
    return ini.WriteStrings(kSectionEntries, entries);
}

bool LexiconSet::WriteWeights(Profile& ini) const {
    Entries vowels;
    for (int i = 0; i < kVowelCount; ++i)
        vowels.emplace_back(std::string(1, kVowels[i]), std::to_string(vowelWeights[static_cast<std::size_t>(i)]));
    Entries consonants;
    for (int i = 0; i < kConsonantCount; ++i)
        consonants.emplace_back(std::string(1, kConsonants[i]),
                                std::to_string(consonantWeights[static_cast<std::size_t>(i)]));
    const bool ok = ini.WriteStrings(kSectionVowels, vowels);
    return ini.WriteStrings(kSectionConsonants, consonants) && ok;
}

void LexiconSet::ResetToInitialWeights() {
    vowelWeights.fill(kInitialLetterWeight);
    consonantWeights.fill(kInitialLetterWeight);
    RefillBags();
}

void LexiconSet::ResetToDefaultWeights() {
    vowelWeights = kDefaultVowelWeights;
    consonantWeights = kDefaultConsonantWeights;
    RefillBags();
}

void LexiconSet::RefillBags() {
    vowelBag.Refill(ToVector(vowelWeights.data(), vowelWeights.size()));
    consonantBag.Refill(ToVector(consonantWeights.data(), consonantWeights.size()));
}

} // namespace lexinum
