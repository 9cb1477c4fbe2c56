#pragma once

#include "common/Prompter.h"

#include <string>
#include <vector>

namespace lexinum {

// A prompter that tells each piece of news once: a message is not shown again
// while a message shown since the last Forget holds all of its text (the same
// loss of the lexicon met by the computer's search, the player's check and
// the next draw). Questions always go through. Everything shown goes to the
// active prompter.
class OnceToldPrompter : public Prompter {
public:
    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                     PromptButtons buttons) override;
    // What was told so far may be told again.
    void Forget() { told_.clear(); }
    // True when something was told since the last Forget.
    bool ToldAny() const { return !told_.empty(); }

private:
    std::vector<std::string> told_;
};

} // namespace lexinum
