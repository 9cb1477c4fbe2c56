#include "shell/BitmapFile.h"

#include <QImageReader>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace lexinum {

namespace {

// The smallest side of the block of tiles drawn at once, in pixels.
constexpr int kSmallestDrawnTile = 32;

} // namespace

QImage BitmapFile::Read(const std::string& path) {
    if (path.size() > kMaxFileName)
        return {};
    // Only a bitmap file is taken, whatever its name says.
    QImageReader reader(QString::fromStdString(path), "BMP");
    reader.setAutoDetectImageFormat(false);
    // The header is read first: the size it gives decides whether the pixels are.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide)
        return {};
    return reader.read();
}

BitmapFile::Tiles BitmapFile::Prepare(const QImage& image) {
    Tiles tiles;
    if (image.isNull())
        return tiles;
    // Drawn many times, the tile is kept in the screen's own format.
    tiles.image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = tiles.image.width();
    const int height = tiles.image.height();
    const int across = std::max(1, (kSmallestDrawnTile + width - 1) / std::max(1, width));
    const int down = std::max(1, (kSmallestDrawnTile + height - 1) / std::max(1, height));
    tiles.tile = tiles.image;
    if (across > 1 || down > 1) {
        tiles.tile = QImage(width * across, height * down, tiles.image.format());
        QPainter painter(&tiles.tile);
        for (int row = 0; row < down; ++row) {
            for (int column = 0; column < across; ++column)
                painter.drawImage(QPoint(column * width, row * height), tiles.image);
        }
    }
    return tiles;
}

} // namespace lexinum
