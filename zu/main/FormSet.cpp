// FormSet: the menus' check marks, the view toolbar's pressed buttons, the
// user-catalogue items and the real-time timer's interval, all derived from
// the settings. It is the only writer of these states.
#include <QAction>
#include <QTimer>

#include "skydata/Settings.h"
#include "skydata/UserCatalogs.h"
#include "zu/main/DisplaySwitches.h"
#include "zu/main/Form1.h"
#include "zu/main/ViewCommands.h"

namespace zu {
namespace {

constexpr int kDefaultRefreshRate_s = 10;
constexpr int kMinRefreshRate_s = 1;
constexpr int kMaxRefreshRate_s = 60;
constexpr int kMsPerSecond = 1000;

void Check(const MainMenus& menus, const char* name, bool checked, int index = 0) {
    if (QAction* action = menus.Action(name, index)) action->setChecked(checked);
}

// One item of a radio-style group checked; a value that names no item (a
// hand-edited file) leaves the whole group unchecked.
void CheckOneOf(const MainMenus& menus, const char* name, int count, long chosen) {
    for (int i = 0; i < count; ++i) Check(menus, name, i == chosen, i);
}

}  // namespace

void Form1::FormSet() {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const MainMenus& m = *Menus;

    // 1. The view toolbar's buttons of the display switches.
    struct ButtonRow {
        bool value;
        int button;
    };
    const ButtonRow buttons[] = {
        {s.viewalt, 1},         {s.viewequ, 2},         {s.viewecl, 3},         {s.viewgalequ, 4},
        {s.milkyway, 5},        {s.drawnonstellar, 14}, {s.viewplanet, 17},     {s.drawasteroid, 18},
        {s.drawcomet, 19},      {s.viewconstline, 21},  {s.viewconstname, 22},  {s.viewcboundary, 23},
        {s.viewconstlinee, 24}, {s.viewconstnamee, 25}, {s.viewoldmap, 26},     {s.viewoldmapname, 27},
    };
    for (const ButtonRow& row : buttons) {
        if (QAction* button = Bars->ViewItem(row.button)) button->setChecked(row.value);
    }

    // 2. Menu items that only carry a check mark: every display switch and
    // atmosphere switch from the command tables, then the special groups.
    for (const DisplaySwitch& row : DisplaySwitches()) Check(m, row.control, s.*row.setting, row.index);
    for (const DisplaySwitch& row : AtmosphereSwitches()) Check(m, row.control, s.*row.setting, row.index);
    if (s.oldequ == 0 || s.oldequ == 1 || s.oldequ == 2) {
        Check(m, "mnuOldEqu", s.oldequ == 1);
        Check(m, "mnuIpsoo", s.oldequ == 2);
    }
    Check(m, "mnuEConNameH", s.viewcname);
    Check(m, "mnuEConName", !s.viewcname);
    CheckOneOf(m, "mnuPlaName", 5, s.PNameLang);
    // 0 draws only the bright stars of the Korean constellations.
    Check(m, "mnuInConst", s.viewconstar != 1);
    Check(m, "mnuUnderHor", s.underhorizon != 0);
    Check(m, "mnuToolBar", s.ShowToolBar);

    // 3. The real-time timer.
    if (s.MapRefreshRate < kMinRefreshRate_s || s.MapRefreshRate > kMaxRefreshRate_s) {
        s.MapRefreshRate = kDefaultRefreshRate_s;
    }
    Timer3->setInterval(s.MapRefreshRate * kMsPerSecond);

    // 4. User catalogues and the remaining groups.
    const auto& catalogs = skydata::UserCatalogModule().Catalogs;
    const bool assigned[2] = {s.usercatfile0is, s.usercatfile1is};
    for (int i = 0; i < 2; ++i) {
        QAction* item = m.Action("mnuCustom", i);
        if (!item) continue;
        QString caption = QString::fromUtf8("사용자 정의 목록");
        if (assigned[i]) caption += QString::fromUtf8(": ") + QString::fromStdString(catalogs[i].Name);
        item->setText(caption);
        item->setEnabled(assigned[i]);
    }
    const std::string coord = UpperFrame(s.ViewCoordSys);
    if (coord == "A" || coord == "E") {
        Check(m, "mnuCood", coord == "A", 0);
        Check(m, "mnuCood", coord == "E", 1);
    }
    Check(m, "mnuSN", s.starnamelang == 0 || s.starnamelang == 1, 0);
    Check(m, "mnuSN", s.starnamelang != 1, 1);
    CheckOneOf(m, "mnuDSOName", 4, s.DSONAME);
    CheckOneOf(m, "mnuS2kLabel", 4, s.S2kName);
}

}  // namespace zu
