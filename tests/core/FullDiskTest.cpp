// Every file the game writes during play, written on a disk that fills up: a
// saved match, the Top Ten, a word added to or removed from the lexicon, the
// settings. Each write that cannot be made whole is told in French and leaves
// every file as it was (bytes and read-only bit), with nothing left beside it.
#include "common/Cp1252.h"
#include "common/Profile.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LexiconEditor.h"
#include "lexicon/LexiconSet.h"
#include "match/SavedGame.h"
#include "match/TopTen.h"

#include "FileSizeLimit.h"
#include "FixtureLexicon.h"
#include "RecordingPrompter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

// What a folder holds: each file's bytes and whether it is read-only.
using Contents = std::map<std::string, std::pair<std::string, bool>>;

Contents ContentsOf(const fs::path& folder) {
    Contents contents;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        std::string bytes;
        if (entry.is_regular_file())
            ReadOnlyFile::ReadAll(entry.path(), bytes);
        else
            bytes = "<not a file>";
        contents[name] = {bytes, ReadOnlyFile::IsReadOnly(entry.path())};
    }
    return contents;
}

// The files of `after` that are not as in `before`: added, gone, changed or
// with another read-only bit.
std::string Differences(const Contents& before, const Contents& after) {
    std::string differences;
    for (const auto& [name, file] : after) {
        const auto was = before.find(name);
        if (was == before.end())
            differences += name + " added (" + std::to_string(file.first.size()) + " bytes); ";
        else if (was->second.first != file.first)
            differences += name + " changed (" + std::to_string(was->second.first.size()) + " bytes, now " +
                           std::to_string(file.first.size()) + "); ";
        else if (was->second.second != file.second)
            differences += name + (file.second ? " made read-only; " : " made writable; ");
    }
    for (const auto& [name, file] : before)
        if (after.count(name) == 0)
            differences += name + " gone; ";
    return differences;
}

std::string Messages(const test::RecordingPrompter& prompter) {
    std::string all;
    for (const auto& message : prompter.messages)
        all += message.text + "|";
    return all;
}

// One write the game makes, ready to be made in a folder of its own.
struct Attempt {
    fs::path folder;                              // what must stay as it was
    std::function<bool(std::string& told)> write; // true when made; `told`: what the player reads
    std::shared_ptr<void> keep;                   // what the write needs alive
};

struct FullDiskCase {
    const char* what;
    std::function<Attempt()> prepare;
    const char* told; // how the message begins
};

SavedGame AGame(int roundsPlayed) {
    SavedGame game;
    game.playerName = "Zoé";
    game.level = 3;
    game.counters = {.roundsPlayed = roundsPlayed, .playerPoints = 4, .computerPoints = 2};
    game.vowelBag = {40, 90, 38, 33, 31, 2};
    game.consonantBag = {8, 15, 19, 8, 7, 2, 1, 0, 25, 14, 33, 13, 6, 30, 35, 29, 10, 1, 4, 2};
    game.radical = "fr";
    return game;
}

Attempt SaveMatch(bool overAnOldSave) {
    auto folder = std::make_shared<test::TempFolder>();
    const fs::path file = *folder / "partie.tiv";
    if (overAnOldSave)
        SavedGame::Write(file, AGame(14));
    return {folder->Path(),
            [file](std::string& told) {
                const SavedGame::Result result = SavedGame::Write(file, AGame(15));
                told = result.message;
                return result.Ok();
            },
            folder};
}

TopTenEntry Entry(const std::string& name, int player, int computer) {
    return {name, player, computer, TopTenTime{2024, 3, 5, 9, 7}};
}

Attempt RecordResult(int resultsBefore) {
    auto folder = std::make_shared<test::TempFolder>();
    test::RecordingPrompter quiet;
    for (int i = 0; i < resultsBefore; ++i)
        UpdateTopTen(folder->Path(), 1 + i % 6, Entry("J" + std::to_string(i), 2, i % 2 * 2), quiet);
    const fs::path at = folder->Path();
    return {at,
            [at](std::string& told) {
                test::RecordingPrompter prompter;
                const TopTenUpdate update = UpdateTopTen(at, 1, Entry("Zoé", 2, 0), prompter);
                told = Messages(prompter);
                return update != TopTenUpdate::Failed;
            },
            folder};
}

const std::vector<std::string> kWords = {"ami", "été", "sel", "rue", "rate", "tare", "pore", "sort", "porte"};

std::string Bytes(const std::string& utf8) {
    return Cp1252::FromUtf8Lossy(utf8);
}

Attempt ChangeWord(const std::string& word, LexiconEditor::Mode mode) {
    auto fixture = std::make_shared<test::FixtureLexicon>(kWords, "fr", 1, 3);
    const fs::path at = fixture->Directory();
    return {at,
            [fixture, word, mode](std::string& told) {
                test::RecordingPrompter prompter;
                LexiconSet set = fixture->Load();
                LexiconEditor editor(set, &prompter);
                const auto outcome = editor.Change(Bytes(word), mode, LexiconEditor::Moment{5, 3, 2024, 9, 7, 3});
                told = Messages(prompter);
                // The lexicon in memory is still one that serves, as the disk holds it.
                EXPECT_TRUE(set.Ready()) << word;
                LexiconSet reread;
                EXPECT_TRUE(reread.ReadLexIni(fixture->Directory()).Complete()) << word;
                EXPECT_EQ(set.FirstEntries(), reread.FirstEntries()) << word;
                return outcome == LexiconEditor::Outcome::Done;
            },
            fixture};
}

Attempt WriteSetting(Profile::ReadOnlyRule rule) {
    auto folder = std::make_shared<test::TempFolder>();
    const fs::path file = folder->Write("tiv.ini", "[GENERAL]\r\nx=12\r\ny=40\r\n\r\n[LETTRES]\r\nnb lettres=7\r\n");
    return {folder->Path(),
            [file, rule](std::string& told) {
                Profile settings(file, rule);
                const bool written = settings.WriteString("GENERAL", "parties", "/home/zoé/parties");
                told = settings.LastError();
                // What could not be written is not read back as if it had been.
                EXPECT_EQ(settings.ReadString("GENERAL", "parties", "", 100), written ? "/home/zoé/parties" : "");
                return written;
            },
            folder};
}

const FullDiskCase kCases[] = {
    {"a match saved over its last save", [] { return SaveMatch(true); },
     "Erreur de fichier:\r\nImpossible de sauvegarder le fichier."},
    {"a match saved under a new name", [] { return SaveMatch(false); },
     "Erreur de fichier:\r\nImpossible de sauvegarder le fichier."},
    {"the first result of the Top Ten", [] { return RecordResult(0); },
     "Erreur de fichier:\r\nImpossible d'ouvrir le fichier "},
    {"a result among twelve", [] { return RecordResult(12); }, "Erreur de fichier:\r\nImpossible d'ouvrir le fichier "},
    {"a word added first in its file", [] { return ChangeWord("bai", LexiconEditor::Mode::Add); },
     "Erreur de fichier."},
    {"an anagram added", [] { return ChangeWord("taré", LexiconEditor::Mode::Add); }, "Erreur de fichier."},
    {"the first word of a file removed", [] { return ChangeWord("ami", LexiconEditor::Mode::Remove); },
     "Erreur de fichier."},
    {"a word removed within its file", [] { return ChangeWord("sel", LexiconEditor::Mode::Remove); },
     "Erreur de fichier."},
    {"the settings", [] { return WriteSetting(Profile::ReadOnlyRule::Respect); },
     "Erreur de fichier:\r\nImpossible d'enregistrer "},
};

// Each write is made once on a disk with room, to learn the sizes of what it
// writes; then once for each size at which one of its files no longer fits.
TEST(FullDisk, AWriteThatCannotBeMadeWholeIsToldAndLeavesEveryFileAsItWas) {
    for (const FullDiskCase& c : kCases) {
        SCOPED_TRACE(c.what);
        std::set<rlim_t> limits = {0};
        {
            Attempt roomy = c.prepare();
            for (const auto& [name, file] : ContentsOf(roomy.folder))
                limits.insert(file.first.size() - (file.first.empty() ? 0 : 1));
            std::string told;
            ASSERT_TRUE(roomy.write(told)) << told;
            for (const auto& [name, file] : ContentsOf(roomy.folder))
                limits.insert(file.first.size() - (file.first.empty() ? 0 : 1));
        }
        int failed = 0;
        for (const rlim_t limit : limits) {
            SCOPED_TRACE("files limited to " + std::to_string(limit) + " bytes");
            Attempt attempt = c.prepare();
            const Contents before = ContentsOf(attempt.folder);
            std::string told;
            bool written = false;
            {
                const test::FileSizeLimit full(limit);
                written = attempt.write(told);
            }
            if (written)
                continue;
            ++failed;
            EXPECT_EQ(told.rfind(c.told, 0), 0u) << told;
            EXPECT_EQ(told.find("Erreur de fichier", 1), std::string::npos) << "one header: " << told;
            EXPECT_EQ(Differences(before, ContentsOf(attempt.folder)), "");
        }
        EXPECT_GT(failed, 0);
    }
}

// A journal that cannot grow keeps every line it had (no part of a line is
// left at its end); the change itself stands, as the player is told.
TEST(FullDisk, AJournalThatCannotGrowKeepsItsLinesAndTheChangeStands) {
    for (const bool exists : {true, false}) {
        SCOPED_TRACE(exists ? "a long journal" : "no journal yet");
        test::FixtureLexicon fixture(kWords, "fr", 1, 3);
        const fs::path journal = fixture.Directory() / LexiconEditor::kJournalName;
        std::string lines = LexiconEditor::kJournalHeader;
        const LexiconEditor::Moment when{5, 3, 2024, 9, 7, 3};
        while (exists && lines.size() < 8192)
            lines += LexiconEditor::JournalLine("ami", LexiconEditor::Mode::Add, when);
        if (exists) {
            fixture.Folder().Write("lexiques/lex.log", lines);
            ReadOnlyFile::MakeReadOnly(journal);
        }
        // The word's lexicon file fits (an anagram: the index is not
        // rewritten); the journal with one more line does not.
        const rlim_t limit = exists ? lines.size() + 10 : 100;
        LexiconSet set = fixture.Load();
        test::RecordingPrompter prompter;
        LexiconEditor editor(set, &prompter);
        LexiconEditor::Outcome outcome;
        {
            const test::FileSizeLimit full(limit);
            outcome = editor.Change(Bytes("taré"), LexiconEditor::Mode::Add, when);
        }
        EXPECT_EQ(outcome, LexiconEditor::Outcome::Done);
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_EQ(prompter.messages.back().text, "Impossible de mettre à jour le fichier journal.\r\n");
        if (exists) {
            EXPECT_TRUE(fixture.Folder().Read("lexiques/lex.log") == lines) << "the journal changed";
            EXPECT_TRUE(ReadOnlyFile::IsReadOnly(journal));
        } else {
            // No journal without its header: the next change creates it whole.
            EXPECT_FALSE(fs::exists(journal));
        }
        EXPECT_TRUE(LexiconSet().ReadLexIni(fixture.Directory()).Complete());
    }
}

} // namespace
} // namespace lexinum
