#pragma once
// The display switch commands of the main window as data: each menu control
// (and item index) names the setting it changes. A command changes only the
// setting; FormSet derives the check marks and toolbar buttons from it and
// SetMapBox redraws. The commands are installed by InstallDisplayCommands.
#include <span>

#include "astro/SkySettings.h"

namespace zu {

// A plain on/off switch: the command turns the setting over.
struct DisplaySwitch {
    const char* control;
    int index;
    bool astro::SkySettings::*setting;
};

// A menu group of which the chosen item's index becomes the setting.
struct DisplayChoice {
    const char* control;
    int items;
    int astro::SkySettings::*setting;
};

std::span<const DisplaySwitch> DisplaySwitches();
std::span<const DisplayChoice> DisplayChoices();

// The switches that set their own check mark and redraw without FormSet.
std::span<const DisplaySwitch> AtmosphereSwitches();

// The next value of `oldequ` when the user chooses the style `chosen`
// (1 "12궁/거극도", 2 "입수도/거극도"): choosing the style in force again
// clears it, choosing the other replaces it.
int NextOldEquStyle(int current, int chosen);

// `starnamelang` read from the two marks of "한글 이름 표시" (first) and
// "한자 또는 영어 이름 표시" (second): 0 both, 1 Hangul only, 2 otherwise.
int StarNameLanguageOf(bool hangul_marked, bool other_marked);

}  // namespace zu
