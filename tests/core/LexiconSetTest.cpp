#include "lexicon/LexiconSet.h"
#include "common/Profile.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LetterTables.h"

#include "FixtureLexicon.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

// Ten keys, each in a file of its own: ET IL (length 2, files 1-2), ELS ILT
// (length 3, files 3-4), no word of 4 letters, then ABELT ABERR CEHIN EEELV
// EILRV EOPRT (length 5, files 5-10).
const std::vector<std::string> kWords = {"et",    "il",    "lit",   "sel",   "arbre",
                                         "chien", "livre", "table", "porte", "\xC3\xA9l\xC3\xA8ve"};

// Blanks one key of an index, as if it were missing.
void BlankIndexKey(const fs::path& folder, const std::string& section, const std::string& key) {
    Profile ini(folder / LexiconSet::kIndexName);
    ASSERT_TRUE(ini.WriteString(section, key, ""));
}

TEST(LexiconSet, ReadsACompleteIndex) {
    test::FixtureLexicon fixture(kWords);
    LexiconSet set;
    EXPECT_EQ(set.vowelBag.Remaining() + set.consonantBag.Remaining(), 26 * 10) << "ten tiles a letter until read";
    ASSERT_TRUE(set.ReadLexIni(fixture.Directory()).Complete());
    EXPECT_EQ(set.directory, fixture.Directory());
    EXPECT_EQ(set.radical, "fr");
    EXPECT_EQ(set.fileCount, 10);
    EXPECT_EQ(set.firstEntries[0], "ET");
    EXPECT_EQ(set.firstEntries[7], "EEELV");
    EXPECT_EQ(set.LexFilePath(8), fixture.Directory() / "fr08.lex");
    EXPECT_EQ(set.vowelWeights, kDefaultVowelWeights);
    EXPECT_EQ(set.consonantWeights, kDefaultConsonantWeights);
    EXPECT_EQ(set.vowelBag.Remaining(), 245);
    EXPECT_EQ(set.consonantBag.Remaining(), 274);
    EXPECT_EQ(set.vowelBag.Count(1), 94) << "the bags follow the order A E I O U Y";
}

TEST(LexiconSet, RefusesAFolderWithoutACompleteSetOfFiles) {
    test::TempFolder empty;
    LexiconSet set;
    EXPECT_EQ(set.ReadLexIni(empty.Path()).status, LexiconSet::Status::NoLexiconFiles);
    EXPECT_EQ(set.ReadLexIni(empty / "absent").status, LexiconSet::Status::NoLexiconFiles);

    test::FixtureLexicon fixture(kWords);
    set.radical = "old";
    set.fileCount = 12;
    // More files announced than present: the previous count and radical stay.
    Profile ini(fixture.Directory() / LexiconSet::kIndexName);
    ASSERT_TRUE(ini.WriteInt("lexiques", "nb_of_lexs", 11));
    EXPECT_EQ(set.ReadLexIni(fixture.Directory()).status, LexiconSet::Status::NoLexiconFiles);
    EXPECT_EQ(set.radical, "old");
    EXPECT_EQ(set.fileCount, 12);
    EXPECT_TRUE(set.directory.empty());
    // A count outside 1..99 names no set of files either.
    for (int count : {0, -4, 100, 250}) {
        ASSERT_TRUE(ini.WriteInt("lexiques", "nb_of_lexs", count));
        EXPECT_EQ(set.ReadLexIni(fixture.Directory()).status, LexiconSet::Status::NoLexiconFiles) << count;
    }
    ASSERT_TRUE(ini.WriteInt("lexiques", "nb_of_lexs", 10));
    // A radical that would reach files outside the folder.
    for (int n = 1; n <= 10; ++n)
        fixture.Folder().Write(LexiconSet::LexFilePath("", "fr", n).string(), "ET et\r\n");
    ASSERT_TRUE(ini.WriteString("lexiques", "lex_rad", "../fr"));
    EXPECT_EQ(set.ReadLexIni(fixture.Directory()).status, LexiconSet::Status::NoLexiconFiles);
    ASSERT_TRUE(ini.WriteString("lexiques", "lex_rad", "fr"));
    fs::remove(fixture.Directory() / "fr07.lex");
    EXPECT_EQ(set.ReadLexIni(fixture.Directory()).status, LexiconSet::Status::NoLexiconFiles);
}

TEST(LexiconSet, ReportsAMissingIndexThenEachMissingPart) {
    {
        test::FixtureLexicon fixture(kWords);
        fs::remove(fixture.Directory() / LexiconSet::kIndexName);
        LexiconSet set;
        EXPECT_EQ(set.ReadLexIni(fixture.Directory()).status, LexiconSet::Status::NoIndex);
    }
    test::FixtureLexicon fixture(kWords);
    const fs::path dir = fixture.Directory();
    BlankIndexKey(dir, "first entries", "4");
    LexiconSet set;
    EXPECT_EQ(set.ReadLexIni(dir).missing, LexiconSet::kMissingFirstEntry);
    BlankIndexKey(dir, "last", "27");
    EXPECT_EQ(set.ReadLexIni(dir).missing, LexiconSet::kMissingFirstEntry | LexiconSet::kMissingRange);
    BlankIndexKey(dir, "nb consonnes", "Z");
    EXPECT_EQ(set.ReadLexIni(dir).missing, 2 | 4 | 8);
    EXPECT_EQ(set.vowelBag.Remaining(), 245) << "the complete vowel weights are taken";

    // A file number outside the set counts as missing.
    test::FixtureLexicon other(kWords);
    Profile ini(other.Directory() / LexiconSet::kIndexName);
    ASSERT_TRUE(ini.WriteInt("first", "5", 42));
    LexiconSet set2;
    EXPECT_EQ(set2.ReadLexIni(other.Directory()).missing, LexiconSet::kMissingRange);
    EXPECT_EQ(set2.FindLexFile("ABERR", 5, 0), 0);
    // Absurd weights are capped rather than overflow the bag.
    for (const char* vowel : {"A", "E", "I", "O", "U", "Y"})
        ASSERT_TRUE(ini.WriteInt("nb voyelles", vowel, 2000000000));
    set2.ReadLexIni(other.Directory());
    EXPECT_EQ(set2.vowelBag.Remaining(), 6 * LexiconSet::kMaxLetterWeight);
}

TEST(LexiconSet, ChoosesTheFileOfAKeyWithinItsLengthRange) {
    test::FixtureLexicon fixture(kWords);
    const LexiconSet set = fixture.Load();
    EXPECT_EQ(set.FindLexFile("AAAAA", 5, 0), 5) << "below the first entry: the length's first file";
    EXPECT_EQ(set.FindLexFile("ABELT", 5, 0), 5);
    EXPECT_EQ(set.FindLexFile("ABERQ", 5, 0), 5);
    EXPECT_EQ(set.FindLexFile("ABERR", 5, 0), 6) << "a first entry lies in its own file";
    EXPECT_EQ(set.FindLexFile("ABERRS", 5, 0), 6);
    EXPECT_EQ(set.FindLexFile("ZZZZZ", 5, 0), 10) << "never past the length's last file";
    EXPECT_EQ(set.FindLexFile("EI", 2, 0), 1);
    EXPECT_EQ(set.FindLexFile("ZZ", 2, 0), 2);
    // A streaming search with file 8 open never goes back.
    EXPECT_EQ(set.FindLexFile("ABERR", 5, 8), 8);
    EXPECT_EQ(set.FindLexFile("EILRV", 5, 8), 9);
    // Outside the limits of the lexicon.
    EXPECT_EQ(set.FindLexFile("A", 1, 0), 0);
    EXPECT_EQ(set.FindLexFile(std::string(28, 'A'), 28, 0), 0);
    LexiconSet noRange = set;
    noRange.first[5 - kMinKeyLength] = 0;
    EXPECT_EQ(noRange.FindLexFile("ABERR", 5, 0), 0);
}

TEST(LexiconSet, RecomputesRangesWithAMissingLength) {
    test::FixtureLexicon fixture(kWords);
    LexiconSet set = fixture.Load();
    const auto builtFirst = set.first;
    const auto builtLast = set.last;
    set.first.fill(0);
    set.last.fill(0);
    set.RecomputeRanges();
    EXPECT_EQ(set.first, builtFirst);
    EXPECT_EQ(set.last, builtLast);
    EXPECT_EQ(set.FirstFile(2), 1);
    EXPECT_EQ(set.LastFile(2), 2);
    EXPECT_EQ(set.FirstFile(3), 3);
    EXPECT_EQ(set.LastFile(3), 4);
    // No word of 4 letters: the previous length's first file, the next one's last.
    EXPECT_EQ(set.FirstFile(4), 3);
    EXPECT_EQ(set.LastFile(4), 10);
    EXPECT_EQ(set.FirstFile(5), 5);
    EXPECT_EQ(set.LastFile(5), 10);
    EXPECT_EQ(set.FirstFile(27), 5);
    EXPECT_EQ(set.LastFile(27), 10);
    EXPECT_TRUE(LexiconSet::FileHasKeyLength(set.LexFilePath(3), 3));
    EXPECT_FALSE(LexiconSet::FileHasKeyLength(set.LexFilePath(3), 2));
    EXPECT_FALSE(LexiconSet::FileHasKeyLength(fixture.Directory() / "absent.lex", 3));
}

TEST(LexiconSet, RebuildsTheFirstEntriesAndKeepsTheIndexReadOnly) {
    test::FixtureLexicon fixture(kWords);
    const fs::path dir = fixture.Directory();
    const fs::path index = dir / LexiconSet::kIndexName;
    test::RecordingPrompter prompter;
    LexiconSet set = fixture.Load();
    for (int n = 1; n <= 10; ++n)
        BlankIndexKey(dir, "first entries", std::to_string(n));
    set.firstEntries.fill("");
    ReadOnlyFile::MakeReadOnly(index);

    EXPECT_EQ(set.RebuildFirstEntries(dir, nullptr, &prompter), LexiconSet::Status::Ok);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(set.firstEntries[4], "ABELT");
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(index));
    LexiconSet reread;
    EXPECT_TRUE(reread.ReadLexIni(dir).Complete());
    EXPECT_EQ(reread.firstEntries, set.firstEntries);

    std::string key;
    EXPECT_EQ(LexiconSet::ReadFirstKey(dir / "fr05.lex", key), LexiconSet::Status::Ok);
    EXPECT_EQ(key, "ABELT");
    EXPECT_EQ(LexiconSet::ReadFirstKey(dir / "fr05.lex", key, 3), LexiconSet::Status::Ok);
    EXPECT_EQ(key, "ABE");

    // A file that cannot be opened stops the rebuild, says so, and the index
    // stays read-only.
    fs::permissions(dir / "fr06.lex", fs::perms::owner_write, fs::perm_options::add);
    fs::remove(dir / "fr06.lex");
    EXPECT_EQ(LexiconSet::ReadFirstKey(dir / "fr06.lex", key), LexiconSet::Status::FileError);
    EXPECT_EQ(set.RebuildFirstEntries(dir, nullptr, &prompter), LexiconSet::Status::FileError);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Erreur de fichier:\r\nImpossible d'ouvrir le fichier d'entr\xC3\xA9"
                                         "e " +
                                             (dir / "fr06.lex").string());
    EXPECT_EQ(prompter.messages[0].caption, "Lexinum");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(index));
}

TEST(LexiconSet, AnIndexThatCannotBeWrittenIsReportedInFrenchAndTheRebuildGoesOn) {
    test::FixtureLexicon fixture(kWords);
    const fs::path dir = fixture.Directory();
    const fs::path index = dir / LexiconSet::kIndexName;
    LexiconSet set = fixture.Load();
    set.firstEntries.fill("");
    // A folder where the index should be: no write of it can succeed.
    ReadOnlyFile::MakeWritable(index);
    fs::remove(index);
    fs::create_directory(index);
    test::RecordingPrompter prompter;
    EXPECT_EQ(set.RebuildFirstEntries(dir, nullptr, &prompter), LexiconSet::Status::Ok);
    EXPECT_EQ(set.firstEntries[4], "ABELT") << "the entries are still taken";
    ASSERT_EQ(prompter.messages.size(), 10u) << "one report per entry not written";
    for (const auto& message : prompter.messages) {
        EXPECT_EQ(message.text.rfind("Erreur de fichier:\r\n", 0), 0u) << message.text;
        EXPECT_NE(message.text.find(index.string()), std::string::npos) << message.text;
        EXPECT_EQ(message.caption, "Lexinum");
        EXPECT_EQ(message.icon, PromptIcon::Exclamation);
    }
}

} // namespace
} // namespace lexinum
