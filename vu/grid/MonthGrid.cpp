#include "vu/grid/MonthGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/CalendarPhenomena.h"
#include "calendar/CalendarState.h"
#include "calendar/IslamicDayText.h"
#include "calendar/LunarYear.h"
#include "calendar/RiseSet.h"
#include "calendar/SpecialDays.h"
#include "calendar/TimeBase.h"
#include "platform/Surface.h"
#include "vu/grid/CellText.h"
#include "vu/grid/MonthPage.h"

namespace vu {
namespace {

MonthCells g_cells;


int Whole(double v) { return static_cast<int>(std::nearbyint(v)); }

void MeasureText(const platform::Surface& pic, const std::string& tall, const std::string& wide, int& th, int& tw) {
    th = Whole(pic.TextHeight(tall));
    tw = Whole(pic.TextWidth(wide));
}

struct CellGeometry {
    int cw = 0;
    int ch = 0;
    double h = 0;
};

CellGeometry GeometryOf(const platform::Surface& pic, const MonthCells& cells) {
    CellGeometry g;
    const double w = pic.ScaleWidth();
    g.h = pic.ScaleHeight() - kHeaderPixels;
    g.cw = Whole(w / cells.GridCols);
    g.ch = Whole(g.h / cells.GridRows);
    return g;
}

// Adds the names of one set to the line: the entries of the day, then the
// lunar entries of its lunar date.
void AddSet(const calendar::CalendarState& state, std::string& s, std::uint8_t& kind, int set, double jd,
            std::int16_t lunar_year, std::uint8_t lunar_month, std::uint8_t lunar_day, bool leap) {
    const calendar::SDaySet& entries = state.SDays[static_cast<std::size_t>(set)];
    s = TrimBlanks(calendar::DaySDayNames(s, jd, kind, entries));
    double month_days = 30;
    calendar::LunarMonthDays(state.lunar_months, lunar_year, lunar_month, leap ? calendar::kTrue : 0, month_days);
    s = calendar::SDayNamesOfDate(s, lunar_year, lunar_month, lunar_day, leap, kind, entries, static_cast<int>(month_days));
}

// Whether the whole day count is a multiple of gap; fmod keeps any count a
// typed base date can give (no integer conversion to overflow).
bool IsMultiple(double d, int gap) { return std::fmod(std::nearbyint(d), static_cast<double>(gap)) == 0; }

// One text band of a day cell: font slot, top (from the cell's top) and
// height in pixels, colours.
struct Band {
    int slot;
    double top, height;
    platform::Colour colour, back;
};

// With the bands too low for a line at the smallest size, lays out the
// bands that fit in a cell of height u from the first on; how many.
int FewerBands(platform::Surface& pic, const calendar::CalendarState& state, Band* bands, int count, double u) {
    // The lowest line of each band: its font at the smallest size.
    std::array<int, 5> least{};
    bool all_fit = true;
    for (int i = 0; i < count; ++i) {
        SetCellFont(pic, state, bands[i].slot);
        pic.SetFontSize(kSmallestCellFont);
        least[static_cast<std::size_t>(i)] = Whole(pic.TextHeight("가"));
        all_fit = all_fit && least[static_cast<std::size_t>(i)] <= Whole(bands[i].height);
    }
    if (all_fit) return count;
    // The first bands whose lines fit one under the other share the cell,
    // each its line and a part of the room left as large as its own band.
    const int room = static_cast<int>(std::floor(u));
    int shown = 0, used = 0;
    while (shown < count && used + least[static_cast<std::size_t>(shown)] <= room)
        used += least[static_cast<std::size_t>(shown++)];
    double shares = 0;
    for (int i = 0; i < shown; ++i) shares += bands[i].height;
    double top = 0;
    for (int i = 0; i < shown; ++i) {
        const double height =
            least[static_cast<std::size_t>(i)] + (shares > 0 ? (room - used) * bands[i].height / shares : 0);
        // Whole tops and heights that neither overlap nor leave a gap.
        bands[i].top = Whole(top);
        bands[i].height = Whole(top + height) - Whole(top);
        top += height;
    }
    return shown;
}

}  // namespace

MonthCells& MonthGrid() { return g_cells; }

void ClearMonthCells(MonthCells& cells) {
    for (auto& column : cells.CellText) column.fill("");
    for (auto& column : cells.CellTip) column.fill("");
    for (auto& column : cells.CellJD) column.fill(0);
}

void SetCellFont(platform::Surface& pic, const calendar::CalendarState& state, int slot) {
    const calendar::CalFontSlot& f = state.fonts[static_cast<std::size_t>(slot)];
    pic.SetFont(platform::FontSpec{f.name, static_cast<double>(f.size), f.bold, f.italic, f.underline,
                                   f.strikethrough});
    pic.SetForeColor(static_cast<platform::Colour>(f.colour));
}

std::string ElideText(const platform::Surface& pic, const std::string& text, double width) {
    if (pic.TextWidth(text) <= width) return text;
    // The character boundaries of the UTF-8 text.
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ends.push_back(i);
    std::size_t low = 0, high = ends.size();  // beginnings of low characters fit
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (pic.TextWidth(text.substr(0, ends[mid - 1]) + kEllipsis) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return (low == 0 ? std::string() : text.substr(0, ends[low - 1])) + kEllipsis;
}

bool FitCellText(platform::Surface& pic, bool auto_size, int x, int y, int w, int h, const std::string& text,
                 platform::Colour colour, platform::Colour back) {
    std::string line1 = text, line2, wide = text;
    bool two_lines = false, cut = false;
    int th = 0, tw = 0;
    MeasureText(pic, line1, wide, th, tw);
    if (auto_size) {
        const double size = pic.Font().size_pt;
        if (th > 1.2 * h) {
            pic.SetFontSize(std::max(kSmallestCellFont, size * 1.1 * h / th));
            MeasureText(pic, line1, wide, th, tw);
        }
        if (tw > 1.9 * w) {
            // Split by characters, not bytes, so a Korean syllable stays whole.
            std::tie(line1, line2) = SplitInTwoLines(text);
            two_lines = true;
            wide = pic.TextWidth(line1) < pic.TextWidth(line2) ? line2 : line1;
            MeasureText(pic, line1, wide, th, tw);
        }
        if (tw > w) {
            pic.SetFontSize(std::max(kSmallestCellFont, pic.Font().size_pt * w / tw));
            MeasureText(pic, line1, wide, th, tw);
        }
        if (pic.Font().size_pt < kSmallestCellFont) {
            pic.SetFontSize(kSmallestCellFont);
            MeasureText(pic, line1, wide, th, tw);
        }
        const auto lines = [&two_lines] { return two_lines ? 2 : 1; };
        while (pic.Font().size_pt > kSmallestCellFont && (lines() * th > 1.1 * h || tw > w)) {
            pic.SetFontSize(std::max(kSmallestCellFont, pic.Font().size_pt - 1));
            MeasureText(pic, line1, wide, th, tw);
        }
        // The text never reaches into the bands above and below it.
        while (pic.Font().size_pt > kSmallestCellFont && lines() * th > h) {
            pic.SetFontSize(std::max(kSmallestCellFont, pic.Font().size_pt - 1));
            MeasureText(pic, line1, wide, th, tw);
        }
        if (two_lines && 2 * th > h) {
            two_lines = false;
            line1 = wide = text;
            line2.clear();
            MeasureText(pic, line1, wide, th, tw);
        }
        if (tw > w) {
            line1 = ElideText(pic, line1, w);
            line2 = ElideText(pic, line2, w);
            wide = pic.TextWidth(line1) < pic.TextWidth(line2) ? line2 : line1;
            MeasureText(pic, line1, wide, th, tw);
            cut = true;
        }
        if (th > h) {
            pic.Line(x, y, x + w, y + h, back, platform::Box::BF);
            return true;
        }
    }
    pic.Line(x, y, x + w, y + h, back, platform::Box::BF);
    pic.SetForeColor(colour);
    const double left = x + (w - tw) / 2.0;
    if (!two_lines) {
        pic.SetCurrentX(left);
        pic.SetCurrentY(y + (h - th) / 2.0);
        pic.Print(line1);
        return cut;
    }
    pic.SetCurrentX(left);
    pic.SetCurrentY(y + h / 2 - th);
    pic.Print(line1);
    pic.SetCurrentX(left);
    pic.SetCurrentY(y + h / 2);
    pic.Print(line2);
    return cut;
}

void DrawWeekHeader(platform::Surface& pic, const calendar::CalendarState& state, const MonthCells& cells) {
    struct Header {
        const char* text;
        platform::Colour colour;
        platform::Colour back;
    };
    static constexpr Header kHeaders[7] = {
        {"일", kRed, platform::Rgb(255, 255, 0)},     {"월", 0, platform::Rgb(255, 153, 204)},
        {"화", 0, platform::Rgb(255, 204, 0)},        {"수", 0, platform::Rgb(0, 204, 255)},
        {"목", 0, platform::Rgb(204, 255, 204)},      {"금", 0, platform::Rgb(204, 153, 255)},
        {"토", kBlue, platform::Rgb(255, 255, 153)},
    };
    pic.SetScaleMode(platform::Scale::Pixels);
    const CellGeometry g = GeometryOf(pic, cells);
    SetCellFont(pic, state, 0);
    for (int i = 0; i < 7; ++i) {
        FitCellText(pic, state.settings.AutoSize, g.cw * i + 1, 1, g.cw - 2, kHeaderPixels - 2, kHeaders[i].text,
                    kHeaders[i].colour, kHeaders[i].back);
    }
}

std::array<bool, 5> DrawCell(platform::Surface& pic, const calendar::CalendarState& state, const MonthCells& cells, int column,
                             int row, const std::array<std::string, 5>& texts, platform::Colour day_colour,
                             platform::Colour day_back, platform::Colour special_back) {
    pic.SetScaleMode(platform::Scale::Pixels);
    const CellGeometry g = GeometryOf(pic, cells);
    const int x0 = g.cw * (column - 1) + 1;
    const int y0 = g.ch * (row - 1) + kHeaderPixels + 1;
    const int width = g.cw - 2;
    const double u = g.ch - 2;
    const bool rst = state.settings.ShowRST;
    const bool auto_size = state.settings.AutoSize;
    const platform::Colour special_colour =
        day_back == special_back ? day_colour : static_cast<platform::Colour>(state.fonts[2].colour);

    Band bands[5] = {
        {1, 0, rst ? u / 3 : u / 2, day_colour, day_back},
        {2, rst ? u / 3 : u / 2, rst ? u / 6 : u / 4, special_colour, special_back},
        {3, rst ? u / 2 : 3 * u / 4, rst ? u / 6 : u / 4, day_colour, day_back},
        {4, 2 * u / 3, u / 6, day_colour, day_back},
        {5, 5 * u / 6, u / 6, day_colour, day_back},
    };
    const int count = rst ? 5 : 3;
    int shown = count;
    if (auto_size) shown = FewerBands(pic, state, bands, count, u);

    std::array<bool, 5> cut{};
    bool left_out = false;
    for (int i = shown; i < count; ++i) {
        cut[static_cast<std::size_t>(i)] = !texts[static_cast<std::size_t>(i)].empty();
        left_out = left_out || cut[static_cast<std::size_t>(i)];
    }
    if (shown == 0) pic.Line(x0, y0, x0 + width, y0 + Whole(u), day_back, platform::Box::BF);
    for (int i = 0; i < shown; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const std::string text = left_out && i == shown - 1 ? texts[k] + kEllipsis : texts[k];
        SetCellFont(pic, state, bands[i].slot);
        cut[k] = FitCellText(pic, auto_size, x0, y0 + Whole(bands[i].top), width, Whole(bands[i].height), text,
                             bands[i].colour, bands[i].back);
    }
    return cut;
}

void DrawGridLines(platform::Surface& pic, const MonthCells& cells) {
    pic.SetScaleMode(platform::Scale::Pixels);
    const CellGeometry g = GeometryOf(pic, cells);
    const double w = pic.ScaleWidth();
    const int h = Whole(g.h);
    pic.SetDrawWidth(2);
    pic.Line(0, kHeaderPixels, w, kHeaderPixels, kGridLine);
    pic.Line(0, h + kHeaderPixels - 1, w, h + kHeaderPixels - 1, kGridLine);
    pic.SetDrawWidth(1);
    pic.Line(0, 0, w, 0, kGridLine);
    for (int i = 1; i <= 5; ++i) pic.Line(0, i * g.ch + kHeaderPixels, w, i * g.ch + kHeaderPixels, kGridLine);
    // The Saturday column's right border falls inside the picture even when
    // seven columns fill its width exactly.
    const double right = std::min(7.0 * g.cw, w - 1);
    for (int j = 0; j <= 6; ++j) pic.Line(j * g.cw, 0, j * g.cw, h + kHeaderPixels, kGridLine);
    pic.Line(right, 0, right, h + kHeaderPixels, kGridLine);
}

std::string MakeCellSDStr(const calendar::CalendarState& state, double jd, std::int16_t lunar_year, std::uint8_t lunar_month,
                          std::uint8_t lunar_day, bool leap, int mode, double zone_h, double jan1_jd,
                          std::uint8_t& kind) {
    const calendar::CalendarSettings& cs = state.settings;
    std::string s;
    kind = 0;
    const std::string r = calendar::RamadanDays(jd);
    const auto add = [&](int set) { AddSet(state, s, kind, set, jd, lunar_year, lunar_month, lunar_day, leap); };
    bool skip_sets = false;
    if (cs.SDCAT == 0 && r.find("라") != std::string::npos) {
        if (!cs.SDay) {
            skip_sets = true;
        } else {
            s = r;
        }
    }
    const int sdcat = std::min<int>(cs.SDCAT, calendar::kSDaySets - 1);
    if (!skip_sets && cs.SDay) {
        switch (mode) {
            case 0:
                add(sdcat);
                break;
            case 1:
                add(0);
                if (sdcat > 0) add(sdcat);
                break;
            case 2:
            case 3:
                add(0);
                if (sdcat > 0) {
                    const bool holiday = kind == 1 || kind == 3;
                    if (mode == 2 || !holiday) s.clear();
                    kind = holiday ? 1 : 0;
                    add(sdcat);
                }
                break;
            case 4:
                add(0);
                add(1);
                add(2);
                break;
            default:
                break;
        }
    }
    if (cs.Astro) s = calendar::AppendEventNames(s, jd, zone_h, state.EventJD, state.EventName);
    // A gap below 1 (a hand-edited file) would divide by zero.
    const int gap = std::max<int>(1, cs.DispGap);
    if (cs.BaseJD) {
        const double d = DayDiff(jd, cs.Base);
        const std::string p = s.empty() ? "" : s + ", ";
        if (d == 1) s = p + "D-day";
        if (IsMultiple(d, gap)) s = p + (d >= 1 ? "D+" : "D-") + TrimNum(std::fabs(d));
    }
    if (cs.Jan1) {
        const double d = DayDiff(jd, jan1_jd);
        const std::string p = s.empty() ? "" : s + ", ";
        if (d == 1) s = p + "새해 첫날";
        if (IsMultiple(d, gap)) s = p + TrimNum(d) + "일째";
    }
    if (s.empty() && cs.Islam) s = r;
    return s;
}

bool DrawCalendar(platform::Surface& pic, calendar::CalendarState& state, int y, int m, double today_jd, MonthCells& cells) {
    if (m < 1 || m > 12) return false;
    const calendar::CalendarSettings& cs = state.settings;
    cells.GridCols = 7;
    cells.GridRows = 6;
    ClearMonthCells(cells);
    const MonthFrame frame = MonthFrameOf(y, m);
    cells.Jan1JD = frame.jan1_jd;

    pic.SetScaleMode(platform::Scale::Pixels);
    pic.Line(0, 0, pic.ScaleWidth(), pic.ScaleHeight(), kGridBack, platform::Box::BF);
    SetCellFont(pic, state, 0);
    DrawWeekHeader(pic, state, cells);

    const std::array<std::string, 5> legend = {"날짜", cs.Islam ? "이슬람력" : "기념일",
                                               cs.Tidal != 0 ? "음력/물때" : "음력/일진", "일출몰",
                                               "월출몰(위상)"};
    DrawCell(pic, state, cells, 7, 6, legend, kLegendColour, kWhite, kWhite);

    ListMonthPhenomena(state, frame);

    int k = frame.first_weekday + 1, r = 1;
    for (double jd = frame.first_jd; jd <= frame.last_jd; jd += 1) {
        const DayLines day = MonthDayLines(state, frame, jd);
        const std::uint8_t kind = day.kind;
        platform::Colour day_colour = k == 1 ? kRed : k == 7 ? kBlue : 0;
        platform::Colour day_back = kWhite, special_back = kWhite;
        if (jd == today_jd && cs.Today) day_back = special_back = kYellow;
        const auto hcol = static_cast<platform::Colour>(cs.HCol);
        switch (kind) {
            case 1: day_colour = kRed; break;
            case 2:
                special_back = hcol;
                if (cs.SDALL) day_colour = static_cast<platform::Colour>(state.fonts[2].colour);
                break;
            case 3:
                day_colour = kRed;
                special_back = hcol;
                break;
            default: break;
        }
        const std::array<bool, 5> cut = DrawCell(pic, state, cells, k, r, day.lines, day_colour, day_back, special_back);
        std::string& text = cells.CellText[k - 1][r - 1];
        text = TrimNum(m) + "월 " + day.lines[0] + "일/" + day.special + "/음력: " + day.lunar;
        std::string& tip = cells.CellTip[k - 1][r - 1];
        tip = text;
        for (const std::size_t band : {std::size_t{3}, std::size_t{4}})
            if (cut[band]) tip += "/" + legend[band] + ": " + day.lines[band];
        cells.CellJD[k - 1][r - 1] = jd;
        if (++k > 7) {
            k = 1;
            ++r;
        }
    }
    DrawGridLines(pic, cells);
    return true;
}

}  // namespace vu
