#include "presentation/BmpViewWindow.h"

#include <QPainter>
#include <QPalette>

namespace lexinum {

BmpViewWindow::BmpViewWindow(const std::string& section, QWidget* parent)
    : QWidget(parent), section_(section), background_(palette().color(QPalette::Dark)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BmpViewWindow::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    update();
}

void BmpViewWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    QWidget::paintEvent(event);
}

} // namespace lexinum
