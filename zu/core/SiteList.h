#pragma once
// "local.txt", the list of named observer sites of the site window: read
// and written here, without Qt, so the window and the reader's fuzz target
// share one parser.
//
// "local.txt" (code page 949, CR LF): one site a line, the fields separated
// by ";": name; longitude; latitude; zone; pressure; temperature; and two
// numbers only carried. A line of 4 fields takes 1013 hPa, 15 degrees, 0 and
// 6; lines of 1 to 3 or 5 to 7 fields, and damaged site lines (a longitude
// or latitude of 360 degrees or more, which the window's degree fields
// cannot show, or a zone, pressure, temperature or carried number beyond
// single precision), are kept as they stand and not listed.
#include <string>
#include <vector>

namespace zu {

// Its name in the user folder.
inline constexpr const char* kSiteListFileName = "local.txt";

struct ObsSite {
    std::string Name;
    double Longitude = 0;  // degrees, East positive
    double Latitude = 0;   // degrees, North positive
    float TimeZone = 0;    // hours, with the sign the file gives
    float Pressure = 1013;
    float Temperature = 15;
    float Extra1 = 0;
    float Extra2 = 6;
};

// One line of "local.txt": a site, or a line kept verbatim.
struct SiteLine {
    bool IsSite = false;
    ObsSite Site;
    // A line that is no site: its bytes as the file holds them.
    std::string Verbatim;
    // A site read from the file: its name's bytes as the file holds them.
    // While Site.Name still reads as these bytes the name is written back
    // as they stand, so a name code page 949 cannot hold (stray bytes, a name
    // saved in another encoding) is never turned into '?'.
    std::string NameBytes;
    bool Removed = false;  // removed in the window: left out when written
};

// The lines of the bytes of "local.txt" (empty lines dropped), and the bytes
// written back: a site's fields are decoded from code page 949 and encoded
// again only where they changed; a verbatim line is written as it was read.
std::vector<SiteLine> ParseSiteLines(const std::string& cp949);
std::string FormatSiteLines(const std::vector<SiteLine>& lines);

}  // namespace zu
