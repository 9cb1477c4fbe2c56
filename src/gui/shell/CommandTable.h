#pragma once

#include "shell/Command.h"

#include <functional>
#include <map>

namespace lexinum {

// The commands an object answers, with their enablers: the handler table of
// the application, the frame and each pane. A derived pane registers its own
// entries after its base's, and an entry of the same number replaces the
// base's, so the derived table is searched first.
class CommandTable {
public:
    using Handler = std::function<void()>;
    using Predicate = std::function<bool()>;

    // Runs `handler` when `command` is sent to this object.
    void OnCommand(Command command, Handler handler);
    // `enabled` decides whether `command` is enabled while this object is asked.
    void EnableWhen(Command command, Predicate enabled);
    // `checked` decides whether the menu item of `command` carries a check mark.
    void CheckWhen(Command command, Predicate checked);

    // The handler of `command`, or null.
    const Handler* FindHandler(Command command) const;
    // The enabler of `command`, or null.
    const Predicate* FindEnabler(Command command) const;
    // The check-mark rule of `command`, or null.
    const Predicate* FindChecker(Command command) const;

private:
    std::map<Command, Handler> handlers_;
    std::map<Command, Predicate> enablers_;
    std::map<Command, Predicate> checkers_;
};

} // namespace lexinum
