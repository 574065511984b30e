#pragma once
// The user's map points (named markers on the chart) and their text form, the
// settings value `PointData`: one record per point in use, fields separated
// by "<;", each record ending in CR LF:
//   Flag <; RA <; Dec <; Name <; Color <; Size <; Kind
// The list is never empty: an empty list is one element with an empty Flag.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skydata {

// The marker size of a point whose size is unusable.
constexpr float kDefaultMarkerSize_arcmin = 60;

struct MapPoint {
    double RA = 0;           // right ascension, degrees, J2000
    double Dec = 0;          // declination, degrees, J2000
    float Size = 0;          // marker diameter, arcminutes
    std::int32_t Color = 0;  // red + 256 * green + 65536 * blue
    std::string Name;
    std::string Flag;        // "y" for a point in use; empty for the unused element of an empty list
    std::uint8_t Kind = 0;   // 0 point, 1 circle, 2 filled circle, 3 rectangle, 4 filled rectangle, 5 cross
};

// Module state; ResetMapPointModule() restores the start of a run.
struct MapPointState {
    std::vector<MapPoint> MapPoints = std::vector<MapPoint>(1);
    bool MapPointsShown = true;  // display switch; not stored in the settings
};
MapPointState& MapPointModule();
void ResetMapPointModule();

// Makes a name fit the text form: "<;" becomes "< ;", CR and LF become
// blanks, and leading and trailing blanks go (the reader trims names).
std::string SanitizeMarkName(std::string_view name);

// The list becomes one empty element.
void ClearMapPoints(std::vector<MapPoint>& list);
void ClearMapPoints();

// Appends a point in use (Flag "y"); the first point of an empty list fills
// element 0. The name is sanitised.
void AddMapPoint(std::vector<MapPoint>& list, double ra_deg, double dec_deg, std::uint8_t kind, float size_arcmin,
                 std::string_view name, std::int32_t color);
void AddMapPoint(double ra_deg, double dec_deg, std::uint8_t kind, float size_arcmin, std::string_view name,
                 std::int32_t color);

// The `PointData` text: one record per point whose Flag is exactly "y".
std::string SerializeMapPoints(const std::vector<MapPoint>& list);
std::string SerializeMapPoints();

// Replaces the list by the records of a `PointData` text. A last record
// without its CR LF is taken too; a record with fewer than seven fields is
// skipped; a kind outside 0..5 becomes 1 (circle).
void ParseMapPoints(std::vector<MapPoint>& list, std::string_view text);
void ParseMapPoints(std::string_view text);

// Pieces of a list text: every piece ending in CR LF, and a last piece without
// it when that piece is not blank. Shared by the marker, line and track lists.
std::vector<std::string_view> SplitRecordLines(std::string_view text);
// Splits a record at every "<;".
std::vector<std::string_view> SplitMarkFields(std::string_view record);

// Replaces `list` by the records of a list text: each record with at least
// `fieldCount` fields becomes one element, make(fields), in text order (the
// first fills element 0); shorter records are skipped. Without any record the
// list is one default element.
template <typename Record, typename Make>
void ParseMarkRecords(std::vector<Record>& list, std::string_view text, std::size_t fieldCount, Make&& make) {
    std::vector<Record> parsed;
    for (std::string_view record : SplitRecordLines(text)) {
        const std::vector<std::string_view> fields = SplitMarkFields(record);
        if (fields.size() >= fieldCount) parsed.push_back(make(fields));
    }
    if (parsed.empty()) parsed.emplace_back();
    list = std::move(parsed);
}

}  // namespace skydata
