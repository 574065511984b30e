// Display switch commands through the menu items and toolbar buttons: each
// changes its setting, redraws once, and the marks follow the setting.
#include <QAction>
#include <QCoreApplication>
#include <QToolBar>

#include <map>
#include <memory>
#include <string>

#include "astro/JulianDay.h"
#include "zu/core/TestSupport.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/DisplaySwitches.h"
#include "zu/main/Form1.h"

namespace zu {
namespace {

class DisplayCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        S().CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        // Both user-catalogue items must be enabled to be chosen.
        S().usercatfile0is = true;
        S().usercatfile1is = true;
        form = std::make_unique<Form1>();
        form->resize(900, 650);
        form->show();
        QCoreApplication::processEvents();
    }
    skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    QAction* Menu(const std::string& name, int index = 0) { return form->Menus->Action(name, index); }
    std::int64_t Draws() const { return AppState().DrawCount; }

    test::ProgramEnv p;
    std::unique_ptr<Form1> form;
};

// The view-toolbar button of each switch that has one (numbered from 1 with
// separators counted).
const std::map<std::string, int> kViewButtonOf = {
    {"mnuAlt", 1},       {"mnuEqu", 2},         {"mnuEcl", 3},       {"mnuGalEqu", 4},    {"mnuMilky", 5},
    {"mnuNonstellar", 14}, {"mnuPlanet", 17},   {"mnuAsteroid", 18}, {"mnuComet", 19},    {"mnuWConLine", 21},
    {"mnuWConName", 22}, {"mnuCBound", 23},     {"mnuEConLine", 24}, {"mnuName", 25},     {"mnuChunsang", 26},
    {"mnuChunsangName", 27},
};

TEST_F(DisplayCommandsTest, EverySwitchFlipsRedrawsOnceAndMovesItsMarks) {
    // Every switch with a toolbar button is in the table.
    for (const auto& [control, number] : kViewButtonOf) {
        bool found = false;
        for (const DisplaySwitch& row : DisplaySwitches()) found = found || control == row.control;
        EXPECT_TRUE(found) << control;
    }
    for (const DisplaySwitch& row : DisplaySwitches()) {
        SCOPED_TRACE(std::string(row.control) + " " + std::to_string(row.index));
        QAction* item = Menu(row.control, row.index);
        ASSERT_NE(item, nullptr);
        const auto button = kViewButtonOf.find(row.control);
        for (int click = 0; click < 2; ++click) {
            const bool before = S().*row.setting;
            const std::int64_t draws = Draws();
            item->trigger();
            EXPECT_EQ(S().*row.setting, !before);
            EXPECT_EQ(Draws(), draws + 1);
            EXPECT_EQ(item->isChecked(), !before);
            if (button != kViewButtonOf.end()) {
                EXPECT_EQ(form->Bars->ViewItem(button->second)->isChecked(), !before);
            }
        }
    }
}

TEST_F(DisplayCommandsTest, ViewButtonsRunTheirSwitches) {
    const std::pair<int, bool astro::SkySettings::*> rows[] = {
        {1, &astro::SkySettings::viewalt}, {21, &astro::SkySettings::viewconstline},
        {26, &astro::SkySettings::viewoldmap}, {19, &astro::SkySettings::drawcomet}};
    for (const auto& [number, setting] : rows) {
        QAction* button = form->Bars->ViewItem(number);
        const bool before = S().*setting;
        button->trigger();
        EXPECT_EQ(S().*setting, !before) << number;
        EXPECT_EQ(button->isChecked(), !before) << number;
    }
}

TEST_F(DisplayCommandsTest, AtmosphereSwitchesSetOnlyTheirOwnMark) {
    for (const DisplaySwitch& row : AtmosphereSwitches()) {
        SCOPED_TRACE(row.control);
        // A mark FormSet would correct: it must stay as it is.
        S().viewalt = !Menu("mnuAlt")->isChecked();
        const bool before = S().*row.setting;
        const std::int64_t draws = Draws();
        Menu(row.control)->trigger();
        EXPECT_EQ(S().*row.setting, !before);
        EXPECT_EQ(Menu(row.control)->isChecked(), !before);
        EXPECT_EQ(Draws(), draws + 1);
        EXPECT_NE(Menu("mnuAlt")->isChecked(), S().viewalt) << "FormSet ran";
        S().viewalt = Menu("mnuAlt")->isChecked();
    }
}

TEST_F(DisplayCommandsTest, LabelChoicesTakeTheItemIndex) {
    for (const DisplayChoice& group : DisplayChoices()) {
        SCOPED_TRACE(group.control);
        for (int chosen = group.items - 1; chosen >= 0; --chosen) {
            const std::int64_t draws = Draws();
            Menu(group.control, chosen)->trigger();
            EXPECT_EQ(S().*group.setting, chosen);
            EXPECT_EQ(Draws(), draws + 1);
            for (int i = 0; i < group.items; ++i) EXPECT_EQ(Menu(group.control, i)->isChecked(), i == chosen);
        }
    }
}

TEST_F(DisplayCommandsTest, EquatorialStylesActAsAPairThatCanBeCleared) {
    struct Row {
        const char* name;
        int start;
        std::vector<const char*> clicks;
        int oldequ;
    };
    const Row rows[] = {
        {"12궁 twice", 0, {"mnuOldEqu", "mnuOldEqu"}, 0},
        {"12궁 then 입수도", 0, {"mnuOldEqu", "mnuIpsoo"}, 2},
        {"입수도 twice", 0, {"mnuIpsoo", "mnuIpsoo"}, 0},
        {"입수도 then 12궁", 0, {"mnuIpsoo", "mnuOldEqu"}, 1},
        {"12궁 from a hand-edited 3", 3, {"mnuOldEqu"}, 1},
    };
    for (const Row& row : rows) {
        S().oldequ = row.start;
        for (const char* click : row.clicks) Menu(click)->trigger();
        EXPECT_EQ(S().oldequ, row.oldequ) << row.name;
        EXPECT_EQ(Menu("mnuOldEqu")->isChecked(), row.oldequ == 1) << row.name;
        EXPECT_EQ(Menu("mnuIpsoo")->isChecked(), row.oldequ == 2) << row.name;
    }
}

TEST_F(DisplayCommandsTest, StarNameLanguageFollowsBothMarks) {
    S().starnamelang = 0;
    form->FormSet();
    Menu("mnuSN", 0)->trigger();  // Hangul off, other on
    EXPECT_EQ(S().starnamelang, 2);
    Menu("mnuSN", 1)->trigger();  // both off
    EXPECT_EQ(S().starnamelang, 2);
    EXPECT_FALSE(Menu("mnuSN", 0)->isChecked());
    EXPECT_TRUE(Menu("mnuSN", 1)->isChecked()) << "the other form is marked again";
    Menu("mnuSN", 0)->trigger();  // both on
    EXPECT_EQ(S().starnamelang, 0);
    Menu("mnuSN", 1)->trigger();  // Hangul only
    EXPECT_EQ(S().starnamelang, 1);
    EXPECT_TRUE(Menu("mnuSN", 0)->isChecked());
    EXPECT_FALSE(Menu("mnuSN", 1)->isChecked());
}

TEST_F(DisplayCommandsTest, ZeroOrOneSwitchesToggleBetweenZeroAndOne) {
    struct Row {
        const char* control;
        int astro::SkySettings::*setting;
        int start, next;
        bool checked;  // the item's mark afterwards
    };
    const Row rows[] = {
        // Checked while only the Korean constellations' stars are drawn (0).
        {"mnuInConst", &astro::SkySettings::viewconstar, 0, 1, false},
        {"mnuInConst", &astro::SkySettings::viewconstar, 1, 0, true},
        {"mnuInConst", &astro::SkySettings::viewconstar, 5, 0, true},
        {"mnuInConst", &astro::SkySettings::viewconstar, -1, 0, true},
        // The chart draws below the horizon for 1 only.
        {"mnuUnderHor", &astro::SkySettings::underhorizon, 0, 1, true},
        {"mnuUnderHor", &astro::SkySettings::underhorizon, 1, 0, false},
        {"mnuUnderHor", &astro::SkySettings::underhorizon, -1, 0, false},
    };
    for (const Row& row : rows) {
        S().*row.setting = row.start;
        const std::int64_t draws = Draws();
        Menu(row.control)->trigger();
        EXPECT_EQ(S().*row.setting, row.next) << row.control << " " << row.start;
        EXPECT_EQ(Menu(row.control)->isChecked(), row.checked) << row.control << " " << row.start;
        EXPECT_EQ(Draws(), draws + 1) << row.control;
    }
}

TEST_F(DisplayCommandsTest, LabelLanguageRebuildsTheLabelsOfAllThreeSystems) {
    skydata::ConstellationState& c = skydata::Constellations();
    const char* codes[] = {"AOri", "E001", "O001"};
    skydata::ConstellationSystem* systems[] = {&c.W, &c.E, &c.O};
    for (int i = 0; i < 3; ++i) {
        skydata::ConstDataRecord data;
        data.Code = codes[i];
        data.Name1 = "한글" + std::to_string(i);
        data.Name2 = "漢字" + std::to_string(i);
        data.Number = static_cast<std::uint8_t>(i + 1);
        systems[i]->Data = {data};
        skydata::ConstLabelRecord label;
        label.Code = codes[i];
        systems[i]->Labels = {label};
    }
    Menu("mnuEConNameH")->trigger();
    EXPECT_TRUE(S().viewcname);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(systems[i]->Labels[0].Text, "漢字" + std::to_string(i) + " " + std::to_string(i + 1));
    EXPECT_TRUE(Menu("mnuEConNameH")->isChecked());
    EXPECT_FALSE(Menu("mnuEConName")->isChecked());

    const std::int64_t draws = Draws();
    Menu("mnuEConName")->trigger();
    EXPECT_FALSE(S().viewcname);
    EXPECT_EQ(Draws(), draws + 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(systems[i]->Labels[0].Text, "한글" + std::to_string(i) + " " + std::to_string(i + 1));
    EXPECT_TRUE(Menu("mnuEConName")->isChecked());
}

TEST_F(DisplayCommandsTest, ToolbarSwitchRedrawsOnlyThroughTheLayout) {
    S().ShowToolBar = true;
    form->Form_Resize();
    const std::int64_t draws = Draws();
    Menu("mnuToolBar")->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(S().ShowToolBar);
    EXPECT_FALSE(Menu("mnuToolBar")->isChecked());
    EXPECT_FALSE(form->Bars->TbMain->isVisible());
    EXPECT_EQ(form->Picture1->pos(), QPoint(0, 0));
    EXPECT_EQ(Draws(), draws + 1);

    Menu("mnuToolBar")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(S().ShowToolBar);
    EXPECT_TRUE(form->Bars->TbMove->isVisible());
    EXPECT_GT(form->Picture1->y(), 0);
    EXPECT_EQ(Draws(), draws + 2);
}

TEST(DisplayRules, NextOldEquStyleAndStarNameLanguage) {
    EXPECT_EQ(NextOldEquStyle(1, 1), 0);
    EXPECT_EQ(NextOldEquStyle(2, 1), 1);
    EXPECT_EQ(NextOldEquStyle(1, 2), 2);
    EXPECT_EQ(StarNameLanguageOf(true, true), 0);
    EXPECT_EQ(StarNameLanguageOf(true, false), 1);
    EXPECT_EQ(StarNameLanguageOf(false, true), 2);
    EXPECT_EQ(StarNameLanguageOf(false, false), 2);
}

}  // namespace
}  // namespace zu
