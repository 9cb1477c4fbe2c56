#include "Profile.h"

#include "Cp1252.h"
#include "ReadOnlyFile.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace lexinum {

namespace {

// Folds one Windows-1252 byte to lower case (ASCII and the accented capitals).
unsigned char LowerByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    if (c == 0x8A || c == 0x8C || c == 0x8E)
        return static_cast<unsigned char>(c + 16);
    if (c == 0x9F)
        return 0xFF;
    return c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerByte(static_cast<unsigned char>(a[i])) != LowerByte(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// One line of the file, split into its parts (bytes of the file).
struct Line {
    std::string raw;      // the line without its line break
    bool header = false;  // "[name]"
    bool keyLine = false; // "key=value"
    std::string name;     // section name or key
    std::string value;    // value of a key line
};

Line ParseLine(std::string raw) {
    Line line;
    line.raw = std::move(raw);
    const std::string_view text = Trim(line.raw);
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close != std::string_view::npos) {
            line.header = true;
            line.name = std::string(Trim(text.substr(1, close - 1)));
        }
        return line;
    }
    if (!text.empty() && text.front() == ';')
        return line;
    const auto eq = text.find('=');
    if (eq == std::string_view::npos)
        return line;
    line.keyLine = true;
    line.name = std::string(Trim(text.substr(0, eq)));
    std::string_view value = Trim(text.substr(eq + 1));
    if (value.size() >= 2 &&
        ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    line.value = std::string(value);
    return line;
}

struct Parsed {
    std::vector<Line> lines;
    std::string lineBreak = "\r\n";
    bool endsWithBreak = true;
};

Parsed ParseFile(const std::string& bytes) {
    Parsed parsed;
    if (bytes.find("\r\n") == std::string::npos && bytes.find('\n') != std::string::npos)
        parsed.lineBreak = "\n";
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == std::string::npos) {
            parsed.endsWithBreak = false;
            end = bytes.size();
        }
        std::string raw = bytes.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        parsed.lines.push_back(ParseLine(std::move(raw)));
        start = end + 1;
    }
    return parsed;
}

std::optional<std::string> ReadValue(const std::filesystem::path& file, std::string_view section,
                                     std::string_view key) {
    std::string bytes;
    if (!ReadOnlyFile::ReadAll(file, bytes))
        return std::nullopt;
    const auto sectionBytes = Cp1252::FromUtf8(section);
    const auto keyBytes = Cp1252::FromUtf8(key);
    if (!sectionBytes || !keyBytes)
        return std::nullopt;
    bool inSection = false;
    for (const Line& line : ParseFile(bytes).lines) {
        if (line.header)
            inSection = SameName(line.name, *sectionBytes);
        else if (inSection && line.keyLine && SameName(line.name, *keyBytes))
            return Cp1252::ToUtf8(line.value);
    }
    return std::nullopt;
}

} // namespace

Profile::Profile(std::filesystem::path file) : file_(std::move(file)) {}

std::string Profile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::size_t maxLength) const {
    std::string value = ReadValue(file_, section, key).value_or(std::string(defaultValue));
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
    const auto value = ReadValue(file_, section, key);
    if (!value)
        return defaultValue;
    std::string_view text = Trim(*value);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return defaultValue;
    long long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        number = std::min<long long>(number * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative)
        number = -number;
    return static_cast<int>(std::clamp<long long>(number, INT_MIN, INT_MAX));
}

bool Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return WriteStrings(section, {{std::string(key), std::string(value)}});
}

bool Profile::WriteStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries) {
    lastError_.clear();
    const auto sectionBytes = Cp1252::FromUtf8(section);
    if (!sectionBytes) {
        lastError_ = "Ce texte contient des caractères qui ne peuvent pas être enregistrés.";
        return false;
    }
    std::vector<std::pair<std::string, std::string>> entryBytes;
    for (const auto& [key, value] : entries) {
        const auto keyBytes = Cp1252::FromUtf8(key);
        const auto valueBytes = Cp1252::FromUtf8(value);
        if (!keyBytes || !valueBytes) {
            lastError_ = "Ce texte contient des caractères qui ne peuvent pas être enregistrés.";
            return false;
        }
        if (valueBytes->find_first_of("\r\n") != std::string::npos ||
            keyBytes->find_first_of("=\r\n[") != std::string::npos) {
            lastError_ = "Ce texte ne peut pas être enregistré dans le fichier de paramètres.";
            return false;
        }
        entryBytes.emplace_back(*keyBytes, *valueBytes);
    }
    std::string bytes;
    const bool existed = std::filesystem::exists(file_);
    if (existed && !ReadOnlyFile::ReadAll(file_, bytes)) {
        lastError_ = "Erreur de fichier:\r\nImpossible de lire " + file_.string();
        return false;
    }
    Parsed parsed = ParseFile(bytes);
    auto& lines = parsed.lines;

    for (const auto& [keyBytes, valueBytes] : entryBytes) {
        const std::string newLine = keyBytes + "=" + valueBytes;
        // Find the section, then the key or the place after the section's last entry.
        std::size_t sectionAt = lines.size();
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].header && SameName(lines[i].name, *sectionBytes)) {
                sectionAt = i;
                break;
            }
        if (sectionAt == lines.size()) {
            if (!lines.empty() && !Trim(lines.back().raw).empty())
                lines.push_back(ParseLine(""));
            lines.push_back(ParseLine("[" + *sectionBytes + "]"));
            lines.push_back(ParseLine(newLine));
        } else {
            std::size_t insertAt = sectionAt + 1;
            bool replaced = false;
            for (std::size_t i = sectionAt + 1; i < lines.size() && !lines[i].header; ++i) {
                if (lines[i].keyLine && SameName(lines[i].name, keyBytes)) {
                    // Keep the key as the file spells it.
                    lines[i] = ParseLine(lines[i].name + "=" + valueBytes);
                    replaced = true;
                    break;
                }
                if (!Trim(lines[i].raw).empty())
                    insertAt = i + 1;
            }
            if (!replaced)
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), ParseLine(newLine));
        }
    }

    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += lines[i].raw;
        if (i + 1 < lines.size() || parsed.endsWithBreak || !existed)
            out += parsed.lineBreak;
    }
    std::error_code ec;
    if (!file_.parent_path().empty())
        std::filesystem::create_directories(file_.parent_path(), ec);
    const bool readOnly = ReadOnlyFile::IsReadOnly(file_);
    if (!ReadOnlyFile::Replace(file_, out, readOnly, &lastError_))
        return false;
    return true;
}

bool Profile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool Profile::Flush() const {
    std::error_code ec;
    return !std::filesystem::exists(file_, ec) || std::filesystem::is_regular_file(file_, ec);
}

} // namespace lexinum
