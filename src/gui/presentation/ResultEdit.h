#pragma once

#include <QPlainTextEdit>

#include <string>

namespace lexinum {

// The results box of a pane: every verdict, solution and commentary of a
// round is added at its end. Read-only, long lines wrap (no horizontal
// scrolling), and it is not a tab stop; Tab or Escape leaves it for the
// pane's first button. Inside, the arrows move a caret, Shift with them
// selects and Ctrl+C copies. A screen reader names it "Résultats".
class ResultEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ResultEdit(QWidget* parent);

    // Adds `text` (UTF-8, lines ended by CR LF or LF) at the end of the box,
    // shows it, and empties `text`.
    void Append(std::string& text);
    // The end of the text, where the next Append begins.
    int EndPosition() const;
    // Takes the focus with the caret at `position`, so that a screen reader
    // reads from there and the arrows read on.
    void ReadFrom(int position);

signals:
    // Tab or Escape in the box: the focus should go to the pane's first button.
    void leaveRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
};

} // namespace lexinum
