#include "presentation/SymbButtonGadget.h"

#include "shell/GameState.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lexinum {

namespace {

// The eraser's face, `size` points square, drawn with `ratio` pixels a point:
// a key pointing left, with a cross in it.
QPixmap EraserFace(int size, const QColor& colour, qreal ratio) {
    QPixmap face(QSize(size, size) * ratio);
    face.setDevicePixelRatio(ratio);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour);
    pen.setWidthF(std::max(1.0, size / 12.0));
    painter.setPen(pen);
    const double s = size;
    QPainterPath key;
    key.moveTo(s * 0.05, s * 0.5);
    key.lineTo(s * 0.35, s * 0.2);
    key.lineTo(s * 0.95, s * 0.2);
    key.lineTo(s * 0.95, s * 0.8);
    key.lineTo(s * 0.35, s * 0.8);
    key.closeSubpath();
    painter.drawPath(key);
    painter.drawLine(QPointF(s * 0.5, s * 0.35), QPointF(s * 0.8, s * 0.65));
    painter.drawLine(QPointF(s * 0.8, s * 0.35), QPointF(s * 0.5, s * 0.65));
    painter.end();
    return face;
}

// The eraser's face for ordinary screens, for those of two pixels a point,
// and for the one the gadget is on: each screen takes its own, never a
// smaller one enlarged (which would blur it).
QIcon EraserIcon(int size, const QColor& colour, qreal screenRatio) {
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0})
        icon.addPixmap(EraserFace(size, colour, ratio));
    if (screenRatio != 1.0 && screenRatio != 2.0)
        icon.addPixmap(EraserFace(size, colour, screenRatio));
    return icon;
}

} // namespace

SymbButtonGadget::SymbButtonGadget(int id, QLineEdit* target, const GameState& state, QWidget* parent)
    : QToolButton(parent), id_(id), target_(target), state_(state) {
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(id_ == kEraseId ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (id_ == kEraseId) {
        DrawEraser();
        setAccessibleName(QStringLiteral("Effacer"));
        setToolTip(QStringLiteral("Effacer"));
    }
    ShowSymbol();
    connect(&state_, &GameState::changed, this, &SymbButtonGadget::ShowSymbol);
    // Clicked is only sent when the button is released over itself.
    connect(this, &QToolButton::clicked, this, [this] {
        // No dialog of the game open: a click meant for it does not reach the field.
        if (QApplication::activeModalWidget() == nullptr && target_ != nullptr)
            EditField(target_, id_);
    });
}

QSize SymbButtonGadget::sizeHint() const {
    // Every gadget has the same face, whatever its symbol.
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QLatin1Char('W')) + metrics.height() / 2, metrics.height() * 3 / 2};
}

QSize SymbButtonGadget::minimumSizeHint() const {
    return sizeHint();
}

void SymbButtonGadget::changeEvent(QEvent* event) {
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::FontChange && id_ == kEraseId)
        DrawEraser();
}

void SymbButtonGadget::DrawEraser() {
    const int size = fontMetrics().height();
    setIcon(EraserIcon(size, palette().color(QPalette::ButtonText), devicePixelRatioF()));
    setIconSize(QSize(size, size));
}

void SymbButtonGadget::ShowSymbol() {
    if (id_ == kEraseId)
        return;
    const QChar symbol = state_.LettersShown() ? QChar('A' + id_) : QChar('0' + id_);
    setText(symbol);
    setAccessibleName(symbol);
}

void SymbButtonGadget::EditField(QLineEdit* field, int id) {
    const bool hadSelection = field->hasSelectedText();
    if (hadSelection)
        field->del();
    if (id == kEraseId) {
        if (!hadSelection)
            field->clear();
    } else if (id >= 0 && id < kEraseId) {
        // Always a capital letter, whatever the game shown.
        field->insert(QString(QChar('A' + id)));
    }
}

} // namespace lexinum
