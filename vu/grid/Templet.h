#pragma once
// Template documents: a text (HTML, XML or any other) in which tags of seven
// characters, "#" + kind + two digits + field + "#", stand for values of the
// displayed month. The values come from 42 cells laid out like the month
// grid (six weeks, Sunday first), filled before the tags are expanded.
// "#YEAR0#" and "#MONTH#" are the year and month. Qt-free.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace calendar {
struct CalendarState;
}  // namespace calendar

namespace vu {

struct TempletCellRecord {
    std::int16_t no = 0;   // 1..42
    std::int16_t day = 0;  // day of the month (October 1582: 1..4, 15..31); 0 outside it
    std::string WK, SR, SS, MR, MS, PH, LD, DS, SD;
    bool hidden = true;  // outside the month
    std::string T1, T2, T3;
};

// The module's state: the cells and the two texts of the last expansion.
struct TempletState {
    std::array<TempletCellRecord, 42> TempletCell;  // cell n is TempletCell[n - 1]
    std::string TempletYearText;
    std::string TempletMonthText;
};
TempletState& Templet();

void ClearTempletCells();
// Fills the cells of the days of month 1..12 of year; the rise and set times
// are computed whatever ShowRST says. Needs the year prepared.
void FillTempletCells(calendar::CalendarState& state, int year, int month);
// The replacement of a seven-character tag (any letter case). A number out
// of 1..42 or an unknown field leaves the tag, upper-cased; a kind other
// than B or M, or a number that is not one, leaves it exactly as it was.
std::string TempletTagValue(const std::string& tag);
// The largest result a template may give (UTF-8 bytes): a long special-day
// name in every tag of a large template would otherwise take gigabytes.
inline constexpr std::size_t kLargestTempletResult = 64 * 1024 * 1024;

// Expands every tag of the text for the month in one pass over the text: a
// value is written out as it is and never scanned for tags itself. With
// escape_html (an HTML or XML template) every value is written with "&",
// "<", ">", '"' and "'" as entities, so a special day's name stays text.
// nullopt when the result would be longer than limit bytes; the work stops
// there, and the memory it takes stays near the limit.
std::optional<std::string> ApplyTemplet(calendar::CalendarState& state, int year, int month, const std::string& text,
                                        bool escape_html = false, std::size_t limit = kLargestTempletResult);

// "Result_vuAD2024년3월", "Result_vuBC1년3월".
std::string TempletResultName(int year, int month);

}  // namespace vu
