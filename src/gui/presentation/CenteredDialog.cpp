#include "presentation/CenteredDialog.h"

#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace lexinum {

namespace {

QMargins Decorations(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

} // namespace

CenteredDialog::CenteredDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic)
    : HookDialog(parent, app, helpTopic) {}

QPoint CenteredDialog::CenteredPosition(const QRect& parent, const QSize& dialog) {
    const int parentRight = parent.x() + parent.width();
    const int parentBottom = parent.y() + parent.height();
    return {(parent.x() + parentRight - dialog.width()) / 2, (parent.y() + parentBottom - dialog.height()) / 2};
}

QPoint CenteredDialog::KeptOnScreen(const QPoint& topLeft, const QSize& dialog, const QRect& screen) {
    const int x = std::max(screen.left(), std::min(topLeft.x(), screen.left() + screen.width() - dialog.width()));
    const int y = std::max(screen.top(), std::min(topLeft.y(), screen.top() + screen.height() - dialog.height()));
    return {x, y};
}

QSize CenteredDialog::DecoratedSize(const QSize& client, const QMargins& own, const QMargins& parent) {
    const QMargins& margins = own.isNull() ? parent : own;
    return {client.width() + margins.left() + margins.right(), client.height() + margins.top() + margins.bottom()};
}

QMargins CenteredDialog::OwnMargins() const {
    return Decorations(this);
}

void CenteredDialog::Place() {
    const QWidget* parent = parentWidget();
    if (parent == nullptr)
        return;
    const QWidget* window = parent->window();
    const QRect parentRect =
        parent->isWindow() ? parent->frameGeometry() : QRect(parent->mapToGlobal(QPoint(0, 0)), parent->size());
    const QMargins own = OwnMargins();
    const QMargins margins = own.isNull() ? Decorations(window) : own;
    const QSize decorated = DecoratedSize(size(), own, Decorations(window));
    placedAt_ = CenteredPosition(parentRect, decorated);
    if (const QScreen* shownOn = window->screen())
        placedAt_ = KeptOnScreen(placedAt_, decorated, shownOn->availableGeometry());
    // Until the window system has decorated it, a window is placed by its
    // client area; afterwards by its decorated frame.
    move(own.isNull() ? placedAt_ + QPoint(margins.left(), margins.top()) : placedAt_);
}

void CenteredDialog::showEvent(QShowEvent* event) {
    HookDialog::showEvent(event);
    if (placed_)
        return;
    placed_ = true;
    Place();
}

bool CenteredDialog::event(QEvent* event) {
    const bool handled = HookDialog::event(event);
    // The window system decorates the dialog after it is shown: once its own
    // decorations are known, it is centred again with them, once.
    const QEvent::Type type = event->type();
    const bool mayKnowFrame =
        type == QEvent::Move || type == QEvent::Resize || type == QEvent::Paint || type == QEvent::WindowActivate;
    if (placed_ && !settled_ && mayKnowFrame && !OwnMargins().isNull()) {
        settled_ = true;
        Place();
    }
    return handled;
}

} // namespace lexinum
