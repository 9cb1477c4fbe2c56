#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexinum {

// Turns a list of words into a lexicon folder: numbered lexicon files and a
// complete index "lex.ini" (count, radical, key-length ranges, first entries,
// the French letter weights).
//
// The lexicon keeps words of 2 to 27 letters made only of a to z and the
// accented small letters that fold to them (àâäçèéêëîïôöùûü); anything else
// (capitals, hyphens, apostrophes, other letters) is left out. Each key has
// one line holding its words in list order. Every file holds keys of one
// length, lengths come in ascending order, and the keys of a length are cut
// into files of similar size, 40 to 99 files in all when the list has keys
// enough (a smaller list gets one file per key). A line holds 199 bytes at
// most with its CR LF: anagrams that would not fit on their key's line are
// left out and listed in the summary.
class LexiconBuilder {
public:
    // What a build took and left out.
    struct Summary {
        // Non-empty lines of the list.
        std::size_t wordsRead = 0;
        // Words kept in the lexicon.
        std::size_t wordsKept = 0;
        // Words the lexicon cannot hold (length or characters).
        std::size_t wordsRefused = 0;
        // Of those, the lines that are not UTF-8 (a list saved in another
        // encoding loses its accented words this way).
        std::size_t linesNotUtf8 = 0;
        // Words given more than once (kept once).
        std::size_t duplicates = 0;
        // Words left out because their key's line was full (UTF-8).
        std::vector<std::string> overflowWords;
        // Words, lines and files written by the last Write.
        std::size_t wordsWritten = 0;
        std::size_t lineCount = 0;
        int fileCount = 0;
    };

    // The fewest and most files a lexicon is cut into.
    static constexpr int kMinFiles = 40;
    static constexpr int kMaxFiles = 99;

    // A builder for lexicon files named "<radical><nn>.lex".
    explicit LexiconBuilder(std::string radical = "fr");

    // The spelling a word of the list (UTF-8) takes in the lexicon files
    // (Windows-1252), or nothing when the lexicon cannot hold it.
    static std::optional<std::string> LexiconSpelling(std::string_view word);
    // Checks a radical: at most 11 characters that a file name can hold (no
    // folder separator, no control character). Returns an error text (French)
    // or an empty text when the radical is fine.
    static std::string CheckRadical(std::string_view radical);

    // Adds one word of the list (UTF-8); false when it is left out.
    bool AddWord(std::string_view word);
    // Adds every line of a word list (UTF-8, one word a line, LF or CR LF).
    void AddWordList(std::string_view text);
    // The largest word list read.
    static constexpr std::uintmax_t kMaxListSize = std::uintmax_t{256} << 20;

    // Reads a word-list file and adds its words; false and an error text
    // (French) if the file cannot be read (no regular file, or larger than
    // kMaxListSize) or memory runs out (nothing of the file is then kept).
    bool AddWordListFile(const std::filesystem::path& file, std::string* error = nullptr);

    // Sets how many files the lexicon is cut into at least and at most (1 to
    // 99); 40 to 99 unless changed.
    void SetFileCountRange(int minimum, int maximum);

    // Writes the lexicon into `folder`, creating it if needed or replacing the
    // lexicon already there. The new lexicon is written whole in a temporary
    // folder beside it, then takes the folder's place in one step: a reader
    // sees the old lexicon or the new one, never a mix, and a build that fails
    // leaves the old lexicon whole. A folder holding anything else than a
    // lexicon ("lex.ini" and the numbered files of the radical it names, or of
    // this builder's radical) is refused untouched. The files and the index
    // are left read-only. Returns false and an error text (French, one line)
    // when nothing could be kept, the folder is refused, the writing failed or
    // memory ran out. The memory needed stays within four times the list's
    // size (`bench/lexicon_build_bench`).
    bool Write(const std::filesystem::path& folder, std::string* error = nullptr);

    // What was read and written so far.
    const Summary& GetSummary() const { return summary_; }

private:
    // Keeps a new spelling; false when it was kept already.
    bool Remember(std::string_view spelling);
    // Makes the table of spellings `slots` long and fills it from words_.
    void RebuildTable(std::size_t slots);
    // Reads the word list of an open file a block at a time.
    bool ReadWordList(int fd, const std::filesystem::path& file, std::string* error);
    // What Write does, std::bad_alloc aside.
    bool WriteLexicon(const std::filesystem::path& folder, std::string* error);

    std::string radical_;
    int minFiles_ = kMinFiles;
    int maxFiles_ = kMaxFiles;
    // The list in a compact form: every spelling kept (Windows-1252), in list
    // order, each followed by a line feed. The lines are made from it when the
    // lexicon is written, one key length at a time, so memory stays a small
    // multiple of the list's size.
    std::string words_;
    // Where each spelling kept starts in words_, plus one (0: a free slot),
    // by hash: a word given twice is found at once. Released by Write.
    std::vector<std::uint32_t> table_;
    std::size_t tableCount_ = 0;
    Summary summary_;
};

} // namespace lexinum
