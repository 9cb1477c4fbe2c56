#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace lexinum::test {

// Closes a modal window that runs its own event loop with no act of the test
// working on it (ModalActs) for longer than any test leaves one waiting: a
// check failed inside the act meant to close it, or none was set. It fails
// the running test, which then ends in seconds instead of hanging until
// CTest's time limit. A dialog the test drives itself (shown, not run) is
// left alone; the innermost modal window goes first, the one under it gets
// its own time.
class ModalWatchdog : public QObject {
    Q_OBJECT

public:
    // How long a modal window may wait on nobody, by default.
    static constexpr int kLimitMs = 10000;

    explicit ModalWatchdog(QObject* parent = nullptr);

    // Changes the time every watchdog allows (the watchdog's own test shortens it).
    static void SetLimitMs(int limit) { limitMs_ = limit; }
    static int LimitMs() { return limitMs_; }

private:
    void Look();

    static inline int limitMs_ = kLimitMs;
    QTimer timer_;
    QPointer<QWidget> top_;
    QElapsedTimer since_;
};

} // namespace lexinum::test
