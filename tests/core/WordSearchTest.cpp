// The longest-word search against a brute-force search over fixture lexicons,
// the texts it hands over, its bounds and the computer's hidden files.
#include "FixtureLexicon.h"
#include "TempFolder.h"

#include "common/Cp1252.h"
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexiconBuilder.h"
#include "lexicon/WordSearch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>

namespace lexinum {
namespace {

using test::FixtureLexicon;
using Strategy = WordSearch::Strategy;
using Groups = std::map<int, std::multiset<std::string>, std::greater<>>;
constexpr Strategy kAllStrategies[] = {Strategy::Automatic, Strategy::EnumerateKeys, Strategy::LeapKeys,
                                       Strategy::ScanLines};

struct SolutionsRun {
    std::vector<std::pair<int, std::vector<std::string>>> groups; // as handed over, in order
    std::string text;
    std::string message;
};

// Runs the solutions search to its end, taking every batch as the pane does.
SolutionsRun RunSolutions(WordSearch& search) {
    SearchChannel channel;
    search.StartSolutions(channel);
    SolutionsRun run;
    while (channel.WaitBatch()) {
        run.text += channel.TakeText();
        if (search.GroupLength() > 0)
            run.groups.emplace_back(search.GroupLength(), search.Solutions());
        const bool last = channel.Complete();
        channel.Continue();
        if (last)
            break;
    }
    channel.Join();
    run.message = channel.TakeWorkerMessage();
    return run;
}

// Runs the computer's search; returns its length, word and text.
std::tuple<int, std::string, std::string> RunComputer(WordSearch& search) {
    SearchChannel channel;
    search.StartComputer(channel);
    EXPECT_TRUE(channel.WaitComputer());
    channel.Join();
    return {search.BestLength(), search.ComputerWord(), channel.TakeText()};
}

bool Fits(const std::string& key, std::string letters) {
    for (const char c : key) {
        const auto at = letters.find(c);
        if (at == std::string::npos)
            return false;
        letters.erase(at, 1);
    }
    return true;
}

// Random words over a French-looking alphabet, some with accents (UTF-8).
std::vector<std::string> RandomWords(std::mt19937& random, int count) {
    static const std::vector<std::string> alphabet = {"e", "e", "e", "a", "a", "i", "i", "o", "u", "n", "n",
                                                      "r", "r", "s", "s", "t", "t", "l", "c", "d", "m", "p",
                                                      "b", "g", "v", "z", "é", "è", "à", "ç", "ê", "ï"};
    std::vector<std::string> words(static_cast<std::size_t>(count));
    for (auto& word : words)
        for (int n = 2 + static_cast<int>(random() % 10); n > 0; --n)
            word += alphabet[random() % alphabet.size()];
    return words;
}

std::string RandomDraw(std::mt19937& random, int size) {
    static const std::string pool = "EEEEAAIIOUNNRRSSTTLCDMPBGVZ";
    std::string draw;
    for (int i = 0; i < size; ++i)
        draw += pool[random() % pool.size()];
    return draw;
}

// The words of `kept` (lexicon bytes) that the draw can write, by length, longest first.
Groups BruteForce(const std::vector<std::string>& kept, const std::string& draw) {
    Groups groups;
    for (const std::string& word : kept)
        if (Fits(MakeKey(word), draw))
            groups[static_cast<int>(word.size())].insert(word);
    return groups;
}

// Checks the groups of a run against a brute-force search: same lengths, same
// words, each group sorted as its folded letters. Returns the groups seen.
int ExpectSameGroups(const SolutionsRun& run, const Groups& expected, const std::string& draw) {
    EXPECT_EQ(run.message, "");
    EXPECT_EQ(run.groups.size(), expected.size()) << draw;
    auto want = expected.begin();
    for (std::size_t i = 0; i < run.groups.size() && want != expected.end(); ++i, ++want) {
        const auto& [length, words] = run.groups[i];
        EXPECT_EQ(length, want->first) << draw;
        EXPECT_EQ(std::multiset<std::string>(words.begin(), words.end()), want->second) << draw << " " << length;
        std::vector<std::string> folded = words;
        for (auto& word : folded)
            FoldText(word);
        EXPECT_TRUE(std::is_sorted(folded.begin(), folded.end())) << draw;
    }
    if (expected.empty()) {
        EXPECT_EQ(run.text, WordSearch::kNoWordText);
    }
    return static_cast<int>(run.groups.size());
}

// One lexicon of random words, shared by the tests.
struct RandomLexicon {
    std::vector<std::string> words;
    FixtureLexicon fixture;
    LexiconSet lexicon;
    std::vector<std::string> kept; // the lexicon's spelling of each word kept, once
    RandomLexicon() : words(Make()), fixture(words), lexicon(fixture.Load()) {
        const auto& left = fixture.Summary().overflowWords;
        std::set<std::string> seen;
        for (const auto& word : words) {
            const auto spelling = LexiconBuilder::LexiconSpelling(word);
            if (spelling && std::find(left.begin(), left.end(), word) == left.end() && seen.insert(*spelling).second)
                kept.push_back(*spelling);
        }
    }
    static std::vector<std::string> Make() {
        std::mt19937 random(7);
        return RandomWords(random, 2500);
    }
};

const RandomLexicon& Shared() {
    static const RandomLexicon shared;
    return shared;
}

TEST(WordSearchKeys, EveryCandidateKeyOnceInAscendingOrder) {
    LexiconSet none;
    WordSearch search(none);
    ASSERT_TRUE(search.PrepareLetters("ABA"));
    EXPECT_EQ(search.CandidateKeys(2), (std::vector<std::string>{"AA", "AB"}));
    ASSERT_TRUE(search.PrepareLetters("ABCD"));
    EXPECT_EQ(search.CandidateKeys(2), (std::vector<std::string>{"AB", "AC", "AD", "BC", "BD", "CD"}));
    std::mt19937 random(20261207);
    for (int round = 0; round < 60; ++round) {
        const std::string draw = RandomDraw(random, 2 + round % 13);
        ASSERT_TRUE(search.PrepareLetters(draw));
        for (int length = 1; length <= static_cast<int>(draw.size()); ++length) {
            std::set<std::string> expected;
            for (std::uint32_t mask = 0; mask < (1U << draw.size()); ++mask) {
                std::string key;
                for (std::size_t i = 0; i < draw.size(); ++i)
                    if ((mask >> i & 1U) != 0)
                        key += draw[i];
                std::sort(key.begin(), key.end());
                if (static_cast<int>(key.size()) == length)
                    expected.insert(key);
            }
            EXPECT_EQ(search.CandidateKeys(length), std::vector<std::string>(expected.begin(), expected.end()));
            EXPECT_EQ(search.CandidateCount(length), expected.size()) << draw << " " << length;
        }
    }
    EXPECT_FALSE(search.PrepareLetters("AB1"));
    EXPECT_FALSE(search.PrepareLetters("abc"));
    EXPECT_FALSE(search.PrepareLetters(std::string(28, 'E')));
    EXPECT_EQ(search.SortedLetters(), "");
}

class WordSearchBruteForce : public ::testing::TestWithParam<Strategy> {};

TEST_P(WordSearchBruteForce, SameGroupsAsBruteForce) {
    const RandomLexicon& shared = Shared();
    ASSERT_GT(shared.lexicon.FileCount(), 20);
    WordSearch search(shared.lexicon);
    search.SetStrategy(GetParam());
    std::mt19937 random(8);
    int groups = 0;
    for (int round = 0; round < 40; ++round) {
        const std::string draw = RandomDraw(random, 2 + round % 14);
        ASSERT_TRUE(search.PrepareLetters(draw));
        groups += ExpectSameGroups(RunSolutions(search), BruteForce(shared.kept, draw), draw);
    }
    EXPECT_GT(groups, 60);
}

INSTANTIATE_TEST_SUITE_P(WordSearchStrategies, WordSearchBruteForce, ::testing::ValuesIn(kAllStrategies));

TEST(WordSearchBruteForce, FilesHoldingEveryLengthGiveTheSameGroups) {
    // The whole lexicon in ascending key order across 7 files, lengths mixed.
    std::mt19937 random(31);
    std::map<std::string, std::vector<std::string>> lines;
    std::vector<std::string> kept;
    for (const auto& word : RandomWords(random, 1500)) {
        const std::string spelling = LexiconBuilder::LexiconSpelling(word).value();
        auto& line = lines[MakeKey(spelling)];
        if (line.size() < 5 && std::find(line.begin(), line.end(), spelling) == line.end()) {
            line.push_back(spelling);
            kept.push_back(spelling);
        }
    }
    const int files = 7;
    std::vector<std::string> text(files);
    std::string index = "[lexiques]\nnb_of_lexs=7\nlex_rad=fr\n[first entries]\n";
    std::map<int, std::pair<int, int>> ranges;
    std::size_t n = 0;
    for (const auto& [key, words] : lines) {
        const int file = static_cast<int>(n++ * files / lines.size());
        if (text[static_cast<std::size_t>(file)].empty())
            index += std::to_string(file + 1) + "=" + key + "\n";
        text[static_cast<std::size_t>(file)] += key;
        for (const auto& word : words)
            text[static_cast<std::size_t>(file)].append(" ").append(word);
        text[static_cast<std::size_t>(file)] += "\r\n";
        ranges.try_emplace(static_cast<int>(key.size()), file + 1, file + 1).first->second.second = file + 1;
    }
    std::string first = "[first]\n", last = "[last]\n", weights = "[nb voyelles]\n";
    for (int length = 2; length <= 27; ++length) {
        const auto range = ranges.count(length) != 0 ? ranges[length] : std::pair{1, 1};
        first += std::to_string(length) + "=" + std::to_string(range.first) + "\n";
        last += std::to_string(length) + "=" + std::to_string(range.second) + "\n";
    }
    for (const char c : std::string("AEIOUY*BCDFGHJKLMNPQRSTVWXZ"))
        weights += c == '*' ? std::string("[nb consonnes]\n") : std::string(1, c) + "=1\n";
    test::TempFolder folder;
    for (int file = 0; file < files; ++file)
        folder.Write(std::string("fr0").append(std::to_string(file + 1)).append(".lex"),
                     text[static_cast<std::size_t>(file)]);
    folder.Write("lex.ini", index + first + last + weights);
    LexiconSet lexicon;
    ASSERT_TRUE(lexicon.ReadLexIni(folder.Path()).Complete());

    int groups = 0;
    for (const Strategy strategy : kAllStrategies) {
        WordSearch search(lexicon);
        search.SetStrategy(strategy);
        for (int round = 0; round < 25; ++round) {
            const std::string draw = RandomDraw(random, 3 + round % 12);
            ASSERT_TRUE(search.PrepareLetters(draw));
            groups += ExpectSameGroups(RunSolutions(search), BruteForce(kept, draw), draw);
        }
    }
    EXPECT_GT(groups, 100);
}

TEST(WordSearchTexts, GroupsHeadersAndClosingTexts) {
    const FixtureLexicon fixture({"rats", "star", "tsar", "art", "rat", "tsé", "été", "as", "sa", "ta"});
    const LexiconSet lexicon = fixture.Load();
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    EXPECT_EQ(RunSolutions(search).text,
              " 4 lettres:   \r\nrats star tsar \r\n 3 lettres:   \r\nart rat \r\n 2 lettres:   \r\nas sa ta ");
    // Accented spellings reach the text as UTF-8, sorted as their plain letters;
    // a last group longer than two letters is followed by the closing text.
    ASSERT_TRUE(search.PrepareLetters("ESTE"));
    EXPECT_EQ(RunSolutions(search).text, " 3 lettres:   \r\nété tsé \r\n Plus de solutions...\r\n");
    // No word at all, in either search.
    ASSERT_TRUE(search.PrepareLetters("XYZKW"));
    EXPECT_EQ(RunSolutions(search).text, "Pas de mots de plus d'une lettre.\r\n");
    EXPECT_EQ(RunComputer(search), std::make_tuple(0, std::string(), std::string(WordSearch::kNoWordText)));

    // A damaged line holding a key and no word is no hit (no empty group).
    const auto file = lexicon.LexFilePath(lexicon.FindLexFile("ARST", 4, 0));
    std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "ARST \r\n";
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    EXPECT_TRUE(RunSolutions(search).text.starts_with(" 3 lettres:   \r\nart rat \r\n"));

    std::vector<std::string> words = {Cp1252::FromUtf8("étai").value(), "etage", Cp1252::FromUtf8("été").value(), "ete",
                                      "eta"};
    WordSearch::SortGroup(words);
    EXPECT_EQ(Cp1252::ToUtf8(words[2]), "étai");
    EXPECT_EQ(words[0] + words[1] + words[4], "etaetageete"); // equal once folded: first come, first shown
}

TEST(WordSearchBounds, ShownTextAndGroupSizeAreBounded) {
    const std::string remark = WordSearch::kTooManyText;
    std::string text;
    WordSearch::AppendList(text, {"aaaaaaaaaa", "bbbbbbbbbb"});
    EXPECT_EQ(text, "aaaaaaaaaa bbbbbbbbbb ");
    // Ten-letter words: 12 + 11 per word stays below 3000 for 272 words.
    text.clear();
    WordSearch::AppendList(text, std::vector<std::string>(300, "abcdefghij"));
    EXPECT_EQ(text, [] {
        std::string shown;
        for (int i = 0; i < 272; ++i)
            shown += "abcdefghij ";
        return shown;
    }() + remark);

    // 720 arrangements of three different letters out of ten: 120 keys of 6 words.
    std::vector<std::string> words;
    std::map<std::string, std::vector<std::string>> byKey;
    for (char a = 'a'; a <= 'j'; ++a)
        for (char b = 'a'; b <= 'j'; ++b)
            for (char c = 'a'; c <= 'j'; ++c)
                if (a != b && b != c && a != c) {
                    words.push_back({a, b, c});
                    byKey[MakeKey(words.back())].push_back(words.back());
                }
    // The first 600 in lexicon order stay, then sorted.
    std::vector<std::string> expected;
    for (const auto& [key, line] : byKey)
        for (const auto& word : line)
            if (expected.size() < 600)
                expected.push_back(word);
    std::sort(expected.begin(), expected.end());
    const FixtureLexicon fixture(words);
    const LexiconSet lexicon = fixture.Load();
    for (const Strategy strategy : kAllStrategies) {
        WordSearch search(lexicon);
        search.SetStrategy(strategy);
        ASSERT_TRUE(search.PrepareLetters("JIHGFEDCBA"));
        const SolutionsRun run = RunSolutions(search);
        ASSERT_EQ(run.groups.size(), 1U);
        EXPECT_EQ(run.groups[0].second, expected);
        EXPECT_TRUE(run.text.ends_with(remark + "\r\n Plus de solutions...\r\n"));
        EXPECT_EQ(search.CandidateKeys(3).size(), 120U); // a full group left behind stops nothing
    }
}

TEST(WordSearchLevels, HiddenFilesByLevel) {
    LexiconSet none;
    WordSearch search(none);
    Random15::Seed(17);
    std::array<int, 32> hidden{};
    for (int round = 0; round < 3200; ++round) {
        const int level = round < 120 ? 1 + round % 6 : 5;
        search.ChooseHiddenFiles(level);
        ASSERT_EQ(std::popcount(search.HiddenFiles()), 32 - (1 << (level - 1))) << level;
        for (int bit = 0; bit < 32 && round >= 120; ++bit)
            hidden[static_cast<std::size_t>(bit)] += static_cast<int>(search.HiddenFiles() >> bit & 1U);
    }
    for (int bit = 0; bit < 32; ++bit) // each bit as likely as any other: half the time at level 5
        EXPECT_NEAR(hidden[static_cast<std::size_t>(bit)], 1540, 310) << "bit " << bit;

    // File f is bit (33 - f) mod 32, wrapping round past file 33; file 1 is always read.
    search.SetHiddenFiles(1U << 31);
    EXPECT_TRUE(search.IsFileHidden(2) && search.IsFileHidden(34) && !search.IsFileHidden(3));
    search.SetHiddenFiles(1U << 25);
    EXPECT_TRUE(search.IsFileHidden(8) && search.IsFileHidden(40) && !search.IsFileHidden(41));
    search.SetHiddenFiles(1U);
    EXPECT_TRUE(search.IsFileHidden(33) && search.IsFileHidden(97) && !search.IsFileHidden(1));
}

TEST(WordSearchLevels, ComputerPlaysALongestWordOfTheFilesItMayRead) {
    const RandomLexicon& shared = Shared();
    std::mt19937 random(1234);
    Random15::Seed(77);
    int beaten = 0;
    for (int round = 0; round < 60; ++round) {
        const std::string draw = RandomDraw(random, 9 + round % 5);
        WordSearch search(shared.lexicon);
        search.SetStrategy(kAllStrategies[round % 4]);
        ASSERT_TRUE(search.PrepareLetters(draw));
        search.ChooseHiddenFiles(1 + round % 6);
        std::vector<std::string> readable;
        for (const auto& word : shared.kept)
            if (!search.IsFileHidden(shared.lexicon.FindLexFile(MakeKey(word), static_cast<int>(word.size()), 0)))
                readable.push_back(word);
        const Groups all = BruteForce(shared.kept, draw);
        const Groups expected = BruteForce(readable, draw);
        const auto [length, word, text] = RunComputer(search);
        if (expected.empty()) {
            EXPECT_EQ(length, 0) << draw;
            continue;
        }
        EXPECT_EQ(length, expected.begin()->first) << draw;
        EXPECT_EQ(expected.begin()->second.count(word), 1U) << draw << " " << word;
        EXPECT_EQ(text, std::string(" ")
                            .append(std::to_string(length))
                            .append(" lettres:   \r\n")
                            .append(Cp1252::ToUtf8(word) + "\r\n"));
        beaten += length < all.begin()->first ? 1 : 0;
    }
    EXPECT_GT(beaten, 5); // hiding files does cost the computer its best words
}

} // namespace
} // namespace lexinum
