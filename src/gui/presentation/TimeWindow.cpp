#include "presentation/TimeWindow.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace lexinum {

namespace {

// The widest text the clock shows.
const QString kWidestText = QStringLiteral("00s");

} // namespace

TimeWindow::TimeWindow(QWidget* parent, const QFont& bigFont, const QRect& place, int seconds)
    : QWidget(parent), bigFont_(bigFont), seconds_(seconds) {
    bigFont_.setWeight(QFont::Normal);
    font_ = bigFont_;
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(kBackground));
    colours.setColor(QPalette::WindowText, QColor(kTextColour));
    setPalette(colours);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Temps"));
    setAccessibleDescription(SecondsInWords(seconds_));
    setGeometry(place);
    PlaceText();
}

QString TimeWindow::TextFor(int seconds) {
    return QStringLiteral("%1s").arg(seconds, 2, 10, QLatin1Char('0'));
}

QString TimeWindow::SecondsInWords(int seconds) {
    // French keeps the singular below two: "0 seconde", "1 seconde".
    return seconds < 2 ? QStringLiteral("%1 seconde").arg(seconds) : QStringLiteral("%1 secondes").arg(seconds);
}

void TimeWindow::SetSeconds(int seconds) {
    if (seconds == seconds_)
        return;
    seconds_ = seconds;
    // The description follows each second, for a reader that looks at the clock.
    setAccessibleDescription(SecondsInWords(seconds_));
    update();
}

void TimeWindow::PlaceText() {
    font_ = bigFont_;
    const auto fits = [this](const QFont& font) {
        const QFontMetrics metrics(font);
        return metrics.horizontalAdvance(kWidestText) <= width() && metrics.height() <= height();
    };
    while (!fits(font_) && font_.pixelSize() > 6)
        font_.setPixelSize(font_.pixelSize() - 1);
    const QFontMetrics metrics(font_);
    origin_ = QPoint((width() - metrics.horizontalAdvance(kWidestText)) / 2, (height() - metrics.height()) / 2);
}

void TimeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceText();
}

void TimeWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font_);
    painter.setPen(QColor(kTextColour));
    // Opaque on black: the new digits cover the old ones.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QColor(kBackground));
    painter.drawText(origin_.x(), origin_.y() + QFontMetrics(font_).ascent(), Text());
}

} // namespace lexinum
