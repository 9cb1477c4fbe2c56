// lexinum-cli letters and computer-letters: the output a program reads, the
// refusals, and the shipped lexicon against a direct scan of the word list.
#include "FixtureLexicon.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

struct Output {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

Output RunCli(const std::vector<std::string>& args) {
    test::TempFolder folder;
    std::string command = Quote(LEXINUM_CLI_PATH);
    for (const auto& arg : args) {
        command += ' ';
        command += Quote(arg);
    }
    command += " 2>";
    command += Quote((folder / "stderr").string());
    Output result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        result.out.append(chunk, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = folder.Read("stderr");
    return result;
}

// Just enough JSON to read what the subcommands print.
struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json& operator[](const std::string& name) const {
        static const Json missing;
        const auto found = fields.find(name);
        return found == fields.end() ? missing : found->second;
    }
};

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    bool Read(Json& value) {
        if (!Value(value))
            return false;
        Space();
        return at_ == text_.size();
    }

private:
    void Space() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])) != 0)
            ++at_;
    }
    bool Take(char c) {
        Space();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool String(std::string& out) {
        if (!Take('"'))
            return false;
        while (at_ < text_.size() && text_[at_] != '"') {
            char c = text_[at_++];
            if (c == '\\' && at_ < text_.size()) {
                c = text_[at_++];
                if (c == 'n')
                    c = '\n';
                else if (c == 'r')
                    c = '\r';
                else if (c == 't')
                    c = '\t';
                else if (c == 'u')
                    return false; // not printed by these subcommands for their texts
            }
            out += c;
        }
        return Take('"');
    }
    bool Value(Json& value) {
        Space();
        if (at_ >= text_.size())
            return false;
        const char c = text_[at_];
        if (c == '"') {
            value.kind = Json::Kind::String;
            return String(value.text);
        }
        if (c == '[') {
            value.kind = Json::Kind::Array;
            ++at_;
            if (Take(']'))
                return true;
            do {
                value.items.emplace_back();
                if (!Value(value.items.back()))
                    return false;
            } while (Take(','));
            return Take(']');
        }
        if (c == '{') {
            value.kind = Json::Kind::Object;
            ++at_;
            if (Take('}'))
                return true;
            do {
                std::string name;
                if (!String(name) || !Take(':') || !Value(value.fields[name]))
                    return false;
            } while (Take(','));
            return Take('}');
        }
        for (const std::string_view word : {"true", "false", "null"}) {
            if (text_.substr(at_, word.size()) == word) {
                at_ += word.size();
                value.kind = word == "null" ? Json::Kind::Null : Json::Kind::Bool;
                value.number = word == "true" ? 1 : 0;
                return true;
            }
        }
        std::size_t end = at_;
        while (end < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[end])) != 0 || text_[end] == '-'))
            ++end;
        if (end == at_)
            return false;
        value.kind = Json::Kind::Number;
        value.number = std::stod(std::string(text_.substr(at_, end - at_)));
        at_ = end;
        return true;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

Json ParseJson(const std::string& text) {
    Json value;
    EXPECT_TRUE(JsonReader(text).Read(value)) << "not JSON: " << text;
    return value;
}

// Groups of a letters JSON answer: length to words, in the order given.
std::vector<std::pair<int, std::vector<std::string>>> GroupsOf(const Json& answer) {
    std::vector<std::pair<int, std::vector<std::string>>> groups;
    for (const Json& group : answer["groups"].items) {
        std::vector<std::string> words;
        for (const Json& word : group["words"].items)
            words.push_back(word.text);
        groups.emplace_back(static_cast<int>(group["length"].number), words);
    }
    return groups;
}

const std::vector<std::string> kWords = {"rats", "star", "tsar", "art", "rat", "été", "tsé"};

TEST(WordSearchCli, LettersPrintsTheGroupsAsTheResultsBoxReceivesThem) {
    const test::FixtureLexicon fixture(kWords);
    const std::string lexicon = fixture.Directory().string();
    const Output plain = RunCli({"letters", "--lexicon", lexicon, "tras"});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, " 4 lettres:   \nrats star tsar \n 3 lettres:   \nart rat \n Plus de solutions...\n");

    const Output json = RunCli({"letters", "--json", "--lexicon", lexicon, "ESTE"});
    ASSERT_EQ(json.status, 0) << json.err;
    const Json answer = ParseJson(json.out);
    EXPECT_EQ(answer["letters"].text, "ESTE");
    const auto groups = GroupsOf(answer);
    ASSERT_EQ(groups.size(), 1U);
    EXPECT_EQ(groups[0].first, 3);
    EXPECT_EQ(groups[0].second, (std::vector<std::string>{"été", "tsé"}));

    const Output none = RunCli({"letters", "--json", "--lexicon", lexicon, "XYZ"});
    EXPECT_EQ(none.out, "{\"letters\": \"XYZ\", \"groups\": []}\n");
}

TEST(WordSearchCli, ComputerLettersReplaysASeed) {
    const test::FixtureLexicon fixture(kWords);
    const std::string lexicon = fixture.Directory().string();
    const Output best = RunCli({"computer-letters", "--lexicon", lexicon, "--level", "6", "--json", "TRAS"});
    ASSERT_EQ(best.status, 0) << best.err;
    const Json answer = ParseJson(best.out);
    EXPECT_EQ(answer["length"].number, 4);
    EXPECT_EQ(std::set<std::string>({"rats", "star", "tsar"}).count(answer["word"].text), 1U);
    EXPECT_TRUE(answer["hidden_files"].items.empty());

    const std::vector<std::string> replay = {"computer-letters", "--lexicon", lexicon,  "--level", "2",
                                             "--seed",           "42",        "--json", "TRAS"};
    const Output first = RunCli(replay);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(RunCli(replay).out, first.out);
    EXPECT_FALSE(ParseJson(first.out)["hidden_files"].items.empty());

    const Output plain = RunCli({"computer-letters", "--lexicon", lexicon, "--level", "6", "XYZ"});
    EXPECT_EQ(plain.out, "Pas de mots de plus d'une lettre.\n");
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
        std::string shown;
        for (const auto& arg : args)
            shown += arg + " ";
        EXPECT_NE(result.status, 0) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_TRUE(result.err.starts_with("lexinum-cli: ")) << shown << result.err;
    }
}

TEST(WordSearchCli, UnreadableLexiconFileIsAnError) {
    const test::FixtureLexicon fixture(kWords);
    const LexiconSet lexicon = fixture.Load();
    // The file of the four-letter key is there for the index but cannot be read.
    const fs::path file = lexicon.LexFilePath(lexicon.FindLexFile("ARST", 4, 0));
    ASSERT_TRUE(fs::remove(file));
    fs::create_directory(file);
    for (const std::string command : {"letters", "computer-letters"}) {
        std::vector<std::string> args = {command, "--lexicon", fixture.Directory().string(), "TRAS"};
        if (command == "computer-letters")
            args.insert(args.begin() + 1, {"--level", "6"});
        const Output result = RunCli(args);
        EXPECT_NE(result.status, 0) << command;
        EXPECT_EQ(result.out, "") << command;
        EXPECT_EQ(result.err, "lexinum-cli: Lexique perdu. Tentez de le retrouver manuellement.\n"
                              "Choisissez immédiatement Changer de lexique dans le menu Lexique.\n")
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
        if (!FoldedLetters(word, letters))
            continue;
        std::string left = draw;
        bool fits = true;
        for (const char c : letters) {
            const auto at = left.find(c);
            if (at == std::string::npos) {
                fits = false;
                break;
            }
            left.erase(at, 1);
        }
        if (fits)
            expected[static_cast<int>(letters.size())].insert(word);
    }
    ASSERT_FALSE(expected.empty());

    const Output result = RunCli({"letters", "--json", "--lexicon", shipped.string(), draw});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto groups = GroupsOf(ParseJson(result.out));
    ASSERT_EQ(groups.size(), expected.size());
    auto want = expected.begin();
    for (const auto& [length, words] : groups) {
        EXPECT_EQ(length, want->first);
        ASSERT_LE(want->second.size(), 600U) << "a group too large to be listed whole";
        EXPECT_EQ(std::set<std::string>(words.begin(), words.end()), want->second) << "length " << length;
        EXPECT_EQ(words.size(), want->second.size()) << "length " << length;
        ++want;
    }
}

} // namespace
} // namespace lexinum
