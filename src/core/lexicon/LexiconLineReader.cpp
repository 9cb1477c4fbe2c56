#include "LexiconLineReader.h"

#include "common/ReadOnlyFile.h"
#include "lexicon/LetterKey.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace lexinum {

namespace {

// A line without the carriage return of its CR LF end.
std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// True when a line holds nothing but blanks: such a line is no line of the
// lexicon, and every reader passes over it.
bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// True when the line that starts at `line` (ended by a line feed) is blank.
bool IsBlankAt(const char* line) {
    for (;; ++line) {
        if (*line == '\n')
            return true;
        if (*line != ' ' && *line != '\t' && *line != '\r')
            return false;
    }
}

// True when every byte of `key` is a letter A to Z: the keys the search builds.
bool IsPlainKey(std::string_view key) {
    for (const char c : key) {
        if (c < 'A' || c > 'Z')
            return false;
    }
    return true;
}

// How the line that starts at `line` compares with `key` (letters A to Z only):
// what CompareKeyLine gives for that line without its line end, without
// looking for the line end first. The line must end with a line feed.
int CompareKeyAt(std::string_view key, const char* line) {
    for (std::size_t i = 0;; ++i) {
        const char c = line[i];
        // A carriage return ending the line compares with a letter or with the
        // end of the key as the end of the line does: it need not be told apart.
        const bool lineEnded = c == '\n';
        const bool keyEnded = i >= key.size();
        if (lineEnded && keyEnded)
            return +1;
        // A text that has ended reads as a zero.
        const auto k = static_cast<signed char>(keyEnded ? 0 : key[i]);
        const auto l = static_cast<signed char>(lineEnded ? 0 : c);
        if (k == l)
            continue;
        if (l <= k)
            return -1;
        if (!keyEnded)
            return +1;
        return l == ' ' ? 0 : +1;
    }
}

} // namespace

LexiconLineReader::LexiconLineReader(std::size_t bufferSize)
    : capacity_(std::max(bufferSize, 2 * kProbeSize)), buffer_(new char[capacity_]), data_(buffer_.get()) {}

LexiconLineReader::~LexiconLineReader() {
    Close();
}

bool LexiconLineReader::Open(const std::filesystem::path& path, std::int64_t sizeHint) {
    return OpenAt(AT_FDCWD, path, sizeHint);
}

void LexiconLineReader::OpenBytes(std::string_view bytes) {
    Close();
    failed_ = false;
    inMemory_ = true;
    data_ = bytes.data();
    fill_ = bytes.size();
    fileSize_ = static_cast<std::int64_t>(bytes.size());
    atEnd_ = true;
}

bool LexiconLineReader::OpenAt(int folder, const std::filesystem::path& path, std::int64_t sizeHint) {
    Close();
    failed_ = false;
    std::uintmax_t size = 0;
    const int handle = ReadOnlyFile::OpenRegularAt(folder, path, kMaxFileSize, &size);
    if (handle < 0)
        return false;
    fd_ = handle;
    fileSize_ = sizeHint >= 0 ? sizeHint : static_cast<std::int64_t>(size);
    return true;
}

void LexiconLineReader::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    inMemory_ = false;
    data_ = buffer_.get();
    fileSize_ = -1;
    bufferStart_ = 0;
    fill_ = 0;
    next_ = 0;
    hasLine_ = false;
    atEnd_ = false;
    skipping_ = false;
    line_ = {};
}

long LexiconLineReader::ReadAt(char* into, std::size_t size, std::int64_t offset) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t count =
            ::pread(fd_, into + got, size - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return -1;
        got += static_cast<std::size_t>(count);
        // A short read is the end of the file once the size the opener knew
        // has been reached; before that (a file that has shrunk, or a size not
        // known), only a read that gives nothing is.
        if (count == 0 || (fileSize_ >= 0 && offset + static_cast<std::int64_t>(got) >= fileSize_))
            break;
    }
    return static_cast<long>(got);
}

bool LexiconLineReader::Refill(std::size_t keepFrom) {
    const std::size_t keep = fill_ - keepFrom;
    if (keep > 0 && keepFrom > 0)
        std::memmove(buffer_.get(), buffer_.get() + keepFrom, keep);
    bufferStart_ += static_cast<std::int64_t>(keepFrom);
    fill_ = keep;
    next_ = 0;
    if (atEnd_ || fd_ < 0 || fill_ == capacity_)
        return false;
    const std::size_t wanted = capacity_ - fill_;
    const long got = ReadAt(buffer_.get() + fill_, wanted, bufferStart_ + static_cast<std::int64_t>(fill_));
    if (got < 0) {
        failed_ = true;
        atEnd_ = true;
        return false;
    }
    fill_ += static_cast<std::size_t>(got);
    if (static_cast<std::size_t>(got) < wanted)
        atEnd_ = true;
    return got > 0;
}

void LexiconLineReader::SetLine(std::size_t lineStart, std::size_t end) {
    std::string_view line(data_ + lineStart, end - lineStart);
    line = WithoutCarriageReturn(line);
    if (line.size() > kMaxContent) {
        // Keep the words that fit whole; a word cut by the limit is dropped.
        const bool cutAtSpace = line[kMaxContent] == ' ';
        std::string_view kept = line.substr(0, kMaxContent);
        if (!cutAtSpace) {
            const std::size_t space = kept.rfind(' ');
            if (space != std::string_view::npos)
                kept = kept.substr(0, space);
        }
        line = kept;
    }
    line_ = line;
    hasLine_ = true;
}

bool LexiconLineReader::NextLine() {
    hasLine_ = false;
    line_ = {};
    if (!IsOpen())
        return false;
    std::size_t pos = next_;
    for (;;) {
        if (skipping_) {
            const void* newline = std::memchr(data_ + pos, '\n', fill_ - pos);
            if (newline == nullptr) {
                if (atEnd_) {
                    next_ = fill_;
                    return false;
                }
                Refill(fill_);
                pos = 0;
                continue;
            }
            pos = static_cast<std::size_t>(static_cast<const char*>(newline) - data_) + 1;
            skipping_ = false;
        }
        const void* newline = std::memchr(data_ + pos, '\n', fill_ - pos);
        if (newline != nullptr) {
            const auto end = static_cast<std::size_t>(static_cast<const char*>(newline) - data_);
            next_ = end + 1;
            if (IsBlank(std::string_view(data_ + pos, end - pos))) {
                pos = next_;
                continue;
            }
            SetLine(pos, end);
            return true;
        }
        if (atEnd_) {
            next_ = fill_;
            if (pos < fill_ && !IsBlank(std::string_view(data_ + pos, fill_ - pos))) {
                SetLine(pos, fill_); // a last line without its line end
                return true;
            }
            return false;
        }
        if (pos == 0 && fill_ == capacity_) {
            // A line longer than the whole buffer: keep its start, pass over the rest.
            SetLine(0, fill_);
            next_ = fill_;
            skipping_ = true;
            if (!IsBlank(line_))
                return true;
            hasLine_ = false;
            line_ = {};
            pos = fill_;
            continue;
        }
        Refill(pos);
        pos = 0;
    }
}

bool LexiconLineReader::ProbeAhead(std::string_view key) {
    if (atEnd_ || skipping_)
        return false;
    // The lines held end at next_; the file has been read up to the end of the buffer.
    const auto capacity = static_cast<std::int64_t>(capacity_);
    std::int64_t from = bufferStart_ + static_cast<std::int64_t>(next_);
    if (fileSize_ >= 0 && from + capacity >= fileSize_)
        return false; // the rest of the file is no more than one buffer: read it
    bool moved = false;
    char window[kProbeSize];
    for (std::int64_t step = capacity; step <= (std::int64_t{1} << 40); step *= 2) {
        // Read from one byte before the probe so that a line starting there is seen whole.
        const std::int64_t probe = from + step;
        if (fileSize_ >= 0 && probe >= fileSize_)
            break;
        const long got = ReadAt(window, sizeof window, probe - 1);
        if (got <= 0)
            break; // a probe that cannot be read leaves the error to the reading that follows
        const std::string_view seen(window, static_cast<std::size_t>(got));
        const std::size_t start = seen.find('\n');
        const std::size_t end = start == std::string_view::npos ? start : seen.find('\n', start + 1);
        const std::string_view line =
            end == std::string_view::npos ? std::string_view() : seen.substr(start + 1, end - start - 1);
        // A blank line tells nothing of where the key lies.
        if (end == std::string_view::npos || IsBlank(line) || CompareKeyLine(key, WithoutCarriageReturn(line)) != -1)
            break;
        from = probe + static_cast<std::int64_t>(start); // the start of a line still before the key
        moved = true;
    }
    if (moved) {
        bufferStart_ = from;
        fill_ = 0;
        next_ = 0;
    }
    return moved;
}

int LexiconLineReader::SeekKey(std::string_view key) {
    if (!IsOpen())
        return -1;
    if (!hasLine_ && !NextLine())
        return -1;
    const bool plainKey = IsPlainKey(key);
    int order = CompareKeyLine(key, line_);
    // The next line is the likeliest place for the key; then jump.
    if (order == -1) {
        if (!NextLine())
            return -1;
        order = CompareKeyLine(key, line_);
    }
    while (order == -1) {
        // The complete lines held after the current one are [next_, lastNewline].
        const std::string_view rest(data_ + next_, fill_ - next_);
        const std::size_t lastNewline = skipping_ ? std::string_view::npos : rest.rfind('\n');
        if (lastNewline == std::string_view::npos) {
            if (!NextLine())
                return -1;
            order = CompareKeyLine(key, line_);
            continue;
        }
        std::size_t lastStart = 0;
        if (lastNewline > 0) {
            const std::size_t previous = rest.rfind('\n', lastNewline - 1);
            lastStart = previous == std::string_view::npos ? 0 : previous + 1;
        }
        // How the line starting at `start` compares with the key. A blank line
        // counts as coming after it: the halving may then stop short of the
        // key's place (and go on from there), never pass over it.
        const auto compareAt = [&rest, key, plainKey](std::size_t start) {
            const char first = rest[start];
            if ((first == '\n' || first == '\r' || first == ' ' || first == '\t') && IsBlankAt(rest.data() + start))
                return +1;
            if (plainKey)
                return CompareKeyAt(key, rest.data() + start);
            const std::size_t end = rest.find('\n', start);
            return CompareKeyLine(key, WithoutCarriageReturn(rest.substr(start, end - start)));
        };
        // The start of the first line that starts at `at` or after it.
        const auto lineFrom = [&rest](std::size_t at) { return at == 0 ? 0 : rest.find('\n', at - 1) + 1; };
        if (compareAt(lastStart) == -1) {
            // Every line held comes before the key: pass over them all at once,
            // and over more of the file when the key lies further on.
            next_ += lastNewline + 1;
            ProbeAhead(key);
            if (!NextLine())
                return -1;
            order = CompareKeyLine(key, line_);
            continue;
        }
        // Every line starting before `low` comes before the key; the first line
        // starting at `high` or after it does not. Gallop forward from the
        // current place, then halve.
        std::size_t low = 0;
        std::size_t high = lastStart;
        for (std::size_t step = 64; low + step < high; step *= 2) {
            const std::size_t start = lineFrom(low + step);
            if (start >= high)
                break;
            if (compareAt(start) != -1) {
                high = start;
                break;
            }
            low = start + 1;
        }
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            const std::size_t start = lineFrom(middle);
            if (start < high && compareAt(start) == -1)
                low = start + 1;
            else
                high = middle;
        }
        next_ += lineFrom(low);
        if (!NextLine())
            return -1;
        order = CompareKeyLine(key, line_);
    }
    return order;
}

} // namespace lexinum
