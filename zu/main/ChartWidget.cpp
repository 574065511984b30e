#include "zu/main/ChartWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/Guard.h"

namespace zu {

ChartWidget::ChartWidget(QWidget* parent)
    : QWidget(parent), surface_(std::make_unique<platform::ImageSurface>(1, 1)) {
    setObjectName("Picture1");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ChartWidget::SetRubberBand(const QLine& line, bool visible) {
    band_ = line;
    band_visible_ = visible;
    update();
}

void ChartWidget::Run(const std::function<void()>& handler) {
    if (guard) {
        guard(handler);
    } else {
        platform::Guard(handler);
    }
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface_->Image());
    const QSize drawn = surface_->Image().size();
    // Area the last drawing did not cover yet (the window just grew).
    if (drawn.width() < width()) painter.fillRect(drawn.width(), 0, width() - drawn.width(), height(), Qt::black);
    if (drawn.height() < height()) painter.fillRect(0, drawn.height(), width(), height() - drawn.height(), Qt::black);
    if (band_visible_) {
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawLine(band_);
    }
}

void ChartWidget::resizeEvent(QResizeEvent*) {
    surface_->Resize(std::max(1, width()), std::max(1, height()));
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown) Run([&] { onMouseDown(*event); });
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) Run([&] { onMouseMove(*event); });
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp) Run([&] { onMouseUp(*event); });
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onDoubleClick) Run([&] { onDoubleClick(*event); });
}

void ChartWidget::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (onWheel) Run([&] { onWheel(event->angleDelta().y()); });
}

}  // namespace zu
