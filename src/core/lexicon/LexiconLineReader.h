#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

namespace lexinum {

// Reads one lexicon file forward, a line at a time, through a fixed buffer, so
// that memory stays the same whatever the size of the file. A file that fits in
// the buffer is read whole at once; a larger one a buffer at a time. A search
// keeps the current line between lookups and only ever moves forward: the
// lines of a file are in ascending key order, so the lines before a key can be
// passed over without being examined one by one.
//
// Every reader of the lexicon files goes through this class, so that the word
// check, the search and the index maintenance see the same lines: blank lines
// (nothing but spaces, tabs or a carriage return) are passed over, and a line
// too long for the limit is cut after its last complete word that fits. Only a
// regular file is read: a folder, a pipe or a device in a lexicon file's place
// cannot be opened, and a read error is never taken for the end of the file.
class LexiconLineReader {
public:
    // Longest line content kept, in bytes: a line and its CR LF fit in 199.
    static constexpr std::size_t kMaxContent = 197;
    // The largest lexicon file read (a usual one holds well under a megabyte).
    static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{256} << 20;
    // Size of the read buffer: the lexicon files of a usual lexicon fit in it whole.
    static constexpr std::size_t kBufferSize = 256 * 1024;
    // Bytes read to look at a line further on.
    static constexpr std::size_t kProbeSize = 256;

    // A reader with a buffer of `bufferSize` bytes (at least a few lines' worth).
    explicit LexiconLineReader(std::size_t bufferSize = kBufferSize);
    ~LexiconLineReader();
    LexiconLineReader(const LexiconLineReader&) = delete;
    LexiconLineReader& operator=(const LexiconLineReader&) = delete;

    // Opens `path` for reading (closing any file open before); false when it
    // cannot be opened, is not a regular file or is larger than kMaxFileSize.
    // Nothing is read before the first line is asked for. `sizeHint`, the
    // file's size if known (negative to take the size it has on opening),
    // spares asking for more once a read has come to it and looking further
    // on than it.
    bool Open(const std::filesystem::path& path, std::int64_t sizeHint = -1);
    // Opens `name` in the folder open as the descriptor `folder`, likewise.
    bool OpenAt(int folder, const std::filesystem::path& name, std::int64_t sizeHint = -1);
    // Reads the lines of a file's bytes held in memory (kept by the caller
    // until the reader is closed or opens something else).
    void OpenBytes(std::string_view bytes);
    // Closes the file, if one is open.
    void Close();
    bool IsOpen() const { return fd_ >= 0 || inMemory_; }
    // True when reading the open file failed (the file is then treated as ended).
    bool Failed() const { return failed_; }

    // Moves to the next line that is not blank. False at the end of the file
    // (or on a read error: see Failed).
    bool NextLine();
    // Moves forward, starting with the current line (the first one of a file
    // just opened), to the first line that does not come before `key`, and
    // returns how that line compares with the key: 0 (its line) or +1 (after
    // it); -1 when the file ends first. The result is the one a line-by-line
    // read would give, provided the file's lines are in ascending key order.
    int SeekKey(std::string_view key);
    // The current line without its line end. A line too long for the limit is
    // cut after its last complete word that fits. Valid until the next move.
    std::string_view Line() const { return line_; }

private:
    // Makes [lineStart, end) the current line, cut to the limit.
    void SetLine(std::size_t lineStart, std::size_t end);
    // Keeps the bytes from `keepFrom` on, moves them to the front and reads
    // more after them. False when nothing more could be read.
    bool Refill(std::size_t keepFrom);
    // Reads up to `size` bytes at `offset` of the file into `into`; the count
    // read, short only at the end of the file, or -1 on a read error.
    long ReadAt(char* into, std::size_t size, std::int64_t offset);
    // With every line held before `key`, looks a buffer's length and more
    // further on, a few bytes at a time, for lines still before the key, and
    // goes on reading from the last one found instead of reading up to it.
    // True when it moved.
    bool ProbeAhead(std::string_view key);

    int fd_ = -1;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    const char* data_ = nullptr;   // the bytes held (the buffer)
    std::int64_t bufferStart_ = 0; // offset in the file of the first byte held
    std::int64_t fileSize_ = -1;   // the file's size as the opener knew it (-1 if unknown)
    std::size_t fill_ = 0;         // bytes held in the buffer
    std::size_t next_ = 0;         // start of the line after the current one
    bool hasLine_ = false;         // a current line is held
    bool atEnd_ = false;           // the file has been read to its end
    bool failed_ = false;          // a read error happened
    bool skipping_ = false;        // passing over the rest of an overlong line
    bool inMemory_ = false;        // the lines are read from bytes held in memory
    std::string_view line_;
};

} // namespace lexinum
