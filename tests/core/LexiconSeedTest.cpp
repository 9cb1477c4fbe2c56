#include "lexicon/LexiconSeed.h"
#include "common/ReadOnlyFile.h"
#include "lexicon/LexiconSet.h"

#include "FixtureLexicon.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

int EntriesIn(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

TEST(LexiconSeed, CopiesTheShippedLexiconWholeAndReadOnly) {
    const test::FixtureLexicon shipped({"étoile", "toile", "lit", "élève"});
    const test::TempFolder home;
    const fs::path target = home / "data/lexinum/lexiques";
    const LexiconSeed::Result result = LexiconSeed::Seed(shipped.Directory(), target);
    ASSERT_EQ(result.outcome, LexiconSeed::Outcome::Copied) << result.problem;
    EXPECT_EQ(EntriesIn(target), EntriesIn(shipped.Directory()));
    for (const auto& entry : fs::directory_iterator(shipped.Directory())) {
        const fs::path copy = target / entry.path().filename();
        std::string original;
        std::string copied;
        ASSERT_TRUE(ReadOnlyFile::ReadAll(entry.path(), original));
        ASSERT_TRUE(ReadOnlyFile::ReadAll(copy, copied));
        EXPECT_EQ(copied, original) << copy;
        EXPECT_TRUE(ReadOnlyFile::IsReadOnly(copy)) << copy;
    }
    LexiconSet copy;
    EXPECT_TRUE(copy.ReadLexIni(target).Complete());
    // Nothing but the lexicon is left beside it.
    EXPECT_EQ(EntriesIn(target.parent_path()), 1);
}

TEST(LexiconSeed, LeavesWhatIsAlreadyThereAndNeedsALexiconToCopy) {
    const test::FixtureLexicon shipped({"toile", "lit"});
    const test::TempFolder home;
    // The player's folder exists, even broken (its index deleted): it is theirs.
    fs::create_directories(home / "lexiques");
    home.Write("lexiques/fr01.lex", "IL LI\r\n");
    EXPECT_EQ(LexiconSeed::Seed(shipped.Directory(), home / "lexiques").outcome, LexiconSeed::Outcome::AlreadyThere);
    EXPECT_EQ(EntriesIn(home / "lexiques"), 1);

    const test::TempFolder empty;
    const LexiconSeed::Result nothing = LexiconSeed::Seed(empty.Path(), home / "autre");
    EXPECT_EQ(nothing.outcome, LexiconSeed::Outcome::NothingToCopy);
    EXPECT_FALSE(fs::exists(home / "autre"));
}

TEST(LexiconSeed, ACopyThatFailsHalfWayLeavesNothing) {
    const test::FixtureLexicon fixture({"toile", "lit", "étoile"});
    const test::TempFolder shipped;
    for (const auto& entry : fs::directory_iterator(fixture.Directory()))
        fs::copy_file(entry.path(), shipped / entry.path().filename().string());
    // A file far beyond any lexicon's size (sparse: it takes no room) stops
    // the copy after the others were copied.
    const fs::path huge = shipped / "zz.lex";
    {
        const fs::path created = shipped.Write("zz.lex", "");
        fs::resize_file(created, LexiconSeed::kMaxFileSize + 1);
    }
    const test::TempFolder home;
    const fs::path target = home / "lexiques";
    const LexiconSeed::Result result = LexiconSeed::Seed(shipped.Path(), target);
    EXPECT_EQ(result.outcome, LexiconSeed::Outcome::Failed);
    EXPECT_NE(result.problem.find(huge.string()), std::string::npos) << result.problem;
    EXPECT_NE(result.problem.find(target.string()), std::string::npos) << result.problem;
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(EntriesIn(home.Path()), 0) << "no half-made copy is left";

    // Once the shipped folder is sound again, the next start copies it.
    fs::remove(huge);
    EXPECT_EQ(LexiconSeed::Seed(shipped.Path(), target).outcome, LexiconSeed::Outcome::Copied);
}

} // namespace
} // namespace lexinum

namespace lexinum {
namespace {

TEST(LexiconSeed, TheDefaultFolderIsKeptRelativeAndOthersAsTheyAre) {
    const fs::path data = "/home/joueur/.local/share/lexinum";
    EXPECT_EQ(LexiconSeed::FolderOf("", data), data / "lexiques");
    EXPECT_EQ(LexiconSeed::FolderOf(".\\lexiques", data), data / "lexiques");
    EXPECT_EQ(LexiconSeed::FolderOf("autres\\mots\\", data), data / "autres/mots");
    EXPECT_EQ(LexiconSeed::FolderOf("/srv/lexique/", data), fs::path("/srv/lexique"));
    EXPECT_EQ(LexiconSeed::SettingFor(data / "lexiques", data), "lexiques");
    EXPECT_EQ(LexiconSeed::SettingFor(data / "./lexiques/", data), "lexiques");
    EXPECT_EQ(LexiconSeed::SettingFor("/srv/lexique", data), "/srv/lexique");
    // However long the data folder's path, the setting of the default folder stays short.
    const fs::path deep = "/" + std::string(300, 'd');
    EXPECT_EQ(LexiconSeed::FolderOf(LexiconSeed::SettingFor(deep / "lexiques", deep), deep), deep / "lexiques");
}

TEST(LexiconSeed, AFirstCopyThatFailedIsMadeAgainAtTheNextStart) {
    const test::FixtureLexicon fixture({"toile", "lit", "étoile"});
    const test::TempFolder shipped;
    for (const auto& entry : fs::directory_iterator(fixture.Directory()))
        fs::copy_file(entry.path(), shipped / entry.path().filename().string());
    const test::TempFolder data;
    // A start killed in the middle of its copy left this.
    fs::create_directories(data / ".lexiques.copie-Ab12Cd");
    data.Write(".lexiques.copie-Ab12Cd/fr01.lex", "IL LI\r\n");

    // The first start cannot copy (a file far too large stands for a full disk).
    const fs::path huge = shipped.Write("zz.lex", "");
    fs::resize_file(huge, LexiconSeed::kMaxFileSize + 1);
    const LexiconSeed::PlayerFolder first = LexiconSeed::OpenPlayerFolder("", data.Path(), shipped.Path());
    EXPECT_EQ(first.folder, data / "lexiques");
    EXPECT_NE(first.problem.find((data / "lexiques").string()), std::string::npos) << first.problem;
    EXPECT_NE(first.problem.find("prochain démarrage"), std::string::npos) << first.problem;
    EXPECT_EQ(EntriesIn(data.Path()), 0) << "neither the failed copy nor the killed one is left";
    // What the settings keep at close names the default folder, not a path that does not exist.
    const std::string kept = LexiconSeed::SettingFor(first.folder, data.Path());
    EXPECT_EQ(kept, "lexiques");

    // The next start has room: the lexicon is copied, nothing to tell.
    fs::remove(huge);
    const LexiconSeed::PlayerFolder next = LexiconSeed::OpenPlayerFolder(kept, data.Path(), shipped.Path());
    EXPECT_TRUE(next.problem.empty()) << next.problem;
    LexiconSet lexicon;
    EXPECT_TRUE(lexicon.ReadLexIni(next.folder).Complete());

    // A folder the player chose elsewhere is never seeded.
    const LexiconSeed::PlayerFolder elsewhere =
        LexiconSeed::OpenPlayerFolder((data / "ailleurs").string(), data.Path(), shipped.Path());
    EXPECT_TRUE(elsewhere.problem.empty());
    EXPECT_FALSE(fs::exists(data / "ailleurs"));
}

TEST(LexiconSeed, AMissingShippedLexiconIsToldAtStart) {
    const test::TempFolder shipped;
    const test::TempFolder data;
    const LexiconSeed::PlayerFolder player = LexiconSeed::OpenPlayerFolder("", data.Path(), shipped / "lexiques");
    EXPECT_NE(player.problem.find((shipped / "lexiques/lex.ini").string()), std::string::npos) << player.problem;
    EXPECT_NE(player.problem.find((data / "lexiques").string()), std::string::npos) << player.problem;
}

} // namespace
} // namespace lexinum
