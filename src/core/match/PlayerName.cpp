#include "match/PlayerName.h"

#include "common/Cp1252.h"

namespace lexinum {

namespace {

constexpr char32_t kNoBreakSpace = 0xA0;
// What opens a level's header line in the Top Ten.
constexpr char32_t kHeaderMark = '@';

} // namespace

bool PlayerNameAllows(char32_t c, std::size_t position) {
    if (c <= ' ' || c == 0x7F || c == kNoBreakSpace)
        return false;
    if (c == kHeaderMark && position == 0)
        return false;
    return Cp1252::ByteOf(c) >= 0;
}

bool IsPlayerName(std::string_view name) {
    std::size_t at = 0;
    std::size_t count = 0;
    char32_t c = 0;
    while (at < name.size()) {
        if (!Cp1252::DecodeUtf8(name, at, c) || !PlayerNameAllows(c, count))
            return false;
        ++count;
    }
    return count >= 1 && count <= kMaxPlayerNameLength;
}

std::string StorablePlayerName(std::string_view name) {
    std::string kept;
    std::size_t count = 0;
    std::size_t at = 0;
    char32_t c = 0;
    while (at < name.size() && count < kMaxPlayerNameLength) {
        const std::size_t start = at;
        if (!Cp1252::DecodeUtf8(name, at, c)) {
            ++at;
            continue;
        }
        if (PlayerNameAllows(c, count)) {
            kept.append(name.substr(start, at - start));
            ++count;
        }
    }
    return kept;
}

} // namespace lexinum
