#include "lexicon/WordCheck.h"
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "lexicon/LexiconSet.h"

#include "FixtureLexicon.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

class WordCheckTest : public ::testing::Test {
protected:
    // élève, lève, étoile, toile, lit, et; several keys share a file.
    test::FixtureLexicon fixture{
        {"\xC3\xA9l\xC3\xA8ve", "l\xC3\xA8ve", "\xC3\xA9toile", "toile", "lit", "et"}, "fr", 3, 3};
    LexiconSet lexicon = fixture.Load();
    test::RecordingPrompter prompter;

    WordCheckResult Check(std::string_view letters, std::string_view word) {
        return CheckWord(lexicon, letters, word, nullptr, &prompter);
    }
};

TEST_F(WordCheckTest, AcceptsTheLexiconSpellingTypedInCapitals) {
    EXPECT_EQ(Check("ELEVEXYZ", "ELEVE"), WordCheckResult::Accepted);
    EXPECT_EQ(Check("ELEVEXYZ", "LEVE"), WordCheckResult::Accepted);
    EXPECT_EQ(Check("ETOILESX", "ETOILE"), WordCheckResult::Accepted);
    EXPECT_EQ(Check("ETOILESX", "TOILE"), WordCheckResult::Accepted);
    EXPECT_EQ(Check("TE", "ET"), WordCheckResult::Accepted);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(WordCheckTest, GivesEachRefusalItsCode) {
    EXPECT_EQ(Check("ABC", ""), WordCheckResult::NoAnswer);
    // One letter is never a word, drawn or not.
    EXPECT_EQ(Check("ABC", "A"), WordCheckResult::UnknownWord);
    EXPECT_EQ(Check("XYZ", "A"), WordCheckResult::UnknownWord);
    // A letter used more often than drawn, or not drawn at all.
    EXPECT_EQ(Check("ELEV", "ELEVE"), WordCheckResult::WrongLetters);
    EXPECT_EQ(Check("ELEVEXYZ", "ELEVEE"), WordCheckResult::WrongLetters);
    EXPECT_EQ(Check("TOILE", "TOILES"), WordCheckResult::WrongLetters);
    EXPECT_EQ(Check("TOILE", "toile"), WordCheckResult::WrongLetters) << "the word comes in capitals";
    // The key EILOT is filed (toile) but LOTIE is not on its line.
    EXPECT_EQ(Check("TOILE", "LOTIE"), WordCheckResult::UnknownWord);
    // The key is not in the lexicon, also for a length no word has.
    EXPECT_EQ(Check("TOILE", "TOLE"), WordCheckResult::UnknownKey);
    EXPECT_EQ(Check("ABCDEFGHIJKL", "ABCDEFGHIJKL"), WordCheckResult::UnknownKey);
    const std::string longWord(28, 'E');
    EXPECT_EQ(Check(longWord, longWord), WordCheckResult::UnknownKey) << "outside the limits of the lexicon";
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(WordCheckTest, ChecksTheLettersBeforeAnyFileAndReportsALostLexicon) {
    for (int n = 1; n <= lexicon.FileCount(); ++n) {
        ReadOnlyFile::MakeWritable(lexicon.LexFilePath(n));
        fs::remove(lexicon.LexFilePath(n));
    }
    EXPECT_EQ(Check("ELEV", "ELEVE"), WordCheckResult::WrongLetters);
    EXPECT_EQ(Check("ELEV", "E"), WordCheckResult::UnknownWord);
    EXPECT_TRUE(prompter.messages.empty()) << "no file was needed";

    // A search waiting between batches, as a pane's would be.
    SearchChannel search;
    std::atomic<bool> searchStopped{false};
    search.Start([&](SearchChannel& worker) {
        worker.WorkerText() = "lot";
        searchStopped = !worker.HandOver();
    });
    ASSERT_TRUE(search.WaitBatch());
    search.TakeText();
    EXPECT_EQ(CheckWord(lexicon, "ELEVEXYZ", "ELEVE", &search, &prompter), WordCheckResult::LexiconLost)
        << "a lost lexicon is no verdict";
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Lexique perdu. Tentez de le retrouver manuellement.\r\n"
                                         "Choisissez imm\xC3\xA9"
                                         "diatement Changer de lexique dans le menu Lexique.");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(search.Stopped());
    ASSERT_EQ(search.WaitBatchFor(std::chrono::seconds(30)), SearchChannel::WaitResult::Ready)
        << "a waiting search is woken to stop, and releases its caller";
    search.Join();
    EXPECT_TRUE(searchStopped) << "told to stop, not to go on";
}

TEST_F(WordCheckTest, AFileThatCannotBeReadOrDoesNotMatchItsIndexGivesNoVerdict) {
    const fs::path file = lexicon.LexFilePath(lexicon.FindLexFile("EEELV", 5, 0));
    std::string bytes;
    ASSERT_TRUE(ReadOnlyFile::ReadAll(file, bytes));
    ReadOnlyFile::MakeWritable(file);
    // A folder, a pipe (read without waiting) or an endless device in its place.
    const std::vector<std::function<void()>> replacements = {[&] { fs::create_directory(file); },
                                                             [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0); },
                                                             [&] { fs::create_symlink("/dev/zero", file); }};
    for (const auto& replace : replacements) {
        fs::remove(file);
        replace();
        prompter.messages.clear();
        EXPECT_EQ(Check("ELEVEXYZ", "ELEVE"), WordCheckResult::LexiconLost);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text.rfind("Lexique perdu.", 0), 0u);
    }
    // A file that no longer begins with the entry the index gives it.
    fs::remove(file);
    ASSERT_TRUE(ReadOnlyFile::Replace(file,
                                      "EEEL \xE9l\xE9"
                                      "e\r\n" +
                                          bytes,
                                      false));
    prompter.messages.clear();
    EXPECT_EQ(Check("ELEVEXYZ", "ELEVE"), WordCheckResult::IndexMismatch);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].text.find(file.string()), std::string::npos) << prompter.messages[0].text;
    EXPECT_EQ(VerdictText("ELEVE", WordCheckResult::IndexMismatch), " ELEVE non v\xC3\xA9rifi\xC3\xA9:\r\n"
                                                                    "       Lexique illisible.\r\n");
    // Blank lines are no lines: the entry is the first line that is not blank.
    ASSERT_TRUE(ReadOnlyFile::Replace(file, "\r\n  \r\n" + bytes, false));
    EXPECT_EQ(Check("ELEVEXYZ", "ELEVE"), WordCheckResult::Accepted);
}

TEST(WordCheckText, SaysEachVerdictAsTheResultsBoxShowsIt) {
    EXPECT_EQ(VerdictText("ELEVE", WordCheckResult::Accepted), " ELEVE accept\xC3\xA9.\r\n (5 lettres)\r\n");
    EXPECT_EQ(VerdictText("", WordCheckResult::NoAnswer), " Aucune r\xC3\xA9ponse donn\xC3\xA9"
                                                          "e.\r\n");
    EXPECT_EQ(VerdictText("ELEVEE", WordCheckResult::WrongLetters),
              " ELEVEE refus\xC3\xA9:\r\n       Lettres erron\xC3\xA9"
              "es.\r\n");
    EXPECT_EQ(VerdictText("TOLE", WordCheckResult::UnknownKey), " TOLE refus\xC3\xA9:\r\n       Mot inconnu.\r\n");
    EXPECT_EQ(VerdictText("LOTIE", WordCheckResult::UnknownWord), " LOTIE refus\xC3\xA9:\r\n       Mot inconnu.\r\n");
    EXPECT_EQ(VerdictText("A", WordCheckResult::UnknownWord),
              " A refus\xC3\xA9:\r\n Les mots d'une lettre ne sont pas pris en compte.\r\n");
    EXPECT_EQ(VerdictText("ABC", WordCheckResult::NoAnswer), " ABC refus\xC3\xA9:\r\n");
}

} // namespace
} // namespace lexinum
