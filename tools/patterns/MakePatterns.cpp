// Draws the background patterns of the game and the palette image whose
// colour table they share, as 8-bit bitmaps, and writes the resource list
// that bundles them: patterns 230 to 250, palette 251.
//
//   make-patterns OUTPUT_FOLDER
//
// Every pattern is a function of the pixel's place that repeats exactly at
// the tile's edges, so that tiles laid side by side join without a seam.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr int kFirstPattern = 230;
constexpr int kPatternCount = 21;
constexpr int kPaletteId = 251;
// Six hues of four tones each, then eight greys.
constexpr int kHues = 6;
constexpr int kTones = 4;
constexpr int kGreys = 8;

QList<QRgb> MakeColourTable() {
    static constexpr int hues[kHues] = {210, 30, 120, 0, 270, 50};
    static constexpr int values[kTones] = {235, 200, 160, 110};
    static constexpr int saturations[kTones] = {40, 90, 140, 170};
    QList<QRgb> table;
    for (const int hue : hues) {
        for (int tone = 0; tone < kTones; ++tone)
            table.append(QColor::fromHsv(hue, saturations[tone], values[tone]).rgb());
    }
    for (int grey = 0; grey < kGreys; ++grey) {
        const int level = 255 - grey * 32;
        table.append(qRgb(level, level, level));
    }
    return table;
}

// A pattern: its tile size and the tone (0 lightest to 3 darkest, or 4 and
// above for a grey) of each pixel.
struct Pattern {
    int width;
    int height;
    std::function<int(int x, int y)> tone;
};

double Wave(int position, int period, int cycles = 1) {
    return std::sin(2.0 * std::numbers::pi * cycles * position / period);
}

std::vector<Pattern> MakePatterns() {
    std::vector<Pattern> patterns;
    // 0: checks
    patterns.push_back({16, 16, [](int x, int y) { return ((x / 8) + (y / 8)) % 2 == 0 ? 0 : 1; }});
    // 1: bricks with mortar
    patterns.push_back({32, 16, [](int x, int y) {
                            const int shift = (y / 8) % 2 == 0 ? 0 : 16;
                            if (y % 8 == 7 || (x + shift) % 32 == 0)
                                return 4 + 2;
                            return 2;
                        }});
    // 2: horizontal waves
    patterns.push_back({32, 16, [](int x, int y) {
                            const double crest = 8 + 4 * Wave(x, 32);
                            return std::abs(y - crest) < 1.5 ? 3 : (y < crest ? 0 : 1);
                        }});
    // 3: dots
    patterns.push_back({12, 12, [](int x, int y) {
                            const int dx = x - 6, dy = y - 6;
                            return dx * dx + dy * dy <= 9 ? 2 : 0;
                        }});
    // 4: diamonds
    patterns.push_back({16, 16, [](int x, int y) {
                            const int d = std::abs(x - 8) + std::abs(y - 8);
                            return d < 6 ? 1 : d < 8 ? 3 : 0;
                        }});
    // 5: fish scales
    patterns.push_back({16, 16, [](int x, int y) {
                            const int cx = (y / 8) % 2 == 0 ? 8 : (x < 8 ? 0 : 16);
                            const int dx = x - cx, dy = (y % 8) - 8;
                            const int d = dx * dx + dy * dy;
                            return d < 49 ? (d > 36 ? 3 : 1) : 0;
                        }});
    // 6: basket weave
    patterns.push_back({16, 16, [](int x, int y) {
                            const bool across = ((x / 8) + (y / 8)) % 2 == 0;
                            const int line = across ? y % 8 : x % 8;
                            return line % 3 == 2 ? 3 : (across ? 1 : 2);
                        }});
    // 7: herringbone
    patterns.push_back({16, 16, [](int x, int y) {
                            const int slope = (x / 8) % 2 == 0 ? x + y : y - x + 16;
                            return (slope / 4) % 2 == 0 ? 0 : 2;
                        }});
    // 8: soft vertical stripes
    patterns.push_back({24, 8, [](int x, int) { return x < 8 ? 0 : x < 12 ? 1 : x < 20 ? 0 : 2; }});
    // 9: rings
    patterns.push_back({20, 20, [](int x, int y) {
                            const double r = std::hypot(x - 10, y - 10);
                            return static_cast<int>(r) % 4 < 2 && r < 10 ? 2 : 0;
                        }});
    // 10: four-pointed stars
    patterns.push_back({16, 16, [](int x, int y) {
                            const int dx = std::abs(x - 8), dy = std::abs(y - 8);
                            return dx * dy < 6 && dx + dy < 8 ? 3 : 0;
                        }});
    // 11: triangles
    patterns.push_back({16, 16, [](int x, int y) {
                            const int half = std::abs(x - 8);
                            return y >= half * 2 - 1 && y < 15 ? 1 : 0;
                        }});
    // 12: honeycomb lines
    patterns.push_back({24, 14, [](int x, int y) {
                            const int u = x % 12, v = y % 14;
                            const bool rim = (v == 0 && u < 6) || std::abs(u - 6 - v / 2) == 0 || v == 7;
                            return rim ? 3 : ((x / 12 + y / 7) % 2 == 0 ? 0 : 1);
                        }});
    // 13: tartan
    patterns.push_back({24, 24, [](int x, int y) {
                            const bool bandX = x % 24 < 6, bandY = y % 24 < 6;
                            const bool threadX = x % 24 == 12, threadY = y % 24 == 12;
                            if (threadX || threadY)
                                return 4 + 5;
                            return (bandX ? 1 : 0) + (bandY ? 1 : 0) + (bandX && bandY ? 1 : 0);
                        }});
    // 14: zigzag
    patterns.push_back({16, 12, [](int x, int y) {
                            const int peak = x < 8 ? x : 16 - x;
                            return std::abs(y - 2 - peak) < 2 ? 3 : 0;
                        }});
    // 15: small crosses
    patterns.push_back(
        {12, 12, [](int x, int y) { return (x == 6 && y > 2 && y < 10) || (y == 6 && x > 2 && x < 10) ? 2 : 0; }});
    // 16: stipple of greys
    patterns.push_back(
        {8, 8, [](int x, int y) {
             static constexpr int dither[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
             return dither[y % 4][x % 4] < 5 ? 4 + 2 : 4;
         }});
    // 17: fine grid
    patterns.push_back({10, 10, [](int x, int y) { return x == 0 || y == 0 ? 1 : 0; }});
    // 18: diagonal bands
    patterns.push_back({16, 16, [](int x, int y) {
                            const int band = ((x + y) % 16) / 4;
                            return band;
                        }});
    // 19: quarter circles
    patterns.push_back({16, 16, [](int x, int y) {
                            const bool flip = ((x / 8) + (y / 8)) % 2 == 1;
                            const int u = x % 8, v = flip ? 7 - y % 8 : y % 8;
                            const int d = u * u + v * v;
                            return d >= 16 && d < 36 ? 2 : 0;
                        }});
    // 20: ripples
    patterns.push_back({32, 32, [](int x, int y) {
                            const double h = Wave(x, 32) + Wave(y, 32, 2);
                            return h > 0.8 ? 2 : h > -0.2 ? 1 : 0;
                        }});
    return patterns;
}

QImage Draw(const Pattern& pattern, int hue, const QList<QRgb>& table) {
    QImage image(pattern.width, pattern.height, QImage::Format_Indexed8);
    image.setColorTable(table);
    for (int y = 0; y < pattern.height; ++y) {
        for (int x = 0; x < pattern.width; ++x) {
            const int tone = pattern.tone(x, y);
            const int index = tone < kTones ? hue * kTones + tone : kHues * kTones + (tone - kTones);
            image.setPixel(x, y, static_cast<uint>(index));
        }
    }
    return image;
}

// The palette image: one square of each colour of the table.
QImage DrawPalette(const QList<QRgb>& table) {
    constexpr int kColumns = 8;
    const int count = static_cast<int>(table.size());
    QImage image(kColumns * 2, ((count + kColumns - 1) / kColumns) * 2, QImage::Format_Indexed8);
    image.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, static_cast<uint>(std::min(count - 1, (y / 2) * kColumns + x / 2)));
    }
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-patterns OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(QStringLiteral("bitmaps"))) {
        std::fprintf(stderr, "make-patterns: cannot create %s/bitmaps\n", argv[1]);
        return 1;
    }
    const QList<QRgb> table = MakeColourTable();
    const std::vector<Pattern> patterns = MakePatterns();
    if (static_cast<int>(patterns.size()) != kPatternCount) {
        std::fprintf(stderr, "make-patterns: %zu patterns instead of %d\n", patterns.size(), kPatternCount);
        return 1;
    }
    QFile list(output.filePath(QStringLiteral("motifs32.qrc")));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return 1;
    QTextStream qrc(&list);
    qrc << "<RCC>\n  <qresource prefix=\"/\">\n";
    const auto save = [&](const QImage& image, int id) {
        const QString name = QStringLiteral("bitmaps/%1.bmp").arg(id);
        if (!image.save(output.filePath(name), "BMP")) {
            std::fprintf(stderr, "make-patterns: cannot write %s\n", qPrintable(name));
            return false;
        }
        qrc << "    <file>" << name << "</file>\n";
        return true;
    };
    for (int index = 0; index < kPatternCount; ++index) {
        if (!save(Draw(patterns[static_cast<std::size_t>(index)], index % kHues, table), kFirstPattern + index))
            return 1;
    }
    if (!save(DrawPalette(table), kPaletteId))
        return 1;
    qrc << "  </qresource>\n</RCC>\n";
    return 0;
}
