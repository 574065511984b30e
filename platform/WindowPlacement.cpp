#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QList>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace platform {
namespace {

// How long after showing a window the placement of the window system is
// still corrected: long enough for it to frame and place the window, short
// enough that a move by the user is never undone.
constexpr int kSettleTime_ms = 1000;
constexpr const char* kGuardName = "SettlingGuard";
constexpr const char* kScrollName = "ScreenScroll";

// Upper-left corners nearer than this across and down read as one point: the
// later window hides the earlier one.
constexpr int kApart_px = 16;
// The step of a cascade: a title bar and a little more, so each earlier
// window keeps its caption in sight.
constexpr int kCascadeStep_px = 2 * kApart_px;

// The title-bar buttons Qt gives a plain window that names none.
constexpr Qt::WindowFlags kPlainWindowButtons = Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

// A size grown by `extra` where it is bounded.
int GrownBound(int bound, int extra) { return bound >= QWIDGETSIZE_MAX - extra ? QWIDGETSIZE_MAX : bound + extra; }

// None for a window that does not exist on the screen yet: its frame is
// unknown (Qt reports it a pixel short of the client area).
QMargins FrameMarginsOf(const QWidget& widget) {
    if (!widget.testAttribute(Qt::WA_WState_Created)) return QMargins();
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

// The upper-left frame corners of the windows open on the screen, `window`
// aside; pop-ups, tips and splash screens are not windows a user arranges.
std::vector<QPoint> OpenCorners(const QWidget& window) {
    std::vector<QPoint> corners;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible() || other->isMinimized()) continue;
        const Qt::WindowType type = other->windowType();
        if (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool) continue;
        corners.push_back(other->frameGeometry().topLeft());
    }
    return corners;
}

// Gives an owned window that has no position of its own the one a window
// system would: centred on the owner when modal (as a dialog opens), else a
// step down and to the right of the owner's corner, and apart from the
// windows already open.
void PlaceNearOwner(QWidget& window, const QWidget* owner) {
    if (!owner || !window.isWindow() || window.isVisible() || window.testAttribute(Qt::WA_Moved)) return;
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    const QRect area = ScreenAreaFor(window, owner);
    if (area.isEmpty()) return;
    const QMargins margins = ExpectedFrameMargins(window, owner);
    const QSize frame_size = window.size().grownBy(margins);
    const QRect owner_frame = owner->window()->frameGeometry();
    QPoint wanted = owner_frame.topLeft() + QPoint(kCascadeStep_px, kCascadeStep_px);
    if (window.windowModality() != Qt::NonModal) {
        QRect centred(QPoint(), frame_size);
        centred.moveCenter(owner_frame.center());
        wanted = centred.topLeft();
    }
    const QPoint corner = FreeCorner(wanted, frame_size, area, OpenCorners(window));
    // Created but not yet framed, Qt takes a move for the client area's.
    const bool client_placed = window.testAttribute(Qt::WA_WState_Created) && FrameMarginsOf(window).isNull();
    window.move(corner + (client_placed ? QPoint(margins.left(), margins.top()) : QPoint()));
}

}  // namespace

QPoint FreeCorner(const QPoint& wanted, const QSize& frame_size, const QRect& area, const std::vector<QPoint>& taken) {
    if (area.isEmpty()) return wanted;
    const QRect start = FrameInside(QRect(wanted, frame_size), area);
    const QPoint first = start.topLeft();
    const auto is_free = [&taken](const QPoint& corner) {
        return std::none_of(taken.begin(), taken.end(), [&corner](const QPoint& other) {
            return std::abs(other.x() - corner.x()) < kApart_px && std::abs(other.y() - corner.y()) < kApart_px;
        });
    };
    if (is_free(first)) return first;
    // The places are the points of a grid through `first`, a cascade's half
    // step apart, whose frames lie inside the area: (i, j) half steps across
    // and down.
    const int last_left = area.left() + area.width() - start.width();
    const int last_top = area.top() + area.height() - start.height();
    const int i_from = -(first.x() - area.left()) / kApart_px;
    const int i_to = (last_left - first.x()) / kApart_px;
    const int j_from = -(first.y() - area.top()) / kApart_px;
    const int j_to = (last_top - first.y()) / kApart_px;
    // Whole cascade steps before half ones; the cascade from `first` (i = j)
    // before the ones beside it, the nearer first, those to its right before
    // those below; down the cascade before up.
    using Rank = std::tuple<bool, int, bool, bool, int>;
    const auto rank = [](int i, int j) {
        const int off = i - j;
        return Rank(i % 2 != 0 || j % 2 != 0, std::abs(off), off < 0, i + j < 0, std::abs(i + j));
    };
    bool found = false;
    Rank best{};
    QPoint best_corner = first;
    for (int i = i_from; i <= i_to; ++i) {
        for (int j = j_from; j <= j_to; ++j) {
            const QPoint corner = first + QPoint(i * kApart_px, j * kApart_px);
            if (!is_free(corner)) continue;
            const Rank r = rank(i, j);
            if (!found || r < best) {
                found = true;
                best = r;
                best_corner = corner;
            }
        }
    }
    return best_corner;
}

void MakeOwned(QWidget& window, QWidget* owner) {
    if (!owner) return;
    Qt::WindowFlags flags = window.windowFlags();
    const Qt::WindowType type = window.windowType();
    if (type == Qt::Widget || type == Qt::Window) {
        if (!(flags & (kPlainWindowButtons | Qt::CustomizeWindowHint))) flags |= kPlainWindowButtons;
        flags = (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
    }
    if (window.parentWidget() != owner || flags != window.windowFlags()) window.setParent(owner, flags);
}

bool ScrollWhenLarger(QWidget& window, const QSize& room) {
    if (room.isEmpty()) return false;
    if (QLayout* layout = window.layout()) layout->activate();
    const QSize smallest = window.minimumSize();
    if (smallest.width() <= room.width() && smallest.height() <= room.height()) return false;
    if (window.findChild<QScrollArea*>(kScrollName, Qt::FindDirectChildrenOnly)) return false;
    // The size it would have opened with: a laid-out window not sized by
    // the program takes its layout's.
    const bool sized = window.testAttribute(Qt::WA_Resized) || !window.layout();
    const QSize designed = (sized ? window.size() : window.sizeHint()).expandedTo(smallest);
    const QSize largest = window.maximumSize();

    auto* content = new QWidget;
    const QList<QWidget*> controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (QLayout* layout = window.layout()) {
        content->setLayout(layout);
    } else {
        content->setMinimumSize(smallest);
        content->resize(designed);
    }
    // In their order, so they stack as before; the ones the layout took have
    // moved already.
    for (QWidget* control : controls) {
        if (control->isWindow() || control->parentWidget() != &window) continue;
        const QRect at = control->geometry();
        control->setParent(content);
        control->setGeometry(at);
    }
    auto* scroll = new QScrollArea(&window);
    scroll->setObjectName(kScrollName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* fill = new QVBoxLayout(&window);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(scroll);
    scroll->show();

    const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    window.setMinimumSize(0, 0);
    window.setMaximumSize(GrownBound(largest.width(), bar), GrownBound(largest.height(), bar));
    // A side that is cut gets a scroll bar, which takes room across it.
    QSize size = designed;
    if (size.height() > room.height()) size.rwidth() += bar;
    if (size.width() > room.width()) size.rheight() += bar;
    window.resize(size.boundedTo(room));
    return true;
}

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

void KeepOnScreen(QWidget& window, const QWidget* owner) { KeepInArea(window, owner, ScreenAreaFor(window, owner)); }

void KeepInArea(QWidget& window, const QWidget* owner, const QRect& area) {
    if (!window.isWindow() || (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) return;
    if (area.isEmpty()) return;
    // A window the program has not sized opens with the size its contents
    // ask for, which showing it would give it: that size is kept within
    // bounds, not the default one of a window never shown.
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
        window.setAttribute(Qt::WA_Resized, false);
    }
    const QMargins margins = ExpectedFrameMargins(window, owner);
    if (owner) ScrollWhenLarger(window, area.size().shrunkBy(margins));
    // A top-level window's position is that of its frame; but once it exists
    // on the screen, and until the window system has framed it, Qt takes its
    // position (and a move) for that of its client area.
    const bool client_placed = window.testAttribute(Qt::WA_WState_Created) && FrameMarginsOf(window).isNull();
    const QPoint client_offset = client_placed ? QPoint(margins.left(), margins.top()) : QPoint();
    const QRect frame(window.pos() - client_offset, window.size().grownBy(margins));
    const QRect inside = FrameInside(frame, area);
    if (inside.size() != frame.size()) window.resize(inside.size().shrunkBy(margins));
    // A window that has no position yet is placed by the window system (or a
    // dialog over its owner); only its size is kept within bounds before then.
    if (inside.topLeft() != frame.topLeft() && (window.isVisible() || window.testAttribute(Qt::WA_Moved)))
        window.move(inside.topLeft() + client_offset);
}

void ShowOnScreen(QWidget& window, const QWidget* owner) {
    KeepOnScreen(window, owner);
    PlaceNearOwner(window, owner);
    window.show();
    KeepOnScreen(window, owner);
    // Framed already (or on a window system that frames at once): done.
    if (!FrameMarginsOf(window).isNull()) return;
    if (!window.findChild<QObject*>(kGuardName, Qt::FindDirectChildrenOnly)) new SettlingGuard(window, owner);
}

}  // namespace platform
