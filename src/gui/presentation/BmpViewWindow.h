#pragma once

#include <QColor>
#include <QWidget>

#include <string>

namespace lexinum {

// A window that paints its own background and keeps its settings in a
// section of "tiv.ini" whose name the derived window gives.
class BmpViewWindow : public QWidget {
    Q_OBJECT

public:
    BmpViewWindow(const std::string& section, QWidget* parent);

    // The settings section of the window ("LETTRES", "CHIFFRES").
    const std::string& Section() const { return section_; }
    // The colour the background is painted with.
    QColor BackgroundColour() const { return background_; }
    // Paints the background with `colour` from now on.
    void SetBackgroundColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string section_;
    QColor background_;
};

} // namespace lexinum
