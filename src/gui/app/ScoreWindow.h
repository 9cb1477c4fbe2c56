#pragma once

#include <QWidget>

namespace lexinum {

class AppServices;
class ScoreKeeper;

// The board of a match: the player's name and "Ordinateur" side by side, the
// points of the set being played underneath, in four framed quarters. It
// reads the name and the points from the match's score each time it paints.
// Its accessible description says what it shows, for a screen reader.
class ScoreWindow : public QWidget {
    Q_OBJECT

public:
    // The computer's heading.
    static constexpr const char* kComputerHeading = "Ordinateur";

    // A board on `parent` (the pane shown) showing `score`, which outlives it.
    // The caller places it.
    ScoreWindow(QWidget* parent, AppServices& app, const ScoreKeeper& score);

    // After a round: repaints the points row only.
    void RefreshPoints();
    // Repaints the whole board (a new name, a match resumed).
    void Refresh();

    // What the board shows, as a sentence: "Marie 5 points, Ordinateur 3
    // points ; manches 1 - 0".
    QString Description() const;
    // The points row: from just below the middle line to the bottom.
    QRect PointsRow() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Describe();

    AppServices& app_;
    const ScoreKeeper& score_;
};

} // namespace lexinum
