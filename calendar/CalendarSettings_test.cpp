#include "calendar/CalendarSettings.h"

#include <gtest/gtest.h>

#include "calendar/CalendarState.h"
#include "calendar/TimeBase.h"

namespace calendar {
namespace {

TEST(CalendarSettings, DefaultsOfAMissingSettingsFile) {
    const CalendarSettings s;
    EXPECT_EQ(s.TZ, 9);
    EXPECT_EQ(s.LAT, 37.5);
    EXPECT_EQ(s.LON, 128);
    EXPECT_EQ(s.RSP, 4);
    EXPECT_EQ(s.DispGap, 10);
    EXPECT_EQ(s.Base, 2451545);
    EXPECT_EQ(s.dTValue, "63");
    EXPECT_EQ(s.FH, 0);
    EXPECT_EQ(s.S1, "3");
    EXPECT_EQ(s.S2, "15");
    EXPECT_EQ(s.S3, "9");
    EXPECT_EQ(s.S4, "15");
    EXPECT_EQ(s.HCol, 0xFFFF00);
    EXPECT_TRUE(s.RefKR && s.Auto && s.Today && s.Astro && s.SDay && s.AutoSize);
    EXPECT_FALSE(s.MeanSun || s.MeanMoon || s.Jinsak || s.DT || s.ShowRST || s.Islam);
}

TEST(CalendarSettings, FontSlotSizesFollowRiseSetSwitch) {
    const int plain[6] = {16, 25, 11, 11, 11, 11};
    const int with_rst[6] = {16, 20, 10, 10, 10, 10};
    const CalFontSlots a = DefaultCalFontSlots(false);
    const CalFontSlots b = DefaultCalFontSlots(true);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(a[i].name, "돋움");
        EXPECT_EQ(a[i].size, plain[i]) << i;
        EXPECT_EQ(b[i].size, with_rst[i]) << i;
        EXPECT_FALSE(a[i].bold || a[i].italic || a[i].underline || a[i].strikethrough);
        EXPECT_EQ(a[i].colour, 0);
    }
}

TEST(CalendarSettings, SummerZoneIncludesBothEnds) {
    CalendarSettings s;
    s.FH = 1;
    const SummerDays summer = SummerDaysOfYear(s, 2024);
    EXPECT_EQ(summer.start_jd, JulianDay(2024, 3, 15, 12, 0, 0));
    EXPECT_EQ(summer.end_jd, JulianDay(2024, 9, 15, 12, 0, 0));
    EXPECT_EQ(ZoneInForce(s, summer, summer.start_jd), 10);
    EXPECT_EQ(ZoneInForce(s, summer, summer.end_jd), 10);
    EXPECT_EQ(ZoneInForce(s, summer, summer.start_jd - 1), 9);
    EXPECT_EQ(ZoneInForce(s, summer, summer.end_jd + 1), 9);
}

TEST(CalendarSettings, StateResetsToAFreshStart) {
    CalendarState& state = Calendar();
    state.settings.TZ = 8;
    state.settings.FH = 1;
    state.CalYear = 2024;
    state.lunar_months.slot[0].StartJD = 2460000;
    UpdateSummerDays(state);
    EXPECT_EQ(ZoneInForce(state, JulianDay(2024, 3, 15, 12)), 9);
    EXPECT_EQ(ZoneInForce(state, JulianDay(2024, 3, 14, 12)), 8);
    ResetCalendarState();
    EXPECT_EQ(Calendar().settings.TZ, 9);
    EXPECT_EQ(Calendar().lunar_months.slot[0].StartJD, 0);
    EXPECT_EQ(Calendar().fonts[1].size, 25);
}

}  // namespace
}  // namespace calendar
