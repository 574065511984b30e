// libFuzzer target: the star zone files of the bright-star catalogue
// ("bsc/bscNN.dat", 42-byte records) and of the extended catalogue
// ("sky2000/s2kNN.dat", 59-byte records), with the star vectors computed from
// them. Every zone file is a link to the one input, so each record layout
// meets every input. Any input reads without a crash or sanitizer report.
#include <cstdint>
#include <cstdio>

#include "FuzzSupport.h"
#include "platform/RunTimeError.h"
#include "skydata/Catalogs.h"
#include "skydata/Stars.h"

namespace {

void LinkZones(const char* folder, const char* prefix) {
    const std::filesystem::path dir = tools::fuzz::WorkFolder() / folder;
    std::filesystem::create_directories(dir);
    for (int zone = 0; zone < 30; ++zone) {
        char name[32];
        std::snprintf(name, sizeof name, "%s%02d.dat", prefix, zone);
        std::error_code ec;
        std::filesystem::create_symlink(tools::fuzz::WorkFolder() / "zone.dat", dir / name, ec);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool linked = (LinkZones("bsc", "bsc"), LinkZones("sky2000", "s2k"), true);
    (void)linked;
    tools::fuzz::WriteInput("zone.dat", data, size);
    skydata::LoadLog log;
    skydata::CatalogState state;
    const bool proper_motion = size % 2 == 1;
    try {
        skydata::LoadBrightStars(state, tools::fuzz::WorkFolder(), 2451545.0 + 36525.0 * (size % 7), proper_motion, log);
    } catch (const platform::RunTimeError&) {
    }
    try {
        skydata::LoadSky2000Stars(state, tools::fuzz::WorkFolder(), 2451545.0 - 36525.0 * (size % 5), proper_motion, log);
    } catch (const platform::RunTimeError&) {
    }
    for (int zone = 0; zone < 30; ++zone) {
        tools::fuzz::Check(state.BscZoneLastIndex[zone] < static_cast<std::int32_t>(state.BscStar[zone].size()));
    }
    return 0;
}
