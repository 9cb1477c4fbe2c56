#include "letters/LettersMetrics.h"

#include "shell/GameFonts.h"
#include "shell/Layout.h"

#include <QFontMetrics>

#include <algorithm>

namespace lexinum {

int LettersMetrics::CellHeight(const QFont& font) {
    const QFontMetrics metrics(font);
    const int internalLeading = std::max(0, metrics.height() - font.pixelSize());
    return metrics.height() + internalLeading + std::max(0, metrics.leading());
}

int LettersMetrics::FrameBorder(const GameFonts& fonts, const Layout& layout) {
    // The big boxes are one cell of the big font high with a border above and below.
    return std::max(1, (layout.BIG_BOX_HGHT - CellHeight(fonts.bigFont)) / 2);
}

} // namespace lexinum
