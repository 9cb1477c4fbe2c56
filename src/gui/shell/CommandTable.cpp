#include "shell/CommandTable.h"

namespace lexinum {

namespace {

template <typename Map> const typename Map::mapped_type* Find(const Map& map, Command command) {
    const auto found = map.find(command);
    return found == map.end() ? nullptr : &found->second;
}

} // namespace

void CommandTable::OnCommand(Command command, Handler handler) {
    handlers_.insert_or_assign(command, std::move(handler));
}

void CommandTable::EnableWhen(Command command, Predicate enabled) {
    enablers_.insert_or_assign(command, std::move(enabled));
}

void CommandTable::CheckWhen(Command command, Predicate checked) {
    checkers_.insert_or_assign(command, std::move(checked));
}

const CommandTable::Handler* CommandTable::FindHandler(Command command) const {
    return Find(handlers_, command);
}

const CommandTable::Predicate* CommandTable::FindEnabler(Command command) const {
    return Find(enablers_, command);
}

const CommandTable::Predicate* CommandTable::FindChecker(Command command) const {
    return Find(checkers_, command);
}

} // namespace lexinum
