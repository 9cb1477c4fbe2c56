#pragma once

#include <array>

namespace lexinum {

// The letter tables of the letters game. Every weight array and every letter
// bag is indexed in these orders: consonants "BCDFGHJKLMNPQRSTVWXZ", vowels
// "AEIOUY", and the 26-letter table that puts the consonants first (vowels at
// positions 20 to 25).
inline constexpr int kConsonantCount = 20;
inline constexpr int kVowelCount = 6;
inline constexpr char kConsonants[] = "BCDFGHJKLMNPQRSTVWXZ";
inline constexpr char kVowels[] = "AEIOUY";
inline constexpr char kLetterTable[] = "BCDFGHJKLMNPQRSTVWXZAEIOUY";

// The French letter frequencies, as numbers of tiles in the draw bags; written
// to an index rebuilt without weights.
inline constexpr std::array<int, kVowelCount> kDefaultVowelWeights = {42, 94, 40, 34, 33, 2};
inline constexpr std::array<int, kConsonantCount> kDefaultConsonantWeights = {8,  16, 20, 8,  8,  2,  2,  1, 26, 14,
                                                                              34, 14, 6,  32, 36, 30, 10, 1, 4,  2};
// The weight of every letter before an index has been read.
inline constexpr int kInitialLetterWeight = 10;

// Limits of a lexicon: key lengths, files, and the bytes of a line (its line
// end included).
inline constexpr int kMinKeyLength = 2;
inline constexpr int kMaxKeyLength = 27;
inline constexpr int kKeyLengthCount = kMaxKeyLength - kMinKeyLength + 1;
inline constexpr int kMaxLexFiles = 99;
inline constexpr int kMaxLineLength = 199;
// The longest radical a lexicon may have.
inline constexpr int kMaxRadicalLength = 11;

} // namespace lexinum
