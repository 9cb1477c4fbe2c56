// Bitmap files read for the panes' backgrounds: what is read, what is refused
// before a pixel is read, and the block of tiles made for a small bitmap.
#include "shell/BitmapFile.h"
#include "GuiTestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lexinum;

namespace {

// A bitmap file header and information header for a picture of `width` by
// `height` (negative: rows top-down) at `bitsPerPixel`, followed by `pixels`.
QByteArray BitmapBytes(qint32 width, qint32 height, quint16 bitsPerPixel, const QByteArray& pixels) {
    QByteArray info(40, '\0');
    const auto put32 = [&info](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            info[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put32(0, 40);
    put32(4, static_cast<quint32>(width));
    put32(8, static_cast<quint32>(height));
    info[12] = 1;
    info[14] = static_cast<char>(bitsPerPixel);
    put32(20, static_cast<quint32>(pixels.size()));
    QByteArray file("BM");
    const quint32 size = 14 + 40 + static_cast<quint32>(pixels.size());
    for (const quint32 value : {size, 0u, 14u + 40u}) {
        for (int i = 0; i < 4; ++i)
            file.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    return file + info + pixels;
}

} // namespace

class BitmapFileTest : public QObject {
    Q_OBJECT

private slots:
    void readsAndTiles_data();
    void readsAndTiles();

private:
    QTemporaryDir folder_;
};

void BitmapFileTest::readsAndTiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("tile");
    QTest::newRow("3 x 2 : bloc de 11 x 16 copies")
        << BitmapBytes(3, 2, 24, QByteArray(24, '\x40')) << QSize(3, 2) << QSize(33, 32);
    QTest::newRow("40 x 40 : tel quel") << BitmapBytes(40, 40, 32, QByteArray(40 * 40 * 4, '\x10')) << QSize(40, 40)
                                        << QSize(40, 40);
    // A strip is drawn in blocks of sixteen copies side by side.
    QTest::newRow("bande de 2 x 30000") << BitmapBytes(2, 30000, 32, QByteArray(2 * 30000 * 4, '\x20'))
                                        << QSize(2, 30000) << QSize(32, 30000);
    // Seventy-five bytes announcing four million rows of run-length coded
    // pixels: refused unread (they took seconds and half a gigabyte to be
    // drawn in blocks).
    QTest::newRow("quatre millions de lignes annoncées")
        << QByteArray::fromHex("424d7e0000000000000091000000280000000400000002004100010004000200000000000100000000"
                               "000028000004000000b000ffffff000000130b0000000000000811110000130b0000")
        << QSize() << QSize();
    QTest::newRow("40000 colonnes annoncées") << BitmapBytes(40000, 1, 8, QByteArray(4, '\0')) << QSize() << QSize();
    QTest::newRow("pas une image") << QByteArray("BM pas une image\n") << QSize() << QSize();
}

void BitmapFileTest::readsAndTiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, image);
    QFETCH(QSize, tile);
    const QString path = folder_.filePath(QStringLiteral("fond.bmp"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    const QImage read = BitmapFile::Read(path.toStdString());
    QCOMPARE(read.isNull() ? QSize() : read.size(), image);
    const BitmapFile::Tiles tiles = BitmapFile::Prepare(read);
    QCOMPARE(tiles.tile.isNull() ? QSize() : tiles.tile.size(), tile);
    if (!read.isNull()) {
        QCOMPARE(tiles.image.format(), QImage::Format_ARGB32_Premultiplied);
        // Every copy of the block is the picture itself.
        QCOMPARE(tiles.tile.copy(QRect(QPoint(tile.width() - image.width(), tile.height() - image.height()), image)),
                 tiles.image);
    }
}

LEXINUM_GUI_TEST(BitmapFileTest)
#include "BitmapFileTest.moc"
