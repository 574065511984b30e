#include "calendar/IslamicDayText.h"

#include "almanac/IslamicCalendar.h"
#include "astro/JulianDay.h"

namespace calendar {
namespace {

constexpr int kRamadan = 9;
constexpr int kFormatWithMonthName = 1;

double CivilNoon(double jd) { return astro::RoundToHalf(jd) + 0.5; }

}  // namespace

std::string IslamicDateText(double jd_local) {
    return almanac::FormatIslamicDate(CivilNoon(jd_local), kFormatWithMonthName);
}

std::string RamadanDays(double jd_local) {
    const almanac::IslamicDate date = almanac::JDToIslamic(CivilNoon(jd_local));
    if (date.year == 0) return "";
    if (date.month == kRamadan && date.day == 1) return "라마단 시작";
    if (date.month == kRamadan && date.day == 30) return "라마단 종료";
    return std::to_string(date.month) + "월 " + std::to_string(date.day) + "일";
}

}  // namespace calendar
