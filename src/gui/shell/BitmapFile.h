#pragma once

#include <QImage>

#include <cstddef>
#include <string>

namespace lexinum {

// A background bitmap file (.bmp) as the panes read and paint it. Kept apart
// from the window so that reading a file the player names can be tried on
// any bytes without a window.
class BitmapFile {
public:
    // The longest path read (a longer one is refused).
    static constexpr std::size_t kMaxFileName = 259;
    // The widest and tallest bitmap read, in pixels: a file whose header
    // gives more is refused before a pixel of it is read (a few bytes can
    // announce millions of rows, which the block of tiles of a thin picture
    // would multiply by thirty-two).
    static constexpr int kMaxSide = 32767;

    // An image made ready to paint a background: the picture in the screen's
    // format, and the tile drawn, the picture itself or, for a tiny picture
    // that would take thousands of copies to cover a window, a block of whole
    // copies of it on the same grid.
    struct Tiles {
        QImage image;
        QImage tile;
    };

    // Reads the bitmap file at `path` as a BMP, whatever its name says; a
    // null image when it cannot be read as one or is larger than kMaxSide.
    static QImage Read(const std::string& path);
    // The image converted and its tile; both null for a null image.
    static Tiles Prepare(const QImage& image);
};

} // namespace lexinum
