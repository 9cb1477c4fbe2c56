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

TEST(Cp1252, DecodesUtf8StrictlyOnlyTheShortestForm) {
    // "E" in two, three and four bytes, NUL in two, "é" in three, a surrogate
    // half, a code point beyond U+10FFFF, a lead byte with no room left.
    for (const char* bad : {"\xC1\x85", "\xE0\x81\x85", "\xF0\x80\x81\x85", "\xC0\x80", "\xE0\x83\xA9", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xE9\x80", "\x80"}) {
        EXPECT_FALSE(Cp1252::FromUtf8(bad).has_value()) << bad;
        EXPECT_FALSE(Cp1252::IsUtf8(bad)) << bad;
        EXPECT_EQ(Cp1252::FromUtf8Lossy(std::string("A") + bad).substr(0, 2), "A?");
    }
    std::size_t at = 0;
    char32_t cp = 0;
    EXPECT_FALSE(Cp1252::DecodeUtf8("\xC1\x85", at, cp));
    EXPECT_EQ(at, 0u) << "a refused sequence is not passed over";
    // The edges of each form are accepted.
    for (const char* good : {"\x7F", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80",
                             "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(Cp1252::IsUtf8(good)) << good;
    EXPECT_EQ(Cp1252::FromUtf8("\xC3\xA9"), "\xE9");
}

} // namespace
} // namespace lexinum
