// libFuzzer target: a chart file (.SKY) and a "Default.cfg" as the program
// loads them from disk, with the file-level checks (empty, cut off, foreign)
// before the settings load. Whatever the bytes, the load ends without a crash
// or sanitizer report, every value lies in its usable range, and a refused
// chart file changes no setting.
#include <cmath>
#include <cstdint>

#include "FuzzSupport.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "skydata/StartupTables.h"

namespace {

void Reset() {
    skydata::ResetSettingsModule();
    skydata::ResetMapPointModule();
    skydata::ResetDrawnLineModule();
    skydata::ResetPathModule();
    skydata::ResetStartupTables();
    skydata::SettingsModule().Hooks.TodayJD = [] { return 2454606.5; };
}

void CheckUsable(const skydata::SettingsSnapshot& s) {
    tools::fuzz::Check(s.ViewFOV >= skydata::kMinViewFov_deg && s.ViewFOV <= skydata::kMaxViewFov_deg);
    tools::fuzz::Check(s.ViewCenterX >= -360 && s.ViewCenterX <= 360);
    tools::fuzz::Check(s.ViewCenterY >= -90 && s.ViewCenterY <= 90);
    tools::fuzz::Check(s.MapRotation >= -360 && s.MapRotation <= 360);
    tools::fuzz::Check(s.lon >= -180 && s.lon <= 180 && s.lat >= -90 && s.lat <= 90);
    tools::fuzz::Check(s.timezone >= -12 && s.timezone <= 14);
    tools::fuzz::Check(std::isfinite(s.CurrentJD) && s.vmlimit >= -30 && s.vmlimit <= 30);
    tools::fuzz::Check(s.sf >= 0 && s.sf <= 20 && s.AirExCoff >= 0 && s.MagControl >= -30 && s.MagControl <= 30);
    for (const skydata::MapPoint& m : skydata::MapPointModule().MapPoints) {
        tools::fuzz::Check(m.Dec >= -90 && m.Dec <= 90 && m.RA >= -360 && m.RA <= 360);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path chart = tools::fuzz::WriteInput("chart.SKY", data, size);
    Reset();
    skydata::CurrentSettings().lat = 10;
    const skydata::SettingsLoadStatus status = skydata::LoadSettings(chart, skydata::SettingsWindowKeys::Excluded);
    if (status == skydata::SettingsLoadStatus::Loaded) {
        CheckUsable(skydata::CurrentSettings());
    } else {
        tools::fuzz::Check(skydata::CurrentSettings().lat == 10);
    }

    const std::filesystem::path folder = tools::fuzz::WorkFolder() / "user";
    tools::fuzz::WriteInput("user/Default.cfg", data, size);
    Reset();
    skydata::LoadDefaultSettings(folder);
    CheckUsable(skydata::CurrentSettings());
    return 0;
}
