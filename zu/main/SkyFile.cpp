#include "zu/main/SkyFile.h"

#include <cmath>

#include "astro/Atmosphere.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/RiseSet.h"
#include "chart/Projector.h"
#include "platform/Services.h"
#include "zu/core/MainState.h"
#include "zu/main/Form1.h"
#include "zu/main/Pick.h"

namespace zu {
namespace {

constexpr double kCentreOffset_deg = 0.001;
constexpr double kHoursPerDay = 24;

const char* const kFindTitle = "찾기";
const char* const kBelowQuestion =
    "찾으려는 대상이 지평선 아래에 있습니다. 지평선 아래쪽을 표시할 수 있도록 하겠습니까?";
const char* const kTransitQuestion =
    "그러면, 해당 천체가 남중하는 시각으로 맞추시겠습니까?\r\n'컴퓨터 시계에 맞추기' 기능이 해제됩니다.";
const char* const kNeverRisesQuestion =
    "찾으려는 대상은 항은권에 있습니다. 지평선 아래쪽을 표시할 수 있도록 하겠습니까?";

bool AskYes(const char* text) {
    return platform::MsgBox(text, platform::MsgButtons::YesNo, platform::MsgIcon::Question, kFindTitle) ==
           platform::MsgAnswer::Yes;
}

}  // namespace

skydata::SettingsLoadStatus OpenSkyFile(const std::filesystem::path& path) {
    // The store reads a missing file as an empty one, which would put every
    // setting back to its default; a chart file that is gone (deleted after
    // it was chosen) must leave the chart as it is.
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return skydata::SettingsLoadStatus::Missing;
    return skydata::LoadSettings(path, skydata::SettingsWindowKeys::Excluded);
}

std::string OpenedSkyFileNotice(const std::filesystem::path& path) {
    const std::vector<std::string>& keys = skydata::SettingsModule().DamagedKeys;
    if (keys.empty()) return {};
    return skydata::DamagedValuesMessage(path, keys, skydata::SettingsWindowKeys::Excluded);
}

void SaveSkyFile(const std::filesystem::path& path) {
    skydata::SaveSettings(path, skydata::SettingsWindowKeys::Excluded);
}

bool CenterOnObject(double ra_deg, double dec_deg) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    MainState& state = AppState();
    double lon = ra_deg;
    double lat = dec_deg;

    if (chart::IsHorizontalView(s.ViewCoordSys)) {
        double az = 0, alt = 0;
        astro::EquatorialToHorizontal(ra_deg, dec_deg, state.LocalSiderealTime, s.lat, az, alt);
        // Only what the chart draws counts as shown below the horizon.
        bool accepted = alt >= 0 || s.underhorizon == 1;
        if (!accepted) {
            if (AskYes(kBelowQuestion)) {
                s.underhorizon = 1;
                accepted = true;
            } else if (std::fabs(dec_deg) <= 90 - std::fabs(s.lat)) {
                if (AskYes(kTransitQuestion)) {
                    double rise = 0, set = 0, transit = 0;
                    astro::FixedRiseSet(s.CurrentJD, s.lat, s.lon, ra_deg, dec_deg, rise, set, transit);
                    // A day without a transit keeps the time; the object then
                    // stays below the horizon and is not centred.
                    if (IsEventHour(transit)) {
                        s.CurrentJD = astro::RoundToHalf(s.CurrentJD) + transit / kHoursPerDay;
                        state.LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
                        astro::EquatorialToHorizontal(ra_deg, dec_deg, state.LocalSiderealTime, s.lat, az, alt);
                        s.RealTimeMode = false;
                        accepted = true;
                    }
                }
            } else if (AskYes(kNeverRisesQuestion)) {
                s.underhorizon = 1;
                accepted = true;
            }
        }
        if (!accepted) return false;
        if (s.Refraction) {
            alt += astro::RefractionTrue(alt, static_cast<float>(s.Pressure), static_cast<float>(s.Temperature));
        }
        lon = az;
        lat = alt;
    }

    s.ViewCenterX = lon + kCentreOffset_deg;
    s.ViewCenterY = lat + kCentreOffset_deg;
    if (Form1* form = Form1::Instance()) {
        form->FormSet();
        form->SetMapBox();
    }
    return true;
}

}  // namespace zu
