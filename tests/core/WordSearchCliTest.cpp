// lexinum-cli letters and computer-letters: the output a program reads, the
// refusals, and the shipped lexicon against a direct scan of the word list.
#include "CliRunner.h"
#include "FixtureLexicon.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

using Output = test::CliResult;
using test::RunCli;

// The groups of a letters JSON answer, in the order given.
std::vector<std::pair<int, std::set<std::string>>> GroupsOf(const std::string& json) {
    static const std::regex group(R"(\{"length": (\d+), "words": \[([^\]]*)\]\})");
    static const std::regex word(R"re("([^"]*)")re");
    std::vector<std::pair<int, std::set<std::string>>> groups;
    for (std::sregex_iterator g(json.begin(), json.end(), group), end; g != end; ++g) {
        const std::string words = (*g)[2];
        std::set<std::string> found;
        for (std::sregex_iterator w(words.begin(), words.end(), word); w != end; ++w)
            found.insert((*w)[1]);
        groups.emplace_back(std::stoi((*g)[1]), found);
    }
    return groups;
}

const std::vector<std::string> kWords = {"rats", "star", "tsar", "art", "rat", "été", "tsé"};

TEST(WordSearchCli, LettersAndComputerLetters) {
    const test::FixtureLexicon fixture(kWords);
    const std::string lexicon = fixture.Directory().string();
    const Output plain = RunCli({"letters", "--lexicon", lexicon, "tras"});
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.out, " 4 lettres:   \nrats star tsar \n 3 lettres:   \nart rat \n Plus de solutions...\n");
    EXPECT_EQ(RunCli({"letters", "--json", "--lexicon", lexicon, "ESTE"}).out,
              "{\"letters\": \"ESTE\", \"groups\": [{\"length\": 3, \"words\": [\"été\", \"tsé\"]}]}\n");
    EXPECT_EQ(RunCli({"letters", "--json", "--lexicon", lexicon, "XYZ"}).out,
              "{\"letters\": \"XYZ\", \"groups\": []}\n");

    const Output best = RunCli({"computer-letters", "--lexicon", lexicon, "--level", "6", "--json", "TRAS"});
    const std::regex bestWord(R"re(\{"length": 4, "word": "(rats|star|tsar)", "hidden_files": \[\]\}\n)re");
    EXPECT_TRUE(std::regex_match(best.out, bestWord)) << best.out << best.err;
    const std::vector<std::string> replay = {"computer-letters", "--lexicon", lexicon,  "--level", "2",
                                             "--seed",           "42",        "--json", "TRAS"};
    const Output first = RunCli(replay);
    EXPECT_EQ(RunCli(replay).out, first.out);
    EXPECT_NE(first.out.find("\"hidden_files\": [2"), std::string::npos) << first.out;
    EXPECT_EQ(RunCli({"computer-letters", "--lexicon", lexicon, "--level", "6", "XYZ"}).out,
              "Pas de mots de plus d'une lettre.\n");
}

TEST(WordSearchCli, RefusesBadArgumentsWithAMessage) {
    const test::FixtureLexicon fixture(kWords);
    const std::string lexicon = fixture.Directory().string();
    const std::vector<std::vector<std::string>> refused = {
        {"letters", "--lexicon", lexicon, "A"},
        {"letters", "--lexicon", lexicon, "AB-C"},
        {"letters", "--lexicon", lexicon, "ÉTÉ"},
        {"letters", "--lexicon", lexicon, std::string(28, 'E')},
        {"letters", "--lexicon", lexicon},
        {"letters", "--lexicon", lexicon, "ABC", "DEF"},
        {"letters", "--lexicon", (fixture.Folder() / "absent").string(), "ABC"},
        {"letters", "--level", "3", "ABC"},
        {"computer-letters", "--lexicon", lexicon, "TRAS"},
        {"computer-letters", "--lexicon", lexicon, "--level", "7", "TRAS"},
        {"computer-letters", "--lexicon", lexicon, "--level", "0", "TRAS"},
        {"computer-letters", "--lexicon", lexicon, "--level", "3", "--seed", "-1", "TRAS"},
        {"computer-letters", "--lexicon", lexicon, "--level", "3", "--seed", "x", "TRAS"},
    };
    for (const auto& args : refused) {
        const Output result = RunCli(args);
        EXPECT_NE(result.exitCode, 0) << args.back();
        EXPECT_EQ(result.out, "") << args.back();
        EXPECT_TRUE(result.err.starts_with("lexinum-cli: ")) << result.err;
    }
}

TEST(WordSearchCli, UnreadableLexiconFileIsAnError) {
    const test::FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    // The file of the four-letter key is there for the index but cannot be read.
    const fs::path file = lexicon.LexFilePath(lexicon.FindLexFile("ARST", 4, 0));
    ASSERT_TRUE(fs::remove(file));
    fs::create_directory(file);
    for (const std::string command : {"letters", "computer-letters", "check"}) {
        std::vector<std::string> args = {command, "--lexicon", fixture.Directory().string(), "TRAS"};
        if (command == "computer-letters")
            args.insert(args.begin() + 1, {"--level", "6"});
        if (command == "check")
            args.push_back("STAR");
        const Output result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << command;
        EXPECT_EQ(result.out, "") << command << ": a failure is no verdict";
        EXPECT_EQ(result.err, "lexinum-cli: Lexique perdu. Impossible de lire " + file.string() +
                                  " : ce n'est pas un fichier ordinaire (dossier, tube ou périphérique).\n"
                                  "Vérifiez le dossier du lexique (--lexicon) ou reconstruisez-le avec « lexinum-cli "
                                  "build-lexicon ».\n")
            << command;
    }
}

// Letters of a word of the list the way the lexicon files them: small letters
// a-z and the accented ones that fold to them; anything else leaves the word out.
bool FoldedLetters(const std::string& word, std::string& letters) {
    static const std::map<std::string, char> accented = {{"à", 'A'}, {"â", 'A'}, {"ä", 'A'}, {"ç", 'C'}, {"è", 'E'},
                                                         {"é", 'E'}, {"ê", 'E'}, {"ë", 'E'}, {"î", 'I'}, {"ï", 'I'},
                                                         {"ô", 'O'}, {"ö", 'O'}, {"ù", 'U'}, {"û", 'U'}, {"ü", 'U'}};
    letters.clear();
    for (std::size_t i = 0; i < word.size();) {
        const char c = word[i];
        if (c >= 'a' && c <= 'z') {
            letters += static_cast<char>(c - 'a' + 'A');
            ++i;
            continue;
        }
        const auto found = accented.find(word.substr(i, 2));
        if (found == accented.end())
            return false;
        letters += found->second;
        i += 2;
    }
    return letters.size() >= 2 && letters.size() <= 27;
}

TEST(WordSearchCli, ShippedLexiconAgreesWithTheWordList) {
    const fs::path shipped = LEXINUM_SHIPPED_LEXICON_DIR;
    const fs::path wordList = "/usr/share/dict/french";
    if (!fs::exists(shipped / "lex.ini") || !fs::exists(wordList))
        GTEST_SKIP() << "no shipped lexicon at " << shipped << " or no word list at " << wordList;
    const std::string draw = "AEEILNRST";
    std::map<int, std::set<std::string>, std::greater<>> expected;
    std::ifstream list(wordList);
    std::string word;
    std::string letters;
    while (std::getline(list, word)) {
        std::string left = draw;
        const auto fits = [&left](char c) {
            const auto at = left.find(c);
            return at != std::string::npos && left.erase(at, 1).size() < 27;
        };
        if (FoldedLetters(word, letters) && std::all_of(letters.begin(), letters.end(), fits))
            expected[static_cast<int>(letters.size())].insert(word);
    }
    ASSERT_FALSE(expected.empty());

    const Output result = RunCli({"letters", "--json", "--lexicon", shipped.string(), draw});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto groups = GroupsOf(result.out);
    ASSERT_EQ(groups.size(), expected.size());
    auto want = expected.begin();
    for (const auto& [length, words] : groups) {
        EXPECT_EQ(length, want->first);
        ASSERT_LE(want->second.size(), 600U) << "a group too large to be listed whole";
        EXPECT_EQ(words, want->second) << "length " << length;
        ++want;
    }
}

} // namespace
} // namespace lexinum
