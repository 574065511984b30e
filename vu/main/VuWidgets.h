#pragma once
// Controls of the calendar window: the graphic buttons of the top and
// bottom bars (a click, and a mouse-up that reports the button: 1 left, 2
// right), the home-page link and the month-grid page that shows a
// persistent picture surface.
#include <QLabel>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>

#include "platform/ImageSurface.h"

namespace vu {

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

class GraphicButton final : public QToolButton {
public:
    GraphicButton(const QString& caption, const QString& tip, QWidget* parent);

    // Runs on the release of any mouse button over the button, with the
    // button's number; the left button's click follows as usual.
    std::function<void(int button)> onMouseUp;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool right_pressed_ = false;
};

// A caption that opens an address when clicked.
class LinkLabel final : public QLabel {
public:
    LinkLabel(const QString& caption, QWidget* parent);
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The month grid page PicCal(0): shows the pixels of its surface, which
// keeps what was drawn until the next drawing.
class MonthPicture final : public QWidget {
public:
    explicit MonthPicture(QWidget* parent);

    platform::ImageSurface& Surface() { return *surface_; }
    // Makes the surface the widget's size (new area white); true when it
    // changed.
    bool FitSurface();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<platform::ImageSurface> surface_;
};

}  // namespace vu
