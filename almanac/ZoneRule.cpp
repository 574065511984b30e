#include "almanac/ZoneRule.h"

namespace almanac {

namespace {
constexpr double kKoreanHoursBefore = 8.0;
constexpr double kKoreanHoursFrom = 9.0;
}  // namespace

ZoneRule ZoneRule::Korean() {
    ZoneRule rule(kKoreanHoursFrom);
    rule.korean_ = true;
    return rule;
}

double ZoneRule::HoursAt(double jd_ut) const {
    if (!korean_) return hours_;
    return jd_ut < kKoreanZoneChangeJdUt ? kKoreanHoursBefore : kKoreanHoursFrom;
}

}  // namespace almanac
