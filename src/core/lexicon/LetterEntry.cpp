#include "LetterEntry.h"

#include "lexicon/LetterKey.h"

#include <array>

namespace lexinum {

char TypedLetter(char32_t code) {
    // Below 256, Unicode and Windows-1252 agree on the letters.
    if (code >= 0x100)
        return 0;
    const char folded = FoldLetter(static_cast<char>(static_cast<unsigned char>(code)));
    return folded >= 'A' && folded <= 'Z' ? folded : 0;
}

bool FitsDraw(std::string_view letters, std::string_view word) {
    std::array<int, 256> left{};
    for (const char c : letters)
        ++left[static_cast<unsigned char>(c)];
    for (const char c : word) {
        if (left[static_cast<unsigned char>(c)]-- <= 0)
            return false;
    }
    return true;
}

} // namespace lexinum
