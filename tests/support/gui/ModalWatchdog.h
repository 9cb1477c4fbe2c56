#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace lexinum::test {

// Closes a modal window that has stayed on top for longer than any test
// keeps one open (a check failed inside the code meant to close it), and
// fails the running test: it ends in seconds instead of hanging until
// CTest's time limit. The innermost modal window goes first; the one under
// it gets its own time.
class ModalWatchdog : public QObject {
    Q_OBJECT

public:
    // How long a modal window may stay on top.
    static constexpr int kLimitMs = 15000;

    explicit ModalWatchdog(QObject* parent = nullptr);

private:
    void Look();

    QTimer timer_;
    QPointer<QWidget> top_;
    QElapsedTimer since_;
};

} // namespace lexinum::test
