#pragma once

#include <QImage>
#include <QString>

namespace lexinum {

// The library of background bitmaps: a binary resource file beside the
// program, opened once at start-up, holding the 21 patterns (bitmaps 230 to
// 250, pattern i being 230 + i) and the palette image 251 whose colour table
// the patterns and their buttons share. Without it, the game goes on with
// plain colours and bitmap files.
class BitmapLibrary {
public:
    static constexpr int kFirstPattern = 230;
    static constexpr int kPatternCount = 21;
    static constexpr int kPaletteBitmap = 251;
    // The name of the library's file.
    static constexpr char kFileName[] = "motifs32.rcc";

    BitmapLibrary() = default;
    ~BitmapLibrary();
    BitmapLibrary(const BitmapLibrary&) = delete;
    BitmapLibrary& operator=(const BitmapLibrary&) = delete;

    // The library's file beside the program in the build tree, or in the
    // installed data folder once installed.
    static QString DefaultPath();
    // Opens the library at `path` (closing the one open, if any). 0 on
    // success, otherwise the system's error code of the failure.
    unsigned long Load(const QString& path);
    // Closes the library: every bitmap is then missing.
    void Unload();
    // True while a library is open.
    bool IsLoaded() const { return !root_.isEmpty(); }
    // The bitmap numbered `id`, or a null image when there is no library or
    // no such bitmap.
    QImage Bitmap(int id) const;

private:
    QString path_;
    QString root_;
};

} // namespace lexinum
