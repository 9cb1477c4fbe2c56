#include "lexicon/WordEntryButtons.h"
#include "lexicon/LetterEntry.h"

#include <gtest/gtest.h>

#include <string>

namespace lexinum {
namespace {

// Which buttons are visible, as a string of 1 and 0.
std::string Shown(const WordEntryButtons& buttons) {
    std::string shown;
    for (int i = 0; i < buttons.Count(); ++i)
        shown += buttons.Visible(i) ? '1' : '0';
    return shown;
}

TEST(WordEntryButtons, OneButtonPerDrawnLetterInDrawOrder) {
    WordEntryButtons buttons("AABE");
    EXPECT_EQ(buttons.Count(), 4);
    EXPECT_EQ(buttons.Letter(2), 'B');
    EXPECT_EQ(buttons.Letter(4), '\0');
    EXPECT_FALSE(buttons.Visible(4));
    EXPECT_EQ(Shown(buttons), "1111");
    EXPECT_EQ(buttons.FirstVisible('A'), 0);
    EXPECT_EQ(buttons.FirstHidden('A'), -1);
    EXPECT_EQ(buttons.FirstVisible('Z'), -1);
    buttons.Hide(-1);
    buttons.Show(-1);
    buttons.Show(26);
    EXPECT_EQ(Shown(buttons), "1111");
}

TEST(WordEntryButtons, TypingAndDeletingFollowTheWord) {
    WordEntryButtons buttons("AABE");
    EXPECT_TRUE(buttons.Edited("", "", 0, "A"));
    EXPECT_EQ(Shown(buttons), "0111");
    EXPECT_TRUE(buttons.Edited("A", "", 0, "AA"));
    EXPECT_EQ(Shown(buttons), "0011");
    // A third A is refused by the field: the word does not change.
    EXPECT_TRUE(buttons.Edited("AA", "", 0, "AA"));
    EXPECT_EQ(Shown(buttons), "0011");
    EXPECT_TRUE(buttons.Edited("AA", "", 0, "AAE"));
    EXPECT_EQ(Shown(buttons), "0010");
    // Backspace over the last letter brings its button back.
    EXPECT_TRUE(buttons.Edited("AAE", "", 0, "AA"));
    EXPECT_EQ(Shown(buttons), "0011");
    // A letter inserted at the front.
    EXPECT_TRUE(buttons.Edited("AA", "", 0, "BAA"));
    EXPECT_EQ(Shown(buttons), "0001");
    // Deleting the middle A.
    EXPECT_TRUE(buttons.Edited("BAA", "", 0, "BA"));
    EXPECT_EQ(Shown(buttons), "1001");
}

TEST(WordEntryButtons, ReplacingASelection) {
    WordEntryButtons buttons("AABE");
    buttons.Edited("", "", 0, "A");
    buttons.Edited("A", "", 0, "AB");
    buttons.Edited("AB", "", 0, "ABE");
    EXPECT_EQ(Shown(buttons), "0100");
    // "BE" selected, replaced by A: two buttons back, one hidden.
    EXPECT_TRUE(buttons.Edited("ABE", "BE", 1, "AA"));
    EXPECT_EQ(Shown(buttons), "0011");
    // The selection replaced by its own first letter: the letter typed is
    // the one at the selection's start, not where the words first differ.
    buttons.Edited("AA", "", 0, "AAB");
    EXPECT_TRUE(buttons.Edited("AAB", "AB", 1, "AA"));
    EXPECT_EQ(Shown(buttons), "0011");
    // A selection deleted.
    EXPECT_TRUE(buttons.Edited("AA", "AA", 0, ""));
    EXPECT_EQ(Shown(buttons), "1111");
}

TEST(WordEntryButtons, PressedButtonsAndEffacer) {
    WordEntryButtons buttons("AABE");
    buttons.Pressed(1, "");
    EXPECT_EQ(Shown(buttons), "1011");
    buttons.Pressed(2, "");
    EXPECT_EQ(Shown(buttons), "1001");
    // Pressed while "B" is selected: the B comes back.
    buttons.Pressed(3, "B");
    EXPECT_EQ(Shown(buttons), "1010");
    buttons.ShowAll();
    EXPECT_EQ(Shown(buttons), "1111");
}

TEST(WordEntryButtons, AKeystrokeThatOnlyChangesALetterBeepsAndAPasteIsFollowed) {
    WordEntryButtons buttons("AABE");
    buttons.Edited("", "", 0, "AB");
    EXPECT_EQ(Shown(buttons), "0101");
    EXPECT_FALSE(buttons.Edited("AB", "", 0, "AE"));
    EXPECT_EQ(Shown(buttons), "0110");
    // Beyond one letter at a time, the buttons still agree with the word.
    EXPECT_TRUE(buttons.Edited("AE", "", 0, "AABE"));
    EXPECT_EQ(Shown(buttons), "0000");
    EXPECT_TRUE(buttons.Edited("AABE", "", 0, ""));
    EXPECT_EQ(Shown(buttons), "1111");
}

TEST(LetterEntry, TypedLettersAreCapitalsAndFoldedAccents) {
    EXPECT_EQ(TypedLetter(U'a'), 'A');
    EXPECT_EQ(TypedLetter(U'Z'), 'Z');
    EXPECT_EQ(TypedLetter(U'é'), 'E');
    EXPECT_EQ(TypedLetter(U'ç'), 'C');
    EXPECT_EQ(TypedLetter(U'ù'), 'U');
    EXPECT_EQ(TypedLetter(U'É'), 0);
    EXPECT_EQ(TypedLetter(U'ñ'), 0);
    EXPECT_EQ(TypedLetter(U'1'), 0);
    EXPECT_EQ(TypedLetter(U' '), 0);
    EXPECT_EQ(TypedLetter(U'€'), 0);
    EXPECT_EQ(TypedLetter(U'ő'), 0);
}

TEST(LetterEntry, AWordFitsWhenEachLetterIsDrawnOftenEnough) {
    EXPECT_TRUE(FitsDraw("AABE", ""));
    EXPECT_TRUE(FitsDraw("AABE", "BEAA"));
    EXPECT_TRUE(FitsDraw("AABE", "AA"));
    EXPECT_FALSE(FitsDraw("AABE", "AAA"));
    EXPECT_FALSE(FitsDraw("AABE", "C"));
}

} // namespace
} // namespace lexinum
