// lexinum-cli saved-game: a saved match as text and as JSON, and a damaged
// file told as the game tells it.
#include "CliRunner.h"
#include "TempFolder.h"
#include "match/SavedGame.h"

#include <gtest/gtest.h>

#include <string>

namespace lexinum {
namespace {

TEST(SavedGameCli, ShowsASavedMatchAsTextOrJsonAndRefusesADamagedOne) {
    if (!test::CliBuilt())
        GTEST_SKIP() << "lexinum-cli is not built";
    const test::TempFolder folder;
    SavedGame game;
    game.playerName = "Zoé";
    game.level = 5;
    game.counters = {.roundsPlayed = 14, .playerPoints = 4, .computerPoints = 2, .playerSets = 1, .computerSets = 0};
    game.vowelBag = {40, 90, 38, 33, 31, 2};
    game.consonantBag = {8, 15, 19, 8, 7, 2, 1, 0, 25, 14, 33, 13, 6, 30, 35, 29, 10, 1, 4, 2};
    game.radical = "fr";
    const std::string file = (folder / "partie.tiv").string();
    ASSERT_TRUE(SavedGame::Write(file, game).Ok());

    test::CliResult run = test::RunCli({"saved-game", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Joueur : Zoé\n"
                       "Niveau : 5 (expert)\n"
                       "Points de la manche : 4 - 2\n"
                       "Manches gagnées : 1 - 0\n"
                       "Tours joués : 14\n"
                       "Prochain tour : chiffres\n"
                       "Lexique : fr\n"
                       "Voyelles restantes : A 40 E 90 I 38 O 33 U 31 Y 2\n"
                       "Consonnes restantes : B 8 C 15 D 19 F 8 G 7 H 2 J 1 K 0 L 25 M 14 N 33 P 13 Q 6 R 30 S 35 "
                       "T 29 V 10 W 1 X 4 Z 2\n");

    run = test::RunCli({"saved-game", "--json", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "{\"player\": \"Zoé\", \"level\": 5, \"level_name\": \"expert\", \"player_points\": 4, "
                       "\"computer_points\": 2, \"player_sets\": 1, \"computer_sets\": 0, \"rounds_played\": 14, "
                       "\"next_round\": \"chiffres\", \"radical\": \"fr\", \"fields\": 34, \"vowels\": {\"A\": 40, "
                       "\"E\": 90, \"I\": 38, \"O\": 33, \"U\": 31, \"Y\": 2}, \"consonants\": {\"B\": 8, \"C\": 15, "
                       "\"D\": 19, \"F\": 8, \"G\": 7, \"H\": 2, \"J\": 1, \"K\": 0, \"L\": 25, \"M\": 14, \"N\": 33, "
                       "\"P\": 13, \"Q\": 6, \"R\": 30, \"S\": 35, \"T\": 29, \"V\": 10, \"W\": 1, \"X\": 4, "
                       "\"Z\": 2}}\n");

    folder.Write("abime.tiv", "pas une partie\r\n");
    run = test::RunCli({"saved-game", "--json", (folder / "abime.tiv").string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "lexinum-cli: Erreur de fichier:\nFichier partie hors d'usage.\n");
}

} // namespace
} // namespace lexinum
