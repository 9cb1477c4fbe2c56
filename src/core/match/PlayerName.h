#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexinum {

// The player's name in a match. The saved game and the Top Ten store it as a
// blank-separated field of Windows-1252 bytes, so a name must read back as
// one field: no blank or control character, only characters Windows-1252
// holds, and no "@" in front (a Top Ten line starting so reads as a level's
// header).
inline constexpr std::size_t kMaxPlayerNameLength = 10;

// True when `c` may stand at `position` (from 0) in a name.
bool PlayerNameAllows(char32_t c, std::size_t position);

// True when the UTF-8 `name` is a name that can be stored: 1 to 10
// characters, each allowed where it stands.
bool IsPlayerName(std::string_view name);

// The UTF-8 `name` made storable: the characters a name cannot hold left
// out, then the first 10 kept (a name read from the settings, which the
// player may have edited).
std::string StorablePlayerName(std::string_view name);

} // namespace lexinum
