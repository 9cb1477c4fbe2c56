#include "Prompter.h"

#include "StreamPrompter.h"

#include <atomic>
#include <iostream>

namespace lexinum {

namespace {
std::atomic<Prompter*> installed{nullptr};
}

Prompter& Prompter::Active() {
    if (Prompter* p = installed.load())
        return *p;
    static StreamPrompter fallback(std::cerr);
    return fallback;
}

PromptAnswer Prompter::UnattendedAnswer(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

void Prompter::SetActive(Prompter* prompter) {
    installed.store(prompter);
}

} // namespace lexinum
