#pragma once

#include <QObject>

class QWidget;

namespace lexinum {

// A measurement hook for the start-up benchmark: when the environment asks
// for it (LEXINUM_FIRST_FRAME set and not empty), the program prints
// "first-frame" on its standard output once the first paint of its main
// window has been handled, and ends. Without that variable it does nothing,
// so a player never meets it.
class FirstFrameProbe : public QObject {
    Q_OBJECT

public:
    // The variable that asks for the measurement.
    static constexpr char kVariable[] = "LEXINUM_FIRST_FRAME";
    // The line printed.
    static constexpr char kLine[] = "first-frame";

    // Watches `window` when the environment asks it; otherwise does nothing.
    static void InstallIfAsked(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstFrameProbe(QWidget* window);

    QWidget* window_;
    bool reported_ = false;
};

} // namespace lexinum
