#include "ModalActs.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace lexinum::test {

namespace {

// The owner of the pending acts' timers: deleting it drops them all.
QObject* Pending() {
    static QPointer<QObject> pending;
    if (pending == nullptr)
        pending = new QObject(QCoreApplication::instance());
    return pending;
}

} // namespace

void ModalActs::OnModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, Pending(), [act] {
        QWidget* modal = nullptr;
        QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
        act(modal);
    });
}

void ModalActs::WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(Pending());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

void ModalActs::CancelPending() {
    delete Pending();
}

} // namespace lexinum::test
