#include "vu/grid/YearCycle.h"

#include "calendar/CalendarState.h"
#include "calendar/ComputedDays.h"
#include "calendar/LunarYear.h"
#include "calendar/TimeBase.h"
#include "calendar/VuCalendarServices.h"

namespace vu {
namespace {

// Puts the zone back when the preparation ends, however it ends.
class ZoneRestorer {
public:
    explicit ZoneRestorer(double& zone) : zone_(zone), saved_(zone) {}
    ~ZoneRestorer() { zone_ = saved_; }
    ZoneRestorer(const ZoneRestorer&) = delete;
    ZoneRestorer& operator=(const ZoneRestorer&) = delete;

private:
    double& zone_;
    double saved_;
};

}  // namespace

double KoreanReferenceZone(int year) {
    // The hours of the shared Korean rule in the middle of the year: the rule
    // changes once, at the start of 1912.
    return almanac::ZoneRule::Korean().HoursAt(calendar::JulianDay(year, 7, 1, 0));
}

almanac::ZoneRule LunarZoneRule(const calendar::CalendarSettings& settings) {
    return settings.RefKR ? almanac::ZoneRule::Korean() : almanac::ZoneRule(settings.TZ);
}

void ApplyEraRules(calendar::CalendarState& state) {
    if (!state.settings.Auto) return;
    const calendar::EraRules rules = calendar::SetEraRules(state.CalYear);
    state.settings.MeanSun = rules.MeanSun;
    state.settings.MeanMoon = rules.MeanMoon;
    state.settings.Jinsak = rules.Jinsak;
}

double PrepareDisplayedYear(calendar::CalendarState& state, int month) {
    calendar::CalendarSettings& cs = state.settings;
    const ZoneRestorer restore(cs.TZ);
    if (cs.RefKR) cs.TZ = KoreanReferenceZone(state.CalYear);
    ApplyEraRules(state);
    const calendar::EraRules rules{cs.MeanSun, cs.MeanMoon, cs.Jinsak};
    const calendar::DeltaTRule delta_t = calendar::DeltaTRuleOf(cs);
    // The lunar months follow the rule itself: a year's table reaches into
    // the next year, where the Korean rule may have other hours.
    calendar::PrepareLunarYear(calendar::JulianDay(state.CalYear, month, 1, 12), LunarZoneRule(cs), rules,
                     calendar::CalendarServicesOfVu(delta_t), state.lunar_months);
    const calendar::SpecialDayContext context{cs.TZ, rules, delta_t, &state.lunar_months};
    for (int set = 0; set < calendar::kSDaySets; ++set) {
        calendar::YearSpecialDays(state.CalYear, state.SDays[static_cast<std::size_t>(set)], set, context);
    }
    return cs.TZ;
}

}  // namespace vu
