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
    EXPECT_EQ(set.VowelBag().Remaining() + set.ConsonantBag().Remaining(), 26 * 10) << "ten tiles a letter until read";
    ASSERT_TRUE(set.ReadLexIni(fixture.Directory()).Complete());
    EXPECT_EQ(set.Directory(), fixture.Directory());
    EXPECT_EQ(set.Radical(), "fr");
    EXPECT_EQ(set.FileCount(), 10);
    EXPECT_EQ(set.FirstEntry(1), "ET");
    EXPECT_EQ(set.FirstEntry(8), "EEELV");
    EXPECT_EQ(set.LexFilePath(8), fixture.Directory() / "fr08.lex");
    EXPECT_EQ(set.VowelWeights(), kDefaultVowelWeights);
    EXPECT_EQ(set.ConsonantWeights(), kDefaultConsonantWeights);
    EXPECT_EQ(set.VowelBag().Remaining(), 245);
    EXPECT_EQ(set.ConsonantBag().Remaining(), 274);
    EXPECT_EQ(set.VowelBag().Count(1), 94) << "the bags follow the order A E I O U Y";
}

TEST(LexiconSet, RefusesAFolderWithoutACompleteSetOfFiles) {
    test::TempFolder empty;
    LexiconSet set;
    EXPECT_EQ(set.ReadLexIni(empty.Path()).status, LexiconSet::Status::NoLexiconFiles);
    EXPECT_EQ(set.ReadLexIni(empty / "absent").status, LexiconSet::Status::NoLexiconFiles);

    test::FixtureLexicon fixture(kWords);
    set.TakeFiles({}, "old", 12);
    // More files announced than present: the previous count and radical stay.
    Profile ini(fixture.Directory() / LexiconSet::kIndexName);
    ASSERT_TRUE(ini.WriteInt("lexiques", "nb_of_lexs", 11));
    EXPECT_EQ(set.ReadLexIni(fixture.Directory()).status, LexiconSet::Status::NoLexiconFiles);
    EXPECT_EQ(set.Radical(), "old");
    EXPECT_EQ(set.FileCount(), 12);
    EXPECT_TRUE(set.Directory().empty());
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
    EXPECT_EQ(set.VowelBag().Remaining(), 245) << "the complete vowel weights are taken";

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
    EXPECT_EQ(set2.VowelBag().Remaining(), 6 * LexiconSet::kMaxLetterWeight);
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
    BlankIndexKey(fixture.Directory(), "first", "5");
    LexiconSet noRange;
    noRange.ReadLexIni(fixture.Directory());
    EXPECT_EQ(noRange.FindLexFile("ABERR", 5, 0), 0);
}

TEST(LexiconSet, RecomputesRangesWithAMissingLength) {
    test::FixtureLexicon fixture(kWords);
    LexiconSet set = fixture.Load();
    const auto builtFirst = set.FirstFiles();
    const auto builtLast = set.LastFiles();
    set.RecomputeRanges();
    EXPECT_EQ(set.FirstFiles(), builtFirst);
    EXPECT_EQ(set.LastFiles(), builtLast);
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

TEST(LexiconSet, RebuildsTheFirstEntriesFromTheFilesWithoutWritingTheIndex) {
    test::FixtureLexicon fixture(kWords);
    const fs::path dir = fixture.Directory();
    const fs::path index = dir / LexiconSet::kIndexName;
    test::RecordingPrompter prompter;
    const LexiconSet built = fixture.Load();
    for (int n = 1; n <= 10; ++n)
        BlankIndexKey(dir, "first entries", std::to_string(n));
    ReadOnlyFile::MakeReadOnly(index);
    std::string before;
    ASSERT_TRUE(ReadOnlyFile::ReadAll(index, before));
    LexiconSet set;
    EXPECT_EQ(set.ReadLexIni(dir).missing, LexiconSet::kMissingFirstEntry);
    EXPECT_FALSE(set.Ready());

    EXPECT_EQ(set.RebuildFirstEntries(nullptr, &prompter), LexiconSet::Status::Ok);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(set.FirstEntries(), built.FirstEntries());
    std::string after;
    ASSERT_TRUE(ReadOnlyFile::ReadAll(index, after));
    EXPECT_EQ(after, before) << "the index is written by the repair, whole, once it is worked out";

    std::string key;
    EXPECT_EQ(LexiconSet::ReadFirstKey(dir / "fr05.lex", key), LexiconSet::Status::Ok);
    EXPECT_EQ(key, "ABELT");
    EXPECT_EQ(LexiconSet::ReadFirstKey(dir / "fr05.lex", key, 3), LexiconSet::Status::Ok);
    EXPECT_EQ(key, "ABE");

    // A file that cannot be opened stops the rebuild and says so.
    fs::permissions(dir / "fr06.lex", fs::perms::owner_write, fs::perm_options::add);
    fs::remove(dir / "fr06.lex");
    EXPECT_EQ(LexiconSet::ReadFirstKey(dir / "fr06.lex", key), LexiconSet::Status::FileError);
    EXPECT_EQ(set.RebuildFirstEntries(nullptr, &prompter), LexiconSet::Status::FileError);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Erreur de fichier:\r\nImpossible d'ouvrir le fichier d'entr\xC3\xA9"
                                         "e " +
                                             (dir / "fr06.lex").string());
    EXPECT_EQ(prompter.messages[0].caption, "Lexinum");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(index));
}

TEST(LexiconSet, AnIndexWrittenAnewKeepsEveryLineOfTheSectionsItDoesNotRewrite) {
    test::FixtureLexicon fixture(kWords);
    const LexiconSet set = fixture.Load();
    // What an index held, and whether it is UTF-8 (with its mark).
    const std::vector<std::pair<std::string, bool>> indexes = {
        {"; mon lexique\r\n[Lexiques]\r\nlex_rad=vieux\r\n[divers]\r\nclef=valeur\r\n[nb voyelles]\r\nA=3", false},
        {"\xEF\xBB\xBF[lexiques]\nnb_of_lexs=3\n[divers]\nclef=\xC3\xA9t\xC3\xA9\n", true},
        {"", false},
    };
    for (const auto& [existing, utf8] : indexes) {
        SCOPED_TRACE(existing);
        const std::string text = set.IndexText(existing, LexiconSet::kMissingWeight);
        EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0) == 0, utf8);
        EXPECT_EQ(text.find("vieux"), std::string::npos) << "the radical and count are always written anew";
        EXPECT_EQ(text.find("A=3"), std::string::npos);
        EXPECT_EQ(text.find("[first entries]"), std::string::npos) << "a part not repaired is left alone";
        if (!existing.empty()) {
            EXPECT_NE(text.find(utf8 ? "clef=\xC3\xA9t\xC3\xA9" : "[divers]\r\nclef=valeur"), std::string::npos);
        }
        test::TempFolder folder;
        folder.Write("lex.ini", text);
        const Profile ini(folder / "lex.ini");
        EXPECT_EQ(ini.ReadString("lexiques", "lex_rad", "", 11), "fr");
        EXPECT_EQ(ini.ReadInt("lexiques", "nb_of_lexs", 0), 10);
        EXPECT_EQ(ini.ReadInt("nb voyelles", "A", 0), set.VowelWeights()[0]);
        EXPECT_EQ(ini.ReadInt("nb consonnes", "Z", 0), set.ConsonantWeights()[19]);
    }
}

} // namespace
} // namespace lexinum
