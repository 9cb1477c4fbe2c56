// A lexicon changed or damaged under a reader: the index and the files are
// read from the same folder, a changed index is read again, and damage is
// told rather than judged.
#include "common/Profile.h"
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterDraw.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"
#include "lexicon/WordCheck.h"
#include "lexicon/WordSearch.h"

#include "RecordingPrompter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>

#include <fcntl.h>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

using Files = std::vector<std::vector<std::string>>;

// Writes a lexicon of hand-made files (each a list of lines without their
// line end) in `folder`, with its complete index.
void WriteLexicon(const fs::path& folder, const Files& files) {
    fs::create_directories(folder);
    std::vector<std::string> entries;
    std::vector<std::set<int>> lengths(files.size() + 1);
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string bytes;
        for (const std::string& line : files[i]) {
            bytes += line + "\r\n";
            lengths[i + 1].insert(static_cast<int>(line.find(' ')));
        }
        ASSERT_TRUE(ReadOnlyFile::Replace(LexiconSet::LexFilePath(folder, "fr", static_cast<int>(i + 1)), bytes, true));
        entries.push_back(files[i].front().substr(0, files[i].front().find(' ')));
    }
    LexiconSet index;
    index.Describe(folder, "fr", entries,
                   [&](int file, int length) { return lengths[static_cast<std::size_t>(file)].count(length) != 0; });
    ASSERT_TRUE(ReadOnlyFile::Replace(folder / LexiconSet::kIndexName, index.IndexText(), true));
}

// AC moves from the first file to the second, whose first entry changes; the
// first file still begins where its old entry says, so only the new index
// finds AC.
const Files kBefore = {{"AB ab", "AC ac"}, {"AD ad", "AE ae"}};
const Files kAfter = {{"AB ab"}, {"AC ac", "AD ad", "AE ae"}};

// The words the solutions search finds in a draw, all groups.
std::string SearchText(const LexiconSet& lexicon, const std::string& letters, std::string* message = nullptr) {
    WordSearch search(lexicon);
    EXPECT_TRUE(search.PrepareLetters(letters));
    SearchChannel channel;
    search.StartSolutions(channel);
    std::string text;
    while (channel.WaitBatch()) {
        text += channel.TakeText();
        const bool last = channel.Complete();
        channel.Continue();
        if (last)
            break;
    }
    channel.Join();
    if (message != nullptr)
        *message = channel.TakeWorkerMessage();
    return text;
}

TEST(LexiconChange, AReaderJudgesByTheIndexOfTheFilesItReads) {
    // The ways another lexicon comes in while the game has one open.
    const std::vector<std::pair<const char*, std::function<void(const test::TempFolder&)>>> changes = {
        {"rebuilt beside and exchanged, the old one removed",
         [](const test::TempFolder& home) {
             WriteLexicon(home / "new", kAfter);
             ASSERT_EQ(::renameat2(AT_FDCWD, (home / "new").c_str(), AT_FDCWD, (home / "lex").c_str(), RENAME_EXCHANGE),
                       0);
             for (const auto& entry : fs::directory_iterator(home / "new"))
                 fs::remove(entry.path());
             fs::remove(home / "new");
         }},
        {"rebuilt beside and exchanged, the old one kept",
         [](const test::TempFolder& home) {
             WriteLexicon(home / "new", kAfter);
             ASSERT_EQ(::renameat2(AT_FDCWD, (home / "new").c_str(), AT_FDCWD, (home / "lex").c_str(), RENAME_EXCHANGE),
                       0);
         }},
        {"files and index replaced in the folder",
         [](const test::TempFolder& home) { WriteLexicon(home / "lex", kAfter); }},
    };
    for (const auto& [how, change] : changes) {
        SCOPED_TRACE(how);
        test::TempFolder home;
        WriteLexicon(home / "lex", kBefore);
        LexiconSet lexicon;
        ASSERT_TRUE(lexicon.ReadLexIni(home / "lex").Complete());
        EXPECT_EQ(CheckWord(lexicon, "AC", "AC"), WordCheckResult::Accepted);
        EXPECT_EQ(SearchText(lexicon, "AC"), " 2 lettres:   \r\nac ") << "the files' bytes are kept from here on";
        change(home);

        EXPECT_FALSE(lexicon.StillCurrent());
        test::RecordingPrompter prompter;
        EXPECT_EQ(CheckWord(lexicon, "AC", "AC", nullptr, &prompter), WordCheckResult::Accepted);
        EXPECT_EQ(CheckWord(lexicon, "AE", "AE", nullptr, &prompter), WordCheckResult::Accepted);
        EXPECT_TRUE(prompter.messages.empty());
        std::string message;
        EXPECT_EQ(SearchText(lexicon, "AC", &message), " 2 lettres:   \r\nac ");
        EXPECT_EQ(message, "");
        // The game reads the new index once for all.
        EXPECT_TRUE(lexicon.Refresh());
        EXPECT_TRUE(lexicon.StillCurrent());
        EXPECT_EQ(lexicon.FirstEntry(2), "AC");
    }
}

TEST(LexiconChange, AFileRewrittenUnderTheSameIndexIsReadAgain) {
    test::TempFolder home;
    WriteLexicon(home / "lex", kBefore);
    LexiconSet lexicon;
    ASSERT_TRUE(lexicon.ReadLexIni(home / "lex").Complete());
    EXPECT_EQ(SearchText(lexicon, "ACD"), " 2 lettres:   \r\nac ad ");
    // A word added to the first file, which still begins where the index says.
    ASSERT_TRUE(ReadOnlyFile::Replace(home / "lex/fr01.lex", "AB ab\r\nAC ac ca\r\n", true));
    EXPECT_TRUE(lexicon.StillCurrent()) << "the index did not change";
    EXPECT_EQ(SearchText(lexicon, "ACD"), " 2 lettres:   \r\nac ad ca ");
    EXPECT_EQ(CheckWord(lexicon, "AC", "CA"), WordCheckResult::Accepted);
}

TEST(LexiconChange, ALexiconReplacedDuringASearchStopsItWithAMessage) {
    test::TempFolder home;
    const Files files = {{"AB ab"}, {"ABC abc"}};
    WriteLexicon(home / "lex", files);
    LexiconSet lexicon;
    ASSERT_TRUE(lexicon.ReadLexIni(home / "lex").Complete());
    WordSearch search(lexicon);
    ASSERT_TRUE(search.PrepareLetters("ABC"));
    SearchChannel channel;
    search.StartSolutions(channel);
    ASSERT_TRUE(channel.WaitBatch());
    EXPECT_EQ(channel.TakeText(), " 3 lettres:   \r\nabc ");
    // The two-letter file, not read yet, goes with the old folder.
    WriteLexicon(home / "new", files);
    ASSERT_EQ(::renameat2(AT_FDCWD, (home / "new").c_str(), AT_FDCWD, (home / "lex").c_str(), RENAME_EXCHANGE), 0);
    ReadOnlyFile::MakeWritable(home / "new/fr01.lex");
    fs::remove(home / "new/fr01.lex");
    channel.Continue();
    std::string rest;
    while (channel.WaitBatch()) {
        rest += channel.TakeText();
        channel.Continue();
    }
    channel.Join();
    EXPECT_EQ(rest, "");
    EXPECT_EQ(channel.TakeWorkerMessage(), LexiconTexts::kChangedLexicon);
}

TEST(LexiconChange, AnIndexChangedIntoOneThatCannotServeGivesNoVerdict) {
    test::TempFolder home;
    WriteLexicon(home / "lex", kBefore);
    LexiconSet lexicon;
    ASSERT_TRUE(lexicon.ReadLexIni(home / "lex").Complete());
    Profile ini(home / "lex" / LexiconSet::kIndexName);
    ASSERT_TRUE(ini.WriteString("first entries", "2", ""));

    test::RecordingPrompter prompter;
    EXPECT_EQ(CheckWord(lexicon, "AC", "AC", nullptr, &prompter), WordCheckResult::IndexMismatch);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].text.find("est incomplet"), std::string::npos) << prompter.messages[0].text;
    std::string message;
    EXPECT_EQ(SearchText(lexicon, "AC", &message), "");
    EXPECT_NE(message.find("est incomplet"), std::string::npos) << message;
    EXPECT_FALSE(lexicon.Refresh());
    EXPECT_FALSE(lexicon.Ready());
}

TEST(LexiconChange, AFileThatDoesNotBeginWithItsIndexEntryIsDamageNotAVerdict) {
    const std::vector<std::pair<const char*, std::string>> damages = {
        {"emptied", ""},
        {"blank lines only", "\r\n  \r\n"},
        {"another first line", "AC ac\r\nAD ad\r\nAE ae\r\n"},
    };
    for (const auto& [how, bytes] : damages) {
        SCOPED_TRACE(how);
        test::TempFolder home;
        WriteLexicon(home / "lex", kBefore);
        LexiconSet lexicon;
        ASSERT_TRUE(lexicon.ReadLexIni(home / "lex").Complete());
        ASSERT_TRUE(ReadOnlyFile::Replace(home / "lex/fr02.lex", bytes, true));

        test::RecordingPrompter prompter;
        EXPECT_EQ(CheckWord(lexicon, "AE", "AE", nullptr, &prompter), WordCheckResult::IndexMismatch);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, LexiconTexts::IndexMismatch((home / "lex/fr02.lex").string()));
        std::string message;
        SearchText(lexicon, "AE", &message);
        EXPECT_EQ(message, LexiconTexts::IndexMismatch((home / "lex/fr02.lex").string()));
        EXPECT_EQ(CheckWord(lexicon, "AB", "AB", nullptr, &prompter), WordCheckResult::Accepted)
            << "the other files still serve";
    }
}

TEST(LexiconChange, AnIndexThatCannotServeSaysWhyAndLeavesTheBagsFull) {
    // How the index is damaged, and a word of what the reason must say.
    const std::vector<std::tuple<const char*, std::function<void(Profile&)>, const char*>> damages = {
        {"every vowel weight 0",
         [](Profile& ini) {
             for (const char* vowel : {"A", "E", "I", "O", "U", "Y"})
                 ASSERT_TRUE(ini.WriteInt("nb voyelles", vowel, 0));
         },
         "sac de lettres vide"},
        {"every consonant weight 0",
         [](Profile& ini) {
             for (const char c : std::string("BCDFGHJKLMNPQRSTVWXZ"))
                 ASSERT_TRUE(ini.WriteInt("nb consonnes", std::string(1, c), 0));
         },
         "sac de lettres vide"},
        {"a negative weight", [](Profile& ini) { ASSERT_TRUE(ini.WriteInt("nb voyelles", "E", -5)); },
         "probabilit\xC3\xA9s des lettres"},
        // The first entry of file 2 has two letters: file 2 must lie in the 2-letter range.
        {"ranges that leave a file out of its first entry's length",
         [](Profile& ini) { ASSERT_TRUE(ini.WriteInt("last", "2", 1)); }, "contredit"},
        {"a missing first entry", [](Profile& ini) { ASSERT_TRUE(ini.WriteString("first entries", "1", "")); },
         "premi\xC3\xA8res entr\xC3\xA9"
         "es"},
    };
    for (const auto& [how, damage, reason] : damages) {
        SCOPED_TRACE(how);
        test::TempFolder home;
        WriteLexicon(home / "lex", kBefore);
        Profile ini(home / "lex" / LexiconSet::kIndexName);
        damage(ini);
        LexiconSet lexicon;
        const LexiconSet::IndexReading reading = lexicon.ReadLexIni(home / "lex");
        EXPECT_FALSE(reading.Complete());
        EXPECT_FALSE(lexicon.Ready());
        EXPECT_NE(lexicon.Problem().find(reason), std::string::npos) << lexicon.Problem();
        EXPECT_NE(lexicon.Problem().find((home / "lex" / "lex.ini").string()), std::string::npos);
        test::RecordingPrompter prompter;
        EXPECT_EQ(LetterDraw::AutoDraw(lexicon, 27, 12, &prompter).size(), 27u);
        EXPECT_TRUE(prompter.messages.empty()) << "no draw from an empty bag";
    }
}

TEST(LexiconChange, EveryLexiconThatCannotServeSaysWhy) {
    test::TempFolder home;
    WriteLexicon(home / "lex", kBefore);
    const fs::path index = home / "lex" / LexiconSet::kIndexName;
    LexiconSet lexicon;
    EXPECT_TRUE(lexicon.Problem().empty()) << "nothing read yet";
    ASSERT_TRUE(lexicon.ReadLexIni(home / "lex").Complete());
    EXPECT_TRUE(lexicon.Problem().empty());
    // Each state of the index, and a piece of what the player reads.
    const std::vector<std::pair<std::function<void()>, std::string>> states = {
        {[&] { fs::rename(index, home / "lex/index"); }, "lex.ini associ\xC3\xA9 est absent"},
        // A folder where the index should be: it cannot be read.
        {[&] { fs::create_directory(index); }, index.string()},
        {[&] {
             fs::remove(index);
             fs::rename(home / "lex/index", index);
         },
         ""},
        {[&] { ASSERT_TRUE(Profile(index).WriteInt("lexiques", "nb_of_lexs", 3)); }, "Pas d'ensemble complet"},
    };
    for (const auto& [change, reason] : states) {
        change();
        EXPECT_EQ(lexicon.Refresh(), reason.empty());
        if (reason.empty())
            EXPECT_TRUE(lexicon.Problem().empty()) << lexicon.Problem();
        else
            EXPECT_NE(lexicon.Problem().find(reason), std::string::npos) << lexicon.Problem();
    }
}

} // namespace
} // namespace lexinum
