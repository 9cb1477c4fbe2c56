#pragma once

#include "presentation/HookDialog.h"

#include <QRect>

namespace lexinum {

// A player's entry dialog laid exactly over a pane's results box: frameless,
// so that it reads as part of the pane it covers, and of the box's size.
class OverResultsDialog : public HookDialog {
    Q_OBJECT

public:
    // A dialog covering `area`, the results box in screen coordinates.
    OverResultsDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic, const QRect& area);
};

} // namespace lexinum
