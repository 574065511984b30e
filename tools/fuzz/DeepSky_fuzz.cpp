// libFuzzer target: the deep-sky table "dso.dat" and the direction vectors
// computed from it. Any input reads without a crash or sanitizer report.
#include <cstdint>

#include "FuzzSupport.h"
#include "platform/RunTimeError.h"
#include "skydata/Catalogs.h"
#include "skydata/DeepSky.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skydata::LoadLog log;
    try {
        skydata::CatalogState state;
        state.DeepSkyObject = skydata::ReadDeepSkyFile(tools::fuzz::WriteInput("dso.dat", data, size), "dso.dat", log);
        skydata::ComputeDsoVectors(state);
    } catch (const platform::RunTimeError&) {
    }
    return 0;
}
