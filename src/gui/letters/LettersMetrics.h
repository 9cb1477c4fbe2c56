#pragma once

class QFont;

namespace lexinum {

struct GameFonts;
struct Layout;

// Heights the letters dialogs are laid out with, measured as the game
// measures its fonts.
class LettersMetrics {
public:
    // The text height of `font` with its internal and external leading.
    static int CellHeight(const QFont& font);
    // The border of a dialog frame, as the layout counts it around its boxes.
    static int FrameBorder(const GameFonts& fonts, const Layout& layout);
};

} // namespace lexinum
