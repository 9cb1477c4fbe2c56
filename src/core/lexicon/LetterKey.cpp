#include "LetterKey.h"

#include <algorithm>

namespace lexinum {

namespace {

// What each Windows-1252 code from 0xE0 to 0xFF folds to; 0 means unchanged.
constexpr char kAccentedFolds[32] = {
    'A', 0, 'A', 0, 'A', 0, 0,   'C', 'E', 'E', 'E', 'E', 0,   0, 'I', 'I', // à á â ã ä å æ ç è é ê ë ì í î ï
    0,   0, 0,   0, 'O', 0, 'O', 0,   0,   'U', 0,   'U', 'U', 0, 0,   0, // ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ
};

} // namespace

char FoldLetter(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 'a' && code <= 'z')
        return static_cast<char>(code - 'a' + 'A');
    if (code >= 0xE0) {
        const char folded = kAccentedFolds[code - 0xE0];
        return folded != 0 ? folded : c;
    }
    return c;
}

void FoldText(std::string& text) {
    for (char& c : text)
        c = FoldLetter(c);
}

std::string MakeKey(std::string_view word) {
    std::string key(word);
    FoldText(key);
    std::sort(key.begin(), key.end(),
              [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
    return key;
}

int CompareKeyLine(std::string_view key, std::string_view line) {
    // A position past the end of either text reads as the terminating zero.
    const auto at = [](std::string_view text, std::size_t i) -> signed char {
        return i < text.size() ? static_cast<signed char>(text[i]) : 0;
    };
    const std::size_t limit = std::max(key.size(), line.size());
    std::size_t i = 0;
    while (i < limit && at(key, i) == at(line, i))
        ++i;
    const signed char k = at(key, i);
    const signed char l = at(line, i);
    if (i < limit && l <= k)
        return -1;
    if (i < key.size())
        return +1;
    // The key has ended: the line is the key's only if its key ends here too.
    return l == ' ' ? 0 : +1;
}

} // namespace lexinum
