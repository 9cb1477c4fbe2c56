#include "StreamPrompter.h"

#include <iostream>

namespace lexinum {

StreamPrompter::StreamPrompter(std::ostream& out) : out_(out) {}

PromptAnswer StreamPrompter::Ask(const std::string& text, const std::string& caption, PromptIcon,
                                 PromptButtons buttons) {
    std::string shown = text;
    for (std::string::size_type at; (at = shown.find("\r\n")) != std::string::npos;)
        shown.replace(at, 2, "\n");
    out_ << caption << ": " << shown << '\n';
    out_.flush();
    return UnattendedAnswer(buttons);
}

} // namespace lexinum
