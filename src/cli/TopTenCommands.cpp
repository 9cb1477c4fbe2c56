// The best results subcommand of lexinum-cli: the lists of the game's Top Ten
// file as its "Meilleurs scores" dialog shows them, or as JSON.
#include "CliCommands.h"
#include "CliSupport.h"

#include "match/TopTen.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace lexinum::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "topten [FICHIER] [--level 1..6] [--json]";

// A list for the terminal: its tabs kept, everything else escaped as results are.
std::string ShownListing(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find('\t', start);
        out += ForOutput(text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return out;
        out += '\t';
        start = tab + 1;
    }
}

std::string JsonLevel(const TopTenBook& book, int level) {
    std::string out =
        "{\"level\": " + std::to_string(level) + ", \"name\": " + JsonString(LevelName(level)) + ", \"entries\": [";
    bool first = true;
    for (const TopTenEntry& entry : book.Level(level)) {
        out += first ? "" : ", ";
        first = false;
        out += "{\"name\": " + JsonString(entry.name) + ", \"player_sets\": " + std::to_string(entry.playerSets) +
               ", \"computer_sets\": " + std::to_string(entry.computerSets) + ", \"date\": ";
        if (entry.when) {
            char date[40];
            std::snprintf(date, sizeof date, "\"%04d-%02d-%02dT%02d:%02d\"", entry.when->year, entry.when->month,
                          entry.when->day, entry.when->hour, entry.when->minute);
            out += date;
        } else {
            out += "null";
        }
        out += "}";
    }
    return out + "]}";
}

int RunTopTen(const Arguments& args) {
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(args, {"--level"}, {"--json"}, parsed, error))
        return Fail(error);
    if (parsed.positional.size() > 1)
        return Fail(std::string("usage : lexinum-cli ") + kUsage);
    int only = 0;
    if (parsed.values.count("--level") != 0 && !ParseInt(parsed.Value("--level"), kLowestLevel, kHighestLevel, only))
        return Fail("« " + Shown(parsed.Value("--level")) +
                    " » n'est pas un niveau valable : un entier de 1 à 6 "
                    "(option --level)");
    const fs::path file = parsed.positional.empty() ? TopTenFile(GameDataFolder()) : fs::path(parsed.positional[0]);

    // Nothing is written: a list cut off by an interrupted update is read from
    // its backup, and the game mends the file the next time it reads it.
    const TopTenLoad load = ReadTopTen(file, false);
    switch (load.result) {
    case TopTenRead::Missing:
        return Fail("pas de fichier TopTen : " + file.string());
    case TopTenRead::Failed:
        return Fail(load.error);
    case TopTenRead::Read:
        break;
    }
    const TopTenBook& book = load.book;
    if (!book.Whole())
        return Fail(TopTenTexts::Damaged(book.problem));
    if (book.recovered)
        std::cerr << "lexinum-cli: " << ForErrorStream(file.string())
                  << " est incomplet (mise à jour interrompue) : listes reprises de " << TopTenTexts::kBackupName
                  << '\n';
    if (book.skippedLines > 0)
        std::cerr << "lexinum-cli: " << book.skippedLines
                  << (book.skippedLines > 1 ? " lignes illisibles laissées de côté"
                                            : " ligne illisible laissée de côté")
                  << '\n';

    const int firstLevel = only != 0 ? only : kLowestLevel;
    const int lastLevel = only != 0 ? only : kHighestLevel;
    if (parsed.Has("--json")) {
        std::string out = "{\"levels\": [";
        for (int level = firstLevel; level <= lastLevel; ++level)
            out += (level == firstLevel ? "" : ", ") + JsonLevel(book, level);
        std::cout << out << "]}\n";
        return 0;
    }
    for (int level = firstLevel; level <= lastLevel; ++level) {
        if (only == 0)
            std::cout << (level == firstLevel ? "" : "\n") << TopTenLevelItem(level) << '\n';
        std::cout << ShownListing(ListingText(book, level));
    }
    return 0;
}

} // namespace

std::vector<Command> TopTenCommands() {
    return {
        {"topten", "topten [FICHIER] [--level 1..6] [--json]   les meilleurs scores de chaque niveau", RunTopTen},
    };
}

} // namespace lexinum::cli
