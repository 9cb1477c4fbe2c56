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
