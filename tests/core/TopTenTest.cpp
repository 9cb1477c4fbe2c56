// The Top Ten file: where a result goes in its level, the dialog's list, an
// update cut off and taken back from its backup, and damaged files.
#include "match/TopTen.h"

#include "common/ReadOnlyFile.h"
#include "match/ScrambledLine.h"

#include "RecordingPrompter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

TopTenEntry Dated(const std::string& name, int player, int computer, int day = 5, int month = 3, int year = 1999,
                  int hour = 9, int minute = 7) {
    return {name, player, computer, TopTenTime{year, month, day, hour, minute}};
}

// Ten results of one kind, named from `prefix`1 to `prefix`10, dated a day apart.
std::vector<TopTenEntry> Series(const std::string& prefix, int player, int computer, int count = 10) {
    std::vector<TopTenEntry> entries;
    for (int i = 1; i <= count; ++i)
        entries.push_back(Dated(prefix + std::to_string(i), player, computer, 28 - i));
    return entries;
}

std::vector<TopTenEntry> Join(std::vector<TopTenEntry> a, const std::vector<TopTenEntry>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A file written scrambled from its plain lines.
std::string Scrambled(const std::string& plain) {
    return ScrambledLine::Scramble(plain);
}

std::string BookBytes(int level, const std::vector<TopTenEntry>& entries) {
    TopTenBook book;
    book.levels[0] = {Dated("Autre", 2, 0, 1, 1, 2020, 0, 0)}; // another level, left as it is
    book.levels[static_cast<std::size_t>(level - 1)] = entries;
    return TopTenBytes(book);
}

TEST(TopTen, FirstMatchEverWritesTheSevenHeadersAndTheEntryReadOnly) {
    test::TempFolder folder;
    test::RecordingPrompter prompter;
    EXPECT_EQ(UpdateTopTen(folder.Path(), 3, Dated("Zoé", 2, 0, 5, 3, 1999, 9, 7), prompter), TopTenUpdate::Recorded);
    EXPECT_EQ(folder.Read("topten"),
              Scrambled("@1\r\n@2\r\n@3\r\nZo\xe9 2 0 5 2 1999 9 7\r\n@4\r\n@5\r\n@6\r\n@7\r\n"));
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(folder / "topten"));
    EXPECT_FALSE(fs::exists(folder / "topten.bak"));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(TopTen, ANewResultGoesBeforeTheFirstWhoseMarginIsNotLargerAndTenAreKept) {
    const auto wins = Series("G", 2, 0);
    const auto defeats = Series("P", 0, 2);
    const TopTenEntry win = Dated("Nouveau", 2, 0, 1, 4);
    const TopTenEntry defeat = Dated("Nouveau", 1, 3, 1, 4);
    const auto first = [](const std::vector<TopTenEntry>& all, int n) {
        return std::vector<TopTenEntry>(all.begin(), all.begin() + n);
    };
    struct Case {
        const char* what;
        std::vector<TopTenEntry> before;
        TopTenEntry added;
        TopTenUpdate result;
        std::vector<TopTenEntry> after;
    };
    const Case cases[] = {
        {"empty level", {}, win, TopTenUpdate::Recorded, {win}},
        {"ten wins, a new win first, the tenth dropped", wins, win, TopTenUpdate::Recorded,
         Join({win}, first(wins, 9))},
        {"ten wins, a defeat not recorded", wins, defeat, TopTenUpdate::NotRanked, wins},
        {"three wins two defeats, a defeat before the older defeats", Join(first(wins, 3), first(defeats, 2)), defeat,
         TopTenUpdate::Recorded, Join(Join(first(wins, 3), {defeat}), first(defeats, 2))},
        {"three wins two defeats, a win first", Join(first(wins, 3), first(defeats, 2)), win, TopTenUpdate::Recorded,
         Join(Join({win}, first(wins, 3)), first(defeats, 2))},
        {"nine wins, a defeat last", first(wins, 9), defeat, TopTenUpdate::Recorded, Join(first(wins, 9), {defeat})},
        {"ten defeats, a defeat first", defeats, defeat, TopTenUpdate::Recorded, Join({defeat}, first(defeats, 9))},
        {"ten defeats, a win first", defeats, win, TopTenUpdate::Recorded, Join({win}, first(defeats, 9))},
        {"a larger margin stays ahead",
         {Dated("Large", 3, 0), wins[0]},
         win,
         TopTenUpdate::Recorded,
         {Dated("Large", 3, 0), win, wins[0]}},
        {"no date",
         first(wins, 1),
         TopTenEntry{"Sans", 2, 0, std::nullopt},
         TopTenUpdate::Recorded,
         {TopTenEntry{"Sans", 2, 0, std::nullopt}, wins[0]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        test::RecordingPrompter prompter;
        const std::string before = BookBytes(4, c.before);
        folder.Write("topten", before);
        ReadOnlyFile::MakeReadOnly(folder / "topten");
        EXPECT_EQ(UpdateTopTen(folder.Path(), 4, c.added, prompter), c.result);
        const TopTenBook book = ParseTopTen(folder.Read("topten"));
        EXPECT_TRUE(book.Whole()) << book.problem;
        EXPECT_EQ(book.Level(4), c.after);
        EXPECT_EQ(book.Level(1), ParseTopTen(before).Level(1));
        if (c.result == TopTenUpdate::NotRanked) {
            EXPECT_EQ(folder.Read("topten"), before);
        }
        EXPECT_TRUE(ReadOnlyFile::IsReadOnly(folder / "topten"));
        EXPECT_FALSE(fs::exists(folder / "topten.bak"));
        EXPECT_TRUE(prompter.messages.empty());
    }
}

TEST(TopTen, ListingShowsCategoriesWithABlankLineBetweenAndTheDate) {
    struct Case {
        const char* what;
        std::string file; // plain lines of the file
        int level;
        std::string listing;
    };
    const Case cases[] = {
        {"a win and a defeat, month stored from 0",
         "@1\r\n@2\r\nZo\xe9 2 0 5 2 1999 9 7\r\nLuc 1 3 29 1 2000 23 59\r\n@3\r\n@4\r\n@5\r\n@6\r\n@7\r\n", 2,
         "Ordinateur battu par:\r\nZoé\t2 à 0\tle 05/03/1999 à 09h07\r\n\r\n"
         "Ordinateur gagnant contre:\r\nLuc\t3 à 1\tle 29/02/2000 à 23h59\r\n"},
        {"wins together, a draw, no date (three fields or day 0)",
         "@1\r\nAnn 2 0\r\nBen 4 2 0 0 0 0 0\r\nEve 1 1 1 0 2001 0 0\r\n@2\r\n@3\r\n@4\r\n@5\r\n@6\r\n@7\r\n", 1,
         "Ordinateur battu par:\r\nAnn\t2 à 0\r\nBen\t4 à 2\r\n\r\n"
         "Ordinateur tenu en échec par:\r\nEve\t1 à 1\tle 01/01/2001 à 00h00\r\n"},
        {"an empty level", "@1\r\nAnn 2 0\r\n@2\r\n@3\r\n@4\r\n@5\r\n@6\r\n@7\r\n", 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ListingText(Scrambled(c.file), c.level), c.listing);
    }
}

TEST(TopTen, AnUpdateCutOffIsTakenBackFromAWholeBackup) {
    const std::string whole = BookBytes(2, Series("G", 2, 0, 4));
    const std::string older = BookBytes(2, Series("G", 2, 0, 2));
    const std::string cut = whole.substr(0, whole.size() / 2);
    const TopTenEntry win = Dated("Nouveau", 2, 0, 1, 4);
    struct Case {
        const char* what;
        std::optional<std::string> file, backup;
        std::string shown; // the bytes whose lists are shown
        bool recovered;
    };
    const Case cases[] = {
        {"file cut off", cut, whole, whole, true},
        {"file missing", std::nullopt, whole, whole, true},
        {"backup left beside a whole file", whole, older, whole, false},
        {"backup cut off beside a whole file", whole, cut, whole, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto prepare = [&c](const test::TempFolder& folder) {
            if (c.file)
                folder.Write("topten", *c.file);
            if (c.backup)
                folder.Write("topten.bak", *c.backup);
        };
        {
            // A look without mending writes nothing.
            test::TempFolder folder;
            prepare(folder);
            const TopTenLoad load = ReadTopTen(folder / "topten", false);
            ASSERT_EQ(load.result, TopTenRead::Read);
            EXPECT_EQ(load.book.recovered, c.recovered);
            EXPECT_EQ(load.book.Level(2), ParseTopTen(c.shown).Level(2));
            EXPECT_EQ(folder.Read("topten"), c.file.value_or(""));
            EXPECT_EQ(folder.Read("topten.bak"), c.backup.value_or(""));
        }
        {
            // The display mends: the file whole and read-only, the backup gone.
            test::TempFolder folder;
            prepare(folder);
            EXPECT_EQ(ReadTopTen(folder / "topten", true).book.Level(2), ParseTopTen(c.shown).Level(2));
            EXPECT_EQ(folder.Read("topten"), c.shown);
            EXPECT_FALSE(fs::exists(folder / "topten.bak"));
        }
        {
            // So does the next update, which merges into the whole lists.
            test::TempFolder folder;
            test::RecordingPrompter prompter;
            prepare(folder);
            EXPECT_EQ(UpdateTopTen(folder.Path(), 2, win, prompter), TopTenUpdate::Recorded);
            EXPECT_EQ(ParseTopTen(folder.Read("topten")).Level(2), Join({win}, ParseTopTen(c.shown).Level(2)));
            EXPECT_TRUE(ReadOnlyFile::IsReadOnly(folder / "topten"));
            EXPECT_FALSE(fs::exists(folder / "topten.bak"));
            EXPECT_TRUE(prompter.messages.empty());
        }
    }
}

TEST(TopTen, DamagedFilesAreReadAsFarAsTheyCanBeAndNeverRewrittenBlindly) {
    const std::string rest = "@2\r\n@3\r\n@4\r\n@5\r\n@6\r\n@7\r\n";
    struct Case {
        const char* what;
        std::string bytes;   // as on disk
        std::string problem; // part of the reason; empty for a whole file
        int skipped;
        std::vector<TopTenEntry> level1;
    };
    const Case cases[] = {
        {"binary",
         std::string("\x01\x02\x00garbage\xfe\xff more", 17),
         "ne commence pas par l'en-tête du niveau 1",
         0,
         {}},
        {"not scrambled", "@1\r\nAnn 2 0\r\n" + rest, "ne commence pas par l'en-tête du niveau 1", 0, {}},
        {"header missing",
         Scrambled("@1\r\nAnn 2 0\r\n@2\r\n@4\r\n@5\r\n@6\r\n@7\r\n"),
         "il manque l'en-tête du niveau 3",
         0,
         {{"Ann", 2, 0, std::nullopt}}},
        {"headers out of order",
         Scrambled("@1\r\n@3\r\n@2\r\n@4\r\n@5\r\n@6\r\n@7\r\n"),
         "il manque l'en-tête du niveau 2",
         0,
         {}},
        {"a header beyond the end",
         Scrambled("@1\r\n@2\r\n@3\r\n@4\r\n@5\r\n@6\r\n@8\r\n@7\r\n"),
         "en-tête de niveau 8 inconnu",
         0,
         {}},
        {"cut off",
         Scrambled("@1\r\nAnn 2 0\r\n@2\r\n@3\r\nBob 2 0 1 1 19"),
         "il manque l'en-tête du niveau 4",
         0,
         {{"Ann", 2, 0, std::nullopt}}},
        {"lines after the end", Scrambled("@1\r\n" + rest + "Ann 2 0\r\n"), "des lignes suivent la fin", 0, {}},
        {"bad entries skipped",
         Scrambled("@1\r\n" + std::string(300, 'x') + " 2 0\r\nAnn 2\r\nBob x 0\r\nCid -1 2\r\nD\x1b" +
                   "d 2 0\r\nEve 2 0 9 9 1999 99 9\r\n" + rest),
         "",
         5,
         {{"Eve", 2, 0, std::nullopt}}},
        {"a long name cut, impossible dates dropped",
         Scrambled("@1\r\nAbcdefghijklmnop 2 0\r\nFeb 2 0 30 1 1999 9 7\r\nHour 0 2 1 0 1999 24 0\r\n" + rest),
         "",
         0,
         {{"Abcdefghijk", 2, 0, std::nullopt}, {"Feb", 2, 0, std::nullopt}, {"Hour", 0, 2, std::nullopt}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TopTenBook book = ParseTopTen(c.bytes);
        if (c.problem.empty())
            EXPECT_TRUE(book.Whole()) << book.problem;
        else
            EXPECT_NE(book.problem.find(c.problem), std::string::npos) << book.problem;
        EXPECT_EQ(book.skippedLines, c.skipped);
        EXPECT_EQ(book.Level(1), c.level1);

        test::TempFolder folder;
        test::RecordingPrompter prompter;
        folder.Write("topten", c.bytes);
        const TopTenUpdate result = UpdateTopTen(folder.Path(), 1, Dated("Zoé", 2, 0), prompter);
        EXPECT_FALSE(fs::exists(folder / "topten.bak"));
        if (c.problem.empty()) {
            // Unreadable entries of the level are dropped; the others stay.
            EXPECT_EQ(result, TopTenUpdate::Recorded);
            EXPECT_EQ(ParseTopTen(folder.Read("topten")).Level(1), Join({Dated("Zoé", 2, 0)}, c.level1));
        } else {
            EXPECT_EQ(result, TopTenUpdate::Failed);
            EXPECT_EQ(folder.Read("topten"), c.bytes);
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0].text.rfind("Erreur de fichier:\r\nFichier TopTen hors d'usage : ", 0), 0u);
            EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Exclamation);
        }
    }
}

TEST(TopTen, AnUpdateThatCannotWriteTellsWhyAndLeavesTheFileAsItWas) {
    const std::string before = BookBytes(1, Series("G", 2, 0, 3));
    struct Case {
        const char* what;
        const char* blocked; // a folder holding a file, put where the update writes
        std::string message;
    };
    const Case cases[] = {
        {"backup", "topten.bak", TopTenTexts::kBackupError},
        {"new file", "topten.tmp~", TopTenTexts::kWriteError},
        {"file", "topten", "Erreur de fichier:\r\nImpossible de lire "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        test::RecordingPrompter prompter;
        if (std::string(c.blocked) != "topten") {
            folder.Write("topten", before);
            ReadOnlyFile::MakeReadOnly(folder / "topten");
        }
        fs::create_directory(folder / c.blocked);
        folder.Write(std::string(c.blocked) + "/x", "x");
        EXPECT_EQ(UpdateTopTen(folder.Path(), 1, Dated("Zoé", 2, 0), prompter), TopTenUpdate::Failed);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text.rfind(c.message, 0), 0u) << prompter.messages[0].text;
        EXPECT_EQ(prompter.messages[0].caption, "Lexinum");
        if (std::string(c.blocked) != "topten") {
            EXPECT_EQ(folder.Read("topten"), before);
            EXPECT_TRUE(ReadOnlyFile::IsReadOnly(folder / "topten"));
        }
        if (std::string(c.blocked) != "topten.bak") {
            EXPECT_FALSE(fs::exists(folder / "topten.bak"));
        }
    }
}

TEST(TopTen, TheDialogOpensAtALevelThatExists) {
    const std::pair<int, int> cases[] = {{1, 1}, {4, 4}, {6, 6}, {0, 6}, {7, 6}, {-3, 6}, {INT_MIN, 6}, {INT_MAX, 6}};
    for (const auto& [given, shown] : cases)
        EXPECT_EQ(TopTenLevelFor(given), shown) << given;
    EXPECT_EQ(TopTenLevelItem(2), "2: écolier");
    EXPECT_TRUE(TopTenTime::Now().IsValid());
}

} // namespace
} // namespace lexinum
