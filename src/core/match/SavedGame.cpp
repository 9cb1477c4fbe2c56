#include "match/SavedGame.h"

#include "common/Cp1252.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LexiconSet.h"
#include "match/Levels.h"
#include "match/PlayerName.h"
#include "match/ScrambledLine.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace lexinum {

namespace {

static_assert(SavedGame::kMaxBagCount == LexiconSet::kMaxLetterWeight,
              "a bag read back holds at most what an index may give");

// The digits of the largest value a field may hold.
constexpr std::size_t DigitsOf(long long value) {
    std::size_t digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

constexpr std::size_t kCounterDigits = DigitsOf(std::numeric_limits<int>::max());
constexpr std::size_t kBagDigits = DigitsOf(SavedGame::kMaxBagCount);
constexpr std::size_t kBagCount = kVowelCount + kConsonantCount;
constexpr std::size_t kCounterCount = 5;

// The fields after the name that are numbers, in the order of the line: the
// level, the five counters, then the bags.
constexpr int kNumberFields = SavedGame::kFieldsWithoutRadical - 1;

} // namespace

const std::size_t SavedGame::kMaxLineBytes = kMaxPlayerNameLength + DigitsOf(kHighestLevel) +
                                             kCounterCount * kCounterDigits + kBagCount * kBagDigits +
                                             kMaxRadicalLength + (kFields - 1) + 2;
const std::uintmax_t SavedGame::kMaxFileBytes = kMaxLineBytes;

std::string SavedGame::CannotOpenText(const std::filesystem::path& file) {
    return "Erreur de fichier:\r\nImpossible d'ouvrir le fichier partie " + file.string() + ".";
}

void SavedGame::TakeBags(const LexiconSet& lexicon) {
    for (int i = 0; i < kVowelCount; ++i)
        vowelBag[static_cast<std::size_t>(i)] = lexicon.VowelBag().Count(i);
    for (int i = 0; i < kConsonantCount; ++i)
        consonantBag[static_cast<std::size_t>(i)] = lexicon.ConsonantBag().Count(i);
}

bool SavedGame::IsValid(const SavedGame& game) {
    const auto inBag = [](int count) { return count >= 0 && count <= kMaxBagCount; };
    return IsPlayerName(game.playerName) && IsLevel(game.level) && ScoreKeeper::ValidCounters(game.counters) &&
           std::all_of(game.vowelBag.begin(), game.vowelBag.end(), inBag) &&
           std::all_of(game.consonantBag.begin(), game.consonantBag.end(), inBag) &&
           LexiconSet::IsValidRadical(game.radical);
}

std::string SavedGame::Line(const SavedGame& game) {
    const MatchCounters& c = game.counters;
    std::string line = Cp1252::FromUtf8Lossy(game.playerName);
    for (const int value : {game.level, c.playerPoints, c.playerSets, c.computerPoints, c.computerSets, c.roundsPlayed})
        line += " " + std::to_string(value);
    for (const int count : game.vowelBag)
        line += " " + std::to_string(count);
    for (const int count : game.consonantBag)
        line += " " + std::to_string(count);
    // The radical is the last field and may be empty: the line then ends with a blank.
    line += " " + Cp1252::FromUtf8Lossy(game.radical);
    return line + "\r\n";
}

std::optional<SavedGame> SavedGame::Parse(std::string_view line) {
    if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n")
        line.remove_suffix(2);
    else if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (line.size() > kMaxLineBytes)
        return std::nullopt;

    SavedGame game;
    // The name: the bytes before the first blank, checked before anything is
    // taken from them.
    const std::size_t nameEnd = std::min(line.find(' '), line.size());
    if (nameEnd == 0 || nameEnd > kMaxPlayerNameLength)
        return std::nullopt;
    game.playerName = Cp1252::ToUtf8(line.substr(0, nameEnd));
    if (!IsPlayerName(game.playerName))
        return std::nullopt;
    std::string_view rest = line.substr(nameEnd);

    // Then numbers, each after one blank: 6 (the level and the counters), or
    // all 32 when the bags follow.
    int numbers[kNumberFields] = {};
    int read = 0;
    while (read < kNumberFields && rest.size() >= 2 && rest[0] == ' ' && rest[1] != ' ') {
        const char* first = rest.data() + 1;
        const char* last = rest.data() + rest.size();
        // Digits only: no sign, so a negative count is refused here.
        if (*first < '0' || *first > '9')
            return std::nullopt;
        const auto [end, error] = std::from_chars(first, last, numbers[read]);
        if (error != std::errc() || (end != last && *end != ' '))
            return std::nullopt;
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
        ++read;
    }
    constexpr int kNumbersWithoutBags = kFieldsWithoutBags - 1;
    if (read == kNumbersWithoutBags) {
        // A lone blank may follow the seventh field; nothing else.
        if (!rest.empty() && rest != " ")
            return std::nullopt;
        game.fields = kFieldsWithoutBags;
    } else if (read == kNumberFields) {
        // The radical is the rest of the line after one blank, so that every
        // radical a lexicon may have (a blank in it included) comes back.
        if (!rest.empty()) {
            if (rest[0] != ' ')
                return std::nullopt;
            rest.remove_prefix(1);
        }
        if (rest.size() > static_cast<std::size_t>(kMaxRadicalLength))
            return std::nullopt;
        game.radical = Cp1252::ToUtf8(rest);
        game.fields = game.radical.empty() ? kFieldsWithoutRadical : kFields;
    } else {
        return std::nullopt;
    }

    game.level = numbers[0];
    game.counters.playerPoints = numbers[1];
    game.counters.playerSets = numbers[2];
    game.counters.computerPoints = numbers[3];
    game.counters.computerSets = numbers[4];
    game.counters.roundsPlayed = numbers[5];
    if (game.HasBags()) {
        std::copy_n(numbers + 6, kVowelCount, game.vowelBag.begin());
        std::copy_n(numbers + 6 + kVowelCount, kConsonantCount, game.consonantBag.begin());
    }
    if (!IsValid(game))
        return std::nullopt;
    return game;
}

SavedGame::Result SavedGame::Write(const std::filesystem::path& file, const SavedGame& game) {
    if (!IsValid(game))
        return {Status::CannotSave, kCannotSave};
    // A folder or a device standing at the file's place is left alone.
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return {Status::CannotSave, kCannotSave};
    if (!ReadOnlyFile::Replace(file, ScrambledLine::Scramble(Line(game)), true))
        return {Status::CannotSave, kCannotSave};
    return {};
}

SavedGame::Result SavedGame::Read(const std::filesystem::path& file, SavedGame& game) {
    std::string bytes;
    switch (ReadOnlyFile::Read(file, bytes, kMaxFileBytes)) {
    case ReadOnlyFile::ReadResult::Read:
        break;
    case ReadOnlyFile::ReadResult::TooLarge:
        return {Status::Damaged, kDamaged};
    case ReadOnlyFile::ReadResult::Missing:
    case ReadOnlyFile::ReadResult::NotAFile:
    case ReadOnlyFile::ReadResult::Failed:
        return {Status::CannotOpen, CannotOpenText(file)};
    }

    // Exactly one line, ended by its scrambled line feed: a cut line, a file
    // cut before its line end or anything after it is damage.
    ScrambledLineReader reader(bytes);
    std::string line;
    if (reader.Next(kMaxLineBytes, line) != ScrambledLineReader::kText || reader.Cut())
        return {Status::Damaged, kDamaged};
    const std::size_t lineFeedAt = line.size() - 1;
    if (bytes.size() != lineFeedAt + 1 || bytes[lineFeedAt] != line.back())
        return {Status::Damaged, kDamaged};
    const std::string plain = ScrambledLine::Unscramble(line);
    if (plain.size() < 2 || plain[plain.size() - 2] != '\r')
        return {Status::Damaged, kDamaged};
    std::optional<SavedGame> parsed = Parse(plain);
    if (!parsed)
        return {Status::Damaged, kDamaged};
    game = std::move(*parsed);
    return {};
}

} // namespace lexinum
