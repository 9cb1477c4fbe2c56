// The settings reader on any file: every key the game reads, the first
// section and key the file names, then a write of one key and one of two,
// after which the written values must read back and every other key read as
// before.

#include "FuzzSupport.h"

#include "common/Profile.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using namespace lexinum;

namespace {

// Keys the game reads, and a few spellings of them.
const std::vector<std::pair<std::string, std::string>> kKnownKeys = {
    {"GENERAL", "difficulté"},  {"general", "DIFFICULTÉ"}, {"GENERAL", "dernier joueur"}, {"GENERAL", "x"},
    {"GENERAL", "bitmaps"},     {"LETTRES", "lexiques"},   {"LETTRES", "nb lettres"},     {"LETTRES", "Bitmap0"},
    {"CHIFFRES", "nombre max"}, {"CHIFFRES", "Couleur"},   {"Custom Colors", "ColorA"},   {"", ""},
    {"Général", "clé"},         {"ÉTÉ", "Œuvre"},
};

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// The first "[section]" and the first "key=" of the file, as written.
void FirstNames(std::string_view bytes, std::string& section, std::string& key) {
    std::size_t at = 0;
    while (at < bytes.size() && (section.empty() || key.empty())) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string line = Trimmed(bytes.substr(at, end - at));
        if (section.empty() && line.size() > 2 && line.front() == '[') {
            const auto close = line.find(']');
            if (close != std::string::npos)
                section = Trimmed(std::string_view(line).substr(1, close - 1));
        } else if (key.empty() && !line.empty() && line.front() != '[' && line.front() != ';') {
            const auto eq = line.find('=');
            if (eq != std::string::npos)
                key = Trimmed(std::string_view(line).substr(0, eq));
        }
        at = end + 1;
    }
}

// A name written by the fuzz target: printable ASCII only.
bool PlainAscii(const std::string& name) {
    if (name.empty())
        return false;
    for (const char c : name) {
        if (c < 0x21 || c > 0x7E || c == '[' || c == ']' || c == '=' || c == ';')
            return false;
    }
    return true;
}

bool SameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

constexpr char kWrittenKey[] = "fuzzkey";
constexpr char kSecondKey[] = "fuzzkey2";
constexpr char kMissing[] = "\x01missing";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::ScratchFolder() / "tiv.ini";
    const std::string_view bytes = fuzz::Bytes(data, size);
    fuzz::WriteBytes(file, bytes);

    std::vector<std::pair<std::string, std::string>> keys = kKnownKeys;
    std::string section;
    std::string key;
    FirstNames(bytes, section, key);
    keys.emplace_back(section, key);
    keys.emplace_back("GENERAL", key);
    keys.emplace_back(section, "x");

    std::vector<std::string> before;
    {
        Profile profile(file, Profile::ReadOnlyRule::Respect);
        for (const auto& [s, k] : keys) {
            before.push_back(profile.ReadString(s, k, kMissing, Profile::kMaxValueLength));
            profile.ReadString(s, k, "", 3);
            profile.ReadInt(s, k, -7);
            profile.ReadIntInRange(s, k, 5, 1, 6);
        }
        profile.ReadError();
    }

    // One write: a value made of the input's printable bytes, in the first
    // section of the file when it has a plain name.
    std::string value;
    for (std::size_t i = 0; i < size && value.size() < 40; ++i) {
        if (data[i] >= 0x20 && data[i] < 0x7F)
            value += static_cast<char>(data[i]);
    }
    const std::string written = PlainAscii(section) ? section : "GENERAL";
    Profile writer(file, Profile::ReadOnlyRule::Respect);
    if (!writer.WriteString(written, kWrittenKey, value))
        return 0;

    // Then several keys at once, as the lexicon index is written: the first
    // one again, and one more.
    const std::string second = value.substr(0, value.size() / 2);
    const bool both = writer.WriteStrings(written, {{kWrittenKey, second}, {kSecondKey, value}});

    Profile reader(file, Profile::ReadOnlyRule::Respect);
    const auto readBack = [&reader, &written](const char* key, const std::string& wrote) {
        // Blanks around a value and a pair of quotes around it are not part of it.
        std::string expected = Trimmed(wrote);
        if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
            expected.back() == expected.front())
            expected = expected.substr(1, expected.size() - 2);
        if (reader.ReadString(written, key, kMissing, Profile::kMaxValueLength) != expected)
            std::abort();
    };
    readBack(kWrittenKey, both ? second : value);
    if (both)
        readBack(kSecondKey, value);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (SameAscii(keys[i].second, kWrittenKey) || SameAscii(keys[i].second, kSecondKey))
            continue;
        if (reader.ReadString(keys[i].first, keys[i].second, kMissing, Profile::kMaxValueLength) != before[i])
            std::abort();
    }
    return 0;
}
