#include "common/ColourRef.h"

#include "common/Profile.h"

#include <cstdio>

namespace lexinum::ColourRef {

namespace {

constexpr char kCustomSection[] = "Custom Colors";
// A stored colour is read up to this many characters.
constexpr std::size_t kLongestText = 14;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::uint32_t Parse(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    // Only the low 32 bits are kept, as an unsigned long holds them; the
    // colour is their low three bytes.
    std::uint32_t value = 0;
    for (; at < text.size() && HexDigit(text[at]) >= 0; ++at)
        value = value << 4 | static_cast<std::uint32_t>(HexDigit(text[at]));
    return value & 0xFFFFFF;
}

std::string Format(std::uint32_t colour) {
    char text[12];
    std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(colour & 0xFFFFFF));
    return text;
}

std::string CustomColourKey(int slot) {
    return std::string("Color") + static_cast<char>('A' + slot);
}

CustomColours ReadCustomColours(const Profile& file) {
    CustomColours colours{};
    for (int slot = 0; slot < static_cast<int>(colours.size()); ++slot) {
        const std::string text = file.ReadString(kCustomSection, CustomColourKey(slot), "", kLongestText);
        colours[static_cast<std::size_t>(slot)] = text.empty() ? static_cast<std::uint32_t>(10 * slot) : Parse(text);
    }
    return colours;
}

int WriteChangedCustomColours(Profile& file, const CustomColours& before, const CustomColours& now) {
    int written = 0;
    for (std::size_t slot = 0; slot < now.size(); ++slot) {
        if (now[slot] == before[slot])
            continue;
        file.WriteString(kCustomSection, CustomColourKey(static_cast<int>(slot)), Format(now[slot]));
        ++written;
    }
    return written;
}

} // namespace lexinum::ColourRef
