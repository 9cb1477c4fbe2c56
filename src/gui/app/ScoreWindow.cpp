#include "app/ScoreWindow.h"

#include "match/ScoreKeeper.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"

#include <QFontMetrics>
#include <QPainter>

namespace lexinum {

namespace {

// "1 point", "5 points": a count below two takes the singular in French.
QString Points(int count) {
    return QString::number(count) + (count < 2 ? QStringLiteral(" point") : QStringLiteral(" points"));
}

} // namespace

ScoreWindow::ScoreWindow(QWidget* parent, AppServices& app, const ScoreKeeper& score)
    : QWidget(parent), app_(app), score_(score) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Score"));
    Describe();
}

QString ScoreWindow::Description() const {
    return QString::fromStdString(score_.PlayerName()) + QLatin1Char(' ') + Points(score_.PlayerPoints()) +
           QStringLiteral(", ") + QString::fromUtf8(kComputerHeading) + QLatin1Char(' ') +
           Points(score_.ComputerPoints()) + QStringLiteral(" ; manches ") + QString::fromStdString(score_.SetsText());
}

QRect ScoreWindow::PointsRow() const {
    const int top = height() / 2 + 1;
    return {0, top, width(), height() - top};
}

void ScoreWindow::RefreshPoints() {
    Describe();
    update(PointsRow());
}

void ScoreWindow::Refresh() {
    Describe();
    update();
}

void ScoreWindow::Describe() {
    const QString description = Description();
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

void ScoreWindow::paintEvent(QPaintEvent* /*event*/) {
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setFont(app_.Fonts().buttonFont);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(painter.font());
    // Each text is centred on x, its top at y.
    const auto draw = [&](int x, int y, const QString& text) {
        painter.drawText(x - metrics.horizontalAdvance(text) / 2, y + metrics.ascent(), text);
    };
    // Half the height of the text "O" (a cell of the font).
    const int halfText = metrics.size(0, QStringLiteral("O")).height() / 2;
    const int namesY = h / 4 - halfText;
    draw(w / 4, namesY, QString::fromStdString(score_.PlayerName()));
    draw(3 * w / 4, namesY, QString::fromUtf8(kComputerHeading));
    const int pointsY = namesY + h / 2;
    draw(w / 4, pointsY, QString::number(score_.PlayerPoints()));
    draw(3 * w / 4, pointsY, QString::number(score_.ComputerPoints()));
    // The frame and the lines between the quarters, one pixel wide.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(0, 0, w - 1, h - 1);
    painter.drawLine(0, h / 2, w - 1, h / 2);
    painter.drawLine(w / 2, 0, w / 2, h - 1);
}

} // namespace lexinum
