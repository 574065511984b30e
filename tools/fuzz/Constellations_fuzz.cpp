// libFuzzer target: the constellation files (lines "clineX.dat", labels
// "clabelX.dat", names "ConstDataX.dat", the position table "pos_data.dat")
// and the filter texts applied to what was read. Any input reads without a
// crash or sanitizer report.
#include <cstdint>

#include "FuzzSupport.h"
#include "platform/RunTimeError.h"
#include "skydata/Constellations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace sd = skydata;
    sd::LoadLog log;
    try {
        const auto lines = sd::LoadConstLines(tools::fuzz::WriteInput("clineW.dat", data, size), "clineW.dat", log);
        (void)lines;
    } catch (const platform::RunTimeError&) {
    }
    std::vector<sd::ConstLabelRecord> labels;
    std::vector<sd::ConstDataRecord> names;
    try {
        labels = sd::LoadConstLabels(tools::fuzz::WriteInput("clabelW.dat", data, size), "clabelW.dat", log);
    } catch (const platform::RunTimeError&) {
    }
    try {
        names = sd::LoadConstData(tools::fuzz::WriteInput("ConstDataW.dat", data, size), "ConstDataW.dat", log);
    } catch (const platform::RunTimeError&) {
    }
    try {
        tools::fuzz::WriteInput("pos/pos_data.dat", data, size);
        const sd::ConstPosTable table = sd::LoadConstPosTable(tools::fuzz::WorkFolder() / "pos", log);
        (void)sd::FindConstellationCodeAt(table, 83.8, -5.4, 2451545.0);
    } catch (const platform::RunTimeError&) {
    }
    sd::BuildConstLabels(labels, names, size % 2 == 0);
    const std::string filter(reinterpret_cast<const char*>(data), size);
    sd::SetConstFilter(filter, names, false);
    (void)sd::GetConstFilter(names, false);
    return 0;
}
