// The three toolbars' click handlers: each compares the clicked button's key
// (case-sensitively) with its table and runs the menu command the button
// stands for, or opens a submenu as a pop-up beside or below the button.
#include <QAction>
#include <QMenu>
#include <QToolBar>

#include <map>
#include <utility>

#include "platform/Services.h"
#include "zu/main/Form1.h"

namespace zu {
namespace {

using CommandRef = std::pair<const char*, int>;

const std::map<std::string, CommandRef>& MainButtonCommands() {
    static const std::map<std::string, CommandRef> table = {
        {"copen", {"mnuOpen", 0}},     {"csave", {"mnuSave", 0}},       {"psave", {"mnuPSave", 0}},
        {"cprint", {"mnyPrint", 0}},   {"find", {"mnuFindConst", 0}},   {"planet", {"mnuSolarsys", 0}},
        {"dcal", {"mnuDayCal", 0}},    {"24julgi", {"mnu24Julgi", 0}},  {"moon", {"mnuMoonTime", 0}},
        {"today", {"mnuToday", 0}},    {"pclose", {"mnuFindCon", 0}},   {"trail", {"mnuTrail", 0}},
        {"point", {"mnuPoint", 0}},    {"tbInfo", {"mnuMapInfo", 0}},   {"coninfo", {"mnuCinfo", 0}},
        {"info", {"mnuInfo", 0}},
    };
    return table;
}

const std::map<std::string, CommandRef>& ViewButtonCommands() {
    static const std::map<std::string, CommandRef> table = {
        {"alt", {"mnuAlt", 0}},          {"equ", {"mnuEqu", 0}},
        {"ecl", {"mnuEcl", 0}},          {"gal", {"mnuGalEqu", 0}},
        {"milky", {"mnuMilky", 0}},      {"deepsky", {"mnuNonstellar", 0}},
        {"planet", {"mnuPlanet", 0}},    {"ast", {"mnuAsteroid", 0}},
        {"comet", {"mnuComet", 0}},      {"wcon", {"mnuWConLine", 0}},
        {"wcname", {"mnuWConName", 0}},  {"bnd", {"mnuCBound", 0}},
        {"econ", {"mnuEConLine", 0}},    {"ecname", {"mnuName", 0}},
        {"econold", {"mnuChunsang", 0}}, {"ecnameold", {"mnuChunsangName", 0}},
        {"ecconfig", {"mnuCFilter", 0}},
    };
    return table;
}

const std::map<std::string, std::string>& ViewButtonDropdowns() {
    static const std::map<std::string, std::string> table = {
        {"atmoeff", "mnuAtmo"}, {"star", "mnuSt"}, {"label", "mnuLabel"}, {"dsn", "mnuDSOLabel"},
        {"eclang", "mnuNameLang"},
    };
    return table;
}

const std::map<std::string, CommandRef>& MoveButtonCommands() {
    static const std::map<std::string, CommandRef> table = {
        {"north", {"mnuDirect", 3}},  {"south", {"mnuDirect", 2}},  {"east", {"mnuDirect", 0}},
        {"west", {"mnuDirect", 1}},   {"zenith", {"mnuDirect", 4}}, {"all", {"mnuReset", 0}},
        {"rotate_r", {"mnuRot", 0}},  {"rotate_l", {"mnuRot", 1}},  {"minush", {"mnuBackward", 0}},
        {"plush", {"mnuForward", 0}}, {"observery", {"mnuObs", 0}}, {"config", {"mnuSet", 0}},
    };
    return table;
}

QRect ButtonRect(const Toolbars& bars, ToolbarId id, const std::string& key, QToolBar*& bar) {
    bar = id == ToolbarId::Main ? bars.TbMain : id == ToolbarId::View ? bars.TbView : bars.TbMove;
    QAction* action = bars.Button(id, key);
    QWidget* button = action ? bar->widgetForAction(action) : nullptr;
    return button ? button->geometry() : QRect();
}

}  // namespace

void Form1::TbMain_ButtonClick(const std::string& key) {
    const auto& table = MainButtonCommands();
    if (const auto found = table.find(key); found != table.end()) Dispatch(found->second.first, found->second.second);
}

void Form1::TbView_ButtonClick(const std::string& key) {
    const auto& commands = ViewButtonCommands();
    if (const auto found = commands.find(key); found != commands.end()) {
        Dispatch(found->second.first, found->second.second);
        return;
    }
    const auto& dropdowns = ViewButtonDropdowns();
    if (const auto found = dropdowns.find(key); found != dropdowns.end()) {
        PopupBelow(ToolbarId::View, key, found->second);
        return;
    }
    if (key == "magplus") AdjustMagLimit(0);
    if (key == "magminus") AdjustMagLimit(1);
}

void Form1::TbMove_ButtonClick(const std::string& key) {
    const auto& commands = MoveButtonCommands();
    if (const auto found = commands.find(key); found != commands.end()) {
        Dispatch(found->second.first, found->second.second);
        return;
    }
    if (key == "enlarge") ZoomOpr(0);
    if (key == "reduce") ZoomOpr(1);
    if (key == "up") MoveOpr("u");
    if (key == "down") MoveOpr("d");
    if (key == "left") MoveOpr("l");
    if (key == "right") MoveOpr("r");
    if (key == "timecontrol") PopupBeside(ToolbarId::Move, key, "mnuView", "mnuNow");
    if (key == "anim") PopupBeside(ToolbarId::Move, key, "mnuAni", "");
}

void Form1::PopupBelow(ToolbarId id, const std::string& key, const std::string& menu_name) {
    QMenu* menu = Menus->Menu(menu_name);
    if (!menu || !platform::Env().popups) return;
    QToolBar* bar = nullptr;
    const QRect button = ButtonRect(*Bars, id, key, bar);
    const QPoint at = bar->mapToGlobal(QPoint(button.left(), button.top() + button.height()));
    platform::Env().popups->Popup(*menu, at.x(), at.y());
}

void Form1::PopupBeside(ToolbarId id, const std::string& key, const std::string& menu_name,
                        const std::string& bold_item) {
    QMenu* menu = Menus->Menu(menu_name);
    if (!menu || !platform::Env().popups) return;
    QToolBar* bar = nullptr;
    const QRect button = ButtonRect(*Bars, id, key, bar);
    const QPoint at = bar->mapToGlobal(QPoint(button.left() + button.width(), button.top()));
    QAction* bold = bold_item.empty() ? nullptr : Menus->Action(bold_item);
    platform::Env().popups->Popup(*menu, at.x(), at.y(), bold);
}

}  // namespace zu
