// libFuzzer target: the star-name files ("eName.dat", "wName.dat") and
// their link to the bright-star table. Any input reads without a crash or
// sanitizer report.
#include <cstdint>

#include "FuzzSupport.h"
#include "platform/RunTimeError.h"
#include "skydata/Catalogs.h"
#include "skydata/StarNames.h"
#include "skydata/Stars.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skydata::LoadLog log;
    try {
        skydata::CatalogState state;
        (void)skydata::ReadStarNameFile(tools::fuzz::WriteInput("eName.dat", data, size), "eName.dat", log);
        tools::fuzz::WriteInput("names/eName.dat", data, size);
        tools::fuzz::WriteInput("names/wName.dat", data, size);
        skydata::LoadStarNames(state, tools::fuzz::WorkFolder() / "names", log);
        skydata::LinkStarNames(state);
    } catch (const platform::RunTimeError&) {
    }
    return 0;
}
