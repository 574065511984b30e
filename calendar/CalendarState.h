#pragma once
// The calendar program's module state, in one place that tests reset: the
// settings and font slots, the displayed year and its summer-time days, and
// the lunar months prepared for that year. The computing functions take what
// they read as parameters; this layer holds what lives between recomputes.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "calendar/CalendarSettings.h"
#include "calendar/LunarYear.h"
#include "calendar/SpecialDays.h"

namespace calendar {

struct KeptValueBytes {
    std::string written;  // UTF-8, as WriteSettings would write the value
    std::string bytes;    // the file's bytes of the value
    friend bool operator==(const KeptValueBytes&, const KeptValueBytes&) = default;
};

struct CalendarState {
    CalendarSettings settings;
    CalFontSlots fonts = DefaultCalFontSlots(false);
    // Displayed year, astronomical numbering (0 is 1 BC); the window sets it.
    std::int16_t CalYear = 2000;
    // Noon Julian days of the summer-time first and last dates of CalYear.
    double SummerStartJD = 0;
    double SummerEndJD = 0;
    // The lunar months around CalYear, as PrepareLunarYear left them.
    LunarMonthTable lunar_months;
    // The three special-day sets (user slots and the year's computed slots).
    SDayTable SDays;
    // Settings-file values that code page 949 cannot hold as they were read
    // (names of a file saved as UTF-8), by key: the value as the writer
    // writes it after that read, and the file's own bytes between the tags.
    // While a value is written unchanged, its own bytes are written again.
    std::map<std::string, KeptValueBytes> kept_bytes;
    // The events of the last ListPlanetPhenomena period, ascending in time.
    std::vector<double> EventJD;
    std::vector<std::string> EventName;
};

CalendarState& Calendar();
// Everything back to the state of a fresh start (defaults, empty table).
void ResetCalendarState();

// Recomputes SummerStartJD and SummerEndJD for CalYear from the settings.
void UpdateSummerDays(CalendarState& state);
// The zone in force on jd (summer time included, both ends of it).
double ZoneInForce(const CalendarState& state, double jd);

}  // namespace calendar
