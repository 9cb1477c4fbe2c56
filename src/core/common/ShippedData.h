#pragma once

#include <filesystem>

namespace lexinum {

// The path from the programs' folder to the folder of the data shipped with
// them once installed ("../share/lexinum" in the usual layout; absolute when
// the build was given an absolute data folder), as the build configured it.
std::filesystem::path InstalledDataFromProgram();

// The folder of the running program (through /proc/self/exe), or the current
// folder when the system does not tell it.
std::filesystem::path RunningProgramFolder();

// Where `name` (the shipped lexicon's folder, the bitmap library) shipped
// with the program whose folder is `programFolder` is: beside the program,
// as in the build tree, or else in the installed data folder
// `dataFromProgram` (relative to the program's folder, or absolute). When
// neither holds it, its place in the installed data folder, which is the
// place a message should name.
std::filesystem::path ShippedDataPath(const std::filesystem::path& programFolder, const std::filesystem::path& name,
                                      const std::filesystem::path& dataFromProgram = InstalledDataFromProgram());

} // namespace lexinum
