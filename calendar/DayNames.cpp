#include "calendar/DayNames.h"

#include <cstdint>

#include "astro/TextFormat.h"
#include "calendar/CalendarState.h"
#include "calendar/IslamicDayText.h"
#include "calendar/SpecialDays.h"

namespace calendar {
namespace {

}  // namespace

std::string DayNamesText(const CalendarState& state, double jd, const DayNameSources& sources) {
    std::int16_t lunar_year = 0, leap = 0;
    std::uint8_t lunar_month = 0, lunar_day = 0;
    const bool has_lunar = GetLunarDate(state.lunar_months, jd, lunar_year, lunar_month, lunar_day, leap);
    const double zone = ZoneInForce(state, jd);

    std::string text;
    std::uint8_t kind = 0;  // merged by the lookups, not used here
    for (int set = 0; set < kSDaySets; ++set) {
        if (!sources[set]) continue;
        if (set == 0) {
            const std::string ramadan = RamadanDays(jd);
            if (ramadan.find("라") != std::string::npos) text = ramadan;
        }
        text = std::string(astro::TrimBlanks(DaySDayNames(text, jd, kind, state.SDays[set])));
        if (has_lunar) {
            double month_days = 30;
            LunarMonthDays(state.lunar_months, lunar_year, lunar_month, leap, month_days);
            text = SDayNamesOfDate(text, lunar_year, lunar_month, lunar_day, leap != 0, kind, state.SDays[set],
                                   static_cast<int>(month_days), true);
        }
    }
    if (sources[3]) text = AppendEventNames(text, jd, zone, state.EventJD, state.EventName);
    return text;
}

}  // namespace calendar
