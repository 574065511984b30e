#include "calendar/ComputedDays.h"

#include <array>
#include <cmath>

#include "almanac/LunarCalendar.h"
#include "astro/AngleMath.h"
#include "astro/JulianDay.h"
#include "calendar/CalendarState.h"
#include "calendar/SunMoonSolvers.h"
#include "calendar/VuCalendarServices.h"

namespace calendar {

namespace {

constexpr std::array<const char*, kComputedDayCount> kComputedDayNames = {
    "한식", "초복", "중복", "말복", "납향", "제석", "부활절", "성년의 날"};
constexpr int kNewYearsEve = 5;  // 제석, the only holiday of them
constexpr std::array<const char*, 24> kTermNames = {
    "소한", "대한", "입춘", "우수", "경칩", "춘분", "청명", "곡우", "입하", "소만", "망종", "하지",
    "소서", "대서", "입추", "처서", "백로", "추분", "한로", "상강", "입동", "소설", "대설", "동지"};

long FloorDiv(long a, long b) {
    long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}
long FloorMod(long a, long b) { return a - b * FloorDiv(a, b); }

double NoonOf(double year, double month, double day) { return JulianDay(year, month, day, 12, 0, 0); }

// The civil day (noon) of the moment the Sun reaches longitude lambda.
double TermDay(int year, double lambda, double offset, const SpecialDayContext& context) {
    return astro::RoundToHalf(SolarLongitudeTime(year, lambda, offset, context.zone_h, context.delta_t)) + 0.5;
}

// Sexagenary index of a noon Julian day, 0 = 갑자.
// A day the solvers could not find (not finite) counts as 갑자; the caller
// drops it.
long DayCycle(double jd) { return std::isfinite(jd) ? FloorMod(static_cast<long>(jd) + 49, 60) : 0; }

// The first 경 (stem 6) day on or after jd.
double FirstGyeongDay(double jd) {
    const long t = DayCycle(jd) % 10;
    return jd + (t <= 6 ? 6 - t : 16 - t);
}

bool IsEveryYear(std::int16_t year) { return year >= -14999 && year <= -10000; }

// The solar day of a lunar entry in the displayed year, from the prepared months.
bool LunarEntryDay(const SDayRecord& entry, int year, const SpecialDayContext& context, double& jd) {
    if (context.lunar_months == nullptr || entry.month < 1 || entry.month > 12 || entry.day < 1 || entry.day > 30)
        return false;
    const std::int16_t lunar_year = entry.year >= -9999 ? entry.year : static_cast<std::int16_t>(year);
    return LunarMonthJD(*context.lunar_months, lunar_year, static_cast<std::uint8_t>(entry.month),
                        static_cast<std::uint8_t>(entry.day), entry.leap ? kTrue : 0, jd);
}

}  // namespace

SpecialDayContext SpecialDayContextOfCalendar() {
    const CalendarState& state = Calendar();
    SpecialDayContext context;
    context.zone_h = state.settings.TZ;
    context.rules = EraRules{state.settings.MeanSun, state.settings.MeanMoon, state.settings.Jinsak};
    context.delta_t = DeltaTRuleOf(state.settings);
    context.lunar_months = &state.lunar_months;
    return context;
}

double EasterJD(int year) {
    const long y = year;
    long n = 0;
    if (y >= 1583) {
        const long a = FloorMod(y, 19), b = FloorDiv(y, 100), c = FloorMod(y, 100);
        const long d = FloorDiv(b, 4), e = FloorMod(b, 4), f = FloorDiv(b + 8, 25);
        const long g = FloorDiv(b - f + 1, 3);
        const long h = FloorMod(19 * a + b - d - g + 15, 30);
        const long i = FloorDiv(c, 4), k = FloorMod(c, 4);
        const long l = FloorMod(32 + 2 * e + 2 * i - h - k, 7);
        const long m = FloorDiv(a + 11 * h + 22 * l, 451);
        n = h + l - 7 * m + 114;
    } else {
        const long a = FloorMod(y, 4), b = FloorMod(y, 7), c = FloorMod(y, 19);
        const long d = FloorMod(19 * c + 15, 30);
        const long e = FloorMod(2 * a + 4 * b - d + 34, 7);
        n = d + e + 114;
    }
    return NoonOf(year, FloorDiv(n, 31), FloorMod(n, 31) + 1);
}

namespace {

double ComputedDayOrNaN(int k, int year, const SpecialDayContext& context) {
    switch (k) {
    case 0:
        return TermDay(year - 1, 270, 350, context) + 105;
    case 1:
    case 2:
        return FirstGyeongDay(TermDay(year, 90, 170, context)) + (k == 1 ? 20 : 30);
    case 3:
        return FirstGyeongDay(TermDay(year, 135, 215, context));
    case 4: {
        const double jd = TermDay(year - 1, 270, 350, context);
        const long t = DayCycle(jd) % 12;
        return jd + (t <= 7 ? 7 - t : 19 - t) + 24;
    }
    case 5: {
        const std::optional<double> new_year =
            almanac::LunarToSolar(almanac::LunarDate{year, 1, 1, false}, almanac::ZoneRule(context.zone_h),
                                  context.rules, CalendarServicesOfVu(context.delta_t));
        if (!new_year || !std::isfinite(*new_year)) return 0;
        return *new_year - 1;
    }
    case 6:
        return EasterJD(year);
    case 7: {
        const double jd = NoonOf(year, 5, 1);
        const long w = FloorMod(static_cast<long>(jd) + 1, 7);
        return jd + (w <= 1 ? 1 - w : 8 - w) + 14;
    }
    default:
        return 0;
    }
}

}  // namespace

double ComputedDayJD(int k, int year, const SpecialDayContext& context) {
    const double jd = ComputedDayOrNaN(k, year, context);
    return std::isfinite(jd) ? jd : 0;  // a day the solvers could not find is no day
}

int YearSpecialDays(int year, SDaySet& set, int set_index, const SpecialDayContext& context) {
    const double dec31 = NoonOf(year, 12, 31);
    const double jan1 = NoonOf(year, 1, 1);

    for (int i = 0; i < kSDayUserSlots; ++i) {
        SDayRecord& entry = set[static_cast<std::size_t>(i)];
        if (entry.lunar) {
            if (IsEveryYear(entry.year)) entry.jd = 1;  // found by lunar date, never by jd
        } else if (IsEveryYear(entry.year)) {
            entry.jd = NoonOf(year, entry.month, entry.day);
        } else if (entry.year > -15000) {
            entry.jd = NoonOf(entry.year, entry.month, entry.day);
        }
    }

    int next = kSDayUserSlots;
    if (set_index == 0) {
        for (int k = 0; k < kComputedDayCount; ++k) {
            SDayRecord& slot = set[static_cast<std::size_t>(kComputedDaySlot + k)];
            double jd = ComputedDayJD(k, year, context);
            if (jd != 0 && jd > dec31)
                jd = ComputedDayJD(k, year - 1, context);
            else if (jd != 0 && jd < jan1)
                jd = ComputedDayJD(k, year + 1, context);
            if (jd == 0) {
                // 제석 without a lunar new year: the slot stays unused this year.
                slot = SDayRecord{};
                continue;
            }
            slot.jd = jd;
            slot.name = kComputedDayNames[static_cast<std::size_t>(k)];
            slot.kind = k == kNewYearsEve ? kSDayHoliday : 0;
            slot.month = 0;
            slot.unresolved = false;
        }
        next = kTermSlotSet0;
    }

    for (int k = 0; k < 24; ++k) {
        SDayRecord& slot = set[static_cast<std::size_t>(next + k)];
        const double lambda = astro::Norm360(285.0 + 15.0 * k);
        const double offset = 15.0 * k + 5;
        double jd = TermDay(year, lambda, offset, context);
        if (jd > dec31)
            jd = TermDay(year - 1, lambda, offset, context);
        else if (jd < jan1)
            jd = TermDay(year + 1, lambda, offset, context);
        slot.jd = jd;
        slot.name = kTermNames[static_cast<std::size_t>(k)];
        slot.kind = 0;
        slot.month = 0;
        slot.unresolved = false;
    }
    const int last = next + 23;

    for (int i = 0; i <= last; ++i) {
        SDayRecord& entry = set[static_cast<std::size_t>(i)];
        if (entry.year != DDayYear) continue;
        entry.unresolved = true;
        const int r = entry.month;
        if (r < 0 || r >= kSDayUserSlots) continue;
        const SDayRecord& reference = set[static_cast<std::size_t>(r)];
        if (!reference.InUse()) continue;
        double from = reference.jd;
        if (reference.lunar && reference.year != DDayYear && !LunarEntryDay(reference, year, context, from)) continue;
        entry.jd = astro::RoundToHalf(from + entry.day) + 0.5;
        entry.unresolved = false;
    }
    return 0;
}

int YearSpecialDays(int year, int set_index) {
    if (set_index < 0 || set_index >= kSDaySets) return 0;
    return YearSpecialDays(year, Calendar().SDays[static_cast<std::size_t>(set_index)], set_index,
                           SpecialDayContextOfCalendar());
}

}  // namespace calendar
