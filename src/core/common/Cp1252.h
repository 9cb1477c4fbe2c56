#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexinum {

// Conversion between the game's files (Windows-1252) and text in memory (UTF-8).
class Cp1252 {
public:
    // Windows-1252 bytes to UTF-8. The five unassigned bytes (0x81, 0x8D, 0x8F,
    // 0x90, 0x9D) become U+FFFD so that a damaged file still reads.
    static std::string ToUtf8(std::string_view bytes);
    // UTF-8 to Windows-1252, or nothing when the text holds a character that
    // Windows-1252 cannot hold or is not valid UTF-8.
    static std::optional<std::string> FromUtf8(std::string_view text);
    // UTF-8 to Windows-1252, writing '?' for what cannot be held.
    static std::string FromUtf8Lossy(std::string_view text);
    // The Unicode code point of one Windows-1252 byte (0xFFFD if unassigned).
    static char32_t CodePoint(unsigned char byte);
    // The Windows-1252 byte of a code point, or -1 if it has none.
    static int ByteOf(char32_t codePoint);
    // Decodes the UTF-8 character at `at` into `codePoint` and moves `at` past
    // it. Strict: an over-long form, a surrogate half, a code point beyond
    // U+10FFFF or a cut sequence gives false and leaves `at` where it was.
    static bool DecodeUtf8(std::string_view text, std::size_t& at, char32_t& codePoint);
    // True when the whole text is valid UTF-8 (strictly, as DecodeUtf8).
    static bool IsUtf8(std::string_view text);
};

} // namespace lexinum
