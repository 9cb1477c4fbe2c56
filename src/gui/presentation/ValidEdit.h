#pragma once

#include <QLineEdit>

#include <functional>

class QValidator;

namespace lexinum {

// A single-line edit that checks what the player types: its validator (owned)
// refuses a keystroke with the warning beep, and a whole-text check runs when
// the edit loses the focus and whenever its owner asks; a text it refuses
// keeps the focus in the edit.
class ValidEdit : public QLineEdit {
    Q_OBJECT

public:
    // The whole-text check: true when the text is accepted.
    using WholeTextCheck = std::function<bool(const QString& text)>;

    // An edit checked by `validator`, which it takes over.
    ValidEdit(QValidator* validator, QWidget* parent);

    void SetWholeTextCheck(WholeTextCheck check) { wholeTextCheck_ = std::move(check); }
    // Runs the whole-text check on the text now; true when it accepts it (or
    // there is no check).
    bool CheckWholeText();

signals:
    // A keystroke was refused (the beep has sounded).
    void refused();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    WholeTextCheck wholeTextCheck_;
};

} // namespace lexinum
