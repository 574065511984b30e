#pragma once
// Scripted doubles of the seams that hand over Qt objects: pop-up menus,
// showing windows and the clipboard. FakeQtEnv installs them together with
// the Qt-free doubles of platform/Fakes.h.
#include <QImage>
#include <QPointer>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Fakes.h"
#include "platform/Services.h"

namespace platform {

// Records each pop-up and chooses the item whose caption (without '&')
// equals the next scripted choice, searching submenus too; only visible and
// enabled items can be chosen. The chosen action is triggered, as a click
// would. An empty queue or an empty choice dismisses the menu.
class FakePopupMenu final : public PopupMenu {
public:
    QAction* Popup(QMenu& menu, int x, int y, QAction* default_action = nullptr) override;

    struct Shown {
        std::vector<std::string> items;  // visible top-level captions; "-" for a separator
        int x = 0, y = 0;
        std::string default_item;
    };
    std::vector<Shown> shown;
    std::deque<std::string> choices;
};

// Records each window shown. Both kinds are shown (offscreen in tests), owned,
// placed and kept on the screen as the real seam owns, places and keeps them
// (platform/WindowPlacement.h), and stay open, so the test drives the window
// as a user would (fills fields, clicks its buttons) after the call that
// opened it has returned.
class FakeWindowShow final : public WindowShow {
public:
    void OpenModal(QWidget& window, QWidget* owner) override;
    void ShowOwned(QWidget& window, QWidget* owner) override;

    struct Shown {
        QPointer<QWidget> window;
        std::string title;
        bool modal = false;
        QPointer<QWidget> owner;
    };
    std::vector<Shown> shown;
};

class FakeClipboard final : public Clipboard {
public:
    void Clear() override;
    void SetImage(const QImage& picture) override { image = picture.copy(); }
    void SetText(const std::string& text_utf8) override { text = text_utf8; }
    std::string Text() override { return text; }

    QImage image;
    std::string text;
    int clears = 0;
};

// Every double at once, for tests of windows. Printed documents are drawn on
// recording pages of 211 x 297 units with the metrics of kPageCharWidth and
// kPageLineHeight (about a 9-point font in millimetres).
inline constexpr double kPageCharWidth = 2;
inline constexpr double kPageLineHeight = 4;

class FakeQtEnv : public FakeEnv {
public:
    explicit FakeQtEnv(const std::string& program_name = "zu");

    FakePopupMenu popups;
    FakeWindowShow windows;
    FakeClipboard clipboard;
};

// The caption of an action as the user reads it: '&' markers removed, "&&"
// kept as '&' ("가운데로(&C)" reads "가운데로(C)").
std::string PlainCaption(const QString& text);

}  // namespace platform
