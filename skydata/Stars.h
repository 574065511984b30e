#pragma once
// The two star catalogues: zone files, direction vectors for the chart date,
// zones of sky positions and the designation texts of bright stars.
//
// Zone files: <programDir>/bsc/bscNN.dat (42-byte records) and
// <programDir>/sky2000/s2kNN.dat (59-byte records), NN = 00..29, little-endian.
// A zone holds as many stars as its file holds whole records.
#include <cstdint>
#include <filesystem>
#include <string>

#include "skydata/Catalogs.h"
#include "skydata/LoadLog.h"

namespace skydata {

inline constexpr int kBscRecordBytes = 42;
inline constexpr int kS2kRecordBytes = 59;

// Zone 0..29 of a position: declination bands 75.., 45..75, 15..45, -15..15,
// -45..-15, -75..-45, ..-75 (lower bounds inclusive), each band cut into 1, 4,
// 6, 8, 6, 4, 1 equal RA ranges. ra_deg may be any finite angle (folded into
// 0 <= RA < 360 first); a non-finite RA counts as 0.
int StarZoneOf(double ra_deg, double dec_deg);

// Greek letter of the Bayer byte (none for 24 and above) followed by the
// superscript as decimal text when it is not 0: (0, 0) -> "α", (24, 2) -> "2".
std::string BayerText(std::uint8_t letter, std::uint8_t superscript);

// Decimal text of a byte, empty for 0.
std::string ByteNumberText(std::uint8_t value);

// Spectral colour index from the first character of a spectral type:
// O 0, B 1, A 2, F 3, G 4, K 5, M/C/S 6, anything else 7.
std::uint8_t SpectralClassOf(char firstCharacter);

// Read the 30 zone files into state, then compute the vectors for the chart
// time. jd_local is the chart time as a local civil Julian day. A missing
// zone file throws platform::RunTimeError; a damaged record is skipped and
// logged; a trailing partial record is logged.
void LoadBrightStars(CatalogState& state, const std::filesystem::path& programDir,
                     double jd_local, bool properMotion, LoadLog& log);
void LoadSky2000Stars(CatalogState& state, const std::filesystem::path& programDir,
                      double jd_local, bool properMotion, LoadLog& log);

// Direction vectors of every star for the chart time: J2000 place moved by
// proper motion over (jd_local - 2451545) / 365.25 years when properMotion,
// else the J2000 place; no precession. One pass, no allocation.
// ComputeBscVectors ends with LinkStarNames.
void ComputeBscVectors(CatalogState& state, double jd_local, bool properMotion);
void ComputeS2kVectors(CatalogState& state, double jd_local, bool properMotion);

// Copies direction and magnitude of the bright star with the same HR into
// every entry of both star-name lists; an entry whose HR is in no zone is
// left as it was (zero after loading).
void LinkStarNames(CatalogState& state);

}  // namespace skydata
