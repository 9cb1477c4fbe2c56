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

void Prompter::SetActive(Prompter* prompter) {
    installed.store(prompter);
}

} // namespace lexinum
