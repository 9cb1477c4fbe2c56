#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace lexinum {
namespace {

// Runs lexinum-cli with `arguments`; returns its exit status with its output.
int RunCli(const std::string& arguments, std::string& out, std::string& err) {
    const test::CliResult run = test::RunCli(arguments);
    out = run.out;
    err = run.err;
    return run.exitCode;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(NumbersCli, SolutionsAsTheResultsBoxGetsThemOrAsJson) {
    std::string out, err;
    ASSERT_EQ(RunCli("numbers 100 75 50 25 10 1 125", out, err), 0) << err;
    EXPECT_TRUE(StartsWith(out, "  100 + 25 = 125\n  75 + 50 = 125\n  100 + 75 = 175\n   175 - 50 = 125\n")) << out;
    EXPECT_TRUE(EndsWith(out, "\n\n Plus de solutions...\n"));

    ASSERT_EQ(RunCli("numbers --json 100 75 50 25 10 1 125", out, err), 0) << err;
    EXPECT_TRUE(StartsWith(out, "{\"numbers\": [100, 75, 50, 25, 10, 1], \"target\": 125, \"exact\": true, "
                                "\"simplest_ops\": 1, \"solutions\": [[\"100 + 25 = 125\"], [\"75 + 50 = 125\"], "
                                "[\"100 + 75 = 175\", \"175 - 50 = 125\"], "))
        << out;
    EXPECT_TRUE(EndsWith(out, "]]}\n"));
    EXPECT_EQ(out.find("nearest"), std::string::npos);

    ASSERT_EQ(RunCli("numbers --json 75 50 25 8 3 2 75", out, err), 0) << err;
    EXPECT_NE(out.find("\"simplest_ops\": 0, \"solutions\": [[\"75 = 75\"], [\"50 + 25 = 75\"], "), std::string::npos);

    ASSERT_EQ(RunCli("numbers --json 1 1 2 2 3 3 999", out, err), 0) << err;
    EXPECT_EQ(out, "{\"numbers\": [1, 1, 2, 2, 3, 3], \"target\": 999, \"exact\": false, \"simplest_ops\": null, "
                   "\"solutions\": [], \"nearest\": {\"value\": 81, \"distance\": 918, \"lines\": [\"3 * 3 = 9\", "
                   "\"2 + 1 = 3\", \"9 * 3 = 27\", \"2 + 1 = 3\", \"27 * 3 = 81\"]}}\n");
    ASSERT_EQ(RunCli("numbers 1 1 2 2 3 3 999", out, err), 0) << err;
    EXPECT_TRUE(StartsWith(out, " 999 à 918 près seulement...\n  3 * 3 = 9\n"));
}

TEST(NumbersCli, TheComputersAnswerReplaysWithItsSeed) {
    std::string out, err;
    ASSERT_EQ(RunCli("computer-numbers --level 6 --json 100 75 50 25 10 1 873", out, err), 0) << err;
    EXPECT_TRUE(StartsWith(out, "{\"exact\": true, \"result\": 873, \"distance\": 0, \"ops\": ")) << out;

    ASSERT_EQ(RunCli("computer-numbers --level 6 100 75 50 25 10 1 100", out, err), 0) << err;
    EXPECT_EQ(out, " Il fallait le faire !\n   100 = 100\n");

    std::string again;
    for (const char* seed : {"1", "2", "3"}) {
        const std::string args = std::string("computer-numbers --level 1 --seed ") + seed + " 3 7 8 25 100 2 873";
        ASSERT_EQ(RunCli(args + " --json", out, err), 0) << err;
        ASSERT_EQ(RunCli(args + " --json", again, err), 0) << err;
        EXPECT_EQ(out, again);
        EXPECT_TRUE(StartsWith(out, "{\"exact\": ")) << out;
    }
}

TEST(NumbersCli, RefusesBadDrawsInFrench) {
    const std::pair<const char*, const char*> cases[] = {
        {"numbers 0 1 2 3 4 5 100", "« 0 » n'est pas un nombre valable"},
        {"numbers 1001 1 2 3 4 5 100", "« 1001 » n'est pas un nombre valable"},
        {"numbers 1 2 3 4 5 six 100", "« six » n'est pas un nombre valable"},
        {"numbers -- -4 1 2 3 4 5 100", "« -4 » n'est pas un nombre valable"},
        {"numbers 1 2 3 4 5 6 0", "« 0 » n'est pas un compte valable"},
        {"numbers 1 2 3 4 5 6 32768", "« 32768 » n'est pas un compte valable"},
        {"numbers 1 2 3 4 5 100", "il faut six nombres puis le compte"},
        {"numbers --jsn 1 2 3 4 5 6 100", "option inconnue"},
        {"computer-numbers 1 2 3 4 5 6 100", "le niveau est obligatoire"},
        {"computer-numbers --level 7 1 2 3 4 5 6 100", "« 7 » n'est pas un niveau valable"},
        {"computer-numbers --level 3 --seed x 1 2 3 4 5 6 100", "« x » n'est pas une graine valable"},
    };
    for (const auto& [args, message] : cases) {
        std::string out, err;
        EXPECT_NE(RunCli(args, out, err), 0) << args;
        EXPECT_NE(err.find(message), std::string::npos) << args << " -> " << err;
        EXPECT_EQ(out, "") << args;
    }
}

} // namespace
} // namespace lexinum
