#include "shell/BitmapLibrary.h"

#include "common/ShippedData.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QResource>

#include <atomic>
#include <cerrno>

namespace lexinum {

namespace {

// Each open library gets its own place in the resource tree, so that two
// objects (a test beside the game) never read each other's bitmaps.
QString NextRoot() {
    static std::atomic<int> opened{0};
    return QStringLiteral("/lexinum-motifs-%1").arg(++opened);
}

} // namespace

BitmapLibrary::~BitmapLibrary() {
    Unload();
}

QString BitmapLibrary::DefaultPath() {
    const auto path =
        ShippedDataPath(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(), kFileName);
    return QFile::decodeName(path.c_str());
}

unsigned long BitmapLibrary::Load(const QString& path) {
    Unload();
    const QFileInfo file(path);
    if (!file.exists())
        return ENOENT;
    if (!file.isReadable())
        return EACCES;
    const QString root = NextRoot();
    if (!QResource::registerResource(path, root))
        return EINVAL;
    path_ = path;
    root_ = root;
    return 0;
}

void BitmapLibrary::Unload() {
    if (!IsLoaded())
        return;
    QResource::unregisterResource(path_, root_);
    path_.clear();
    root_.clear();
}

QImage BitmapLibrary::Bitmap(int id) const {
    if (!IsLoaded())
        return {};
    return QImage(QStringLiteral(":%1/bitmaps/%2.bmp").arg(root_).arg(id), "BMP");
}

} // namespace lexinum
