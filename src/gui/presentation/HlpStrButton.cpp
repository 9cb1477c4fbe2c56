#include "presentation/HlpStrButton.h"

#include "shell/CommandCatalog.h"

#include <QMouseEvent>

namespace lexinum {

HlpStrButton::HlpStrButton(Command command, QWidget* parent)
    : QPushButton(QString::fromUtf8(CommandCatalog::Of(command).buttonLabel), parent), command_(command) {}

void HlpStrButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit hintShown(QString::fromStdString(CommandCatalog::Hint(command_)));
    // The button keeps the mouse until release (Qt grabs it for a pressed button).
    QPushButton::mousePressEvent(event);
}

void HlpStrButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit hintCleared();
    QPushButton::mouseReleaseEvent(event);
}

} // namespace lexinum
