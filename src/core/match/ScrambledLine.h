#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexinum {

// The byte scrambling of the saved games and the Top Ten, which keeps them
// from being edited in a text editor: every byte is shifted by kShift, except
// the one byte whose shifted value would be zero, which is kept as it is. So
// no scrambled byte is ever zero, and the one plain byte that cannot come back
// (it scrambles to the kept byte) is 256 - 2 * kShift: with a shift of 0x80
// that is the zero byte, which never stands in a text the game writes.
namespace ScrambledLine {

inline constexpr unsigned char kShift = 0x80;
// The byte kept as it is.
inline constexpr unsigned char kKept = static_cast<unsigned char>(256 - kShift);

std::string Scramble(std::string_view plain);
std::string Unscramble(std::string_view scrambled);

} // namespace ScrambledLine

// Reads the lines of a scrambled file held in memory. A line ends at the
// scrambled line feed (not kept), at the end of the bytes, at a byte 255
// (which counts as the end of the file) or once `limit` - 1 bytes are kept;
// the scrambled line feed is put back at its end, as it was written.
class ScrambledLineReader {
public:
    // What Next found.
    enum : int { kEnd = -1, kText = 0 };

    explicit ScrambledLineReader(std::string_view bytes) : bytes_(bytes) {}

    // Reads the next line into `line` (scrambled, ending with the scrambled
    // line feed). Returns kEnd at the end of the file, N (1 to 9) for a
    // header line "@N", kText for any other line.
    int Next(std::size_t limit, std::string& line);
    // The last line was cut at the limit: more of it follows.
    bool Cut() const { return cut_; }
    // Nothing is left to read.
    bool AtEnd() const;

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
    bool cut_ = false;
};

} // namespace lexinum
