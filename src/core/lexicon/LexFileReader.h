#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace lexinum {

// Reads a lexicon file line by line, in the file's own bytes. A line is cut at
// 199 bytes, as every reader of the lexicon does; the rest of a longer line is
// skipped, so a damaged file can never overrun a buffer or pass a fragment of
// one line off as the next one.
class LexFileReader {
public:
    LexFileReader() = default;
    ~LexFileReader();
    LexFileReader(const LexFileReader&) = delete;
    LexFileReader& operator=(const LexFileReader&) = delete;

    // Opens `file` for reading (closing any file open before); false if it
    // cannot be opened.
    bool Open(const std::filesystem::path& file);
    // Closes the file, if one is open.
    void Close();
    // True while a file is open.
    bool IsOpen() const { return file_ != nullptr; }
    // Reads the next line into `line`, without its CR LF; false at the end of
    // the file.
    bool ReadLine(std::string& line);

private:
    std::FILE* file_ = nullptr;
};

} // namespace lexinum
