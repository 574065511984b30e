// The close-approach and tonight's sky windows driven as a user would,
// offscreen with scripted services at the default site (35.82 N, 128.46 E,
// zone 9), checked against the astronomy-engine tables of almanac/testdata.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include <array>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "almanac/ApproachFixtures.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "zu/almanac/FrmCon.h"
#include "zu/almanac/FrmDCal.h"
#include "zu/almanac/FrmToday.h"
#include "zu/almanac/WindowSupport.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"

namespace zu {
namespace {

using platform::MsgAnswer;
using almanac::test::FixtureRow;

skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }

std::string Text(const QLabel* label) { return U(label->text()); }
std::string Text(const QLineEdit* box) { return U(box->text()); }

std::vector<std::string> Lines(const QListWidget& list) {
    std::vector<std::string> lines;
    for (int row = 0; row < list.count(); ++row) lines.push_back(U(list.item(row)->text()));
    return lines;
}

int RowStarting(const QListWidget& list, const std::string& start) {
    for (int row = 0; row < list.count(); ++row)
        if (U(list.item(row)->text()).starts_with(start)) return row;
    return -1;
}

double FixtureTime(const char* file, const char* day, const char* event) {
    for (const FixtureRow& row : almanac::test::ReadFixture(file))
        if (row.at("day") == day && row.at("event") == event) return almanac::test::LocalJD(row.at("local"));
    ADD_FAILURE() << day << " " << event;
    return 0;
}

class ApproachWindows : public ::testing::Test {
protected:
    void SetUp() override { zu::ResetToolWindows(); }
    void TearDown() override { zu::ResetToolWindows(); }
    zu::test::ProgramEnv p;
};

void SetPeriod(FrmCon& w, int y0, int m0, int d0, int y1, int m1, int d1) {
    const int fields[6] = {y0, m0, d0, y1, m1, d1};
    for (int k = 0; k < 3; ++k) {
        w.TxtStart[k]->setText(QString::number(fields[k]));
        w.TxtEnd[k]->setText(QString::number(fields[3 + k]));
    }
}

// ---- The close-approach window ---------------------------------------------

TEST_F(ApproachWindows, CloseApproachWindowLoadsAroundTheChartDate) {
    S().CurrentJD = astro::DateToJD(2020, 12, 20, 12, 0, 0);
    QWidget& window = zu::ShowToolWindow(zu::ToolWindowId::FrmCon, nullptr);
    auto& w = dynamic_cast<FrmCon&>(window);
    EXPECT_EQ(U(w.windowTitle()), "행성 접근 탐색기");
    EXPECT_FALSE(p.env.windows.shown[0].modal);
    EXPECT_EQ(U(w.Frame1->title()), "탐색 설정");
    const char* expected[] = {"2020", "12", "10", "2021", "2", "8"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(Text(w.TxtStart[k]), expected[k]);
        EXPECT_EQ(Text(w.TxtEnd[k]), expected[3 + k]);
    }
    EXPECT_EQ(Text(w.TxtTime[0]), "12");
    EXPECT_EQ(Text(w.TxtTime[1]), "00");
    EXPECT_EQ(Text(w.TxtInt), "1");
    EXPECT_EQ(Text(w.txtPN), "4");
    EXPECT_EQ(Text(w.txtAngDist), "60");
    EXPECT_EQ(Text(w.txtAngDist2), "3");
    EXPECT_TRUE(w.Check1->isChecked());
    EXPECT_TRUE(w.Check2->isChecked());
    EXPECT_EQ(U(w.txtPN->toolTip()), "3에서 6 사이의 숫자를 입력할 수 있습니다.");
    EXPECT_EQ(U(w.txtAngDist->toolTip()), "1~120도 사이의 값을 입력할 수 있습니다.");
    EXPECT_EQ(U(w.txtAngDist2->toolTip()), "0.5에서 5도 사이의 값을 입력할 수 있습니다.");
    EXPECT_EQ(U(w.cmdCopy->toolTip()), "클립보드에 내용을 복사합니다.");
    EXPECT_EQ(U(w.CmdFind->text()), "찾기");
    EXPECT_EQ(U(w.CmdCancel->text()), "닫기");
    EXPECT_TRUE(w.List1->count() == 0);
}

TEST_F(ApproachWindows, FindListsTheGreatConjunction) {
    S().CurrentJD = astro::DateToJD(2020, 12, 20, 12, 0, 0);
    astro::CalcPlanets(S().CurrentJD);
    const double jde = astro::Planets().JDE;
    FrmCon w;
    SetPeriod(w, 2020, 12, 15, 2020, 12, 29);
    w.CmdFind->click();
    EXPECT_TRUE(p.env.messages.shown.empty());
    EXPECT_GE(RowStarting(*w.List1, "2020년 12월 22일    목성, 토성 접근(각거리: 0.10도) "), 0);
    const std::vector<std::string> lines = Lines(*w.List1);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "2020년 12월 22일    목성, 토성 접근(각거리: 0.10도) "),
              lines.end());
    EXPECT_EQ(static_cast<std::size_t>(w.List1->count()) + 1, w.Times.size());

    w.cmdCopy->click();
    std::string copied = "행성 접근 현상\r\n";
    for (const std::string& line : lines) copied += line + "\r\n";
    EXPECT_EQ(p.env.clipboard.text, copied);
    // The search computed its own tables.
    EXPECT_EQ(astro::Planets().JDE, jde);
}

TEST_F(ApproachWindows, FindClampsWhatItHandsTheSearch) {
    S().CurrentJD = astro::DateToJD(2020, 12, 20, 12, 0, 0);
    FrmCon w;
    almanac::ApproachRequest seen;
    w.Search = [&seen](const almanac::ApproachRequest& r, const almanac::PlanetTableSource&, std::vector<double>& times,
                       std::vector<std::string>& texts, platform::WorkProgress*) {
        seen = r;
        times.assign(1, 0);
        texts.assign(1, "");
        return almanac::ApproachSearchStatus::Done;
    };
    struct Case {
        QLineEdit* box;
        const char* text;
        double almanac::ApproachRequest::*field;
        double expected;
    };
    const Case doubles[] = {
        {w.txtAngDist, "0", &almanac::ApproachRequest::width_deg, 1},      {w.txtAngDist, "200", &almanac::ApproachRequest::width_deg, 120},
        {w.txtAngDist, "45.5", &almanac::ApproachRequest::width_deg, 45.5}, {w.txtAngDist2, "10", &almanac::ApproachRequest::pair_limit_deg, 5},
        {w.txtAngDist2, "0.1", &almanac::ApproachRequest::pair_limit_deg, 0.5}, {w.txtAngDist2, "x", &almanac::ApproachRequest::pair_limit_deg, 0.5},
        {w.TxtInt, "0", &almanac::ApproachRequest::step_days, 1},          {w.TxtInt, "7", &almanac::ApproachRequest::step_days, 7},
    };
    for (const Case& c : doubles) {
        SCOPED_TRACE(c.text);
        const QString kept = c.box->text();
        c.box->setText(Q(c.text));
        w.CmdFind->click();
        EXPECT_EQ(seen.*c.field, c.expected);
        c.box->setText(kept);
    }
    const struct {
        const char* text;
        int count;
    } counts[] = {{"abc", 3}, {"9", 6}, {"2", 3}, {"4.6", 5}, {"3.5", 4}, {" 5개", 5}};
    for (const auto& c : counts) {
        SCOPED_TRACE(c.text);
        w.txtPN->setText(Q(c.text));
        w.CmdFind->click();
        EXPECT_EQ(seen.min_count, c.count);
    }
    // The period at the reference time, and the boxes.
    w.TxtTime[0]->setText("21");
    w.TxtTime[1]->setText("30");
    w.Check1->setChecked(false);
    w.CmdFind->click();
    EXPECT_EQ(seen.start_jd, astro::DateToJD(2020, 12, 10, 21.5, 0, 0));
    EXPECT_EQ(seen.end_jd, astro::DateToJD(2021, 2, 8, 21.5, 0, 0));
    EXPECT_FALSE(seen.gathering);
    EXPECT_TRUE(seen.pairs);
    EXPECT_TRUE(p.env.messages.shown.empty());
}

// A refused search (a period over five years, a start after the end) did
// nothing: the rows of the search before are listed again, and only while
// there are none does the window ask for the period to be checked.
TEST_F(ApproachWindows, ARefusedSearchListsTheRowsBeforeAgain) {
    S().CurrentJD = astro::DateToJD(2020, 12, 20, 12, 0, 0);
    const std::string five_years = "탐색 기간은 5년 이내로 해 주세요.";
    const std::string check = "탐색 기간을 확인한 후 다시 찾기 단추를 눌러주세요.";
    enum class Before { NoSearch, Rows, NothingFound };
    struct Case {
        const char* name;
        Before before;
        bool over_five_years;  // else the start after the end
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"over five years, first search", Before::NoSearch, true, {five_years, check}},
        {"start after end, first search", Before::NoSearch, false, {check}},
        {"over five years after rows", Before::Rows, true, {five_years}},
        {"start after end after rows", Before::Rows, false, {}},
        {"over five years after a search that found nothing", Before::NothingFound, true, {five_years}},
    };
    const double conjunction = astro::DateToJD(2020, 12, 22, 3, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p.env.messages.shown.clear();
        FrmCon w;
        int searches = 0;
        w.Search = [&](const almanac::ApproachRequest&, const almanac::PlanetTableSource&, std::vector<double>& times,
                       std::vector<std::string>& texts, platform::WorkProgress*) {
            ++searches;
            times = {conjunction, conjunction + 1, 0};
            texts = {"목성, 토성 접근(각거리: 0.10도) ", "목성, 토성 접근(각거리: 0.14도) ", ""};
            if (c.before == Before::NothingFound) {
                times = {0};
                texts = {""};
            }
            return almanac::ApproachSearchStatus::Done;
        };
        if (c.before != Before::NoSearch) {
            SetPeriod(w, 2020, 12, 20, 2020, 12, 23);
            w.CmdFind->click();
        }
        const std::vector<std::string> before = Lines(*w.List1);
        const std::vector<double> times = w.Times;
        ASSERT_EQ(before.size(), c.before == Before::Rows ? 2u : 0u);

        if (c.over_five_years)
            SetPeriod(w, 2016, 1, 1, 2021, 1, 2);  // 1828 days
        else
            SetPeriod(w, 2020, 12, 24, 2020, 12, 23);
        w.CmdFind->click();
        EXPECT_EQ(searches, c.before == Before::NoSearch ? 0 : 1);
        std::vector<std::string> texts;
        for (const platform::Message& m : p.env.messages.shown) texts.push_back(m.text);
        EXPECT_EQ(texts, c.messages);
        for (const platform::Message& m : p.env.messages.shown) {
            const bool ours = m.text == check;
            EXPECT_EQ(m.title, ours ? "행성 현상 탐색 오류" : "zu");
            EXPECT_EQ(m.icon, ours ? platform::MsgIcon::Critical : platform::MsgIcon::Exclamation);
        }
        EXPECT_EQ(Lines(*w.List1), before);
        EXPECT_EQ(w.Times, times);

        // The rows listed again are the rows a double click moves the chart to.
        p.env.messages.shown.clear();
        w.List1->setCurrentRow(w.List1->count() - 1);
        p.env.messages.answers.push_back(MsgAnswer::No);
        w.List1_DblClick();
        EXPECT_EQ(p.env.messages.shown.size(), c.before == Before::Rows ? 1u : 0u);
    }
}

TEST_F(ApproachWindows, FindWithNeitherKindTickedDoesNothing) {
    S().CurrentJD = astro::DateToJD(2020, 12, 20, 12, 0, 0);
    FrmCon w;
    SetPeriod(w, 2020, 12, 20, 2020, 12, 23);
    w.CmdFind->click();
    const int rows = w.List1->count();
    ASSERT_GT(rows, 0);
    w.Check1->setChecked(false);
    w.Check2->setChecked(false);
    for (const auto& period : {std::array{2020, 12, 24, 2020, 12, 23}, std::array{2016, 1, 1, 2021, 1, 2}}) {
        SetPeriod(w, period[0], period[1], period[2], period[3], period[4], period[5]);
        w.CmdFind->click();
        EXPECT_EQ(w.List1->count(), rows);
        EXPECT_TRUE(p.env.messages.shown.empty());
    }
}

// The search runs as long work; stopped, it leaves the list and the rows of
// the search before.
TEST_F(ApproachWindows, AStoppedSearchKeepsTheListBefore) {
    S().CurrentJD = astro::DateToJD(2020, 12, 20, 12, 0, 0);
    FrmCon w;
    SetPeriod(w, 2020, 12, 15, 2020, 12, 29);
    w.CmdFind->click();
    const std::vector<std::string> before = Lines(*w.List1);
    const std::vector<double> times = w.Times;
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(p.env.long_work.requests.size(), 1u);
    EXPECT_EQ(p.env.long_work.requests[0].title, "행성 접근 탐색기");
    EXPECT_EQ(p.env.long_work.requests[0].text, "행성 접근 현상을 찾고 있습니다...");
    EXPECT_EQ(p.env.long_work.totals[0], 16u);  // a day before the start to the end
    EXPECT_EQ(p.env.long_work.done[0], 16u);

    // Five years, stopped a month in.
    SetPeriod(w, 2020, 1, 1, 2024, 12, 31);
    p.env.long_work.cancel_after = {std::size_t{30}};
    w.CmdFind->click();
    ASSERT_EQ(p.env.long_work.requests.size(), 2u);
    EXPECT_EQ(p.env.long_work.done[1], 30u);
    EXPECT_EQ(Lines(*w.List1), before);
    EXPECT_EQ(w.Times, times);
    EXPECT_TRUE(p.env.messages.shown.empty());

    // A refused period asks for no work and keeps the rows.
    SetPeriod(w, 2016, 1, 1, 2021, 1, 2);
    w.CmdFind->click();
    EXPECT_EQ(p.env.long_work.requests.size(), 2u);
    EXPECT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(Lines(*w.List1), before);
}

// Years typed far outside any ephemeris end the search with some answer;
// nothing hangs or fails.
TEST_F(ApproachWindows, RemoteYearsFinish) {
    S().CurrentJD = astro::DateToJD(2020, 12, 20, 12, 0, 0);
    FrmCon w;
    for (const char* year : {"99999999999", "-99999999999", "1e300"}) {
        SCOPED_TRACE(year);
        for (int k = 0; k < 2; ++k) {
            (k == 0 ? w.TxtStart : w.TxtEnd)[0]->setText(year);
            (k == 0 ? w.TxtStart : w.TxtEnd)[1]->setText("1");
            (k == 0 ? w.TxtStart : w.TxtEnd)[2]->setText(k == 0 ? "1" : "3");
        }
        w.CmdFind->click();
        EXPECT_LE(w.List1->count(), 5 * 16);
    }
}

TEST_F(ApproachWindows, DoubleClickMovesTheChartToTheEvent) {
    zu::RecordingChartHost host;
    S().CurrentJD = astro::DateToJD(2022, 6, 20, 12, 0, 0);
    S().RealTimeMode = true;
    QWidget& window = zu::ShowToolWindow(zu::ToolWindowId::FrmCon, nullptr);
    auto& w = dynamic_cast<FrmCon&>(window);
    SetPeriod(w, 2022, 6, 24, 2022, 6, 24);
    w.txtAngDist->setText("120");
    w.CmdFind->click();

    // No selection: nothing is asked.
    w.List1->setCurrentRow(-1);
    w.List1_DblClick();
    EXPECT_TRUE(p.env.messages.shown.empty());

    const int morning = RowStarting(*w.List1, "2022년 6월 24일    (황경106도이내6개-새벽)달, 수성, 금성, 화성, 목성, 토성");
    ASSERT_GE(morning, 0);
    w.List1->setCurrentRow(morning);
    p.env.messages.answers.push_back(MsgAnswer::No);
    w.List1_DblClick();
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(p.env.messages.shown[0].text,
              "zu의 시간을 (황경106도이내6개-새벽)달, 수성, 금성, 화성, 목성, 토성이 일어나는 시각으로 바꾸시겠습니까?");
    EXPECT_EQ(p.env.messages.shown[0].title, "zu");
    EXPECT_EQ(p.env.messages.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(p.env.messages.shown[0].icon, platform::MsgIcon::Question);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(S().RealTimeMode);

    p.env.messages.answers.push_back(MsgAnswer::Yes);
    w.List1_DblClick();
    EXPECT_NEAR(S().CurrentJD, FixtureTime("tonight_events.csv", "2022-06-24", "sunrise"), 1.0 / 1440);
    EXPECT_FALSE(S().RealTimeMode);
    EXPECT_EQ(zu::AppState().LocalSiderealTime, astro::CalcLST(S().CurrentJD, S().lon, S().timezone));
    EXPECT_EQ(host.calls.size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.isVisible());

    // A pair goes to its own instant.
    const int pair = RowStarting(*w.List1, "2022년 6월 2");
    int pair_row = -1;
    for (int row = 0; row < w.List1->count(); ++row)
        if (U(w.List1->item(row)->text()).find("접근") != std::string::npos) pair_row = row;
    ASSERT_GE(pair, 0);
    ASSERT_GE(pair_row, 0);
    w.List1->setCurrentRow(pair_row);
    p.env.messages.answers.push_back(MsgAnswer::Yes);
    w.List1_DblClick();
    EXPECT_EQ(S().CurrentJD, w.Times[static_cast<std::size_t>(pair_row)]);
}

TEST_F(ApproachWindows, MorningGroupUnderTheMidnightSunKeepsItsScanInstant) {
    S().CurrentJD = astro::DateToJD(2022, 6, 20, 12, 0, 0);
    S().lat = 80;
    FrmCon w;
    SetPeriod(w, 2022, 6, 24, 2022, 6, 24);
    w.txtAngDist->setText("120");
    w.Check2->setChecked(false);
    w.CmdFind->click();
    const int row = RowStarting(*w.List1, "2022년 6월 24일    (황경106도이내6개-새벽)");
    ASSERT_GE(row, 0);
    w.List1->setCurrentRow(row);
    p.env.messages.answers.push_back(MsgAnswer::Yes);
    w.List1_DblClick();
    EXPECT_EQ(S().CurrentJD, astro::DateToJD(2022, 6, 24, 12, 0, 0));
}

// ---- Tonight's sky ------------------------------------------------------------

// Minutes after midnight of a "05시 10분     해 뜸" line.
double LineMinutes(const std::string& line) {
    std::smatch m;
    if (!std::regex_search(line, m, std::regex("^(\\d\\d)시 (\\d\\d)분     "))) return -1;
    return std::stod(m[1]) * 60 + std::stod(m[2]);
}

double EventMinutes(const QListWidget& list, const std::string& name) {
    for (int row = 0; row < list.count(); ++row) {
        const std::string line = U(list.item(row)->text());
        if (line.size() > name.size() && line.ends_with("     " + name)) return LineMinutes(line);
    }
    return -1;
}

TEST_F(ApproachWindows, TonightOfMidsummer) {
    S().CurrentJD = astro::DateToJD(2008, 6, 21, 20, 0, 0);
    astro::CalcPlanets(S().CurrentJD);
    const double jde = astro::Planets().JDE;
    QWidget& window = zu::ShowToolWindow(zu::ToolWindowId::frmToday, nullptr);
    auto& w = dynamic_cast<frmToday&>(window);
    EXPECT_EQ(U(w.windowTitle()), "오늘의 천문 현상");
    EXPECT_FALSE(p.env.windows.shown[0].modal);
    EXPECT_EQ(Text(w.Label1[0]), "2008년 6월 21일");
    EXPECT_EQ(U(w.TabStrip1->tabText(0)), "오늘의 천문 현상");
    EXPECT_EQ(U(w.TabStrip1->tabText(1)), "별 보기 좋은 때");
    EXPECT_TRUE(w.Frame1[0]->isVisible());
    EXPECT_FALSE(w.Frame1[1]->isVisible());

    const std::vector<std::string> lines = Lines(*w.List1);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "05시 10분     해 뜸"), lines.end());
    double previous = -1;
    for (const std::string& line : lines) {
        const double minutes = LineMinutes(line);
        EXPECT_GE(minutes, previous) << line;
        EXPECT_LT(minutes, 24 * 60) << line;
        previous = minutes;
    }
    const double midnight = astro::DateToJD(2008, 6, 21, 0, 0, 0);
    const struct {
        const char* name;
        const char* event;
        double tolerance_min;  // the reference's, and the rounding to a minute
    } cases[] = {
        {"천문 박명 시작", "astronomical_dawn", 1.5}, {"해 뜸", "sunrise", 1.5},   {"해 짐", "sunset", 1.5},
        {"천문 박명 종료", "astronomical_dusk", 1.5}, {"달 짐", "moonset", 3.5},   {"달 뜸", "moonrise", 3.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const double reference = (FixtureTime("tonight_events.csv", "2008-06-21", c.event) - midnight) * 1440;
        EXPECT_NEAR(EventMinutes(*w.List1, c.name), reference, c.tolerance_min);
    }
    EXPECT_EQ(astro::Planets().JDE, jde);

    w.cmdCopy->click();
    std::string copied = "2008년 6월 21일\r\n";
    for (const std::string& line : lines) copied += line + "\r\n";
    EXPECT_EQ(p.env.clipboard.text, copied);

    w.TabStrip1->setCurrentIndex(1);
    EXPECT_FALSE(w.Frame1[0]->isVisible());
    EXPECT_TRUE(w.Frame1[1]->isVisible());
}

platform::Colour PixelAt(PictureBox& picture, double hour_after_noon, double height_fraction) {
    const QImage& image = picture.Surface().Image();
    const int x = static_cast<int>(hour_after_noon / 24 * image.width());
    const int y = static_cast<int>(height_fraction * image.height());
    const QRgb c = image.pixel(x, y);
    return platform::Rgb(qRed(c), qGreen(c), qBlue(c));
}

TEST_F(ApproachWindows, DarkNightDiagramAndSummary) {
    S().CurrentJD = astro::DateToJD(2008, 7, 2, 12, 0, 0);
    frmToday w;
    EXPECT_EQ(Text(w.Label1[3]), "오늘 21시 35분무렵부터 내일 03시 25분무렵까지 별을 보기 적당합니다.");
    EXPECT_EQ(PixelAt(*w.Picture1, 11, 0.5), platform::Rgb(0, 0, 0));      // 23:00
    EXPECT_EQ(PixelAt(*w.Picture1, 1, 0.5), platform::Rgb(255, 255, 0));   // 13:00, the Moon up
    EXPECT_EQ(PixelAt(*w.Picture1, 1, 0.1), platform::Rgb(120, 120, 120));
    EXPECT_EQ(PixelAt(*w.Picture1, 1, 0.9), platform::Rgb(120, 120, 120));
    const char* axis[] = {"오늘 낮 12시", "오늘 밤 24시", "내일 낮12시", "18시", "06시"};
    const int labels[] = {4, 5, 6, 7, 8};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Text(w.Label1[labels[k]]), axis[k]);
}

TEST_F(ApproachWindows, MidnightSunHasNoDarkSky) {
    S().CurrentJD = astro::DateToJD(2008, 6, 21, 12, 0, 0);
    S().lat = 78;
    frmToday w;
    const QImage& image = w.Picture1->Surface().Image();
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) ASSERT_NE(image.pixel(x, y) & 0xffffff, 0u) << x << " " << y;
    EXPECT_EQ(Text(w.Label1[3]), "오늘 밤과 내일 새벽에는 별을 보기에는 하늘이 밝습니다.");
    // The Sun neither rises nor sets: no such lines.
    EXPECT_EQ(EventMinutes(*w.List1, "해 뜸"), -1);
    EXPECT_EQ(EventMinutes(*w.List1, "해 짐"), -1);
}

TEST_F(ApproachWindows, TonightStepsDaysAndMovesTheChart) {
    zu::RecordingChartHost host;
    const double base = astro::DateToJD(2008, 6, 21, 20, 0, 0);
    S().CurrentJD = base;
    S().RealTimeMode = true;
    QWidget& window = zu::ShowToolWindow(zu::ToolWindowId::frmToday, nullptr);
    auto& w = dynamic_cast<frmToday&>(window);
    w.cmdNavi[1]->click();
    w.cmdNavi[1]->click();
    EXPECT_EQ(Text(w.Label1[0]), "2008년 6월 23일");

    w.List1->setCurrentRow(-1);
    w.List1_DblClick();
    EXPECT_TRUE(p.env.messages.shown.empty());

    const int row = RowStarting(*w.List1, "05시 1");
    ASSERT_GE(row, 0);
    ASSERT_TRUE(U(w.List1->item(row)->text()).ends_with("해 뜸"));
    w.List1->setCurrentRow(row);
    p.env.messages.answers.push_back(MsgAnswer::No);
    w.List1_DblClick();
    EXPECT_EQ(S().CurrentJD, base);
    p.env.messages.answers.push_back(MsgAnswer::Yes);
    w.List1_DblClick();
    ASSERT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_EQ(p.env.messages.shown[1].text, "zu의 시간을 해 뜸이 일어나는 시각으로 바꾸시겠습니까?");
    EXPECT_EQ(p.env.messages.shown[1].icon, platform::MsgIcon::Question);
    double sunrise = -1;
    for (const almanac::TonightEvent& e : w.Slots)
        if (e.text == "해 뜸") sunrise = e.time;
    EXPECT_EQ(S().CurrentJD, astro::RoundToHalf(base + 2) + sunrise);
    EXPECT_FALSE(S().RealTimeMode);
    EXPECT_EQ(zu::AppState().LocalSiderealTime, astro::CalcLST(S().CurrentJD, S().lon, S().timezone));
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.isVisible());

    // One live window: opening again raises it with its day.
    w.cmdNavi[0]->click();
    QWidget& again = zu::ShowToolWindow(zu::ToolWindowId::frmToday, nullptr);
    EXPECT_EQ(&again, &window);
    EXPECT_EQ(Text(dynamic_cast<frmToday&>(again).Label1[0]), "2008년 6월 22일");
    again.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(zu::FindToolWindow(zu::ToolWindowId::frmToday), nullptr);
    // After closing, the next opening starts from the chart's day, which
    // the double click moved.
    QWidget& fresh = zu::ShowToolWindow(zu::ToolWindowId::frmToday, nullptr);
    EXPECT_EQ(Text(dynamic_cast<frmToday&>(fresh).Label1[0]), "2008년 6월 23일");
}

// Each window as the user sees it, kept as "almanac-<name>.png" in the program
// folder; under an X server (QT_QPA_PLATFORM=xcb, see tools/screenshot.sh) the
// windows are drawn by it.
TEST_F(ApproachWindows, Screenshots) {
    S().CurrentJD = astro::DateToJD(2022, 5, 20, 21, 0, 0);
    QWidget& con = zu::ShowToolWindow(zu::ToolWindowId::FrmCon, nullptr);
    SetPeriod(dynamic_cast<FrmCon&>(con), 2022, 4, 20, 2022, 6, 30);
    dynamic_cast<FrmCon&>(con).CmdFind->click();
    con.adjustSize();
    QCoreApplication::processEvents();
    EXPECT_TRUE(con.grab().save(QString("almanac-FrmCon.png")));

    S().CurrentJD = astro::DateToJD(2008, 7, 2, 21, 0, 0);
    QWidget& today = zu::ShowToolWindow(zu::ToolWindowId::frmToday, nullptr);
    today.adjustSize();
    QCoreApplication::processEvents();
    EXPECT_TRUE(today.grab().save(QString("almanac-frmToday.png")));
    dynamic_cast<frmToday&>(today).TabStrip1->setCurrentIndex(1);
    QCoreApplication::processEvents();
    const QImage shot = today.grab().toImage();
    EXPECT_GT(shot.width(), 300);
    EXPECT_TRUE(shot.save(QString("almanac-frmToday-dark.png")));
}

}  // namespace
}  // namespace zu
