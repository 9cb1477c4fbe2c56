#include "shell/CommandGate.h"

#include <QTimer>

namespace lexinum {

CommandGate::Hold::Hold(CommandGate& gate) : gate_(gate) {
    ++gate_.holds_;
}

CommandGate::Hold::~Hold() {
    gate_.Release();
}

CommandGate::CommandGate(QObject* parent) : QObject(parent) {}

void CommandGate::WhenFree(std::function<void()> action) {
    if (Held())
        held_.push_back(std::move(action));
    else
        action();
}

void CommandGate::Release() {
    if (--holds_ > 0 || held_.empty())
        return;
    // Posted: the command whose wait ends here finishes first.
    std::vector<std::function<void()>> actions;
    actions.swap(held_);
    QTimer::singleShot(0, this, [this, actions = std::move(actions)] {
        for (const auto& action : actions)
            WhenFree(action);
    });
}

} // namespace lexinum
