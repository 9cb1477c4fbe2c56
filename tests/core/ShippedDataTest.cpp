#include "common/ShippedData.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

// The program in <root>/bin, its data laid out as in the build tree (beside
// it), as installed (<root>/share/lexinum) or with a data folder given whole.
TEST(ShippedData, FoundBesideTheProgramElseInTheInstalledDataFolder) {
    struct Case {
        const char* layout;
        bool beside;
        bool installed;
        const char* dataFromProgram; // relative to bin, or "" for <root>/data given absolute
        const char* expected;        // relative to <root>
    };
    const Case cases[] = {
        {"build tree", true, false, "../share/lexinum", "bin/lexiques"},
        {"installed", false, true, "../share/lexinum", "share/lexinum/lexiques"},
        {"both: the build tree wins", true, true, "../share/lexinum", "bin/lexiques"},
        {"neither: the installed place is named", false, false, "../share/lexinum", "share/lexinum/lexiques"},
        {"another data folder", false, false, "../../usr/share/games/lexinum", "../usr/share/games/lexinum/lexiques"},
        {"an absolute data folder", false, false, "", "data/lexiques"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        const test::TempFolder root;
        fs::create_directories(root / "bin");
        if (c.beside)
            fs::create_directories(root / "bin/lexiques");
        if (c.installed)
            fs::create_directories(root / "share/lexinum/lexiques");
        const fs::path data = *c.dataFromProgram != '\0' ? fs::path(c.dataFromProgram) : root / "data";
        EXPECT_EQ(ShippedDataPath(root / "bin", "lexiques", data), (root.Path() / c.expected).lexically_normal());
    }
}

TEST(ShippedData, TheRunningProgramsFolderHoldsIt) {
    EXPECT_TRUE(fs::exists(RunningProgramFolder() / "core_tests"));
}

} // namespace
} // namespace lexinum
