// libFuzzer target: a settings file as "Default.cfg" with the real bright
// stars, constellations, Milky Way and deep sky, drawn into an offscreen
// picture as the program draws its chart. Whatever the settings hold, the
// chart is drawn without a crash, a sanitizer report or an endless loop
// (libFuzzer's -timeout reports one).
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "chart/SettingsChartProbe.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::EnsureQtApp();
    chart::probe::LoadSmallRealSky(std::filesystem::path(ZU_SOURCE_DIR) / "data");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::ImageSurface surface(200, 150);
    const std::filesystem::path file = fuzz::WriteInput("render/Default.cfg", data, size);
    chart::probe::DrawChartFromSettingsFile(file, surface);
    return 0;
}
