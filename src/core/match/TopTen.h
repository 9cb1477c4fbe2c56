#pragma once

#include "common/Prompter.h"
#include "match/Levels.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexinum {

// The best results of each level, kept in the file "topten" of the game's
// data folder (the caller gives the folder: the game passes its data folder,
// a test a temporary one).
//
// The file holds, scrambled line by line, the header "@1", the entries of
// level 1, "@2", its entries, ... "@6", its entries, and the end marker "@7".
// An entry is "NAME PLAYERSETS COMPUTERSETS DAY MONTH YEAR HOUR MINUTE" with
// the month counted from 0, or the first three fields alone (no date). Each
// level keeps its ten best entries by margin (the player's sets less the
// computer's), a new entry going before the older ones of the same margin: the
// player's wins first, most recent first, then his defeats.

// When a match ended (local time). `month` is 1 to 12.
struct TopTenTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    bool operator==(const TopTenTime&) const = default;
    // True for a date that can be (29 February only in a leap year) and a time of day.
    bool IsValid() const;
    // The local time now, to the minute.
    static TopTenTime Now();
};

// One result of the list. `name` is UTF-8.
struct TopTenEntry {
    std::string name;
    int playerSets = 0;
    int computerSets = 0;
    std::optional<TopTenTime> when; // none: shown without a date

    bool operator==(const TopTenEntry&) const = default;
    int Margin() const { return playerSets - computerSets; }
};

// The lists of the six levels as read from a file.
struct TopTenBook {
    std::array<std::vector<TopTenEntry>, kLevelCount> levels;
    // Empty when the file is whole (the seven headers in order, nothing after
    // the last); otherwise why it is not, in French ("il manque l'en-tête du
    // niveau 4"). What could be read is in `levels` all the same.
    std::string problem;
    // Entry lines that could not be read (missing or impossible fields,
    // overlong lines, control characters in the name) and were left out.
    int skippedLines = 0;
    // The lists come from "topten.bak": an update had been cut off while
    // "topten" was rewritten.
    bool recovered = false;

    // The entries of `level` (1 to 6; none for anything else).
    const std::vector<TopTenEntry>& Level(int level) const;
    bool Whole() const { return problem.empty(); }
};

// How an update ended.
enum class TopTenUpdate {
    Recorded,  // the entry is in the list of its level
    NotRanked, // ten better results are there: the entry is not recorded
    Failed,    // nothing was written; the player was told why
};

// How reading the file for a display ended.
enum class TopTenRead {
    Read,    // `book` holds the lists (see its `problem`)
    Missing, // there is no "topten" (and no backup to take it from)
    Failed,  // it could not be read: see `error`
};

struct TopTenLoad {
    TopTenRead result = TopTenRead::Missing;
    TopTenBook book;
    std::string error; // French, when `result` is Failed
};

namespace TopTenTexts {
inline constexpr const char* kCaption = "Lexinum";
inline constexpr const char* kFileName = "topten";
inline constexpr const char* kBackupName = "topten.bak";
inline constexpr const char* kDialogTitle = "Meilleurs scores";
inline constexpr const char* kLevelLabel = "&Niveau de jeu:";
inline constexpr const char* kNoFile = "Pas de fichier TopTen dans le répertoire de travail.";
inline constexpr const char* kBackupError = "Erreur de fichier:\r\nImpossible d'ouvrir le fichier topten.bak.";
inline constexpr const char* kWriteError = "Erreur de fichier:\r\nImpossible d'ouvrir le fichier TopTen.";
inline constexpr const char* kWins = "Ordinateur battu par:";
inline constexpr const char* kDraws = "Ordinateur tenu en échec par:";
inline constexpr const char* kDefeats = "Ordinateur gagnant contre:";
// A file whose structure is broken, with the reason the book gives.
std::string Damaged(const std::string& problem);
} // namespace TopTenTexts

// The most entries a level keeps.
inline constexpr std::size_t kTopTenEntries = 10;
// The longest line read (longer ones are left out whole).
inline constexpr std::size_t kTopTenLineLimit = 200;
// The largest file read: six levels of ten entries take about 2.5 KB.
inline constexpr std::uintmax_t kTopTenMaxFileSize = std::uintmax_t{1} << 20;
// The most characters of a name shown (a name read from a damaged file is cut there).
inline constexpr std::size_t kTopTenNameLimit = 11;

// "topten" in `folder`.
std::filesystem::path TopTenFile(const std::filesystem::path& folder);

// Records the result of a decided match at `level` (1 to 6) in the file of
// `folder`, through "topten.bak": the current file (or, the first time, the
// seven headers) is copied to the backup, the new file is made from the
// backup with the entry merged into its level, replaces "topten" in one step
// and is left read-only; the backup is then deleted. A file an update left
// cut off is first taken back from a whole "topten.bak". A file whose
// structure is broken, or that cannot be read, is left as it is: the player
// is told and nothing is recorded. Entries of the level that cannot be read
// are dropped when it is rewritten; other levels are copied unchanged.
// The entry's name must be one IsPlayerName accepts. Messages go to `prompter`.
TopTenUpdate UpdateTopTen(const std::filesystem::path& folder, int level, const TopTenEntry& entry,
                          Prompter& prompter = Prompter::Active());

// Reads the file `file` (normally TopTenFile(folder)) for a display. When it
// is missing or cut off and a whole backup stands beside it ("topten.bak"
// for "topten"), the lists come from the backup; with `mend` the file is
// then put back from it and the backup deleted (a backup left beside a whole
// file is deleted too). Without `mend` nothing is written.
TopTenLoad ReadTopTen(const std::filesystem::path& file, bool mend);

// The lists held in the bytes of a file.
TopTenBook ParseTopTen(std::string_view bytes);
// The bytes of a file holding `book`'s lists (written as the update writes them).
std::string TopTenBytes(const TopTenBook& book);

// The text of the dialog's list for `level`: each category ("Ordinateur
// battu par:", "... tenu en échec par:", "... gagnant contre:") where it
// begins, a blank line before each but the first, then one line per entry:
// "Zoé\t2 à 0\tle 05/03/1999 à 09h07" (the higher set count first; no date
// part for an entry without one). Lines end with CR LF; empty for an empty level.
std::string ListingText(const TopTenBook& book, int level);
std::string ListingText(std::string_view fileBytes, int level);

// The item of the dialog's level list: "1: débutant".
std::string TopTenLevelItem(int level);

// The level the dialog opens at for a level read from the settings: a level
// from 1 to 6 as it is, anything else the highest.
int TopTenLevelFor(int level);

} // namespace lexinum
