#include "presentation/ResultEdit.h"

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

} // namespace lexinum
