#include "presentation/ValidEdit.h"

#include "presentation/Bell.h"

#include <QFocusEvent>
#include <QTimer>
#include <QValidator>

namespace lexinum {

ValidEdit::ValidEdit(QValidator* validator, QWidget* parent) : QLineEdit(parent) {
    validator->setParent(this);
    setValidator(validator);
    connect(this, &QLineEdit::inputRejected, this, [this] {
        Bell::Ring();
        emit refused();
    });
}

bool ValidEdit::CheckWholeText() {
    return !wholeTextCheck_ || wholeTextCheck_(text());
}

void ValidEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A menu opening takes the focus only for a moment; its command checks
    // the text itself if it needs it.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    const bool withinWindow = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
                              event->reason() == Qt::MouseFocusReason || event->reason() == Qt::OtherFocusReason;
    if (!CheckWholeText() && withinWindow)
        QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

} // namespace lexinum
