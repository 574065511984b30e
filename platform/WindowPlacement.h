#pragma once
// Keeps windows wholly on the screen. Positions come from the windows
// themselves (beside or under the main window), from the stored settings or,
// for an owned window without one, from here (near its owner, apart from the
// windows open), and sizes from screens that may have been larger or less
// scaled when they were stored; a window opens with its frame (title
// bar and borders) inside the free area of its owner's screen all the same.
// A tool window keeps above the window that owns it.
#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace platform {

// `frame` moved, and cut where it is larger, so that it lies wholly inside
// `area`; unchanged when the area is empty.
QRect FrameInside(const QRect& frame, const QRect& area);

// The upper-left corner for a frame of `frame_size` that has no place of its
// own, as a window system would choose it: `wanted` when no open window has
// its corner there, else the next free place of a cascade from it (steps
// down and to the right, then further cascades beside it). A corner is free
// when none of `taken` lies within 16 px of it across and down; the frame
// lies wholly inside `area` (cut where it is larger). `wanted` moved inside
// the area when no place is free; unchanged when the area is empty.
QPoint FreeCorner(const QPoint& wanted, const QSize& frame_size, const QRect& area, const std::vector<QPoint>& taken);

// The free area (available geometry) of the screen a window opens on: the
// screen of `owner` when there is one, else the window's own; empty without
// screens.
QRect ScreenAreaFor(const QWidget& window, const QWidget* owner);

// Makes `window` a window of its own owned by `owner` (its parent widget):
// the window system keeps it above the owner's window, minimises it with
// that window and gives it no task-bar entry of its own. X11 window managers
// learn the owner only from the transient-for hint, which Qt gives dialog
// windows alone, so a plain window becomes a dialog window with the title-bar
// buttons it had. Nothing happens without an owner.
void MakeOwned(QWidget& window, QWidget* owner);

// Lets a window whose smallest size (a fixed size, or what its layout needs)
// is larger than `room` (a client size) become smaller: its controls move,
// laid out as they were, onto a scroll area that fills the window, which
// becomes resizable up to its former largest size (with room for the scroll
// bars) and is resized to its former size cut to `room`. True when it did
// so; a window that fits, or whose controls scroll already, is left alone.
bool ScrollWhenLarger(QWidget& window, const QSize& room);

// Moves the window, and shrinks it where it is larger, so that its frame lies
// wholly inside ScreenAreaFor(window, owner); an owned window that cannot
// shrink far enough gets its scroll area (ScrollWhenLarger) first. A hidden
// window the program has not sized is first given the size its contents ask
// for, as showing it would. A maximised or full-screen window is left to the
// window system. Until the window system has framed the window its frame is
// taken to be as thick as the owner's.
void KeepOnScreen(QWidget& window, const QWidget* owner);
// The same within `area` (empty: the window is left alone).
void KeepInArea(QWidget& window, const QWidget* owner, const QRect& area);

// Shows the window kept on the screen. An owned window that has no position
// of its own is given one first, near its owner, as a window system places a
// new window of the program: a modal one centred on the owner, a modeless
// one in a cascade from the owner's upper-left corner; neither with its
// upper-left corner where another open window has its own (FreeCorner). It
// is kept on the screen before it is shown, right after, and once more as
// the window system frames and places it (only until then, or for the first
// moments after showing), so the user or the program can move it anywhere
// afterwards.
void ShowOnScreen(QWidget& window, const QWidget* owner);

}  // namespace platform
