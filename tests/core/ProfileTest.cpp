#include "common/Profile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <utility>

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
    dir.Write("tiv.ini", "[C]\nname=  Abcdefghijklmnop  \na= 42abc\nb=-7\nc=abc\nd=\ne=99999999999\nq=\"quoted\"\n");
    Profile p(dir / "tiv.ini");
    EXPECT_EQ(p.ReadString("C", "name", "", 11), "Abcdefghijk");
    EXPECT_EQ(p.ReadString("C", "q", "", 20), "quoted");
    EXPECT_EQ(p.ReadInt("C", "a", 0), 42);
    EXPECT_EQ(p.ReadInt("C", "b", 0), -7);
    EXPECT_EQ(p.ReadInt("C", "c", 5), 5);
    EXPECT_EQ(p.ReadInt("C", "d", 5), 5);
    EXPECT_EQ(p.ReadInt("C", "e", 0), 2147483647);
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

} // namespace
} // namespace lexinum
