#include "OnceToldPrompter.h"

#include <algorithm>

namespace lexinum {

PromptAnswer OnceToldPrompter::Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                                   PromptButtons buttons) {
    if (buttons != PromptButtons::Ok)
        return Prompter::Active().Ask(text, caption, icon, buttons);
    const bool toldBefore = std::any_of(
        told_.begin(), told_.end(), [&text](const std::string& told) { return told.find(text) != std::string::npos; });
    if (toldBefore)
        return PromptAnswer::Ok;
    told_.push_back(text);
    return Prompter::Active().Ask(text, caption, icon, buttons);
}

} // namespace lexinum
