#pragma once

#include "Prompter.h"

#include <iosfwd>

namespace lexinum {

// A prompter for programs without windows: writes each message to a stream as
// "caption: text" and answers with the cautious choice (OK for a plain message,
// Cancel or No for a question), so nothing is ever done on a player's behalf.
class StreamPrompter : public Prompter {
public:
    explicit StreamPrompter(std::ostream& out);
    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                     PromptButtons buttons) override;

private:
    std::ostream& out_;
};

} // namespace lexinum
