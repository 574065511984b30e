#pragma once
// The lines the user draws between two sky positions, and their text form,
// the settings value `DLine`: one record per non-empty line, fields separated
// by "<;", each record ending in CR LF:
//   RA1 <; Dec1 <; RA2 <; Dec2 <; Color <; Text
// The list is never empty: an empty list is one element whose coordinates are
// all 0, and a line whose four coordinates are all exactly 0 counts as empty.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skydata {

struct DrawnLine {
    double RA1 = 0;   // degrees, J2000
    double Dec1 = 0;
    double RA2 = 0;
    double Dec2 = 0;
    std::int32_t Color = 0;  // red + 256 * green + 65536 * blue
    std::string Text;
};

bool IsEmptyDrawnLine(const DrawnLine& line);

// Module state; ResetDrawnLineModule() restores the start of a run.
struct DrawnLineState {
    std::vector<DrawnLine> DrawnLines = std::vector<DrawnLine>(1);
    bool DrawnLinesShown = true;  // display switch; not stored in the settings
};
DrawnLineState& DrawnLineModule();
void ResetDrawnLineModule();

// Makes a line text fit the text form: "<;" becomes "< ;", CR and LF blanks.
std::string SanitizeLineText(std::string_view text);

// Appends a line; the first line of an empty list fills element 0. The text
// is sanitised.
void AddDrawnLine(std::vector<DrawnLine>& list, double ra1_deg, double dec1_deg, double ra2_deg, double dec2_deg,
                  std::int32_t color, std::string_view text);
void AddDrawnLine(double ra1_deg, double dec1_deg, double ra2_deg, double dec2_deg, std::int32_t color,
                  std::string_view text);

// Removes the line at `index`; nothing happens for an index outside the list.
// Removing the only line leaves one empty element.
void DeleteDrawnLine(std::vector<DrawnLine>& list, std::int64_t index);
void DeleteDrawnLine(std::int64_t index);

// The `DLine` text: one record per non-empty line.
std::string SerializeDrawnLines(const std::vector<DrawnLine>& list);
std::string SerializeDrawnLines();

// Replaces the list by the records of a `DLine` text. A last record without
// its CR LF is taken too; a record with fewer than six fields is skipped.
void ParseDrawnLines(std::vector<DrawnLine>& list, std::string_view text);
void ParseDrawnLines(std::string_view text);

}  // namespace skydata
