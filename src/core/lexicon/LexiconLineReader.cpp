#include "LexiconLineReader.h"

#include "lexicon/LetterKey.h"

#include <cstring>

namespace lexinum {

namespace {

// A line without the carriage return of its CR LF end.
std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

} // namespace

LexiconLineReader::LexiconLineReader() : buffer_(new char[kBufferSize]) {}

LexiconLineReader::~LexiconLineReader() {
    Close();
}

bool LexiconLineReader::Open(const std::filesystem::path& path, long sizeHint) {
    Close();
    sizeHint_ = sizeHint;
    failed_ = false;
    file_ = std::fopen(path.string().c_str(), "rb");
    if (file_ == nullptr)
        return false;
    // The reader keeps its own buffer; a second one in the stream would only copy twice.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

void LexiconLineReader::Close() {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
    bufferStart_ = 0;
    fill_ = 0;
    next_ = 0;
    hasLine_ = false;
    atEnd_ = false;
    skipping_ = false;
    line_ = {};
}

bool LexiconLineReader::Refill(std::size_t keepFrom) {
    const std::size_t keep = fill_ - keepFrom;
    if (keep > 0 && keepFrom > 0)
        std::memmove(buffer_.get(), buffer_.get() + keepFrom, keep);
    bufferStart_ += static_cast<long>(keepFrom);
    fill_ = keep;
    next_ = 0;
    if (atEnd_ || file_ == nullptr || fill_ == kBufferSize)
        return false;
    const std::size_t wanted = kBufferSize - fill_;
    const std::size_t got = std::fread(buffer_.get() + fill_, 1, wanted, file_);
    fill_ += got;
    if (got < wanted) {
        if (std::ferror(file_) != 0)
            failed_ = true;
        atEnd_ = true;
    }
    return got > 0;
}

void LexiconLineReader::SetLine(std::size_t lineStart, std::size_t end) {
    std::string_view line(buffer_.get() + lineStart, end - lineStart);
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
    if (file_ == nullptr)
        return false;
    std::size_t pos = next_;
    for (;;) {
        if (skipping_) {
            const void* newline = std::memchr(buffer_.get() + pos, '\n', fill_ - pos);
            if (newline == nullptr) {
                if (atEnd_) {
                    next_ = fill_;
                    return false;
                }
                Refill(fill_);
                pos = 0;
                continue;
            }
            pos = static_cast<std::size_t>(static_cast<const char*>(newline) - buffer_.get()) + 1;
            skipping_ = false;
        }
        const void* newline = std::memchr(buffer_.get() + pos, '\n', fill_ - pos);
        if (newline != nullptr) {
            const auto end = static_cast<std::size_t>(static_cast<const char*>(newline) - buffer_.get());
            SetLine(pos, end);
            next_ = end + 1;
            return true;
        }
        if (atEnd_) {
            next_ = fill_;
            if (pos < fill_) {
                SetLine(pos, fill_); // a last line without its line end
                return true;
            }
            return false;
        }
        if (pos == 0 && fill_ == kBufferSize) {
            // A line longer than the whole buffer: keep its start, pass over the rest.
            SetLine(0, fill_);
            next_ = fill_;
            skipping_ = true;
            return true;
        }
        Refill(pos);
        pos = 0;
    }
}

bool LexiconLineReader::ProbeAhead(std::string_view key) {
    if (atEnd_ || skipping_)
        return false;
    // The lines held end at next_; the file has been read up to the end of the buffer.
    long from = bufferStart_ + static_cast<long>(next_);
    if (sizeHint_ >= 0 && from + static_cast<long>(kBufferSize) >= sizeHint_)
        return false; // the rest of the file is no more than one buffer: read it
    const long readTo = bufferStart_ + static_cast<long>(fill_);
    bool moved = false;
    char window[kProbeSize];
    for (long step = static_cast<long>(kBufferSize); step <= (1L << 30); step *= 2) {
        // Read from one byte before the probe so that a line starting there is seen whole.
        const long probe = from + step;
        if (sizeHint_ >= 0 && probe >= sizeHint_)
            break;
        if (std::fseek(file_, probe - 1, SEEK_SET) != 0)
            break;
        const std::string_view seen(window, std::fread(window, 1, sizeof window, file_));
        const std::size_t start = seen.find('\n');
        const std::size_t end = start == std::string_view::npos ? start : seen.find('\n', start + 1);
        if (end == std::string_view::npos ||
            CompareKeyLine(key, WithoutCarriageReturn(seen.substr(start + 1, end - start - 1))) != -1)
            break;
        from = probe + static_cast<long>(start); // the start of a line still before the key
        moved = true;
    }
    // A probe that could not be read leaves the error to the reading that follows.
    std::clearerr(file_);
    if (std::fseek(file_, moved ? from : readTo, SEEK_SET) != 0) {
        failed_ = true;
        atEnd_ = true;
        return false;
    }
    if (moved) {
        bufferStart_ = from;
        fill_ = 0;
        next_ = 0;
    }
    return moved;
}

int LexiconLineReader::SeekKey(std::string_view key) {
    if (file_ == nullptr)
        return -1;
    if (!hasLine_ && !NextLine())
        return -1;
    int order = CompareKeyLine(key, line_);
    // The next line is the likeliest place for the key; then jump.
    if (order == -1) {
        if (!NextLine())
            return -1;
        order = CompareKeyLine(key, line_);
    }
    while (order == -1) {
        // The complete lines held after the current one are [next_, lastNewline].
        const std::string_view rest(buffer_.get() + next_, fill_ - next_);
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
        // The line starting at `start`, and where the line after it starts.
        const auto lineAt = [&rest](std::size_t start, std::size_t& after) {
            const std::size_t end = rest.find('\n', start);
            after = end + 1;
            return WithoutCarriageReturn(rest.substr(start, end - start));
        };
        std::size_t after = 0;
        if (CompareKeyLine(key, lineAt(lastStart, after)) == -1) {
            // Every line held comes before the key: pass over them all at once,
            // and over more of the file when the key lies further on.
            next_ += lastNewline + 1;
            ProbeAhead(key);
            if (!NextLine())
                return -1;
            order = CompareKeyLine(key, line_);
            continue;
        }
        // Lines starting before `low` come before the key; the line at `high`
        // does not. Gallop forward from the current place, then halve.
        std::size_t low = 0;
        std::size_t high = lastStart;
        for (std::size_t step = 64; low + step < high; step *= 2) {
            const std::size_t start = rest.find('\n', low + step - 1) + 1;
            if (start >= high)
                break;
            if (CompareKeyLine(key, lineAt(start, after)) != -1) {
                high = start;
                break;
            }
            low = after;
        }
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            std::size_t start = middle == low ? low : rest.find('\n', middle - 1) + 1;
            if (start >= high)
                start = low;
            if (CompareKeyLine(key, lineAt(start, after)) == -1)
                low = after;
            else
                high = start;
        }
        next_ += low;
        if (!NextLine())
            return -1;
        order = CompareKeyLine(key, line_);
    }
    return order;
}

} // namespace lexinum
