// libFuzzer target: a settings file as "Default.cfg" with the real bright
// stars, constellations, Milky Way and deep sky, drawn into an offscreen
// picture as the program draws its chart. An input may go on, after a NUL
// byte, with a user catalogue (.UC): the settings then name it in slot 1 and
// show it, it is loaded as at start-up, and the printed page of the same view
// is drawn too. Whatever the settings and the catalogue hold, the chart and
// the page are drawn without a crash, a sanitizer report or an endless loop
// (libFuzzer's -timeout reports one).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

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
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::size_t settings_size = split == std::string_view::npos ? size : split;
    const std::filesystem::path file = tools::fuzz::WriteInput("render/Default.cfg", data, settings_size);
    if (split == std::string_view::npos) {
        chart::probe::DrawChartFromSettingsFile(file, surface);
        return 0;
    }
    const std::filesystem::path catalogue =
        tools::fuzz::WriteInput("render/user.UC", data + split + 1, size - split - 1);
    chart::probe::DrawChartFromSettingsFile(file, surface, catalogue);
    static platform::ImageSurface page(211, 297);
    chart::probe::PrintChartOfLoadedSettings(page);
    return 0;
}
