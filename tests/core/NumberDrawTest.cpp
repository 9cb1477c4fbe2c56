#include "numbers/NumberDraw.h"
#include "common/Random15.h"
#include "numbers/NumberRules.h"

#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

namespace lexinum {
namespace {

TEST(NumberDraw, TilesAreDrawnWithoutReplacement) {
    Random15::Seed(42);
    std::set<int> seen;
    for (int trial = 0; trial < 3000; ++trial) {
        const NumberDraw draw = NumberDraw::Competition();
        std::map<int, int> times;
        for (int number : draw.numbers)
            ++times[number];
        for (const auto& [value, count] : times) {
            const int kind = NumberRules::TileKindOfValue(value);
            ASSERT_GE(kind, 0) << value << " is not a tile";
            ASSERT_LE(count, NumberRules::kTileCounts[kind]) << value << " drawn too often";
            seen.insert(value);
        }
        ASSERT_GE(draw.target, 101);
        ASSERT_LE(draw.target, 999);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(NumberRules::kTileKinds));
}

TEST(NumberDraw, FreeNumbersRepeatFreelyWithinOneToHundred) {
    Random15::Seed(7);
    std::set<int> seen;
    bool repeated = false;
    for (int trial = 0; trial < 3000; ++trial) {
        const NumberDraw draw = NumberDraw::Training(false, 101, 999);
        for (int number : draw.numbers) {
            ASSERT_GE(number, 1);
            ASSERT_LE(number, 100);
            seen.insert(number);
        }
        repeated |= std::set<int>(draw.numbers.begin(), draw.numbers.end()).size() < draw.numbers.size();
    }
    EXPECT_EQ(seen.size(), 100u) << "every number from 1 to 100 comes up";
    EXPECT_TRUE(repeated);
}

TEST(NumberDraw, TargetStaysInItsRangeEvenFromDamagedSettings) {
    Random15::Seed(3);
    std::set<int> targets;
    for (int trial = 0; trial < 2000; ++trial) {
        const int target = NumberDraw::DrawTarget(2, 5);
        ASSERT_GE(target, 2);
        ASSERT_LE(target, 5);
        targets.insert(target);
        ASSERT_EQ(NumberDraw::DrawTarget(777, 777), 777);
        const int reversed = NumberDraw::DrawTarget(500, 100);
        ASSERT_TRUE(reversed >= 100 && reversed <= 500) << reversed;
        ASSERT_EQ(NumberDraw::DrawTarget(-40, 0), 1) << "never a target of 0 or less";
        ASSERT_LE(NumberDraw::DrawTarget(30000, 99999), 32767);
    }
    EXPECT_EQ(targets, (std::set<int>{2, 3, 4, 5}));
}

// Runs lexinum-cli draw-numbers; returns its exit code with its output.
int RunCli(const std::string& arguments, std::string& out, std::string& err) {
    const test::CliResult run = test::RunCli("draw-numbers " + arguments);
    out = run.out;
    err = run.err;
    return run.exitCode;
}

TEST(NumberDrawCli, SeededDrawsReplay) {
    for (const std::string tiles : {"", " --free"}) {
        Random15::Seed(99);
        const NumberDraw draw = NumberDraw::Training(tiles.empty(), 200, 300);
        std::string plain, json = "{\"numbers\": [";
        for (int i = 0; i < 6; ++i) {
            plain += std::to_string(draw.numbers[i]) + ' ';
            json += (i ? ", " : "") + std::to_string(draw.numbers[i]);
        }
        plain += std::to_string(draw.target) + '\n';
        json += "], \"target\": " + std::to_string(draw.target) + "}\n";

        std::string out, err;
        ASSERT_EQ(RunCli("--seed 99 --min 200 --max 300" + tiles, out, err), 0) << err;
        EXPECT_EQ(out, plain);
        ASSERT_EQ(RunCli("--json --seed=99 --min=200 --max=300" + tiles, out, err), 0) << err;
        EXPECT_EQ(out, json);
    }
}

TEST(NumberDrawCli, RefusesBadValuesInFrench) {
    const std::pair<const char*, const char*> cases[] = {
        {"--min 0", "doit être entre 1 et 32767"},
        {"--max 32768", "doit être entre 1 et 32767"},
        {"--min 12a", "n'est pas un nombre entier"},
        {"--min 500 --max 100", "est plus grand que le maximum"},
        {"--tout", "option inconnue"},
    };
    for (const auto& [arguments, message] : cases) {
        std::string out, err;
        EXPECT_NE(RunCli(arguments, out, err), 0) << arguments;
        EXPECT_NE(err.find(message), std::string::npos) << arguments << ": " << err;
        EXPECT_EQ(out, "") << arguments;
    }
}

} // namespace
} // namespace lexinum
