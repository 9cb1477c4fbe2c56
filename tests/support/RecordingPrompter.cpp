#include "RecordingPrompter.h"

namespace lexinum::test {

PromptAnswer RecordingPrompter::Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                                    PromptButtons buttons) {
    messages.push_back({text, caption, icon, buttons});
    if (!answers.empty()) {
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                      : PromptAnswer::Ok;
}

} // namespace lexinum::test
