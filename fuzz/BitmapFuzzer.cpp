// A background bitmap file on any bytes: read as the panes read the file the
// player names, then made ready to paint.

#include "FuzzSupport.h"

#include "shell/BitmapFile.h"

#include <cstdlib>

using namespace lexinum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string file = (fuzz::ScratchFolder() / "fond.bmp").string();
    fuzz::WriteBytes(file, fuzz::Bytes(data, size));
    const QImage image = BitmapFile::Read(file);
    const BitmapFile::Tiles tiles = BitmapFile::Prepare(image);
    if (image.isNull() != tiles.tile.isNull())
        std::abort();
    return 0;
}
