#include "lexicon/LexiconLocator.h"
#include "common/Profile.h"
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"

#include "FixtureLexicon.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWords = {"et", "il", "lit", "sel", "arbre", "chien", "livre", "table"};
const std::string kReportAll = "Liste des premi\xC3\xA8res entr\xC3\xA9"
                               "es des fichiers lexique reconstitu\xC3\xA9"
                               "e.\r\n"
                               "R\xC3\xA9partition des lexiques recalcul\xC3\xA9"
                               "e.\r\n"
                               "Probabilit\xC3\xA9s des lettres red\xC3\xA9"
                               "finie.\r\n";

void RemoveIndex(const fs::path& folder) {
    ReadOnlyFile::MakeWritable(folder / LexiconSet::kIndexName);
    fs::remove(folder / LexiconSet::kIndexName);
}

TEST(LexiconLocator, RebuildsAMissingIndexAfterConfirmation) {
    test::FixtureLexicon fixture(kWords);
    const LexiconSet built = fixture.Load();
    RemoveIndex(fixture.Directory());
    test::RecordingPrompter prompter;
    LexiconSet set;
    int busyCalls = 0;
    int beeps = 0;
    LexiconLocator locator(prompter);
    locator.onBusy = [&](bool busy) { busyCalls += busy ? 1 : 10; };
    locator.onBeep = [&] { ++beeps; };
    // The pane's search waits between batches while the folder is chosen.
    SearchChannel search;
    std::atomic<bool> searchStopped{false};
    search.Start([&](SearchChannel& worker) {
        worker.WorkerText() = "lot";
        searchStopped = !worker.HandOver();
    });
    ASSERT_TRUE(search.WaitBatch());
    search.TakeText();
    locator.search = &search;
    const auto outcome = locator.Accept(set, fixture.Directory(), "ANY");
    EXPECT_TRUE(outcome.adopted);
    EXPECT_EQ(outcome.reading.status, LexiconSet::Status::NoIndex);
    EXPECT_EQ(outcome.repairs, 2 | 4 | 8);
    EXPECT_EQ(busyCalls, 11);
    EXPECT_EQ(beeps, 1) << "before the question";
    EXPECT_TRUE(search.Stopped()) << "the search is told to stop before the index is rewritten";
    ASSERT_EQ(search.WaitBatchFor(std::chrono::seconds(30)), SearchChannel::WaitResult::Ready);
    search.Join();
    EXPECT_TRUE(searchStopped) << "the waiting search was woken to stop";
    ASSERT_EQ(prompter.messages.size(), 2u) << "the question, then the report; no weights warning for fr";
    EXPECT_EQ(
        prompter.messages[0].text,
        " Ce r\xC3\xA9pertoire comporte des fichiers lexique mais le fichier lex.ini associ\xC3\xA9 est absent.\r\n"
        "Voulez-vous reconstruire ce fichier?");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Question);
    EXPECT_EQ(prompter.messages[1].text, kReportAll);
    EXPECT_EQ(prompter.messages[1].icon, PromptIcon::Information);

    EXPECT_TRUE(set.Ready());
    EXPECT_EQ(set.Directory(), fixture.Directory());
    EXPECT_EQ(set.Radical(), "fr");
    EXPECT_EQ(set.FileCount(), built.FileCount());
    EXPECT_EQ(set.FirstEntries(), built.FirstEntries());
    EXPECT_EQ(set.FirstFiles(), built.FirstFiles());
    EXPECT_EQ(set.LastFiles(), built.LastFiles());
    EXPECT_EQ(set.VowelBag().Remaining(), 245);
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(fixture.Directory() / LexiconSet::kIndexName));
    LexiconSet reread;
    EXPECT_TRUE(reread.ReadLexIni(fixture.Directory()).Complete()) << "the rebuilt index is complete";
}

TEST(LexiconLocator, ARepairCountsOnlyTheFilesNamedByTheRadicalAndTwoDigits) {
    test::FixtureLexicon fixture(kWords);
    const LexiconSet built = fixture.Load();
    RemoveIndex(fixture.Directory());
    for (const char* stray : {"notes.lex", "fr.lex", "fr100.lex", "fr00.lex", "fr1.lex", "xfr02.lex"})
        fixture.Folder().Write("lexiques/" + std::string(stray), "AB ab\r\n");
    test::RecordingPrompter prompter;
    LexiconSet set;
    EXPECT_TRUE(LexiconLocator(prompter).Accept(set, fixture.Directory(), "ANY").adopted);
    EXPECT_EQ(set.FileCount(), built.FileCount());
    EXPECT_EQ(Profile(fixture.Directory() / LexiconSet::kIndexName).ReadInt("lexiques", "nb_of_lexs", 0),
              built.FileCount());
}

TEST(LexiconLocator, ARepairThatCannotWriteTheIndexSaysSoOnceAndIsNotDone) {
    // A folder that is not empty in the place of the index's temporary file:
    // no write of the index can succeed, whoever runs the test.
    for (const bool indexPresent : {false, true}) {
        SCOPED_TRACE(indexPresent ? "incomplete index" : "no index");
        test::FixtureLexicon fixture(kWords);
        const fs::path index = fixture.Directory() / LexiconSet::kIndexName;
        if (indexPresent)
            ASSERT_TRUE(Profile(index).WriteString("first entries", "3", ""));
        else
            RemoveIndex(fixture.Directory());
        const std::string before = fixture.Folder().Read("lexiques/lex.ini");
        fixture.Folder().Write("lexiques/lex.ini.tmp~/kept", "");
        test::RecordingPrompter prompter;
        LexiconSet set;
        int beeps = 0;
        bool busy = false;
        LexiconLocator locator(prompter);
        locator.onBeep = [&] { ++beeps; };
        locator.onBusy = [&](bool on) { busy = on; };
        const auto outcome = locator.Accept(set, fixture.Directory(), "ANY");
        EXPECT_FALSE(outcome.adopted);
        EXPECT_FALSE(set.Ready());
        EXPECT_FALSE(busy);
        EXPECT_EQ(beeps, 1) << "before the question; the failure's exclamation box sounds by itself";
        ASSERT_EQ(prompter.messages.size(), 2u) << "the question, then the failure told once; no report";
        EXPECT_NE(prompter.messages[1].text.find(index.string()), std::string::npos) << prompter.messages[1].text;
        EXPECT_EQ(prompter.messages[1].text.find(".tmp~"), std::string::npos) << prompter.messages[1].text;
        EXPECT_EQ(prompter.messages[1].icon, PromptIcon::Exclamation);
        EXPECT_EQ(fixture.Folder().Read("lexiques/lex.ini"), before) << "the index is left as it was";
    }
}

TEST(LexiconLocator, WarnsAboutFrenchWeightsWhenTheRadicalDoesNotBeginWithFr) {
    // "fr" in those two letters, in that case: "FRx" and "Fr" do not begin
    // with it; an empty radical names no language and gets no warning.
    for (const std::string radical : {"en", "", "FRx", "Fr", "frx"}) {
        test::FixtureLexicon fixture(kWords, radical);
        RemoveIndex(fixture.Directory());
        test::RecordingPrompter prompter;
        LexiconSet set;
        ASSERT_TRUE(LexiconLocator(prompter).Accept(set, fixture.Directory(), "any").adopted) << radical;
        EXPECT_EQ(set.Radical(), radical);
        const bool warned = prompter.messages.size() == 3 &&
                            prompter.messages[1].text.find("Comme ce lexique n'est pas fran") != std::string::npos;
        EXPECT_EQ(warned, radical == "en" || radical == "FRx" || radical == "Fr") << "radical '" << radical << "'";
    }
}

TEST(LexiconLocator, RepairsOnlyWhatIsMissing) {
    test::FixtureLexicon fixture(kWords);
    Profile ini(fixture.Directory() / LexiconSet::kIndexName);
    ASSERT_TRUE(ini.WriteString("nb voyelles", "Y", ""));
    test::RecordingPrompter prompter;
    LexiconSet set;
    const auto outcome = LexiconLocator(prompter).Accept(set, fixture.Directory(), "ANY");
    EXPECT_TRUE(outcome.adopted);
    EXPECT_EQ(outcome.repairs, LexiconSet::kMissingWeight);
    EXPECT_EQ(outcome.reportLines, std::vector<std::string>{"Probabilit\xC3\xA9s des lettres red\xC3\xA9"
                                                            "finie."});
    EXPECT_NE(prompter.messages[0].text.find("est incomplet."), std::string::npos);
    EXPECT_EQ(ini.ReadInt("nb voyelles", "Y", -1), 2);
}

TEST(LexiconLocator, AdoptsACompleteLexiconAndShowsItsFolder) {
    test::FixtureLexicon fixture(kWords);
    test::RecordingPrompter prompter;
    LexiconSet set;
    EXPECT_TRUE(LexiconLocator(prompter).Accept(set, fixture.Directory(), "fr").adopted);
    EXPECT_TRUE(set.Ready());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, fixture.Directory().string());
}

TEST(LexiconLocator, AnIndexThatCannotBeReadSaysSoAndOffersNoRepair) {
    test::FixtureLexicon fixture(kWords);
    // Something that is not a file stands where the index should be.
    const std::filesystem::path index = fixture.Directory() / "lex.ini";
    ReadOnlyFile::MakeWritable(index);
    std::filesystem::remove(index);
    std::filesystem::create_directory(index);
    test::RecordingPrompter prompter;
    LexiconSet set;
    const auto outcome = LexiconLocator(prompter).Accept(set, fixture.Directory(), "ANY");
    EXPECT_FALSE(outcome.adopted);
    EXPECT_FALSE(outcome.reading.problem.empty());
    ASSERT_EQ(prompter.messages.size(), 1u) << "no rebuild is offered";
    EXPECT_EQ(prompter.messages[0].text, "Recherche de lexique:\r\n" + outcome.reading.problem);
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Exclamation);
}

TEST(LexiconLocator, RefusalsAndDismissalLeaveTheLexiconInUseAlone) {
    test::FixtureLexicon inUse(kWords);
    test::FixtureLexicon candidate({"ou", "oui", "non"}, "xy");
    const LexiconSet before = inUse.Load();
    LexiconSet set = before;
    const auto unchanged = [&] {
        EXPECT_TRUE(set.Ready());
        EXPECT_EQ(set.Directory(), before.Directory());
        EXPECT_EQ(set.Radical(), before.Radical());
        EXPECT_EQ(set.FileCount(), before.FileCount());
        EXPECT_EQ(set.FirstFiles(), before.FirstFiles());
        EXPECT_EQ(set.FirstEntries(), before.FirstEntries());
    };

    // A resumed game needs radical "fr": the candidate's files are "xy..".
    test::RecordingPrompter prompter;
    EXPECT_FALSE(LexiconLocator(prompter).Accept(set, candidate.Directory(), "fr").adopted);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Veuillez localiser les fichiers lexique frxx.lex.");
    EXPECT_EQ(prompter.messages[0].caption, "Le mot le plus long");
    unchanged();

    // The player dismisses the rebuild of an incomplete index.
    Profile ini(candidate.Directory() / LexiconSet::kIndexName);
    ASSERT_TRUE(ini.WriteString("first", "3", ""));
    prompter.QueueAnswer(PromptAnswer::Cancel);
    EXPECT_FALSE(LexiconLocator(prompter).Accept(set, candidate.Directory(), "ANY").adopted);
    unchanged();

    // Fewer files than the index announces.
    ASSERT_TRUE(ini.WriteInt("lexiques", "nb_of_lexs", 9));
    prompter.messages.clear();
    EXPECT_FALSE(LexiconLocator(prompter).Accept(set, candidate.Directory(), "ANY").adopted);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "Recherche de lexique:\r\nPas d'ensemble complet de fichiers lexique dans ce dossier!");
    unchanged();

    // No index, and a gap in the files: the rebuild fails on the missing file.
    RemoveIndex(candidate.Directory());
    ReadOnlyFile::MakeWritable(candidate.Directory() / "xy02.lex");
    fs::rename(candidate.Directory() / "xy02.lex", candidate.Directory() / "xy05.lex");
    prompter.messages.clear();
    EXPECT_FALSE(LexiconLocator(prompter).Accept(set, candidate.Directory(), "ANY").adopted);
    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_NE(prompter.messages[1].text.find("Impossible d'ouvrir"), std::string::npos);
    EXPECT_EQ(
        prompter.messages[2].text,
        "Recherche de lexique:\r\nPas d'ensemble de fichiers lexique op\xC3\xA9rationnel dans ce r\xC3\xA9pertoire");
    EXPECT_FALSE(fs::exists(candidate.Directory() / LexiconSet::kIndexName)) << "a failed repair writes nothing";
    unchanged();
}

TEST(LexiconLocator, RefusesToRebuildAnIndexForFilesNoIndexCanName) {
    test::FixtureLexicon fixture({"ou", "oui"});
    RemoveIndex(fixture.Directory());
    for (const char* number : {"01", "02"})
        fs::rename(fixture.Directory() / ("fr" + std::string(number) + ".lex"),
                   fixture.Directory() / ("radicaltroplong" + std::string(number) + ".lex"));
    test::RecordingPrompter prompter;
    LexiconSet set;
    EXPECT_FALSE(LexiconLocator(prompter).Accept(set, fixture.Directory(), "ANY").adopted);
    EXPECT_EQ(
        prompter.messages.back().text,
        "Recherche de lexique:\r\nPas d'ensemble de fichiers lexique op\xC3\xA9rationnel dans ce r\xC3\xA9pertoire");
}

TEST(LexiconLocator, TitlesTheDialogByRadical) {
    EXPECT_EQ(LexiconLocator::DialogTitle("ANY"), "Localisez le lexique");
    EXPECT_EQ(LexiconLocator::DialogTitle("any"), "Localisez le lexique");
    EXPECT_EQ(LexiconLocator::DialogTitle("fr"), "Localisez le lexique frxx.lex");
}

} // namespace
} // namespace lexinum
