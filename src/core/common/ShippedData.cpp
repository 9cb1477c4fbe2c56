#include "common/ShippedData.h"

#include <system_error>

#ifndef LEXINUM_DATA_FROM_PROGRAM
#define LEXINUM_DATA_FROM_PROGRAM "../share/lexinum"
#endif

namespace lexinum {

namespace fs = std::filesystem;

fs::path InstalledDataFromProgram() {
    return LEXINUM_DATA_FROM_PROGRAM;
}

fs::path RunningProgramFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        return program.parent_path();
    return fs::current_path(error);
}

fs::path ShippedDataPath(const fs::path& programFolder, const fs::path& name, const fs::path& dataFromProgram) {
    std::error_code error;
    const fs::path beside = programFolder / name;
    if (fs::exists(beside, error))
        return beside;
    // An absolute data folder replaces the program's folder.
    return (programFolder / dataFromProgram / name).lexically_normal();
}

} // namespace lexinum
