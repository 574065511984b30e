#include "vu/main/VuWidgets.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace vu {

GraphicButton::GraphicButton(const QString& caption, const QString& tip, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolTip(tip);
    setAutoRaise(false);
    setFocusPolicy(Qt::NoFocus);
}

void GraphicButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        right_pressed_ = true;
        event->accept();
        return;
    }
    QToolButton::mousePressEvent(event);
}

void GraphicButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool right = event->button() == Qt::RightButton;
    if (!right) QToolButton::mouseReleaseEvent(event);
    const bool was_pressed = right ? right_pressed_ : true;
    if (right) right_pressed_ = false;
    if (!was_pressed || !rect().contains(event->position().toPoint())) return;
    if (onMouseUp) onMouseUp(right ? kRightButton : event->button() == Qt::LeftButton ? kLeftButton : 4);
    if (right) event->accept();
}

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
    setText("<a href=\"#\">" + caption.toHtmlEscaped() + "</a>");
    setTextInteractionFlags(Qt::NoTextInteraction);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onClick) onClick();
    QLabel::mouseReleaseEvent(event);
}

MonthPicture::MonthPicture(QWidget* parent)
    : QWidget(parent), surface_(std::make_unique<platform::ImageSurface>(1, 1)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click on the month takes the keyboard from the year and month fields.
    setFocusPolicy(Qt::ClickFocus);
}

bool MonthPicture::FitSurface() {
    const int w = std::max(1, width()), h = std::max(1, height());
    if (surface_->PixelWidth() == w && surface_->PixelHeight() == h) return false;
    surface_->Resize(w, h);
    return true;
}

void MonthPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, surface_->Image());
}

}  // namespace vu
