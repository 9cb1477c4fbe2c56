#include "LexiconBuilder.h"

#include "common/Cp1252.h"
#include "common/Profile.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"

#include <algorithm>
#include <array>
#include <set>
#include <system_error>

namespace lexinum {

namespace fs = std::filesystem;

namespace {

// The accented small letters a lexicon word may hold, in Windows-1252.
constexpr std::string_view kAccentedLetters = "\xE0\xE2\xE4\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF6\xF9\xFB\xFC";

bool IsLexiconLetter(char c) {
    return (c >= 'a' && c <= 'z') || kAccentedLetters.find(c) != std::string_view::npos;
}

// A line of the lexicon as written: its key and its text without the line end.
struct BuiltLine {
    std::string key;
    std::string text;
};

// Cuts `lines` (of one length) into `parts` runs of similar byte size, each
// holding at least one line; returns the index where each run starts.
std::vector<std::size_t> CutIntoParts(const std::vector<BuiltLine>& lines, int parts) {
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.text.size() + 2;
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    std::size_t done = 0;
    for (int part = 0; part < parts; ++part) {
        starts.push_back(at);
        if (part == parts - 1)
            break;
        const std::size_t target = total * static_cast<std::size_t>(part + 1) / static_cast<std::size_t>(parts);
        const std::size_t keepForOthers = static_cast<std::size_t>(parts - part - 1);
        done += lines[at].text.size() + 2;
        ++at;
        while (at + keepForOthers < lines.size() && done + (lines[at].text.size() + 2) / 2 < target) {
            done += lines[at].text.size() + 2;
            ++at;
        }
    }
    return starts;
}

// How many files each key length gets: at least one per length present, then
// one more at a time to the length whose files are the largest, until `total`
// files are given out (or every line has a file of its own).
std::array<int, kMaxKeyLength + 1> ShareFiles(const std::array<std::vector<BuiltLine>, kMaxKeyLength + 1>& byLength,
                                              int total) {
    std::array<std::size_t, kMaxKeyLength + 1> bytes{};
    std::array<int, kMaxKeyLength + 1> files{};
    int given = 0;
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        for (const auto& line : byLength[static_cast<std::size_t>(length)])
            bytes[static_cast<std::size_t>(length)] += line.text.size() + 2;
        if (!byLength[static_cast<std::size_t>(length)].empty()) {
            files[static_cast<std::size_t>(length)] = 1;
            ++given;
        }
    }
    while (given < total) {
        int widest = 0;
        for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
            const auto l = static_cast<std::size_t>(length);
            if (files[l] == 0 || static_cast<std::size_t>(files[l]) >= byLength[l].size())
                continue;
            const auto w = static_cast<std::size_t>(widest);
            if (widest == 0 ||
                bytes[l] * static_cast<std::size_t>(files[w]) > bytes[w] * static_cast<std::size_t>(files[l]))
                widest = length;
        }
        if (widest == 0)
            break;
        ++files[static_cast<std::size_t>(widest)];
        ++given;
    }
    return files;
}

} // namespace

LexiconBuilder::LexiconBuilder(std::string radical) : radical_(std::move(radical)) {}

std::optional<std::string> LexiconBuilder::LexiconSpelling(std::string_view word) {
    auto bytes = Cp1252::FromUtf8(word);
    if (!bytes || bytes->size() < static_cast<std::size_t>(kMinKeyLength) ||
        bytes->size() > static_cast<std::size_t>(kMaxKeyLength))
        return std::nullopt;
    if (!std::all_of(bytes->begin(), bytes->end(), IsLexiconLetter))
        return std::nullopt;
    return bytes;
}

std::string LexiconBuilder::CheckRadical(std::string_view radical) {
    if (LexiconSet::IsValidRadical(radical))
        return {};
    return "Le radical « " + std::string(radical) +
           " » ne peut pas servir de nom de lexique : 11 caractères au plus, sans séparateur de dossier.";
}

bool LexiconBuilder::AddWord(std::string_view word) {
    ++summary_.wordsRead;
    const auto spelling = LexiconSpelling(word);
    if (!spelling) {
        ++summary_.wordsRefused;
        return false;
    }
    const std::string key = MakeKey(*spelling);
    const auto [found, added] = lineOfKey_.try_emplace(key, lines_.size());
    if (added)
        lines_.push_back({key, {}});
    auto& words = lines_[found->second].words;
    if (std::find(words.begin(), words.end(), *spelling) != words.end()) {
        ++summary_.duplicates;
        return false;
    }
    words.push_back(*spelling);
    ++summary_.wordsKept;
    return true;
}

void LexiconBuilder::AddWordList(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            AddWord(line);
    }
}

bool LexiconBuilder::AddWordListFile(const fs::path& file, std::string* error) {
    std::string text;
    if (!ReadOnlyFile::ReadAll(file, text)) {
        if (error != nullptr)
            *error = "Impossible de lire la liste de mots " + file.string() + ".";
        return false;
    }
    AddWordList(text);
    return true;
}

void LexiconBuilder::SetFileCountRange(int minimum, int maximum) {
    maxFiles_ = std::clamp(maximum, 1, kMaxLexFiles);
    minFiles_ = std::clamp(minimum, 1, maxFiles_);
}

bool LexiconBuilder::Write(const fs::path& folder, std::string* error) {
    const auto fail = [error](const std::string& text) {
        if (error != nullptr)
            *error = text;
        return false;
    };
    if (const std::string problem = CheckRadical(radical_); !problem.empty())
        return fail(problem);
    if (lines_.empty())
        return fail("Aucun mot de la liste ne peut entrer dans le lexique (2 à 27 lettres minuscules, accents "
                    "français compris).");

    // The lines of each key length, in key order, each within 199 bytes.
    std::array<std::vector<BuiltLine>, kMaxKeyLength + 1> byLength;
    summary_.overflowWords.clear();
    std::size_t lineCount = 0;
    for (const Line& line : lines_) {
        std::string text = line.key;
        for (const std::string& word : line.words) {
            if (text.size() + 1 + word.size() + 2 > static_cast<std::size_t>(kMaxLineLength)) {
                summary_.overflowWords.push_back(Cp1252::ToUtf8(word));
                continue;
            }
            text += ' ';
            text += word;
        }
        byLength[line.key.size()].push_back({line.key, std::move(text)});
        ++lineCount;
    }
    for (auto& lines : byLength)
        std::sort(lines.begin(), lines.end(), [](const BuiltLine& a, const BuiltLine& b) { return a.key < b.key; });

    // Share the files out among the lengths, then cut each length.
    const int wanted = std::clamp((minFiles_ + maxFiles_ + 1) / 2, minFiles_, maxFiles_);
    const auto shares = ShareFiles(byLength, std::min<int>(wanted, static_cast<int>(lineCount)));
    std::vector<std::string> contents;
    std::vector<int> lengthOfFile{0};
    LexiconSet index;
    for (int length = kMinKeyLength; length <= kMaxKeyLength; ++length) {
        const auto& lines = byLength[static_cast<std::size_t>(length)];
        const int parts = shares[static_cast<std::size_t>(length)];
        if (parts == 0)
            continue;
        const auto starts = CutIntoParts(lines, parts);
        for (std::size_t part = 0; part < starts.size(); ++part) {
            const std::size_t end = part + 1 < starts.size() ? starts[part + 1] : lines.size();
            std::string bytes;
            for (std::size_t i = starts[part]; i < end; ++i) {
                bytes += lines[i].text;
                bytes += "\r\n";
            }
            index.firstEntries[contents.size()] = lines[starts[part]].key;
            contents.push_back(std::move(bytes));
            lengthOfFile.push_back(length);
        }
    }
    index.directory = folder;
    index.radical = radical_;
    index.fileCount = static_cast<int>(contents.size());
    LexiconSet::ComputeRanges(
        index.fileCount, [&](int file, int length) { return lengthOfFile[static_cast<std::size_t>(file)] == length; },
        index.first, index.last);
    index.ResetToDefaultWeights();

    // Replace the lexicon in the folder: the old index goes first, so that a
    // build cut short leaves a folder that asks for its index to be rebuilt
    // rather than an index that describes other files.
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec))
        return fail("Impossible de créer le dossier " + folder.string() + " : " + ec.message() + ".");
    const fs::path indexPath = index.IndexPath();
    if (fs::exists(indexPath, ec)) {
        ReadOnlyFile::MakeWritable(indexPath);
        if (!fs::remove(indexPath, ec) || ec)
            return fail("Impossible de remplacer " + indexPath.string() + " : " + ec.message() + ".");
    }
    std::set<fs::path> written;
    for (int n = 1; n <= index.fileCount; ++n) {
        const fs::path file = index.LexFilePath(n);
        std::string problem;
        if (!ReadOnlyFile::Replace(file, contents[static_cast<std::size_t>(n - 1)], true, &problem))
            return fail(problem);
        written.insert(file.filename());
    }
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".lex" && written.count(it->path().filename()) == 0)
            stale.push_back(it->path());
    for (const fs::path& file : stale) {
        ReadOnlyFile::MakeWritable(file);
        fs::remove(file, ec);
    }

    Profile ini(indexPath);
    const bool ok = index.WriteCountAndRadical(ini) && index.WriteRanges(ini) && index.WriteFirstEntries(ini) &&
                    index.WriteWeights(ini) && ini.Flush();
    ReadOnlyFile::MakeReadOnly(indexPath);
    if (!ok)
        return fail(ini.LastError().empty() ? "Impossible d'écrire " + indexPath.string() + "." : ini.LastError());
    summary_.wordsWritten = summary_.wordsKept - summary_.overflowWords.size();
    summary_.lineCount = lineCount;
    summary_.fileCount = index.fileCount;
    return true;
}

} // namespace lexinum
