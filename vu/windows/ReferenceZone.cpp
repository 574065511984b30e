#include "vu/windows/ReferenceZone.h"

#include "vu/grid/YearCycle.h"

namespace vu {

namespace {
constexpr double kFirstYear = -9999;
constexpr double kLastYear = 32000;
constexpr double kLargestField = 255;
}  // namespace

double ReferenceZone(const CalendarSettings& settings, double year) {
    return settings.RefKR ? KoreanReferenceZone(static_cast<int>(year)) : settings.TZ;
}

EraRules RulesOf(const CalendarSettings& settings) { return {settings.MeanSun, settings.MeanMoon, settings.Jinsak}; }

void ApplyEraRules(CalendarSettings& settings, std::int16_t year) {
    const EraRules rules = SetEraRules(year);
    settings.MeanSun = rules.MeanSun;
    settings.MeanMoon = rules.MeanMoon;
    settings.Jinsak = rules.Jinsak;
}

bool DateFitsFields(double year, double month, double day) {
    return year >= kFirstYear && year <= kLastYear && month >= 0 && month <= kLargestField && day >= 0 &&
           day <= kLargestField;
}

YearStateKeeper::YearStateKeeper(CalendarState& state)
    : state_(state), tz_(state.settings.TZ), cal_year_(state.CalYear), rules_(RulesOf(state.settings)) {}

YearStateKeeper::~YearStateKeeper() {
    state_.settings.TZ = tz_;
    state_.CalYear = cal_year_;
    state_.settings.MeanSun = rules_.MeanSun;
    state_.settings.MeanMoon = rules_.MeanMoon;
    state_.settings.Jinsak = rules_.Jinsak;
}

}  // namespace vu
