#pragma once

#include <optional>
#include <string>

namespace lexinum {

// The stepping of a number box of the numbers game: besides typing, the
// player moves its value by one with the arrow keys or by dragging the mouse
// with the right button held. A box limited to the tiles steps through the 14
// tile values; any other box steps its whole value, or only the digits the
// player has selected. The box shows the text decided here (a free box only
// if its own check accepts it).
class NumberStep {
public:
    // A stepped text with the selection to give back to the box.
    struct Result {
        std::string text;
        int selectionStart = 0;
        int selectionEnd = 0;
    };

    // A pointer move of this many pixels makes one step while dragging.
    static constexpr int kDragPixels = 6;

    // The next (or previous) tile text, held at "1" and "100"; a text that is
    // not a tile value steps to "1".
    static std::string StepTile(const std::string& text, bool up);
    // A free box stepped by one. With nothing or everything selected the whole
    // value moves (and everything stays selected); with some digits selected
    // only that group moves, within 0 to 99...9 of its width without wrapping,
    // written back with leading zeros. Nothing when the box holds something
    // other than digits or the value would go below 0 or past 32 bits.
    static std::optional<Result> StepValue(const std::string& text, int selectionStart, int selectionEnd, bool up);
    // The step a pointer move makes while dragging: +1 for a move of 6 pixels
    // or more to the right or upwards, -1 to the left or downwards, else 0.
    // (dx, dy) is the move from the remembered position, y growing downwards.
    static int DragStep(int dx, int dy);
};

} // namespace lexinum
