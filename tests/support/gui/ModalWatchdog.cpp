#include "ModalWatchdog.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

namespace lexinum::test {

ModalWatchdog::ModalWatchdog(QObject* parent) : QObject(parent) {
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::Look);
    timer_.start();
}

void ModalWatchdog::Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != top_) {
        top_ = modal;
        since_.start();
        return;
    }
    if (modal == nullptr || since_.elapsed() < kLimitMs)
        return;
    const QByteArray what = QByteArray("a modal window (") + modal->metaObject()->className() + " \"" +
                            modal->windowTitle().toUtf8() + "\") was left open for " +
                            QByteArray::number(kLimitMs / 1000) + " s: closed";
    top_ = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
    if (QTest::currentTestFunction() != nullptr)
        QTest::qFail(what.constData(), __FILE__, __LINE__);
    else
        qWarning("%s", what.constData());
}

} // namespace lexinum::test
