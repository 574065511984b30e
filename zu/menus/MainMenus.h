#pragma once
// The menu bar of the main window and its pop-up menu `mnuMRight`, built from
// one table: every item with its control name, item index, caption and
// shortcut. Items are found by control name and index; submenus by the name
// of their menu control. A check item's mark is never the state: clicking it
// leaves the mark as it was, and FormSet or the command sets it.
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <utility>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace zu {

class MainMenus {
public:
    // Called with the control name and item index when an item is chosen.
    using Trigger = std::function<void(const std::string& name, int index)>;

    // Fills `bar` and builds the pop-up menu (owned by `owner`).
    MainMenus(QMenuBar& bar, QWidget& owner, Trigger trigger);

    // The item of a control (index 0 for a single item); nullptr when unknown.
    QAction* Action(const std::string& name, int index = 0) const;
    // A menu or submenu by the name of its control ("mnuAtmo", "mnuView",
    // "mnuMRight"); nullptr when unknown.
    QMenu* Menu(const std::string& name) const;
    // Every item, by (name, index).
    const std::map<std::pair<std::string, int>, QAction*>& Actions() const { return actions_; }

private:
    QMenu* AddMenu(QMenu* parent, QMenuBar* bar, const std::string& name, const QString& caption);
    QAction* AddItem(QMenu* menu, const std::string& name, int index, const QString& caption,
                     const QString& shortcut = {}, bool checkable = false);
    void AddItems(QMenu* menu, const std::string& name, std::initializer_list<const char*> captions,
                  bool checkable = false);
    void Build(QMenuBar& bar);

    QWidget& owner_;
    Trigger trigger_;
    std::map<std::pair<std::string, int>, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;
    int next_anonymous_ = 0;
};

}  // namespace zu
