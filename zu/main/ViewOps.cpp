// Moving the view (pan, zoom, following a tracked object) and one step of the
// chart time.
#include <algorithm>
#include <cctype>

#include "astro/AngleMath.h"
#include "astro/Atmosphere.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/RiseSet.h"
#include "chart/ChartState.h"
#include "chart/Projector.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/ObjectPosition.h"

namespace zu {
namespace {

constexpr double kTrackOffset_deg = 0.0001;
constexpr double kMinutesPerDay = 1440;
constexpr double kHoursPerDay = 24;

// Kind of SunRiseSetEvents for a solar-event code; 0 for no code.
int EventKindOf(int code) {
    switch (code) {
        case -150:
        case -160: return 1;
        case -151:
        case -161: return 3;
        case -152:
        case -162: return 4;
        case -153:
        case -163: return 5;
        default: return 0;
    }
}

}  // namespace

void Form1::GetCenter(const std::string& key) {
    if (TrackOn != 1) return;
    const auto place = GetObjectPosition(key);
    if (!place) {
        // The tracked object is gone (a new element file, a new catalogue).
        TrackOn = 0;
        return;
    }
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    double lon = astro::Norm360(place->RA_deg);
    double lat = place->Dec_deg;
    if (chart::IsHorizontalView(s.ViewCoordSys)) {
        double az = 0, alt = 0;
        astro::EquatorialToHorizontal(lon, lat, AppState().LocalSiderealTime, s.lat, az, alt);
        if (s.Refraction) {
            alt += astro::RefractionApparent(alt, static_cast<float>(s.Pressure), static_cast<float>(s.Temperature));
        }
        lon = az;
        lat = alt;
    }
    s.ViewCenterX = lon + kTrackOffset_deg;
    s.ViewCenterY = lat + kTrackOffset_deg;
}

void Form1::MoveOpr(const std::string& direction) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const double step = s.ViewFOV / 20;
    // The horizontal chart is mirrored (east to the left), the equatorial one
    // is not: the same test as the inverse projection, so panning follows the
    // picture.
    const double sign = chart::IsHorizontalView(s.ViewCoordSys) ? 1 : -1;
    const chart::Projector& projection = chart::Chart().Projection;
    double lon = 0, lat = 0;
    chart::ScreenToSky(projection.PixCenterX, projection.PixCenterY, s.ViewCenterX, s.ViewCenterY, lon, lat, false);
    lon = s.ViewCenterX;
    std::string d = direction;
    for (char& c : d) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (d == "L") lon = astro::Norm360(s.ViewCenterX - sign * step);
    if (d == "R") lon = astro::Norm360(s.ViewCenterX + sign * step);
    if (d == "U") lat = std::min(s.ViewCenterY + step, 90.0);
    if (d == "D") lat = std::max(s.ViewCenterY - step, -90.0);
    TrackOn = 0;
    s.ViewCenterX = lon;
    s.ViewCenterY = lat;
    SetMapBox();
}

void Form1::ZoomOpr(int mode) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    if (mode == 0) s.ViewFOV = s.ViewFOV * 2 / 3;
    if (mode == 1) s.ViewFOV = s.ViewFOV * 1.5;
    if (s.ViewFOV >= skydata::kMaxViewFov_deg) s.ViewFOV = skydata::kMaxViewFov_deg;
    if (s.ViewFOV <= skydata::kMinViewFov_deg) s.ViewFOV = skydata::kMinViewFov_deg;
    SetMapBox();
}

void Form1::StepTime(bool reverse) {
    platform::ImageSurface& surface = Picture1->Surface();
    surface.Cls();
    surface.SetFillColor(platform::Rgb(0, 0, 0));

    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    MainState& state = AppState();
    if (state.TimeStep > kSolarEventStepLimit) {
        s.CurrentJD = astro::StepJD(s.CurrentJD, reverse ? -state.TimeStep : state.TimeStep);
    } else {
        const int code = static_cast<int>(state.TimeStep);
        const int kind = EventKindOf(code);
        if (kind != 0) {
            const double midnight = astro::RoundToHalf(s.CurrentJD);
            double morning = 0, evening = 0, transit = 0;
            astro::SunRiseSetEvents(midnight, s.lat, s.lon, kind, morning, evening, transit);
            const bool morning_event = code >= -153;
            double hours = morning_event ? morning : evening;
            // No such event that day (polar day or night): the Sun's lower
            // transit stands in.
            if (hours < 0) {
                hours = transit + 12;
                if (hours > kHoursPerDay) hours -= kHoursPerDay;
            }
            const double offset = state.EventStepOffset / kMinutesPerDay;
            s.CurrentJD = midnight + hours / kHoursPerDay + (morning_event ? -offset : offset);
        }
    }
    state.LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    SetMapBox();
}

}  // namespace zu
