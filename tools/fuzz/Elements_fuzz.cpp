// libFuzzer target: the comet and asteroid element files ("Comet.txt",
// "histComet.txt", "Asteroid.txt"). Any input reads without a crash or
// sanitizer report; an empty file is refused by name.
#include <cstdint>

#include "FuzzSupport.h"
#include "platform/RunTimeError.h"
#include "skydata/Elements.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = tools::fuzz::WriteInput("Comet.txt", data, size);
    skydata::LoadLog log;
    try {
        (void)skydata::ReadCometFile(file, log);
    } catch (const platform::RunTimeError&) {
    }
    try {
        (void)skydata::ReadAsteroidFile(file, log);
    } catch (const platform::RunTimeError&) {
    }
    return 0;
}
