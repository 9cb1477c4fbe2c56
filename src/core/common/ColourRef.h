#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lexinum {

class Profile;

// A colour as the settings files keep it: one number 0x00BBGGRR, red in the
// low byte, written in upper-case hexadecimal without leading zeros. So "FF"
// is pure red and "FF0000" pure blue.
namespace ColourRef {

// Packs red, green and blue (0 to 255 each).
constexpr std::uint32_t FromRgb(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red & 0xFF) | static_cast<std::uint32_t>(green & 0xFF) << 8 |
           static_cast<std::uint32_t>(blue & 0xFF) << 16;
}
constexpr int Red(std::uint32_t colour) {
    return static_cast<int>(colour & 0xFF);
}
constexpr int Green(std::uint32_t colour) {
    return static_cast<int>((colour >> 8) & 0xFF);
}
constexpr int Blue(std::uint32_t colour) {
    return static_cast<int>((colour >> 16) & 0xFF);
}

// The colour a stored text gives: its leading hexadecimal digits (after
// optional blanks), 0 (black) when it has none; the high byte is dropped.
std::uint32_t Parse(std::string_view text);
// The stored text of `colour`.
std::string Format(std::uint32_t colour);

// The sixteen custom colours of the colour dialog, in section "Custom
// Colors" of "control.ini": "ColorA" to "ColorP"; slot i defaults to 10 x i.
using CustomColours = std::array<std::uint32_t, 16>;
// The key of slot `slot` (0 to 15).
std::string CustomColourKey(int slot);
// The sixteen custom colours kept in `file`.
CustomColours ReadCustomColours(const Profile& file);
// Writes to `file` the slots of `now` that differ from `before`, leaving the
// others untouched; the number of slots written.
int WriteChangedCustomColours(Profile& file, const CustomColours& before, const CustomColours& now);

} // namespace ColourRef

} // namespace lexinum
