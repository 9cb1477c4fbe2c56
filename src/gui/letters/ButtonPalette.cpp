#include "letters/ButtonPalette.h"

#include "common/Profile.h"
#include "presentation/SymbButtonGadget.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"
#include "shell/SettingsKeys.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

namespace lexinum {

namespace {

// The title bar and border the window manager gave `window`, none while it has not told them.
QMargins ToldDecorations(const QWidget* window) {
    if (window == nullptr || !window->isVisible() || window->windowHandle() == nullptr)
        return {};
    return window->windowHandle()->frameMargins();
}

} // namespace

ButtonPalette::ButtonPalette(QLineEdit* field, AppServices& app, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowDoesNotAcceptFocus),
      owner_(owner) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Palette de lettres"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    for (int id = 0; id < kGadgetCount; ++id) {
        auto* gadget = new SymbButtonGadget(id, field, app.State(), this);
        gadget->setFont(app.Fonts().buttonFont);
        gadgets_[static_cast<std::size_t>(id)] = gadget;
        grid->addWidget(gadget, id / kColumns, id % kColumns);
    }
    if (owner_ != nullptr)
        owner_->installEventFilter(this);
}

QPoint ButtonPalette::SavedPosition(const Profile& settings, const QSize& screen) {
    int x = settings.ReadInt(keys::kGeneral, keys::kPaletteX, 0);
    int y = settings.ReadInt(keys::kGeneral, keys::kPaletteY, 0);
    // Kept from another screen, a position off this one would hide the palette.
    if (x < 0 || x > screen.width())
        x = 0;
    if (y < 0 || y > screen.height())
        y = 0;
    return {x, y};
}

bool ButtonPalette::HasSavedPosition(const Profile& settings) {
    return !settings.ReadString(keys::kGeneral, keys::kPaletteX, "", 12).empty() ||
           !settings.ReadString(keys::kGeneral, keys::kPaletteY, "", 12).empty();
}

void ButtonPalette::SavePosition(Profile& settings) const {
    const QPoint place = geometry().topLeft();
    settings.WriteInt(keys::kGeneral, keys::kPaletteX, place.x());
    settings.WriteInt(keys::kGeneral, keys::kPaletteY, place.y());
}

QRect ButtonPalette::KeptOnScreen(const QRect& client, const QMargins& decorations, const QRect& room) {
    const QRect whole = client.marginsAdded(decorations);
    QPoint shift;
    if (whole.right() > room.right())
        shift.rx() = room.right() - whole.right();
    // Too wide or too high for the room, its left edge and title bar show.
    if (whole.left() + shift.x() < room.left())
        shift.rx() = room.left() - whole.left();
    if (whole.bottom() > room.bottom())
        shift.ry() = room.bottom() - whole.bottom();
    if (whole.top() + shift.y() < room.top())
        shift.ry() = room.top() - whole.top();
    return client.translated(shift);
}

QMargins ButtonPalette::Decorations() const {
    const QMargins own = ToldDecorations(this);
    if (!own.isNull())
        return own;
    const QMargins owners = ToldDecorations(owner_);
    if (!owners.isNull())
        return owners;
    // Nothing on screen yet: a title bar as high as the style draws one.
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    return {1, title, 1, 1};
}

QRect ButtonPalette::Room(const QRect& client) const {
    const QScreen* screen = QGuiApplication::screenAt(client.center());
    if (screen == nullptr && owner_ != nullptr)
        screen = owner_->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : client;
}

void ButtonPalette::PlaceAt(const QPoint& topLeft) {
    besideOf_ = nullptr;
    Place(topLeft, Decorations());
}

void ButtonPalette::PlaceBeside(const QWidget& frame) {
    besideOf_ = &frame;
    Place(BesideFrame(Decorations()), Decorations());
}

QPoint ButtonPalette::BesideFrame(const QMargins& decorations) const {
    return {besideOf_->frameGeometry().right() + 1 + decorations.left(), besideOf_->geometry().top()};
}

void ButtonPalette::Place(const QPoint& topLeft, const QMargins& decorations) {
    wanted_ = topLeft;
    placedWith_ = decorations;
    const QRect client(topLeft, sizeHint());
    setGeometry(KeptOnScreen(client, decorations, Room(client)));
}

void ButtonPalette::Settle() {
    if (!settling_ || !isVisible())
        return;
    const QMargins told = ToldDecorations(this);
    if (told.isNull())
        return;
    // Beside the frame, the place waits for the frame's own decorations too.
    if (besideOf_ == nullptr || !ToldDecorations(besideOf_).isNull())
        settling_ = false;
    if (besideOf_ != nullptr)
        Place(BesideFrame(told), told);
    else if (told != placedWith_)
        Place(wanted_, told);
}

void ButtonPalette::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    emit closedByPlayer();
}

void ButtonPalette::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window manager tells the decorations once it has dressed the window.
    settling_ = true;
    QTimer::singleShot(0, this, &ButtonPalette::Settle);
}

void ButtonPalette::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    Settle();
}

void ButtonPalette::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // Painted, the window is on screen and dressed: its place is settled after the painting.
    if (settling_)
        QTimer::singleShot(0, this, &ButtonPalette::Settle);
}

bool ButtonPalette::eventFilter(QObject* watched, QEvent* event) {
    // The frame put in its place by the window manager: so is the palette beside it.
    if (watched == owner_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        Settle();
    if (watched == owner_ && isVisible() &&
        (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowStateChange)) {
        // The frame came forward (a dialog closed, the player clicked it, it
        // was maximized): the palette goes back over it.
        Settle();
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                raise();
        });
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lexinum
