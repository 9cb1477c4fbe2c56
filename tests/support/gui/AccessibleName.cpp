#include "AccessibleName.h"

#include <QAccessible>

namespace lexinum::test {

QString AccessibleName(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

} // namespace lexinum::test
