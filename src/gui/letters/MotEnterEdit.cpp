#include "letters/MotEnterEdit.h"

#include "letters/MEValidator.h"
#include "lexicon/LetterDraw.h"

namespace lexinum {

MotEnterEdit::MotEnterEdit(std::string_view letters, QWidget* parent) : ValidEdit(new MEValidator(letters), parent) {
    setMaxLength(LetterDraw::kMaxLetters);
    setAccessibleName(QStringLiteral("Mot"));
    connect(this, &QLineEdit::textChanged, this, &MotEnterEdit::FollowChange);
}

void MotEnterEdit::Note() {
    notedText_ = text();
    notedSelection_ = selectedText();
    notedStart_ = hasSelectedText() ? selectionStart() : cursorPosition();
}

void MotEnterEdit::keyPressEvent(QKeyEvent* event) {
    // What the key finds, before the field handles it.
    Note();
    ValidEdit::keyPressEvent(event);
    Note();
}

void MotEnterEdit::FollowChange(const QString& after) {
    if (changingItself_ || after == notedText_)
        return;
    const QString before = notedText_;
    const QString selected = notedSelection_;
    const int start = notedStart_;
    Note();
    emit edited(before, selected, start, after);
}

void MotEnterEdit::InsertFromButton(QChar letter) {
    changingItself_ = true;
    insert(QString(letter));
    changingItself_ = false;
    Note();
}

void MotEnterEdit::Erase() {
    changingItself_ = true;
    clear();
    changingItself_ = false;
    Note();
}

} // namespace lexinum
