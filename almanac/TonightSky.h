#pragma once
// Tonight's sky at the observer site: the rise, transit and set of the Sun,
// the planets, the Moon and Pluto and the three twilights of one civil day,
// sorted by time; and the Sun's and the Moon's altitudes every two minutes
// from that day's noon to the next noon, with the times the sky turns dark
// and light again and the Moon sets and rises, summed up in one sentence.
// Everything is computed by value: the shared planet table stays at the
// chart moment.
#include <array>
#include <string>

#include "astro/SiteContext.h"

namespace almanac {

// One event of the day: time as a fraction of a day after the civil
// midnight that starts it (-1 none), text the event's name ("x" an unused
// slot).
struct TonightEvent {
    double time = -1;
    std::string text = "x";
};
inline constexpr int kTonightSlotCount = 41;
using TonightSlots = std::array<TonightEvent, kTonightSlotCount>;

// Every slot back to (-1, "x").
void ClearTonightEvents(TonightSlots& slots);

// The events of the civil day that holds day_jd (a local civil Julian day):
// three slots for each planet-table row (name + " 뜸", " 남중", " 짐"), two
// for each twilight ("시민 박명 시작" .. "천문 박명 종료"), from the
// geocentric places of the three planet tables at the local noons before,
// of and after the day; then sorted ascending by time (an event that does
// not happen that day keeps -1 and sorts first).
TonightSlots TonightEvents(double day_jd, const astro::SiteContext& site);

// Samples from the noon j0 + 0.5 to the next noon, two minutes apart.
inline constexpr int kTonightSampleCount = 721;
inline constexpr int kTonightMoonCheckSample = 320;  // 22:40

// Crossings as fractions of a day after j0 (0.5 .. 1.5), -1 when none. A
// crossing counts against the previous sample, the first against an
// altitude of 0, so a Sun below -18 degrees at the first sample starts the
// darkness at 0.5 and a Moon above 0.125 degree there rises at 0.5; a later
// crossing of a kind replaces an earlier one.
struct TonightCrossings {
    double dark_start = -1;     // Sun down through -18 degrees
    double dark_end = -1;       // Sun up through -18 degrees
    double moon_set = -1;       // Moon down through 0.125 degree
    double moon_rise = -1;      // Moon up through 0.125 degree
    double moon_alt320_deg = 0; // the Moon's altitude at 22:40
    bool sun_above = false;     // the Sun above -18 degrees at some sample
    bool moon_up = false;       // the Moon above 0 degrees at some sample
};

struct TonightTimeline {
    std::array<double, kTonightSampleCount> sun_alt_deg{};
    std::array<double, kTonightSampleCount> moon_alt_deg{};
    TonightCrossings crossings;
};

// The geocentric altitudes (no refraction) at the samples of the day whose
// civil midnight is j0, from the Sun's and the Moon's places at j0 + 0.5,
// j0 + 1 and j0 + 1.5 interpolated on the sphere.
TonightTimeline ComputeTonightTimeline(double j0, const astro::SiteContext& site);

// The sentence on when the sky is good for observing. Darkness that starts
// but does not end inside the samples ends at 1.5, the last sample.
std::string TonightSummary(const TonightCrossings& crossings);

}  // namespace almanac
