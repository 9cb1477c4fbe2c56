#include "numbers/NumberStep.h"

#include <gtest/gtest.h>

namespace lexinum {
namespace {

TEST(NumberStep, TileBoxesStepThroughTheTileValues) {
    EXPECT_EQ(NumberStep::StepTile("10", true), "25");
    EXPECT_EQ(NumberStep::StepTile("25", false), "10");
    EXPECT_EQ(NumberStep::StepTile("100", true), "100");
    EXPECT_EQ(NumberStep::StepTile("1", false), "1");
    EXPECT_EQ(NumberStep::StepTile("42", true), "1") << "a value off the list goes to 1";
    EXPECT_EQ(NumberStep::StepTile("", false), "1");
}

TEST(NumberStep, FreeBoxesStepTheWholeValueOrTheSelectedDigits) {
    struct Case {
        const char* text;
        int start, end;
        bool up;
        const char* stepped; // nullptr: no step
        int newStart, newEnd;
    };
    const Case cases[] = {
        {"99", 0, 2, true, "100", 0, 3},    // everything selected stays selected
        {"99", 1, 1, true, "100", 1, 1},    // a caret alone: the whole value
        {"", 0, 0, true, "1", 0, 0},        // an empty box counts as 0
        {"0", 0, 0, false, nullptr, 0, 0},  // never below 0
        {"123", 1, 2, true, "133", 1, 2},   // the selected digit only
        {"193", 2, 1, true, "193", 1, 2},   // no wrap past 9
        {"105", 1, 2, false, "105", 1, 2},  // nor below 0
        {"1095", 1, 3, true, "1105", 1, 3}, // a group of two digits
        {"1005", 0, 3, true, "1015", 0, 3}, // with leading zeros kept
        {"2147483647", 0, 0, true, nullptr, 0, 0},
    };
    for (const Case& k : cases) {
        const auto result = NumberStep::StepValue(k.text, k.start, k.end, k.up);
        if (!k.stepped) {
            EXPECT_FALSE(result) << k.text;
            continue;
        }
        ASSERT_TRUE(result) << k.text;
        EXPECT_EQ(result->text, k.stepped) << k.text;
        EXPECT_EQ(result->selectionStart, k.newStart) << k.text;
        EXPECT_EQ(result->selectionEnd, k.newEnd) << k.text;
    }
}

TEST(NumberStep, DraggingStepsEverySixPixels) {
    EXPECT_EQ(NumberStep::DragStep(6, 0), 1);
    EXPECT_EQ(NumberStep::DragStep(0, -6), 1) << "upwards";
    EXPECT_EQ(NumberStep::DragStep(-6, 0), -1);
    EXPECT_EQ(NumberStep::DragStep(0, 7), -1) << "downwards";
    EXPECT_EQ(NumberStep::DragStep(5, -5), 0);
}

} // namespace
} // namespace lexinum
