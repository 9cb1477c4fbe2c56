#include "match/TopTen.h"

#include "common/Cp1252.h"
#include "common/ReadOnlyFile.h"
#include "match/PlayerName.h"
#include "match/ScrambledLine.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>

namespace lexinum {

namespace fs = std::filesystem;

namespace {

// The header that ends the file.
constexpr int kEndHeader = kHighestLevel + 1;
// A set count beyond this cannot come from a match.
constexpr int kMaxSets = 1'000'000'000;

// One line of a file: its scrambled bytes (a line longer than the limit joined
// whole again, the line feed at its end) and what it is.
struct RawLine {
    std::string bytes;
    int header = 0; // 1 to 9 for "@N", 0 for any other line
    bool overlong = false;
};

std::vector<RawLine> SplitLines(std::string_view file) {
    std::vector<RawLine> lines;
    ScrambledLineReader reader(file);
    std::string piece;
    for (;;) {
        const int kind = reader.Next(kTopTenLineLimit, piece);
        if (kind == ScrambledLineReader::kEnd)
            break;
        RawLine line{piece, kind > 0 ? kind : 0, false};
        while (reader.Cut()) {
            // The reader put a line feed after the piece it cut: the line goes on.
            line.bytes.pop_back();
            line.overlong = true;
            if (reader.Next(kTopTenLineLimit, piece) == ScrambledLineReader::kEnd)
                break;
            line.bytes += piece;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        const std::size_t start = at;
        while (at < text.size() && !IsBlank(text[at]))
            ++at;
        if (at > start)
            words.push_back(text.substr(start, at - start));
    }
    return words;
}

// The first `limit` characters of the UTF-8 `text`.
std::string FirstCharacters(const std::string& text, std::size_t limit) {
    std::size_t at = 0;
    char32_t c = 0;
    for (std::size_t count = 0; count < limit && at < text.size(); ++count)
        if (!Cp1252::DecodeUtf8(text, at, c))
            ++at;
    return text.substr(0, at);
}

// Reads an entry line (scrambled). The name and both set counts must be
// there; a date that is missing, partial or impossible leaves the entry
// without one.
std::optional<TopTenEntry> ReadEntry(const RawLine& line) {
    if (line.header != 0 || line.overlong)
        return std::nullopt;
    const std::string plain = ScrambledLine::Unscramble(line.bytes);
    const auto words = Words(plain);
    if (words.size() < 3)
        return std::nullopt;
    const std::string_view name = words[0];
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return std::nullopt;
    // The numbers that follow the name, up to the first word that is not one.
    std::vector<int> numbers;
    for (std::size_t i = 1; i < words.size() && numbers.size() < 7; ++i) {
        const std::string_view word = words[i].front() == '+' ? words[i].substr(1) : words[i];
        int value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (word.empty() || error != std::errc() || end != word.data() + word.size())
            break;
        numbers.push_back(value);
    }
    if (numbers.size() < 2 || numbers[0] < 0 || numbers[1] < 0 || numbers[0] > kMaxSets || numbers[1] > kMaxSets)
        return std::nullopt;
    TopTenEntry entry;
    entry.name = FirstCharacters(Cp1252::ToUtf8(name), kTopTenNameLimit);
    entry.playerSets = numbers[0];
    entry.computerSets = numbers[1];
    if (numbers.size() == 7 && numbers[3] >= 0 && numbers[3] < 12) {
        const TopTenTime when{numbers[4], numbers[3] + 1, numbers[2], numbers[5], numbers[6]};
        if (when.IsValid())
            entry.when = when;
    }
    return entry;
}

std::string HeaderLine(int level) {
    return ScrambledLine::Scramble("@" + std::to_string(level) + "\r\n");
}

std::string EntryLine(const TopTenEntry& entry) {
    std::string line = Cp1252::FromUtf8Lossy(entry.name) + " " + std::to_string(entry.playerSets) + " " +
                       std::to_string(entry.computerSets);
    if (entry.when && entry.when->IsValid()) {
        const TopTenTime& t = *entry.when;
        for (int field : {t.day, t.month - 1, t.year, t.hour, t.minute})
            line += " " + std::to_string(field);
    }
    return ScrambledLine::Scramble(line + "\r\n");
}

// The lists of the file's lines, its structure checked.
TopTenBook ReadBook(const std::vector<RawLine>& lines) {
    TopTenBook book;
    int expected = kLowestLevel; // the next header in order
    int section = 0;             // the level whose entries are being read, 0 for none
    bool ended = false;
    std::array<bool, kLevelCount> seen{};
    const auto note = [&book](std::string problem) {
        if (book.problem.empty())
            book.problem = std::move(problem);
    };
    for (const RawLine& line : lines) {
        if (ended) {
            note("des lignes suivent la fin de la liste du niveau " + std::to_string(kHighestLevel));
            break;
        }
        if (line.header == 0) {
            if (section == 0) {
                if (expected == kLowestLevel)
                    note("le fichier ne commence pas par l'en-tête du niveau 1");
                continue;
            }
            if (auto entry = ReadEntry(line))
                book.levels[static_cast<std::size_t>(section - 1)].push_back(std::move(*entry));
            else
                ++book.skippedLines;
            continue;
        }
        const int header = line.header;
        if (header > kEndHeader)
            note("en-tête de niveau " + std::to_string(header) + " inconnu");
        else if (header > expected)
            note("il manque l'en-tête du niveau " + std::to_string(expected));
        else if (header < expected)
            note("l'en-tête du niveau " + std::to_string(header) + " est en double ou hors d'ordre");
        if (header == expected || (header > expected && header <= kEndHeader))
            expected = header + 1;
        ended = header == kEndHeader && book.problem.empty();
        // Each level's list is the one after the first header of that level.
        section = 0;
        if (IsLevel(header) && !seen[static_cast<std::size_t>(header - 1)]) {
            seen[static_cast<std::size_t>(header - 1)] = true;
            section = header;
        }
    }
    if (!ended)
        note(expected <= kEndHeader ? "il manque l'en-tête du niveau " + std::to_string(expected)
                                    : "le fichier est mal ordonné");
    return book;
}

// The file with `entry` merged into the list of `level` (the file is whole):
// every other line copied as it is, the level's entries that can be read kept
// in their order, the new one before the first whose margin is not larger,
// ten at most. `ranked` says whether the entry is among them.
std::string Merge(const std::vector<RawLine>& lines, int level, const TopTenEntry& entry, bool& ranked) {
    std::string out;
    std::size_t at = 0;
    while (at < lines.size() && lines[at].header != level)
        out += lines[at++].bytes;
    if (at < lines.size())
        out += lines[at++].bytes;
    std::vector<std::string> kept;
    std::optional<std::size_t> placed;
    for (; at < lines.size() && lines[at].header == 0; ++at) {
        const auto old = ReadEntry(lines[at]);
        if (!old)
            continue;
        if (!placed && old->Margin() <= entry.Margin()) {
            placed = kept.size();
            kept.push_back(EntryLine(entry));
        }
        kept.push_back(lines[at].bytes);
    }
    if (!placed) {
        placed = kept.size();
        kept.push_back(EntryLine(entry));
    }
    ranked = *placed < kTopTenEntries;
    if (kept.size() > kTopTenEntries)
        kept.resize(kTopTenEntries);
    for (const std::string& line : kept)
        out += line;
    for (; at < lines.size(); ++at)
        out += lines[at].bytes;
    return out;
}

std::string EmptyFile() {
    std::string out;
    for (int header = kLowestLevel; header <= kEndHeader; ++header)
        out += HeaderLine(header);
    return out;
}

fs::path BackupOf(const fs::path& file) {
    return fs::path(file).concat(".bak");
}

bool Exists(const fs::path& file) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(file, ec));
}

void Remove(const fs::path& file) {
    std::error_code ec;
    fs::remove(file, ec);
    ReadOnlyFile::SyncFolder(file.parent_path());
}

// A file read whole, when it could be.
struct FileBytes {
    ReadOnlyFile::ReadResult result = ReadOnlyFile::ReadResult::Missing;
    std::string bytes;
    std::string error;
    bool Read() const { return result == ReadOnlyFile::ReadResult::Read; }
    bool Whole() const { return Read() && ParseTopTen(bytes).Whole(); }
};

FileBytes Load(const fs::path& file) {
    FileBytes loaded;
    loaded.result = ReadOnlyFile::Read(file, loaded.bytes, kTopTenMaxFileSize, &loaded.error);
    return loaded;
}

} // namespace

bool TopTenTime::IsValid() const {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59)
        return false;
    static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] && !(month == 2 && day == 29 && !leap);
}

TopTenTime TopTenTime::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

const std::vector<TopTenEntry>& TopTenBook::Level(int level) const {
    static const std::vector<TopTenEntry> none;
    return IsLevel(level) ? levels[static_cast<std::size_t>(level - 1)] : none;
}

std::string TopTenTexts::Damaged(const std::string& problem) {
    return "Erreur de fichier:\r\nFichier TopTen hors d'usage : " + problem + ".";
}

fs::path TopTenFile(const fs::path& folder) {
    return folder / TopTenTexts::kFileName;
}

TopTenBook ParseTopTen(std::string_view bytes) {
    return ReadBook(SplitLines(bytes));
}

std::string TopTenBytes(const TopTenBook& book) {
    std::string out;
    for (int level = kLowestLevel; level <= kHighestLevel; ++level) {
        out += HeaderLine(level);
        for (const TopTenEntry& entry : book.Level(level))
            out += EntryLine(entry);
    }
    return out + HeaderLine(kEndHeader);
}

TopTenUpdate UpdateTopTen(const fs::path& folder, int level, const TopTenEntry& entry, Prompter& prompter) {
    const auto tell = [&prompter](const std::string& text) {
        prompter.Tell(text, TopTenTexts::kCaption, PromptIcon::Exclamation);
        return TopTenUpdate::Failed;
    };
    if (!IsLevel(level) || !IsPlayerName(entry.name) || entry.playerSets < 0 || entry.computerSets < 0)
        return TopTenUpdate::Failed;
    const fs::path file = TopTenFile(folder);
    const fs::path backup = folder / TopTenTexts::kBackupName;

    // What the backup must hold: the current file; the backup itself when the
    // last update was cut off while the file was rewritten; or, the first
    // time, the seven headers.
    const FileBytes current = Load(file);
    const FileBytes left = Exists(backup) ? Load(backup) : FileBytes{};
    std::string source;
    const bool recovered = !current.Whole() && left.Whole();
    if (current.Whole()) {
        source = current.bytes;
    } else if (recovered) {
        source = left.bytes;
    } else if (current.result == ReadOnlyFile::ReadResult::Missing) {
        source = EmptyFile();
    } else if (!current.Read()) {
        return tell("Erreur de fichier:\r\n" + current.error);
    } else {
        return tell(TopTenTexts::Damaged(ParseTopTen(current.bytes).problem) +
                    "\r\nLe résultat de la partie n'y est pas inscrit.");
    }

    // The backup, written whole and read back.
    if (!recovered) {
        if (Exists(backup) && ReadOnlyFile::IsReadOnly(backup))
            ReadOnlyFile::MakeWritable(backup);
        if (!ReadOnlyFile::WriteAndSync(backup, source)) {
            // A backup cut short by a full disk is no copy of the lists.
            Remove(backup);
            return tell(TopTenTexts::kBackupError);
        }
        ReadOnlyFile::SyncFolder(folder);
    }
    const FileBytes copy = Load(backup);
    if (!copy.Whole()) {
        if (!recovered)
            Remove(backup);
        return tell(TopTenTexts::kBackupError);
    }

    // The new file, made from the backup, replaces the old one in one step.
    bool ranked = false;
    const std::string merged = Merge(SplitLines(copy.bytes), level, entry, ranked);
    if (!ReadOnlyFile::Replace(file, merged, true)) {
        // The backup stays only when it holds the one whole copy of the lists.
        if (!recovered)
            Remove(backup);
        return tell(TopTenTexts::kWriteError);
    }
    Remove(backup);
    return ranked ? TopTenUpdate::Recorded : TopTenUpdate::NotRanked;
}

TopTenLoad ReadTopTen(const fs::path& file, bool mend) {
    TopTenLoad load;
    const FileBytes current = Load(file);
    const fs::path backup = BackupOf(file);
    const bool backupThere = Exists(backup);
    if (!current.Whole() && backupThere) {
        const FileBytes left = Load(backup);
        if (left.Whole()) {
            load.result = TopTenRead::Read;
            load.book = ParseTopTen(left.bytes);
            load.book.recovered = true;
            if (mend && ReadOnlyFile::Replace(file, left.bytes, true))
                Remove(backup);
            return load;
        }
    }
    if (!current.Read()) {
        load.result = current.result == ReadOnlyFile::ReadResult::Missing ? TopTenRead::Missing : TopTenRead::Failed;
        load.error = current.error;
        return load;
    }
    if (mend && backupThere && current.Whole())
        Remove(backup); // left by an update that ended before deleting it
    load.result = TopTenRead::Read;
    load.book = ParseTopTen(current.bytes);
    return load;
}

std::string ListingText(const TopTenBook& book, int level) {
    std::string text;
    int category = 0;
    bool first = true;
    for (const TopTenEntry& entry : book.Level(level)) {
        const int sign = (entry.Margin() > 0) - (entry.Margin() < 0);
        if (first || sign != category) {
            if (!first)
                text += "\r\n";
            text += sign > 0 ? TopTenTexts::kWins : sign == 0 ? TopTenTexts::kDraws : TopTenTexts::kDefeats;
            text += "\r\n";
            category = sign;
            first = false;
        }
        text += entry.name + "\t" + std::to_string(std::max(entry.playerSets, entry.computerSets)) + " à " +
                std::to_string(std::min(entry.playerSets, entry.computerSets));
        if (entry.when) {
            const TopTenTime& t = *entry.when;
            char date[64];
            std::snprintf(date, sizeof date, "\tle %02d/%02d/%d à %02dh%02d", t.day, t.month, t.year, t.hour, t.minute);
            text += date;
        }
        text += "\r\n";
    }
    return text;
}

std::string ListingText(std::string_view fileBytes, int level) {
    return ListingText(ParseTopTen(fileBytes), level);
}

std::string TopTenLevelItem(int level) {
    return IsLevel(level) ? std::to_string(level) + ": " + LevelName(level) : std::string();
}

int TopTenLevelFor(int level) {
    return IsLevel(level) ? level : kHighestLevel;
}

} // namespace lexinum
