#pragma once

#include "shell/CommandTable.h"

#include <initializer_list>
#include <vector>

namespace lexinum {

// Sends a command along a chain of tables (the shown pane, then the frame,
// then the application) and answers whether it is enabled: a command that no
// table of the chain handles is disabled; otherwise the first table with an
// enabler for the command decides, and without any enabler it is enabled.
class CommandRouter {
public:
    CommandRouter(std::initializer_list<const CommandTable*> chain);

    // True when `command` is enabled along the chain.
    bool IsEnabled(Command command) const;
    // True when the item of `command` carries a check mark.
    bool IsChecked(Command command) const;
    // Runs the first handler of `command` if the command is enabled; false when
    // it is disabled or nobody handles it.
    bool Run(Command command) const;

private:
    std::vector<const CommandTable*> chain_;
};

} // namespace lexinum
