#include "common/Cp1252.h"

#include <gtest/gtest.h>

namespace lexinum {
namespace {

TEST(Cp1252, RoundTripsEveryAssignedByte) {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Cp1252::ToUtf8(byte);
        if (Cp1252::CodePoint(static_cast<unsigned char>(b)) == 0xFFFD) {
            EXPECT_FALSE(Cp1252::FromUtf8(utf8).has_value()) << b;
            continue;
        }
        ASSERT_EQ(Cp1252::FromUtf8(utf8), byte) << "byte " << b;
    }
    EXPECT_EQ(Cp1252::ToUtf8("\xE9l\xE8ve \x80 \x9C"), "élève € œ");
}

TEST(Cp1252, RefusesWhatItCannotHold) {
    EXPECT_FALSE(Cp1252::FromUtf8("Ω").has_value());
    EXPECT_FALSE(Cp1252::FromUtf8("\xC3").has_value()) << "a cut UTF-8 sequence";
    EXPECT_FALSE(Cp1252::FromUtf8("\xE9t\xE9").has_value()) << "Latin-1 bytes are not UTF-8";
    EXPECT_EQ(Cp1252::FromUtf8Lossy("aΩb\xC3"), "a?b?");
}

} // namespace
} // namespace lexinum
