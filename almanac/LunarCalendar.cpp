#include "almanac/LunarCalendar.h"

namespace almanac {

namespace {
PrincipalTermRows g_principal_terms{};
}  // namespace

PrincipalTermRows& PrincipalTermTable() { return g_principal_terms; }

void ResetLunarCalendarState() { g_principal_terms = PrincipalTermRows{}; }

void InitPrincipalTerms() {}

bool CalcPrincipalTerms(double, const ZoneRule&, bool, const CalendarServices&) { return false; }

std::optional<std::array<double, kPrincipalTermCount>> PrincipalTermDays(int, const ZoneRule&, bool,
                                                                         const CalendarServices&) {
    return std::nullopt;
}

std::optional<int> WindowYearOf(double, const ZoneRule&, bool, const CalendarServices&) { return std::nullopt; }

std::optional<WindowYearMonths> LunarMonthsOfWindowYear(int, const ZoneRule&, LunisolarRules,
                                                        const CalendarServices&) {
    return std::nullopt;
}

std::optional<LunarDate> SolarToLunar(double, const ZoneRule&, LunisolarRules, const CalendarServices&) {
    return std::nullopt;
}

std::optional<double> LunarToSolar(const LunarDate&, const ZoneRule&, LunisolarRules, const CalendarServices&) {
    return std::nullopt;
}

std::optional<double> LunarToSolarStrict(const LunarDate&, const ZoneRule&, LunisolarRules,
                                         const CalendarServices&) {
    return std::nullopt;
}

namespace zu {
std::string GetWolgeon(int, int, bool) { return ""; }
}  // namespace zu

}  // namespace almanac
