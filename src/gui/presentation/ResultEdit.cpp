#include "presentation/ResultEdit.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>

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
