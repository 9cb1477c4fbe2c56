#include "presentation/ChifEdit.h"

#include "common/Prompter.h"
#include "core/numbers/NumberStep.h"
#include "presentation/Bell.h"
#include "shell/AppServices.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace lexinum {

ChifEdit::ChifEdit(const NumberBoxRule& rule, int maxLength, QWidget* parent) : QLineEdit(parent), rule_(rule) {
    setMaxLength(maxLength);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    setFocusPolicy(Qt::StrongFocus);
    // The right button steps the value: no context menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setText(QStringLiteral("0"));
    connect(this, &QLineEdit::textEdited, this, &ChifEdit::AnnounceIfAccepted);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == this)
            focusCameFrom_ = old;
    });
}

std::string ChifEdit::Check() const {
    return rule_.Check(text().toStdString());
}

std::optional<int> ChifEdit::Value() const {
    return rule_.Value(text().toStdString());
}

bool ChifEdit::Validate() {
    // Checked now: a check waiting for the focus to settle has nothing to add.
    ++checkGeneration_;
    const std::string message = Check();
    if (message.empty())
        return true;
    Prompter::Active().Tell(message, AppServices::kProgramName, PromptIcon::Exclamation);
    setFocus(Qt::OtherFocusReason);
    selectAll();
    return false;
}

void ChifEdit::ShowValue(int value) {
    setText(QString::number(value));
}

void ChifEdit::AnnounceIfAccepted() {
    if (const std::optional<int> value = Value())
        emit valueAccepted(*value);
}

bool ChifEdit::Step(bool up) {
    // While dragging the box is made read-only to hide its caret; it steps all the same.
    if (isReadOnly() && !dragging_)
        return false;
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int end = hasSelectedText() ? selectionEnd() : cursorPosition();
    const auto stepped = rule_.Step(text().toStdString(), start, end, up);
    if (!stepped || static_cast<int>(stepped->text.size()) > maxLength())
        return false;
    setText(QString::fromStdString(stepped->text));
    setSelection(stepped->selectionStart, stepped->selectionEnd - stepped->selectionStart);
    if (stepped->selectionStart == stepped->selectionEnd)
        setCursorPosition(stepped->selectionStart);
    AnnounceIfAccepted();
    return true;
}

void ChifEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        if (!isReadOnly())
            Step(event->key() == Qt::Key_Up);
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !isReadOnly() &&
        !NumberBoxRule::AcceptsCharacter(typed.at(0).toLatin1())) {
        Bell::Ring();
        emit keyRefused();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ChifEdit::mousePressEvent(QMouseEvent* event) {
    const bool focusedByThisPress = focusedByPress_;
    focusedByPress_ = false;
    if (event->button() != Qt::RightButton) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    event->accept();
    if (isReadOnly() || dragging_)
        return;
    focusBeforeDrag_ = focusedByThisPress ? focusCameFrom_.data() : QApplication::focusWidget();
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    dragFrom_ = event->globalPosition().toPoint();
    // Read-only hides the caret while the value is being dragged.
    setReadOnly(true);
    grabMouse(QCursor(Qt::SizeBDiagCursor));
}

void ChifEdit::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QLineEdit::mouseMoveEvent(event);
        return;
    }
    event->accept();
    const QPoint at = event->globalPosition().toPoint();
    const int step = NumberStep::DragStep(at.x() - dragFrom_.x(), at.y() - dragFrom_.y());
    if (step == 0)
        return;
    Step(step > 0);
    dragFrom_ = at;
}

void ChifEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::RightButton) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    EndDrag();
}

void ChifEdit::EndDrag() {
    dragging_ = false;
    releaseMouse();
    setReadOnly(false);
    if (focusBeforeDrag_ != nullptr && focusBeforeDrag_ != this)
        focusBeforeDrag_->setFocus(Qt::MouseFocusReason);
    focusBeforeDrag_ = nullptr;
}

void ChifEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    focusedByPress_ = event->reason() == Qt::MouseFocusReason;
}

void ChifEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (dragging_ && event->reason() != Qt::PopupFocusReason)
        EndDrag();
    // The player leaving the box (Tab, a click, a shortcut key) has its text
    // checked. A menu opening, another window coming forward or the program
    // moving the focus does not.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
        break;
    default:
        return;
    }
    if (isReadOnly() || Check().empty())
        return;
    CheckWhenSettled(++checkGeneration_);
}

void ChifEdit::CheckWhenSettled(int generation) {
    // A click that took the focus away ends first, and its command runs: a
    // new draw replaces the text, "&Voir" checks the box itself (its message
    // may still be open) and gives it back. The check is left out when any
    // of that happened.
    const int delay = QGuiApplication::mouseButtons() == Qt::NoButton ? 0 : kSettleMilliseconds;
    QTimer::singleShot(delay, this, [this, generation] {
        if (generation != checkGeneration_)
            return;
        if (QGuiApplication::mouseButtons() != Qt::NoButton) {
            CheckWhenSettled(generation);
            return;
        }
        if (isVisible() && !isReadOnly() && !hasFocus() && !Check().empty())
            Validate();
    });
}

} // namespace lexinum
