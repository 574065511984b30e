#include "vu/windows/ReferenceZone.h"

#include "vu/grid/YearCycle.h"

namespace vu {

namespace {
constexpr double kLargestField = 255;
}  // namespace

almanac::ZoneRule ReferenceZone(const calendar::CalendarSettings& settings) { return LunarZoneRule(settings); }

calendar::EraRules RulesOf(const calendar::CalendarSettings& settings) { return {settings.MeanSun, settings.MeanMoon, settings.Jinsak}; }

void ApplyEraRules(calendar::CalendarSettings& settings, std::int16_t year) {
    const calendar::EraRules rules = calendar::SetEraRules(year);
    settings.MeanSun = rules.MeanSun;
    settings.MeanMoon = rules.MeanMoon;
    settings.Jinsak = rules.Jinsak;
}

bool DateFitsFields(double year, double month, double day) {
    return year >= kFirstCalendarYear && year <= kLastCalendarYear && month >= 0 && month <= kLargestField && day >= 0 &&
           day <= kLargestField;
}

YearStateKeeper::YearStateKeeper(calendar::CalendarState& state)
    : state_(state), tz_(state.settings.TZ), cal_year_(state.CalYear), rules_(RulesOf(state.settings)) {}

YearStateKeeper::~YearStateKeeper() {
    state_.settings.TZ = tz_;
    state_.CalYear = cal_year_;
    state_.settings.MeanSun = rules_.MeanSun;
    state_.settings.MeanMoon = rules_.MeanMoon;
    state_.settings.Jinsak = rules_.Jinsak;
}

}  // namespace vu
