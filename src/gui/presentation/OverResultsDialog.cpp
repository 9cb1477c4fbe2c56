#include "presentation/OverResultsDialog.h"

namespace lexinum {

OverResultsDialog::OverResultsDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic, const QRect& area)
    : HookDialog(parent, app, helpTopic) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    setGeometry(area);
    setFixedSize(area.size());
}

} // namespace lexinum
