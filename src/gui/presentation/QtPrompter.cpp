#include "presentation/QtPrompter.h"

#include "presentation/Bell.h"

#include <QApplication>
#include <QMessageBox>

namespace lexinum {

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Stop:
        return QMessageBox::Critical;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        return QMessageBox::Ok;
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

PromptAnswer Answer(int button, PromptButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Retry:
        return PromptAnswer::Retry;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    default:
        break;
    }
    // Closed without a button: the box's way of saying no.
    if (buttons == PromptButtons::Ok)
        return PromptAnswer::Ok;
    if (buttons == PromptButtons::YesNo)
        return PromptAnswer::No;
    return PromptAnswer::Cancel;
}

} // namespace

QString QtPrompter::DisplayText(const std::string& text) {
    QString shown = QString::fromUtf8(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

PromptAnswer QtPrompter::Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                             PromptButtons buttons) {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr)
        owner = QApplication::activeWindow();
    QMessageBox box(BoxIcon(icon), QString::fromUtf8(caption), DisplayText(text), BoxButtons(buttons), owner);
    box.setTextFormat(Qt::PlainText);
    if (icon == PromptIcon::Exclamation || icon == PromptIcon::Stop)
        Bell::Ring();
    return Answer(box.exec(), buttons);
}

} // namespace lexinum
