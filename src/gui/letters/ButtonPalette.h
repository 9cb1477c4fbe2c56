#pragma once

#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <array>

class QLineEdit;

namespace lexinum {

class AppServices;
class Profile;
class SymbButtonGadget;

// The letter palette: a small floating window of 27 gadgets in 3 columns,
// A to Z then the eraser, that type into the letters field with the mouse.
// It never takes the focus from the field. Its close box only hides it.
//
// Its place is the top-left corner of its gadgets (the window without the
// window manager's title bar and border): that is what the settings keep and
// what is restored. Wherever it is put, the whole palette, title bar
// included, lies on the screen's free area. It stays over its owner, the
// game's frame: each time the frame becomes active again (a dialog closed,
// the player came back to it), the palette is raised over it.
class ButtonPalette : public QWidget {
    Q_OBJECT

public:
    static constexpr int kGadgetCount = 27;
    static constexpr int kColumns = 3;

    ButtonPalette(QLineEdit* field, AppServices& app, QWidget* owner);

    SymbButtonGadget* Gadget(int id) const { return gadgets_.at(static_cast<std::size_t>(id)); }

    // The place kept in the settings ("GENERAL", "palette x" and "palette
    // y"); a coordinate off a screen of size `screen` gives 0.
    static QPoint SavedPosition(const Profile& settings, const QSize& screen);
    // True when the settings keep a position for the palette.
    static bool HasSavedPosition(const Profile& settings);
    // Keeps the place in the settings.
    void SavePosition(Profile& settings) const;

    // Puts the gadgets' top-left corner at `topLeft`, or as near to it as
    // keeps the whole palette on its screen.
    void PlaceAt(const QPoint& topLeft);
    // Puts the palette beside `frame`, on its right and level with its
    // gadgets (so that its own title bar shows too), or against the
    // screen's right edge when there is no room there.
    void PlaceBeside(const QWidget& frame);

    // `client` moved as little as needed for it and its `decorations` to lie
    // within `room`; when it cannot fit, its title bar and left edge show.
    static QRect KeptOnScreen(const QRect& client, const QMargins& decorations, const QRect& room);
    // The title bar and border the window manager gives the palette; before
    // it has any, those of its owner, which the same window manager dresses.
    QMargins Decorations() const;

signals:
    // The player closed the palette with its close box (it is hidden).
    void closedByPlayer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The screen's free area where the palette stands.
    QRect Room(const QRect& client) const;
    // Puts the gadgets' top-left corner at `topLeft` or as near as the screen
    // allows, the palette wearing `decorations`.
    void Place(const QPoint& topLeft, const QMargins& decorations);
    // The place beside the frame it was asked to stand by.
    QPoint BesideFrame(const QMargins& decorations) const;
    // Places the palette again once the window manager has told its real
    // decorations, if they differ from those it was placed with; beside the
    // frame, again until the frame's decorations are known too.
    void Settle();

    std::array<SymbButtonGadget*, kGadgetCount> gadgets_{};
    QPointer<QWidget> owner_;
    // The place asked for, beside `besideOf_` when set, and the
    // decorations it was worked out with.
    QPoint wanted_;
    QPointer<const QWidget> besideOf_;
    QMargins placedWith_;
    // Shown and not yet settled with the window manager's own decorations.
    bool settling_ = false;
};

} // namespace lexinum
