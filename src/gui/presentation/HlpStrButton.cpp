#include "presentation/HlpStrButton.h"

#include "shell/CommandCatalog.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

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

void HlpStrButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    const bool backward = key == Qt::Key_Left || key == Qt::Key_Up;
    if ((forward || backward) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (HlpStrButton* next = Neighbour(forward)) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            event->accept();
            return;
        }
    }
    QPushButton::keyPressEvent(event);
}

HlpStrButton* HlpStrButton::Neighbour(bool forward) const {
    if (parentWidget() == nullptr)
        return nullptr;
    QList<HlpStrButton*> group;
    for (HlpStrButton* button : parentWidget()->findChildren<HlpStrButton*>(Qt::FindDirectChildrenOnly))
        if (button == this || (button->isVisible() && button->isEnabled()))
            group << button;
    if (group.size() < 2)
        return nullptr;
    std::sort(group.begin(), group.end(), [](const HlpStrButton* a, const HlpStrButton* b) {
        return a->x() != b->x() ? a->x() < b->x() : a->y() < b->y();
    });
    const qsizetype at = group.indexOf(const_cast<HlpStrButton*>(this));
    const qsizetype count = group.size();
    return group[(at + (forward ? 1 : count - 1)) % count];
}

} // namespace lexinum
