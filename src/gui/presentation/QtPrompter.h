#pragma once

#include "common/Prompter.h"

#include <QString>

namespace lexinum {

// The game's message boxes on screen: a modal QMessageBox over the active
// window, with French buttons (Qt's own translations) and the icon asked for.
// A box with the exclamation or stop icon sounds the warning beep itself.
class QtPrompter : public Prompter {
public:
    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                     PromptButtons buttons) override;

    // The text as the box shows it: CR LF and lone CR become line breaks.
    static QString DisplayText(const std::string& text);
};

} // namespace lexinum
