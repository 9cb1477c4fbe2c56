#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lexinum {

// The letter buttons of the word entry: button i shows drawn letter i (in
// draw order). A button hides while its letter stands in the word being
// written and comes back when the letter leaves it, whether the player
// types, deletes, replaces a selection or presses the buttons. The word is
// in capitals A to Z; buttons beyond the drawn letters are never shown.
class WordEntryButtons {
public:
    static constexpr int kButtonCount = 27;

    explicit WordEntryButtons(std::string_view letters);

    // The number of drawn letters, so of buttons in use.
    int Count() const { return static_cast<int>(letters_.size()); }
    // The letter of button i, 0 beyond the drawn letters.
    char Letter(int button) const;
    bool Visible(int button) const;
    // Shows or hides button i; -1 (a button not found) is ignored.
    void Show(int button);
    void Hide(int button);
    // The first visible, or the first hidden, button with `letter`; -1 if none.
    int FirstVisible(char letter) const;
    int FirstHidden(char letter) const;
    // "E&ffacer": every button of a drawn letter comes back.
    void ShowAll();

    // Button i was pressed while `selected` was selected in the word: its
    // letter replaces the selection, so it hides and the buttons of the
    // selected letters come back.
    void Pressed(int button, std::string_view selected);
    // The word went from `before` to `after` by a keystroke; `selected` was
    // selected in `before` from `selectionStart` (empty when nothing was).
    // Without a selection, a letter removed brings its button back and a
    // letter added hides one; with one, the selected letters' buttons come
    // back, then the letter typed in its place hides one. False when a
    // keystroke changed the word without adding or removing a letter (the
    // dialog beeps). Whatever the keystroke, the buttons then agree with the
    // word: as many buttons of each letter are hidden as the word holds.
    bool Edited(std::string_view before, std::string_view selected, int selectionStart, std::string_view after);

private:
    // Hides or shows the fewest buttons so that the hidden ones match `word`.
    void Reconcile(std::string_view word);

    std::string letters_;
    std::array<bool, kButtonCount> visible_{};
};

} // namespace lexinum
