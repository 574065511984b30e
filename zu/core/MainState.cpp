#include "zu/core/MainState.h"

#include "astro/JulianDay.h"
#include "platform/Services.h"

namespace zu {

MainState& AppState() {
    static MainState state;
    return state;
}

void ResetMainState() { AppState() = MainState{}; }

double ClockJDInZone(double zone_h, bool with_seconds) {
    const platform::LocalTime utc = platform::UtcNow();
    const double jd_ut = astro::DateToJD(utc.year, utc.month, utc.day, utc.hour, utc.minute, with_seconds ? utc.second : 0);
    return jd_ut + zone_h / 24;
}

}  // namespace zu
