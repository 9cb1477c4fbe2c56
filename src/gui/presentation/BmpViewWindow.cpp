#include "presentation/BmpViewWindow.h"

#include "common/ColourRef.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "shell/AppServices.h"
#include "shell/BitmapFile.h"
#include "shell/BitmapLibrary.h"
#include "shell/GameState.h"

#include <QFile>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

#include <charconv>
#include <utility>

namespace lexinum {

namespace {

constexpr char kBitmapKey[] = "Bitmap";
constexpr char kColourKey[] = "Couleur";
// A stored colour is read up to this many characters.
constexpr std::size_t kLongestColourText = 14;

// The sixteen colours that stand in for the library's palette image when it
// cannot be read.
QList<QRgb> FallbackColourTable() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

std::string BitmapKey(int level) {
    return kBitmapKey + std::to_string(level);
}

} // namespace

BmpViewWindow::BmpViewWindow(AppServices& app, const std::string& section, QWidget* parent)
    : QWidget(parent), app_(app), section_(section), background_(palette().color(QPalette::Dark)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BmpViewWindow::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    update();
}

bool BmpViewWindow::LoadBackground(int level) {
    shownLevel_ = level;
    fileName_ = app_.Settings().ReadString(section_, BitmapKey(level), "", kMaxFileName);
    bool shown = false;
    if (fileName_.starts_with('*')) {
        int index = -1;
        const char* first = fileName_.data() + 1;
        const char* last = fileName_.data() + fileName_.size();
        const auto [end, error] = std::from_chars(first, last, index);
        // A number outside the library names no pattern: the colour shows.
        if (error == std::errc() && end != first && index >= 0 && index < BitmapLibrary::kPatternCount)
            shown = LoadPatternBitmap(BitmapLibrary::kFirstPattern + index);
    } else if (!fileName_.empty()) {
        shown = LoadBitmapFile(fileName_);
    }
    if (!shown)
        FreeBackground();
    update();
    return shown;
}

void BmpViewWindow::SaveBackground(int level) {
    app_.Settings().WriteString(section_, BitmapKey(level), hasBitmap_ ? fileName_ : std::string());
    changed_ = false;
}

bool BmpViewWindow::LoadPatternBitmap(int resourceId) {
    const BitmapLibrary& library = app_.Bitmaps();
    if (!library.IsLoaded()) {
        // The level keeps the colour from now on: it shows at once.
        FreeBackground();
        changed_ = true;
        return false;
    }
    const QImage image = library.Bitmap(resourceId);
    if (image.isNull()) {
        Prompter::Active().Tell("Impossible d'accéder à la ressource bitmap " +
                                    std::to_string(resourceId - BitmapLibrary::kFirstPattern) + ".",
                                AppServices::kProgramName, PromptIcon::Exclamation);
        return false;
    }
    SetBackgroundImage(image, true);
    return true;
}

bool BmpViewWindow::LoadBitmapFile(const std::string& path) {
    const QImage image = BitmapFile::Read(path);
    if (image.isNull()) {
        Prompter::Active().Tell("Erreur de fichier:\r\nImpossible d'ouvrir le fichier bitmap.",
                                AppServices::kProgramName, PromptIcon::Exclamation);
        return false;
    }
    SetBackgroundImage(image, false);
    fileName_ = path;
    return true;
}

void BmpViewWindow::SetBackgroundImage(const QImage& image, bool fromLibrary) {
    FreeBackground();
    image_ = image;
    if (fromLibrary && image_.format() == QImage::Format_Indexed8) {
        // The patterns share the colour table of the library's palette image.
        QImage palette = app_.Bitmaps().Bitmap(BitmapLibrary::kPaletteBitmap);
        QList<QRgb> table = palette.colorTable();
        if (table.isEmpty()) {
            Prompter::Active().Tell("Impossible d'accéder à la ressource bitmap.", AppServices::kProgramName,
                                    PromptIcon::Exclamation);
            table = FallbackColourTable();
        }
        while (table.size() < image_.colorCount())
            table.append(image_.color(static_cast<int>(table.size())));
        image_.setColorTable(table);
    }
    BitmapFile::Tiles tiles = BitmapFile::Prepare(image_);
    image_ = std::move(tiles.image);
    tile_ = std::move(tiles.tile);
    hasBitmap_ = true;
    update();
}

void BmpViewWindow::FreeBackground() {
    if (!hasBitmap_)
        return;
    image_ = QImage();
    tile_ = QImage();
    hasBitmap_ = false;
    update();
}

bool BmpViewWindow::ChoosePattern(int index) {
    if (!LoadPatternBitmap(BitmapLibrary::kFirstPattern + index))
        return false;
    fileName_ = "*" + std::to_string(index);
    changed_ = true;
    return true;
}

bool BmpViewWindow::ChooseBitmapFile(const std::string& path) {
    if (!LoadBitmapFile(path))
        return false;
    changed_ = true;
    return true;
}

void BmpViewWindow::ChooseColour(const QColor& colour) {
    background_ = colour;
    changed_ = true;
    FreeBackground();
    update();
}

void BmpViewWindow::LoadColour() {
    const QColor workspace = palette().color(QPalette::Dark);
    const std::string text = app_.Settings().ReadString(section_, kColourKey, "", kLongestColourText);
    if (text.empty()) {
        background_ = workspace;
    } else {
        const std::uint32_t colour = ColourRef::Parse(text);
        background_ = QColor(ColourRef::Red(colour), ColourRef::Green(colour), ColourRef::Blue(colour));
    }
    update();
}

void BmpViewWindow::SaveColour() {
    app_.Settings().WriteString(
        section_, kColourKey,
        ColourRef::Format(ColourRef::FromRgb(background_.red(), background_.green(), background_.blue())));
}

Qt::BrushStyle BmpViewWindow::HatchStyle(int level) {
    // Horizontal, vertical, falling diagonal, rising diagonal, cross, diagonal cross.
    static constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                  Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    return kHatches[std::clamp(level, 1, 6) - 1];
}

void BmpViewWindow::PaintBackground(QPainter& painter, const QRect& area) const {
    if (!hasBitmap_ || tile_.isNull()) {
        const int level = app_.State().Level();
        if (level <= 0) {
            painter.fillRect(area, background_);
            return;
        }
        // The gaps between the hatch lines are white; the hatch is aligned on
        // the window, so that a partial repaint joins what is around it. It
        // is drawn as a tile of 8 by 8 points, which a screen of several
        // pixels a point enlarges as it does the patterns: a hatch brush
        // alone would draw its lines a pixel thin and 8 pixels apart there.
        QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
        tile.fill(Qt::white);
        {
            QPainter tilePainter(&tile);
            tilePainter.fillRect(tile.rect(), QBrush(background_, HatchStyle(level)));
        }
        painter.save();
        painter.setBrushOrigin(0, 0);
        painter.fillRect(area, QBrush(tile));
        painter.restore();
        return;
    }
    // The tiles lie on a grid from the window's top-left corner; only the
    // squares that meet the area are drawn.
    const int width = tile_.width();
    const int height = tile_.height();
    const auto floorTo = [](int value, int step) {
        return (value >= 0 ? value / step : (value - step + 1) / step) * step;
    };
    const int x0 = floorTo(area.left(), width);
    const int y0 = floorTo(area.top(), height);
    const int x1 = area.left() + area.width();
    const int y1 = area.top() + area.height();
    painter.save();
    painter.setClipRect(area);
    for (int y = y0; y < y1; y += height) {
        for (int x = x0; x < x1; x += width)
            painter.drawImage(QPoint(x, y), tile_);
    }
    painter.restore();
}

void BmpViewWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PaintBackground(painter, event->rect());
    QWidget::paintEvent(event);
}

} // namespace lexinum
