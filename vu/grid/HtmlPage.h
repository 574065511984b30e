#pragma once
// The displayed month as one HTML page: the title line, a table with the
// coloured weekday row and one cell per day, the legend and a footer naming
// the program. Built in memory with CR LF line breaks; saved in code page
// 949, which the charset line of the head declares. Qt-free.
#include <array>
#include <string>
#include <string_view>

namespace calendar {
struct CalendarState;
}  // namespace calendar

namespace vu {

// The entity written for a byte that HTML text must not hold as it is
// ("&amp;" for "&"; "<", ">", '"' and "'" too), "" for any other byte.
std::string_view HtmlEntity(char c);
// The text with those bytes as entities, so that it stays text in an element
// and in an attribute quoted either way (title='…' as well as title="…").
std::string HtmlEscape(const std::string& text);

// The head, the title line ("2024년 3월", "기원전 1년 3월"), the table start
// and the weekday row.
std::string HtmlHeader(int year, int month);
// One day cell; colour is "#000000", "#ff0000" or "#0000ff". The lines are
// escaped here.
std::string HtmlCell(const std::array<std::string, 5>& lines, const std::string& colour);
// The table end, the legend and the footer; program is "vu 0.1".
std::string HtmlLegend(const calendar::CalendarState& state, const std::string& program);
// The whole page of month 1..12 of year (astronomical numbering). Needs the
// year prepared; refreshes the event list over the month.
std::string MakeHtmlCalendar(calendar::CalendarState& state, int year, int month, const std::string& program);

// The month as a title: "2024년 3월", "기원전 1년 3월".
std::string MonthTitle(int year, int month);

// "vuAD2024년3월" and the extension (".htm", ".bmp", ".pdf"): the name a saved
// month is offered under.
std::string MonthFileName(int year, int month, std::string_view extension);
// "vuAD2024년3월.htm", "vuBC0001년3월.htm".
std::string HtmlFileName(int year, int month);

}  // namespace vu
