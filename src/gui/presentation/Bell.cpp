#include "presentation/Bell.h"

#include <QApplication>

namespace lexinum {

Bell& Bell::Instance() {
    static Bell bell;
    return bell;
}

void Bell::Ring() {
    QApplication::beep();
    emit Instance().rung();
}

} // namespace lexinum
