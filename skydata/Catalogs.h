#pragma once
// The star catalogues, star-name lists and deep-sky table held in memory for
// the whole run. Stars are split into 30 sky zones (see StarZoneOf) so that
// the chart can skip whole zones out of view; a star's key is its catalogue
// letter ("S" bright, "E" extended), the zone, ":" and its index in the zone.
//
// Frame of every direction vector here: J2000 equator and equinox, x toward
// RA 0, y toward RA 90 degrees, z toward the north pole; length 1000.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace skydata {

inline constexpr int kStarZoneCount = 30;

// One star of the bright-star catalogue (folder "bsc", 42-byte records).
struct BscStarRecord {
    std::int16_t HR = 0;
    double RA_deg = 0;        // J2000
    double Dec_deg = 0;       // J2000
    float Mag = 0;            // visual magnitude
    std::string SpType;       // two characters as in the file
    std::uint8_t SpClass = 7; // O B A F G K M(C,S) = 0..6, anything else 7 (white)
    std::string Flamsteed;    // three characters as in the file
    std::string Bayer;        // BayerText of the letter and superscript
    std::string KorConst;     // code of the traditional constellation, trimmed
    std::string KorNumber;    // ByteNumberText of the star's number there
    float PmRA_arcsecPerYear = 0;   // an angle of RA (not times cos Dec)
    float PmDec_arcsecPerYear = 0;
    double x = 0, y = 0, z = 0;     // J2000 direction moved by proper motion to the chart date
};

// One star of the extended catalogue (folder "sky2000", 59-byte records).
struct S2kStarRecord {
    std::string Id;   // catalogue number, trimmed
    std::string HD;   // trimmed, empty when none
    std::string SAO;  // trimmed, empty when none
    double RA_deg = 0;
    double Dec_deg = 0;
    double PmRA_arcsecPerYear = 0;
    double PmDec_arcsecPerYear = 0;
    float Mag = 0;
    std::string SpType;        // first two characters of the trimmed type
    std::uint8_t SpClass = 7;
    double x = 0, y = 0, z = 0;
};

// A proper star name; direction and magnitude come from the bright star of
// the same HR (LinkStarNames), zero when there is none.
struct StarNameEntry {
    std::int16_t HR = 0;
    std::string Name;
    std::string Name2;
    double x = 0, y = 0, z = 0;
    float Mag = 0;
};

// One deep-sky object of "dso.dat". Type is one of "GC", "GX", "OC", "DN",
// "PN", "CN", "DK", "CG", "AS". A magnitude of 100 or more means none.
struct DeepSkyObjectRecord {
    std::string ID1, ID2;
    float RA_deg = 0;   // J2000
    float Dec_deg = 0;
    float Mag = 0;
    std::string Type;
    float Size1_arcmin = 0;
    float Size2_arcmin = 0;
    std::int16_t PA_deg = 0;  // position angle
    std::string Name1, Name2;  // Korean and English names
    std::string Desc1, Desc2;
    double x = 0, y = 0, z = 0;  // J2000 direction, no precession
};

template <typename Record>
using StarZones = std::array<std::vector<Record>, kStarZoneCount>;

struct CatalogState {
    StarZones<BscStarRecord> BscStar;
    std::array<std::int32_t, kStarZoneCount> BscZoneLastIndex;  // -1 for an empty zone
    StarZones<S2kStarRecord> S2kStar;
    std::array<std::int32_t, kStarZoneCount> S2kZoneLastIndex;
    std::vector<StarNameEntry> EastStarNames;  // "eName.dat"
    std::vector<StarNameEntry> WestStarNames;  // "wName.dat"
    std::vector<DeepSkyObjectRecord> DeepSkyObject;  // key "M" & index

    CatalogState() {
        BscZoneLastIndex.fill(-1);
        S2kZoneLastIndex.fill(-1);
    }
};

// The one instance the program uses; tests make their own.
CatalogState& Catalogs();
void ResetCatalogs();

}  // namespace skydata
