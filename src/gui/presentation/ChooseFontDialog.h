#pragma once

#include "presentation/HelpKeyFilter.h"

#include "shell/HelpTopic.h"

#include <QFontDialog>

#include <optional>

namespace lexinum {

class AppServices;

// The font dialog of the results box: opened on the font as the player sees
// it (the face it resolves to, its weight and slant, its size in points),
// with an "&Aide" button and F1 opening its help topic. A size above the
// largest the pane can use is refused with a message and the dialog opens
// again.
class ChooseFontDialog : public QFontDialog {
    Q_OBJECT

public:
    // The message shown when a size above `largestPoints` is chosen.
    static QString TooLargeText(int largestPoints);

    ChooseFontDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic, int largestPoints);

    // Runs the dialog on `current`. The chosen font, or nothing when the
    // player gave up or chose the font shown at the start unchanged (so that
    // what the settings hold stays as it was).
    std::optional<QFont> Choose(const QFont& current);

    // `font` as the dialog shows it: the face it resolves to, its weight and
    // slant, and its size in whole points on this screen.
    QFont AsSeen(const QFont& font) const;

private:
    static bool SameChoice(const QFont& a, const QFont& b);

    AppServices& app_;
    HelpKeyFilter helpKeys_;
    int largestPoints_;
};

} // namespace lexinum
