#pragma once

#include <QRect>

namespace lexinum {

// The layout quantities of the game, in pixels: the frame size, the results
// box, the buttons and the places of the draw, number, target, clock and score
// displays. Computed from the screen, the dialog base units and the fonts, and
// recomputed when the frame is maximized or restored. The application keeps
// the current quantities and hands them out with the fonts.
struct Layout {
    // What the quantities are computed from.
    struct Metrics {
        // Base font (bold "Courier New"): average and maximum character width,
        // text height, internal and external leading.
        int averageWidth = 0;
        int maxWidth = 0;
        int textHeight = 0;
        int internalLeading = 0;
        int externalLeading = 0;
        // Big font: maximum character width, text height, internal and external leading.
        int bigMaxWidth = 0;
        int bigTextHeight = 0;
        int bigInternalLeading = 0;
        int bigExternalLeading = 0;
        // Dialog-frame border width and height, caption height, menu bar height.
        int dialogFrameX = 0;
        int dialogFrameY = 0;
        int captionHeight = 0;
        int menuHeight = 0;
        // Dialog base units.
        int baseUnitX = 0;
        int baseUnitY = 0;
        // Screen size.
        int screenWidth = 0;
        int screenHeight = 0;
        // The frame is maximized: it fills the screen and the results box takes what is left.
        bool maximized = false;
    };

    int CHAR_WDTH = 0;
    int CHAR_HGHT = 0;
    int BOX_WDTH = 0;
    int BOX_HGHT = 0;
    int BIG_BOX_WDTH = 0;
    int BIG_BOX_HGHT = 0;
    int BUTTON_WDTH = 0;
    int BUTTON_HGHT = 0;
    int RESULT_WDTH = 0;
    int RESULT_HGHT = 0;
    int GAME_FRAME_WDTH = 0;
    int GAME_FRAME_HGHT = 0;
    int COLUMN_X = 0;
    int BUTTON_ROW_Y = 0;
    int HALF_BIG_CHAR = 0;
    QRect DRAW_RECT;
    QRect NUMBER_RECT;
    QRect TARGET_RECT;
    QRect CLOCK_RECT;
    QRect SCORE_RECT;
    // Height of a pane, the frame's client area between the menu and the message bar.
    int PANE_HGHT = 0;

    // The quantities for the given metrics.
    static Layout Compute(const Metrics& metrics);
    // The text height of the three fonts for a screen height, menu bar height
    // and caption height: a fortieth of what is left of the screen (a
    // twentieth when maximized), at least 1.
    static int TextHeight(int screenHeight, int menuHeight, int captionHeight, bool maximized);

    // Top-left corner of button place 1, 2 or 3 in a pane.
    QPoint ButtonPlace(int place) const;
    // The results box of a pane.
    QRect ResultRect() const { return {CHAR_WDTH, CHAR_HGHT, RESULT_WDTH, RESULT_HGHT}; }
};

} // namespace lexinum
