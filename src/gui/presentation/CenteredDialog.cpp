#include "presentation/CenteredDialog.h"

#include <QShowEvent>

namespace lexinum {

CenteredDialog::CenteredDialog(QWidget* parent) : HookDialog(parent) {}

QPoint CenteredDialog::CenteredPosition(const QRect& parent, const QSize& dialog) {
    const int parentRight = parent.x() + parent.width();
    const int parentBottom = parent.y() + parent.height();
    return {(parent.x() + parentRight - dialog.width()) / 2, (parent.y() + parentBottom - dialog.height()) / 2};
}

void CenteredDialog::showEvent(QShowEvent* event) {
    HookDialog::showEvent(event);
    const QWidget* parent = parentWidget();
    if (placed_ || parent == nullptr)
        return;
    placed_ = true;
    const QRect parentRect =
        parent->isWindow() ? parent->frameGeometry() : QRect(parent->mapToGlobal(QPoint(0, 0)), parent->size());
    move(CenteredPosition(parentRect, frameGeometry().size()));
}

} // namespace lexinum
