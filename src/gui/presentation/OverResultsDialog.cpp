#include "presentation/OverResultsDialog.h"

namespace lexinum {

OverResultsDialog::OverResultsDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic, const QRect& area,
                                     Countdown countdown)
    : TimedDialog(parent, app, helpTopic, countdown) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    setGeometry(area);
    setFixedSize(area.size());
}

} // namespace lexinum
