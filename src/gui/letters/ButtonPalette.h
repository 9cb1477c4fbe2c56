#pragma once

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
class ButtonPalette : public QWidget {
    Q_OBJECT

public:
    static constexpr int kGadgetCount = 27;
    static constexpr int kColumns = 3;

    ButtonPalette(QLineEdit* field, AppServices& app, QWidget* owner);

    SymbButtonGadget* Gadget(int id) const { return gadgets_.at(static_cast<std::size_t>(id)); }

    // The position kept in the settings ("GENERAL", "palette x" and "palette
    // y"); a coordinate off a screen of size `screen` gives 0.
    static QPoint SavedPosition(const Profile& settings, const QSize& screen);
    // True when the settings keep a position for the palette.
    static bool HasSavedPosition(const Profile& settings);
    // Keeps the position in the settings.
    void SavePosition(Profile& settings) const;

signals:
    // The player closed the palette with its close box (it is hidden).
    void closedByPlayer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::array<SymbButtonGadget*, kGadgetCount> gadgets_{};
};

} // namespace lexinum
