#include "CliSupport.h"

#include "common/Cp1252.h"
#include "common/Profile.h"
#include "common/ReadOnlyFile.h"
#include "common/ShippedData.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconLineReader.h"
#include "lexicon/LexiconSeed.h"
#include "lexicon/LexiconSet.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <system_error>
#include <unistd.h>

namespace lexinum::cli {

namespace fs = std::filesystem;

std::string ParsedOptions::Value(const std::string& name, const std::string& fallback) const {
    const auto found = values.find(name);
    return found == values.end() ? fallback : found->second;
}

bool ParseOptions(const Arguments& args, std::initializer_list<std::string_view> valueOptions,
                  std::initializer_list<std::string_view> flagOptions, ParsedOptions& parsed, std::string& error) {
    const auto among = [](std::initializer_list<std::string_view> names, std::string_view name) {
        for (std::string_view known : names)
            if (known == name)
                return true;
        return false;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const auto eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        if (among(valueOptions, name)) {
            std::string value;
            if (eq != std::string::npos)
                value = arg.substr(eq + 1);
            else if (i + 1 < args.size())
                value = args[++i];
            // An empty value would silently stand for the option not given.
            if (value.empty()) {
                error = "l'option " + name + " attend une valeur";
                return false;
            }
            parsed.values[name] = value;
        } else if (among(flagOptions, name)) {
            if (eq != std::string::npos) {
                error = "l'option " + name + " ne prend pas de valeur";
                return false;
            }
            parsed.flags.insert(name);
        } else {
            error = "option inconnue « " + Shown(arg) + " »";
            return false;
        }
    }
    return true;
}

bool ReadSeed(const ParsedOptions& parsed, std::optional<std::uint32_t>& seed, std::string& error) {
    seed.reset();
    if (parsed.values.count("--seed") == 0)
        return true;
    const std::string text = parsed.Value("--seed");
    std::uint32_t value = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || problem != std::errc() || end != text.data() + text.size()) {
        error = "« " + Shown(text) + " » n'est pas une graine valable : un entier de 0 à 4294967295 (option --seed)";
        return false;
    }
    seed = value;
    return true;
}

namespace {

// Writes one character of a shown text, escaped when it could act on the
// terminal: C0 and C1 controls, DEL, and the marks that reorder text.
void AppendShown(std::string& out, char32_t cp, std::string_view bytes) {
    char escaped[16];
    if (cp < 0x20 || cp == 0x7F) {
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(cp));
        out += escaped;
    } else if ((cp >= 0x80 && cp < 0xA0) || (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069)) {
        std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(cp));
        out += escaped;
    } else {
        out += bytes;
    }
}

// The text with its control characters escaped (line feeds kept when
// `keepLineFeeds`), cut after `maxChars` characters.
std::string Escaped(std::string_view text, bool keepLineFeeds, std::size_t maxChars) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t at = 0; at < text.size(); ++chars) {
        if (chars == maxChars) {
            out += "… (" + std::to_string(text.size()) + " octets)";
            break;
        }
        const std::size_t start = at;
        char32_t cp = 0;
        if (!Cp1252::DecodeUtf8(text, at, cp)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[at]));
            out += escaped;
            ++at;
            continue;
        }
        if (cp == '\n' && keepLineFeeds)
            out += '\n';
        else
            AppendShown(out, cp, text.substr(start, at - start));
    }
    return out;
}

// The arguments of the running subcommand that hold control characters, and
// the parts of them (path steps) that a message may repeat on their own,
// longest first.
std::vector<std::string>& NotedPieces() {
    static std::vector<std::string> pieces;
    return pieces;
}

bool HoldsControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// `text` with every noted argument, or part of one, escaped whole (its line
// feeds too): a text that keeps its own line breaks never shows an argument's
// line feed as one.
std::string EscapeNoted(std::string text) {
    for (const std::string& piece : NotedPieces()) {
        const std::string escaped = Escaped(piece, false, std::string::npos);
        for (std::size_t at = 0; (at = text.find(piece, at)) != std::string::npos; at += escaped.size())
            text.replace(at, piece.size(), escaped);
    }
    return text;
}

} // namespace

void NoteArguments(const Arguments& args) {
    std::vector<std::string>& pieces = NotedPieces();
    pieces.clear();
    for (const std::string& arg : args) {
        if (!HoldsControl(arg))
            continue;
        pieces.push_back(arg);
        for (std::size_t start = 0; start <= arg.size();) {
            const std::size_t end = std::min(arg.find('/', start), arg.size());
            const std::string step = arg.substr(start, end - start);
            if (HoldsControl(step))
                pieces.push_back(step);
            start = end + 1;
        }
    }
    std::sort(pieces.begin(), pieces.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());
}

std::string Shown(std::string_view argument) {
    return Escaped(argument, false, 60);
}

std::string ForErrorStream(std::string_view message) {
    return Escaped(ForTerminal(EscapeNoted(std::string(message))), true, 4000);
}

bool CheckLetters(std::string_view text, std::string& letters, std::string& error) {
    letters.clear();
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') {
            error = "les lettres « " + Shown(text) +
                    " » ne sont pas valables : seules les lettres A à Z, sans "
                    "accent, sont permises";
            return false;
        }
        letters += c;
    }
    if (letters.size() < static_cast<std::size_t>(kMinKeyLength) ||
        letters.size() > static_cast<std::size_t>(kMaxKeyLength)) {
        error = "il faut de 2 à 27 lettres, « " + Shown(text) + " » en a " + std::to_string(letters.size());
        return false;
    }
    return true;
}

bool ParseInt(std::string_view text, int minimum, int maximum, int& value) {
    int parsed = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (problem != std::errc() || end != text.data() + text.size() || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

fs::path ShippedLexiconDir() {
    return ShippedDataPath(RunningProgramFolder(), "lexiques");
}

fs::path LexiconDirOption(const ParsedOptions& parsed) {
    const std::string given = parsed.Value("--lexicon");
    return given.empty() ? ShippedLexiconDir() : fs::path(given);
}

namespace {

// A folder named by the environment variable `name`, else `fallback` under the home folder.
fs::path XdgFolder(const char* name, const char* fallback) {
    const char* given = std::getenv(name);
    if (given != nullptr && *given != '\0')
        return fs::path(given);
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr && *home != '\0' ? home : "/") / fallback;
}

} // namespace

fs::path GameDataFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share") / "lexinum";
}

bool PlayerLexiconDir(fs::path& folder, std::string& error) {
    // The game's settings file and the section and key of its lexicon folder.
    const fs::path settingsFile = XdgFolder("XDG_CONFIG_HOME", ".config") / "lexinum" / "tiv.ini";
    const std::string configured =
        Profile(settingsFile.string()).ReadString("LETTRES", "lexiques", "", Profile::kMaxValueLength);
    const LexiconSeed::PlayerFolder player =
        LexiconSeed::OpenPlayerFolder(configured, GameDataFolder(), ShippedLexiconDir());
    folder = player.folder;
    error = player.problem;
    return error.empty();
}

bool OpenLexicon(const fs::path& folder, LexiconSet& lexicon, std::string& error) {
    const LexiconSet::IndexReading reading = lexicon.ReadLexIni(folder);
    if (reading.Complete())
        return true;
    error = "Lexique inutilisable : ";
    if (!reading.problem.empty())
        error += reading.problem;
    else if (reading.status == LexiconSet::Status::NoLexiconFiles)
        error += "pas d'ensemble complet de fichiers lexique dans le dossier " + folder.string();
    else if (reading.status == LexiconSet::Status::NoIndex)
        error += "le dossier " + folder.string() + " comporte des fichiers lexique mais le fichier lex.ini est absent";
    else
        error += "le fichier lex.ini du dossier " + folder.string() + " est incomplet (code " +
                 std::to_string(reading.missing) + ")";
    return false;
}

std::string LostLexiconText(const LexiconSet& lexicon) {
    std::string text = "Lexique perdu. ";
    std::string found;
    for (int n = 1; n <= lexicon.FileCount() && n <= kMaxLexFiles && found.empty(); ++n) {
        ReadOnlyFile::ReadResult result = ReadOnlyFile::ReadResult::Read;
        int code = 0;
        const auto path = lexicon.LexFilePath(n);
        const int fd = ReadOnlyFile::OpenRegular(path, LexiconLineReader::kMaxFileSize, nullptr, &result, &code);
        if (fd >= 0)
            ::close(fd);
        else
            found = ReadOnlyFile::ReadErrorText(path, result, code, LexiconLineReader::kMaxFileSize);
    }
    text += found.empty() ? "Un fichier du lexique " + lexicon.Directory().string() + " n'a pas pu être lu." : found;
    return text + "\nVérifiez le dossier du lexique (--lexicon) ou reconstruisez-le avec « lexinum-cli "
                  "build-lexicon ».";
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string ForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

std::string ForOutput(std::string_view text) {
    return Escaped(ForTerminal(EscapeNoted(std::string(text))), true, std::string::npos);
}

PromptAnswer ErrorStreamPrompter::Ask(const std::string& text, const std::string& caption, PromptIcon,
                                      PromptButtons buttons) {
    std::cerr << ForErrorStream(caption) << ": " << ForErrorStream(text) << '\n';
    std::cerr.flush();
    return UnattendedAnswer(buttons);
}

} // namespace lexinum::cli
