#pragma once

#include "presentation/TimedDialog.h"

#include <QRect>

namespace lexinum {

// A player's entry dialog laid exactly over a pane's results box: frameless,
// so that it reads as part of the pane it covers, and of the box's size. In a
// match it is timed (`TimedDialog`).
class OverResultsDialog : public TimedDialog {
    Q_OBJECT

public:
    // A dialog covering `area`, the results box in screen coordinates, with
    // `countdown` for the answer in a match.
    OverResultsDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic, const QRect& area, Countdown countdown);
};

} // namespace lexinum
