#include "almanac/TonightSky.h"

#include <utility>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/RiseSet.h"
#include "astro/TextFormat.h"

namespace almanac {
namespace {

constexpr double kDarkAltitude_deg = -18;
constexpr double kMoonRiseAltitude_deg = 0.125;
constexpr double kSamplesPerDay = 720;
constexpr double kLastSample = 1.5;  // the next noon, days after j0
constexpr int kRiseSetKindPlanet = 0;
constexpr int kRiseSetKindSun = 1;
constexpr int kRiseSetKindMoon = 2;

struct Twilight {
    int kind;
    const char* start;
    const char* end;
};
constexpr Twilight kTwilights[3] = {
    {3, "시민 박명 시작", "시민 박명 종료"},
    {4, "항해 박명 시작", "항해 박명 종료"},
    {5, "천문 박명 시작", "천문 박명 종료"},
};

// Hour and minute of a day fraction, the minutes floored to a multiple of 5.
std::string Clock5(double angle_deg) { return astro::FormatClockKorean(angle_deg, 1); }
std::string Wrapped(double day_fraction) { return Clock5(astro::Norm360(day_fraction * 360)); }
std::string DayWord(double day_fraction) { return day_fraction >= 1 ? "내일 " : "오늘 "; }

}  // namespace

void ClearTonightEvents(TonightSlots& slots) {
    for (TonightEvent& slot : slots) slot = TonightEvent{};
}

TonightSlots TonightEvents(double day_jd, const astro::SiteContext& site) {
    TonightSlots slots;
    ClearTonightEvents(slots);
    const double j0 = astro::RoundToHalf(day_jd);
    astro::PlanetTableT tables[3];
    for (int k = 0; k < 3; ++k) tables[k] = astro::ComputePlanetTable(j0 - 0.5 + k, site).table;
    auto place = [&](int k, int row) {
        const astro::PlanetRecord& r = tables[k][static_cast<std::size_t>(row)];
        return astro::EquatorialPlace{r.RA, r.Dec};
    };
    auto solve = [&](int row, int kind, double& rise, double& transit, double& set) {
        astro::CalcRiseTransitSet(j0, site.lat_deg, site.lon_deg, site.zone_h, kind, place(0, row), place(1, row),
                                  place(2, row), rise, transit, set);
    };
    std::size_t slot = 0;
    for (int row = 0; row < astro::kPlanetCount; ++row) {
        const int kind = row == astro::kPlanetSun    ? kRiseSetKindSun
                         : row == astro::kPlanetMoon ? kRiseSetKindMoon
                                                     : kRiseSetKindPlanet;
        double rise = -1, transit = -1, set = -1;
        solve(row, kind, rise, transit, set);
        const std::string& name = tables[1][static_cast<std::size_t>(row)].Name;
        slots[slot++] = {rise, name + " 뜸"};
        slots[slot++] = {transit, name + " 남중"};
        slots[slot++] = {set, name + " 짐"};
    }
    for (const Twilight& twilight : kTwilights) {
        double rise = -1, transit = -1, set = -1;
        solve(astro::kPlanetSun, twilight.kind, rise, transit, set);
        slots[slot++] = {rise, twilight.start};
        slots[slot++] = {set, twilight.end};
    }
    // An exchange sort that never swaps equal times, so events of one time
    // keep the order of the exchanges.
    for (std::size_t c = 0; c + 1 < slots.size(); ++c)
        for (std::size_t i = c; i < slots.size(); ++i)
            if (slots[c].time > slots[i].time) std::swap(slots[c], slots[i]);
    return slots;
}

TonightTimeline ComputeTonightTimeline(double j0, const astro::SiteContext& site) {
    astro::PlanetPlace sun[3], moon[3];
    for (int k = 0; k < 3; ++k) {
        sun[k] = astro::ComputePlanetPlace(astro::kPlanetSun, j0 + 0.5 + 0.5 * k, site, false);
        moon[k] = astro::ComputePlanetPlace(astro::kPlanetMoon, j0 + 0.5 + 0.5 * k, site, false);
    }
    TonightTimeline timeline;
    TonightCrossings& c = timeline.crossings;
    double sun_prev = 0, moon_prev = 0;
    for (int i = 0; i < kTonightSampleCount; ++i) {
        // The three places are half a day apart and the sample lies
        // (i - 360) / 720 day from the middle one.
        const double n = (i - kSamplesPerDay / 2) / (kSamplesPerDay / 2);
        const double at = i / kSamplesPerDay + 0.5;
        const double lst = astro::CalcLST(j0 + at, site.lon_deg, site.zone_h);
        double ra = 0, dec = 0, az = 0, sun_alt = 0, moon_alt = 0;
        astro::InterpolateSpherical3(sun[0].ra_deg, sun[0].dec_deg, sun[1].ra_deg, sun[1].dec_deg, sun[2].ra_deg,
                                     sun[2].dec_deg, n, ra, dec);
        astro::EquatorialToHorizontal(ra, dec, lst, site.lat_deg, az, sun_alt);
        astro::InterpolateSpherical3(moon[0].ra_deg, moon[0].dec_deg, moon[1].ra_deg, moon[1].dec_deg, moon[2].ra_deg,
                                     moon[2].dec_deg, n, ra, dec);
        astro::EquatorialToHorizontal(ra, dec, lst, site.lat_deg, az, moon_alt);
        timeline.sun_alt_deg[static_cast<std::size_t>(i)] = sun_alt;
        timeline.moon_alt_deg[static_cast<std::size_t>(i)] = moon_alt;

        if (sun_alt > kDarkAltitude_deg) c.sun_above = true;
        if (moon_alt > 0) c.moon_up = true;
        if (sun_prev > kDarkAltitude_deg && sun_alt < kDarkAltitude_deg) c.dark_start = at;
        if (sun_prev < kDarkAltitude_deg && sun_alt > kDarkAltitude_deg) c.dark_end = at;
        if (moon_prev > kMoonRiseAltitude_deg && moon_alt < kMoonRiseAltitude_deg) c.moon_set = at;
        if (moon_prev < kMoonRiseAltitude_deg && moon_alt > kMoonRiseAltitude_deg) c.moon_rise = at;
        if (i == kTonightMoonCheckSample) c.moon_alt320_deg = moon_alt;
        sun_prev = sun_alt;
        moon_prev = moon_alt;
    }
    return timeline;
}

std::string TonightSummary(const TonightCrossings& crossings) {
    if (!crossings.moon_up && !crossings.sun_above) return "오늘 밤부터 내일 사이에는 계속 어두운 하늘이 지속됩니다.";
    const double start = crossings.dark_start;
    const double end = start >= 0 && crossings.dark_end < 0 ? kLastSample : crossings.dark_end;
    const double rise = crossings.moon_rise, set = crossings.moon_set;
    if (start < rise && rise < end)
        return "오늘 " + Clock5(start * 360) + "무렵부터 " + DayWord(rise) + Wrapped(rise) +
               "무렵까지 별을 보기 적당합니다.";
    if (start < set && set < end)
        return DayWord(set) + Wrapped(set) + "무렵부터 " + "내일 " + Wrapped(end) + "무렵까지 별을 보기 적당합니다.";
    if (set < start && end < rise && crossings.moon_alt320_deg < kMoonRiseAltitude_deg)
        return "오늘 " + Clock5(start * 360) + "무렵부터 " + "내일 " + Wrapped(end) + "무렵까지 별을 보기 적당합니다.";
    return "오늘 밤과 내일 새벽에는 별을 보기에는 하늘이 밝습니다.";
}

}  // namespace almanac
