// Display switch commands: one table of on/off switches and one of label
// choices, each turned into a command of the same three steps (change the
// setting, FormSet, SetMapBox), plus the few switches with rules of their own.
#include <QAction>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "skydata/Constellations.h"
#include "skydata/Settings.h"
#include "zu/main/Commands.h"
#include "zu/main/DisplaySwitches.h"
#include "zu/main/Form1.h"

namespace zu {
namespace {

using S = astro::SkySettings;

constexpr DisplaySwitch kSwitches[] = {
    {"mnuLiveSky", 0, &S::liveskycolor},
    {"mnuMoon", 0, &S::inmoonlight},
    {"mnuAtmoEff", 0, &S::AtmoEff},
    {"mnuAutoMag", 0, &S::StarAutoMag},
    {"mnuGround", 0, &S::showground},
    {"mnuHorizon", 0, &S::drawhorizon},
    {"mnuAlt", 0, &S::viewalt},
    {"mnuEqu", 0, &S::viewequ},
    {"mnuEcl", 0, &S::viewecl},
    {"mnuGalEqu", 0, &S::viewgalequ},
    {"mnuMilky", 0, &S::milkyway},
    {"mnuCenterMark", 0, &S::viewcmark},
    {"mnuCenterCross", 0, &S::CenterCross},
    {"mnuFindCircle", 0, &S::viewccircle},
    {"mnuStar", 0, &S::viewstar},
    {"mnuCircle", 0, &S::spotstar},
    {"mnuSpType", 0, &S::viewspt},
    {"mnuKSNumber", 0, &S::viewsn},
    {"mnuBayer", 0, &S::viewbayer},
    {"mnuFlam", 0, &S::viewflam},
    {"mnuStarName", 0, &S::viewstarname1},
    {"mnuStarName", 1, &S::viewstarname2},
    {"mnuNonstellar", 0, &S::drawnonstellar},
    {"mnuEarthShadow", 0, &S::viewshadow},
    {"mnuPlanet", 0, &S::viewplanet},
    {"mnuComet", 0, &S::drawcomet},
    {"mnuCometLimit", 0, &S::LimitCometDisp},
    {"mnuAsteroid", 0, &S::drawasteroid},
    {"mnuWConName", 0, &S::viewconstname},
    {"mnuWConLine", 0, &S::viewconstline},
    {"mnuBold", 0, &S::boldline},
    {"mnuCBound", 0, &S::viewcboundary},
    {"mnuName", 0, &S::viewconstnamee},
    {"mnuEConLine", 0, &S::viewconstlinee},
    {"mnuChunsangName", 0, &S::viewoldmapname},
    {"mnuChunsang", 0, &S::viewoldmap},
    {"mnuCpolar", 0, &S::cpolar},
    {"mnuSooger", 0, &S::ipsoodo},
    {"mnuViewPath", 0, &S::ViewPath},
    {"mnuCustom", 0, &S::drawcuscat0},
    {"mnuCustom", 1, &S::drawcuscat1},
};

constexpr DisplaySwitch kAtmosphereSwitches[] = {
    {"mnuAirEx", 0, &S::AirEx},
    {"mnuRefract", 0, &S::Refraction},
};

constexpr DisplayChoice kChoices[] = {
    {"mnuDSOName", 4, &S::DSONAME},
    {"mnuPlaName", 5, &S::PNameLang},
    {"mnuS2kLabel", 4, &S::S2kName},
};

constexpr int kOldEquZodiac = 1;
constexpr int kOldEquMansion = 2;

skydata::SettingsSnapshot& Settings() { return skydata::CurrentSettings(); }

void Apply(Form1& form) {
    form.FormSet();
    form.SetMapBox();
}

// The label texts of the three constellation systems in the language of
// `viewcname`.
void RebuildConstellationLabels() {
    skydata::ConstellationState& c = skydata::Constellations();
    const bool second_name = Settings().viewcname;
    for (skydata::ConstellationSystem* system : {&c.W, &c.E, &c.O}) {
        skydata::BuildConstLabels(system->Labels, system->Data, second_name);
    }
}

void SetLabelLanguage(Form1& form, bool second_name) {
    Settings().viewcname = second_name;
    RebuildConstellationLabels();
    Apply(form);
}

void StarNameLanguage(Form1& form, int index) {
    QAction* hangul = form.Menus->Action("mnuSN", 0);
    QAction* other = form.Menus->Action("mnuSN", 1);
    if (!hangul || !other) return;
    QAction* clicked = index == 0 ? hangul : other;
    clicked->setChecked(!clicked->isChecked());
    Settings().starnamelang = StarNameLanguageOf(hangul->isChecked(), other->isChecked());
    Apply(form);
}

}  // namespace

std::span<const DisplaySwitch> DisplaySwitches() { return kSwitches; }
std::span<const DisplayChoice> DisplayChoices() { return kChoices; }
std::span<const DisplaySwitch> AtmosphereSwitches() { return kAtmosphereSwitches; }

int NextOldEquStyle(int current, int chosen) { return current == chosen ? 0 : chosen; }

int StarNameLanguageOf(bool hangul_marked, bool other_marked) {
    if (!hangul_marked) return 2;
    return other_marked ? 0 : 1;
}

void InstallDisplayCommands(CommandTable& table) {
    // Several items of one control array share one handler, which picks the
    // row of the clicked index.
    std::map<std::string, std::vector<DisplaySwitch>> by_control;
    for (const DisplaySwitch& row : kSwitches) by_control[row.control].push_back(row);
    for (const auto& entry : by_control) {
        table.Add(entry.first, [rows = entry.second](Form1& form, int index) {
            for (const DisplaySwitch& row : rows) {
                if (row.index != index) continue;
                bool& value = Settings().*row.setting;
                value = !value;
                Apply(form);
                return;
            }
        });
    }

    // The atmosphere switches move their own mark and leave the others alone.
    for (const DisplaySwitch& row : kAtmosphereSwitches) {
        table.Add(row.control, [row](Form1& form, int /*index*/) {
            bool& value = Settings().*row.setting;
            value = !value;
            if (QAction* item = form.Menus->Action(row.control)) item->setChecked(value);
            form.SetMapBox();
        });
    }

    for (const DisplayChoice& row : kChoices) {
        table.Add(row.control, [row](Form1& form, int index) {
            if (index < 0 || index >= row.items) return;
            Settings().*row.setting = index;
            Apply(form);
        });
    }

    // Settings that hold 0 or 1: the chart tests them against 1, so a click
    // gives 1 only from 0 and 0 from anything else (a value from a
    // hand-edited file included); the mark and the chart then agree.
    for (const auto& entry :
         {std::pair{"mnuInConst", &S::viewconstar}, std::pair{"mnuUnderHor", &S::underhorizon}}) {
        table.Add(entry.first, [setting = entry.second](Form1& form, int) {
            int& value = Settings().*setting;
            value = value == 0 ? 1 : 0;
            Apply(form);
        });
    }
    table.Add("mnuOldEqu", [](Form1& form, int) {
        Settings().oldequ = NextOldEquStyle(Settings().oldequ, kOldEquZodiac);
        Apply(form);
    });
    table.Add("mnuIpsoo", [](Form1& form, int) {
        Settings().oldequ = NextOldEquStyle(Settings().oldequ, kOldEquMansion);
        Apply(form);
    });
    table.Add("mnuSN", StarNameLanguage);
    table.Add("mnuEConName", [](Form1& form, int) { SetLabelLanguage(form, false); });
    table.Add("mnuEConNameH", [](Form1& form, int) { SetLabelLanguage(form, true); });
    // The resize handler shows or hides the toolbars, lays the chart out
    // again and redraws it.
    table.Add("mnuToolBar", [](Form1& form, int) {
        Settings().ShowToolBar = !Settings().ShowToolBar;
        form.FormSet();
        form.Form_Resize();
    });
}

}  // namespace zu
