#include "calendar/CalendarSettings.h"

#include "astro/TextFormat.h"
#include "calendar/TimeBase.h"

namespace calendar {

CalFontSlots DefaultCalFontSlots(bool show_rst) {
    CalFontSlots slots;
    slots[0].size = 16;
    slots[1].size = show_rst ? 20 : 25;
    for (std::size_t i = 2; i < slots.size(); ++i) slots[i].size = show_rst ? 10 : 11;
    return slots;
}

SummerDays SummerDaysOfYear(const CalendarSettings& s, double year) {
    using astro::ParseLeadingNumber;
    return {JulianDay(year, ParseLeadingNumber(s.S1), ParseLeadingNumber(s.S2), 12, 0, 0),
            JulianDay(year, ParseLeadingNumber(s.S3), ParseLeadingNumber(s.S4), 12, 0, 0)};
}

bool InSummerTime(const SummerDays& summer, double jd) {
    if (summer.start_jd <= summer.end_jd) return summer.start_jd <= jd && jd <= summer.end_jd;
    return jd >= summer.start_jd || jd <= summer.end_jd;
}

double ZoneInForce(const CalendarSettings& s, const SummerDays& summer, double jd) {
    return InSummerTime(summer, jd) ? s.TZ + s.FH : s.TZ;
}

}  // namespace calendar
