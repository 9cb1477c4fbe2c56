#pragma once

#include "shell/Command.h"
#include "shell/HelpTopic.h"

#include <string>

namespace lexinum {

// Everything the game says about one command, in one place: its menu label,
// the label of its pane button if it has one, the hint of the message bar
// and the help topic of the dialog it opens.
struct CommandFacts {
    Command command;
    // The menu item's label ("&" marks the mnemonic); for the new draw, the letters game's.
    const char* menuLabel;
    // The numbers game's menu label where it differs, else null.
    const char* numbersMenuLabel;
    // The label of the pane button that sends it, else null.
    const char* buttonLabel;
    // The one-line hint shown while the item is highlighted or the button held.
    const char* hint;
    // The help topic of the dialog the command opens, None when it opens none
    // or when the pane decides (the options dialogs differ by game).
    HelpTopic helpTopic;
};

// The table of every command of the menus, the pane buttons and the shortcut keys.
class CommandCatalog {
public:
    // The facts of `command`; every command of the enumeration has an entry.
    static const CommandFacts& Of(Command command);
    // The hint of the command of that number, empty for a number without one.
    static std::string Hint(int number);
    // The hint of `command`.
    static std::string Hint(Command command) { return Of(command).hint; }
    // The menu label of `command` in the letters game or in the numbers game.
    static const char* MenuLabel(Command command, bool numbersGame);
};

} // namespace lexinum
