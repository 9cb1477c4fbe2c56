#pragma once

#include "common/TileBox.h"
#include "lexicon/LetterTables.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace lexinum {

class Profile;
class Prompter;
class SearchChannel;

// The state of one lexicon: the folder of numbered lexicon files and its index
// "lex.ini", the key-length ranges and first entries that choose a file for a
// key, and the letter weights and bags of the draw. Owned by the letters pane.
//
// A lexicon file n is "<directory>/<radical><nn>.lex" (n on two digits). Each
// line is a key (letters A to Z, sorted), a space, then the words filed under
// it separated by single spaces, ended by CR LF, 199 bytes at most. Lines are
// in strictly ascending key order within a file, and all keys of one length
// lie in the files first[L] to last[L].
class LexiconSet {
public:
    // What reading a lexicon folder or one of its files gave.
    enum class Status {
        // Read (an index may still lack parts: see IndexReading::missing).
        Ok,
        // No complete set of lexicon files, or a radical that would name files
        // outside the folder; also a folder or a "lex.ini" that cannot be read
        // (IndexReading::problem then says what is wrong).
        NoLexiconFiles,
        // Lexicon files without a "lex.ini".
        NoIndex,
        // A lexicon file could not be opened.
        FileError,
    };
    // Bits of an incomplete index (ReadLexIni) and repairs to make.
    static constexpr int kMissingFirstEntry = 2;
    static constexpr int kMissingRange = 4;
    static constexpr int kMissingWeight = 8;
    static constexpr int kMissingAll = kMissingFirstEntry | kMissingRange | kMissingWeight;

    // What ReadLexIni found in a folder.
    struct IndexReading {
        Status status = Status::Ok;
        // With Ok, the bits of what the index lacks (0 when it is complete).
        int missing = 0;
        // With NoLexiconFiles, when the folder or its index exists but cannot
        // be read: what is wrong (French, naming the folder or the file), to
        // be shown instead of the message about an incomplete set of files.
        std::string problem{};
        // The folder holds a complete set of files and a complete index.
        bool Complete() const { return status == Status::Ok && missing == 0; }
    };
    // File count assumed before an index is read.
    static constexpr int kDefaultFileCount = 65;
    // The longest first entry kept.
    static constexpr std::size_t kMaxEntryLength = kMaxKeyLength;
    // The most tiles of one letter a bag takes from an index.
    static constexpr int kMaxLetterWeight = 1000000;
    // Name of the index in a lexicon folder.
    static constexpr const char* kIndexName = "lex.ini";

    // A set with no lexicon yet: 65 files, no radical, every weight 10.
    LexiconSet();

    // The lexicon folder.
    std::filesystem::path directory;
    // The file-name radical (at most 11 characters, UTF-8).
    std::string radical;
    // Number of lexicon files, 1 to 99.
    int fileCount = kDefaultFileCount;
    // first[L-2] and last[L-2]: the first and last file holding keys of length
    // L (2 to 27); 0 when missing.
    std::array<int, kKeyLengthCount> first{};
    std::array<int, kKeyLengthCount> last{};
    // firstEntries[n-1]: the key of the first line of file n; empty until read.
    std::array<std::string, kMaxLexFiles> firstEntries;
    // Tile counts of the vowel bag (order A E I O U Y) and of the consonant bag
    // (order B to Z, as in the letter tables).
    std::array<int, kVowelCount> vowelWeights{};
    std::array<int, kConsonantCount> consonantWeights{};
    TileBox vowelBag;
    TileBox consonantBag;
    // The lexicon is ready for use: its index was read complete or repaired.
    bool ready = false;

    // Reads the index of `folder` into the set: NoLexiconFiles (no complete set
    // of lexicon files, or a radical that would name files outside the folder:
    // the set keeps its previous count and radical), NoIndex (no "lex.ini"),
    // or Ok with the bits of what is missing (2 first entries, 4 ranges,
    // 8 weights; none when the index is complete). A folder that cannot be
    // searched or a "lex.ini" that cannot be read (a pipe, a folder, no read
    // permission) gives NoLexiconFiles with its problem, never NoIndex or a
    // default index. The folder is adopted as soon as its files are all
    // present.
    IndexReading ReadLexIni(const std::filesystem::path& folder);

    // The number of the file where `key` (of `length` letters) must lie, never
    // lower than `openFile` (the file a streaming search has open, 0 if none);
    // 0 when no file holds keys of that length or the length is outside 2..27.
    int FindLexFile(std::string_view key, int length, int openFile) const;

    // True when a radical can name lexicon files inside their folder: at most
    // 11 characters, none of them a folder separator or a control character.
    static bool IsValidRadical(std::string_view radical);

    // The path of lexicon file n of this set.
    std::filesystem::path LexFilePath(int n) const;
    // The path of lexicon file n in a folder with a radical.
    static std::filesystem::path LexFilePath(const std::filesystem::path& folder, const std::string& radical, int n);
    // The path of this set's index.
    std::filesystem::path IndexPath() const { return directory / kIndexName; }

    // The first and last files of a key length (0 when missing or outside 2..27).
    int FirstFile(int length) const;
    int LastFile(int length) const;

    // True when some line of `file` has a key of exactly `length` letters.
    static bool FileHasKeyLength(const std::filesystem::path& file, int length);
    // Reads the characters of the file's first line up to its first space (at
    // most `maxLength`) into `key`; returns Ok, or FileError when the file
    // cannot be opened.
    static Status ReadFirstKey(const std::filesystem::path& file, std::string& key,
                               std::size_t maxLength = kMaxEntryLength);

    // Reads the first key of every lexicon file of `folder` and writes it to
    // the index and to the first entries. A running search is first told to
    // stop (when `search` is given). Returns Ok, or FileError after telling
    // the player (through `prompter`, the active one if null) that a file
    // cannot be opened. A failed write of the index is told and the rebuild
    // goes on. The index is left read-only in both cases.
    Status RebuildFirstEntries(const std::filesystem::path& folder, SearchChannel* search = nullptr,
                               Prompter* prompter = nullptr);

    // Recomputes first and last for every key length by scanning the lexicon
    // files: a length found in no file takes the previous length's first file
    // and the next length's last file.
    void RecomputeRanges();
    // The ranges of RecomputeRanges for files 1 to `count`, where `has`(file,
    // length) tells whether a file holds a key of a length.
    static void ComputeRanges(int count, const std::function<bool(int file, int length)>& has,
                              std::array<int, kKeyLengthCount>& firstFiles,
                              std::array<int, kKeyLengthCount>& lastFiles);

    // Write parts of the index through `ini`; each returns false if a write
    // failed (the others are still made). The radical and file count:
    bool WriteCountAndRadical(Profile& ini) const;
    // first and last for every key length:
    bool WriteRanges(Profile& ini) const;
    // the first entries of files 1 to N:
    bool WriteFirstEntries(Profile& ini) const;
    // the vowel and consonant weights:
    bool WriteWeights(Profile& ini) const;

    // Sets every weight to 10 (the state before an index is read) and refills
    // both bags.
    void ResetToInitialWeights();
    // Sets the French default weights and refills both bags.
    void ResetToDefaultWeights();
    // Refills both bags from the weights.
    void RefillBags();
};

} // namespace lexinum
