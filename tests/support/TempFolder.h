#pragma once

#include <filesystem>
#include <string>

namespace lexinum::test {

// A fresh temporary folder, removed (with its read-only files) when the
// object goes away.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes `bytes` to a file of the folder and returns its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;
    // Reads a file of the folder ("" if missing).
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

} // namespace lexinum::test
