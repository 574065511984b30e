#include "vu/grid/PrintedMonth.h"

#include <cmath>
#include <tuple>

#include "calendar/CalendarState.h"
#include "platform/Surface.h"
#include "vu/grid/CellText.h"
#include "vu/grid/MonthGrid.h"
#include "vu/grid/MonthPage.h"

namespace vu {
namespace {

constexpr platform::Colour kBlack = platform::Rgb(0, 0, 0);
constexpr platform::Colour kColours[3] = {kBlack, kRed, kBlue};


}  // namespace

PrintGeometry PrintGeometryOf(const platform::Surface& page) {
    PrintGeometry g;
    g.PW = page.ScaleWidth();
    g.PH = page.ScaleHeight();
    g.left = 0.05 * g.PW;
    g.top = 0.05 * g.PH;
    g.grid_top = 0.2 * g.PH;
    g.grid_width = 0.9 * g.PW;
    g.grid_height = 0.8 * g.PH - g.top;
    g.cw = g.grid_width / 7;
    g.rh = g.grid_height / 6;
    return g;
}

std::string PrintTitle(int year, int month) {
    const std::string m = TrimNum(month) + "월";
    if (year < 1) return "기원전" + TrimNum(std::abs(year) + 1) + "년 " + m;
    return TrimNum(year) + "년 " + m;
}

void ApplyPrinterFont(platform::Surface& page, const calendar::CalendarState& state, int slot) {
    SetCellFont(page, state, slot);
}

void PrintFitText(platform::Surface& page, bool auto_size, double x, double y, double w, double h,
                  const std::string& text, platform::Colour colour) {
    std::string text_line = text, first = text, second, measured = text;
    bool two = false;
    double th = page.TextHeight(first), tw = page.TextWidth(measured);
    const auto remeasure = [&] {
        th = page.TextHeight(first);
        tw = page.TextWidth(measured);
    };
    if (auto_size) {
        if (1.2 * h < th) {
            page.SetFontSize(std::max(kSmallestPrintFont, page.Font().size_pt * 1.2 * h / th));
            remeasure();
        }
        if (1.9 * w < tw) {
            // Split by characters, so a Korean syllable stays whole.
            std::tie(first, second) = SplitInTwoLines(text);
            measured = page.TextWidth(second) > page.TextWidth(first) ? second : first;
            tw = page.TextWidth(measured);
            two = true;
        }
        if (tw > w) {
            page.SetFontSize(std::max(kSmallestPrintFont, page.Font().size_pt * w / tw));
            remeasure();
        }
        if (page.Font().size_pt < kSmallestPrintFont) {
            page.SetFontSize(kSmallestPrintFont);
            remeasure();
        }
        const int k = two ? 2 : 1;
        while (page.Font().size_pt > kSmallestPrintFont && (1.2 * h < k * th || tw > w)) {
            page.SetFontSize(std::max(kSmallestPrintFont, page.Font().size_pt - 1));
            remeasure();
        }
        if (tw > w) {
            // At the smallest size a line that still does not fit is cut.
            if (two) {
                first = ElideText(page, first, w);
                second = ElideText(page, second, w);
                measured = page.TextWidth(second) > page.TextWidth(first) ? second : first;
            } else {
                text_line = first = measured = ElideText(page, text_line, w);
            }
            remeasure();
        }
    }
    page.SetForeColor(colour);
    remeasure();
    const double x0 = x + (w - tw) / 2;
    if (two) {
        const double middle = y + static_cast<double>(static_cast<int>(std::nearbyint(h)) / 2);
        page.SetCurrentX(x0);
        page.SetCurrentY(middle - th);
        page.Print(first);
        page.SetCurrentX(x0);
        page.SetCurrentY(middle);
        page.Print(second);
        return;
    }
    page.SetCurrentX(x0);
    page.SetCurrentY(y + (h - th) / 2);
    page.Print(text_line);
}

void PrintWeekHeader(platform::Surface& page, const calendar::CalendarState& state, const PrintGeometry& g) {
    static constexpr const char* kNames[7] = {"일", "월", "화", "수", "목", "금", "토"};
    ApplyPrinterFont(page, state, 0);
    for (int i = 0; i < 7; ++i) {
        const platform::Colour colour = i == 0 ? kRed : i == 6 ? kBlue : kBlack;
        PrintFitText(page, state.settings.AutoSize, g.left + i * g.cw, 0.15 * g.PH, g.cw, 0.05 * g.PH, kNames[i],
                     colour);
    }
}

void PrintCell(platform::Surface& page, const calendar::CalendarState& state, const PrintGeometry& g, int column, int row,
               const std::array<std::string, 5>& texts, platform::Colour colour) {
    const double x = g.left + (column - 1) * g.cw;
    const double y = g.grid_top + (row - 1) * g.rh;
    const double rh = g.rh;
    const bool rst = state.settings.ShowRST;
    struct Band {
        double top, height;
    };
    const Band bands[5] = {
        {0, rst ? rh / 3 : rh / 2},
        {rst ? rh / 3 : rh / 2, rst ? rh / 6 : rh / 4},
        {rst ? rh / 2 : 3 * rh / 4, rst ? rh / 6 : rh / 4},
        {2 * rh / 3, rh / 6},
        {5 * rh / 6, rh / 6},
    };
    const int count = rst ? 5 : 3;
    for (int i = 0; i < count; ++i) {
        ApplyPrinterFont(page, state, i + 1);
        PrintFitText(page, state.settings.AutoSize, x, y + bands[i].top, g.cw, bands[i].height,
                     texts[static_cast<std::size_t>(i)], colour);
    }
}

void PrintGridLines(platform::Surface& page, const PrintGeometry& g) {
    page.SetForeColor(kBlack);
    const double right = g.PW - g.left;
    const double bottom = g.PH - g.top;
    page.SetDrawWidth(2);
    page.Line(g.left, 0.15 * g.PH, right, 0.15 * g.PH, kBlack);
    page.Line(g.left, bottom, right, bottom, kBlack);
    page.SetDrawWidth(1);
    page.Line(g.left, g.grid_top, right, g.grid_top, kBlack);
    for (int i = 1; i <= 5; ++i) page.Line(g.left, g.grid_top + i * g.rh, right, g.grid_top + i * g.rh, kBlack);
    for (int i = 0; i <= 7; ++i) page.Line(g.left + i * g.cw, 0.15 * g.PH, g.left + i * g.cw, bottom, kBlack);
}

void PrintMonthGrid(platform::Surface& page, calendar::CalendarState& state, const PrintGeometry& g, int year, int month) {
    const calendar::CalendarSettings& cs = state.settings;
    const MonthFrame frame = MonthFrameOf(year, month);
    ApplyPrinterFont(page, state, 0);
    PrintWeekHeader(page, state, g);
    PrintCell(page, state, g, 7, 6,
              {"날짜", cs.Islam ? "이슬람력" : "기념일", cs.Tidal != 0 ? "음력/물때" : "음력/일진", "일출몰",
               "월출몰(위상)"},
              kBlack);
    ListMonthPhenomena(state, frame);
    int k = frame.first_weekday + 1, r = 1;
    for (double jd = frame.first_jd; jd <= frame.last_jd; jd += 1) {
        if (k > 7) {
            k = 1;
            ++r;
        }
        const DayLines day = MonthDayLines(state, frame, jd);
        PrintCell(page, state, g, k, r, day.lines, kColours[DayColourClass(k, day.kind)]);
        ++k;
    }
    PrintGridLines(page, g);
}

void PrintCalendar(platform::Surface& page, calendar::CalendarState& state, int year, int month) {
    page.SetScaleMode(platform::Scale::Pixels);
    const PrintGeometry g = PrintGeometryOf(page);
    ApplyPrinterFont(page, state, 0);
    page.SetFontSize(25);
    PrintFitText(page, state.settings.AutoSize, g.left, g.top, g.grid_width, 0.1 * g.PH - g.top,
                 PrintTitle(year, month), kBlack);
    PrintMonthGrid(page, state, g, year, month);
}

}  // namespace vu
