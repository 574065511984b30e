// libFuzzer target: the observer-site list "local.txt" as the site window
// reads it (code page 949 from disk), shows a listed site (degrees, minutes
// and seconds, zone and air texts) and writes the list back. Any input
// reads without a crash or sanitizer report, and the list the window writes
// reads back to the same list: closing the window again changes nothing.
#include <cstdint>

#include "FuzzSupport.h"
#include "astro/TextFormat.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "zu/core/SiteList.h"

namespace {

// What the window computes to fill its fields from a listed site.
void ShowSite(const zu::ObsSite& site) {
    for (const double angle : {site.Longitude, site.Latitude}) {
        int degrees = 0, minutes = 0;
        float seconds = 0;
        astro::SplitDegreesDms(angle, degrees, minutes, seconds);
        (void)skydata::FormatPlainNumber(degrees);
        (void)skydata::FormatPlainNumber(minutes);
        (void)astro::FormatDigitPattern(seconds, "0.00##");
    }
    (void)skydata::FormatPlainNumber(static_cast<double>(site.TimeZone));
    (void)skydata::FormatPlainNumberSingle(site.Pressure);
    (void)skydata::FormatPlainNumberSingle(site.Temperature);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<std::string> bytes = platform::ReadFileBytes(tools::fuzz::WriteInput("local.txt", data, size));
    tools::fuzz::Check(bytes.has_value());
    const std::vector<zu::SiteLine> lines = zu::ParseSiteLines(*bytes);
    for (const zu::SiteLine& line : lines) {
        if (line.IsSite) ShowSite(line.Site);
    }
    const std::string written = zu::FormatSiteLines(lines);
    const std::vector<zu::SiteLine> again = zu::ParseSiteLines(written);
    tools::fuzz::Check(again.size() == lines.size());
    tools::fuzz::Check(zu::FormatSiteLines(again) == written);
    // Every name goes back as the bytes it was read from.
    for (std::size_t i = 0; i < lines.size(); ++i) tools::fuzz::Check(again[i].NameBytes == lines[i].NameBytes);
    return 0;
}
