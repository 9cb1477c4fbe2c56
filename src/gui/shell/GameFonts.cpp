#include "shell/GameFonts.h"

#include <QFontMetrics>

#include <algorithm>

namespace lexinum {

QFont GameFonts::OfCellHeight(const QString& face, QFont::StyleHint hint, int cellHeight, QFont::Weight weight) {
    QFont font(face);
    font.setStyleHint(hint);
    font.setWeight(weight);
    int pixels = std::max(1, cellHeight);
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > cellHeight) {
        --pixels;
        font.setPixelSize(pixels);
    }
    return font;
}

GameFonts GameFonts::ForTextHeight(int textHeight) {
    GameFonts fonts;
    fonts.buttonFont = OfCellHeight(QStringLiteral("Arial"), QFont::SansSerif, textHeight, QFont::Normal);
    fonts.baseFont = OfCellHeight(QStringLiteral("Courier New"), QFont::TypeWriter, textHeight, QFont::Bold);
    fonts.bigFont = OfCellHeight(QStringLiteral("Courier New"), QFont::TypeWriter, 2 * textHeight, QFont::Bold);
    return fonts;
}

} // namespace lexinum
