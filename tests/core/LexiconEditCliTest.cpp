// add-words and remove-words on the command line: the words that pass go in,
// each refused one is named with its reason, and the exit code tells which.
#include "CliRunner.h"
#include "FixtureLexicon.h"
#include "TempFolder.h"

#include "lexicon/LexiconEditor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LexiconEditCli, AddsAndRemovesWordsAndTellsEachRefusal) {
    if (!test::CliBuilt())
        GTEST_SKIP() << "lexinum-cli is not built";
    const test::FixtureLexicon fixture({"ami", "sel", "rate", "tare", "tordu", "fleurs"}, "fr", 1, 4);
    const std::string dir = fixture.Directory().string();
    const fs::path list = fixture.Folder() / "liste.txt";
    std::ofstream(list, std::ios::binary) << "selfie\r\n\r\nbai\n";

    struct Step {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::vector<std::string> errHas;
    };
    const Step steps[] = {
        // "porte-clé" is split like the game's dialog splits it.
        {{"add-words", "--lexicon", dir, "porte-clé", "--from", list.string()},
         0,
         "ajouté : porte\najouté : clé\najouté : selfie\najouté : bai\n",
         {"journal"}},
        {{"add-words", "--lexicon", dir, "sel", "x", "épée"},
         1,
         "ajouté : épée\n",
         {"\"sel\" appartient déjà au lexique", "au moins deux lettres"}},
        {{"remove-words", "--lexicon", dir, "selfie", "zut"}, 1, "supprimé : selfie\n", {"\"zut\" n'appartient pas"}},
        {{"remove-words", "--lexicon", (fixture.Folder() / "nulle-part").string(), "sel"},
         2,
         "",
         {"Lexique inutilisable"}},
        {{"add-words", "--lexicon", dir}, 2, "", {"usage"}},
    };
    for (const Step& step : steps) {
        const test::CliResult run = test::RunCli(step.args);
        EXPECT_EQ(run.exitCode, step.exitCode) << step.args[0] << " " << run.err;
        EXPECT_EQ(run.out, step.out);
        for (const std::string& part : step.errHas)
            EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    }
    // The journal holds the changes made, and only them.
    const std::string journal = Read(fixture.Directory() / LexiconEditor::kJournalName);
    std::size_t lines = 0;
    for (std::size_t at = journal.find("\r\n"); at != std::string::npos; at = journal.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 2u + 6u) << journal;
    EXPECT_NE(journal.find("selfie" + std::string(22, ' ') + "supprim\xE9 le "), std::string::npos);
    EXPECT_EQ(journal.find("zut"), std::string::npos);
}

// Without --lexicon the words go to the lexicon the game plays with: the
// folder its settings name, or the player's own copy, made from the shipped
// lexicon when missing. The shipped lexicon itself is never changed.
TEST(LexiconEditCli, WithoutAFolderChangesThePlayersLexiconNeverTheShippedOne) {
    const fs::path shipped = LEXINUM_SHIPPED_LEXICON_DIR;
    if (!test::CliBuilt() || !fs::exists(shipped / "lex.ini"))
        GTEST_SKIP() << "lexinum-cli or the shipped lexicon is not built";
    const test::TempFolder home;
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    const auto journalOf = [](const fs::path& folder) {
        return fs::exists(folder / "lex.log") ? Read(folder / "lex.log") : std::string();
    };
    const std::string shippedJournal = journalOf(shipped);

    test::CliResult run = test::RunCli(std::vector<std::string>{"add-words", "zyxwab"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const fs::path player = home / "data" / "lexinum" / "lexiques";
    EXPECT_NE(journalOf(player).find("zyxwab"), std::string::npos);

    // The folder the settings name.
    const test::FixtureLexicon chosen({"ami", "sel"}, "fr", 1, 2);
    fs::create_directories(home / "config" / "lexinum");
    std::ofstream(home / "config" / "lexinum" / "tiv.ini", std::ios::binary)
        << "[LETTRES]\r\nlexiques=" << chosen.Directory().string() << "\r\n";
    run = test::RunCli(std::vector<std::string>{"add-words", "tordu"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(journalOf(chosen.Directory()).find("tordu"), std::string::npos);

    EXPECT_EQ(journalOf(shipped), shippedJournal);
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace lexinum
