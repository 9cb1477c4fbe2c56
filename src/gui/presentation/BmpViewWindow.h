#pragma once

#include "shell/BitmapFile.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <string>

namespace lexinum {

class AppServices;

// A window that paints its own background and keeps it, per level, in a
// section of "tiv.ini" whose name the derived window gives. The background
// is a plain colour (solid in training, hatched by level during a match) or
// a bitmap tiled from the window's top-left corner: one of the library's
// patterns or a bitmap file. The choice of each level is kept under
// "Bitmap0" to "Bitmap6": empty for the colour, "*" and the pattern number
// for a pattern, otherwise the file's path. The colour is kept under
// "Couleur".
class BmpViewWindow : public QWidget {
    Q_OBJECT

public:
    // The longest background text kept (a file's path).
    static constexpr std::size_t kMaxFileName = BitmapFile::kMaxFileName;

    BmpViewWindow(AppServices& app, const std::string& section, QWidget* parent);

    // The settings section of the window ("LETTRES", "CHIFFRES").
    const std::string& Section() const { return section_; }
    // The colour the background is painted with.
    QColor BackgroundColour() const { return background_; }
    // Paints the background with `colour` from now on.
    void SetBackgroundColour(const QColor& colour);

    // The level's background from the settings; the colour when it cannot be
    // shown. True when the stored bitmap is shown.
    bool LoadBackground(int level);
    // Writes the background shown as that of `level`, and clears the
    // changed flag.
    void SaveBackground(int level);
    // Shows library bitmap `resourceId` (230 + the pattern number); the file
    // name is left to the caller. Without a library, no bitmap is shown and
    // the background counts as changed, so that the level keeps the colour.
    bool LoadPatternBitmap(int resourceId);
    // Shows the bitmap file at `path` and takes its path as the file name.
    // A file that cannot be read as an image: a message, and the background
    // shown stays.
    bool LoadBitmapFile(const std::string& path);
    // Shows `image`, its colours taken from the library's palette image for
    // a pattern, from its own for a file.
    void SetBackgroundImage(const QImage& image, bool fromLibrary);
    // Drops the bitmap; the file name stays.
    void FreeBackground();

    // The player chose pattern `index` (0 to 20).
    bool ChoosePattern(int index);
    // The player chose the bitmap file at `path`.
    bool ChooseBitmapFile(const std::string& path);
    // The player chose the plain colour `colour`: the bitmap goes.
    void ChooseColour(const QColor& colour);

    // Reads the colour ("Couleur"); the default is the workspace colour.
    void LoadColour();
    // Writes the colour ("Couleur", "%lX").
    void SaveColour();

    // Empty, "*" and a pattern number, or a file's path.
    const std::string& FileName() const { return fileName_; }
    // True while a bitmap is shown.
    bool HasBitmap() const { return hasBitmap_; }
    // The bitmap shown (null without one).
    const QImage& Image() const { return image_; }
    // The background was changed since it was last saved.
    bool Changed() const { return changed_; }
    // The level whose background was last loaded.
    int ShownLevel() const { return shownLevel_; }

    // The brush style of the hatch painted at `level` (1 to 6).
    static Qt::BrushStyle HatchStyle(int level);
    // Paints the background over `area` of a window, as the window does.
    void PaintBackground(QPainter& painter, const QRect& area) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    AppServices& Services() const { return app_; }

private:
    AppServices& app_;
    std::string section_;
    QColor background_;
    std::string fileName_;
    QImage image_;
    // What is drawn: the image, or a block of whole copies of a small one.
    QImage tile_;
    bool hasBitmap_ = false;
    bool changed_ = false;
    int shownLevel_ = 0;
};

} // namespace lexinum
