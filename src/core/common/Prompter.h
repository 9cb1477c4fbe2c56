#pragma once

#include <string>

namespace lexinum {

// Icon of a message box.
enum class PromptIcon { None, Information, Question, Exclamation, Stop };
// Buttons of a message box.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
// The button the player chose.
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

// Every message box of the game goes through this interface: the interface
// shows a real box, the command line writes to the error stream, and tests
// answer from a script. Texts are UTF-8.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows `text` under `caption` and returns the player's answer.
    virtual PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                             PromptButtons buttons) = 0;
    // Shows a message with a single OK button.
    void Tell(const std::string& text, const std::string& caption, PromptIcon icon) {
        Ask(text, caption, icon, PromptButtons::Ok);
    }

    // The answer of a prompter nobody answers (a stream): OK to a message,
    // No to a question, Cancel otherwise, so that nothing is done unasked.
    static PromptAnswer UnattendedAnswer(PromptButtons buttons);

    // The prompter the engine uses when it is not given one; by default a
    // StreamPrompter on the error stream.
    static Prompter& Active();
    // Installs `prompter` as the active one (nullptr restores the default);
    // the caller keeps it alive while it is installed.
    static void SetActive(Prompter* prompter);
};

} // namespace lexinum
