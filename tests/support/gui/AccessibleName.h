#pragma once

#include <QString>

class QObject;

namespace lexinum::test {

// What a screen reader announces as the name of `object`.
QString AccessibleName(QObject* object);

} // namespace lexinum::test
