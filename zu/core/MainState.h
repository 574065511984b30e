#pragma once
// State of the chart that the main window owns for the whole run and that is
// not saved with the settings: the time steps, the sidereal time of the chart
// moment, the year of the last star-vector computation and the drawing
// statistics. The chart time, view and site themselves live in the settings
// snapshot (skydata::CurrentSettings()), the planet table's JDE and obliquity
// in astro::Planets(). ResetMainState() restores the start of a run.
#include <array>
#include <cstdint>
#include <string>

namespace zu {

// Time steps at or below this are solar-event codes, not days.
inline constexpr double kSolarEventStepLimit = -149.9;
inline constexpr double kSiderealDay_days = 0.9972695663;

struct MainState {
    std::int64_t DrawCount = 0;       // charts drawn since start
    std::int64_t DrawTimeTotal = 0;   // milliseconds spent in all redraws since start
    double TimeStep = 1.0 / 24;       // days, or a solar-event code (-150..-153, -160..-163)
    double CustomStep = 30.0 / 1440;  // days
    std::int32_t EventStepCode = -160;
    std::int32_t EventStepOffset = 0; // minutes
    double LocalSiderealTime = 0;     // hours, of the chart time
    // Calendar year of the chart time at the last redraw (Now) and at the
    // last computation of the star vectors (Stars).
    struct {
        int Now = 0;
        int Stars = 0;
    } ChartYear;
    // The colour pair of the Milky Way outline that the settings dialog and
    // the printed chart use; the first entry starts as line colour 8.
    std::array<std::int32_t, 2> MilkyWayColors{};
    // ObjectKey of the object the information window shows.
    std::string SelObjKey = "Null";
};

MainState& AppState();
void ResetMainState();

// The present moment of the computer clock as a local civil Julian day of a
// place `zone_h` hours east of Greenwich (summer time included). The clock is
// read in UTC: the site's zone need not be the computer's. Seconds are
// dropped unless `with_seconds`.
double ClockJDInZone(double zone_h, bool with_seconds = false);

}  // namespace zu
