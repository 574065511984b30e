#include "platform/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace platform {
namespace {

// How long after showing a window the placement of the window system is
// still corrected: long enough for it to frame and place the window, short
// enough that a move by the user is never undone.
constexpr int kSettleTime_ms = 1000;
constexpr const char* kGuardName = "SettlingGuard";

QMargins FrameMarginsOf(const QWidget& widget) {
    const QRect frame = widget.frameGeometry();
    const QRect client = widget.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

// The window's frame margins; before the window system has framed it, the
// owner's (the same window system frames both alike).
QMargins ExpectedFrameMargins(const QWidget& window, const QWidget* owner) {
    const QMargins own = FrameMarginsOf(window);
    if (!own.isNull() || !owner) return own;
    const QWidget* framed = owner->window();
    return framed->isVisible() ? FrameMarginsOf(*framed) : own;
}

// Re-applies KeepOnScreen whenever the window moves or changes size until
// the window system has framed it (or, for a window system that frames
// nothing, for its first moments on the screen), then removes itself.
class SettlingGuard final : public QObject {
public:
    SettlingGuard(QWidget& window, const QWidget* owner) : QObject(&window), owner_(owner) {
        setObjectName(kGuardName);
        window.installEventFilter(this);
        QTimer::singleShot(kSettleTime_ms, this, [this] { deleteLater(); });
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (!busy_ && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)) {
            busy_ = true;
            auto& window = static_cast<QWidget&>(*watched);
            KeepOnScreen(window, owner_);
            if (!FrameMarginsOf(window).isNull()) deleteLater();
            busy_ = false;
        }
        return false;
    }

private:
    QPointer<const QWidget> owner_;
    bool busy_ = false;
};

}  // namespace

QRect FrameInside(const QRect& frame, const QRect& area) {
    if (area.isEmpty()) return frame;
    const int width = std::min(frame.width(), area.width());
    const int height = std::min(frame.height(), area.height());
    const int left = std::clamp(frame.left(), area.left(), area.left() + area.width() - width);
    const int top = std::clamp(frame.top(), area.top(), area.top() + area.height() - height);
    return QRect(left, top, width, height);
}

QRect ScreenAreaFor(const QWidget& window, const QWidget* owner) {
    const QScreen* screen = owner ? owner->screen() : nullptr;
    if (!screen) screen = window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void KeepOnScreen(QWidget& window, const QWidget* owner) {
    if (!window.isWindow() || (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) return;
    const QRect area = ScreenAreaFor(window, owner);
    if (area.isEmpty()) return;
    const QMargins margins = ExpectedFrameMargins(window, owner);
    // A top-level window's position is that of its frame.
    const QRect frame(window.pos(), window.size().grownBy(margins));
    const QRect inside = FrameInside(frame, area);
    if (inside.size() != frame.size()) window.resize(inside.size().shrunkBy(margins));
    // A window that has no position yet is placed by the window system (or a
    // dialog over its owner); only its size is kept within bounds before then.
    if (inside.topLeft() != frame.topLeft() && (window.isVisible() || window.testAttribute(Qt::WA_Moved)))
        window.move(inside.topLeft());
}

void ShowOnScreen(QWidget& window, const QWidget* owner) {
    KeepOnScreen(window, owner);
    window.show();
    KeepOnScreen(window, owner);
    // Framed already (or on a window system that frames at once): done.
    if (!FrameMarginsOf(window).isNull()) return;
    if (!window.findChild<QObject*>(kGuardName, Qt::FindDirectChildrenOnly)) new SettlingGuard(window, owner);
}

}  // namespace platform
