#pragma once

#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace lexinum {

// The clock of a timed answer: a black box in the pane, beside the dialog,
// showing the seconds left as two digits and an "s" ("40s" … "09s" … "00s")
// in bright green. A screen reader reads it as "Temps", its description the
// seconds left in words ("40 secondes", "1 seconde").
class TimeWindow : public QWidget {
    Q_OBJECT

public:
    // The clock's colours.
    static constexpr QRgb kTextColour = qRgb(0, 255, 0);
    static constexpr QRgb kBackground = qRgb(0, 0, 0);

    // A clock in `parent` (the pane) on `place`, in `bigFont` at normal
    // weight, showing `seconds`.
    TimeWindow(QWidget* parent, const QFont& bigFont, const QRect& place, int seconds);

    // Shows `seconds` left.
    void SetSeconds(int seconds);
    int Seconds() const { return seconds_; }
    // What the clock shows: "40s", "09s", "00s".
    QString Text() const { return TextFor(seconds_); }
    static QString TextFor(int seconds);
    // The seconds in words, as a screen reader says them: "40 secondes",
    // "1 seconde", "0 seconde".
    static QString SecondsInWords(int seconds);

    // The font the digits are drawn in, and the top-left corner of the text,
    // which centres "00s" in the box.
    const QFont& DisplayFont() const { return font_; }
    QPoint TextOrigin() const { return origin_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Centres the widest text, "00s", in the box; on a box too small for it
    // the type is made smaller, so that the seconds always show whole.
    void PlaceText();

    QFont bigFont_;
    QFont font_;
    QPoint origin_;
    int seconds_ = 0;
};

} // namespace lexinum
