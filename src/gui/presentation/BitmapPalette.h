#pragma once

#include <QWidget>

#include <vector>

class QToolButton;

namespace lexinum {

class AppServices;
class Profile;

// The pattern palette: a small floating window of the library's 21 patterns
// as buttons, 7 per row. A click puts that pattern behind the pane shown.
// Its place is its top-left corner on the screen, kept in "GENERAL",
// "bitmaps x" and "bitmaps y"; a kept place off the screen gives 0 on that
// axis, and the whole window is brought onto the screen's free area.
class BitmapPalette : public QWidget {
    Q_OBJECT

public:
    static constexpr int kColumns = 7;
    // The side of a button's picture, in pixels.
    static constexpr int kPictureSide = 24;

    BitmapPalette(AppServices& app, QWidget* owner);

    // The button of pattern `index` (0 to 20).
    QToolButton* Button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    // The place kept in the settings; a coordinate off a screen of size
    // `screen` (or negative) gives 0.
    static QPoint SavedPosition(const Profile& settings, const QSize& screen);
    // Keeps the place in the settings.
    void SavePosition(Profile& settings) const;
    // Puts the window's top-left corner at `topLeft`, or as near as keeps it
    // on the screen's free area.
    void PlaceAt(const QPoint& topLeft);

signals:
    // The player clicked the button of pattern `index`.
    void patternChosen(int index);
    // The player closed the palette with its close box.
    void closedByPlayer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::vector<QToolButton*> buttons_;
};

} // namespace lexinum
