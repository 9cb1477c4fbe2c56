#include "shell/CommandRouter.h"

namespace lexinum {

CommandRouter::CommandRouter(std::initializer_list<const CommandTable*> chain) {
    for (const CommandTable* table : chain) {
        if (table != nullptr)
            chain_.push_back(table);
    }
}

bool CommandRouter::IsEnabled(Command command) const {
    // Nobody to run it: greyed, whatever an enabler says, so that no item is
    // ever enabled and dead.
    bool handled = false;
    for (const CommandTable* table : chain_)
        handled = handled || table->FindHandler(command) != nullptr;
    if (!handled)
        return false;
    for (const CommandTable* table : chain_) {
        if (const auto* enabler = table->FindEnabler(command))
            return (*enabler)();
    }
    return true;
}

bool CommandRouter::IsChecked(Command command) const {
    for (const CommandTable* table : chain_) {
        if (const auto* checker = table->FindChecker(command))
            return (*checker)();
    }
    return false;
}

bool CommandRouter::Run(Command command) const {
    if (!IsEnabled(command))
        return false;
    for (const CommandTable* table : chain_) {
        if (const auto* handler = table->FindHandler(command)) {
            // Copied: a handler may replace the table entry it runs from.
            const CommandTable::Handler run = *handler;
            run();
            return true;
        }
    }
    return false;
}

} // namespace lexinum
