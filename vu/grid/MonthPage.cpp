#include "vu/grid/MonthPage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "astro/TextFormat.h"
#include "calendar/CalendarPhenomena.h"
#include "calendar/CalendarState.h"
#include "calendar/LunarYear.h"
#include "calendar/RiseSet.h"
#include "calendar/TimeBase.h"
#include "vu/grid/CellText.h"
#include "vu/grid/MonthGrid.h"

namespace vu {
namespace {

// Month lengths, two characters a month; February counts 29 here and the
// frame drops its last day in a common year.
constexpr const char* kMonthLengths = "312931303130313130313031";

}  // namespace

std::string TrimBlanks(const std::string& text) {
    return std::string(astro::TrimBlanks(text));
}

std::pair<std::string, std::string> SplitInTwoLines(const std::string& text) {
    const auto starts_character = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    const auto characters = static_cast<std::size_t>(std::count_if(text.begin(), text.end(), starts_character));
    std::size_t cut = 0, seen = 0;
    for (; cut < text.size(); ++cut) {
        if (starts_character(text[cut]) && seen++ == characters / 2) break;
    }
    return {TrimBlanks(text.substr(0, cut)), TrimBlanks(text.substr(cut))};
}

int WeekdayOf(double jd) {
    int w = static_cast<int>(std::fmod(std::nearbyint(jd + 1), 7.0));
    if (w < 0) w += 7;
    return w;
}

MonthFrame MonthFrameOf(int year, int month) {
    MonthFrame f;
    f.year = year;
    f.month = std::clamp(month, 1, 12);
    f.jan1_jd = calendar::JulianDay(year, 1, 1, 12);
    const int n = std::atoi(std::string(kMonthLengths + 2 * (f.month - 1), 2).c_str());
    f.first_jd = calendar::JulianDay(year, f.month, 1, 12);
    f.last_jd = f.first_jd + n - 1;
    if (!calendar::SameMinute(f.last_jd, year, f.month, n, 12, 0, 0)) f.last_jd -= 1;
    f.first_weekday = WeekdayOf(f.first_jd);
    if (f.first_jd < kGregorianStartJD && f.last_jd > kGregorianStartJD) {
        f.gap = 10;
        f.last_jd -= 9;
    }
    return f;
}

void ListMonthPhenomena(calendar::CalendarState& state, const MonthFrame& frame) {
    calendar::ListPlanetPhenomena(frame.first_jd - 30, frame.last_jd + 30, state.settings.TZ, calendar::DeltaTRuleOf(state.settings),
                        state.EventJD, state.EventName);
}

int DayOfMonth(const MonthFrame& frame, double jd) {
    const double day = jd - frame.first_jd + 1 + (jd >= kGregorianStartJD ? frame.gap : 0);
    return static_cast<int>(std::nearbyint(day));
}

DayLines MonthDayLines(const calendar::CalendarState& state, const MonthFrame& frame, double jd) {
    const calendar::CalendarSettings& cs = state.settings;
    DayLines d;
    std::int16_t lunar_year = 0, leap_flag = 0;
    std::uint8_t lunar_month = 0, lunar_day = 0;
    const bool has_lunar = calendar::GetLunarDate(state.lunar_months, jd, lunar_year, lunar_month, lunar_day, leap_flag);
    const bool leap = leap_flag != 0;
    std::string lunar = has_lunar ? LunarDateText(lunar_year, lunar_month, lunar_day, leap) : "";
    lunar += "/";
    lunar += cs.Tidal != 0 && has_lunar
                 ? CellTideText(state.lunar_months, lunar_year, lunar_month, lunar_day, leap, cs.Tidal)
                 : GetIljin(jd);
    const double zone = calendar::ZoneInForce(state, jd);
    const std::string special =
        MakeCellSDStr(state, jd, lunar_year, lunar_month, lunar_day, leap, cs.DispType, zone, frame.jan1_jd, d.kind);
    std::string sun, moon;
    if (cs.ShowRST) {
        const calendar::DeltaTRule rule = calendar::DeltaTRuleOf(cs);
        sun = calendar::RiseSetDay(cs.LON, cs.LAT, jd, zone, calendar::kRiseSetKindSun, calendar::kRiseSetSun, cs.RSP, cs.CalcOBSHT, cs.ObsHT, rule);
        moon = calendar::RiseSetDay(cs.LON, cs.LAT, jd, zone, calendar::kRiseSetKindMoon, calendar::kRiseSetMoon, cs.RSP, cs.CalcOBSHT, cs.ObsHT,
                          rule);
    }
    d.lines = {std::to_string(DayOfMonth(frame, jd)), TrimBlanks(special), TrimBlanks(lunar), TrimBlanks(sun),
               TrimBlanks(moon)};
    d.special = special;
    d.lunar = lunar;
    return d;
}

int DayColourClass(int column, std::uint8_t kind) {
    int c = column == 1 ? 1 : column == 7 ? 2 : 0;
    if (kind == 1 || kind == 3) c = 1;
    return c;
}

std::string EraYearText(int year, int digits) {
    std::string number = std::to_string(year > 0 ? year : std::abs(year) + 1);
    if (static_cast<int>(number.size()) < digits) number.insert(0, static_cast<std::size_t>(digits) - number.size(), '0');
    return (year > 0 ? "AD" : "BC") + number;
}

}  // namespace vu
