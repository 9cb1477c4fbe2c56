// lexinum-cli given hostile arguments and places: output that cannot be
// written, arguments that would act on the terminal or flood it, options given
// the same way to every subcommand, and a lexicon that breaks while it is used.
#include "CliRunner.h"
#include "FixtureLexicon.h"
#include "TempFolder.h"

#include "common/ReadOnlyFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

using test::CliResult;
using test::RunCli;

class CliHostileInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::CliBuilt())
            GTEST_SKIP() << "lexinum-cli is not built";
    }

    const test::FixtureLexicon fixture{{"rats", "star", "tsar", "art", "rat"}};
    const std::string lexicon = fixture.Directory().string();
};

TEST_F(CliHostileInput, AResultThatCannotBeWrittenIsAFailure) {
    const test::TempFolder folder;
    folder.Write("mots.txt", "oui\nnon\n");
    const std::vector<std::vector<std::string>> commands = {
        {"letters", "--lexicon", lexicon, "TRAS"},
        {"computer-letters", "--lexicon", lexicon, "--level", "6", "TRAS"},
        {"check", "--lexicon", lexicon, "TRAS", "STAR"},
        {"numbers", "100", "75", "50", "25", "10", "1", "125"},
        {"computer-numbers", "--level", "6", "100", "75", "50", "25", "10", "1", "125"},
        {"draw-numbers", "--seed", "3"},
        {"build-lexicon", (folder / "mots.txt").string(), (folder / "lexique").string()},
        {"--help"},
        {"--version"},
    };
    for (const auto& args : commands) {
        const CliResult run = RunCli(args, "/dev/full");
        EXPECT_EQ(run.exitCode, 2) << args.front();
        EXPECT_NE(run.err.find("impossible d'écrire le résultat"), std::string::npos)
            << args.front() << ": " << run.err;
    }
}

TEST_F(CliHostileInput, ArgumentsAreShownEscapedAndCut) {
    // An escape sequence that would set the terminal's title, and a flood.
    const std::string title = "\x1B]0;pris\x07";
    const std::string flood(100 * 1024, 'A'); // the shell's command line holds it whole
    const std::vector<std::vector<std::string>> commands = {
        {"check", "--lexicon", lexicon, "TRAS", "\xC3" + title},
        {"letters", "--lexicon", lexicon, title},
        {"numbers", title, "2", "3", "4", "5", "6", "100"},
        {"draw-numbers", "--min", title},
        {"computer-letters", "--lexicon", lexicon, "--level", "1", "--seed", title, "TRAS"},
        {"build-lexicon", "--radical", title, "liste", "dossier"},
        {"--" + title},
        {"check", "--" + title},
    };
    for (const auto& args : commands) {
        const CliResult run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.front();
        EXPECT_EQ(run.err.find('\x1B'), std::string::npos) << args.front() << ": " << run.err;
        EXPECT_EQ(run.err.find('\x07'), std::string::npos) << args.front() << ": " << run.err;
        EXPECT_NE(run.err.find("\\x1B]0;pris\\x07"), std::string::npos) << args.front() << ": " << run.err;
    }
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"letters", "--lexicon", lexicon, flood}, {"numbers", flood, "2", "3", "4", "5", "6", "100"}, {flood}}) {
        const CliResult run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_LT(run.err.size(), 400u) << run.err.substr(0, 400);
        EXPECT_NE(run.err.find("(102400 octets)"), std::string::npos) << run.err.substr(0, 400);
    }
}

TEST_F(CliHostileInput, ArgumentsRepeatedInAResultOrAMessageAreEscapedToo) {
    const test::TempFolder folder;
    folder.Write("mots.txt", "oui\nnon\n");
    // A word that would set the terminal's title, repeated in the verdict.
    const CliResult check = RunCli({"check", "--lexicon", lexicon, "TRAS", "\x1B]0;X\x07"});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_EQ(check.out.find('\x1B'), std::string::npos) << check.out;
    EXPECT_EQ(check.out.find('\x07'), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("\\x1B]0;X\\x07"), std::string::npos) << check.out;

    // Folder names that would print a line of their own, or act on the terminal.
    const std::string fake = "\r\nlexinum-cli: faux";
    const CliResult built =
        RunCli({"build-lexicon", (folder / "mots.txt").string(), (folder / ("a\x1B[2J" + fake)).string()});
    EXPECT_EQ(built.exitCode, 0) << built.err;
    EXPECT_EQ(built.out.find("\nlexinum-cli: faux"), std::string::npos) << built.out;
    EXPECT_EQ(built.out.find('\x1B'), std::string::npos) << built.out;
    EXPECT_NE(built.out.find("\\x0D\\x0Alexinum-cli: faux"), std::string::npos) << built.out;
    EXPECT_EQ(std::count(built.out.begin(), built.out.end(), '\n'), 1) << built.out;

    // A file in the folder's place: the refusal names it.
    const fs::path notAFolder = folder.Write("c" + fake, "x");
    const CliResult refused = RunCli({"build-lexicon", (folder / "mots.txt").string(), notAFolder.string()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err.find("\nlexinum-cli: faux"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("\\x0D\\x0Alexinum-cli: faux"), std::string::npos) << refused.err;
}

TEST_F(CliHostileInput, ABuildThatRunsOutOfMemorySaysSo) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers reserve more memory than the limit given here";
#endif
    // A list of 48 MiB, built under a limit of 40 MB of memory.
    const test::TempFolder folder;
    std::string block;
    for (int i = 0; block.size() < (std::size_t{1} << 20); ++i)
        block += "mot" + std::to_string(i % 10) + "\n";
    {
        std::ofstream list(folder / "liste.txt", std::ios::binary);
        for (int i = 0; i < 48; ++i)
            list << block;
    }
    const std::string command = "ulimit -v 40000 && exec " + test::ShellQuote(LEXINUM_CLI_PATH) + " build-lexicon " +
                                test::ShellQuote((folder / "liste.txt").string()) + " " +
                                test::ShellQuote((folder / "lexique").string()) + " 2>" +
                                test::ShellQuote((folder / "erreur").string());
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal: " << status;
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const std::string error = folder.Read("erreur");
    EXPECT_NE(error.find("Mémoire insuffisante"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(folder / "lexique"));
}

TEST_F(CliHostileInput, EverySubcommandReadsItsOptionsTheSameWay) {
    const std::vector<std::vector<std::string>> prefixes = {
        {"letters", "--lexicon", lexicon},    {"computer-letters", "--lexicon", lexicon, "--level", "2"},
        {"check", "--lexicon", lexicon},      {"numbers"},
        {"computer-numbers", "--level", "2"}, {"draw-numbers"},
    };
    const std::vector<std::pair<std::string, std::string>> misuses = {
        {"--json=oui", "l'option --json ne prend pas de valeur"},
        {"--vite", "option inconnue « --vite »"},
    };
    for (const auto& prefix : prefixes) {
        for (const auto& [misuse, message] : misuses) {
            auto args = prefix;
            args.push_back(misuse);
            const CliResult run = RunCli(args);
            EXPECT_EQ(run.exitCode, 2) << prefix.front() << " " << misuse;
            EXPECT_NE(run.err.find(message), std::string::npos) << prefix.front() << ": " << run.err;
        }
    }
    // An empty value is no value: the shipped lexicon is not taken instead.
    for (const auto& args : std::vector<std::vector<std::string>>{{"check", "--lexicon=", "TRAS", "STAR"},
                                                                  {"letters", "--lexicon", "", "TRAS"},
                                                                  {"draw-numbers", "--seed="}}) {
        const CliResult run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2) << args[1];
        EXPECT_NE(run.err.find("attend une valeur"), std::string::npos) << run.err;
    }
    // A seed is read alike by every subcommand that takes one.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"computer-letters", "--lexicon", lexicon, "--level", "2", "--seed=-1", "TRAS"},
             {"computer-numbers", "--level", "2", "--seed", "4294967296", "1", "2", "3", "4", "5", "6", "100"},
             {"draw-numbers", "--seed", "1e3"}}) {
        const CliResult run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.front();
        EXPECT_NE(run.err.find("n'est pas une graine valable : un entier de 0 à 4294967295"), std::string::npos)
            << args.front() << ": " << run.err;
    }
    const CliResult replay = RunCli({"draw-numbers", "--seed=4294967295", "--json"});
    EXPECT_EQ(replay.exitCode, 0) << replay.err;
    EXPECT_EQ(RunCli({"draw-numbers", "--json", "--seed", "4294967295"}).out, replay.out);
}

TEST_F(CliHostileInput, ACheckThatCannotJudgeSaysWhyWithoutAVerdict) {
    // An over-long two-byte "E" is no letter.
    CliResult run = RunCli({"check", "--lexicon", lexicon, "TRAS", "\xC1\x85T"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("caractères que le jeu ne connaît pas"), std::string::npos) << run.err;

    // The file of the four-letter keys no longer begins where the index says.
    const LexiconSet set = fixture.Load();
    const fs::path file = set.LexFilePath(set.FindLexFile("ARST", 4, 0));
    std::string bytes;
    ASSERT_TRUE(ReadOnlyFile::ReadAll(file, bytes));
    ASSERT_TRUE(ReadOnlyFile::Replace(file, "AARS sara\r\n" + bytes, true));
    run = RunCli({"check", "--lexicon", lexicon, "TRAS", "STAR"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Lexique endommagé : " + file.string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("lexinum-cli build-lexicon"), std::string::npos) << run.err;

    // An index that cannot be read is said to be so.
    const fs::path index = fixture.Directory() / "lex.ini";
    ReadOnlyFile::MakeWritable(index);
    fs::remove(index);
    fs::create_directory(index);
    run = RunCli({"check", "--lexicon", lexicon, "TRAS", "STAR"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Impossible de lire " + index.string() + " : ce n'est pas un fichier ordinaire"),
              std::string::npos)
        << run.err;
}

TEST_F(CliHostileInput, BuildLexiconTellsWhatItLeftOutAndWhyItStopped) {
    const test::TempFolder folder;
    folder.Write("latin1.txt", "\xE9t\xE9\nabc\n\xE0 la\nch\xE2teau\n");
    CliResult run = RunCli({"build-lexicon", (folder / "latin1.txt").string(), (folder / "lex").string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("3 ligne(s) de la liste ne sont pas en UTF-8"), std::string::npos) << run.err;

    // A folder holding the word list itself is not emptied; the message is on one line.
    folder.Write("lex/mots.lex", "oui\nnon\n");
    run = RunCli({"build-lexicon", (folder / "lex/mots.lex").string(), (folder / "lex").string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("mots.lex"), std::string::npos) << run.err;
    EXPECT_EQ(folder.Read("lex/mots.lex"), "oui\nnon\n");
    EXPECT_TRUE(fs::exists(folder / "lex/fr01.lex"));
    ASSERT_EQ(::mkfifo((folder / "tube").c_str(), 0644), 0);
    run = RunCli({"build-lexicon", (folder / "tube").string(), (folder / "autre").string()});
    EXPECT_EQ(run.exitCode, 2) << "a pipe given as the list does not block";
    EXPECT_NE(run.err.find("ce n'est pas un fichier ordinaire"), std::string::npos) << run.err;
}

} // namespace
} // namespace lexinum
