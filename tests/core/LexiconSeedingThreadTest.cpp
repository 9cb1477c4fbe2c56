#include "lexicon/LexiconSeeding.h"
#include "lexicon/LexiconSet.h"

#include "FixtureLexicon.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <vector>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

int EntriesIn(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

// The copy tells each file as it goes, and a copy given up at any point
// (before the first file, in the middle, after the last) leaves nothing.
TEST(LexiconSeedThread, ProgressFollowsTheCopyAndGivingUpLeavesNothing) {
    const test::FixtureLexicon shipped({"étoile", "toile", "lit", "élève", "abricot"});
    const auto files = static_cast<std::size_t>(EntriesIn(shipped.Directory()));
    ASSERT_GE(files, 3U);

    std::vector<std::size_t> told;
    const test::TempFolder home;
    const LexiconSeed::Result copied =
        LexiconSeed::Seed(shipped.Directory(), home / "lexiques", [&](std::size_t done, std::size_t count) {
            EXPECT_EQ(count, files);
            told.push_back(done);
            return true;
        });
    ASSERT_EQ(copied.outcome, LexiconSeed::Outcome::Copied) << copied.problem;
    ASSERT_EQ(told.size(), files + 1);
    for (std::size_t i = 0; i < told.size(); ++i)
        EXPECT_EQ(told[i], i);

    for (const std::size_t stopAt : {std::size_t{0}, files / 2, files}) {
        const test::TempFolder data;
        const LexiconSeed::Result given = LexiconSeed::Seed(
            shipped.Directory(), data / "lexiques", [stopAt](std::size_t done, std::size_t) { return done < stopAt; });
        EXPECT_EQ(given.outcome, LexiconSeed::Outcome::Abandoned) << stopAt;
        EXPECT_EQ(EntriesIn(data.Path()), 0) << "nothing left after giving up at " << stopAt;
    }
}

// On its own thread: the player's folder appears complete at the end, the
// end is told once, and only the default folder, when missing, needs a copy.
TEST(LexiconSeedThread, TheCopyOnItsThreadEndsWithTheWholeLexicon) {
    const test::FixtureLexicon shipped({"étoile", "toile", "lit"});
    const test::TempFolder data;
    EXPECT_TRUE(LexiconSeed::NeedsCopy("", data.Path()));
    EXPECT_TRUE(LexiconSeed::NeedsCopy("lexiques", data.Path()));
    EXPECT_FALSE(LexiconSeed::NeedsCopy((data / "ailleurs").string(), data.Path()));

    std::atomic<int> ends{0};
    {
        LexiconSeeding seeding;
        seeding.Start("", data.Path(), shipped.Directory(), [&ends] { ++ends; });
        while (!seeding.WaitFor(std::chrono::milliseconds(10))) {
        }
        EXPECT_TRUE(seeding.Ended());
        const LexiconSeed::PlayerFolder player = seeding.Result();
        EXPECT_TRUE(player.problem.empty()) << player.problem;
        EXPECT_EQ(player.folder, data / "lexiques");
        EXPECT_EQ(seeding.FilesCopied(), seeding.FileCount());
        LexiconSet lexicon;
        EXPECT_TRUE(lexicon.ReadLexIni(player.folder).Complete());
    }
    EXPECT_EQ(ends.load(), 1);
    EXPECT_FALSE(LexiconSeed::NeedsCopy("", data.Path()));
    EXPECT_EQ(EntriesIn(data.Path()), 1);
}

// The game closing while the copy runs: the copy is given up and waited for;
// no half-made lexicon stays, either under the player's name or beside it.
TEST(LexiconSeedThread, DestroyedWhileCopyingLeavesNoHalfLexicon) {
    const test::FixtureLexicon shipped({"étoile", "toile", "lit", "élève", "abricot", "cerise"});
    const test::TempFolder data;
    {
        LexiconSeeding seeding;
        seeding.Abandon();
        seeding.Start("", data.Path(), shipped.Directory());
    }
    EXPECT_EQ(EntriesIn(data.Path()), 0);
    EXPECT_TRUE(LexiconSeed::NeedsCopy("", data.Path()));
}

} // namespace
} // namespace lexinum
