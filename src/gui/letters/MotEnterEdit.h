#pragma once

#include "presentation/ValidEdit.h"

#include <string_view>

namespace lexinum {

// The word entry's field: capitals, 27 letters at most, only letters of the
// draw (MEValidator). It tells each change the player makes, with the text
// and the selection as they were just before, so that the letter buttons can
// follow; the dialog's own changes are not told.
class MotEnterEdit : public ValidEdit {
    Q_OBJECT

public:
    MotEnterEdit(std::string_view letters, QWidget* parent);

    // Replaces the selection with `letter` (a letter button was pressed).
    void InsertFromButton(QChar letter);
    // Empties the field ("E&ffacer").
    void Erase();

signals:
    // The player changed the text from `before`, where `selected` was
    // selected from `selectionStart`, to `after`.
    void edited(const QString& before, const QString& selected, int selectionStart, const QString& after);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Note();
    void FollowChange(const QString& after);

    QString notedText_;
    QString notedSelection_;
    int notedStart_ = 0;
    bool changingItself_ = false;
};

} // namespace lexinum
