#pragma once
// The chart surface `Picture1`: a widget that shows the pixels of a persistent
// image surface, with an overlay for the rubber band. Resizing the widget
// resizes the surface (the main window's resize handler then redraws); mouse
// and wheel events go to the handlers the main window sets.
#include <QLine>
#include <QWidget>

#include <functional>
#include <memory>

#include "platform/ImageSurface.h"

namespace zu {

class ChartWidget final : public QWidget {
public:
    explicit ChartWidget(QWidget* parent);

    platform::ImageSurface& Surface() { return *surface_; }

    // The rubber band: a line over the chart between two pixels.
    void SetRubberBand(const QLine& line, bool visible);
    const QLine& RubberBand() const { return band_; }
    bool RubberBandVisible() const { return band_visible_; }

    // Runs each handler below (the main window's guard); unset, they run
    // inside the platform guard.
    std::function<void(const std::function<void()>&)> guard;
    std::function<void(QMouseEvent&)> onMouseDown;
    std::function<void(QMouseEvent&)> onMouseMove;
    std::function<void(QMouseEvent&)> onMouseUp;
    std::function<void(QMouseEvent&)> onDoubleClick;
    // The wheel's angle delta in eighths of a degree (120 per notch).
    std::function<void(int angle_delta)> onWheel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Run(const std::function<void()>& handler);

    std::unique_ptr<platform::ImageSurface> surface_;
    QLine band_;
    bool band_visible_ = false;
};

}  // namespace zu
