#pragma once

#include <QObject>

namespace lexinum {

// The warning beep. A beep sounded through Ring is also told by `rung`, so
// that what a player hears can be counted.
class Bell : public QObject {
    Q_OBJECT

public:
    // The one bell of the program.
    static Bell& Instance();
    // Sounds the warning beep.
    static void Ring();

signals:
    void rung();

private:
    Bell() = default;
};

} // namespace lexinum
