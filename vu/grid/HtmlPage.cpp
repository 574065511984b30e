#include "vu/grid/HtmlPage.h"

#include "calendar/CalendarState.h"
#include "vu/grid/MonthPage.h"

namespace vu {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kEmptyCell = "<td align=center>  </td>\r\n";
constexpr const char* kColours[3] = {"#000000", "#ff0000", "#0000ff"};

}  // namespace

std::string_view HtmlEntity(char c) {
    switch (c) {
        case '&': return "&amp;";
        case '<': return "&lt;";
        case '>': return "&gt;";
        case '"': return "&quot;";
        // &apos; is XML's and HTML 5's; the numeric form is read everywhere.
        case '\'': return "&#39;";
        default: return {};
    }
}

std::string HtmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const std::string_view entity = HtmlEntity(c);
        if (entity.empty()) {
            out += c;
        } else {
            out += entity;
        }
    }
    return out;
}

std::string HtmlHeader(int year, int month) {
    std::string s = "<html><head><meta charset=\"euc-kr\"><title>vu</title></head><body><p align=center><font size=6>";
    s += kCrLf;
    s += MonthTitle(year, month);
    // Seven columns of one width, whatever their texts.
    s += "</font></p><div align=center><center><table border=1 width=100% style=\"table-layout:fixed\">";
    s += kCrLf;
    s += "<tr>";
    static constexpr const char* kDays[7] = {
        "<td align=center width=14%><font color=#FF0000 size=5>일</font></td>",
        "<td align=center width=14%><font size=5>월</font></td>",
        "<td align=center width=14%><font size=5>화</font></td>",
        "<td align=center width=14%><font size=5>수</font></td>",
        "<td align=center width=14%><font size=5>목</font></td>",
        "<td align=center width=14%><font size=5>금</font></td>",
        "<td align=center width=14%><font color=#0000FF size=5>토</font></td>",
    };
    for (const char* day : kDays) {
        s += day;
        s += kCrLf;
    }
    s += "</tr>\r\n\r\n";
    return s;
}

std::string HtmlCell(const std::array<std::string, 5>& lines, const std::string& colour) {
    std::string s = "<td align=center><font size=6 color=" + colour + ">" + HtmlEscape(lines[0]) +
                    "<br></font><font color=" + colour + " size=2><b>" + HtmlEscape(lines[1]) + "</b><br>" +
                    HtmlEscape(lines[2]) + "<br>" + HtmlEscape(lines[3]) + "<br>" + HtmlEscape(lines[4]) +
                    "</font></td>";
    s += kCrLf;
    return s;
}

std::string HtmlLegend(const calendar::CalendarState& state, const std::string& program) {
    const calendar::CalendarSettings& cs = state.settings;
    std::string s = "</table></center></div></p><p align=center> </p>";
    s += kCrLf;
    s += "<p align=center><br><b>&lt;범례&gt;</b></p><div align=center><center><table border=1><tr>";
    s += "<td align=center><font size=6 color=#808080>날짜<br></font><font color=#808080 size=2><b>";
    s += cs.Islam ? "이슬람력" : "기념일";
    s += "</b><br>";
    s += cs.Tidal != 0 ? "음력/물때" : "음력/일진";
    // Only the lines the page shows.
    if (cs.ShowRST) s += "<br>일출몰시각<br>월출몰시각(위상)";
    s += "</font></td>";
    s += "</tr></table></center></div>";
    s += kCrLf;
    s += "<p align=right>*이 문서는 " + HtmlEscape(program) + " 프로그램으로 만들었습니다.</p></body></html>";
    return s;
}

std::string MakeHtmlCalendar(calendar::CalendarState& state, int year, int month, const std::string& program) {
    const MonthFrame frame = MonthFrameOf(year, month);
    std::string page = HtmlHeader(year, frame.month);
    page.reserve(page.size() + 40 * 260);
    page += "<tr>\r\n";
    for (int i = 0; i < frame.first_weekday; ++i) page += kEmptyCell;
    ListMonthPhenomena(state, frame);
    int column = frame.first_weekday + 1;
    for (double jd = frame.first_jd; jd <= frame.last_jd; jd += 1) {
        if (column > 7) {
            column = 1;
            page += "</tr>\r\n<tr>";
        }
        const DayLines day = MonthDayLines(state, frame, jd);
        page += HtmlCell(day.lines, kColours[DayColourClass(column, day.kind)]);
        ++column;
    }
    for (; column <= 7; ++column) page += kEmptyCell;
    page += "</tr>\r\n\r\n";
    page += HtmlLegend(state, program);
    return page;
}

std::string MonthTitle(int year, int month) {
    return (year < 1 ? "기원전 " + std::to_string(-year + 1) : std::to_string(year)) + "년 " + std::to_string(month) +
           "월";
}

std::string MonthFileName(int year, int month, std::string_view extension) {
    return "vu" + EraYearText(year, 4) + "년" + std::to_string(month) + "월" + std::string(extension);
}

std::string HtmlFileName(int year, int month) { return MonthFileName(year, month, ".htm"); }

}  // namespace vu
