#include "ModalWatchdog.h"
#include "ModalActs.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QThread>
#include <QWidget>

namespace lexinum::test {

ModalWatchdog::ModalWatchdog(QObject* parent) : QObject(parent) {
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::Look);
    timer_.start();
}

void ModalWatchdog::Look() {
    QWidget* modal = QApplication::activeModalWidget();
    // Waiting on nobody: its loop runs deeper than the innermost act now running.
    const bool waiting = modal != nullptr && QThread::currentThread()->loopLevel() > ModalActs::ActingLevel();
    if (!waiting)
        modal = nullptr;
    if (modal != top_) {
        top_ = modal;
        since_.start();
        return;
    }
    if (modal == nullptr || since_.elapsed() < limitMs_)
        return;
    const QByteArray what = QByteArray("a modal window (") + modal->metaObject()->className() + " \"" +
                            modal->windowTitle().toUtf8() + "\") waited on nobody for " + QByteArray::number(limitMs_) +
                            " ms: closed";
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
