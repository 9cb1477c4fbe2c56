#include "LexFileReader.h"

namespace lexinum {

namespace {
// Lines are read forward one after another: a small buffer does.
constexpr std::size_t kBufferSize = 64 * 1024;
} // namespace

LexFileReader::LexFileReader() : reader_(kBufferSize) {}

bool LexFileReader::Open(const std::filesystem::path& file) {
    return reader_.Open(file);
}

bool LexFileReader::OpenAt(int folder, const std::filesystem::path& file) {
    return reader_.OpenAt(folder, file);
}

void LexFileReader::OpenBytes(std::string_view bytes) {
    reader_.OpenBytes(bytes);
}

void LexFileReader::Close() {
    reader_.Close();
}

bool LexFileReader::ReadLine(std::string& line) {
    if (!reader_.NextLine()) {
        line.clear();
        return false;
    }
    line.assign(reader_.Line());
    return true;
}

} // namespace lexinum
