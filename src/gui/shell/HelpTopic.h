#pragma once

namespace lexinum {

// The topics of the game's help, by number: each dialog is given its own when
// it is built, and context help with no dialog open opens the one of the game
// and mode shown.
enum class HelpTopic : int {
    None = 0,
    // Pages no dialog opens: the contents, and how to use the help window.
    Contents = 1,
    UsingHelp = 2,
    TopTen = 259,
    LettersTraining = 260,
    LettersMatch = 261,
    // The vowel and consonant picks and the word entry.
    LetterEntry = 263,
    LettersOptions = 264,
    NumbersTraining = 265,
    NumbersMatch = 266,
    CalculationEntry = 267,
    NumbersOptions = 268,
    Colours = 270,
    BitmapFile = 271,
    Fonts = 272,
    AddWords = 277,
    RemoveWords = 278,
    // Locating a lexicon, and the offer to play numbers without one.
    Lexicon = 279,
    NewMatch = 317,
    ResumeMatch = 318,
    SaveMatchAs = 319,
};

// The number of a topic, as the help pages are numbered.
constexpr int TopicNumber(HelpTopic topic) {
    return static_cast<int>(topic);
}

} // namespace lexinum
