#include "presentation/ResultEdit.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

namespace lexinum {

ResultEdit::ResultEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Always there, so the width of a line does not change as the box fills.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::ClickFocus);
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    // Read-only, but a caret the keyboard moves and selects with.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAccessibleName(QStringLiteral("Résultats"));
}

void ResultEdit::Append(std::string& text) {
    QString added = QString::fromUtf8(text);
    added.remove(QLatin1Char('\r'));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(added);
    setTextCursor(cursor);
    ensureCursorVisible();
    text.clear();
}

int ResultEdit::EndPosition() const {
    return document()->characterCount() - 1;
}

void ResultEdit::ReadFrom(int position) {
    position = std::clamp(position, 0, EndPosition());
    // The new text may begin by ending the line before it: the caret goes to its first line.
    while (position < EndPosition() && document()->characterAt(position) == QChar::ParagraphSeparator)
        ++position;
    QTextCursor cursor(document());
    cursor.setPosition(position);
    setTextCursor(cursor);
    ensureCursorVisible();
    setFocus(Qt::OtherFocusReason);
}

bool ResultEdit::focusNextPrevChild(bool next) {
    // Tab goes to the pane's first button, not along the pane's tab chain.
    emit leaveRequested();
    return true;
}

void ResultEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) &&
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        emit leaveRequested();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace lexinum
