#include "ModalActs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <vector>

namespace lexinum::test {

namespace {

// The owner of the pending acts' timers: deleting it drops them all.
QObject* Pending() {
    static QPointer<QObject> pending;
    if (pending == nullptr)
        pending = new QObject(QCoreApplication::instance());
    return pending;
}

// The loop depths of the acts now running, innermost last.
std::vector<int>& Acting() {
    static std::vector<int> levels;
    return levels;
}

// Runs `act` on `modal`, known as running at the current loop depth.
void Act(const std::function<void(QWidget*)>& act, QWidget* modal) {
    Acting().push_back(QThread::currentThread()->loopLevel());
    act(modal);
    Acting().pop_back();
}

// Looks for a modal window every few milliseconds, without waiting in
// between (a wait here would run inside whatever loop processes events
// first, and the window could not open under it), and runs `act` on the
// first one; after `patience` ms without one, fails the test, if any.
void Watch(std::function<void(QWidget*)> act, int patience) {
    auto* timer = new QTimer(Pending());
    timer->setInterval(5);
    QElapsedTimer since;
    since.start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, since, patience] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (patience <= 0 || since.elapsed() < patience)
                return;
            timer->stop();
            timer->deleteLater();
            if (QTest::currentTestFunction() != nullptr)
                QTest::qFail("no modal window opened for the act waiting on one", __FILE__, __LINE__);
            return;
        }
        // The act outlives the timer, which a wait inside it may delete.
        const std::function<void(QWidget*)> run = act;
        timer->stop();
        timer->deleteLater();
        Act(run, modal);
    });
    timer->start();
}

} // namespace

void ModalActs::OnModal(std::function<void(QWidget*)> act) {
    Watch(std::move(act), kPatienceMs);
}

void ModalActs::WhenModal(std::function<void(QWidget*)> act) {
    Watch(std::move(act), 0);
}

void ModalActs::CancelPending() {
    delete Pending();
}

int ModalActs::ActingLevel() {
    return Acting().empty() ? 0 : Acting().back();
}

} // namespace lexinum::test
