#include "common/ColourRef.h"

#include "common/Profile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lexinum {
namespace {

TEST(ColourRef, StoredTextReadsInTheWindowsByteOrder) {
    struct Case {
        const char* text;
        int red, green, blue;
    };
    const Case cases[] = {
        {"FF", 255, 0, 0},              // red is the low byte
        {"FF00", 0, 255, 0},            //
        {"FF0000", 0, 0, 255},          // blue the third
        {"ff8040", 0x40, 0x80, 0xFF},   // lower case too
        {"  10203", 3, 2, 1},           // leading blanks, no leading zero
        {"12XYZ", 0x12, 0, 0},          // what follows the digits is ignored
        {"XYZ", 0, 0, 0},               // not hexadecimal: black
        {"7F123456", 0x56, 0x34, 0x12}, // the high byte is no colour
    };
    for (const Case& c : cases) {
        const std::uint32_t colour = ColourRef::Parse(c.text);
        EXPECT_EQ(ColourRef::Red(colour), c.red) << c.text;
        EXPECT_EQ(ColourRef::Green(colour), c.green) << c.text;
        EXPECT_EQ(ColourRef::Blue(colour), c.blue) << c.text;
    }
    // Written as the file keeps it, and read back the same.
    for (const std::uint32_t colour : {0u, 0xFFu, 0xFF0000u, 0x0A0B0Cu, 0xFFFFFFu}) {
        const std::string text = ColourRef::Format(colour);
        EXPECT_EQ(ColourRef::Parse(text), colour) << text;
    }
    EXPECT_EQ(ColourRef::Format(ColourRef::FromRgb(0, 0, 255)), "FF0000");
    EXPECT_EQ(ColourRef::Format(ColourRef::FromRgb(255, 0, 0)), "FF");
    EXPECT_EQ(ColourRef::Format(0), "0");
}

TEST(ColourRef, CustomColoursDefaultAndOnlyChangedSlotsAreWritten) {
    test::TempFolder dir;
    Profile control(dir / "control.ini");
    const ColourRef::CustomColours defaults = ColourRef::ReadCustomColours(control);
    for (int slot = 0; slot < 16; ++slot)
        EXPECT_EQ(defaults[static_cast<std::size_t>(slot)], static_cast<std::uint32_t>(10 * slot)) << slot;
    EXPECT_EQ(ColourRef::Red(defaults[15]), 150);

    // Two slots changed: only their keys appear in the file.
    ColourRef::CustomColours now = defaults;
    now[0] = 0xFF;
    now[15] = 0x123456;
    EXPECT_EQ(ColourRef::WriteChangedCustomColours(control, defaults, now), 2);
    std::ifstream file(dir / "control.ini", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("ColorA=FF"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("ColorP=123456"), std::string::npos) << text.str();
    EXPECT_EQ(text.str().find("ColorB"), std::string::npos) << text.str();
    EXPECT_EQ(ColourRef::ReadCustomColours(control), now);
    EXPECT_EQ(ColourRef::WriteChangedCustomColours(control, now, now), 0);
}

} // namespace
} // namespace lexinum
