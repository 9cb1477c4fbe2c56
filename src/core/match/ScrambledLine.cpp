#include "match/ScrambledLine.h"

namespace lexinum {

namespace {

constexpr unsigned char kEndOfFileByte = 255;

char Shift(char c, int by) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ScrambledLine::kKept)
        return c;
    return static_cast<char>(static_cast<unsigned char>(byte + by));
}

char ScrambledByte(char plain) {
    return Shift(plain, ScrambledLine::kShift);
}

} // namespace

std::string ScrambledLine::Scramble(std::string_view plain) {
    std::string out(plain);
    for (char& c : out)
        c = Shift(c, kShift);
    return out;
}

std::string ScrambledLine::Unscramble(std::string_view scrambled) {
    std::string out(scrambled);
    for (char& c : out)
        c = Shift(c, -static_cast<int>(kShift));
    return out;
}

bool ScrambledLineReader::AtEnd() const {
    return position_ >= bytes_.size() || static_cast<unsigned char>(bytes_[position_]) == kEndOfFileByte;
}

int ScrambledLineReader::Next(std::size_t limit, std::string& line) {
    line.clear();
    cut_ = false;
    if (AtEnd())
        return kEnd;
    const char lineFeed = ScrambledByte('\n');
    const std::size_t keep = limit > 0 ? limit - 1 : 0;
    while (!AtEnd()) {
        const char c = bytes_[position_];
        if (c == lineFeed) {
            ++position_;
            break;
        }
        if (line.size() >= keep) {
            cut_ = true;
            break;
        }
        line += c;
        ++position_;
    }
    const bool header = line.size() >= 2 && line[0] == ScrambledByte('@') && line[1] >= ScrambledByte('1') &&
                        line[1] <= ScrambledByte('9');
    const int kind =
        header ? static_cast<unsigned char>(line[1]) - static_cast<unsigned char>(ScrambledByte('0')) : kText;
    line += lineFeed;
    return kind;
}

} // namespace lexinum
