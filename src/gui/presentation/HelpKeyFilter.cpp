#include "presentation/HelpKeyFilter.h"

#include "app/TivApp.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace lexinum {

HelpKeyFilter::HelpKeyFilter(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

HelpKeyFilter::~HelpKeyFilter() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    TivApp* app = TivApp::Instance();
    if (key->key() != Qt::Key_F1 || app == nullptr)
        return QObject::eventFilter(watched, event);
    // Handled here and only once: the key does not travel on to the dialog's parents.
    if (key->modifiers() & Qt::ShiftModifier)
        app->RunCommand(Command::HelpContents);
    else
        app->RunCommand(Command::ContextHelp);
    return true;
}

} // namespace lexinum
