#include "Cp1252.h"

namespace lexinum {

namespace {
// Code points of 0x80..0x9F; the rest of the range is Latin-1.
constexpr char32_t kHigh[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

bool Cp1252::DecodeUtf8(std::string_view text, std::size_t& at, char32_t& cp) {
    if (at >= text.size())
        return false;
    const auto lead = static_cast<unsigned char>(text[at]);
    int extra;
    char32_t lowest;
    if (lead < 0x80) {
        cp = lead;
        ++at;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        cp = lead & 0x1F;
        extra = 1;
        lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        cp = lead & 0x0F;
        extra = 2;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        cp = lead & 0x07;
        extra = 3;
        lowest = 0x10000;
    } else {
        // A continuation byte, or a lead byte that can only start an over-long
        // form (0xC0, 0xC1) or a code point beyond U+10FFFF.
        return false;
    }
    if (text.size() - at <= static_cast<std::size_t>(extra))
        return false;
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (next & 0x3F);
    }
    // The shortest form only (a two-byte "E" is not an "E"), no surrogate
    // halves, nothing beyond U+10FFFF.
    if (cp < lowest || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return false;
    at += static_cast<std::size_t>(extra) + 1;
    return true;
}

bool Cp1252::IsUtf8(std::string_view text) {
    char32_t cp;
    for (std::size_t at = 0; at < text.size();)
        if (!DecodeUtf8(text, at, cp))
            return false;
    return true;
}

char32_t Cp1252::CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return kHigh[byte - 0x80];
    return byte;
}

int Cp1252::ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    if (cp == 0xFFFD)
        return -1;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp)
            return 0x80 + i;
    return -1;
}

std::string Cp1252::ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes)
        AppendUtf8(out, CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> Cp1252::FromUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t cp;
        if (!DecodeUtf8(text, at, cp))
            return std::nullopt;
        const int byte = ByteOf(cp);
        if (byte < 0)
            return std::nullopt;
        out += static_cast<char>(byte);
    }
    return out;
}

std::string Cp1252::FromUtf8Lossy(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        char32_t cp;
        if (!DecodeUtf8(text, at, cp)) {
            out += '?';
            ++at;
            continue;
        }
        const int byte = ByteOf(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

} // namespace lexinum
