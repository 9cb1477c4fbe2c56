#pragma once

#include "app/Command.h"

#include <string>

namespace lexinum {

// The one-line hint of a command, shown in the message bar while its menu item
// is highlighted or its pane button is held down. Empty for a number without a hint.
std::string CommandHint(int number);

// The hint of a command (same table).
inline std::string CommandHint(Command command) {
    return CommandHint(CommandNumber(command));
}

} // namespace lexinum
