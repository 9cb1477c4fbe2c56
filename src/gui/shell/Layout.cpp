#include "shell/Layout.h"

#include <algorithm>

namespace lexinum {

Layout Layout::Compute(const Metrics& m) {
    Layout l;
    const int AW = m.averageWidth;
    const int TH = m.textHeight;

    l.CHAR_WDTH = AW;
    l.CHAR_HGHT = TH;
    l.BOX_WDTH = 2 * m.dialogFrameX + 3 * m.maxWidth;
    l.BOX_HGHT = 2 * m.dialogFrameY + TH + m.internalLeading + m.externalLeading;
    l.BIG_BOX_WDTH = 2 * l.BOX_WDTH + AW;
    l.BIG_BOX_HGHT = 2 * m.dialogFrameY + m.bigTextHeight + m.bigInternalLeading + m.bigExternalLeading;
    l.HALF_BIG_CHAR = m.bigMaxWidth / 2;
    l.BUTTON_WDTH = 2 * l.BOX_WDTH + AW;
    l.BUTTON_HGHT = l.BOX_HGHT;

    const int messageBarHeight = m.menuHeight + 1;
    if (!m.maximized) {
        l.RESULT_WDTH = (m.baseUnitX * 128) / 4;
        l.RESULT_HGHT = (m.baseUnitY * 140) / 8;
        l.GAME_FRAME_WDTH = 3 * AW + l.RESULT_WDTH + 3 * l.BUTTON_WDTH + 2 * AW;
        l.GAME_FRAME_HGHT =
            m.captionHeight + 2 * TH + l.RESULT_HGHT + m.menuHeight + messageBarHeight + 2 * m.dialogFrameY;
    } else {
        l.GAME_FRAME_WDTH = m.screenWidth;
        l.GAME_FRAME_HGHT = m.screenHeight;
        // A screen too small for the buttons still leaves a box of one pixel.
        l.RESULT_WDTH = std::max(1, l.GAME_FRAME_WDTH - 3 * AW - 3 * l.BUTTON_WDTH - 2 * AW);
        l.RESULT_HGHT = std::max(1, l.GAME_FRAME_HGHT - 2 * TH - m.captionHeight - m.menuHeight - messageBarHeight);
    }
    l.PANE_HGHT = 2 * TH + l.RESULT_HGHT;

    l.COLUMN_X = 2 * AW + l.RESULT_WDTH;
    l.BUTTON_ROW_Y = l.RESULT_HGHT + TH - l.BUTTON_HGHT;
    l.DRAW_RECT = QRect(l.COLUMN_X, TH, 3 * l.BUTTON_WDTH + 2 * AW, l.BIG_BOX_HGHT);
    l.NUMBER_RECT = QRect(l.COLUMN_X, TH + l.BIG_BOX_HGHT + TH, l.BOX_WDTH, l.BOX_HGHT);
    l.TARGET_RECT = QRect(l.COLUMN_X + 2 * l.BOX_WDTH + 2 * AW, TH, l.BIG_BOX_WDTH, l.BIG_BOX_HGHT);
    l.CLOCK_RECT = QRect(l.COLUMN_X, l.NUMBER_RECT.y() + l.BOX_HGHT + TH, l.BIG_BOX_WDTH, l.RESULT_HGHT / 6);
    const int scoreX = l.CLOCK_RECT.x() + l.BIG_BOX_WDTH + AW;
    l.SCORE_RECT =
        QRect(scoreX, l.CLOCK_RECT.y(), (3 * l.BUTTON_WDTH + l.COLUMN_X + 2 * AW) - scoreX, l.RESULT_HGHT / 6);
    return l;
}

int Layout::TextHeight(int screenHeight, int menuHeight, int captionHeight, bool maximized) {
    const int height = (screenHeight - (menuHeight + 2 * captionHeight)) / (maximized ? 20 : 40);
    return std::max(1, height);
}

QPoint Layout::ButtonPlace(int place) const {
    return {COLUMN_X + (place - 1) * (BUTTON_WDTH + CHAR_WDTH), BUTTON_ROW_Y};
}

} // namespace lexinum
