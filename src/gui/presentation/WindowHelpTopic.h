#pragma once

#include "shell/HelpTopic.h"

class QWidget;

namespace lexinum {

// Gives `window` the help topic F1 and its "&Aide" button open while it is
// the innermost open window.
void SetHelpTopic(QWidget* window, HelpTopic topic);

// The help topic of `widget` or of the nearest of its parents that has one;
// 0 when none has.
int HelpTopicOf(const QWidget* widget);

// The help topic of the innermost open dialog (the active modal window, or
// the window that owns it), 0 when no dialog with a topic is open.
int OpenDialogHelpTopic();

} // namespace lexinum
