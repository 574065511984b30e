// libFuzzer target: the Milky Way outline "milkyway.dat" and the
// constellation boundaries "bound.dat". Any input reads without a crash or
// sanitizer report.
#include <cstdint>

#include "FuzzSupport.h"
#include "platform/RunTimeError.h"
#include "skydata/MilkyWay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skydata::LoadLog log;
    try {
        (void)skydata::ReadMilkyWayFile(tools::fuzz::WriteInput("milkyway.dat", data, size), "milkyway.dat", log);
    } catch (const platform::RunTimeError&) {
    }
    try {
        (void)skydata::ReadBoundaryFile(tools::fuzz::WriteInput("bound.dat", data, size), "bound.dat", log);
    } catch (const platform::RunTimeError&) {
    }
    return 0;
}
