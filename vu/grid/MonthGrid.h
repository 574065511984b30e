#pragma once
// The month grid: the displayed month drawn on a picture surface (a
// coloured weekday header, 7 x 6 day cells in bands of the six font slots, a
// legend in the last cell, grid lines), and the two cell tables that the
// mouse, the day details and the outputs read afterwards. The special-day
// line of a cell is built by MakeCellSDStr, which the outputs share.
#include <array>
#include <cstdint>
#include <string>

#include "platform/Colour.h"

namespace platform {
class Surface;
}

namespace calendar {
struct CalendarState;
}  // namespace calendar

namespace vu {

// Tables indexed [column 0..6, Sunday first][row 0..5].
struct MonthCells {
    std::array<std::array<std::string, 6>, 7> CellText;
    // The grid's tip of each cell: CellText, then the Sun and Moon lines when
    // the cell had no room for them ("/일출몰: …", "/월출몰(위상): …").
    std::array<std::array<std::string, 6>, 7> CellTip;
    std::array<std::array<double, 6>, 7> CellJD{};
    std::int16_t GridCols = 7;
    std::int16_t GridRows = 6;
    double Jan1JD = 0;
};

// The tables of the last drawing (module state of the window).
MonthCells& MonthGrid();
void ClearMonthCells(MonthCells& cells);

// Background of the whole picture, header colours and the grid lines.
inline constexpr platform::Colour kGridBack = platform::Rgb(153, 204, 0);
inline constexpr platform::Colour kGridLine = platform::Rgb(70, 108, 34);
inline constexpr platform::Colour kLegendColour = platform::Rgb(128, 128, 128);
inline constexpr platform::Colour kRed = platform::Rgb(255, 0, 0);
inline constexpr platform::Colour kBlue = platform::Rgb(0, 0, 255);
inline constexpr platform::Colour kYellow = platform::Rgb(255, 255, 0);
inline constexpr platform::Colour kWhite = platform::Rgb(255, 255, 255);
// Height of the weekday header in pixels.
inline constexpr int kHeaderPixels = 30;
// The smallest size to which AutoSize shrinks a text, points: still legible.
inline constexpr double kSmallestCellFont = 8;
// What ends a text cut to fit its box.
inline constexpr const char* kEllipsis = "…";

// The text as wide as it can be within width in the surface's font: whole,
// or its longest beginning (whole characters) followed by kEllipsis.
std::string ElideText(const platform::Surface& pic, const std::string& text, double width);

// Applies font slot 0..5 (name, size, flags, colour) to the surface.
void SetCellFont(platform::Surface& pic, const calendar::CalendarState& state, int slot);
// Fills the box with back and prints the text centred in it in colour; with
// AutoSize the font shrinks (never below 8 points) until the text is no
// taller than the box, a wide text splits into two lines (one again when two
// do not fit at 8 points), and a line that still does not fit is cut with
// kEllipsis; a box lower than one line at 8 points stays empty. True when
// the text was cut or left out (the grid's tip keeps the whole text). Pixels.
bool FitCellText(platform::Surface& pic, bool auto_size, int x, int y, int w, int h, const std::string& text,
                 platform::Colour colour, platform::Colour back);
void DrawWeekHeader(platform::Surface& pic, const calendar::CalendarState& state, const MonthCells& cells);
// Texts: day label, special-day line, lunar line, Sun line, Moon line. With
// AutoSize, a cell too low for each band to hold one line at 8 points shows
// fewer lines: the bands from the first on that fit, sharing the cell's
// height, the last ending in kEllipsis when a text was left out. Whether
// each band's text was cut or left out.
std::array<bool, 5> DrawCell(platform::Surface& pic, const calendar::CalendarState& state, const MonthCells& cells, int column,
                             int row, const std::array<std::string, 5>& texts, platform::Colour day_colour,
                             platform::Colour day_back, platform::Colour special_back);
void DrawGridLines(platform::Surface& pic, const MonthCells& cells);

// The special-day line of a day and, in kind, the merged kind of its special
// days (1 holiday, 2 highlight). mode is DispType 0..4; zone_h the zone in
// force on the day; jan1_jd the noon of 1 January of the displayed year.
std::string MakeCellSDStr(const calendar::CalendarState& state, double jd, std::int16_t lunar_year, std::uint8_t lunar_month,
                          std::uint8_t lunar_day, bool leap, int mode, double zone_h, double jan1_jd,
                          std::uint8_t& kind);

// Draws month 1..12 of year on the surface (in pixels) and fills the cell
// tables; today_jd is the noon of the computer clock's date. Needs the year
// prepared (lunar months, special days). False, with nothing drawn and the
// tables untouched, for a month outside 1..12.
bool DrawCalendar(platform::Surface& pic, calendar::CalendarState& state, int year, int month, double today_jd,
                  MonthCells& cells);

}  // namespace vu
