// The longest-word search against a plain brute-force search over fixture
// lexicons, and the texts it hands over.
#include "FixtureLexicon.h"
#include "TempFolder.h"

#include "common/Cp1252.h"
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexiconBuilder.h"
#include "lexicon/WordSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace lexinum {
namespace {

using test::FixtureLexicon;

struct Group {
    int length = 0;
    std::vector<std::string> words;
};

struct SolutionsRun {
    std::vector<Group> groups;
    std::string text;
    std::string message;
};

// Runs the solutions search to its end, taking every batch as the pane does.
SolutionsRun RunSolutions(WordSearch& search) {
    std::string solverText;
    SearchChannel channel(solverText);
    channel.Start([&search](SearchChannel& worker) { search.SolutionsWorker(worker); });
    SolutionsRun run;
    while (channel.WaitBatch()) {
        run.text += channel.TakeText();
        if (search.GroupLength() > 0)
            run.groups.push_back({search.GroupLength(), search.Solutions()});
        const bool last = channel.searchComplete;
        channel.Continue();
        if (last)
            break;
    }
    channel.Join();
    run.message = channel.TakeWorkerMessage();
    return run;
}

struct ComputerRun {
    int length = 0;
    std::string word;
    std::string text;
    std::string message;
};

ComputerRun RunComputer(WordSearch& search) {
    std::string solverText;
    SearchChannel channel(solverText);
    channel.Start([&search](SearchChannel& worker) { search.ComputerWorker(worker); });
    EXPECT_TRUE(channel.WaitComputer());
    ComputerRun run{search.BestLength(), search.ComputerWord(), channel.TakeText(), ""};
    channel.Join();
    run.message = channel.TakeWorkerMessage();
    return run;
}

// Every distinct key of `length` letters that `letters` can form, ascending.
std::vector<std::string> BruteForceKeys(const std::string& letters, int length) {
    std::set<std::string> keys;
    const int n = static_cast<int>(letters.size());
    for (std::uint32_t mask = 0; mask < (1U << n); ++mask) {
        if (std::popcount(mask) != length)
            continue;
        std::string key;
        for (int i = 0; i < n; ++i)
            if ((mask >> i & 1U) != 0)
                key += letters[static_cast<std::size_t>(i)];
        std::sort(key.begin(), key.end());
        keys.insert(key);
    }
    return {keys.begin(), keys.end()};
}

bool Fits(const std::string& key, const std::string& letters) {
    std::string left = letters;
    for (const char c : key) {
        const auto at = left.find(c);
        if (at == std::string::npos)
            return false;
        left.erase(at, 1);
    }
    return true;
}

// Random words over a French-looking alphabet, some with accents (UTF-8).
std::vector<std::string> RandomWords(std::mt19937& random, int count) {
    static const std::vector<std::string> alphabet = {"e", "e", "e", "a", "a", "i", "i", "o", "u", "n", "n",
                                                      "r", "r", "s", "s", "t", "t", "l", "c", "d", "m", "p",
                                                      "b", "g", "v", "z", "é", "è", "à", "ç", "ê", "ï"};
    std::uniform_int_distribution<int> length(2, 11);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i) {
        std::string word;
        const int n = length(random);
        for (int j = 0; j < n; ++j)
            word += alphabet[letter(random)];
        words.push_back(word);
    }
    return words;
}

std::string RandomDraw(std::mt19937& random, int size) {
    static const std::string pool = "EEEEAAIIOUNNRRSSTTLCDMPBGVZ";
    std::uniform_int_distribution<std::size_t> letter(0, pool.size() - 1);
    std::string draw;
    for (int i = 0; i < size; ++i)
        draw += pool[letter(random)];
    return draw;
}

// The groups a brute-force search finds: each kept word whose key the draw can
// form, by length, longest first.
std::map<int, std::multiset<std::string>, std::greater<>>
BruteForceGroups(const FixtureLexicon& fixture, const std::vector<std::string>& words, const std::string& draw) {
    std::set<std::string> left(fixture.Summary().overflowWords.begin(), fixture.Summary().overflowWords.end());
    std::set<std::string> seen;
    std::map<int, std::multiset<std::string>, std::greater<>> groups;
    for (const std::string& word : words) {
        const auto spelling = LexiconBuilder::LexiconSpelling(word);
        if (!spelling || left.count(word) != 0 || !seen.insert(*spelling).second)
            continue;
        if (Fits(MakeKey(*spelling), draw))
            groups[static_cast<int>(spelling->size())].insert(*spelling);
    }
    return groups;
}

// One lexicon of random words, shared by the tests (building it takes a while).
struct RandomLexicon {
    std::vector<std::string> words;
    FixtureLexicon fixture;
    LexiconSet lexicon;
    RandomLexicon() : words(Make()), fixture(words), lexicon(fixture.Load()) {}
    static std::vector<std::string> Make() {
        std::mt19937 random(7);
        return RandomWords(random, 2500);
    }
};

const RandomLexicon& SharedRandomLexicon() {
    static const RandomLexicon shared;
    return shared;
}

bool FoldedLess(const std::string& a, const std::string& b) {
    std::string x = a;
    std::string y = b;
    FoldText(x);
    FoldText(y);
    return x < y;
}

TEST(WordSearchKeys, RepeatedLettersGiveEachKeyOnce) {
    LexiconSet lexicon;
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("ABA"));
    EXPECT_EQ(search.SortedLetters(), "AAB");
    EXPECT_EQ(search.CandidateKeys(2), (std::vector<std::string>{"AA", "AB"}));
    ASSERT_TRUE(search.PrepareLetters("ABCD"));
    EXPECT_EQ(search.CandidateKeys(2), (std::vector<std::string>{"AB", "AC", "AD", "BC", "BD", "CD"}));
    EXPECT_EQ(search.CandidateKeys(4), (std::vector<std::string>{"ABCD"}));
}

TEST(WordSearchKeys, CandidatesMatchBruteForceOnRandomDraws) {
    LexiconSet lexicon;
    WordSearch search(lexicon);
    std::mt19937 random(20261207);
    for (int round = 0; round < 60; ++round) {
        const std::string draw = RandomDraw(random, 2 + round % 13);
        ASSERT_TRUE(search.PrepareLetters(draw));
        for (int length = 1; length <= static_cast<int>(draw.size()); ++length) {
            const auto expected = BruteForceKeys(draw, length);
            EXPECT_EQ(search.CandidateKeys(length), expected) << draw << " length " << length;
            EXPECT_EQ(search.CandidateCount(length), expected.size()) << draw << " length " << length;
        }
    }
}

TEST(WordSearchKeys, RefusesWhatIsNotADraw) {
    LexiconSet lexicon;
    WordSearch search(lexicon);
    EXPECT_FALSE(search.PrepareLetters("AB1"));
    EXPECT_FALSE(search.PrepareLetters("abc"));
    EXPECT_FALSE(search.PrepareLetters(std::string(28, 'E')));
    EXPECT_EQ(search.SortedLetters(), "");
    EXPECT_TRUE(search.PrepareLetters(std::string(27, 'E')));
}

class WordSearchBruteForce : public ::testing::TestWithParam<WordSearch::Strategy> {};

TEST_P(WordSearchBruteForce, SameGroupsAsBruteForce) {
    const RandomLexicon& shared = SharedRandomLexicon();
    const auto& [words, fixture, lexicon] = shared;
    std::mt19937 random(8);
    ASSERT_GT(lexicon.fileCount, 20);
    WordSearch search(lexicon);
    search.SetStrategy(GetParam());
    int groupsSeen = 0;
    for (int round = 0; round < 40; ++round) {
        const std::string draw = RandomDraw(random, 2 + round % 14);
        ASSERT_TRUE(search.PrepareLetters(draw));
        const SolutionsRun run = RunSolutions(search);
        EXPECT_EQ(run.message, "");
        const auto expected = BruteForceGroups(fixture, words, draw);
        ASSERT_EQ(run.groups.size(), expected.size()) << draw;
        auto want = expected.begin();
        for (const Group& group : run.groups) {
            ASSERT_EQ(group.length, want->first) << draw;
            ASSERT_LE(want->second.size(), 600U);
            EXPECT_EQ(std::multiset<std::string>(group.words.begin(), group.words.end()), want->second)
                << draw << " length " << group.length;
            EXPECT_TRUE(std::is_sorted(group.words.begin(), group.words.end(), FoldedLess)) << draw;
            ++want;
            ++groupsSeen;
        }
        if (expected.empty()) {
            EXPECT_EQ(run.text, WordSearch::kNoWordText);
        }
    }
    EXPECT_GT(groupsSeen, 60);
}

INSTANTIATE_TEST_SUITE_P(WordSearchStrategies, WordSearchBruteForce,
                         ::testing::Values(WordSearch::Strategy::Automatic, WordSearch::Strategy::EnumerateKeys,
                                           WordSearch::Strategy::LeapKeys, WordSearch::Strategy::ScanLines));

// A lexicon whose files hold keys of every length, the whole lexicon read file
// after file being in ascending key order (shorter keys before their extensions).
class MixedLexicon {
public:
    MixedLexicon(const std::vector<std::string>& words, int files) {
        std::map<std::string, std::vector<std::string>> lines;
        for (const std::string& word : words) {
            const auto spelling = LexiconBuilder::LexiconSpelling(word);
            if (!spelling)
                continue;
            auto& line = lines[MakeKey(*spelling)];
            if (std::find(line.begin(), line.end(), *spelling) == line.end() && line.size() < 5) {
                line.push_back(*spelling);
                kept_.push_back(*spelling);
            }
        }
        std::vector<std::string> text(static_cast<std::size_t>(files));
        std::vector<std::string> firstEntries(static_cast<std::size_t>(files));
        std::map<int, std::pair<int, int>> ranges;
        std::size_t index = 0;
        for (const auto& [key, line] : lines) {
            const int file = static_cast<int>(index++ * static_cast<std::size_t>(files) / lines.size()) + 1;
            std::string& bytes = text[static_cast<std::size_t>(file - 1)];
            if (bytes.empty())
                firstEntries[static_cast<std::size_t>(file - 1)] = key;
            bytes += key;
            for (const auto& word : line) {
                bytes += ' ';
                bytes += word;
            }
            bytes += "\r\n";
            auto [range, added] = ranges.try_emplace(static_cast<int>(key.size()), file, file);
            range->second.second = file;
        }
        std::string index_ = "[lexiques]\r\nnb_of_lexs=" + std::to_string(files) + "\r\nlex_rad=fr\r\n[first]\r\n";
        std::string last = "[last]\r\n";
        for (int length = 2; length <= 27; ++length) {
            const auto found = ranges.find(length);
            const auto range = found == ranges.end() ? std::pair{1, 1} : found->second;
            index_ += std::to_string(length) + "=" + std::to_string(range.first) + "\r\n";
            last += std::to_string(length) + "=" + std::to_string(range.second) + "\r\n";
        }
        index_ += last + "[first entries]\r\n";
        for (int file = 1; file <= files; ++file) {
            index_ += std::to_string(file) + "=" + firstEntries[static_cast<std::size_t>(file - 1)] + "\r\n";
            char name[16];
            std::snprintf(name, sizeof name, "fr%02d.lex", file);
            folder_.Write(std::string("lexiques/") + name, text[static_cast<std::size_t>(file - 1)]);
        }
        index_ += "[nb voyelles]\r\nA=1\r\nE=1\r\nI=1\r\nO=1\r\nU=1\r\nY=1\r\n[nb consonnes]\r\n";
        for (const char c : std::string("BCDFGHJKLMNPQRSTVWXZ")) {
            index_ += c;
            index_ += "=1\r\n";
        }
        folder_.Write("lexiques/lex.ini", index_);
        EXPECT_EQ(lexicon_.ReadLexIni(folder_ / "lexiques"), 0);
    }

    const LexiconSet& Lexicon() const { return lexicon_; }
    // The words the files hold, in the lexicon's bytes.
    const std::vector<std::string>& Kept() const { return kept_; }

private:
    test::TempFolder folder_;
    LexiconSet lexicon_;
    std::vector<std::string> kept_;
};

TEST(WordSearchMixedLengths, FilesHoldingEveryLengthGiveTheSameGroups) {
    std::mt19937 random(31);
    const MixedLexicon mixed(RandomWords(random, 1500), 7);
    int groupsSeen = 0;
    for (const auto strategy : {WordSearch::Strategy::Automatic, WordSearch::Strategy::EnumerateKeys,
                                WordSearch::Strategy::LeapKeys, WordSearch::Strategy::ScanLines}) {
        WordSearch search(mixed.Lexicon());
        search.SetStrategy(strategy);
        for (int round = 0; round < 25; ++round) {
            const std::string draw = RandomDraw(random, 3 + round % 12);
            ASSERT_TRUE(search.PrepareLetters(draw));
            std::map<int, std::multiset<std::string>, std::greater<>> expected;
            for (const auto& word : mixed.Kept())
                if (Fits(MakeKey(word), draw))
                    expected[static_cast<int>(word.size())].insert(word);
            const SolutionsRun run = RunSolutions(search);
            ASSERT_EQ(run.groups.size(), expected.size()) << draw;
            auto want = expected.begin();
            for (const Group& group : run.groups) {
                EXPECT_EQ(group.length, want->first) << draw;
                EXPECT_EQ(std::multiset<std::string>(group.words.begin(), group.words.end()), want->second) << draw;
                ++want;
                ++groupsSeen;
            }
        }
    }
    EXPECT_GT(groupsSeen, 100);
}

TEST(WordSearchTexts, GroupsThenClosingText) {
    const FixtureLexicon fixture({"rats", "star", "tsar", "art", "rat", "tsé", "été"});
    const LexiconSet lexicon = fixture.Load();
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("TRAS"));
    const SolutionsRun run = RunSolutions(search);
    EXPECT_EQ(run.text, " 4 lettres:   \r\nrats star tsar \r\n 3 lettres:   \r\nart rat \r\n Plus de solutions...\r\n");
    // A last group of two letters is shown without a closing text.
    const FixtureLexicon pairs({"as", "sa", "ta"});
    const LexiconSet pairLexicon = pairs.Load();
    WordSearch pairSearch(pairLexicon);
    ASSERT_TRUE(pairSearch.PrepareLetters("TSA"));
    EXPECT_EQ(RunSolutions(pairSearch).text, " 2 lettres:   \r\nas sa ta ");
    // Accented spellings reach the text as UTF-8, sorted as their plain letters.
    ASSERT_TRUE(search.PrepareLetters("ESTE"));
    EXPECT_EQ(RunSolutions(search).text, " 3 lettres:   \r\nété tsé \r\n Plus de solutions...\r\n");
}

TEST(WordSearchTexts, NoWordInEitherSearch) {
    const FixtureLexicon fixture({"rats", "star"});
    const LexiconSet lexicon = fixture.Load();
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("XYZKW"));
    const SolutionsRun run = RunSolutions(search);
    EXPECT_EQ(run.text, "Pas de mots de plus d'une lettre.\r\n");
    EXPECT_TRUE(run.groups.empty());
    const ComputerRun computer = RunComputer(search);
    EXPECT_EQ(computer.text, "Pas de mots de plus d'une lettre.\r\n");
    EXPECT_EQ(computer.length, 0);
}

TEST(WordSearchTexts, AppendListKeepsTheShownTextBounded) {
    std::string text;
    WordSearch::AppendList(text, {"aaaaaaaaaa", "bbbbbbbbbb"});
    EXPECT_EQ(text, "aaaaaaaaaa bbbbbbbbbb ");
    // Ten-letter words: 12 + 11 per word stays below 3000 for 272 words.
    text.clear();
    WordSearch::AppendList(text, std::vector<std::string>(300, "abcdefghij"));
    const std::string remark = WordSearch::kTooManyText;
    ASSERT_TRUE(text.ends_with(remark));
    EXPECT_EQ(text.size() - remark.size(), 272U * 11U);
    // A full group of 600 short words is all shown, with the remark.
    text.clear();
    WordSearch::AppendList(text, std::vector<std::string>(600, "ab"));
    std::string expected;
    for (int i = 0; i < 600; ++i)
        expected += "ab ";
    EXPECT_EQ(text, expected + remark);
    text.clear();
    WordSearch::AppendList(text, {});
    EXPECT_EQ(text, "");
}

TEST(WordSearchTexts, SortFoldsAccentsAndPutsPrefixesFirst) {
    std::vector<std::string> words = {Cp1252::FromUtf8("étai").value(), "etage", Cp1252::FromUtf8("été").value(), "ete",
                                      "eta"};
    WordSearch::SortGroup(words);
    std::vector<std::string> shown;
    for (const auto& word : words)
        shown.push_back(Cp1252::ToUtf8(word));
    EXPECT_EQ(shown, (std::vector<std::string>{"eta", "etage", "étai", "été", "ete"}));
}

TEST(WordSearchBounds, GroupStopsAtSixHundredWords) {
    // 720 arrangements of three different letters out of ten: 120 keys of 6 words.
    const std::string letters = "abcdefghij";
    std::vector<std::string> words;
    for (char a : letters)
        for (char b : letters)
            for (char c : letters)
                if (a != b && b != c && a != c)
                    words.push_back(std::string{a, b, c});
    const FixtureLexicon fixture(words);
    const LexiconSet lexicon = fixture.Load();
    for (const auto strategy :
         {WordSearch::Strategy::EnumerateKeys, WordSearch::Strategy::LeapKeys, WordSearch::Strategy::ScanLines}) {
        WordSearch search(lexicon);
        search.SetStrategy(strategy);
        ASSERT_TRUE(search.PrepareLetters("JIHGFEDCBA"));
        const SolutionsRun run = RunSolutions(search);
        ASSERT_EQ(run.groups.size(), 1U);
        EXPECT_EQ(run.groups[0].length, 3);
        // The first 600 in lexicon order are kept: whole keys ABC to ... then sorted.
        std::map<std::string, std::vector<std::string>> byKey;
        for (const auto& word : words)
            byKey[MakeKey(word)].push_back(word);
        std::vector<std::string> expected;
        for (const auto& [key, line] : byKey)
            for (const auto& word : line)
                if (expected.size() < 600)
                    expected.push_back(word);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(run.groups[0].words, expected);
        EXPECT_NE(run.text.find(" Trop de solutions. Des mots ont pu être omis."), std::string::npos);
        EXPECT_TRUE(run.text.ends_with("\r\n Plus de solutions...\r\n"));
    }
}

TEST(WordSearchComputer, PlaysOneOfTheLongestWords) {
    const RandomLexicon& shared = SharedRandomLexicon();
    const auto& [words, fixture, lexicon] = shared;
    std::mt19937 random(99);
    WordSearch search(lexicon);
    Random15::Seed(5);
    for (int round = 0; round < 30; ++round) {
        const std::string draw = RandomDraw(random, 9);
        ASSERT_TRUE(search.PrepareLetters(draw));
        search.ChooseHiddenFiles(6);
        const ComputerRun run = RunComputer(search);
        const auto expected = BruteForceGroups(fixture, words, draw);
        if (expected.empty()) {
            EXPECT_EQ(run.length, 0);
            continue;
        }
        EXPECT_EQ(run.length, expected.begin()->first) << draw;
        EXPECT_EQ(expected.begin()->second.count(run.word), 1U) << draw << " " << run.word;
        std::string text = " ";
        text += std::to_string(run.length);
        text += " lettres:   \r\n";
        text += Cp1252::ToUtf8(run.word);
        text += "\r\n";
        EXPECT_EQ(run.text, text);
    }
}

} // namespace
} // namespace lexinum

namespace lexinum {
namespace {

TEST(WordSearchLevels, EachLevelHidesItsShareOfTheMask) {
    LexiconSet lexicon;
    WordSearch search(lexicon);
    Random15::Seed(3);
    for (int level = 1; level <= 6; ++level) {
        for (int round = 0; round < 20; ++round) {
            search.ChooseHiddenFiles(level);
            EXPECT_EQ(std::popcount(search.HiddenFiles()), 32 - (1 << (level - 1))) << "level " << level;
            EXPECT_FALSE(search.IsFileHidden(1));
        }
    }
    search.ChooseHiddenFiles(6);
    EXPECT_EQ(search.HiddenFiles(), 0U);
}

TEST(WordSearchLevels, EveryBitIsAsLikelyToBeHidden) {
    LexiconSet lexicon;
    WordSearch search(lexicon);
    Random15::Seed(17);
    std::array<int, 32> hidden{};
    const int rounds = 3200;
    for (int round = 0; round < rounds; ++round) {
        search.ChooseHiddenFiles(5); // 16 of 32 bits
        for (int bit = 0; bit < 32; ++bit)
            hidden[static_cast<std::size_t>(bit)] += (search.HiddenFiles() >> bit & 1U) != 0 ? 1 : 0;
    }
    for (int bit = 0; bit < 32; ++bit)
        EXPECT_NEAR(hidden[static_cast<std::size_t>(bit)], rounds / 2, rounds / 10) << "bit " << bit;
}

TEST(WordSearchLevels, FilesMapOntoTheMaskBits) {
    LexiconSet lexicon;
    WordSearch search(lexicon);
    search.SetHiddenFiles(1U << 31);
    EXPECT_TRUE(search.IsFileHidden(2));
    EXPECT_TRUE(search.IsFileHidden(34));
    EXPECT_FALSE(search.IsFileHidden(3));
    search.SetHiddenFiles(1U << 0);
    EXPECT_TRUE(search.IsFileHidden(33));
    EXPECT_TRUE(search.IsFileHidden(65));
    EXPECT_TRUE(search.IsFileHidden(97));
    // Beyond file 33 the count wraps round the 32 bits: file 40 is bit 25.
    search.SetHiddenFiles(1U << 25);
    EXPECT_TRUE(search.IsFileHidden(40));
    EXPECT_TRUE(search.IsFileHidden(8));
    EXPECT_FALSE(search.IsFileHidden(41));
    search.SetHiddenFiles(0xFFFFFFFFU);
    EXPECT_FALSE(search.IsFileHidden(1));
    for (int file = 2; file <= 99; ++file)
        EXPECT_TRUE(search.IsFileHidden(file)) << file;
}

TEST(WordSearchLevels, ComputerFindsTheLongestWordsOfTheFilesItMayRead) {
    const RandomLexicon& shared = SharedRandomLexicon();
    const auto& [words, fixture, lexicon] = shared;
    std::mt19937 random(1234);
    Random15::Seed(77);
    int shorterThanAll = 0;
    for (int round = 0; round < 60; ++round) {
        const std::string draw = RandomDraw(random, 9 + round % 5);
        WordSearch search(lexicon);
        const WordSearch::Strategy strategies[] = {WordSearch::Strategy::EnumerateKeys, WordSearch::Strategy::LeapKeys,
                                                   WordSearch::Strategy::ScanLines};
        search.SetStrategy(strategies[round % 3]);
        ASSERT_TRUE(search.PrepareLetters(draw));
        search.ChooseHiddenFiles(1 + round % 5);
        // Brute force over the words whose file the computer may read.
        std::map<int, std::set<std::string>, std::greater<>> readable;
        for (const auto& [length, group] : BruteForceGroups(fixture, words, draw))
            for (const auto& word : group)
                if (!search.IsFileHidden(lexicon.FindLexFile(MakeKey(word), length, 0)))
                    readable[length].insert(word);
        const auto all = BruteForceGroups(fixture, words, draw);
        const ComputerRun run = RunComputer(search);
        if (readable.empty()) {
            EXPECT_EQ(run.length, 0) << draw;
            continue;
        }
        EXPECT_EQ(run.length, readable.begin()->first) << draw;
        EXPECT_EQ(readable.begin()->second.count(run.word), 1U) << draw << " " << run.word;
        if (run.length < all.begin()->first)
            ++shorterThanAll;
    }
    // Hiding files does cost the computer its best words in some rounds.
    EXPECT_GT(shorterThanAll, 5);
}

} // namespace
} // namespace lexinum
