// The player's additions to the lexicon and removals from it: where a word
// goes in its file, what happens to the index, the journal, and a rewrite that
// fails leaving the lexicon whole.
#include "lexicon/LexiconEditor.h"
#include "common/Cp1252.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"
#include "lexicon/WordCheck.h"

#include "FixtureLexicon.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lexinum {
namespace {

namespace fs = std::filesystem;
using Mode = LexiconEditor::Mode;
using Outcome = LexiconEditor::Outcome;

// Four key lengths, one file each.
const std::vector<std::string> kWords = {"ami",  "été",  "sel",   "rue",   "rate",   "tare",
                                         "pore", "sort", "porte", "tordu", "abricot"};
constexpr int kFiles = 4;

std::string Bytes(const std::string& utf8) {
    return Cp1252::FromUtf8Lossy(utf8);
}

std::string FileText(const fs::path& file) {
    std::string bytes;
    ReadOnlyFile::ReadAll(file, bytes);
    return bytes;
}

// The lexicon file where a word's key lies.
fs::path FileOf(const LexiconSet& set, const std::string& word) {
    const std::string key = MakeKey(Bytes(word));
    return set.LexFilePath(set.FindLexFile(key, static_cast<int>(key.size()), 0));
}

const LexiconEditor::Moment kWhen{5, 3, 2024, 9, 7, 3};

struct ChangeCase {
    const char* name;
    Mode mode;
    const char* word;
    Outcome outcome;
    // The text of the word's file afterwards (CR LF line ends added), or
    // null when it must be as it was.
    std::vector<std::string> fileAfter;
    // The first entry of that file afterwards (empty: unchanged).
    const char* firstEntry;
};

const ChangeCase kChangeCases[] = {
    {"NewKeyBeforeEveryKey",
     Mode::Add,
     "bai",
     Outcome::Done,
     {"ABI bai", "AIM ami", "EET été", "ELS sel", "ERU rue"},
     "ABI"},
    {"NewKeyInTheMiddle", Mode::Add, "lie", Outcome::Done, {"AIM ami", "EET été", "EIL lie", "ELS sel", "ERU rue"}, ""},
    {"NewKeyAfterEveryKey",
     Mode::Add,
     "tue",
     Outcome::Done,
     {"AIM ami", "EET été", "ELS sel", "ERU rue", "ETU tue"},
     ""},
    {"AnagramAppended", Mode::Add, "taré", Outcome::Done, {"AERT rate tare taré", "EOPR pore", "ORST sort"}, ""},
    {"OtherCaseIsAnotherSpelling",
     Mode::Add,
     "Rate",
     Outcome::Done,
     {"AERT rate tare Rate", "EOPR pore", "ORST sort"},
     ""},
    {"OnlyWordOfALineRemoved", Mode::Remove, "sel", Outcome::Done, {"AIM ami", "EET été", "ERU rue"}, ""},
    {"OnlyWordOfTheFirstLineRemoved", Mode::Remove, "ami", Outcome::Done, {"EET été", "ELS sel", "ERU rue"}, "EET"},
    {"OneAnagramRemovedOthersUntouched",
     Mode::Remove,
     "tare",
     Outcome::Done,
     {"AERT rate", "EOPR pore", "ORST sort"},
     ""},
    {"ExistingSpellingRefused", Mode::Add, "rate", Outcome::AlreadyThere, {}, ""},
    {"AbsentSpellingRefused", Mode::Remove, "Rate", Outcome::NotThere, {}, ""},
    {"AbsentKeyRefused", Mode::Remove, "bai", Outcome::NotThere, {}, ""},
    {"OneLetterRefused", Mode::Add, "a", Outcome::TooShort, {}, ""},
    {"BeyondTheLongestKey", Mode::Add, "anticonstitutionnellementabc", Outcome::OutOfLimits, {}, ""},
    {"LastWordOfItsFileKept", Mode::Remove, "abricot", Outcome::LastOfFile, {}, ""},
};

class LexiconEditorChange : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(LexiconEditorChange, RewritesOnlyWhatTheWordChanges) {
    const ChangeCase& c = GetParam();
    test::FixtureLexicon fixture(kWords, "fr", 1, kFiles);
    LexiconSet set = fixture.Load();
    ASSERT_EQ(set.FileCount(), kFiles);
    const std::string word = Bytes(c.word);
    const bool hasFile = word.size() >= 2 && word.size() <= 27;
    const fs::path file = hasFile ? FileOf(set, c.word) : fs::path();
    const std::string before = hasFile ? FileText(file) : std::string();
    std::vector<std::string> otherFiles;
    for (int n = 1; n <= set.FileCount(); ++n)
        otherFiles.push_back(set.LexFilePath(n) == file ? std::string() : FileText(set.LexFilePath(n)));

    test::RecordingPrompter prompter;
    LexiconEditor editor(set, &prompter);
    std::vector<std::string> statuses;
    editor.onStatus = [&](const std::string& status) { statuses.push_back(status); };
    EXPECT_EQ(editor.Change(word, c.mode, kWhen), c.outcome);

    const bool done = c.outcome == Outcome::Done;
    if (hasFile) {
        std::string expected;
        for (const std::string& line : c.fileAfter)
            expected += Bytes(line) + "\r\n";
        EXPECT_EQ(FileText(file), done ? expected : before);
        EXPECT_TRUE(ReadOnlyFile::IsReadOnly(file));
        EXPECT_FALSE(fs::exists(fs::path(file).replace_extension(".tmp")));
    }
    for (int n = 1; n <= set.FileCount(); ++n) {
        if (set.LexFilePath(n) != file) {
            EXPECT_EQ(FileText(set.LexFilePath(n)), otherFiles[static_cast<std::size_t>(n - 1)]) << n;
        }
    }

    // The index on the disk and in memory describe the lexicon as it is now.
    LexiconSet reread;
    EXPECT_TRUE(reread.ReadLexIni(fixture.Directory()).Complete());
    EXPECT_TRUE(set.Ready());
    if (*c.firstEntry != '\0') {
        const int n = reread.FindLexFile(c.firstEntry, static_cast<int>(std::string(c.firstEntry).size()), 0);
        EXPECT_EQ(reread.FirstEntry(n), c.firstEntry);
        EXPECT_EQ(set.FirstEntry(n), c.firstEntry);
    }
    // The word is judged as the change left it, by the set changed and by a
    // set reading the lexicon afresh.
    if (done) {
        const std::string key = MakeKey(word);
        std::string folded = word;
        FoldText(folded);
        const bool accepted = c.mode == Mode::Add;
        EXPECT_EQ(CheckWord(set, key, folded, nullptr, &prompter) == WordCheckResult::Accepted, accepted);
        EXPECT_EQ(CheckWord(reread, key, folded, nullptr, &prompter) == WordCheckResult::Accepted, accepted);
        EXPECT_EQ(statuses, (std::vector<std::string>{LexiconEditor::StatusText(c.mode), ""}));
    }

    // Only a change made is recorded, after the journal's header.
    const fs::path journal = fixture.Directory() / LexiconEditor::kJournalName;
    EXPECT_EQ(fs::exists(journal), done);
    if (done) {
        EXPECT_EQ(FileText(journal),
                  std::string(LexiconEditor::kJournalHeader) + LexiconEditor::JournalLine(word, c.mode, kWhen));
    }
    // Every refusal names the word (but the one of a one-letter word).
    if (!done && c.outcome != Outcome::TooShort) {
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_NE(prompter.messages.back().text.find("\"" + std::string(c.word) + "\""), std::string::npos)
            << prompter.messages.back().text;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LexiconEditorChange, ::testing::ValuesIn(kChangeCases),
                         [](const ::testing::TestParamInfo<ChangeCase>& tested) { return tested.param.name; });

TEST(LexiconEditor, SplitsTheTextIntoWords) {
    const struct {
        const char* text;
        std::vector<std::string> words;
    } cases[] = {
        {"porte-clé, abc", {"porte", "clé", "abc"}},
        {"  Élève\r\nsel\tami ", {"lève", "sel", "ami"}},
        {"12 + ?", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected;
        for (const std::string& word : c.words)
            expected.push_back(Bytes(word));
        EXPECT_EQ(LexiconEditor::SplitWords(LexiconEditor::CleanText(Bytes(c.text))), expected) << c.text;
    }
    EXPECT_EQ(LexiconEditor::CleanText(std::string(250, 'a')).size(), LexiconEditor::kMaxTextLength);
}

TEST(LexiconEditor, JournalLineOfAWordAdded) {
    EXPECT_EQ(LexiconEditor::JournalLine(Bytes("été"), Mode::Add, kWhen),
              Bytes("été") + std::string(24, ' ') + Bytes(" ajouté le 05/03/2024 à 09:07:03 \r\n"));
    EXPECT_EQ(LexiconEditor::JournalLine("sel", Mode::Remove, {31, 12, 1999, 23, 59, 58}),
              "sel" + std::string(24, ' ') + Bytes(" supprimé le 31/12/1999 à 23:59:58 \r\n"));
}

TEST(LexiconEditor, JournalCreatedOnceThenAppended) {
    test::FixtureLexicon fixture(kWords, "fr", 1, kFiles);
    LexiconSet set = fixture.Load();
    test::RecordingPrompter prompter;
    LexiconEditor editor(set, &prompter);
    EXPECT_EQ(editor.Change(Bytes("été"), Mode::Remove, kWhen), Outcome::Done);
    EXPECT_EQ(editor.Change(Bytes("été"), Mode::Add, kWhen), Outcome::Done);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "Le fichier journal des modifications du lexique n'existe pas.\r\n Il va être créé.");
    const fs::path journal = fixture.Directory() / LexiconEditor::kJournalName;
    EXPECT_EQ(FileText(journal), std::string(LexiconEditor::kJournalHeader) +
                                     LexiconEditor::JournalLine(Bytes("été"), Mode::Remove, kWhen) +
                                     LexiconEditor::JournalLine(Bytes("été"), Mode::Add, kWhen));
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(journal));
}

// A rewrite that cannot be made (the temporary file of the lexicon file, or of
// the index when the first line changes, has its name taken by a folder)
// leaves every file and the index as they were, and records nothing.
TEST(LexiconEditor, FailedRewriteLeavesTheLexiconWhole) {
    const struct {
        const char* word;
        Mode mode;
        bool blockIndex;
    } cases[] = {
        {"bai", Mode::Add, false}, {"ami", Mode::Remove, false}, {"taré", Mode::Add, false},
        {"bai", Mode::Add, true},  {"ami", Mode::Remove, true},
    };
    for (const auto& c : cases) {
        const char* word = c.word;
        test::FixtureLexicon fixture(kWords, "fr", 1, kFiles);
        LexiconSet set = fixture.Load();
        const fs::path file = FileOf(set, word);
        const fs::path blocker =
            c.blockIndex ? fs::path(set.IndexPath()).concat(".tmp~") : fs::path(file).replace_extension(".tmp");
        fs::create_directories(blocker / "occupé");
        const std::string before = FileText(file);
        const std::string index = FileText(set.IndexPath());

        test::RecordingPrompter prompter;
        LexiconEditor editor(set, &prompter);
        EXPECT_EQ(editor.Change(Bytes(word), c.mode, kWhen), Outcome::WriteFailed) << word;
        EXPECT_EQ(FileText(file), before) << word;
        EXPECT_EQ(FileText(set.IndexPath()), index) << word;
        EXPECT_TRUE(ReadOnlyFile::IsReadOnly(file));
        EXPECT_FALSE(fs::exists(fixture.Directory() / LexiconEditor::kJournalName));
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_EQ(prompter.messages.back().text.rfind("Erreur de fichier.\r\n", 0), 0u);
        LexiconSet reread;
        EXPECT_TRUE(reread.ReadLexIni(fixture.Directory()).Complete());
        EXPECT_TRUE(set.Ready());
    }
}

// A lexicon file gone since the index was read: the lost lexicon is told,
// the change given up, nothing recorded.
TEST(LexiconEditor, LostFileGivesUpTheChange) {
    test::FixtureLexicon fixture(kWords, "fr", 1, kFiles);
    LexiconSet set = fixture.Load();
    fs::remove(FileOf(set, "rate"));
    test::RecordingPrompter prompter;
    LexiconEditor editor(set, &prompter);
    EXPECT_EQ(editor.Change(Bytes("taré"), Mode::Add, kWhen), Outcome::Lost);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, LexiconTexts::kLostLexicon);
    EXPECT_EQ(prompter.messages[1].text, "Opération d'ajout annulée.");
    EXPECT_FALSE(fs::exists(fixture.Directory() / LexiconEditor::kJournalName));
}

// Anagrams are added to a line until it would no longer fit in a lexicon
// line: the next one is refused and the line stays readable whole.
TEST(LexiconEditor, LineKeptWithinTheLongestLine) {
    test::FixtureLexicon fixture(kWords, "fr", 1, kFiles);
    LexiconSet set = fixture.Load();
    test::RecordingPrompter prompter;
    LexiconEditor editor(set, &prompter);
    std::string spelling = "aert";
    Outcome outcome = Outcome::Done;
    int added = 0;
    while (outcome == Outcome::Done && added < 60) {
        // Each spelling differs by its capitals or its order.
        std::string word = spelling;
        for (int bit = 0; bit < 4; ++bit)
            if ((added >> bit) & 1)
                word[static_cast<std::size_t>(bit)] = static_cast<char>(word[static_cast<std::size_t>(bit)] - 32);
        outcome = editor.Change(word, Mode::Add, kWhen);
        if (outcome == Outcome::Done)
            ++added;
        if ((added & 15) == 0 && outcome == Outcome::Done)
            std::next_permutation(spelling.begin(), spelling.end());
    }
    EXPECT_EQ(outcome, Outcome::LineTooLong);
    const std::string text = FileText(FileOf(set, "rate"));
    const std::string firstLine = text.substr(0, text.find("\r\n"));
    EXPECT_LE(firstLine.size(), 197u);
    EXPECT_GT(firstLine.size(), 197u - 5);
    EXPECT_EQ(added, (197 - 14) / 5);
}

} // namespace
} // namespace lexinum
