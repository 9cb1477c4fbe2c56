#pragma once

#include <QObject>

#include <functional>
#include <vector>

namespace lexinum {

// Keeps commands from running inside one another. While the interface
// thread waits on a worker, paint and timer events go on, and with them
// whatever a timer, a queued call, a second copy of the game or the window
// system may ask: a command is then refused, and a close or a request from
// outside is held until the wait is over.
class CommandGate : public QObject {
    Q_OBJECT

public:
    // Holds the gate for as long as it lives (a wait in progress).
    class Hold {
    public:
        explicit Hold(CommandGate& gate);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        CommandGate& gate_;
    };

    explicit CommandGate(QObject* parent = nullptr);

    // True while a wait is in progress.
    bool Held() const { return holds_ > 0; }
    // Runs `action` now when no wait is in progress; otherwise once the last
    // wait is over, from the event loop, after the command that waited.
    void WhenFree(std::function<void()> action);

private:
    void Release();

    int holds_ = 0;
    std::vector<std::function<void()>> held_;
};

} // namespace lexinum
