#include "almanac/LunarCalendar.h"

#include <cmath>
#include <map>
#include <utility>

#include "astro/JulianDay.h"

namespace almanac {

namespace {

struct TermRow {
    const char* name;
    std::uint8_t month;
    double first_guess;
    double longitude;
};

constexpr std::array<TermRow, kPrincipalTermCount> kTermRows = {{
    {"소설", 10, -43, 240}, {"동지", 11, -13, 270}, {"대한", 12, 20, 300},  {"우수", 1, 50, 330},
    {"춘분", 2, 80, 0},     {"곡우", 3, 110, 30},   {"소만", 4, 140, 60},   {"하지", 5, 170, 90},
    {"대서", 6, 200, 120},  {"처서", 7, 230, 150},  {"추분", 8, 260, 180},  {"상강", 9, 290, 210},
    {"소설", 10, 320, 240}, {"동지", 11, 350, 270}, {"대한", 12, 385, 300}, {"우수", 1, 415, 330},
}};

constexpr double kWinterSolsticeDeg = 270.0;
// First guesses (days from 0 January) of the winter solstices that bound the
// window year: the one of the year before and the one of the year itself.
constexpr double kSolsticeBeforeGuess = -13.0;
constexpr double kSolsticeOfYearGuess = 355.0;
// New moons are sought from 96 days before 1 January of the window year in
// steps of 28 days (never skipping one) until one lies past 427 days after it.
constexpr double kNewMoonScanStart = 96.0;
constexpr double kNewMoonScanStep = 28.0;
constexpr double kNewMoonScanEnd = 427.0;
constexpr int kNewMoonScanMaxSteps = 40;
// With Jinsak a true new moon at 18:00 local time or later starts its month
// the next day: 0.75 day past the civil midnight.
constexpr double kJinsakFractionOfDay = 0.75;
constexpr int kUnnumbered = 100;
// Conversions far outside any calendar's use give no value (and keep the
// year within an int).
constexpr double kMaxYear = 1.0e6;

PrincipalTermRows g_principal_terms{};

double DayNumber(double jd_local) { return astro::RoundToHalf(jd_local) + 0.5; }

// The local moment of a solar longitude, from the mean or the true Sun.
std::optional<double> TermMoment(int year, double longitude, double first_guess, const ZoneRule& zone,
                                 bool mean_sun, const CalendarServices& services) {
    std::optional<double> ut;
    if (mean_sun)
        ut = services.ApproxSolarLongitudeTime(year, longitude, first_guess, 0.0);
    else
        ut = services.SolarLongitudeTime(year, longitude, first_guess, 0.0);
    if (!ut || !std::isfinite(*ut)) return std::nullopt;
    return zone.ToLocal(*ut);
}

// The day number of the month starting at the new moon nearest the guess.
std::optional<double> MonthStart(double guess, const ZoneRule& zone, LunisolarRules rules,
                                 const CalendarServices& services) {
    if (rules.MeanMoon) {
        const double ut = services.ApproxLunarPhaseTime(guess, 0.0);
        if (!std::isfinite(ut)) return std::nullopt;
        return DayNumber(zone.ToLocal(ut));
    }
    const std::optional<double> ut = services.LunarPhaseTime(guess, 0.0, 0.0);
    if (!ut || !std::isfinite(*ut)) return std::nullopt;
    const double local = zone.ToLocal(*ut);
    const double midnight = astro::RoundToHalf(local);
    if (rules.Jinsak && local - midnight >= kJinsakFractionOfDay) return midnight + 1.5;
    return midnight + 0.5;
}

using TermDays = std::array<double, kPrincipalTermCount>;

std::optional<WindowYearMonths> MonthsFromTerms(int window_year, const TermDays& terms, const ZoneRule& zone,
                                                LunisolarRules rules, const CalendarServices& services);

struct Slot {
    double start = 0;
    bool has_term = false;  // after numbering: not a leap month
    int month = kUnnumbered;
    int year = 0;
};

// Lunar conversions of one search: remembers the solstice moments and the
// months of every window year it has computed, so the probes of one
// LunarToSolar compute each window year once.
class LunarConverter {
public:
    LunarConverter(const ZoneRule& zone, LunisolarRules rules, const CalendarServices& services)
        : zone_(zone), rules_(rules), services_(services) {}

    std::optional<int> WindowYear(double day_number) {
        const double calendar_year = std::floor(services_.JDToYear(day_number));
        if (!(std::fabs(calendar_year) <= kMaxYear)) return std::nullopt;
        int year = static_cast<int>(calendar_year);
        const std::optional<double> before = Solstice(year, kSolsticeBeforeGuess);
        if (!before) return std::nullopt;
        if (*before > day_number) --year;
        const std::optional<double> closing = Solstice(year, kSolsticeOfYearGuess);
        if (!closing) return std::nullopt;
        if (*closing < day_number) ++year;
        return year;
    }

    const std::optional<TermDays>& Terms(int window_year) {
        auto found = terms_.find(window_year);
        if (found == terms_.end())
            found = terms_.emplace(window_year, PrincipalTermDays(window_year, zone_, rules_.MeanSun, services_)).first;
        return found->second;
    }

    const std::optional<WindowYearMonths>& Months(int window_year) {
        auto found = months_.find(window_year);
        if (found == months_.end()) {
            const std::optional<TermDays>& terms = Terms(window_year);
            found = months_
                        .emplace(window_year, terms ? MonthsFromTerms(window_year, *terms, zone_, rules_, services_)
                                                    : std::nullopt)
                        .first;
        }
        return found->second;
    }

    std::optional<LunarDate> ToLunar(double jd_local) {
        const double day = DayNumber(jd_local);
        const std::optional<int> year = WindowYear(day);
        if (!year) return std::nullopt;
        last_window_year_ = *year;
        const std::optional<WindowYearMonths>& window = Months(*year);
        if (!window) return std::nullopt;
        const std::vector<LunarMonth>& months = window->months;
        for (std::size_t i = 0; i < months.size(); ++i) {
            const double next = i + 1 < months.size() ? months[i + 1].first_day : window->end_day;
            if (months[i].first_day <= day && day < next) {
                const LunarMonth& m = months[i];
                return LunarDate{m.year, m.month, static_cast<int>(day - m.first_day + 1.0), m.leap};
            }
        }
        return std::nullopt;
    }

    // Writes the principal terms of the last converted window year into the
    // module table, as a conversion leaves it.
    void PublishTerms() {
        if (!last_window_year_) return;
        const std::optional<TermDays>& terms = Terms(*last_window_year_);
        if (!terms) return;
        InitPrincipalTerms();
        for (std::size_t i = 0; i < terms->size(); ++i) PrincipalTermTable()[i].Day = (*terms)[i];
    }

private:
    std::optional<double> Solstice(int year, double guess) {
        const auto key = std::make_pair(year, guess);
        auto found = solstices_.find(key);
        if (found == solstices_.end())
            found =
                solstices_.emplace(key, TermMoment(year, kWinterSolsticeDeg, guess, zone_, rules_.MeanSun, services_))
                    .first;
        return found->second;
    }

    ZoneRule zone_;
    LunisolarRules rules_;
    const CalendarServices& services_;
    std::map<std::pair<int, double>, std::optional<double>> solstices_;
    std::map<int, std::optional<TermDays>> terms_;
    std::map<int, std::optional<WindowYearMonths>> months_;
    std::optional<int> last_window_year_;
};

}  // namespace

PrincipalTermRows& PrincipalTermTable() { return g_principal_terms; }

void ResetLunarCalendarState() { g_principal_terms = PrincipalTermRows{}; }

void InitPrincipalTerms() {
    for (std::size_t i = 0; i < kTermRows.size(); ++i) {
        PrincipalTerm& row = g_principal_terms[i];
        row.Name = kTermRows[i].name;
        row.Month = kTermRows[i].month;
        row.FirstGuess = kTermRows[i].first_guess;
        row.Longitude = kTermRows[i].longitude;
    }
}

std::optional<std::array<double, kPrincipalTermCount>> PrincipalTermDays(int window_year, const ZoneRule& zone,
                                                                         bool mean_sun,
                                                                         const CalendarServices& services) {
    std::array<double, kPrincipalTermCount> days{};
    for (std::size_t i = 0; i < kTermRows.size(); ++i) {
        const std::optional<double> t =
            TermMoment(window_year, kTermRows[i].longitude, kTermRows[i].first_guess, zone, mean_sun, services);
        if (!t) return std::nullopt;
        days[i] = DayNumber(*t);
    }
    return days;
}

bool CalcPrincipalTerms(double jd, const ZoneRule& zone, bool mean_sun, const CalendarServices& services) {
    const double year = std::floor(services.JDToYear(jd));
    if (!(std::fabs(year) <= kMaxYear)) return false;
    const std::optional<std::array<double, kPrincipalTermCount>> days =
        PrincipalTermDays(static_cast<int>(year), zone, mean_sun, services);
    if (!days) return false;
    for (std::size_t i = 0; i < days->size(); ++i) g_principal_terms[i].Day = (*days)[i];
    return true;
}

std::optional<int> WindowYearOf(double day_number, const ZoneRule& zone, bool mean_sun,
                                const CalendarServices& services) {
    LunisolarRules rules;
    rules.MeanSun = mean_sun;
    return LunarConverter(zone, rules, services).WindowYear(day_number);
}

std::optional<WindowYearMonths> LunarMonthsOfWindowYear(int window_year, const ZoneRule& zone,
                                                        LunisolarRules rules, const CalendarServices& services) {
    const std::optional<TermDays> terms = PrincipalTermDays(window_year, zone, rules.MeanSun, services);
    if (!terms) return std::nullopt;
    return MonthsFromTerms(window_year, *terms, zone, rules, services);
}

namespace {

std::optional<WindowYearMonths> MonthsFromTerms(int window_year, const TermDays& terms, const ZoneRule& zone,
                                                LunisolarRules rules, const CalendarServices& services) {
    const double ws1 = terms[kWinterSolsticeOpeningRow];
    const double ws2 = terms[kWinterSolsticeClosingRow];

    // The first days of the months, ascending, from the month of the 소설 of
    // the year before.
    const double j1 = services.DateToJD(window_year, 1, 1, 12, 0, 0);
    std::vector<Slot> slots;
    for (int k = 0;; ++k) {
        if (k >= kNewMoonScanMaxSteps) return std::nullopt;
        const std::optional<double> start =
            MonthStart(j1 - kNewMoonScanStart + kNewMoonScanStep * k, zone, rules, services);
        if (!start) return std::nullopt;
        if (*start >= terms[0] && (slots.empty() || *start > slots.back().start)) slots.push_back({*start});
        if (*start > j1 + kNewMoonScanEnd) break;
    }

    // A month holds a principal term that falls on one of its days.
    const int count = static_cast<int>(slots.size());
    for (int j = 0; j + 1 < count; ++j)
        for (double day : terms)
            if (slots[j].start <= day && day < slots[j + 1].start) slots[j].has_term = true;

    int months_between = 0, s = -1, e = -1;
    for (int i = 0; i + 1 < count; ++i) {
        if (ws1 < slots[i].start && slots[i].start <= ws2) ++months_between;
        if (slots[i].start <= ws1 && ws1 < slots[i + 1].start) s = i;
        if (slots[i].start <= ws2 && ws2 < slots[i + 1].start) e = i;
    }
    if (s < 0 || e < s + 2) return std::nullopt;

    enum class LeapCase { None, Later, Eleventh, Twelfth };
    LeapCase leap_case;
    if (months_between == 12) {
        leap_case = LeapCase::None;
    } else if (months_between == 13) {
        const bool first = slots[s + 1].has_term, second = slots[s + 2].has_term;
        if (first && second)
            leap_case = LeapCase::Later;
        else if (!first && second)
            leap_case = LeapCase::Eleventh;
        else if (first && !second)
            leap_case = LeapCase::Twelfth;
        else
            return std::nullopt;
    } else {
        return std::nullopt;
    }

    const int y = window_year;
    slots[s].month = 11;
    slots[s].year = y - 1;
    switch (leap_case) {
        case LeapCase::None:
        case LeapCase::Later:
            slots[s + 1] = {slots[s + 1].start, true, 12, y - 1};
            slots[s + 2] = {slots[s + 2].start, true, 1, y};
            break;
        case LeapCase::Eleventh:
            slots[s + 1] = {slots[s + 1].start, false, 11, y - 1};
            slots[s + 2].month = 12;
            slots[s + 2].year = y - 1;
            break;
        case LeapCase::Twelfth:
            slots[s + 1].month = 12;
            slots[s + 1].year = y - 1;
            slots[s + 2] = {slots[s + 2].start, false, 12, y - 1};
            break;
    }
    bool leap_placed = leap_case != LeapCase::Later;
    for (int i = s + 3; i <= e; ++i) {
        Slot& slot = slots[i];
        const int previous = slots[i - 1].month;
        slot.year = y;
        if (!leap_placed && !slot.has_term) {
            slot.month = previous;
            leap_placed = true;
        } else {
            slot.month = previous % 12 + 1;
            slot.has_term = true;
        }
    }

    WindowYearMonths window;
    for (int i = s; i <= e; ++i)
        window.months.push_back({slots[i].start, slots[i].year, slots[i].month, !slots[i].has_term});
    window.end_day = slots[e + 1].start;
    return window;
}

}  // namespace

std::optional<LunarDate> SolarToLunar(double jd_local, const ZoneRule& zone, LunisolarRules rules,
                                      const CalendarServices& services) {
    LunarConverter converter(zone, rules, services);
    std::optional<LunarDate> date = converter.ToLunar(jd_local);
    converter.PublishTerms();
    return date;
}

namespace {

std::optional<double> SearchLunarDate(const LunarDate& date, LunarConverter& converter,
                                      const CalendarServices& services) {
    constexpr double kProbeAhead = 25.0;  // lunar dates run 20 to 50 days behind the same numbers
    constexpr int kOuterPasses = 11;
    constexpr int kInnerProbes = 16;
    constexpr double kYearStep = 30.0;
    constexpr double kMonthStep = 10.0;
    double t = services.DateToJD(date.year, date.month, date.day, 12, 0, 0) + kProbeAhead;
    double target = date.month;
    if (date.leap) {
        t += kProbeAhead;
        target = date.month + 0.5;
    }
    if (date.year < 1582) t += std::floor((1582.0 - date.year) * 0.0078);

    for (int pass = 0; pass < kOuterPasses; ++pass) {
        const std::optional<LunarDate> probe = converter.ToLunar(t);
        if (!probe) return std::nullopt;
        if (probe->year > date.year) {
            t -= kYearStep;
            continue;
        }
        if (probe->year < date.year) {
            t += kYearStep;
            continue;
        }
        for (int i = 0; i < kInnerProbes; ++i) {
            const std::optional<LunarDate> p = converter.ToLunar(t);
            if (!p) return std::nullopt;
            const double v = p->month + (p->leap ? 0.5 : 0.0);
            if (v > target || p->year > date.year)
                t -= kMonthStep;
            else if (v < target || p->year < date.year)
                t += kMonthStep;
            else
                return date.day + (t - p->day);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> LunarToSolar(const LunarDate& date, const ZoneRule& zone, LunisolarRules rules,
                                   const CalendarServices& services) {
    LunarConverter converter(zone, rules, services);
    std::optional<double> jd = SearchLunarDate(date, converter, services);
    converter.PublishTerms();
    return jd;
}

std::optional<double> LunarToSolarStrict(const LunarDate& date, const ZoneRule& zone, LunisolarRules rules,
                                         const CalendarServices& services) {
    LunarConverter converter(zone, rules, services);
    std::optional<double> jd = SearchLunarDate(date, converter, services);
    if (jd && converter.ToLunar(*jd) != date) jd.reset();
    converter.PublishTerms();
    return jd;
}

std::string GetWolgeon(int year, int month, bool leap) {
    static constexpr std::array<const char*, 10> kStems = {"갑", "을", "병", "정", "무",
                                                           "기", "경", "신", "임", "계"};
    static constexpr std::array<const char*, 12> kBranches = {"자", "축", "인", "묘", "진", "사",
                                                              "오", "미", "신", "유", "술", "해"};
    if (leap || month < 1 || month > 12) return "";
    const long long n = (month - 11) + 12 * (static_cast<long long>(year) - 2001) + 6;
    const long long stem = ((n % 10) + 10) % 10;
    const int branch = ((month - 11) % 12 + 12) % 12;
    return std::string(kStems[static_cast<std::size_t>(stem)]) + kBranches[static_cast<std::size_t>(branch)];
}

}  // namespace almanac
