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

constexpr int kFirstYearOfUtc9 = 1911;

}  // namespace

double KoreanReferenceZone(int year) { return year < kFirstYearOfUtc9 ? 8 : 9; }

void ApplyEraRules(CalendarState& state) {
    if (!state.settings.Auto) return;
    const EraRules rules = SetEraRules(state.CalYear);
    state.settings.MeanSun = rules.MeanSun;
    state.settings.MeanMoon = rules.MeanMoon;
    state.settings.Jinsak = rules.Jinsak;
}

double PrepareDisplayedYear(CalendarState& state, int month) {
    CalendarSettings& cs = state.settings;
    const ZoneRestorer restore(cs.TZ);
    if (cs.RefKR) cs.TZ = KoreanReferenceZone(state.CalYear);
    ApplyEraRules(state);
    const EraRules rules{cs.MeanSun, cs.MeanMoon, cs.Jinsak};
    const DeltaTRule delta_t = DeltaTRuleOf(cs);
    PrepareLunarYear(JulianDay(state.CalYear, month, 1, 12), cs.TZ, rules, CalendarServicesOfVu(delta_t),
                     state.lunar_months);
    const SpecialDayContext context{cs.TZ, rules, delta_t, &state.lunar_months};
    for (int set = 0; set < kSDaySets; ++set) {
        YearSpecialDays(state.CalYear, state.SDays[static_cast<std::size_t>(set)], set, context);
    }
    return cs.TZ;
}

}  // namespace vu
