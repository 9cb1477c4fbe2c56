#pragma once

#include <QFont>

namespace lexinum {

// The three fonts every window shares, made by the application from the
// screen's text height: the pane buttons' font, the base font the layout is
// measured with (and the numbers pane's), and the big font of the draw, the
// word entry and the clock.
struct GameFonts {
    QFont buttonFont;
    QFont baseFont;
    QFont bigFont;

    // The fonts for text height `textHeight` (the height of a character cell, in pixels).
    static GameFonts ForTextHeight(int textHeight);
    // A font of face `face` whose cell (ascent plus descent) is at most
    // `cellHeight` pixels high, the way the game asks for its fonts.
    static QFont OfCellHeight(const QString& face, QFont::StyleHint hint, int cellHeight, QFont::Weight weight);
};

} // namespace lexinum
