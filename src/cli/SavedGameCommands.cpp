// The saved-game subcommand of lexinum-cli: what a saved match holds.
#include "CliCommands.h"
#include "CliSupport.h"

#include "lexicon/LetterTables.h"
#include "match/Levels.h"
#include "match/SavedGame.h"
#include "match/ScoreKeeper.h"

#include <iostream>

namespace lexinum::cli {

namespace {

constexpr const char* kUsage = "lexinum-cli saved-game [--json] FICHIER";

// The kind of the round that comes next, as the program names the two games.
const char* NextRoundKind(const SavedGame& game) {
    ScoreKeeper score;
    score.SetCounters(game.counters);
    return score.NextRoundIsNumbers() ? "chiffres" : "lettres";
}

// "A 40 E 90 ..." for the text, {"A": 40, ...} for JSON.
template <std::size_t N> std::string BagText(const char* letters, const std::array<int, N>& counts, bool json) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0)
            text += json ? ", " : " ";
        text += json ? "\"" + std::string(1, letters[i]) + "\": " : std::string(1, letters[i]) + " ";
        text += std::to_string(counts[i]);
    }
    return json ? "{" + text + "}" : text;
}

std::string AsText(const SavedGame& game) {
    const MatchCounters& c = game.counters;
    std::string text = "Joueur : " + game.playerName + "\n";
    text += "Niveau : " + std::to_string(game.level) + " (" + LevelName(game.level) + ")\n";
    text += "Points de la manche : " + std::to_string(c.playerPoints) + " - " + std::to_string(c.computerPoints) + "\n";
    text += "Manches gagnées : " + std::to_string(c.playerSets) + " - " + std::to_string(c.computerSets) + "\n";
    text += "Tours joués : " + std::to_string(c.roundsPlayed) + "\n";
    text += std::string("Prochain tour : ") + NextRoundKind(game) + "\n";
    text += "Lexique : " + (game.radical.empty() ? std::string("(radical vide)") : game.radical) + "\n";
    if (game.HasBags()) {
        text += "Voyelles restantes : " + BagText(kVowels, game.vowelBag, false) + "\n";
        text += "Consonnes restantes : " + BagText(kConsonants, game.consonantBag, false) + "\n";
    } else {
        text += "Sacs de lettres : non enregistrés\n";
    }
    return text;
}

std::string AsJson(const SavedGame& game) {
    const MatchCounters& c = game.counters;
    std::string json = "{\"player\": " + JsonString(game.playerName) + ", \"level\": " + std::to_string(game.level) +
                       ", \"level_name\": " + JsonString(LevelName(game.level)) +
                       ", \"player_points\": " + std::to_string(c.playerPoints) +
                       ", \"computer_points\": " + std::to_string(c.computerPoints) +
                       ", \"player_sets\": " + std::to_string(c.playerSets) +
                       ", \"computer_sets\": " + std::to_string(c.computerSets) +
                       ", \"rounds_played\": " + std::to_string(c.roundsPlayed) + ", \"next_round\": \"" +
                       NextRoundKind(game) + "\", \"radical\": " + JsonString(game.radical) +
                       ", \"fields\": " + std::to_string(game.fields) + ", \"vowels\": ";
    if (game.HasBags())
        json += BagText(kVowels, game.vowelBag, true) +
                ", \"consonants\": " + BagText(kConsonants, game.consonantBag, true);
    else
        json += "null, \"consonants\": null";
    return json + "}\n";
}

int ShowSavedGame(const Arguments& args) {
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(args, {}, {"--json"}, parsed, error))
        return Fail(error);
    if (parsed.positional.size() != 1)
        return Fail(std::string("usage : ") + kUsage);
    SavedGame game;
    const SavedGame::Result read = SavedGame::Read(parsed.positional[0], game);
    if (!read.Ok())
        return Fail(read.message);
    std::cout << ForOutput(parsed.Has("--json") ? AsJson(game) : AsText(game));
    return 0;
}

} // namespace

std::vector<Command> SavedGameCommands() {
    return {
        {"saved-game", "saved-game [--json] FICHIER   ce que contient une partie enregistrée (.tiv)", ShowSavedGame},
    };
}

} // namespace lexinum::cli
