#include "Profile.h"

#include "Cp1252.h"
#include "ReadOnlyFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <sys/stat.h>

namespace lexinum {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::uint64_t kHashStart = 14695981039346656037ULL;
constexpr std::uint64_t kHashFactor = 1099511628211ULL;

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The small letter of a capital, for names compared without regard to case:
// A to Z, the accented capitals, and Š Œ Ž Ÿ.
char32_t LowerCodePoint(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 32;
    if (c == 0x160 || c == 0x152 || c == 0x17D)
        return c + 1;
    if (c == 0x178)
        return 0xFF;
    return c;
}

// Gives `take` each character of a name, lowered. The name is in the file's
// bytes: Windows-1252, or UTF-8 in a file that says so (where a byte that is
// not part of valid UTF-8 is read as Windows-1252).
template <class Take> void ForEachLowered(std::string_view text, bool utf8, Take&& take) {
    for (std::size_t at = 0; at < text.size();) {
        char32_t c;
        if (!utf8 || !Cp1252::DecodeUtf8(text, at, c))
            c = Cp1252::CodePoint(static_cast<unsigned char>(text[at++]));
        take(LowerCodePoint(c));
    }
}

std::u32string Lowered(std::string_view text, bool utf8) {
    std::u32string lowered;
    ForEachLowered(text, utf8, [&lowered](char32_t c) { lowered += c; });
    return lowered;
}

// A hash of lowered names (section, then key), so that a key is found without
// comparing every line with it.
std::uint64_t HashName(std::uint64_t hash, std::string_view name, bool utf8) {
    ForEachLowered(name, utf8, [&hash](char32_t c) { hash = (hash ^ c) * kHashFactor; });
    // A mark that no character gives ends the name.
    return (hash ^ 0x110000U) * kHashFactor;
}

// The number of characters of a UTF-8 text.
std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::uint32_t ShortHash(std::uint64_t hash) {
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

// Where a line lies in the file: [start, end) without its line feed nor the
// carriage return before it; `next` is where the following line starts.
struct LineSpan {
    std::size_t start;
    std::size_t end;
    std::size_t next;
};

LineSpan LineAt(const std::string& bytes, std::size_t start) {
    const void* feed = std::memchr(bytes.data() + start, '\n', bytes.size() - start);
    const std::size_t end =
        feed != nullptr ? static_cast<std::size_t>(static_cast<const char*>(feed) - bytes.data()) : bytes.size();
    LineSpan line{start, end, feed != nullptr ? end + 1 : end};
    if (line.end > start && bytes[line.end - 1] == '\r')
        --line.end;
    return line;
}

enum class LineKind { Other, Header, Key };

// What a line is: a "[name]" header, a "name=value" key, or anything else
// (comments, blank lines, damage), which is kept and ignored.
struct LineParts {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

LineParts ParseLine(std::string_view raw) {
    LineParts parts;
    const std::string_view text = Trim(raw);
    if (text.empty() || text.front() == ';')
        return parts;
    if (text.front() == '[') {
        const auto close = text.find(']');
        if (close != std::string_view::npos) {
            parts.kind = LineKind::Header;
            parts.name = Trim(text.substr(1, close - 1));
        }
        return parts;
    }
    const auto eq = text.find('=');
    if (eq == std::string_view::npos)
        return parts;
    parts.kind = LineKind::Key;
    parts.name = Trim(text.substr(0, eq));
    std::string_view value = Trim(text.substr(eq + 1));
    if (value.size() >= 2 &&
        ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    parts.value = value;
    return parts;
}

// What identifies the file's content on disk: a change to it changes one of these.
struct Stamp {
    int error = 0; // errno of a failed stat (ENOENT: no file)
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    struct timespec modified {};
    struct timespec changed {};

    bool operator==(const Stamp& other) const {
        return error == other.error && device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

Stamp StampOf(const fs::path& file) {
    Stamp stamp;
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        stamp.error = errno;
        return stamp;
    }
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modified = st.st_mtim;
    stamp.changed = st.st_ctim;
    return stamp;
}

// Sorts the index entries (hash in the high half, line start in the low half)
// by hash, keeping the lines of one hash in file order (they come in it).
void SortByHash(std::vector<std::uint64_t>& keys) {
    if (keys.size() < 65536) {
        std::sort(keys.begin(), keys.end());
        return;
    }
    std::vector<std::uint64_t> sorted(keys.size());
    for (const int shift : {32, 48}) {
        std::vector<std::size_t> starts(65537, 0);
        for (const std::uint64_t key : keys)
            ++starts[((key >> shift) & 0xFFFF) + 1];
        for (std::size_t i = 1; i < starts.size(); ++i)
            starts[i] += starts[i - 1];
        for (const std::uint64_t key : keys)
            sorted[starts[(key >> shift) & 0xFFFF]++] = key;
        keys.swap(sorted);
    }
}

// The value of an integer key as written, brought within the range of a long
// long; nothing when it is not a number.
std::optional<long long> ParseInteger(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    long long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        number = std::min<long long>(number * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    return negative ? -number : number;
}

} // namespace

// The file as last read: its bytes, how it is written, and an index of its keys.
struct Profile::Snapshot {
    Stamp stamp;
    ReadOnlyFile::ReadResult result = ReadOnlyFile::ReadResult::Missing;
    std::string readError;
    std::string bytes;
    // Where the text starts (after a byte-order mark), and whether it is UTF-8.
    std::size_t body = 0;
    bool utf8 = false;
    std::string lineBreak = "\r\n";
    bool endsWithBreak = true;
    // Built when a key is first looked for: where every section header starts,
    // and for every key line after a header, (hash of section and key) << 32
    // | where the line starts, sorted.
    bool indexed = false;
    std::vector<std::uint32_t> headers;
    std::vector<std::uint64_t> keys;

    void Adopt(std::string text) {
        bytes = std::move(text);
        body = bytes.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? kByteOrderMark.size() : 0;
        utf8 = body != 0;
        const std::string_view rest = std::string_view(bytes).substr(body);
        lineBreak =
            rest.find("\r\n") == std::string_view::npos && rest.find('\n') != std::string_view::npos ? "\n" : "\r\n";
        endsWithBreak = rest.empty() || rest.back() == '\n';
    }

    void BuildIndex() {
        std::uint64_t section = 0;
        bool inSection = false;
        for (std::size_t at = body; at < bytes.size();) {
            const LineSpan line = LineAt(bytes, at);
            const LineParts parts = ParseLine(std::string_view(bytes).substr(line.start, line.end - line.start));
            if (parts.kind == LineKind::Header) {
                headers.push_back(static_cast<std::uint32_t>(line.start));
                section = HashName(kHashStart, parts.name, utf8);
                inSection = true;
            } else if (parts.kind == LineKind::Key && inSection) {
                keys.push_back(std::uint64_t{ShortHash(HashName(section, parts.name, utf8))} << 32 | line.start);
            }
            at = line.next;
        }
        SortByHash(keys);
        indexed = true;
    }

    LineParts PartsAt(std::size_t start) const {
        const LineSpan line = LineAt(bytes, start);
        return ParseLine(std::string_view(bytes).substr(line.start, line.end - line.start));
    }

    // The value of the first line of `key` in a section named `section`
    // (both UTF-8), in the file's bytes.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) {
        if (!indexed)
            BuildIndex();
        const std::uint32_t hash = ShortHash(HashName(HashName(kHashStart, section, true), key, true));
        const std::u32string sectionName = Lowered(section, true);
        const std::u32string keyName = Lowered(key, true);
        for (auto it = std::lower_bound(keys.begin(), keys.end(), std::uint64_t{hash} << 32);
             it != keys.end() && (*it >> 32) == hash; ++it) {
            const auto start = static_cast<std::uint32_t>(*it);
            const LineParts parts = PartsAt(start);
            if (Lowered(parts.name, utf8) != keyName)
                continue;
            const auto header = std::upper_bound(headers.begin(), headers.end(), start) - 1;
            if (Lowered(PartsAt(*header).name, utf8) == sectionName)
                return parts.value;
        }
        return std::nullopt;
    }
};

Profile::Profile(std::filesystem::path file, ReadOnlyRule rule) : file_(std::move(file)), rule_(rule) {}

Profile::~Profile() = default;

const Profile::Snapshot& Profile::Current() const {
    const Stamp now = StampOf(file_);
    if (snapshot_ && snapshot_->stamp == now)
        return *snapshot_;
    auto fresh = std::make_unique<Snapshot>();
    fresh->stamp = now;
    // A missing folder reads as a missing file.
    if (now.error != ENOENT && now.error != ENOTDIR) {
        std::string bytes;
        fresh->result = ReadOnlyFile::Read(file_, bytes, kMaxFileSize, &fresh->readError);
        if (fresh->result == ReadOnlyFile::ReadResult::Read)
            fresh->Adopt(std::move(bytes));
    }
    snapshot_ = std::move(fresh);
    return *snapshot_;
}

bool Profile::ReadValue(std::string_view section, std::string_view key, std::string& value) const {
    std::lock_guard<std::mutex> guard(lock_);
    Current();
    if (snapshot_->result != ReadOnlyFile::ReadResult::Read)
        return false;
    const auto found = snapshot_->Find(section, key);
    if (!found)
        return false;
    value = snapshot_->utf8 && Cp1252::IsUtf8(*found) ? std::string(*found) : Cp1252::ToUtf8(*found);
    return true;
}

std::string Profile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::size_t maxLength) const {
    std::string value;
    if (!ReadValue(section, key, value))
        value = std::string(defaultValue);
    // Cut at a character boundary, counting characters, not bytes.
    std::size_t chars = 0;
    for (std::size_t at = 0; at < value.size(); ++at) {
        if ((static_cast<unsigned char>(value[at]) & 0xC0) != 0x80) {
            if (chars == maxLength) {
                value.resize(at);
                break;
            }
            ++chars;
        }
    }
    return value;
}

int Profile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
    std::string value;
    if (!ReadValue(section, key, value))
        return defaultValue;
    const auto number = ParseInteger(value);
    return number ? static_cast<int>(std::clamp<long long>(*number, INT_MIN, INT_MAX)) : defaultValue;
}

int Profile::ReadIntInRange(std::string_view section, std::string_view key, int defaultValue, int minimum,
                            int maximum) const {
    std::string value;
    if (!ReadValue(section, key, value))
        return defaultValue;
    const auto number = ParseInteger(value);
    return number && *number >= minimum && *number <= maximum ? static_cast<int>(*number) : defaultValue;
}

bool Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return WriteStrings(section, {{std::string(key), std::string(value)}});
}

bool Profile::WriteStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries) {
    lastError_.clear();
    std::lock_guard<std::mutex> guard(lock_);
    const Snapshot& file = Current();
    const bool existed = file.result == ReadOnlyFile::ReadResult::Read;
    if (!existed && file.result != ReadOnlyFile::ReadResult::Missing) {
        // Never write over what could not be read: its content would be lost.
        lastError_ = "Erreur de fichier:\r\n" + file.readError + " Il n'est pas modifié.";
        return false;
    }
    const bool readOnly = existed && ReadOnlyFile::IsReadOnly(file_);
    if (readOnly && rule_ == ReadOnlyRule::Respect) {
        lastError_ = "Erreur de fichier:\r\n" + file_.string() +
                     " est en lecture seule : il est laissé tel quel et ce changement n'y est pas enregistré.";
        return false;
    }

    // The texts in the file's own encoding.
    const auto encode = [&file](std::string_view text) -> std::optional<std::string> {
        if (file.utf8)
            return Cp1252::IsUtf8(text) ? std::optional<std::string>(std::string(text)) : std::nullopt;
        return Cp1252::FromUtf8(text);
    };
    const auto sectionBytes = encode(section);
    if (!sectionBytes) {
        lastError_ = "Ce texte contient des caractères qui ne peuvent pas être enregistrés.";
        return false;
    }
    // The keys to write, each once in the order first given, with the last
    // value given: what writing them one at a time would leave.
    struct Pending {
        std::string key;
        std::string value;
        std::u32string name;
        std::uint64_t hash;
        bool written = false;
    };
    std::vector<Pending> pending;
    for (const auto& [key, value] : entries) {
        const auto keyBytes = encode(key);
        const auto valueBytes = encode(value);
        if (!keyBytes || !valueBytes) {
            lastError_ = "Ce texte contient des caractères qui ne peuvent pas être enregistrés.";
            return false;
        }
        if (valueBytes->find_first_of("\r\n") != std::string::npos ||
            keyBytes->find_first_of("=\r\n[") != std::string::npos) {
            lastError_ = "Ce texte ne peut pas être enregistré dans le fichier de paramètres.";
            return false;
        }
        if (CharacterCount(value) > kMaxValueLength) {
            lastError_ = "Erreur de fichier:\r\n" + file_.string() + " : la valeur de « " + key + " » (" +
                         std::to_string(CharacterCount(value)) + " caractères) dépasse les " +
                         std::to_string(kMaxValueLength) + " qu'il peut garder ; elle n'y est pas enregistrée.";
            return false;
        }
        std::u32string name = Lowered(*keyBytes, file.utf8);
        const auto same =
            std::find_if(pending.begin(), pending.end(), [&name](const Pending& p) { return p.name == name; });
        if (same != pending.end())
            same->value = *valueBytes;
        else
            pending.push_back({*keyBytes, *valueBytes, std::move(name), HashName(kHashStart, *keyBytes, file.utf8)});
    }

    // One pass over the file: the first section of that name, the lines of
    // its keys, and where new keys go (after its last line that is not blank).
    // Every change is a splice of the old bytes; the splices are put in file
    // order before the file is put together, so nothing depends on where the
    // replaced lines lie against the new ones.
    const std::string& bytes = file.bytes;
    const std::u32string sectionName = Lowered(*sectionBytes, file.utf8);
    struct Splice {
        std::size_t start;
        std::size_t end;
        std::string text;
    };
    std::vector<Splice> splices;
    bool sectionFound = false;
    std::size_t insertAt = bytes.size();
    bool lastLineBlank = true;
    for (std::size_t at = file.body; at < bytes.size();) {
        const LineSpan line = LineAt(bytes, at);
        const std::string_view raw = std::string_view(bytes).substr(line.start, line.end - line.start);
        const LineParts parts = ParseLine(raw);
        lastLineBlank = Trim(raw).empty();
        at = line.next;
        if (!sectionFound) {
            if (parts.kind == LineKind::Header && Lowered(parts.name, file.utf8) == sectionName) {
                sectionFound = true;
                insertAt = line.next;
            }
            continue;
        }
        if (parts.kind == LineKind::Header)
            break;
        if (parts.kind == LineKind::Key) {
            const std::uint64_t hash = HashName(kHashStart, parts.name, file.utf8);
            for (Pending& p : pending)
                if (!p.written && p.hash == hash && p.name == Lowered(parts.name, file.utf8)) {
                    // Keep the key as the file spells it.
                    splices.push_back({line.start, line.end, std::string(parts.name) + "=" + p.value});
                    p.written = true;
                    break;
                }
        }
        if (!lastLineBlank)
            insertAt = line.next;
    }

    std::vector<std::string> added;
    if (!sectionFound) {
        insertAt = bytes.size();
        if (!lastLineBlank)
            added.emplace_back();
        added.push_back("[" + *sectionBytes + "]");
    }
    for (const Pending& p : pending)
        if (!p.written)
            added.push_back(p.key + "=" + p.value);
    if (!added.empty()) {
        // A last line without its line break keeps going without one.
        const bool breakFirst = insertAt == bytes.size() && !file.endsWithBreak;
        std::string text;
        for (const std::string& line : added)
            text += breakFirst ? file.lineBreak + line : line + file.lineBreak;
        splices.push_back({insertAt, insertAt, std::move(text)});
    }
    // In file order; an insertion where a replaced line starts goes before it.
    std::sort(splices.begin(), splices.end(),
              [](const Splice& a, const Splice& b) { return a.start != b.start ? a.start < b.start : a.end < b.end; });

    std::string out;
    std::size_t growth = 0;
    for (const Splice& splice : splices)
        growth += splice.text.size();
    out.reserve(bytes.size() + growth);
    std::size_t copied = 0;
    for (const Splice& splice : splices) {
        out.append(bytes, copied, splice.start - copied);
        out += splice.text;
        copied = splice.end;
    }
    out.append(bytes, copied, std::string::npos);

    std::error_code ec;
    if (!file_.parent_path().empty())
        fs::create_directories(file_.parent_path(), ec);
    if (!ReadOnlyFile::Replace(file_, out, readOnly, &lastError_)) {
        snapshot_.reset();
        return false;
    }
    // What was written is what the file now holds: no need to read it again.
    auto written = std::make_unique<Snapshot>();
    written->stamp = StampOf(file_);
    written->result = ReadOnlyFile::ReadResult::Read;
    written->Adopt(std::move(out));
    snapshot_ = std::move(written);
    return true;
}

bool Profile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool Profile::Flush() const {
    return ReadError().empty();
}

std::string Profile::ReadError() const {
    std::lock_guard<std::mutex> guard(lock_);
    const Snapshot& file = Current();
    return file.result == ReadOnlyFile::ReadResult::Read || file.result == ReadOnlyFile::ReadResult::Missing
               ? std::string()
               : file.readError;
}

} // namespace lexinum
