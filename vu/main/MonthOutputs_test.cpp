// The outputs of a month without the window: the HTML page text, the printed
// page on a recording surface, and the template expansion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "calendar/CalendarSettings.h"
#include "calendar/CalendarState.h"
#include "calendar/RiseSet.h"
#include "calendar/SpecialDays.h"
#include "calendar/TimeBase.h"
#include "platform/RecordingSurface.h"
#include "vu/grid/HtmlPage.h"
#include "vu/grid/MonthPage.h"
#include "vu/grid/PrintedMonth.h"
#include "vu/grid/Templet.h"
#include "vu/grid/YearCycle.h"
#include "vu/grid/VuTestSupport.h"

namespace vu {
namespace {

constexpr const char* kEmptyCell = "<td align=center>  </td>\r\n";
constexpr const char* kDayCell = "<td align=center><font size=6 color=";

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

// The day cells of a page in order: colour and the texts between the tags.
struct HtmlDay {
    std::string colour;
    std::string cell;
};
std::vector<HtmlDay> DaysOf(const std::string& page) {
    std::vector<HtmlDay> days;
    const std::size_t legend = page.find("</table>");
    for (std::size_t at = page.find(kDayCell); at < legend; at = page.find(kDayCell, at + 1)) {
        const std::size_t end = page.find("</td>", at);
        const std::string cell = page.substr(at, end - at);
        days.push_back({cell.substr(std::string(kDayCell).size(), 7), cell});
    }
    return days;
}

calendar::SDayRecord Entry(int year, int month, int day, const std::string& name, std::uint8_t kind) {
    calendar::SDayRecord r;
    r.jd = calendar::JulianDay(year, month, day, 12);
    r.year = static_cast<std::int16_t>(year);
    r.month = static_cast<std::int16_t>(month);
    r.day = static_cast<std::int16_t>(day);
    r.name = name;
    r.kind = kind;
    return r;
}

class MonthOutputs : public ::testing::Test {
protected:
    void SetUp() override {
        state_.settings.Astro = false;
        state_.settings.ShowRST = false;
    }
    void Prepare(int year, int month) {
        state_.CalYear = static_cast<std::int16_t>(year);
        calendar::UpdateSummerDays(state_);
        PrepareDisplayedYear(state_, month);
    }
    // Special days are placed after the preparation, which resolves the sets.
    void AddDay(int slot, const calendar::SDayRecord& r) { state_.SDays[0][static_cast<std::size_t>(slot)] = r; }

    test::VuEnv env_;
    calendar::CalendarState state_;
};

// ---- HTML -------------------------------------------------------------------

TEST_F(MonthOutputs, HtmlPageOfMarch2024) {
    Prepare(2024, 3);
    AddDay(0, Entry(2024, 3, 2, "토휴일", calendar::kSDayHoliday));
    AddDay(1, Entry(2024, 3, 9, "강조", calendar::kSDayHighlight));
    AddDay(2, Entry(2024, 3, 13, "<b>&\"", 0));
    const std::string page = MakeHtmlCalendar(state_, 2024, 3, "vu 0.1");

    EXPECT_EQ(page.rfind("<html><head><meta charset=\"euc-kr\"><title>vu</title></head><body><p align=center>"
                         "<font size=6>\r\n2024년 3월</font></p><div align=center><center>"
                         "<table border=1 width=100% style=\"table-layout:fixed\">\r\n<tr>"
                         "<td align=center width=14%><font color=#FF0000 size=5>일</font></td>\r\n",
                         0),
              0u);
    // CR LF only, no line break after the page.
    EXPECT_EQ(Count(page, "\r\n"), Count(page, "\n"));
    // The legend names only what the page shows: no rise and set lines.
    EXPECT_NE(page.find("<b>기념일</b><br>음력/일진</font></td>"), std::string::npos);
    EXPECT_EQ(page.find("출몰시각"), std::string::npos);
    EXPECT_EQ(Count(page, " width=14%>"), 7u);
    EXPECT_EQ(Count(page, "\r\n"), Count(page, "\r"));
    // No made-up web address or contact in the footer.
    const std::string footer = "<p align=right>*이 문서는 vu 0.1 프로그램으로 만들었습니다.</p></body></html>";
    ASSERT_GE(page.size(), footer.size());
    EXPECT_EQ(page.substr(page.size() - footer.size()), footer);

    // 2024-03-01 is a Friday: five empty cells lead, and every row has seven.
    const std::size_t first_row = page.find("<tr>\r\n");
    ASSERT_NE(first_row, std::string::npos);
    EXPECT_EQ(page.substr(first_row + 6, 5 * std::string(kEmptyCell).size()),
              std::string(kEmptyCell) + kEmptyCell + kEmptyCell + kEmptyCell + kEmptyCell);
    const std::string table = page.substr(first_row, page.find("</table>") - first_row);
    int rows = 0;
    for (std::size_t at = table.find("<tr>"); at != std::string::npos; at = table.find("<tr>", at + 1)) {
        const std::string row = table.substr(at, table.find("</tr>", at) - at);
        EXPECT_EQ(Count(row, "<td"), 7u) << row;
        ++rows;
    }
    EXPECT_EQ(rows, 6);

    const std::vector<HtmlDay> days = DaysOf(page);
    ASSERT_EQ(days.size(), 31u);
    EXPECT_EQ(days[0].colour, "#000000");   // Friday the 1st
    EXPECT_EQ(days[1].colour, "#ff0000");   // a holiday on a Saturday
    EXPECT_EQ(days[2].colour, "#ff0000");   // Sunday
    EXPECT_EQ(days[8].colour, "#0000ff");   // a highlighted Saturday keeps its column colour
    EXPECT_EQ(days[15].colour, "#0000ff");  // an ordinary Saturday
    EXPECT_NE(days[12].cell.find("<b>&lt;b&gt;&amp;&quot;</b>"), std::string::npos) << days[12].cell;
    // Without rise and set times every cell keeps its four breaks.
    for (const HtmlDay& d : days) EXPECT_EQ(Count(d.cell, "<br>"), 4u) << d.cell;
    EXPECT_NE(days[0].cell.find(">1<br></font><font color=#000000 size=2><b></b><br>1. 21/"), std::string::npos)
        << days[0].cell;
}

TEST_F(MonthOutputs, HtmlRiseAndSetLinesAndLegend) {
    state_.settings.ShowRST = true;
    state_.settings.Islam = true;
    state_.settings.Tidal = 1;
    Prepare(2024, 3);
    const std::string page = MakeHtmlCalendar(state_, 2024, 3, "vu 0.1");
    const std::vector<HtmlDay> days = DaysOf(page);
    ASSERT_EQ(days.size(), 31u);
    const std::regex times(R"(<br>\d\d:\d\d/\d\d:\d\d<br>(\d\d|--):(\d\d|--)/(\d\d|--):(\d\d|--)\(\d+%\)</font>)");
    for (const HtmlDay& d : days) EXPECT_TRUE(std::regex_search(d.cell, times)) << d.cell;
    const calendar::CalendarSettings& cs = state_.settings;
    const double jd = calendar::JulianDay(2024, 3, 15, 12);
    const std::string sun = calendar::RiseSetDay(cs.LON, cs.LAT, jd, cs.TZ, calendar::kRiseSetKindSun, calendar::kRiseSetSun, cs.RSP, cs.CalcOBSHT,
                                       cs.ObsHT, calendar::DeltaTRuleOf(cs));
    EXPECT_NE(days[14].cell.find("<br>" + sun + "<br>"), std::string::npos) << days[14].cell;
    EXPECT_NE(page.find("<b>이슬람력</b><br>음력/물때<br>일출몰시각<br>월출몰시각(위상)"), std::string::npos);
}

TEST_F(MonthOutputs, HtmlFrameEdgesTitlesAndNames) {
    struct Case {
        int year, month;
        std::size_t days, leading;
    } cases[] = {
        {2024, 9, 30, 0},  // starts on a Sunday
        {2024, 6, 30, 6},  // starts on a Saturday
        {2023, 2, 28, 3},  {2024, 2, 29, 4},
        {1500, 2, 29, 6},  // Julian leap year
        {1582, 10, 21, 1},
    };
    for (const Case& c : cases) {
        Prepare(c.year, c.month);
        const std::string page = MakeHtmlCalendar(state_, c.year, c.month, "vu 0.1");
        EXPECT_EQ(DaysOf(page).size(), c.days) << c.year << "-" << c.month;
        const std::size_t first_row = page.find("<tr>\r\n");
        const std::string before = page.substr(first_row, page.find(kDayCell) - first_row);
        EXPECT_EQ(Count(before, kEmptyCell), c.leading) << c.year << "-" << c.month;
    }
    // October 1582: 1-4, then 15-31, the weekdays running on.
    const std::vector<HtmlDay> october = DaysOf(MakeHtmlCalendar(state_, 1582, 10, "vu 0.1"));
    EXPECT_NE(october[3].cell.find(">4<br>"), std::string::npos);
    EXPECT_NE(october[4].cell.find(">15<br>"), std::string::npos);

    EXPECT_NE(HtmlHeader(0, 3).find("\r\n기원전 1년 3월</font>"), std::string::npos);
    EXPECT_NE(HtmlHeader(-99, 3).find("\r\n기원전 100년 3월</font>"), std::string::npos);
    EXPECT_NE(HtmlHeader(-100, 3).find("\r\n기원전 101년 3월</font>"), std::string::npos);
    EXPECT_EQ(HtmlFileName(2024, 3), "vuAD2024년3월.htm");
    EXPECT_EQ(HtmlFileName(0, 3), "vuBC0001년3월.htm");
    EXPECT_EQ(HtmlFileName(-100, 3), "vuBC0101년3월.htm");
    EXPECT_EQ(HtmlFileName(476, 12), "vuAD0476년12월.htm");
    EXPECT_EQ(HtmlEscape("a<b>&\"c'd"), "a&lt;b&gt;&amp;&quot;c&#39;d");
}

// ---- Printed page -------------------------------------------------------------

platform::RecordingSurface Page() {
    return platform::RecordingSurface(211, 297, platform::kPageCharWidth, platform::kPageLineHeight);
}

std::vector<std::string> Prints(const platform::RecordingSurface& page) {
    std::vector<std::string> texts;
    for (const std::string& call : page.Calls())
        if (call.rfind("Print \"", 0) == 0) texts.push_back(call.substr(7, call.size() - 8));
    return texts;
}

std::vector<double> FontSizes(const platform::RecordingSurface& page) {
    std::vector<double> sizes;
    for (const std::string& call : page.Calls()) {
        if (call.rfind("Font=", 0) != 0) continue;
        sizes.push_back(std::atof(call.substr(call.find(',') + 1).c_str()));
    }
    return sizes;
}

TEST_F(MonthOutputs, PrintedCellBands) {
    for (const bool rst : {false, true}) {
        state_.settings.ShowRST = rst;
        platform::RecordingSurface page = Page();
        page.SetScaleMode(platform::Scale::Pixels);
        const PrintGeometry g = PrintGeometryOf(page);
        EXPECT_DOUBLE_EQ(g.cw, 0.9 * 211 / 7);
        EXPECT_DOUBLE_EQ(g.rh, 0.75 * 297 / 6);
        page.ClearCalls();
        PrintCell(page, state_, g, 2, 3, {"7", "a", "b", "c", "d"}, 0);
        const std::vector<std::string> texts = Prints(page);
        const std::vector<std::string> expected =
            rst ? std::vector<std::string>{"7", "a", "b", "c", "d"} : std::vector<std::string>{"7", "a", "b"};
        EXPECT_EQ(texts, expected);
        // Each band centres its one line: the day label's box is the top half
        // (a third with the rise and set lines).
        std::vector<double> ys;
        for (const std::string& call : page.Calls())
            if (call.rfind("CurrentY=", 0) == 0) ys.push_back(std::atof(call.c_str() + 9));
        const double y = g.grid_top + 2 * g.rh;
        const double label = rst ? g.rh / 3 : g.rh / 2;
        ASSERT_FALSE(ys.empty());
        EXPECT_NEAR(ys[0], y + (label - platform::kPageLineHeight) / 2, 1e-9);
        EXPECT_NEAR(ys[1], y + label + ((rst ? g.rh / 6 : g.rh / 4) - platform::kPageLineHeight) / 2, 1e-9);
    }
}

TEST_F(MonthOutputs, PrintFitTextSplitsShrinksAndCutsAtEight) {
    platform::RecordingSurface page = Page();
    page.SetScaleMode(platform::Scale::Pixels);
    page.SetFont(platform::FontSpec{"돋움", 12, false, false, false, false});
    page.ClearCalls();
    // 40 characters are 80 units wide: more than 1.9 times a box of 20.
    const std::string wide(40, 'x');
    PrintFitText(page, true, 10, 50, 20, 10, wide, 0);
    const std::vector<std::string> texts = Prints(page);
    // At 8 points the halves still do not fit: each is cut with "…".
    ASSERT_EQ(texts.size(), 2u);
    for (const std::string& line : texts) {
        EXPECT_EQ(line.rfind("xxxx", 0), 0u) << line;
        EXPECT_EQ(line.substr(line.size() - 3), kEllipsis) << line;
        EXPECT_LE(page.TextWidth(line), 20) << line;
    }
    std::vector<std::string> xs;
    for (const std::string& call : page.Calls())
        if (call.rfind("CurrentX=", 0) == 0) xs.push_back(call);
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_EQ(xs[0], xs[1]);
    EXPECT_DOUBLE_EQ(page.Font().size_pt, kSmallestPrintFont);
    // Without AutoSize the slot's size stays and the text is still centred.
    page.SetFontSize(12);
    page.ClearCalls();
    PrintFitText(page, false, 10, 50, 20, 10, wide, 0);
    EXPECT_EQ(Prints(page).size(), 1u);
    EXPECT_DOUBLE_EQ(page.Font().size_pt, 12);
    EXPECT_NE(std::find(page.Calls().begin(), page.Calls().end(), "CurrentX=-20"), page.Calls().end());
}

TEST_F(MonthOutputs, PrintedPageFontsTitleAndLines) {
    state_.settings.ShowRST = true;
    Prepare(2024, 3);
    AddDay(0, Entry(2024, 3, 13, "아주 아주 긴 이름의 기념일이 들어 있는 날", calendar::kSDayHoliday));
    platform::RecordingSurface fitted = Page();
    PrintCalendar(fitted, state_, 2024, 3);
    const std::vector<std::string> texts = Prints(fitted);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "2024년 3월");
    const std::vector<std::string> header(texts.begin() + 1, texts.begin() + 8);
    EXPECT_EQ(header, (std::vector<std::string>{"일", "월", "화", "수", "목", "금", "토"}));
    for (const double size : FontSizes(fitted)) EXPECT_GE(size, kSmallestPrintFont);
    EXPECT_EQ(std::count_if(fitted.Calls().begin(), fitted.Calls().end(),
                            [](const std::string& c) { return c.rfind("Line(", 0) == 0; }),
              16);

    state_.settings.AutoSize = false;
    platform::RecordingSurface plain = Page();
    PrintCalendar(plain, state_, 2024, 3);
    std::vector<double> allowed = {25};
    for (const calendar::CalFontSlot& slot : state_.fonts) allowed.push_back(slot.size);
    for (const double size : FontSizes(plain))
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), size), allowed.end()) << size;

    EXPECT_EQ(PrintTitle(0, 3), "기원전1년 3월");
    EXPECT_EQ(PrintTitle(-100, 12), "기원전101년 12월");
    EXPECT_EQ(PrintTitle(2024, 3), "2024년 3월");
}

TEST_F(MonthOutputs, PrintedOctober1582HasTwentyOneDays) {
    Prepare(1582, 10);
    platform::RecordingSurface page = Page();
    PrintCalendar(page, state_, 1582, 10);
    const std::vector<std::string> texts = Prints(page);
    // Title, seven weekdays, the legend's three bands, then three bands a day.
    ASSERT_EQ(texts.size(), 1u + 7 + 3 + 21 * 3);
    std::vector<std::string> labels;
    for (std::size_t i = 11; i < texts.size(); i += 3) labels.push_back(texts[i]);
    std::vector<std::string> expected = {"1", "2", "3", "4"};
    for (int d = 15; d <= 31; ++d) expected.push_back(std::to_string(d));
    EXPECT_EQ(labels, expected);
}

// ---- Templates ------------------------------------------------------------------

TEST_F(MonthOutputs, TemplateTags) {
    Prepare(2024, 3);
    const calendar::CalendarSettings& cs = state_.settings;
    const double jd15 = calendar::JulianDay(2024, 3, 15, 12);
    const calendar::DeltaTRule rule = calendar::DeltaTRuleOf(cs);
    const std::string sun =
        calendar::RiseSetDay(cs.LON, cs.LAT, jd15, cs.TZ, calendar::kRiseSetKindSun, calendar::kRiseSetSun, cs.RSP, cs.CalcOBSHT, cs.ObsHT, rule);
    const std::string moon =
        calendar::RiseSetDay(cs.LON, cs.LAT, jd15, cs.TZ, calendar::kRiseSetKindMoon, calendar::kRiseSetMoon, cs.RSP, cs.CalcOBSHT, cs.ObsHT, rule);
    struct Case {
        const char* templet;
        std::string result;
    } cases[] = {
        {"#M15D4#", sun},
        {"[#m15d5#]", "[" + moon + "]"},
        {"#b01d1#|#B01D1#|#B06D1#|#B36D1#|#B37D1#", "||1|31|"},
        {"#B45D1# #B00D1# #B01XX# #b45d1#", "#B45D1# #B00D1# #B01XX# #B45D1#"},
        {"#M45D1#|#M00D1#|#M31WK#", "|#M00D1#|일"},
        {"#Z12AB# #z12ab# #B1xD1#", "#Z12AB# #z12ab# #B1xD1#"},
        {"#b01일월# #m가1d1#", "#B01일월# #m가1d1#"},
        {"#YEAR0#/#MONTH#", "2024/3"},
        {"#B0", "#B0"},
        {"#M15D3#", "2. 6/戊寅"},
    };
    for (const Case& c : cases) EXPECT_EQ(ApplyTemplet(state_, 2024, 3, c.templet), c.result) << c.templet;

    Prepare(2024, 9);
    EXPECT_EQ(ApplyTemplet(state_, 2024, 9, "#b01d1#=#B01D1#"), "1=1");
    Prepare(2024, 4);
    EXPECT_EQ(ApplyTemplet(state_, 2024, 4, "[#M31D1#][#M30WK#]"), "[][화]");
}

TEST_F(MonthOutputs, TemplateReformYearZeroAndSelfReference) {
    Prepare(1582, 10);
    EXPECT_EQ(ApplyTemplet(state_, 1582, 10, "[#M05D1#][#M15WK#]"), "[][금]");
    const auto& cells = Templet().TempletCell;
    const auto fourth = std::find_if(cells.begin(), cells.end(), [](const TempletCellRecord& c) { return c.day == 4; });
    ASSERT_NE(fourth, cells.end());
    EXPECT_EQ((fourth + 1)->day, 15);
    EXPECT_FALSE((fourth + 1)->hidden);

    Prepare(0, 3);
    EXPECT_EQ(ApplyTemplet(state_, 0, 3, "#YEAR0#"), "BC 1");
    EXPECT_EQ(TempletResultName(0, 3), "Result_vuBC1년3월");
    EXPECT_EQ(TempletResultName(2024, 3), "Result_vuAD2024년3월");

    // A value is never scanned for tags: a name that is a tag, or holds one,
    // stays as it is, and a value longer than its tag moves no later tag out
    // of reach.
    Prepare(2024, 3);
    struct Case {
        const char* name;
        std::string templet;
        std::string result;
    } cases[] = {
        {"#M01SD#", "#M01SD#", "#M01SD#"},
        {"x#M01SD#", "#M01SD#" + std::string(20, '.'), "x#M01SD#" + std::string(20, '.')},
        {"x#M15WK#", "#M01SD#........", "x#M15WK#........"},
        {"#M15", "#M01SD#WK#", "#M15WK#"},
        {"긴 기념일 이름이 태그보다 깁니다", "#M01SD##M15WK##M01SD#|#M31D1#",
         "긴 기념일 이름이 태그보다 깁니다금긴 기념일 이름이 태그보다 깁니다|31"},
    };
    for (const Case& c : cases) {
        AddDay(0, Entry(2024, 3, 1, c.name, 0));
        EXPECT_EQ(ApplyTemplet(state_, 2024, 3, c.templet), c.result) << c.name;
    }
    // A tag left in the text shares its closing "#" with the next tag.
    EXPECT_EQ(ApplyTemplet(state_, 2024, 3, "#B45D1#M15WK#|#Z12AB#B01D1#"), "#B45D1금|#Z12AB");
    std::string many, expected;
    for (int i = 0; i < 300; ++i) {
        many += "#M01SD#";
        expected += "#M15";
    }
    AddDay(0, Entry(2024, 3, 1, "#M15", 0));
    EXPECT_EQ(ApplyTemplet(state_, 2024, 3, many), expected);
}

TEST_F(MonthOutputs, TemplateEscapesValuesOfMarkup) {
    Prepare(2024, 3);
    AddDay(0, Entry(2024, 3, 1, "<b>A&B \"C\"</b>", 0));
    const std::string templet = "<td>#M01SD#</td><td>#M15WK#</td>";
    EXPECT_EQ(ApplyTemplet(state_, 2024, 3, templet, true),
              "<td>&lt;b&gt;A&amp;B &quot;C&quot;&lt;/b&gt;</td><td>금</td>");
    EXPECT_EQ(ApplyTemplet(state_, 2024, 3, templet, false), "<td><b>A&B \"C\"</b></td><td>금</td>");
    // A name stays inside an attribute quoted either way.
    AddDay(0, Entry(2024, 3, 1, "it's \"x\" <b>", 0));
    EXPECT_EQ(ApplyTemplet(state_, 2024, 3, "<td title='#M01SD#' alt=\"#M01SD#\">", true),
              "<td title='it&#39;s &quot;x&quot; &lt;b&gt;' alt=\"it&#39;s &quot;x&quot; &lt;b&gt;\">");
}

// A long name in every tag of a large template would make gigabytes: the
// result is refused once it would pass its limit, escaped values counted as
// written.
TEST_F(MonthOutputs, TemplateResultIsBounded) {
    Prepare(2024, 3);
    AddDay(0, Entry(2024, 3, 1, "A&B", 0));
    const struct {
        const char* templet;
        bool markup;
        std::size_t limit;
        std::optional<std::string> result;
    } cases[] = {
        {"#M15WK#abc", false, 6, "금abc"},
        {"#M15WK#abc", false, 5, std::nullopt},
        {"#M15WK#abc", false, 3, std::nullopt},
        {"<#M01SD#>", false, 5, "<A&B>"},
        {"<#M01SD#>", true, 9, "<A&amp;B>"},
        {"<#M01SD#>", true, 8, std::nullopt},
        {"#B45D1#x", false, 8, "#B45D1#x"},
        {"#B45D1#x", false, 7, std::nullopt},
        {"abcdefgh", false, 7, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyTemplet(state_, 2024, 3, c.templet, c.markup, c.limit), c.result) << c.templet << " " << c.limit;

    // The longest name a settings file keeps, in a template of 1 MB.
    std::string name;
    for (std::size_t i = 0; i < calendar::kLongestSettingText; ++i) name += "가";
    AddDay(0, Entry(2024, 3, 1, name, 0));
    std::string templet;
    while (templet.size() < 1024 * 1024) templet += "<td title='#M01SD#'>#M01SD#</td>\r\n";
    EXPECT_EQ(ApplyTemplet(state_, 2024, 3, templet, true), std::nullopt);
    // As many tags as the limit holds are fine.
    const std::string one = "<td title='#M01SD#'>#M01SD#</td>\r\n";
    const std::size_t row = ApplyTemplet(state_, 2024, 3, one, true).value_or("").size();
    ASSERT_GT(row, 2 * name.size());
    std::string fits;
    for (std::size_t i = 0; i < kLargestTempletResult / row; ++i) fits += one;
    const std::optional<std::string> filled = ApplyTemplet(state_, 2024, 3, fits, true);
    ASSERT_TRUE(filled.has_value());
    EXPECT_EQ(filled->size(), kLargestTempletResult / row * row);
}

}  // namespace
}  // namespace vu
