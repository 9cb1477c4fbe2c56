#include "LexFileReader.h"

#include "lexicon/LetterTables.h"

namespace lexinum {

LexFileReader::~LexFileReader() {
    Close();
}

bool LexFileReader::Open(const std::filesystem::path& file) {
    Close();
    file_ = std::fopen(file.c_str(), "rb");
    return file_ != nullptr;
}

void LexFileReader::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool LexFileReader::ReadLine(std::string& line) {
    line.clear();
    if (file_ == nullptr)
        return false;
    int c = getc_unlocked(file_);
    if (c == EOF)
        return false;
    while (c != EOF && c != '\n') {
        if (line.size() < static_cast<std::size_t>(kMaxLineLength))
            line += static_cast<char>(c);
        c = getc_unlocked(file_);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

} // namespace lexinum
