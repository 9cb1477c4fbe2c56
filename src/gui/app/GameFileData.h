#pragma once

#include <string>

namespace lexinum {

// What the saved-game dialogs share: the chosen file, the folder they open in,
// the filter and the default extension.
struct GameFileData {
    std::string fileName;
    std::string initialDir;
    std::string filter = "Parties en cours (*.tiv);;Tous les fichiers (*)";
    std::string defaultExt = "tiv";

    // The folder of `fileName` (everything before its last separator), or
    // empty when the name holds no folder.
    std::string FileFolder() const;
};

} // namespace lexinum
