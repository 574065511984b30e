#pragma once
// The three toolbars of the main window: `TbMain` (files, printing, tool
// windows), `TbView` (display switches) and `TbMove` (view, time and site).
// Each button carries its key and tooltip; a click reports the toolbar and the
// key. `TbView` buttons are numbered from 1 with the separators counted, as
// the pressed states of FormSet and the layout refer to them.
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QIcon;
class QPixmap;
class QToolBar;
class QWidget;

namespace zu {

enum class ToolbarId { Main, View, Move };

class Toolbars {
public:
    using Click = std::function<void(ToolbarId toolbar, const std::string& key)>;

    Toolbars(QWidget& parent, Click click);

    QToolBar* TbMain = nullptr;
    QToolBar* TbView = nullptr;
    QToolBar* TbMove = nullptr;

    // The button of a key on a toolbar; nullptr when unknown.
    QAction* Button(ToolbarId toolbar, const std::string& key) const;
    // Item `number` (1-based, separators counted) of `TbView`; nullptr for a
    // separator or a number beyond the last item.
    QAction* ViewItem(int number) const;
    int ViewItemCount() const { return static_cast<int>(view_items_.size()); }
    // The keys of a toolbar in their order, "-" for a separator.
    std::vector<std::string> Keys(ToolbarId toolbar) const;

private:
    QToolBar* Make(QWidget& parent, const char* name, Qt::Orientation orientation);
    void Fill(ToolbarId id, QToolBar* bar, std::initializer_list<std::pair<const char*, const char*>> buttons,
              bool checkable_items);

    Click click_;
    std::map<std::pair<ToolbarId, std::string>, QAction*> buttons_;
    std::map<ToolbarId, std::vector<std::string>> keys_;
    std::vector<QAction*> view_items_;  // index number - 1; nullptr for separators
};

// Our own toolbar and indicator pictures, drawn for a key at `size` pixels.
QIcon ToolIcon(const std::string& key, int size = 16);
QPixmap ToolPixmap(const std::string& key, int size);

}  // namespace zu
