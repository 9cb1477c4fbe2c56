#include "presentation/HelpKeyFilter.h"

#include "shell/AppServices.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace lexinum {

HelpKeyFilter::HelpKeyFilter(AppServices& app, QObject* parent) : QObject(parent), app_(app) {
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
    if (key->key() != Qt::Key_F1)
        return QObject::eventFilter(watched, event);
    // Handled here and only once: the key does not travel on to the dialog's parents.
    app_.RunCommand((key->modifiers() & Qt::ShiftModifier) ? Command::HelpContents : Command::ContextHelp);
    return true;
}

} // namespace lexinum
