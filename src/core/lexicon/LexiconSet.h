#pragma once

#include "common/TileBox.h"
#include "lexicon/LetterTables.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexinum {

class LexiconFolder;
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

    // ---- reading a lexicon ----
    // Reads the index of `folder` into the set: NoLexiconFiles (no complete set
    // of lexicon files, or a radical that would name files outside the folder:
    // the set keeps its previous count and radical), NoIndex (no "lex.ini"),
    // or Ok with the bits of what is missing (2 first entries, 4 ranges,
    // 8 weights; none when the index is complete). A folder that cannot be
    // searched or a "lex.ini" that cannot be read (a pipe, a folder, no read
    // permission) gives NoLexiconFiles with its problem, never NoIndex or a
    // default index. The folder is adopted as soon as its files are all
    // present. The folder is opened once: the index and, later, every file are
    // read through it, so they all come from the same lexicon. Weights that
    // leave a bag empty count as missing, and so do ranges that contradict the
    // first entries (a file must lie within the range of its first entry's
    // length). The set is ready when the index is complete; a failed reading
    // leaves it unusable with the reason (Problem).
    IndexReading ReadLexIni(const std::filesystem::path& folder);
    // True while the folder last read is still at its path with the index
    // that was read (false when nothing was read).
    bool StillCurrent() const;
    // Reads the index again when the folder or its index changed since it was
    // read (another lexicon put in its place, an index rewritten). True when
    // the set is then ready.
    bool Refresh();
    // The lexicon is usable: its index was read complete (or repaired) from a
    // folder holding all its files.
    bool Ready() const { return folder_ != nullptr && missing_ == 0; }
    // Why the lexicon is not usable (French, naming the folder or the file),
    // empty when it is ready or when no lexicon has been read.
    const std::string& Problem() const { return problem_; }
    // The opened folder the files are read from (null before a folder is read).
    const std::shared_ptr<LexiconFolder>& Folder() const { return folder_; }

    // ---- what the set holds ----
    // The lexicon folder (empty before one is read).
    const std::filesystem::path& Directory() const { return directory_; }
    // The file-name radical (at most 11 characters, UTF-8).
    const std::string& Radical() const { return radical_; }
    // Number of lexicon files, 1 to 99.
    int FileCount() const { return fileCount_; }
    // The first and last files of a key length (0 when missing or outside 2..27).
    int FirstFile(int length) const;
    int LastFile(int length) const;
    // All of them, first[L-2] and last[L-2] for L = 2 to 27.
    const std::array<int, kKeyLengthCount>& FirstFiles() const { return first_; }
    const std::array<int, kKeyLengthCount>& LastFiles() const { return last_; }
    // The key of the first line of file n (1 to 99), in the files' bytes;
    // empty until read.
    const std::string& FirstEntry(int n) const;
    const std::array<std::string, kMaxLexFiles>& FirstEntries() const { return firstEntries_; }
    // Tile counts of the vowel bag (order A E I O U Y) and of the consonant bag
    // (order B to Z, as in the letter tables).
    const std::array<int, kVowelCount>& VowelWeights() const { return vowelWeights_; }
    const std::array<int, kConsonantCount>& ConsonantWeights() const { return consonantWeights_; }
    // The draw bags, filled from the weights.
    const TileBox& VowelBag() const { return vowelBag_; }
    const TileBox& ConsonantBag() const { return consonantBag_; }
    // Draws one tile from a bag and returns its kind (the index in the vowel
    // or consonant order); from an empty bag the message goes to `prompter`.
    int DrawVowel(Prompter* prompter = nullptr) { return vowelBag_.Draw(prompter); }
    int DrawConsonant(Prompter* prompter = nullptr) { return consonantBag_.Draw(prompter); }

    // The number of the file where `key` (of `length` letters) must lie, never
    // lower than `openFile` (the file a streaming search has open, 0 if none);
    // 0 when no file holds keys of that length or the length is outside 2..27.
    int FindLexFile(std::string_view key, int length, int openFile) const;

    // True when a radical can name lexicon files inside their folder: at most
    // 11 characters, none of them a folder separator or a control character.
    static bool IsValidRadical(std::string_view radical);
    // The file name of lexicon file n ("<radical><nn>.lex").
    static std::string LexFileName(const std::string& radical, int n);
    // The path of lexicon file n of this set.
    std::filesystem::path LexFilePath(int n) const;
    // The path of lexicon file n in a folder with a radical.
    static std::filesystem::path LexFilePath(const std::filesystem::path& folder, const std::string& radical, int n);
    // The path of this set's index.
    std::filesystem::path IndexPath() const { return directory_ / kIndexName; }

    // True when some line of `file` has a key of exactly `length` letters.
    static bool FileHasKeyLength(const std::filesystem::path& file, int length);
    // Reads the characters of the file's first line up to its first space (at
    // most `maxLength`) into `key`; returns Ok, or FileError when the file
    // cannot be opened.
    static Status ReadFirstKey(const std::filesystem::path& file, std::string& key,
                               std::size_t maxLength = kMaxEntryLength);

    // ---- building and repairing an index ----
    // Takes the files of `folder` named by `radical` and numbered 1 to `count`
    // as the lexicon to describe: nothing is read yet and the set is not
    // ready until its index is read back.
    void TakeFiles(const std::filesystem::path& folder, const std::string& radical, int count);
    // Describes a lexicon being built: its files' first entries (file n at
    // n-1, the files' bytes), the ranges computed with `has` (see
    // ComputeRanges) and the French default weights.
    void Describe(const std::filesystem::path& folder, const std::string& radical,
                  const std::vector<std::string>& firstEntries, const std::function<bool(int file, int length)>& has);

    // Reads the first key of every lexicon file into the first entries. A
    // running search is first told to stop (when `search` is given). Returns
    // Ok, or FileError after telling the player (through `prompter`, the
    // active one if null) that a file cannot be opened. The index itself is
    // not written (see IndexText).
    Status RebuildFirstEntries(SearchChannel* search = nullptr, Prompter* prompter = nullptr);
    // Recomputes first and last for every key length by scanning the lexicon
    // files: a length found in no file takes the previous length's first file
    // and the next length's last file.
    void RecomputeRanges();
    // The ranges of RecomputeRanges for files 1 to `count`, where `has`(file,
    // length) tells whether a file holds a key of a length.
    static void ComputeRanges(int count, const std::function<bool(int file, int length)>& has,
                              std::array<int, kKeyLengthCount>& firstFiles,
                              std::array<int, kKeyLengthCount>& lastFiles);

    // The text of an index describing this set, to be written whole in one
    // step: `existing` (an index's bytes, possibly empty) with the sections
    // named by `parts` (bits 2 first entries, 4 ranges, 8 weights; the radical
    // and count always) written anew and every other line kept.
    std::string IndexText(std::string_view existing = {}, int parts = kMissingAll) const;

    // Sets the weights of both bags (a negative weight counts as 0) and refills them.
    void SetWeights(const std::array<int, kVowelCount>& vowels, const std::array<int, kConsonantCount>& consonants);
    // Sets every weight to 10 (the state before an index is read) and refills
    // both bags.
    void ResetToInitialWeights();
    // Sets the French default weights and refills both bags.
    void ResetToDefaultWeights();
    // Refills both bags from the weights.
    void RefillBags();
    // Puts the tiles left in a resumed match's bags back (orders of the letter
    // tables), each count kept within 0 and its letter's weight; the weights
    // do not change.
    void RestoreBags(const std::array<int, kVowelCount>& vowels, const std::array<int, kConsonantCount>& consonants);

private:
    // Makes the set unusable, saying why.
    void Lose(std::string problem);
    // The first entry kept for file n (1 to 99).
    std::string& EntryOf(int n) { return firstEntries_[static_cast<std::size_t>(n - 1)]; }
    // One reading of ReadLexIni; `steady` is cleared when the folder or its
    // index changed while it was read (it is then read again).
    IndexReading ReadIndexOf(const std::filesystem::path& folder, bool& steady);

    std::filesystem::path directory_;
    std::string radical_;
    int fileCount_ = kDefaultFileCount;
    // first_[L-2] and last_[L-2]: the first and last file holding keys of
    // length L (2 to 27); 0 when missing.
    std::array<int, kKeyLengthCount> first_{};
    std::array<int, kKeyLengthCount> last_{};
    std::array<std::string, kMaxLexFiles> firstEntries_;
    std::array<int, kVowelCount> vowelWeights_{};
    std::array<int, kConsonantCount> consonantWeights_{};
    TileBox vowelBag_;
    TileBox consonantBag_;
    // The folder the index was read from, with its stamp and the files' bytes
    // kept between searches; null until an index is read.
    std::shared_ptr<LexiconFolder> folder_;
    // What the index read lacks (bits 2, 4, 8).
    int missing_ = 0;
    std::string problem_;
    // The folder last given to ReadLexIni (read again by Refresh).
    std::filesystem::path lastRead_;
};

} // namespace lexinum
