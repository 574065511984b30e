#include "calendar/LunarYear.h"

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "astro/JulianDay.h"
#include "calendar/TimeBase.h"

namespace calendar {
namespace {

constexpr std::uint8_t kUnnumbered = 100;
constexpr int kMaxNewMoonSteps = 40;
constexpr int kWorkMonths = 76;

double CivilNoon(double jd) { return astro::RoundToHalf(jd) + 0.5; }

bool MatchesMonth(const LunarMonthRecord& r, std::int16_t year, std::uint8_t month, std::int16_t leap) {
    return r.StartJD != 0 && r.Year == year && r.Month == month &&
           r.Regular == static_cast<std::int16_t>(~leap);
}

// Month starts from about 96 days before 1 January through the first start
// after J1 + 427; empty when the search fails.
std::vector<double> MonthStarts(double j1, double first_term_day, const almanac::ZoneRule& zone,
                                const EraRules& rules, const almanac::CalendarServices& services) {
    std::vector<double> starts;
    for (int k = 0; k < kMaxNewMoonSteps; ++k) {
        const double t = j1 - 96 + 28.0 * k;
        double s;
        if (rules.MeanMoon) {
            s = CivilNoon(zone.ToLocal(services.ApproxLunarPhaseTime(t, 0)));
        } else {
            // The new moon in UT, then local by the zone in force at that
            // moment (the Korean rule changes its hours at a moment).
            const std::optional<double> ut = services.LunarPhaseTime(t, 0, 0);
            if (!ut) return {};
            const std::optional<double> n = zone.ToLocal(*ut);
            const double midnight = astro::RoundToHalf(*n);
            s = (rules.Jinsak && *n - midnight >= 0.75) ? midnight + 1.5 : midnight + 0.5;
        }
        if (!std::isfinite(s)) return {};
        if (s >= first_term_day && (starts.empty() || s > starts.back())) {
            if (starts.size() == kLunarMonthSlots) return {};
            starts.push_back(s);
        }
        if (s > j1 + 427) return starts;
    }
    return {};
}

}  // namespace

EraRules SetEraRules(std::int16_t year) {
    if (year <= 618) return {true, true, false};
    if (year <= 664) return {true, false, false};
    if (year <= 1280) return {true, false, true};
    if (year <= 1644) return {true, false, false};
    return {false, false, false};
}

void ClearLunarMonthTable(LunarMonthTable& table) { table.slot.fill(LunarMonthRecord{}); }

void SwapMonthRecords(LunarMonthRecord& a, LunarMonthRecord& b) { std::swap(a, b); }

bool CalcYearMonths(double jd, const almanac::ZoneRule& zone, const EraRules& rules,
                    const almanac::CalendarServices& services, LunarMonthTable& table) {
    const double Y = YearOfJD(CivilNoon(jd));
    const double j1 = JulianDay(Y, 1, 1, 12, 0, 0);
    const std::optional<std::array<double, 16>> pt =
        almanac::PrincipalTermDays(static_cast<int>(Y), zone, rules.MeanSun, services);
    if (!pt) {
        ClearLunarMonthTable(table);
        return false;
    }
    const std::vector<double> starts = MonthStarts(j1, (*pt)[0], zone, rules, services);
    if (starts.size() < 2) {
        ClearLunarMonthTable(table);
        return false;
    }
    const int n = static_cast<int>(starts.size());
    const auto year_before = static_cast<std::int16_t>(Y - 1);
    const auto year = static_cast<std::int16_t>(Y);

    std::array<LunarMonthRecord, kLunarMonthSlots> w{};
    for (int i = 0; i < n; ++i) {
        w[i].StartJD = starts[i];
        w[i].Month = kUnnumbered;
    }
    for (int i = n; i < kLunarMonthSlots; ++i) w[i].Month = kUnnumbered;

    almanac::InitPrincipalTerms();
    const almanac::PrincipalTermRows& rows = almanac::PrincipalTermTable();
    // A month holding two principal terms keeps the first one's number,
    // unless either is the 11th: the month of the winter solstice is month 11.
    for (int j = 0; j < kLunarMonthSlots - 1; ++j) {
        w[j].Regular = 0;
        for (int r = 0; r < 16; ++r) {
            if (w[j].StartJD <= (*pt)[r] && (*pt)[r] < w[j + 1].StartJD) {
                w[j].Regular = kTrue;
                if (w[j].Month == kUnnumbered)
                    w[j].Month = rows[r].Month;
                else if (w[j].Month == 11 || rows[r].Month == 11)
                    w[j].Month = 11;
            }
        }
    }

    const double ws1 = (*pt)[almanac::kWinterSolsticeOpeningRow];
    const double ws2 = (*pt)[almanac::kWinterSolsticeClosingRow];
    int h = 0, a = 0, b = 0;
    for (int j = 0; j <= n - 2; ++j) {
        if (ws1 < w[j].StartJD && w[j].StartJD <= ws2) ++h;
        if (w[j].StartJD <= ws1 && ws1 < w[j + 1].StartJD) a = j;
        if (w[j].StartJD <= ws2 && ws2 < w[j + 1].StartJD) b = j;
    }
    if (a + 2 >= kLunarMonthSlots || b < a) {
        ClearLunarMonthTable(table);
        return false;
    }

    int kind = 4;
    if (h != 12) {
        const bool r1 = w[a + 1].Regular != 0;
        const bool r2 = w[a + 2].Regular != 0;
        kind = (r1 && r2) ? 1 : (!r1 && r2) ? 2 : (r1 && !r2) ? 3 : 0;
    }
    auto set = [](LunarMonthRecord& r, std::uint8_t month, std::int16_t y) {
        r.Month = month;
        r.Year = y;
    };
    switch (kind) {
        case 1:
        case 4:
            set(w[a + 1], 12, year_before);
            w[a + 1].Regular = kTrue;
            set(w[a + 2], 1, year);
            w[a + 2].Regular = kTrue;
            break;
        case 2:
            set(w[a + 1], 11, year_before);
            w[a + 1].Regular = 0;
            set(w[a + 2], 12, year_before);
            break;
        case 3:
            set(w[a + 1], 12, year_before);
            set(w[a + 2], 12, year_before);
            w[a + 2].Regular = 0;
            break;
        default:
            // Never met with real new moons and terms: keep the terms' numbers.
            w[a + 1].Year = year;
            w[a + 2].Year = year;
            break;
    }
    set(w[a], 11, year_before);

    int m = kind == 4 ? 1 : 0;
    bool leap_taken = false;
    for (int k = a + 3; k <= b; ++k) {
        w[k].Year = year;
        if (kind == 1) {
            if (w[k].Regular != 0 || leap_taken) {
                w[k].Regular = kTrue;
                ++m;
                w[k].Month = static_cast<std::uint8_t>(m + 1);
            } else {
                w[k].Month = static_cast<std::uint8_t>(m + 1);
                leap_taken = true;
            }
        } else {
            w[k].Month = static_cast<std::uint8_t>(m + 1);
            ++m;
            w[k].Regular = kTrue;
        }
    }

    for (int j = 0; j < kLunarMonthSlots - 1; ++j) {
        const double gap = std::fabs(w[j + 1].StartJD - w[j].StartJD);
        if (gap < 31) w[j].Days = static_cast<std::int16_t>(std::lround(w[j + 1].StartJD - w[j].StartJD));
    }

    for (int k = a, s = 0; k <= b && s < kLunarMonthSlots; ++k, ++s) table.slot[s] = w[k];
    return true;
}

void PrepareLunarYear(double jd, const almanac::ZoneRule& zone, const EraRules& rules,
                      const almanac::CalendarServices& services, LunarMonthTable& table) {
    const double y0 = YearOfJD(jd) - 1;
    std::array<LunarMonthRecord, kWorkMonths> work{};
    for (int y = 0; y < 3; ++y) {
        ClearLunarMonthTable(table);
        CalcYearMonths(JulianDay(y0 + y, 1, 1, 12, 0, 0), zone, rules, services, table);
        for (int s = 0; s < kLunarMonthSlots; ++s) work[25 * y + s] = table.slot[s];
    }
    for (int i = 0; i < kWorkMonths - 1; ++i) {
        int smallest = i;
        for (int j = i + 1; j < kWorkMonths; ++j)
            if (work[j].StartJD < work[smallest].StartJD) smallest = j;
        SwapMonthRecords(work[smallest], work[i]);
    }
    ClearLunarMonthTable(table);
    const auto year = static_cast<std::int16_t>(y0 + 1);
    int next = 0;
    for (int g = 0; g < kWorkMonths - 1 && next < kLunarMonthSlots; ++g) {
        const LunarMonthRecord& r = work[g];
        if (r.StartJD == work[g + 1].StartJD) continue;
        const bool wanted = (r.Year == year - 1 && r.Month >= 7 && r.Month <= 12) ||
                            (r.Year == year && r.Month >= 1 && r.Month <= 12) ||
                            (r.Year == year + 1 && r.Month >= 1 && r.Month <= 3);
        if (wanted) table.slot[next++] = r;
    }
}

bool GetLunarDate(const LunarMonthTable& table, double jd, std::int16_t& year, std::uint8_t& month,
                  std::uint8_t& day, std::int16_t& leap) {
    const double c = CivilNoon(jd);
    for (int i = 0; i < kLunarMonthSlots - 1 && table.slot[i].StartJD <= c; ++i) {
        const LunarMonthRecord& r = table.slot[i];
        if (r.StartJD <= c && c < table.slot[i + 1].StartJD) {
            year = r.Year;
            month = r.Month;
            day = static_cast<std::uint8_t>(c - r.StartJD + 1);
            leap = r.Regular != 0 ? 0 : kTrue;
            return true;
        }
    }
    return false;
}

bool LunarMonthJD(const LunarMonthTable& table, std::int16_t year, std::uint8_t month, std::uint8_t day,
                  std::int16_t leap, double& jd) {
    for (int i = 0; i < kLunarMonthSlots - 1; ++i) {
        if (MatchesMonth(table.slot[i], year, month, leap)) {
            jd = day + table.slot[i].StartJD - 1;
            return true;
        }
    }
    jd = 0;
    return false;
}

bool LunarMonthDays(const LunarMonthTable& table, std::int16_t year, std::uint8_t month, std::int16_t leap,
                    double& days) {
    for (int i = 0; i < kLunarMonthSlots - 1; ++i) {
        if (MatchesMonth(table.slot[i], year, month, leap)) {
            days = table.slot[i].Days;
            return true;
        }
    }
    return false;
}

bool IsThirtyDayMonth(const LunarMonthTable& table, std::int16_t year, std::uint8_t month, std::int16_t leap) {
    for (const LunarMonthRecord& r : table.slot)
        if (MatchesMonth(r, year, month, leap)) return r.Days == 30;
    return false;
}

}  // namespace calendar
