#include "vu/grid/CellText.h"

#include <cmath>

#include "astro/DateText.h"
#include "calendar/LunarYear.h"
#include "calendar/TideAndGanzhi.h"

namespace vu {
namespace {

// Each hanja is three bytes in UTF-8.
constexpr const char* kStems = "甲乙丙丁戊己庚辛壬癸";
constexpr const char* kBranches = "子丑寅卯辰巳午未申酉戌亥";
constexpr int kHanjaBytes = 3;

std::string Hanja(const char* list, int index) { return std::string(list + index * kHanjaBytes, kHanjaBytes); }

}  // namespace

std::string LunarDateText(double /*lunar_year*/, double month, double day, bool leap) {
    std::string text = TrimNum(month) + ". " + TrimNum(day);
    if (leap) text += "(윤)";
    return text;
}

std::string GetIljin(double jd) {
    int n = static_cast<int>(std::fmod(std::nearbyint(jd + 49), 60.0));
    if (n < 0) n += 60;
    return Hanja(kStems, n % 10) + Hanja(kBranches, n % 12);
}

std::string CellTideText(const calendar::LunarMonthTable& table, std::int16_t lunar_year, std::uint8_t month,
                         std::uint8_t day, bool leap, std::int16_t tidal) {
    return calendar::TideDayName(table, lunar_year, month, day, leap ? calendar::kTrue : 0, static_cast<std::uint8_t>(tidal - 1));
}

double DayDiff(double jd, double base_jd) {
    const double d = jd - base_jd;
    return d >= 0 ? d + 1 : d;
}

std::string TrimNum(double value) { return astro::PlainNumberText(value); }

}  // namespace vu
