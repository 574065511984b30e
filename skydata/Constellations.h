#pragma once
// The three constellation systems (W Western, E traditional Korean, O the
// set of the star map 천상열차분야지도): figure lines, labels, names with
// their display filters; the constellation-by-position table; and the sky
// districts.
//
// A constellation code identifies a constellation by its first four
// characters (case-sensitive); a label code may carry a fifth. Every match
// between lines, labels, names and filters compares the first four
// characters of both sides. Western codes are "A" and the abbreviation
// ("AUMi"); the boundary file and the position table carry the bare
// abbreviation.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "skydata/LoadLog.h"
#include "skydata/MilkyWay.h"

namespace skydata {

// One figure line; ends are J2000 directions of length 1000.
struct ConstLineRecord {
    double x1 = 0, y1 = 0, z1 = 0;
    double x2 = 0, y2 = 0, z2 = 0;
    std::string Code;
    std::uint8_t Visible = 1;
};

// One label point (J2000 direction of length 1000) and its chart text.
struct ConstLabelRecord {
    float x = 0, y = 0, z = 0;
    std::string Text;
    std::string Code;
    std::uint8_t Visible = 1;
};

// Names and display flags of one constellation.
struct ConstDataRecord {
    std::string Code;
    std::string Name1;
    std::string Name2;
    std::uint8_t Number = 0;        // 0 = none
    std::uint8_t ShowFigure = 1;    // lines and label drawn
    std::uint8_t ShowBoundary = 1;  // Western rows only: boundary drawn
};

struct ConstellationSystem {
    std::vector<ConstLineRecord> Lines;
    std::vector<ConstLabelRecord> Labels;
    std::vector<ConstDataRecord> Data;
};

// Constellation-by-position table (equinox B1875), rows in search order.
struct ConstPosTable {
    std::vector<float> RALow_deg;
    std::vector<float> RAHigh_deg;
    std::vector<float> DecLow_deg;
    std::vector<std::string> Code;  // bare abbreviation ("UMi")
};

inline constexpr int kSkyDistrictCount = 31;

// Index i (0..30): Hangul name of district i; 31 + i: its Hanja name. The
// three enclosures, then the 28 lunar mansions (mansion k is entry 3 + k).
// For 저 and 자 the Hanja entry repeats the Hangul; 參 is U+F96B as stored.
extern const std::array<std::string_view, 2 * kSkyDistrictCount> SkyDistricts;

struct ConstellationState {
    ConstellationSystem W, E, O;
    std::vector<BoundaryPointRecord> BoundaryPoint;
    std::vector<MilkyWayPointRecord> MilkyWayPoint;
    ConstPosTable PosTable;
};

ConstellationState& Constellations();
void ResetConstellations();

// The first four characters of a code.
std::string_view CodeKey(std::string_view code);

// Readers. Each throws platform::RunTimeError when its file is missing and
// skips and logs a damaged line or record; arrays are sized from the file.
// "clineX.dat": 12-byte records RA1 (0.015 degree units), Dec1 (0.01 degree),
// RA2, Dec2 (int16 little-endian), code (4 characters).
std::vector<ConstLineRecord> LoadConstLines(const std::filesystem::path& path,
                                            const std::string& displayName, LoadLog& log);
// "clabelX.dat": lines of code (5 characters), RA hours (6), Dec degrees (7).
std::vector<ConstLabelRecord> LoadConstLabels(const std::filesystem::path& path,
                                              const std::string& displayName, LoadLog& log);
// "ConstDataX.dat": lines "code, name 1, name 2, number 0..255".
std::vector<ConstDataRecord> LoadConstData(const std::filesystem::path& path,
                                           const std::string& displayName, LoadLog& log);
// "pos_data.dat": rows "RA low h, RA high h, Dec low deg, abbreviation"
// (commas or blanks); RA is stored in degrees.
ConstPosTable LoadConstPosTable(const std::filesystem::path& programDir, LoadLog& log);

// Loads the lines, labels and names of one system ("W", "E" or "O") from
// the program folder.
ConstellationSystem LoadConstellationSystem(const std::filesystem::path& programDir,
                                            char system, LoadLog& log);

// Every label's Text: Name2 (secondName) or Name1 of the constellation with
// its code, followed by " " and its number when the number is not 0. Labels
// without a constellation keep their text.
void BuildConstLabels(std::vector<ConstLabelRecord>& labels,
                      const std::vector<ConstDataRecord>& data, bool secondName);

// Filter texts: the four-character codes of the shown constellations joined
// without separators. SetConstFilter cuts the trimmed text into four-character
// chunks and shows exactly the constellations whose code is one of them
// (so a blank text hides all). boundary selects ShowBoundary, else ShowFigure.
std::string GetConstFilter(const std::vector<ConstDataRecord>& data, bool boundary);
void SetConstFilter(std::string_view filter, std::vector<ConstDataRecord>& data, bool boundary);

// Every line and label takes the ShowFigure of the constellation with its
// code; those without a constellation keep their flag.
void ApplyConstFilter(const std::vector<ConstDataRecord>& data,
                      std::vector<ConstLabelRecord>& labels, std::vector<ConstLineRecord>& lines);

// Every boundary point takes the ShowBoundary of the Western constellation
// whose upper-cased code is "A" and the point's upper-cased code.
void ApplyBoundFilter(const std::vector<ConstDataRecord>& westernData,
                      std::vector<BoundaryPointRecord>& points);

// Name of the constellation with the code (the last row with that code
// wins): form 1 Name1, form 2 Name2, otherwise Name1 "(" Name2 ")"; followed
// by " " and the number when withNumber and the number is not 0. Empty for
// an unknown code.
std::string GetConstName(const std::vector<ConstDataRecord>& data, std::string_view code,
                         int form, bool withNumber);

// Western code ("A" + abbreviation) of the constellation containing the
// position (RA, Dec in degrees of the equinox of epoch_jd); empty when the
// table covers no row for it.
std::string FindConstellationCodeAt(const ConstPosTable& table, double ra_deg, double dec_deg,
                                    double epoch_jd);

// GetConstName(westernData, code, form 0, with number) of that constellation;
// empty when the position is not covered.
std::string FindConstellationAt(const ConstPosTable& table,
                                const std::vector<ConstDataRecord>& westernData, double ra_deg,
                                double dec_deg, double epoch_jd);

}  // namespace skydata
