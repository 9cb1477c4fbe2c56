#pragma once

#include "common/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace lexinum::test {

// A prompter for tests: records every message and answers from a script
// (OK, or the first answer queued).
class RecordingPrompter : public Prompter {
public:
    struct Message {
        std::string text;
        std::string caption;
        PromptIcon icon;
        PromptButtons buttons;
    };

    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                     PromptButtons buttons) override;

    // Queues the answer to give to the next question.
    void QueueAnswer(PromptAnswer answer) { answers.push_back(answer); }

    std::vector<Message> messages;
    std::deque<PromptAnswer> answers;
};

// Installs a prompter as the active one for the lifetime of the guard.
class ActivePrompterGuard {
public:
    explicit ActivePrompterGuard(Prompter& prompter) { Prompter::SetActive(&prompter); }
    ~ActivePrompterGuard() { Prompter::SetActive(nullptr); }
};

} // namespace lexinum::test
