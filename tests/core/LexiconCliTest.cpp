#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

using test::CliResult;

class LexiconCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::CliBuilt())
            GTEST_SKIP() << "lexinum-cli is not built";
        folder.Write("mots.txt", "\xC3\xA9l\xC3\xA8ve\nl\xC3\xA8ve\ntoile\n\xC3\xA9toile\nJean\n");
        lexicon = (folder / "nouveau/lexiques").string();
        const CliResult built =
            test::RunCli("build-lexicon '" + (folder / "mots.txt").string() + "' '" + lexicon + "'");
        ASSERT_EQ(built.exitCode, 0) << built.err;
        EXPECT_NE(built.out.find("4 fichiers"), std::string::npos) << built.out;
    }

    test::TempFolder folder;
    std::string lexicon;
};

TEST_F(LexiconCli, ChecksAWordInPlainTextAndInJson) {
    CliResult run = test::RunCli("check --lexicon '" + lexicon + "' eleveabc ELEVE");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, " ELEVE accept\xC3\xA9.\n (5 lettres)\n");
    run = test::RunCli("check --json --lexicon='" + lexicon + "' ELEVEABC '\xC3\xA9l\xC3\xA8ve'");
    EXPECT_EQ(run.out, "{\"result\": 1, \"text\": \" ELEVE accept\xC3\xA9.\\r\\n (5 lettres)\\r\\n\"}\n");
    run = test::RunCli("check --json --lexicon '" + lexicon + "' TOILE TOLE");
    EXPECT_EQ(run.out, "{\"result\": -1, \"text\": \" TOLE refus\xC3\xA9:\\r\\n       Mot inconnu.\\r\\n\"}\n");
    run = test::RunCli("check --json --lexicon '" + lexicon + "' TOILE ''");
    EXPECT_EQ(run.out, "{\"result\": -3, \"text\": \" Aucune r\xC3\xA9ponse donn\xC3\xA9"
                       "e.\\r\\n\"}\n");
}

TEST_F(LexiconCli, RefusesBadInputWithAFrenchMessage) {
    for (const std::string& letters : std::vector<std::string>{"A", "ABC1", "\xC3\x89LEVE", std::string(28, 'A')}) {
        const CliResult run = test::RunCli("check --lexicon '" + lexicon + "' '" + letters + "' AB");
        EXPECT_NE(run.exitCode, 0) << letters;
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("lettres"), std::string::npos) << run.err;
    }
    CliResult run = test::RunCli("check --lexicon '" + (folder / "nulle-part").string() + "' ABC AB");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("pas d'ensemble complet de fichiers lexique"), std::string::npos) << run.err;
    run = test::RunCli("check --vite ABC AB");
    EXPECT_NE(run.err.find("option inconnue"), std::string::npos) << run.err;
    run = test::RunCli("build-lexicon '" + (folder / "absente.txt").string() + "' '" + lexicon + "'");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("Impossible de lire la liste de mots"), std::string::npos) << run.err;
}

} // namespace
} // namespace lexinum
