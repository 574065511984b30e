#include "calendar/CalendarPhenomena.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "almanac/PhenomenaSeries.h"
#include "calendar/CalendarState.h"
#include "calendar/SunMoonSolvers.h"
#include "calendar/VuCalendarServices.h"
#include "platform/Services.h"

namespace calendar {

namespace {

constexpr std::array<const char*, 7> kPlanetNames = {"수성", "금성", "화성", "목성", "토성", "천왕성", "해왕성"};
constexpr std::array<const char*, 4> kPhaseNames = {"그믐", "상현", "보름", "하현"};

// Periods whose 600 rows per whole year of 365.25 days pass 30000 rows
// (51 years and more) are refused.
constexpr double kDaysPerYear = 365.25;
constexpr double kRowsPerYear = 600.0;
constexpr double kMaxRows = 30000.0;

// Each step asks again for the event of its cycle, so the steps overrun the
// period on both sides.
constexpr double kPlanetMargin = 90.0;
constexpr double kPlanetStep = 30.0;
constexpr double kMoonBefore = 20.0;
constexpr double kMoonAfter = 50.0;
constexpr double kMoonStep = 27.0;

struct Row {
    double time;
    std::string text;
};

}  // namespace

PhenomenaListStatus ListPlanetPhenomena(double from, double to, double zone_h, const DeltaTRule& rule,
                                        std::vector<double>& event_jd, std::vector<std::string>& event_name) {
    if (!(to > from)) return PhenomenaListStatus::Unchanged;
    const double capacity = std::max(kRowsPerYear, std::floor((to - from) / kDaysPerYear) * kRowsPerYear);
    if (capacity > kMaxRows) {
        platform::MsgBox("선택한 기간이 너무 깁니다. 50년 미만으로 줄여주세요.", platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation, "오류");
        return PhenomenaListStatus::Refused;
    }

    const almanac::JDToDateFn jd_to_date = CalendarServicesOfVu(rule).JDToDate;
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(capacity) + 50);
    const auto keep = [&](double time, const std::string& text) {
        if (from <= time && time <= to) rows.push_back({time, text});
    };
    double t = from - kPlanetMargin;
    do {
        for (int planet = 1; planet <= 7; ++planet) {
            const std::string name = kPlanetNames[static_cast<std::size_t>(planet - 1)];
            for (int kind = 0; kind <= 1; ++kind) {
                const char* word = planet <= 2 ? (kind == 0 ? " 내합" : " 외합") : (kind == 0 ? " 충" : " 합");
                keep(almanac::ConjunctionTime(t, planet, kind, jd_to_date), name + word);
                if (planet <= 5) keep(almanac::StationTime(t, planet, kind, jd_to_date), name + " 유");
                if (planet <= 2)
                    keep(almanac::GreatestElongationTime(t, planet, kind, jd_to_date),
                         name + (kind == 0 ? " 동방최대이각" : " 서방최대이각"));
            }
        }
        t += kPlanetStep;
    } while (t <= to + kPlanetMargin);

    t = from - kMoonBefore;
    do {
        for (int q = 0; q < 4; ++q) {
            const double local = LunarPhaseTime(t, 90.0 * q, zone_h, rule);
            if (!std::isfinite(local)) continue;
            // Four decimals of a day, halves to even, before the zone is taken
            // off: a phase found from two steps gives the very same time.
            keep(std::nearbyint(local * 1e4) / 1e4 - zone_h / 24.0, kPhaseNames[static_cast<std::size_t>(q)]);
        }
        t += kMoonStep;
    } while (t <= to + kMoonAfter);

    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.time < b.time; });
    event_jd.clear();
    event_name.clear();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        // Of rows with one time only the last stays.
        if (k + 1 < rows.size() && rows[k].time == rows[k + 1].time) continue;
        event_jd.push_back(rows[k].time);
        event_name.push_back(std::move(rows[k].text));
    }
    if (event_jd.empty()) {
        event_jd.push_back(0.0);
        event_name.emplace_back();
    }
    return PhenomenaListStatus::Listed;
}

PhenomenaListStatus ListPlanetPhenomena(double from, double to) {
    CalendarState& state = Calendar();
    return ListPlanetPhenomena(from, to, state.settings.TZ, DeltaTRuleOf(state.settings), state.EventJD,
                               state.EventName);
}

}  // namespace calendar
