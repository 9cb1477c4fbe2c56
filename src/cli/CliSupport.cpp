#include "CliSupport.h"

#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"

#include <charconv>
#include <cstdio>
#include <system_error>

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
            if (eq != std::string::npos) {
                parsed.values[name] = arg.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                parsed.values[name] = args[++i];
            } else {
                error = "l'option " + name + " attend une valeur";
                return false;
            }
        } else if (among(flagOptions, name) && eq == std::string::npos) {
            parsed.flags.insert(name);
        } else {
            error = "option inconnue « " + arg + " »";
            return false;
        }
    }
    return true;
}

bool CheckLetters(std::string_view text, std::string& letters, std::string& error) {
    letters.clear();
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') {
            error = "les lettres « " + std::string(text) +
                    " » ne sont pas valables : seules les lettres A à Z, sans "
                    "accent, sont permises";
            return false;
        }
        letters += c;
    }
    if (letters.size() < static_cast<std::size_t>(kMinKeyLength) ||
        letters.size() > static_cast<std::size_t>(kMaxKeyLength)) {
        error = "il faut de 2 à 27 lettres, « " + std::string(text) + " » en a " + std::to_string(letters.size());
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
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    return (ec ? fs::current_path(ec) : executable.parent_path()) / "lexiques";
}

fs::path LexiconDirOption(const ParsedOptions& parsed) {
    const std::string given = parsed.Value("--lexicon");
    return given.empty() ? ShippedLexiconDir() : fs::path(given);
}

bool OpenLexicon(const fs::path& folder, LexiconSet& lexicon, std::string& error) {
    const LexiconSet::IndexReading reading = lexicon.ReadLexIni(folder);
    if (reading.Complete()) {
        lexicon.ready = true;
        return true;
    }
    error = "Lexique inutilisable : ";
    if (reading.status == LexiconSet::Status::NoLexiconFiles)
        error += "pas d'ensemble complet de fichiers lexique dans le dossier " + folder.string();
    else if (reading.status == LexiconSet::Status::NoIndex)
        error += "le dossier " + folder.string() + " comporte des fichiers lexique mais le fichier lex.ini est absent";
    else
        error += "le fichier lex.ini du dossier " + folder.string() + " est incomplet (code " +
                 std::to_string(reading.missing) + ")";
    return false;
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

} // namespace lexinum::cli
