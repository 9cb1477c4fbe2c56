// A lexicon file read by the search's line reader: the same lines from the
// bytes in memory and from the file through a small buffer, and, when the
// lines are in key order, every seek finding the line a line-by-line read
// finds.
//
// Input: one byte choosing the buffer's size, then the file's bytes.

#include "FuzzSupport.h"

#include "lexicon/LetterKey.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconLineReader.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace lexinum;

namespace {

std::vector<std::string> AllLines(LexiconLineReader& reader) {
    std::vector<std::string> lines;
    while (reader.NextLine())
        lines.emplace_back(reader.Line());
    return lines;
}

std::string KeyOf(std::string_view line) {
    return std::string(line.substr(0, std::min(line.find(' '), line.size())));
}

bool PlainKey(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The keys to look for: those of the lines, each cut short and each one
// letter further on, in ascending order (a reader only moves forward).
std::vector<std::string> SeekKeys(const std::vector<std::string>& lines) {
    std::vector<std::string> keys;
    for (const std::string& line : lines) {
        const std::string key = KeyOf(line);
        if (!PlainKey(key))
            continue;
        keys.push_back(key);
        keys.push_back(key.substr(0, key.size() - 1));
        std::string after = key;
        if (after.back() < 'Z')
            ++after.back();
        keys.push_back(after);
        keys.push_back(key + "A");
    }
    keys.erase(std::remove(keys.begin(), keys.end(), std::string()), keys.end());
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

// What SeekKey must give for lines in key order: the first line from `at` on
// that does not come before the key.
int LinearSeek(const std::vector<std::string>& lines, std::size_t& at, std::string_view key) {
    for (; at < lines.size(); ++at) {
        const int order = CompareKeyLine(key, lines[at]);
        if (order >= 0)
            return order;
    }
    return -1;
}

void CheckSeeks(LexiconLineReader& reader, const std::vector<std::string>& lines, const std::vector<std::string>& keys,
                bool ordered, std::size_t stride) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < keys.size(); i += stride) {
        const int found = reader.SeekKey(keys[i]);
        if (!ordered)
            continue;
        const int expected = LinearSeek(lines, at, keys[i]);
        if (found != expected || (found >= 0 && reader.Line() != lines[at]))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::ScratchFolder() / "fr01.lex";
    if (size < 1)
        return 0;
    const std::size_t bufferSize = 512 + std::size_t{data[0]} * 8;
    const std::string bytes(fuzz::Bytes(data + 1, size - 1));
    fuzz::WriteBytes(file, bytes);

    LexiconLineReader memory;
    memory.OpenBytes(bytes);
    const std::vector<std::string> lines = AllLines(memory);
    for (const std::string& line : lines) {
        if (line.size() > LexiconLineReader::kMaxContent || line.find('\n') != std::string::npos)
            std::abort();
    }

    LexiconLineReader disk(bufferSize);
    if (!disk.Open(file) || AllLines(disk) != lines || disk.Failed())
        std::abort();

    LexFileReader fileReader;
    if (!fileReader.Open(file))
        std::abort();
    std::string line;
    for (const std::string& expected : lines) {
        if (!fileReader.ReadLine(line) || line != expected)
            std::abort();
    }
    if (fileReader.ReadLine(line))
        std::abort();

    // Lines in strictly ascending key order, as a lexicon file has them.
    bool ordered = true;
    for (std::size_t i = 1; i < lines.size() && ordered; ++i)
        ordered = CompareKeyLine(KeyOf(lines[i]), lines[i - 1]) < 0;

    const std::vector<std::string> keys = SeekKeys(lines);
    for (const std::size_t stride : {std::size_t{1}, std::size_t{3}}) {
        LexiconLineReader inMemory;
        inMemory.OpenBytes(bytes);
        CheckSeeks(inMemory, lines, keys, ordered, stride);
        LexiconLineReader fromDisk(bufferSize);
        if (!fromDisk.Open(file))
            std::abort();
        CheckSeeks(fromDisk, lines, keys, ordered, stride);
    }
    // Keys of the search's making, against any bytes.
    for (const std::string& key : keys) {
        CompareKeyLine(key, bytes);
        MakeKey(key);
    }
    return 0;
}
