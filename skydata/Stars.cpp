#include "skydata/Stars.h"

#include <cmath>
#include <cstdio>

#include "skydata/DataText.h"
#include "skydata/SkyMath.h"
#include "skydata/StartupTables.h"

namespace skydata {

namespace dt = datatext;

int StarZoneOf(double ra_deg, double dec_deg) {
    const double ra = std::isfinite(ra_deg) ? astro::Norm360(ra_deg) : 0.0;
    // ra < 360, so every quotient below stays inside its band.
    auto slot = [ra](double width_deg) { return static_cast<int>(std::floor(ra / width_deg)); };
    if (dec_deg >= 75) return 0;
    if (dec_deg >= 45) return 1 + slot(90);
    if (dec_deg >= 15) return 5 + slot(60);
    if (dec_deg >= -15) return 11 + slot(45);
    if (dec_deg >= -45) return 19 + slot(60);
    if (dec_deg >= -75) return 25 + slot(90);
    return 29;
}

std::string BayerText(std::uint8_t letter, std::uint8_t superscript) {
    std::string text;
    if (letter < kGreekLetterCount) text = GreekLetters[letter];
    if (superscript != 0) text += std::to_string(superscript);
    return text;
}

std::string ByteNumberText(std::uint8_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

std::uint8_t SpectralClassOf(char c) {
    switch (c) {
        case 'O': return 0;
        case 'B': return 1;
        case 'A': return 2;
        case 'F': return 3;
        case 'G': return 4;
        case 'K': return 5;
        case 'M':
        case 'C':
        case 'S': return 6;
        default: return 7;
    }
}

namespace {

std::string ZoneFileName(const char* prefix, int zone) {
    char name[16];
    std::snprintf(name, sizeof name, "%s%02d.dat", prefix, zone);
    return name;
}

bool PlaceIsSound(double ra, double dec) {
    return std::isfinite(ra) && std::isfinite(dec) && dec >= -90.0 && dec <= 90.0;
}

// Beyond any star's magnitude: a record outside is damaged (and its symbol
// size would overflow the drawing's integers).
bool MagnitudeIsSound(float mag) { return mag >= -30.0f && mag <= 30.0f; }

// Reads the records of one zone file; parse(record bytes, out) returns false
// for a damaged record, which is skipped and logged.
template <typename Record, typename Parse>
void ReadZoneFile(const std::filesystem::path& programDir, const char* folder, const char* prefix,
                  int zone, int recordBytes, std::vector<Record>& out, LoadLog& log,
                  Parse parse) {
    const std::string fileName = ZoneFileName(prefix, zone);
    const std::string display = std::string(folder) + "/" + fileName;
    const std::string bytes = dt::ReadDataBytes(programDir / folder / fileName, display);
    const std::size_t count = bytes.size() / static_cast<std::size_t>(recordBytes);
    const std::size_t rest = bytes.size() % static_cast<std::size_t>(recordBytes);
    out.clear();
    out.reserve(count);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t n = 0; n < count; ++n) {
        Record& record = out.emplace_back();
        if (!parse(data + n * recordBytes, record)) {
            out.pop_back();
            log.MalformedRecord(display, static_cast<long>(n + 1));
        }
    }
    if (rest != 0) log.TrailingPartialRecord(display, static_cast<long>(rest));
}

bool ParseBscRecord(const unsigned char* p, BscStarRecord& s) {
    s.HR = dt::ReadInt16LE(p);
    s.RA_deg = dt::ReadDoubleLE(p + 2);
    s.Dec_deg = dt::ReadDoubleLE(p + 10);
    s.Mag = dt::ReadFloatLE(p + 18);
    s.PmRA_arcsecPerYear = dt::ReadFloatLE(p + 34);
    s.PmDec_arcsecPerYear = dt::ReadFloatLE(p + 38);
    if (!PlaceIsSound(s.RA_deg, s.Dec_deg) || !MagnitudeIsSound(s.Mag) ||
        !std::isfinite(s.PmRA_arcsecPerYear) || !std::isfinite(s.PmDec_arcsecPerYear)) {
        return false;
    }
    const std::uint8_t letter = p[27];
    if (letter > kNoBayerLetter) return false;
    s.SpType = dt::RecordText(p + 22, 2);
    s.SpClass = SpectralClassOf(s.SpType.empty() ? ' ' : s.SpType[0]);
    s.Flamsteed = dt::RecordText(p + 24, 3);
    s.Bayer = BayerText(letter, p[28]);
    s.KorConst = dt::TrimmedRecordText(p + 29, 4);
    s.KorNumber = ByteNumberText(p[33]);
    return true;
}

// A text field of a record without its blanks, as it stands in the record
// when it is ASCII (the catalogue's case: no copy), else decoded into `held`.
std::string_view FieldText(const unsigned char* p, std::size_t length, std::string& held) {
    const std::string_view text = dt::Trim({reinterpret_cast<const char*>(p), length});
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            held = dt::RecordText(reinterpret_cast<const unsigned char*>(text.data()), text.size());
            return held;
        }
    }
    return text;
}

// One zone file of the extended catalogue, parsed in place from the one read
// of the file: numbers straight from the bytes, the texts trimmed (decoded
// only when they hold a byte beyond ASCII). A damaged record is skipped and
// logged.
void ReadS2kZoneFile(const std::filesystem::path& programDir, int zone, S2kZone& out, std::string& bytes,
                     LoadLog& log) {
    const std::string fileName = ZoneFileName("s2k", zone);
    const std::string display = "sky2000/" + fileName;
    dt::ReadDataBytesInto(programDir / "sky2000" / fileName, display, bytes);
    const std::size_t count = bytes.size() / static_cast<std::size_t>(kS2kRecordBytes);
    const std::size_t rest = bytes.size() % static_cast<std::size_t>(kS2kRecordBytes);
    out.clear();
    out.reserve(count);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::string held[4];
    for (std::size_t n = 0; n < count; ++n) {
        const unsigned char* p = data + n * kS2kRecordBytes;
        S2kStarPlace place;
        place.RA_deg = dt::ReadDoubleLE(p + 20);
        place.Dec_deg = dt::ReadDoubleLE(p + 28);
        place.PmRA_arcsecPerYear = dt::ReadDoubleLE(p + 36);
        place.PmDec_arcsecPerYear = dt::ReadDoubleLE(p + 44);
        const float mag = dt::ReadFloatLE(p + 52);
        if (!PlaceIsSound(place.RA_deg, place.Dec_deg) || !MagnitudeIsSound(mag) ||
            !std::isfinite(place.PmRA_arcsecPerYear) || !std::isfinite(place.PmDec_arcsecPerYear)) {
            log.MalformedRecord(display, static_cast<long>(n + 1));
            continue;
        }
        // The first two characters of the trimmed type, cut before decoding so
        // that a multi-byte character is never split.
        const unsigned char* type = p + 56;
        std::size_t typeLength = 3;
        while (typeLength > 0 && (*type == ' ' || *type == '\0')) ++type, --typeLength;
        const std::string_view spType = FieldText(type, typeLength < 2 ? typeLength : 2, held[3]);
        out.Append(place, mag, SpectralClassOf(spType.empty() ? ' ' : spType[0]), FieldText(p, 8, held[0]),
                   FieldText(p + 8, 6, held[1]), FieldText(p + 14, 6, held[2]), spType);
    }
    out.FinishLoading();
    if (rest != 0) log.TrailingPartialRecord(display, static_cast<long>(rest));
}

template <typename Zones>
void SetLastIndices(const Zones& zones, std::array<std::int32_t, kStarZoneCount>& last) {
    for (int z = 0; z < kStarZoneCount; ++z) {
        last[z] = static_cast<std::int32_t>(zones[z].size()) - 1;
    }
}

double ProperMotionYears(double jd_local, bool properMotion) {
    return properMotion ? 100.0 * (jd_local - skymath::kJ2000) / skymath::kDaysPerCentury : 0.0;
}

template <typename Record>
void ComputeVectors(StarZones<Record>& zones, double years) {
    for (auto& zone : zones) {
        for (Record& s : zone) {
            const double ra = s.RA_deg + s.PmRA_arcsecPerYear * years / 3600.0;
            const double dec = s.Dec_deg + s.PmDec_arcsecPerYear * years / 3600.0;
            const skymath::Vec3 v = skymath::SphericalToCartesian(ra, dec);
            s.x = v.x;
            s.y = v.y;
            s.z = v.z;
        }
    }
}

// Stars in the outer loop: the name lists are small and stay in cache while
// the star table is walked once. Stars are visited in zone and index order,
// so the last star with an entry's HR wins.
void LinkNameLists(const StarZones<BscStarRecord>& zones, std::vector<StarNameEntry>& east,
                   std::vector<StarNameEntry>& west) {
    for (const auto& zone : zones) {
        for (const BscStarRecord& s : zone) {
            for (std::vector<StarNameEntry>* list : {&east, &west}) {
                for (StarNameEntry& entry : *list) {
                    if (entry.HR != s.HR) continue;
                    entry.x = s.x;
                    entry.y = s.y;
                    entry.z = s.z;
                    entry.Mag = s.Mag;
                }
            }
        }
    }
}

}  // namespace

void LoadBrightStars(CatalogState& state, const std::filesystem::path& programDir,
                     double jd_local, bool properMotion, LoadLog& log) {
    StarZones<BscStarRecord> zones;
    for (int z = 0; z < kStarZoneCount; ++z) {
        ReadZoneFile(programDir, "bsc", "bsc", z, kBscRecordBytes, zones[z], log, ParseBscRecord);
    }
    state.BscStar = std::move(zones);
    SetLastIndices(state.BscStar, state.BscZoneLastIndex);
    ComputeBscVectors(state, jd_local, properMotion);
}

void LoadSky2000Stars(CatalogState& state, const std::filesystem::path& programDir,
                      double jd_local, bool properMotion, LoadLog& log) {
    std::array<S2kZone, kStarZoneCount> zones;
    std::string bytes;  // one buffer for every zone file
    const double years = ProperMotionYears(jd_local, properMotion);
    for (int z = 0; z < kStarZoneCount; ++z) {
        ReadS2kZoneFile(programDir, z, zones[z], bytes, log);
        // While the zone is still in the cache.
        zones[z].ComputeVectors(years);
    }
    state.S2kStar = std::move(zones);
    SetLastIndices(state.S2kStar, state.S2kZoneLastIndex);
}

void ComputeBscVectors(CatalogState& state, double jd_local, bool properMotion) {
    ComputeVectors(state.BscStar, ProperMotionYears(jd_local, properMotion));
    LinkStarNames(state);
}

void ComputeS2kVectors(CatalogState& state, double jd_local, bool properMotion) {
    const double years = ProperMotionYears(jd_local, properMotion);
    for (S2kZone& zone : state.S2kStar) zone.ComputeVectors(years);
}

void LinkStarNames(CatalogState& state) {
    LinkNameLists(state.BscStar, state.EastStarNames, state.WestStarNames);
}

}  // namespace skydata
