#pragma once
// Keeps windows wholly on the screen. Positions come from the windows
// themselves (beside or under the main window), from the stored settings or
// from the window system, and sizes from screens that may have been larger
// or less scaled when they were stored; a window opens with its frame (title
// bar and borders) inside the free area of its owner's screen all the same.
#include <QRect>

class QWidget;

namespace platform {

// `frame` moved, and cut where it is larger, so that it lies wholly inside
// `area`; unchanged when the area is empty.
QRect FrameInside(const QRect& frame, const QRect& area);

// The free area (available geometry) of the screen a window opens on: the
// screen of `owner` when there is one, else the window's own; empty without
// screens.
QRect ScreenAreaFor(const QWidget& window, const QWidget* owner);

// Moves the window, and shrinks it where it is larger, so that its frame lies
// wholly inside ScreenAreaFor(window, owner). A maximised or full-screen
// window is left to the window system. Until the window system has framed
// the window its frame is taken to be as thick as the owner's.
void KeepOnScreen(QWidget& window, const QWidget* owner);

// Shows the window kept on the screen: placed before it is shown (when it
// has a position of its own), right after, and once more as the window
// system frames and places it (only until then, or for the first moments
// after showing), so the user or the program can move it anywhere afterwards.
void ShowOnScreen(QWidget& window, const QWidget* owner);

}  // namespace platform
