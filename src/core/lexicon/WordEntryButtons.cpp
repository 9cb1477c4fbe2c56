#include "WordEntryButtons.h"

#include "lexicon/LetterKey.h"

#include <algorithm>

namespace lexinum {

namespace {

// The first position where `a` and `b` differ (the shorter one's length when
// one begins the other).
std::size_t FirstDifference(std::string_view a, std::string_view b) {
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t at = 0;
    while (at < shorter && a[at] == b[at])
        ++at;
    return at;
}

} // namespace

WordEntryButtons::WordEntryButtons(std::string_view letters)
    : letters_(letters.substr(0, std::min<std::size_t>(letters.size(), kButtonCount))) {
    ShowAll();
}

char WordEntryButtons::Letter(int button) const {
    return button >= 0 && button < Count() ? letters_[static_cast<std::size_t>(button)] : '\0';
}

bool WordEntryButtons::Visible(int button) const {
    return button >= 0 && button < Count() && visible_[static_cast<std::size_t>(button)];
}

void WordEntryButtons::Show(int button) {
    if (button >= 0 && button < Count())
        visible_[static_cast<std::size_t>(button)] = true;
}

void WordEntryButtons::Hide(int button) {
    if (button >= 0 && button < Count())
        visible_[static_cast<std::size_t>(button)] = false;
}

int WordEntryButtons::FirstVisible(char letter) const {
    for (int i = 0; i < Count(); ++i) {
        if (Visible(i) && Letter(i) == letter)
            return i;
    }
    return -1;
}

int WordEntryButtons::FirstHidden(char letter) const {
    for (int i = 0; i < Count(); ++i) {
        if (!Visible(i) && Letter(i) == letter)
            return i;
    }
    return -1;
}

void WordEntryButtons::ShowAll() {
    visible_.fill(false);
    for (int i = 0; i < Count(); ++i)
        visible_[static_cast<std::size_t>(i)] = true;
}

void WordEntryButtons::Pressed(int button, std::string_view selected) {
    Hide(button);
    for (const char c : selected)
        Show(FirstHidden(c));
}

bool WordEntryButtons::Edited(std::string_view before, std::string_view selected, int selectionStart,
                              std::string_view after) {
    if (before == after)
        return true;
    bool changedLetters = true;
    if (selected.empty()) {
        if (after.size() + 1 == before.size()) {
            Show(FirstHidden(before[FirstDifference(before, after)]));
        } else if (after.size() == before.size() + 1) {
            // Inserted anywhere, the letter stands where the two first differ.
            Hide(FirstVisible(FoldLetter(after[FirstDifference(before, after)])));
        } else if (after.size() == before.size()) {
            changedLetters = false;
        }
    } else {
        for (const char c : selected)
            Show(FirstHidden(c));
        const auto start = static_cast<std::size_t>(std::max(selectionStart, 0));
        if (after.size() + selected.size() == before.size() + 1 && start < after.size())
            Hide(FirstVisible(FoldLetter(after[start])));
    }
    // Pastes, undos and the like are beyond the keystroke rules: the buttons
    // are brought in line with the word, leaving alone those that already are.
    Reconcile(after);
    return changedLetters;
}

void WordEntryButtons::Reconcile(std::string_view word) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const auto inWord = static_cast<int>(std::count(word.begin(), word.end(), letter));
        int hidden = 0;
        for (int i = 0; i < Count(); ++i)
            hidden += !Visible(i) && Letter(i) == letter ? 1 : 0;
        for (; hidden < inWord && FirstVisible(letter) >= 0; ++hidden)
            Hide(FirstVisible(letter));
        for (; hidden > inWord; --hidden)
            Show(FirstHidden(letter));
    }
}

} // namespace lexinum
