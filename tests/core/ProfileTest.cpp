#include "common/Profile.h"

#include "common/ReadOnlyFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace lexinum {
namespace {

TEST(Profile, MissingFileSectionOrKeyGivesDefaults) {
    test::TempFolder dir;
    Profile missing(dir / "tiv.ini");
    EXPECT_EQ(missing.ReadInt("COMPETITION", "difficulté", 6), 6);
    EXPECT_EQ(missing.ReadString("LETTRES", "lexiques", ".\\lexiques", 259), ".\\lexiques");
    EXPECT_FALSE(std::filesystem::exists(dir / "tiv.ini")) << "reading never creates the file";

    dir.Write("tiv.ini", "[GENERAL]\r\nx=12\r\n");
    Profile some(dir / "tiv.ini");
    EXPECT_EQ(some.ReadInt("GENERAL", "y", 0), 0);
    EXPECT_EQ(some.ReadInt("CHIFFRES", "x", 7), 7) << "a key of another section is not seen";
    EXPECT_EQ(some.ReadInt("GENERAL", "x", 0), 12);
}

TEST(Profile, SectionsAndKeysMatchWithoutRegardToCaseAccentsIncluded) {
    test::TempFolder dir;
    // "difficulté" in Windows-1252 as the file holds it.
    dir.Write("tiv.ini", "[Competition]\r\nDIFFICULT\xC9=3\r\nDernier Joueur=Zo\xE9\r\n");
    Profile p(dir / "tiv.ini");
    EXPECT_EQ(p.ReadInt("COMPETITION", "difficulté", 6), 3);
    EXPECT_EQ(p.ReadString("competition", "dernier joueur", "", 11), "Zoé");
}

TEST(Profile, WriteThenReadRoundTripsNonAsciiAndKeepsTheRest) {
    test::TempFolder dir;
    const std::string before = "; notes du joueur\r\n[GENERAL]\r\nx=1\r\n\r\n[LETTRES]\r\nnb lettres=9\r\n";
    dir.Write("tiv.ini", before);
    Profile p(dir / "tiv.ini");
    ASSERT_TRUE(p.WriteString("COMPETITION", "difficulté", "4"));
    ASSERT_TRUE(p.WriteString("competition", "dernier joueur", "Hélène"));
    ASSERT_TRUE(p.WriteInt("general", "X", -20));
    ASSERT_TRUE(p.WriteInt("GENERAL", "y", 35));

    EXPECT_EQ(p.ReadInt("COMPETITION", "DIFFICULTÉ", 6), 4);
    EXPECT_EQ(p.ReadString("COMPETITION", "dernier joueur", "", 11), "Hélène");
    EXPECT_EQ(p.ReadInt("GENERAL", "x", 0), -20);
    EXPECT_EQ(p.ReadInt("GENERAL", "y", 0), 35);
    EXPECT_EQ(p.ReadInt("LETTRES", "nb lettres", 0), 9);

    const std::string after = dir.Read("tiv.ini");
    EXPECT_EQ(after, "; notes du joueur\r\n[GENERAL]\r\nx=-20\r\ny=35\r\n\r\n[LETTRES]\r\nnb lettres=9\r\n\r\n"
                     "[COMPETITION]\r\ndifficult\xE9=4\r\ndernier joueur=H\xE9l\xE8ne\r\n")
        << "the key keeps its spelling, new keys follow their section, the file is Windows-1252";
}

TEST(Profile, ReadLimitsLengthAndParsesIntegersLikeTheGame) {
    test::TempFolder dir;
    dir.Write("tiv.ini",
              "[C]\nname=  Abcdefghijklmnop  \na= 42abc\nb=-7\nc=abc\nd=\ne=99999999999\nq=\"quoted\"\nf=+5\n");
    Profile p(dir / "tiv.ini");
    EXPECT_EQ(p.ReadString("C", "name", "", 11), "Abcdefghijk");
    EXPECT_EQ(p.ReadString("C", "q", "", 20), "quoted");
    EXPECT_EQ(p.ReadInt("C", "a", 0), 42);
    EXPECT_EQ(p.ReadInt("C", "b", 0), -7);
    EXPECT_EQ(p.ReadInt("C", "c", 5), 5);
    EXPECT_EQ(p.ReadInt("C", "d", 5), 5);
    EXPECT_EQ(p.ReadInt("C", "e", 0), 2147483647);
    EXPECT_EQ(p.ReadInt("C", "f", 0), 5);
    EXPECT_EQ(p.ReadIntInRange("C", "f", 0, 1, 9), 5);
    // A file written with bare line feeds keeps them.
    ASSERT_TRUE(p.WriteInt("C", "b", 8));
    EXPECT_EQ(dir.Read("tiv.ini").find('\r'), std::string::npos);
}

TEST(Profile, OddOrBinaryFilesNeverBreakIt) {
    test::TempFolder dir;
    using namespace std::string_literals;
    std::string junk = "garbage line\r\n[unclosed\r\n=no key\r\n[S]\r\n\0\x01\xFF=\x80\r\nk = v = w \r\n"s;
    junk += std::string("\0\0\0", 3) + std::string(5000, 'z') + "\r\n[S]\r\nk=second";
    dir.Write("tiv.ini", junk);
    Profile p(dir / "tiv.ini");
    EXPECT_EQ(p.ReadString("S", "k", "", 50), "v = w") << "the first occurrence wins";
    EXPECT_EQ(p.ReadInt("S", "missing", 3), 3);
    ASSERT_TRUE(p.WriteString("S", "new", "1"));
    const std::string after = dir.Read("tiv.ini");
    EXPECT_NE(after.find(std::string(5000, 'z')), std::string::npos) << "unknown lines are kept";
    EXPECT_NE(after.find("garbage line"), std::string::npos);
    EXPECT_EQ(p.ReadInt("S", "new", 0), 1);
}

TEST(Profile, SeveralKeysAtOnceWriteWhatOneAtATimeWould) {
    test::TempFolder dir;
    const std::string before = "[first]\r\n2=1\r\n\r\n[last]\r\n2=1\r\n";
    dir.Write("one.ini", before);
    dir.Write("many.ini", before);
    Profile one(dir / "one.ini");
    Profile many(dir / "many.ini");
    for (const auto& [key, value] : {std::pair{"3", "2"}, std::pair{"2", "5"}, std::pair{"4", "é"}})
        ASSERT_TRUE(one.WriteString("FIRST", key, value));
    ASSERT_TRUE(many.WriteStrings("FIRST", {{"3", "2"}, {"2", "5"}, {"4", "é"}}));
    EXPECT_EQ(dir.Read("many.ini"), dir.Read("one.ini"));
    EXPECT_EQ(many.ReadString("first", "4", "", 5), "é");
    // One key it cannot hold refuses them all and keeps the file.
    EXPECT_FALSE(many.WriteStrings("first", {{"5", "1"}, {"6", "a\nb"}}));
    EXPECT_EQ(dir.Read("many.ini"), dir.Read("one.ini"));
}

TEST(Profile, RefusesWhatTheFileCannotHoldAndKeepsTheOldFile) {
    test::TempFolder dir;
    dir.Write("tiv.ini", "[A]\r\nk=1\r\n");
    Profile p(dir / "tiv.ini");
    EXPECT_FALSE(p.WriteString("A", "k", "日本"));
    EXPECT_FALSE(p.WriteString("A", "k", "two\r\nlines"));
    EXPECT_FALSE(p.LastError().empty());
    EXPECT_EQ(dir.Read("tiv.ini"), "[A]\r\nk=1\r\n");

    Profile nowhere(dir / "file-not-a-folder" / "tiv.ini");
    dir.Write("file-not-a-folder", "x");
    EXPECT_FALSE(nowhere.WriteString("A", "k", "2")) << "a failed write is reported, not hidden";
}

TEST(Profile, SeesEveryChangeMadeToTheFileBetweenReads) {
    test::TempFolder dir;
    dir.Write("tiv.ini", "[A]\r\nk=1\r\n");
    Profile p(dir / "tiv.ini");
    EXPECT_EQ(p.ReadInt("A", "k", 0), 1);
    // Same size, written in place: the value read before must not be kept.
    dir.Write("tiv.ini", "[A]\r\nk=2\r\n");
    EXPECT_EQ(p.ReadInt("A", "k", 0), 2);
    Profile other(dir / "tiv.ini");
    ASSERT_TRUE(other.WriteInt("A", "k", 3));
    EXPECT_EQ(p.ReadInt("A", "k", 0), 3);
    ASSERT_TRUE(p.WriteInt("A", "j", 4));
    EXPECT_EQ(p.ReadInt("A", "k", 0), 3) << "a write starts from the file as it is now";
    std::filesystem::remove(dir / "tiv.ini");
    EXPECT_EQ(p.ReadInt("A", "k", 0), 0);
}

TEST(Profile, ALargeFileFindsTheFirstOfEachKeyWhateverItsCase) {
    // More keys than the index sorts in one go, repeated keys and sections.
    std::string text = "[Big]\n";
    for (int i = 0; i < 100000; ++i)
        text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    text += "KEY7=second\n[other]\nkey7=other\n[BIG]\nkey7=third\nlast=end\n";
    test::TempFolder dir;
    dir.Write("tiv.ini", text);
    Profile p(dir / "tiv.ini");
    EXPECT_EQ(p.ReadInt("big", "KEY0", -1), 0);
    EXPECT_EQ(p.ReadInt("BIG", "key7", -1), 7);
    EXPECT_EQ(p.ReadInt("Big", "key99999", -1), 99999);
    EXPECT_EQ(p.ReadString("big", "last", "", 10), "end") << "a key of a repeated section";
    EXPECT_EQ(p.ReadString("other", "KEY7", "", 10), "other");
    EXPECT_EQ(p.ReadInt("big", "key100000", -1), -1);
    ASSERT_TRUE(p.WriteInt("big", "key50000", -5));
    EXPECT_EQ(p.ReadInt("big", "key50000", 0), -5);
    const std::string line = "\nkey50000=50000\n";
    text.replace(text.find(line), line.size(), "\nkey50000=-5\n");
    EXPECT_EQ(dir.Read("tiv.ini"), text) << "only that line changed";
}

TEST(Profile, AByteOrderMarkHidesNoSectionAndTheFileStaysUtf8) {
    test::TempFolder dir;
    dir.Write("tiv.ini", "\xEF\xBB\xBF[GENERAL]\r\nx=12\r\n[COMPETITION]\r\nDernier joueur=H\xC3\xA9l\xC3\xA8ne\r\n");
    Profile p(dir / "tiv.ini");
    EXPECT_EQ(p.ReadInt("GENERAL", "x", 0), 12);
    EXPECT_EQ(p.ReadString("competition", "dernier joueur", "", 11), "Hélène");
    ASSERT_TRUE(p.WriteInt("GENERAL", "y", 5));
    ASSERT_TRUE(p.WriteString("GÉNÉRAL", "nom", "Zoé 日本"));
    EXPECT_EQ(dir.Read("tiv.ini"),
              "\xEF\xBB\xBF[GENERAL]\r\nx=12\r\ny=5\r\n[COMPETITION]\r\nDernier joueur=H\xC3\xA9l"
              "\xC3\xA8ne\r\n\r\n[G\xC3\x89N\xC3\x89RAL]\r\nnom=Zo\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC\r\n")
        << "one [GENERAL], the mark kept, new text in UTF-8";
    EXPECT_EQ(p.ReadString("général", "NOM", "", 20), "Zoé 日本");
}

TEST(Profile, AReadOnlySettingsFileIsLeftAsItIsAndTheRefusalSaysSo) {
    test::TempFolder dir;
    const std::string before = "[GENERAL]\r\nx=1\r\n";
    const auto file = dir.Write("tiv.ini", before);
    ASSERT_TRUE(ReadOnlyFile::MakeReadOnly(file));
    Profile settings(file, Profile::ReadOnlyRule::Respect);
    EXPECT_FALSE(settings.WriteInt("GENERAL", "x", 2));
    EXPECT_NE(settings.LastError().find("lecture seule"), std::string::npos) << settings.LastError();
    EXPECT_NE(settings.LastError().find(file.string()), std::string::npos);
    EXPECT_EQ(dir.Read("tiv.ini"), before);
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(file));
    EXPECT_EQ(settings.ReadInt("GENERAL", "x", 0), 1);

    // A data file kept read-only between writes is written and stays read-only.
    Profile index(file);
    EXPECT_TRUE(index.WriteInt("GENERAL", "x", 2));
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(file));
    EXPECT_EQ(index.ReadInt("GENERAL", "x", 0), 2);
}

TEST(Profile, OnlyARegularFileWithinTheLimitIsReadAndNothingElseIsWrittenOver) {
    test::TempFolder dir;
    const auto fifo = dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.ini");
    std::filesystem::create_directory(dir / "folder.ini");
    const auto large = dir / "large.ini";
    dir.Write("large.ini", "[A]\r\nk=1\r\n");
    std::filesystem::resize_file(large, Profile::kMaxFileSize + 1);
    for (const auto& file : {fifo, dir / "zero.ini", dir / "folder.ini", large}) {
        Profile p(file);
        EXPECT_EQ(p.ReadInt("A", "k", 7), 7) << file << " reads as missing, without waiting";
        EXPECT_NE(p.ReadError().find(file.string()), std::string::npos) << p.ReadError();
        EXPECT_FALSE(p.Flush());
        EXPECT_FALSE(p.WriteInt("A", "k", 2)) << file;
        EXPECT_EQ(p.LastError().rfind("Erreur de fichier:\r\n", 0), 0u) << p.LastError();
    }
    EXPECT_NE(Profile(large).ReadError().find("trop grand"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "zero.ini"));
    EXPECT_EQ(std::filesystem::file_size(large), Profile::kMaxFileSize + 1);
    EXPECT_TRUE(Profile(dir / "missing.ini").ReadError().empty());
}

TEST(Profile, AFailedWriteNamesTheFileThePlayerKnowsInFrench) {
    test::TempFolder dir;
    dir.Write("not-a-folder", "x");
    Profile p(dir / "not-a-folder" / "tiv.ini");
    EXPECT_FALSE(p.WriteInt("A", "k", 1));
    EXPECT_NE(p.LastError().find((dir / "not-a-folder" / "tiv.ini").string()), std::string::npos) << p.LastError();
    EXPECT_EQ(p.LastError().find(".tmp"), std::string::npos) << p.LastError();
    EXPECT_NE(p.LastError().find("n'est pas un dossier"), std::string::npos) << p.LastError();
}

TEST(Profile, ReplacedAndAddedKeysLandInTheirSectionWhereverTheyLie) {
    // before, keys written to [S], after.
    const struct {
        const char* before;
        std::vector<std::pair<std::string, std::string>> keys;
        const char* after;
    } cases[] = {
        // The replaced key is the file's last line, without its line break.
        {"[S]\r\na=1\r\nb=2", {{"b", "9"}, {"c", "3"}}, "[S]\r\na=1\r\nb=9\r\nc=3"},
        // Blank lines and notes between keys; new keys after the last line that is not blank.
        {"[S]\r\n\r\n; note\r\na=1\r\n\r\n\r\nb=2\r\n\r\n[T]\r\na=1\r\n",
         {{"c", "3"}, {"a", "7"}},
         "[S]\r\n\r\n; note\r\na=7\r\n\r\n\r\nb=2\r\nc=3\r\n\r\n[T]\r\na=1\r\n"},
        // A key given twice in the section: the first is the one read, and replaced.
        {"[S]\r\na=1\r\na=2\r\n[T]\r\n", {{"d", "4"}, {"a", "5"}}, "[S]\r\na=5\r\na=2\r\nd=4\r\n[T]\r\n"},
        // The section comes again further on: only the first is written.
        {"[S]\r\n[T]\r\nb=1\r\n[S]\r\nb=2\r\n", {{"b", "3"}}, "[S]\r\nb=3\r\n[T]\r\nb=1\r\n[S]\r\nb=2\r\n"},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        dir.Write("tiv.ini", c.before);
        Profile p(dir / "tiv.ini");
        ASSERT_TRUE(p.WriteStrings("S", c.keys)) << c.before;
        EXPECT_EQ(dir.Read("tiv.ini"), c.after) << c.before;
    }
}

TEST(Profile, AFailedWriteLeavesAReadOnlyFileReadOnlyAndUnchanged) {
    test::TempFolder dir;
    const std::string before = "[A]\r\nk=1\r\n";
    const auto file = dir.Write("lex.ini", before);
    ASSERT_TRUE(ReadOnlyFile::MakeReadOnly(file));
    // Whoever runs the test (root included), the replacement cannot be written:
    // a folder that is not empty stands where it would be made.
    std::filesystem::create_directory(dir / "lex.ini.tmp~");
    dir.Write("lex.ini.tmp~/occupé", "x");
    Profile index(file);
    EXPECT_FALSE(index.WriteInt("A", "k", 2));
    EXPECT_FALSE(index.LastError().empty());
    EXPECT_EQ(dir.Read("lex.ini"), before);
    EXPECT_TRUE(ReadOnlyFile::IsReadOnly(file));
    EXPECT_EQ(index.ReadInt("A", "k", 0), 1);
}

TEST(Profile, WritesThroughASymbolicLinkAndKeepsIt) {
    test::TempFolder dir;
    std::filesystem::create_directories(dir / "dotfiles/lexinum");
    const auto real = dir.Write("dotfiles/lexinum/tiv.ini", "[GENERAL]\r\nx=1\r\n");
    std::filesystem::create_directories(dir / "config");
    // A relative link, through a second link.
    std::filesystem::create_symlink("../dotfiles/lexinum/tiv.ini", dir / "config/lien.ini");
    std::filesystem::create_symlink("lien.ini", dir / "config/tiv.ini");
    Profile settings(dir / "config/tiv.ini", Profile::ReadOnlyRule::Respect);
    ASSERT_TRUE(settings.WriteInt("GENERAL", "y", 2)) << settings.LastError();
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "config/tiv.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "config/lien.ini"));
    EXPECT_EQ(dir.Read("dotfiles/lexinum/tiv.ini"), "[GENERAL]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(settings.ReadInt("GENERAL", "y", 0), 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "config/tiv.ini.tmp~"));
    EXPECT_FALSE(std::filesystem::exists(real.string() + ".tmp~"));
}

TEST(Profile, AValueWrittenIsReadBackWholeOrRefused) {
    test::TempFolder dir;
    Profile p(dir / "tiv.ini");
    // A folder deep in a long path, accented letters counted as one character.
    std::string longest = "/";
    for (std::size_t chars = 1; chars < Profile::kMaxValueLength - 2; ++chars)
        longest += "é";
    longest += "/z";
    ASSERT_TRUE(p.WriteString("GENERAL", "parties", longest)) << p.LastError();
    EXPECT_EQ(p.ReadString("GENERAL", "parties", "", Profile::kMaxValueLength), longest);
    EXPECT_FALSE(p.WriteString("GENERAL", "parties", longest + "z"));
    EXPECT_NE(p.LastError().find("parties"), std::string::npos) << p.LastError();
    EXPECT_EQ(p.ReadString("GENERAL", "parties", "", Profile::kMaxValueLength), longest) << "the old value stays";
}

TEST(Profile, IntegersInARangeFallBackToTheDefaultOutsideIt) {
    test::TempFolder dir;
    dir.Write("tiv.ini", "[G]\nx=-2147483648\ny=99999999999\nz=-40000\nw=123\nv=abc\n");
    Profile p(dir / "tiv.ini");
    EXPECT_EQ(p.ReadInt("G", "x", 0), INT_MIN);
    EXPECT_EQ(p.ReadIntInRange("G", "x", 0, -32768, 32767), 0);
    EXPECT_EQ(p.ReadIntInRange("G", "y", 1, INT_MIN, INT_MAX), 1) << "beyond int is outside any int range";
    EXPECT_EQ(p.ReadIntInRange("G", "z", 2, -32768, 32767), 2);
    EXPECT_EQ(p.ReadIntInRange("G", "w", 3, -32768, 123), 123);
    EXPECT_EQ(p.ReadIntInRange("G", "v", 4, 0, 10), 4);
    EXPECT_EQ(p.ReadIntInRange("G", "missing", 5, 0, 10), 5);
}

} // namespace
} // namespace lexinum
