// The saved-game file: what comes back, the older forms, every line refused
// as damaged, and a save that fails without losing the previous file.
#include "match/SavedGame.h"

#include "TempFolder.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LexiconSet.h"
#include "match/ScrambledLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

SavedGame AGame() {
    SavedGame game;
    game.playerName = "Zoé";
    game.level = 3;
    game.counters = {.roundsPlayed = 14, .playerPoints = 4, .computerPoints = 2, .playerSets = 1, .computerSets = 0};
    game.vowelBag = {40, 90, 38, 33, 31, 2};
    game.consonantBag = {8, 15, 19, 8, 7, 2, 1, 0, 25, 14, 33, 13, 6, 30, 35, 29, 10, 1, 4, 2};
    // A blank is allowed in a radical: the last field takes the rest of the line.
    game.radical = "mes mots";
    return game;
}

// The fields of AGame's plain line, with field `index` (from 0) replaced by
// `value`, the first `count` of them joined by blanks (no line end).
std::string Fields(std::size_t count, std::size_t index = 0, const std::string& value = {}) {
    std::vector<std::string> fields;
    std::istringstream in(SavedGame::Line(AGame()));
    for (std::string field; std::getline(in, field, ' ');)
        fields.push_back(field);
    fields.resize(33);
    fields.push_back(AGame().radical);
    if (!value.empty())
        fields[index] = value;
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += (i == 0 ? "" : " ") + fields[i];
    return out;
}

std::string LineWith(std::size_t index, const std::string& value) {
    return Fields(SavedGame::kFields, index, value);
}

TEST(SavedGame, WriteThenReadGivesBackEveryFieldAndLeavesTheFileReadOnly) {
    const test::TempFolder folder;
    const fs::path file = folder / "partie.tiv";
    const SavedGame game = AGame();
    EXPECT_EQ(SavedGame::Line(game), "Zo\xE9 3 4 1 2 0 14 40 90 38 33 31 2 8 15 19 8 7 2 1 0 25 14 33 13 6 30 35 29 "
                                     "10 1 4 2 mes mots\r\n");
    ASSERT_TRUE(SavedGame::Write(file, game).Ok());
    EXPECT_EQ(folder.Read("partie.tiv"), ScrambledLine::Scramble(SavedGame::Line(game)));
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(file));
    SavedGame read;
    ASSERT_TRUE(SavedGame::Read(file, read).Ok());
    EXPECT_EQ(read, game);

    // Saved again over the read-only file, with no radical: it reads as 33 fields.
    SavedGame plain = game;
    plain.radical.clear();
    ASSERT_TRUE(SavedGame::Write(file, plain).Ok());
    ASSERT_TRUE(SavedGame::Read(file, read).Ok());
    plain.fields = SavedGame::kFieldsWithoutRadical;
    EXPECT_EQ(read, plain);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1) << "no file left";
}

TEST(SavedGame, OlderLinesOfSevenAndThirtyThreeFieldsRead) {
    const auto seven = SavedGame::Parse(Fields(7) + "\r\n");
    ASSERT_TRUE(seven);
    EXPECT_EQ(seven->fields, SavedGame::kFieldsWithoutBags);
    EXPECT_FALSE(seven->HasBags());
    EXPECT_EQ(seven->counters, AGame().counters);
    EXPECT_EQ(seven->radical, "");
    for (const char* end : {" \r\n", "\r\n"}) {
        const auto thirtyThree = SavedGame::Parse(Fields(33) + end);
        ASSERT_TRUE(thirtyThree) << end;
        EXPECT_EQ(thirtyThree->fields, SavedGame::kFieldsWithoutRadical);
        EXPECT_EQ(thirtyThree->consonantBag, AGame().consonantBag);
        EXPECT_EQ(thirtyThree->radical, "");
    }
}

TEST(SavedGame, EveryDamagedFileIsRefusedAndNothingIsTaken) {
    const std::string good = ScrambledLine::Scramble(SavedGame::Line(AGame()));
    // Lines made of fields are scrambled and ended as the game writes them.
    struct Case {
        const char* what;
        std::string content;
        bool asLine = true;
    };
    const Case cases[] = {
        {"empty file", "", false},
        {"binary bytes",
         std::string("\x7F"
                     "ELF\x02\x01\x01\0\0\0\r\n",
                     12),
         false},
        {"plain text, not scrambled", SavedGame::Line(AGame()), false},
        {"file cut before its line end", good.substr(0, good.size() - 9), false},
        {"no CR before the line feed", good.substr(0, good.size() - 2) + good.back(), false},
        {"a second line", good + good, false},
        {"line longer than any game", std::string(400, 'a')},
        {"name of 11 characters", LineWith(0, "Abcdefghijk")},
        {"name with a blank", LineWith(0, "Jean Luc")},
        {"name the game refuses", LineWith(0, "@bob")},
        {"radical of 12 characters", LineWith(33, "abcdefghijkl")},
        {"radical with a control character", LineWith(33, "fr\x01")},
        {"a field missing", Fields(32)},
        {"eight fields", Fields(8)},
        {"not a number", LineWith(4, "x")},
        {"two blanks", LineWith(4, " 0")},
        {"number too large", LineWith(7, "99999999999")},
        {"level 0", LineWith(1, "0")},
        {"level 7", LineWith(1, "7")},
        {"negative bag count", LineWith(12, "-1")},
        {"bag count beyond any weight", LineWith(20, "1000001")},
        {"more sets than played", LineWith(3, "3")},
        {"more points than the set's rounds give", LineWith(2, "7")},
    };
    const test::TempFolder folder;
    for (const auto& [what, content, asLine] : cases) {
        const fs::path file = folder.Write("partie.tiv", asLine ? ScrambledLine::Scramble(content + "\r\n") : content);
        SavedGame game;
        const SavedGame::Result result = SavedGame::Read(file, game);
        EXPECT_EQ(result.status, SavedGame::Status::Damaged) << what;
        EXPECT_EQ(result.message, "Erreur de fichier:\r\nFichier partie hors d'usage.") << what;
        EXPECT_EQ(game, SavedGame()) << what;
    }
    // No file, or a folder in its place: it cannot be opened.
    for (const fs::path& file : {folder / "absente.tiv", folder.Path()}) {
        SavedGame game;
        const SavedGame::Result result = SavedGame::Read(file, game);
        EXPECT_EQ(result.status, SavedGame::Status::CannotOpen) << file;
        EXPECT_EQ(result.message, "Erreur de fichier:\r\nImpossible d'ouvrir le fichier partie " + file.string() + ".");
    }
}

TEST(SavedGame, AFailedSaveKeepsThePreviousFileWhole) {
    const test::TempFolder folder;
    const fs::path file = folder / "partie.tiv";
    ASSERT_TRUE(SavedGame::Write(file, AGame()).Ok());
    const std::string before = folder.Read("partie.tiv");
    SavedGame later = AGame();
    later.counters.roundsPlayed = 15;
    SavedGame unreadable = later;
    unreadable.playerName = "Jean Luc";

    // The file cannot be written beside the old one (its temporary name is
    // taken by a folder), or the game could not be read back.
    folder.Write("partie.tiv.tmp~/occupé", "");
    for (const SavedGame& game : {later, unreadable}) {
        const SavedGame::Result result = SavedGame::Write(file, game);
        EXPECT_EQ(result.status, SavedGame::Status::CannotSave);
        EXPECT_EQ(result.message, "Erreur de fichier:\r\nImpossible de sauvegarder le fichier.");
        EXPECT_EQ(folder.Read("partie.tiv"), before);
        EXPECT_TRUE(ReadOnlyFile::IsReadOnly(file));
    }
    // No folder to write in; a folder in the file's place, left as it was.
    EXPECT_EQ(SavedGame::Write(folder / "absent/partie.tiv", later).status, SavedGame::Status::CannotSave);
    const fs::path place = folder / "partie.tiv.tmp~";
    const auto permissions = fs::status(place).permissions();
    EXPECT_EQ(SavedGame::Write(place, later).status, SavedGame::Status::CannotSave);
    EXPECT_EQ(fs::status(place).permissions(), permissions);
}

TEST(SavedGame, TheBagsGoBackIntoTheLexiconWithinTheirWeights) {
    LexiconSet lexicon;
    lexicon.ResetToDefaultWeights();
    SavedGame game = AGame();
    game.vowelBag[1] = 500; // more E than the weights give
    lexicon.RestoreBags(game.vowelBag, game.consonantBag);
    EXPECT_EQ(lexicon.VowelWeights(), kDefaultVowelWeights) << "the weights stay";
    SavedGame taken;
    taken.TakeBags(lexicon);
    EXPECT_EQ(taken.consonantBag, game.consonantBag);
    EXPECT_EQ(taken.vowelBag[0], 40);
    EXPECT_EQ(taken.vowelBag[1], kDefaultVowelWeights[1]);
}

} // namespace
} // namespace lexinum
