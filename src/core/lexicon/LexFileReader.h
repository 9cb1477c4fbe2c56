#pragma once

#include "lexicon/LexiconLineReader.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lexinum {

// Reads a lexicon file line by line, in the file's own bytes, with the rules of
// every reader of the lexicon (LexiconLineReader): blank lines are passed over,
// a line too long is cut after its last complete word within 197 bytes and the
// rest of it skipped (never taken for the next line), and only a regular file
// is read.
class LexFileReader {
public:
    LexFileReader();
    LexFileReader(const LexFileReader&) = delete;
    LexFileReader& operator=(const LexFileReader&) = delete;

    // Opens `file` for reading (closing any file open before); false if it
    // cannot be opened or is no regular file.
    bool Open(const std::filesystem::path& file);
    // Opens `file` in the folder open as the descriptor `folder`.
    bool OpenAt(int folder, const std::filesystem::path& file);
    // Reads the lines of a file's bytes held in memory (kept by the caller).
    void OpenBytes(std::string_view bytes);
    // Closes the file, if one is open.
    void Close();
    // True while a file is open.
    bool IsOpen() const { return reader_.IsOpen(); }
    // Reads the next line into `line`, without its CR LF; false at the end of
    // the file or when reading fails.
    bool ReadLine(std::string& line);
    // True when reading the file failed: the lines read so far are not all of
    // them.
    bool Failed() const { return reader_.Failed(); }

private:
    LexiconLineReader reader_;
};

} // namespace lexinum
