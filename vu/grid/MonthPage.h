#pragma once
// The month frame that the saved and printed outputs share with the screen
// grid: 1 January, the month's first and last days (noon Julian days), its
// first weekday, the ten days dropped in October 1582, and the five texts of
// a day cell with the kind of its special days. Qt-free.
#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace calendar {
struct CalendarState;
}  // namespace calendar

namespace vu {

// The first Gregorian day (1582 October 15) at noon.
inline constexpr double kGregorianStartJD = 2299161;

struct MonthFrame {
    int year = 0;   // astronomical numbering: 0 is 1 BC
    int month = 1;  // 1..12
    double jan1_jd = 0;
    double first_jd = 0;  // day 1
    double last_jd = 0;   // the last day (October 1582: the 31st, nine days after the 4th + 1)
    int first_weekday = 0;  // 0 Sunday .. 6 Saturday
    int gap = 0;            // 10 in October 1582, else 0
};

// The frame of month 1..12 of year, the reform applied. A month outside 1..12
// counts as the nearest of them.
MonthFrame MonthFrameOf(int year, int month);

// Refreshes the event list of the special-day line over the month and thirty
// days on either side.
void ListMonthPhenomena(calendar::CalendarState& state, const MonthFrame& frame);

// The day number of a day of the frame: 1..4 and 15..31 in October 1582.
int DayOfMonth(const MonthFrame& frame, double jd);

// The weekday of a noon Julian day, 0 Sunday .. 6 Saturday.
int WeekdayOf(double jd);

// The five texts of a day cell, each trimmed: day label, special-day line,
// lunar line ("lunar date/stem-branch", or the tide name with Tidal), Sun
// line and Moon line (empty unless ShowRST); kind 1 or 3 marks a holiday.
// A day outside the prepared lunar year has no lunar date and no lunar
// special days.
struct DayLines {
    std::array<std::string, 5> lines;
    std::uint8_t kind = 0;
    std::string special, lunar;  // the special-day and lunar lines untrimmed, as the cell's tip shows them
};
DayLines MonthDayLines(const calendar::CalendarState& state, const MonthFrame& frame, double jd);

// Colour class of a cell: 0 black, 1 red (Sunday column or a holiday), 2 blue
// (Saturday column). column 1..7.
int DayColourClass(int column, std::uint8_t kind);

// Surrounding blanks removed.
std::string TrimBlanks(const std::string& text);

// The two lines of a cell text too wide for one: the text cut at its middle
// character (a Korean syllable stays whole), each half trimmed.
std::pair<std::string, std::string> SplitInTwoLines(const std::string& text);

// The year as the output file names write it: "AD" and the year for a year
// above 0, else "BC" and |year| + 1; at least `digits` digits.
std::string EraYearText(int year, int digits);

}  // namespace vu
