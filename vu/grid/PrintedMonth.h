#pragma once
// The displayed month on a printed page: a title, the weekday header, a
// 7 x 6 grid of day cells with the screen grid's texts, the legend in the
// last cell and the grid lines. The layout is in fractions of the page
// (PW x PH in the page's units, about millimetres), so it follows any paper
// and orientation; with AutoSize every text shrinks to its box (never below
// 6 points) and a wide one splits into two lines. Qt-free: it draws on the
// platform's printer surface (a recording surface in tests).
#include <array>
#include <string>

#include "platform/Colour.h"

namespace platform {
class Surface;
}

namespace calendar {
struct CalendarState;
}  // namespace calendar

namespace vu {

// The smallest printed font, points.
inline constexpr double kSmallestPrintFont = 8;

// The page geometry, computed from the surface's size.
struct PrintGeometry {
    double PW = 0, PH = 0;
    double left = 0, top = 0, grid_top = 0;
    double grid_width = 0, grid_height = 0;
    double cw = 0, rh = 0;
};
PrintGeometry PrintGeometryOf(const platform::Surface& page);

// "2024년 3월", "기원전1년 3월".
std::string PrintTitle(int year, int month);

// Font slot 0..5 of the calendar on the page (name, size, flags, colour).
void ApplyPrinterFont(platform::Surface& page, const calendar::CalendarState& state, int slot);
// Prints the text centred in the box (page units) in colour, fitted with
// auto_size; the font size is left as fitted.
void PrintFitText(platform::Surface& page, bool auto_size, double x, double y, double w, double h,
                  const std::string& text, platform::Colour colour);
void PrintWeekHeader(platform::Surface& page, const calendar::CalendarState& state, const PrintGeometry& g);
// Column 1..7, row 1..6; texts: day label, special-day line, lunar line, Sun
// line, Moon line (the last two only with ShowRST).
void PrintCell(platform::Surface& page, const calendar::CalendarState& state, const PrintGeometry& g, int column, int row,
               const std::array<std::string, 5>& texts, platform::Colour colour);
void PrintGridLines(platform::Surface& page, const PrintGeometry& g);
// Header, legend, day cells and grid lines of month 1..12 of year.
void PrintMonthGrid(platform::Surface& page, calendar::CalendarState& state, const PrintGeometry& g, int year, int month);
// The whole page: title, then the month grid. Needs the year prepared.
void PrintCalendar(platform::Surface& page, calendar::CalendarState& state, int year, int month);

}  // namespace vu
