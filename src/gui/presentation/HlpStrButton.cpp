#include "presentation/HlpStrButton.h"

#include "app/CommandHints.h"
#include "app/TivApp.h"

#include <QMouseEvent>
#include <QStatusBar>

namespace lexinum {

namespace {

QStatusBar* MessageBar() {
    const TivApp* app = TivApp::Instance();
    return app != nullptr ? app->MessageBar() : nullptr;
}

} // namespace

HlpStrButton::HlpStrButton(Command command, const QString& text, QWidget* parent)
    : QPushButton(text, parent), command_(command) {}

void HlpStrButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (QStatusBar* bar = MessageBar())
            bar->showMessage(QString::fromStdString(CommandHint(command_)));
    }
    // The button keeps the mouse until release (Qt grabs it for a pressed button).
    QPushButton::mousePressEvent(event);
}

void HlpStrButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (QStatusBar* bar = MessageBar())
            bar->clearMessage();
    }
    QPushButton::mouseReleaseEvent(event);
}

} // namespace lexinum
