// The month grid on an image surface: the days of odd months, the weekday
// of the first day, the cell texts with their special-day lines (display
// modes, day counts, events) and what the cells look like.
#include "vu/grid/MonthGrid.h"

#include <gtest/gtest.h>

#include "calendar/CalendarState.h"
#include "calendar/SettingsFiles.h"
#include "calendar/DayNames.h"
#include "calendar/SpecialDays.h"
#include "calendar/TimeBase.h"
#include "platform/ImageSurface.h"
#include "vu/grid/CellText.h"
#include "vu/grid/YearCycle.h"
#include "vu/grid/VuTestSupport.h"

namespace vu {
namespace {

constexpr int kWidth = 700;   // cells of 100 pixels
constexpr int kHeight = 528;  // rows of 83 pixels under the 30-pixel header

struct Drawn {
    int days = 0;
    std::vector<std::string> labels;  // in date order
};

// Prepares the year and draws the month; today is 2024-03-15.
Drawn Draw(platform::ImageSurface& pic, calendar::CalendarState& state, int year, int month) {
    state.CalYear = static_cast<std::int16_t>(year);
    calendar::UpdateSummerDays(state);
    PrepareDisplayedYear(state, month);
    EXPECT_TRUE(DrawCalendar(pic, state, year, month, calendar::JulianDay(2024, 3, 15, 12), MonthGrid()));
    Drawn d;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            const std::string& text = MonthGrid().CellText[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
            if (MonthGrid().CellJD[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] == 0) {
                EXPECT_EQ(text, "");
                continue;
            }
            ++d.days;
            const std::size_t space = text.find(' ');
            d.labels.push_back(text.substr(space + 1, text.find("일/") - space - 1));
        }
    }
    return d;
}

class VuGrid : public ::testing::Test {
protected:
    test::VuEnv env_;
    calendar::CalendarState state_;
    platform::ImageSurface pic_{kWidth, kHeight};
};

TEST_F(VuGrid, DaysOfTheReformFebruaryAndFirstWeekday) {
    const Drawn october = Draw(pic_, state_, 1582, 10);
    EXPECT_EQ(october.days, 21);
    std::vector<std::string> expected = {"1", "2", "3", "4"};
    for (int d = 15; d <= 31; ++d) expected.push_back(std::to_string(d));
    EXPECT_EQ(october.labels, expected);
    EXPECT_EQ(Draw(pic_, state_, 1900, 2).days, 28);
    EXPECT_EQ(Draw(pic_, state_, 2000, 2).days, 29);
    Draw(pic_, state_, 2000, 1);
    EXPECT_EQ(MonthGrid().CellJD[6][0], 2451545);
    EXPECT_EQ(MonthGrid().Jan1JD, 2451545);
    EXPECT_EQ(MonthGrid().CellJD[0][0], 0);
    EXPECT_EQ(MonthGrid().CellJD[2][5], 0);
    EXPECT_FALSE(DrawCalendar(pic_, state_, 2000, 13, 0, MonthGrid()));
    EXPECT_FALSE(DrawCalendar(pic_, state_, 2000, 0, 0, MonthGrid()));
}

TEST(VuCellText, StemBranchLunarDateAndNumbers) {
    EXPECT_EQ(GetIljin(2451545), "戊午");
    EXPECT_EQ(GetIljin(2451545 + 6), "甲子");
    EXPECT_EQ(GetIljin(-10), GetIljin(50));
    EXPECT_EQ(LunarDateText(2023, 4, 2, true), "4. 2(윤)");
    EXPECT_EQ(LunarDateText(2024, 12, 30, false), "12. 30");
    EXPECT_EQ(DayDiff(100, 100), 1);
    EXPECT_EQ(DayDiff(99, 100), -1);
    EXPECT_EQ(DayDiff(199, 100), 100);
    EXPECT_EQ(TrimNum(2024), "2024");
    EXPECT_EQ(TrimNum(-3), "-3");
    EXPECT_EQ(TrimNum(5.5), "5.5");
}

TEST_F(VuGrid, CellTextWithAndWithoutEvents) {
    state_.settings.Astro = false;
    Draw(pic_, state_, 2024, 2);
    // 2024-02-10 is a Saturday of the second row.
    EXPECT_EQ(MonthGrid().CellJD[6][1], calendar::JulianDay(2024, 2, 10, 12));
    EXPECT_EQ(MonthGrid().CellText[6][1], "2월 10일//음력: 1. 1/甲辰");
    state_.settings.Astro = true;
    Draw(pic_, state_, 2024, 2);
    const std::string& cell = MonthGrid().CellText[6][1];
    EXPECT_NE(cell.find("그믐(08시)"), std::string::npos) << cell;
    // Tide names replace the day's stem-branch.
    state_.settings.Tidal = 1;
    Draw(pic_, state_, 2024, 2);
    EXPECT_EQ(MonthGrid().CellText[6][1].find("甲辰"), std::string::npos);
}

TEST_F(VuGrid, DayCountsFromTheBaseDayAndFromNewYear) {
    calendar::CalendarSettings& cs = state_.settings;
    cs.Astro = false;
    cs.SDay = false;
    cs.BaseJD = true;
    cs.Base = calendar::JulianDay(2024, 3, 1, 12);
    cs.DispGap = 10;
    const double jan1 = calendar::JulianDay(2024, 1, 1, 12);
    const auto line = [&](double jd) {
        std::uint8_t kind = 9;
        return MakeCellSDStr(state_, jd, 2024, 1, 1, false, 0, 9, jan1, kind);
    };
    struct Case {
        double offset;
        const char* text;
    };
    for (const Case& c : {Case{0, "D-day"}, Case{99, "D+100"}, Case{-10, "D-10"}, Case{9, "D+10"}, Case{5, ""},
                          Case{-1, ""}}) {
        EXPECT_EQ(line(cs.Base + c.offset), c.text) << c.offset;
    }
    cs.DispGap = 1;
    EXPECT_EQ(line(cs.Base), "D+1");
    cs.DispGap = 0;  // a damaged value counts as 1, never divides by zero
    EXPECT_EQ(line(cs.Base), "D+1");
    cs.BaseJD = false;
    cs.Jan1 = true;
    cs.DispGap = 10;
    EXPECT_EQ(line(jan1), "새해 첫날");
    EXPECT_EQ(line(jan1 + 9), "10일째");
    EXPECT_EQ(line(jan1 + 10), "");
    cs.BaseJD = true;
    cs.Base = jan1;
    EXPECT_EQ(line(jan1 + 9), "D+10, 10일째");
    // A base date far outside the calendar counts without overflow.
    cs.Jan1 = false;
    cs.Base = 1e300;
    EXPECT_EQ(line(jan1).rfind("D-", 0), 0u);
}

TEST_F(VuGrid, FiveDisplayModes) {
    const double day = calendar::JulianDay(2024, 5, 5, 12);
    const auto entry = [day](const char* name, std::uint8_t kind) {
        calendar::SDayRecord r;
        r.jd = day;
        r.year = 2024;
        r.month = 5;
        r.day = 5;
        r.name = name;
        r.kind = kind;
        return r;
    };
    state_.SDays[0][0] = entry("어린이날", calendar::kSDayHoliday);
    state_.SDays[1][0] = entry("기념일B", calendar::kSDayHighlight);
    state_.SDays[2][0] = entry("기념일C", 0);
    state_.settings.Astro = false;
    struct Case {
        int sdcat;
        int mode;
        const char* text;
        int kind;
    };
    const Case cases[] = {
        {1, 0, "기념일B", 2},          {1, 1, "어린이날, 기념일B", 3}, {1, 2, "기념일B", 3},
        {1, 3, "어린이날, 기념일B", 3}, {1, 4, "어린이날, 기념일B, 기념일C", 3}, {2, 2, "기념일C", 1},
        {2, 3, "어린이날, 기념일C", 1}, {0, 1, "어린이날", 1},          {1, 7, "", 0},
    };
    for (const Case& c : cases) {
        state_.settings.SDCAT = static_cast<std::uint8_t>(c.sdcat);
        std::uint8_t kind = 0;
        EXPECT_EQ(MakeCellSDStr(state_, day, 2024, 3, 27, false, c.mode, 9, 0, kind), c.text)
            << c.sdcat << "/" << c.mode;
        EXPECT_EQ(kind, c.kind) << c.sdcat << "/" << c.mode;
    }
    state_.settings.SDay = false;
    std::uint8_t kind = 0;
    EXPECT_EQ(MakeCellSDStr(state_, day, 2024, 3, 27, false, 4, 9, 0, kind), "");
}

TEST_F(VuGrid, ASolarTermIsNamedOnceInEveryDisplayMode) {
    state_.CalYear = 2024;
    PrepareDisplayedYear(state_, 12);
    state_.settings.Astro = false;
    const double daeseol = calendar::JulianDay(2024, 12, 7, 12);
    for (int sdcat = 0; sdcat < 3; ++sdcat) {
        for (int mode = 0; mode < 5; ++mode) {
            state_.settings.SDCAT = static_cast<std::uint8_t>(sdcat);
            std::uint8_t kind = 0;
            EXPECT_EQ(MakeCellSDStr(state_, daeseol, 2024, 11, 7, false, mode, 9, 0, kind), "대설")
                << sdcat << "/" << mode;
        }
    }
    // With a holiday of set 0 kept in mode 3, the term is not repeated either.
    calendar::SDayRecord holiday;
    holiday.year = calendar::EveryYear;
    holiday.month = 12;
    holiday.day = 7;
    holiday.name = "쉬는 날";
    holiday.kind = calendar::kSDayHoliday;
    holiday.jd = daeseol;
    state_.SDays[0][0] = holiday;
    state_.settings.SDCAT = 1;
    std::uint8_t kind = 0;
    EXPECT_EQ(MakeCellSDStr(state_, daeseol, 2024, 11, 7, false, 3, 9, 0, kind), "쉬는 날, 대설");
    EXPECT_EQ(MakeCellSDStr(state_, daeseol, 2024, 11, 7, false, 4, 9, 0, kind), "쉬는 날, 대설");
}

// The pixel colour of the surface as RGB components.
platform::Colour PixelAt(platform::ImageSurface& pic, int x, int y) { return pic.Point(x, y).value_or(1); }

TEST_F(VuGrid, RenderedHeaderTodayAndEmphasis) {
    calendar::SDayRecord emphasis;
    emphasis.year = calendar::EveryYear;
    emphasis.month = 3;
    emphasis.day = 20;
    emphasis.name = "강조한 날";
    emphasis.kind = calendar::kSDayHighlight;
    state_.SDays[0][0] = emphasis;
    state_.settings.HCol = static_cast<std::int32_t>(platform::Rgb(0, 255, 255));
    Draw(pic_, state_, 2024, 3);
    // Header "일": yellow back with red text.
    EXPECT_EQ(PixelAt(pic_, 3, 3), platform::Rgb(255, 255, 0));
    int red = 0;
    for (int y = 1; y < 29; ++y)
        for (int x = 1; x < 99; ++x) red += PixelAt(pic_, x, y) == kRed;
    EXPECT_GT(red, 10);
    // 15 March (Friday, row 3) on yellow; 20 March (Wednesday, row 4) has
    // its special band on HCol.
    const auto cell_corner = [](int column, int row) { return QPoint(100 * (column - 1) + 2, 83 * (row - 1) + 32); };
    const QPoint today = cell_corner(6, 3);
    EXPECT_EQ(PixelAt(pic_, today.x(), today.y()), kYellow);
    const QPoint marked = cell_corner(4, 4);
    EXPECT_EQ(PixelAt(pic_, marked.x(), marked.y()), kWhite);
    EXPECT_EQ(PixelAt(pic_, marked.x(), marked.y() + 81 / 2 + 2), platform::Rgb(0, 255, 255));
    state_.settings.Today = false;
    Draw(pic_, state_, 2024, 3);
    EXPECT_EQ(PixelAt(pic_, today.x(), today.y()), kWhite);
    // Grid lines and the background outside the month.
    EXPECT_EQ(PixelAt(pic_, 150, 30), kGridLine);
    EXPECT_EQ(PixelAt(pic_, 50, 60), kGridBack);
}

TEST_F(VuGrid, AutoSizeShrinksLongTextButNotBelowSix) {
    const std::string long_text = "아주 긴 기념일 이름, 또 다른 기념일 이름, 세 번째 기념일 이름";
    pic_.SetScaleMode(platform::Scale::Pixels);
    SetCellFont(pic_, state_, 2);
    FitCellText(pic_, true, 10, 40, 98, 20, long_text, 0, kWhite);
    EXPECT_GE(pic_.Font().size_pt, kSmallestCellFont);
    EXPECT_LT(pic_.Font().size_pt, 11);
    SetCellFont(pic_, state_, 2);
    FitCellText(pic_, true, 10, 40, 98, 20, "가", 0, kWhite);
    EXPECT_EQ(pic_.Font().size_pt, 11);
    SetCellFont(pic_, state_, 2);
    FitCellText(pic_, false, 10, 40, 98, 20, long_text, 0, kWhite);
    EXPECT_EQ(pic_.Font().size_pt, 11);
    // Absurdly long: still 6 at the least.
    SetCellFont(pic_, state_, 2);
    FitCellText(pic_, true, 10, 40, 20, 8, long_text + long_text + long_text, 0, kWhite);
    EXPECT_EQ(pic_.Font().size_pt, kSmallestCellFont);
}

// Red pixels in the cell of a day of the last drawing.
int RedPixelsOfDay(platform::ImageSurface& pic, double jd) {
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 6; ++r) {
            if (MonthGrid().CellJD[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] != jd) continue;
            int red = 0;
            for (int y = 83 * r + 32; y < 83 * (r + 1) + 28; ++y)
                for (int x = 100 * c + 2; x < 100 * (c + 1) - 2; ++x) red += PixelAt(pic, x, y) == kRed;
            return red;
        }
    ADD_FAILURE() << "day not drawn: " << jd;
    return 0;
}

TEST_F(VuGrid, TheShippedHolidaysAreRed) {
    ASSERT_EQ(calendar::ReadSettings(std::filesystem::path(ZU_SOURCE_DIR) / "data" / "CalConfig.cfg", state_),
              skydata::ConfigFileStatus::Loaded);
    state_.settings.Astro = false;
    const struct {
        int month, day;
        const char* name;  // "" for a plain weekday
    } days[] = {{2, 17, "설날"}, {2, 18, "설날"}, {2, 19, ""},           {5, 24, "부처님 오신 날"},
                {9, 25, "추석"}, {9, 28, ""},     {12, 25, "기독탄신일"}, {12, 24, ""}};
    for (const auto& d : days) {
        Draw(pic_, state_, 2026, d.month);
        const double jd = calendar::JulianDay(2026, d.month, d.day, 12);
        if (*d.name) {
            EXPECT_GT(RedPixelsOfDay(pic_, jd), 10) << d.month << "/" << d.day;
        } else {
            EXPECT_EQ(RedPixelsOfDay(pic_, jd), 0) << d.month << "/" << d.day;
        }
        for (int c = 0; c < 7; ++c)
            for (int r = 0; r < 6; ++r) {
                if (MonthGrid().CellJD[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] != jd) continue;
                const std::string& cell = MonthGrid().CellText[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
                if (*d.name) {
                    EXPECT_NE(cell.find(d.name), std::string::npos) << cell;
                }
            }
    }
}

// A lunar anniversary on the 30th is kept on the 29th of a month of 29 days
// (the custom for birthdays and memorial days); the day details say so.
TEST_F(VuGrid, LunarThirtiethFallsOnTheTwentyNinthOfAShortMonth) {
    state_.CalYear = 2024;
    PrepareDisplayedYear(state_, 6);
    int short_month = 0, long_month = 0;
    for (int m = 1; m <= 12; ++m) {
        double days = 0;
        if (!calendar::LunarMonthDays(state_.lunar_months, 2024, static_cast<std::uint8_t>(m), 0, days)) continue;
        (days == 29 ? short_month : long_month) = m;
    }
    ASSERT_NE(short_month, 0);
    ASSERT_NE(long_month, 0);
    for (const int m : {short_month, long_month}) {
        calendar::SDayRecord& r = state_.SDays[0][static_cast<std::size_t>(m)];
        r.lunar = true;
        r.month = static_cast<std::int16_t>(m);
        r.day = 30;
        r.name = "제사" + std::to_string(m);
    }
    struct Case {
        int month, day;
        bool named, marked;
    } cases[] = {
        {short_month, 29, true, true},
        {short_month, 28, false, false},
        {long_month, 30, true, false},
        {long_month, 29, false, false},
    };
    for (const Case& c : cases) {
        double jd = 0;
        ASSERT_TRUE(calendar::LunarMonthJD(state_.lunar_months, 2024, static_cast<std::uint8_t>(c.month),
                                 static_cast<std::uint8_t>(c.day), 0, jd));
        double y, mo, d, h, mi, sec;
        calendar::JDToCalendar(jd, y, mo, d, h, mi, sec);
        Draw(pic_, state_, static_cast<int>(y), static_cast<int>(mo));
        std::string cell;
        for (int col = 0; col < 7; ++col)
            for (int row = 0; row < 6; ++row)
                if (MonthGrid().CellJD[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)] == jd)
                    cell = MonthGrid().CellText[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
        const std::string name = "제사" + std::to_string(c.month);
        const std::string details = calendar::DayNamesText(state_, jd, calendar::kAllDayNameSources);
        EXPECT_EQ(cell.find(name) != std::string::npos, c.named) << c.month << "/" << c.day << " " << cell;
        EXPECT_EQ(details.find(name) != std::string::npos, c.named) << details;
        EXPECT_EQ(details.find(name + calendar::kMovedTo29Mark) != std::string::npos, c.marked) << details;
        EXPECT_EQ(cell.find(calendar::kMovedTo29Mark), std::string::npos);
    }
}

// A busy cell keeps 8 points: what does not fit is cut with "…", and the
// cell's tip keeps the whole text.
TEST_F(VuGrid, BusyCellIsCutNotShrunkBelowEight) {
    pic_.SetScaleMode(platform::Scale::Pixels);
    SetCellFont(pic_, state_, 2);
    pic_.SetFontSize(kSmallestCellFont);
    const std::string names = "아주 긴 기념일 이름, 또 다른 기념일 이름, 세 번째 기념일 이름";
    struct Case {
        std::string text;
        double width;
        bool whole;
    } cases[] = {{"가", 98, true}, {names, 98, false}, {names + names, 40, false}, {names, 1, false}};
    for (const Case& c : cases) {
        const std::string shown = ElideText(pic_, c.text, c.width);
        if (c.whole) {
            EXPECT_EQ(shown, c.text);
            continue;
        }
        EXPECT_EQ(shown.substr(shown.size() - 3), kEllipsis) << shown;
        EXPECT_EQ(c.text.rfind(shown.substr(0, shown.size() - 3), 0), 0u) << shown;
        if (shown != kEllipsis) {
            EXPECT_LE(pic_.TextWidth(shown), c.width) << shown;
        }
    }
    const std::string busy = names + ", " + names + ", " + names;
    calendar::SDayRecord day;
    day.year = calendar::EveryYear;
    day.month = 3;
    day.day = 20;
    day.name = busy;
    state_.SDays[0][0] = day;
    Draw(pic_, state_, 2024, 3);
    EXPECT_NE(MonthGrid().CellText[3][3].find(busy), std::string::npos);
}

}  // namespace
}  // namespace vu
