// View commands: field-of-view presets, zoom, rotation, the reference frame,
// the compass directions and the zenith, the all-sky chart and the pop-up's
// zoom on the pressed point.
#include <array>
#include <cctype>
#include <string>

#include "astro/Coordinates.h"
#include "chart/ChartState.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/main/Commands.h"
#include "zu/main/Form1.h"
#include "zu/main/ViewCommands.h"

namespace zu {
namespace {

constexpr std::array<double, 6> kFovPresets_deg = {120, 90, 60, 30, 15, 5};
// Azimuths of "동", "서", "남", "북"; item 4 is the zenith.
constexpr std::array<double, 4> kDirectionAzimuths_deg = {90, 270, 180, 0};
constexpr int kZenithItem = 4;
constexpr double kZenithAltitude_deg = 90;
constexpr double kAllSkyAzimuth_deg = 180;

skydata::SettingsSnapshot& Settings() { return skydata::CurrentSettings(); }

bool HorizontalFrame() { return UpperFrame(Settings().ViewCoordSys) == "A"; }

// The view centre for a horizontal direction in the frame in force.
void CentreOn(double az_deg, double alt_deg) {
    skydata::SettingsSnapshot& s = Settings();
    if (HorizontalFrame()) {
        s.ViewCenterX = az_deg;
        s.ViewCenterY = alt_deg;
        return;
    }
    astro::HorizontalToEquatorial(az_deg, alt_deg, AppState().LocalSiderealTime, s.lat, s.ViewCenterX,
                                  s.ViewCenterY);
}

void ChangeFrame(Form1& form, int index) {
    if (index != 0 && index != 1) return;
    skydata::SettingsSnapshot& s = Settings();
    const std::string old_frame = UpperFrame(s.ViewCoordSys);
    s.ViewCoordSys.assign(1, index == 0 ? 'a' : 'e');
    const double lst_h = AppState().LocalSiderealTime;
    if (old_frame == "A" && index == 1) {
        double ra = 0, dec = 0;
        astro::HorizontalToEquatorial(s.ViewCenterX, s.ViewCenterY, lst_h, s.lat, ra, dec);
        s.ViewCenterX = ra;
        s.ViewCenterY = dec;
    } else if (old_frame == "E" && index == 0) {
        double az = 0, alt = 0;
        astro::EquatorialToHorizontal(s.ViewCenterX, s.ViewCenterY, lst_h, s.lat, az, alt);
        s.ViewCenterX = az;
        s.ViewCenterY = alt;
    }
    form.FormSet();
    form.SetMapBox();
}

void LookToward(Form1& form, int index) {
    if (index < 0 || index > kZenithItem) return;
    skydata::SettingsSnapshot& s = Settings();
    double az = s.ViewCenterX;
    double alt = kZenithAltitude_deg;
    if (index != kZenithItem) {
        az = kDirectionAzimuths_deg[index];
        alt = HorizonAboveLowerEdge_deg(s.ViewFOV);
    }
    CentreOn(az, alt);
    form.UnlockTrack();
    form.SetMapBox();
}

void AllSky(Form1& form) {
    CentreOn(kAllSkyAzimuth_deg, kZenithAltitude_deg);
    form.UnlockTrack();
    Settings().ViewFOV = skydata::kMaxViewFov_deg;
    form.SetMapBox();
}

// The pop-up's "확대"/"축소": the pressed point of the last drawing becomes
// the centre, then the field zooms.
void ZoomOnPress(Form1& form, int index) {
    skydata::SettingsSnapshot& s = Settings();
    double lon = 0, lat = 0;
    chart::ScreenToSky(form.PressX, form.PressY, s.ViewCenterX, s.ViewCenterY, lon, lat, false);
    s.ViewCenterX = lon;
    s.ViewCenterY = lat;
    form.UnlockTrack();
    form.ZoomOpr(index);
}

}  // namespace

std::string UpperFrame(const std::string& coord) {
    std::string upper = coord;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

double HorizonAboveLowerEdge_deg(double fov_deg) { return fov_deg / 2 - fov_deg / 20; }

void InstallViewCommands(CommandTable& table) {
    table.Add("mnuFOV", [](Form1& form, int index) {
        if (index < 0 || index >= static_cast<int>(kFovPresets_deg.size())) return;
        Settings().ViewFOV = kFovPresets_deg[index];
        form.SetMapBox();
    });
    table.Add("mnuZooms", [](Form1& form, int index) { form.ZoomOpr(index); });
    table.Add("mnuRot", [](Form1& form, int index) {
        skydata::SettingsSnapshot& s = Settings();
        // The rotation accumulates; it is never reduced to one turn.
        if (index == 0) s.MapRotation -= s.rotateang;
        if (index == 1) s.MapRotation += s.rotateang;
        form.SetMapBox();
    });
    table.Add("mnuNotRot", [](Form1& form, int) {
        Settings().MapRotation = 0;
        form.SetMapBox();
    });
    table.Add("mnuCood", ChangeFrame);
    table.Add("mnuDirect", LookToward);
    table.Add("mnuReset", [](Form1& form, int) { AllSky(form); });
    table.Add("mnuZoom", ZoomOnPress);
}

}  // namespace zu
