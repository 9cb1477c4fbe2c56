// Draws the game's icon (a letter tile "L" and a number tile "9" on a blue
// square) at the sizes desktop environments use, into the folder tree of the
// hicolor icon theme: OUTPUT_FOLDER/NxN/apps/lexinum.png. The drawing is the
// one of resources/icons/lexinum.png, made of shapes on a 64-unit square so
// that every size is drawn sharp rather than scaled from one bitmap.
//
//   make-icons OUTPUT_FOLDER
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    // The blue square.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x4E, 0x8C));
    painter.drawRoundedRect(QRectF(0, 0, 64, 64), 7, 7);

    // The letter tile, cream with a brown edge, and its dark "L".
    painter.setPen(QPen(QColor(0x8A, 0x6D, 0x2F), 1.75));
    painter.setBrush(QColor(0xF3, 0xE3, 0xB5));
    painter.drawRoundedRect(QRectF(6.25, 6.25, 34.5, 37.5), 4, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x2A, 0x44));
    QPainterPath letter;
    letter.moveTo(13.75, 16.75);
    letter.lineTo(19.25, 16.75);
    letter.lineTo(19.25, 33.0);
    letter.lineTo(29.5, 33.0);
    letter.lineTo(29.5, 37.25);
    letter.lineTo(13.75, 37.25);
    letter.closeSubpath();
    painter.drawPath(letter);

    // The number tile, white with a cream edge, over the letter tile's
    // corner, and its red "9": a ring and a tail curling to the left.
    painter.setPen(QPen(QColor(0xF3, 0xE3, 0xB5), 1.25));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(30.5, 32.5, 28, 26.25), 4, 4);
    QPen digit(QColor(0xB3, 0x26, 0x1E), 2.6);
    digit.setCapStyle(Qt::FlatCap);
    painter.setPen(digit);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(42.7, 44.0), 4.0, 3.6);
    QPainterPath tail;
    tail.moveTo(46.6, 43.5);
    tail.lineTo(46.6, 47.3);
    tail.cubicTo(46.6, 50.2, 44.7, 51.3, 42.6, 51.3);
    tail.cubicTo(40.7, 51.3, 39.4, 50.5, 38.9, 49.2);
    painter.drawPath(tail);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (const int size : kSizes) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!output.mkpath(folder)) {
            std::fprintf(stderr, "make-icons: cannot create %s/%s\n", argv[1], qPrintable(folder));
            return 1;
        }
        const QString name = folder + QStringLiteral("/lexinum.png");
        if (!DrawIcon(size).save(output.filePath(name), "PNG")) {
            std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
