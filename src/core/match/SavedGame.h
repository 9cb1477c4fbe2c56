#pragma once

#include "lexicon/LetterTables.h"
#include "match/ScoreKeeper.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lexinum {

class LexiconSet;

// A match saved to resume it later: one line of 34 blank-separated fields,
// scrambled byte by byte (ScrambledLine) and ended by CR LF, in a file kept
// read-only between saves. The fields are the player's name, the level, the
// player's points and sets, the computer's points and sets, the rounds played,
// the tiles left in the vowel bag (A E I O U Y) and in the consonant bag (B to
// Z), and the radical of the lexicon the match is played with (may be empty).
// Whose turn it is follows from the rounds played; the bags matter because
// they are filled again only when a set starts.
//
// Older files are read too: 7 fields (no bags, empty radical) and 33 fields
// (no radical: empty).
struct SavedGame {
    // The forms of the line.
    static constexpr int kFields = 34;
    static constexpr int kFieldsWithoutRadical = 33;
    static constexpr int kFieldsWithoutBags = 7;

    // The messages (UTF-8, line breaks CR LF), under the caption kCaption
    // with the exclamation icon.
    static constexpr const char* kCaption = "Lexinum";
    static constexpr const char* kCannotSave = "Erreur de fichier:\r\nImpossible de sauvegarder le fichier.";
    static constexpr const char* kDamaged = "Erreur de fichier:\r\nFichier partie hors d'usage.";
    // "Impossible d'ouvrir le fichier partie <file>."
    static std::string CannotOpenText(const std::filesystem::path& file);

    // The most tiles of one letter a bag may hold (as many as an index may give).
    static constexpr int kMaxBagCount = 1000000;
    // The most bytes a line may take, its CR LF included: the longest name,
    // counters and radical a valid game can have.
    static const std::size_t kMaxLineBytes;
    // The largest file read: one line. Anything larger is not a saved game.
    static const std::uintmax_t kMaxFileBytes;

    // The player's name (UTF-8; Windows-1252 on disk), as IsPlayerName wants it.
    std::string playerName;
    // 1 to 6.
    int level = 1;
    MatchCounters counters;
    // Tiles left in each bag, in the orders of the letter tables.
    std::array<int, kVowelCount> vowelBag{};
    std::array<int, kConsonantCount> consonantBag{};
    // The lexicon's radical (UTF-8; Windows-1252 on disk), empty for none.
    std::string radical;
    // The form the line was read in (7, 33 or 34); a game to write has 34.
    // A line with an empty radical reads as 33 fields.
    int fields = kFields;

    // The bags were recorded (not so in a file of 7 fields: the bags then stay as they are).
    bool HasBags() const { return fields != kFieldsWithoutBags; }
    // Takes the tiles left in the lexicon's two bags.
    void TakeBags(const LexiconSet& lexicon);

    bool operator==(const SavedGame&) const = default;

    // True when every field can be written and read back as it is: a name
    // IsPlayerName takes, a level from 1 to 6, counters a match can have, bag
    // counts from 0 to kMaxBagCount and a radical a lexicon can have.
    static bool IsValid(const SavedGame& game);

    // The plain line of 34 fields, CR LF ended, the texts in Windows-1252.
    static std::string Line(const SavedGame& game);
    // Reads a plain line of 7, 33 or 34 fields, with or without its line end.
    // Nothing when it is not one a match can have written: a missing or extra
    // field, a field that is not a number, a number out of its range, a name
    // or a radical too long or that the game would refuse.
    static std::optional<SavedGame> Parse(std::string_view line);

    // What Write and Read gave.
    enum class Status {
        Done,
        // Write: the file could not be written (any previous one is left whole).
        CannotSave,
        // Read: no file there, or one that cannot be opened (a folder, no permission).
        CannotOpen,
        // Read: the file is not a saved game, or a damaged one.
        Damaged,
    };
    struct Result {
        Status status = Status::Done;
        // The French message to show when the status is not Done.
        std::string message;
        bool Ok() const { return status == Status::Done; }
    };

    // Saves `game` to `file`: the scrambled line is written beside it, synced
    // and renamed over it, so that a failed save leaves the previous file as
    // it was; the file is left read-only (also after a failure). A game that
    // could not be read back (IsValid false) is not written.
    static Result Write(const std::filesystem::path& file, const SavedGame& game);
    // Reads the saved game in `file` into `game`; on failure `game` is left
    // unchanged. A file holds exactly one scrambled line ended by CR LF;
    // anything else (a line cut, more than one line, bytes that do not make
    // the line) is damaged.
    static Result Read(const std::filesystem::path& file, SavedGame& game);
};

} // namespace lexinum
