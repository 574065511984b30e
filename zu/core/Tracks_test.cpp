// Tracks of solar-system bodies: dates, times of day, places and frames,
// labels, lines and marks, the point limit and its warning, the hooks of the
// settings load and the chart, with scripted bodies and with the real
// ephemeris.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "astro/AngleMath.h"
#include "astro/AsteroidPosition.h"
#include "astro/CometPosition.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Plan404.h"
#include "astro/Planets.h"
#include "astro/RiseSet.h"
#include "astro/SeriesCopies.h"
#include "chart/ChartState.h"
#include "chart/DrawMap.h"
#include "chart/PathLists.h"
#include "platform/RecordingSurface.h"
#include "platform/TextFile.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/core/Tracks.h"

namespace zu {
namespace {

constexpr int kMars = 3;

// Bodies whose place at t is (10 + t - t0, 20) with magnitude 1.2; a body
// cannot be placed at the moments listed in `gaps`.
class ScriptedBodies final : public PathBodySource {
public:
    double t0 = 0;
    std::set<double> gaps;
    std::vector<double> asked;

    bool Exists(PathBodyKind kind, std::int32_t number) override {
        return number >= 0 && number < (kind == PathBodyKind::Planet ? 10 : 2);
    }
    std::string Name(PathBodyKind kind, std::int32_t number) override {
        return std::string(kind == PathBodyKind::Comet ? "혜성" : "행성").append(std::to_string(number));
    }
    std::optional<PathBodyPlace> Place(PathBodyKind kind, std::int32_t, double jd) override {
        asked.push_back(jd);
        if (gaps.count(jd)) return std::nullopt;
        PathBodyPlace p;
        p.ra_deg = 10 + (jd - t0);
        p.dec_deg = 20;
        p.mag = 1.2;
        if (kind == PathBodyKind::Comet) {
            p.has_tail = true;
            p.tail_ra_deg = p.ra_deg;
            p.tail_dec_deg = 22;
        }
        return p;
    }
};

const double kMay20 = astro::DateToJD(2008, 5, 20, 0, 0, 0);

skydata::PathSettings TenDaysStepTwo() {
    skydata::PathSettings s;
    s.StartJD = kMay20;
    s.EndJD = kMay20 + 10;
    s.StepDays = 2;
    s.LabelInterval = 4;
    s.LabelFlags = "D   ";
    return s;
}

PathInputs Inputs(std::vector<std::string> bodies) {
    PathInputs in;
    in.bodies = std::move(bodies);
    in.chart_jd = kMay20 + 0.75;
    return in;
}

// Vertical arms of the track crosses in the recorded drawing: "Line(x,y1)-(x,y2),RGB(r,g,b)".
std::vector<std::pair<int, int>> CrossCentres(const platform::RecordingSurface& surface, const std::string& rgb) {
    std::vector<std::pair<int, int>> centres;
    for (const std::string& call : surface.Calls()) {
        int x1, y1, x2, y2;
        char colour[40] = {};
        if (std::sscanf(call.c_str(), "Line(%d,%d)-(%d,%d),%39s", &x1, &y1, &x2, &y2, colour) != 5) continue;
        if (rgb != colour || x1 != x2 || y2 - y1 != 8) continue;
        centres.emplace_back(x1, y1 + 4);
    }
    return centres;
}

class TracksTest : public ::testing::Test {
protected:
    void SetUp() override {
        astro::InstallSeriesCopies();
        ResetTrackModule();
        chart::ResetPathLists();
        InstallPathHooks();
        S().CurrentJD = kMay20 + 0.75;
    }
    void TearDown() override {
        ResetTrackModule();
        chart::ResetPathLists();
    }
    static skydata::SettingsSnapshot& S() { return skydata::CurrentSettings(); }
    static skydata::PathState& Paths() { return skydata::PathModule(); }
    static void Compute() {
        Paths().Hooks.ComputePaths(Paths().Settings);
        Paths().Hooks.ProjectPaths(Paths().Settings);
    }

    test::ProgramEnv p;
};

TEST_F(TracksTest, DatesAreStartPlusWholeStepsUpToTheEnd) {
    ScriptedBodies bodies;
    bodies.t0 = kMay20;
    const PathComputation c = ComputePathPoints(TenDaysStepTwo(), Inputs({"P3"}), bodies);
    ASSERT_EQ(c.points.size(), 6u);
    EXPECT_FALSE(c.over_cap);
    for (int k = 0; k < 6; ++k) EXPECT_DOUBLE_EQ(bodies.asked[k], kMay20 + 2 * k) << k;
    EXPECT_EQ(c.points[0].Label, " 2008/5/20 ");
    EXPECT_EQ(c.points[5].Label, " 2008/5/30 ");

    // Steps the dialog never stores: not a number or below 1 count as one
    // day, so no setting hangs.
    for (double step : {0.0, -3.0, std::nan("")}) {
        skydata::PathSettings s = TenDaysStepTwo();
        s.StepDays = step;
        EXPECT_EQ(ComputePathPoints(s, Inputs({"P3"}), bodies).points.size(), 11u) << step;
    }
    // A step of a day and a half over three days: 0, 1.5 and 3.
    skydata::PathSettings s = TenDaysStepTwo();
    s.StepDays = 1.5;
    s.EndJD = s.StartJD + 3;
    EXPECT_EQ(ComputePathPoints(s, Inputs({"P3"}), bodies).points.size(), 3u);
}

TEST_F(TracksTest, NoRangeOrNoBodyGivesEmptyListsAndNoMessage) {
    chart::PathLists().PathMarks.resize(3);
    chart::PathLists().PathVectors.resize(3);
    Paths().PathBodyList = {"P3"};
    Paths().Settings = TenDaysStepTwo();
    Paths().Settings.EndJD = kMay20 - 1;
    Compute();
    EXPECT_TRUE(TrackModule().PathPoints.empty());
    EXPECT_TRUE(chart::PathLists().PathVectors.empty());
    EXPECT_TRUE(chart::PathLists().PathMarks.empty());

    Paths().Settings = TenDaysStepTwo();
    Paths().PathBodyList = {""};
    Compute();
    EXPECT_TRUE(TrackModule().PathPoints.empty());
    EXPECT_TRUE(chart::PathLists().PathMarks.empty());
    // Codes outside their lists give no point either.
    Paths().PathBodyList = {"P10", "C0", "A-1"};
    Compute();
    EXPECT_TRUE(TrackModule().PathPoints.empty());
    EXPECT_TRUE(p.env.messages.shown.empty());
}

TEST_F(TracksTest, MarsOverTenDaysWithTheRealEphemeris) {
    Paths().PathBodyList = {"P3"};
    Paths().Settings = TenDaysStepTwo();
    Compute();
    const std::vector<PathPoint>& points = TrackModule().PathPoints;
    ASSERT_EQ(points.size(), 6u);
    // The chart's place of Mars at 0 h of each date (geocentric, of date).
    for (int k = 0; k < 6; ++k) {
        const astro::PlanetPlace mars = astro::ComputePlanetPlace(kMars, kMay20 + 2 * k, astro::CurrentSite());
        EXPECT_DOUBLE_EQ(points[k].RA, mars.ra_deg) << k;
        EXPECT_DOUBLE_EQ(points[k].Dec, mars.dec_deg) << k;
        EXPECT_EQ(points[k].FirstOfBody, k == 0 ? 1 : 0);
        EXPECT_EQ(points[k].HasTail, 0);
    }
    // Label interval 4 at step 2: every other point is marked.
    const chart::PathListState& lists = chart::PathLists();
    ASSERT_EQ(lists.PathVectors.size(), 6u);
    ASSERT_EQ(lists.PathMarks.size(), 3u);
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(lists.PathMarks[m].RA, points[2 * m].RA);
        EXPECT_EQ(lists.PathMarks[m].Label, points[2 * m].Label.substr(1, points[2 * m].Label.size() - 2));
    }
    EXPECT_EQ(lists.PathMarks[1].Label, "2008/5/24");
    const chart::PathVector& v = lists.PathVectors[2];
    EXPECT_NEAR(v.x, 1000 * astro::CosD(points[2].Dec) * astro::CosD(points[2].RA), 1e-9);
    EXPECT_NEAR(v.z, 1000 * astro::SinD(points[2].Dec), 1e-9);
    EXPECT_EQ(v.Flag, 0);
    EXPECT_EQ(v.ColorIndex, 1);
    EXPECT_EQ(lists.PathVectors[0].Flag, 1);

    // The chart draws the three marks.
    S().ViewPath = true;
    S().ViewCoordSys = "e";
    skydata::StartupTables().Styles.LayerStyle[10].Color = skydata::RgbColor(1, 2, 3);
    chart::ChartView view;
    view.coord_sys = "e";
    view.center_lon_deg = points[2].RA;
    view.center_lat_deg = points[2].Dec;
    view.fov_deg = 30;
    view.jd_local = S().CurrentJD;
    platform::RecordingSurface surface(600, 600);
    chart::DrawMap(surface, view, chart::ModuleSources());
    EXPECT_EQ(CrossCentres(surface, "RGB(1,2,3)").size(), 3u);
}

TEST_F(TracksTest, EachBodyStartsItsOwnLineAndItsOwnMarkCount) {
    ScriptedBodies bodies;
    skydata::PathSettings s = TenDaysStepTwo();
    const PathComputation c = ComputePathPoints(s, Inputs({"P3", "", "C1"}), bodies);
    ASSERT_EQ(c.points.size(), 12u);
    const chart::PathListState lists = ProjectPathPoints(s, c.points);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(lists.PathVectors[i].Flag, i == 0 || i == 6 ? 1 : 0) << i;
        EXPECT_EQ(c.points[i].FirstOfBody, i == 0 || i == 6 ? 1 : 0) << i;
    }
    ASSERT_EQ(lists.PathMarks.size(), 6u);
    EXPECT_EQ(lists.PathMarks[3].RA, c.points[6].RA);
    // The comet's tail rides on its marks only when tails are drawn.
    EXPECT_EQ(c.points[6].HasTail, 1);
    EXPECT_EQ(c.points[6].TailDec, 22);
    EXPECT_EQ(lists.PathMarks[3].HasTail, 0);
    s.DrawTail = true;
    EXPECT_EQ(ProjectPathPoints(s, c.points).PathMarks[3].HasTail, 1);
    EXPECT_EQ(ProjectPathPoints(s, c.points).PathMarks[0].HasTail, 0);

    // Only Reference 1 is horizontal; a hand-edited 2 stays equatorial, as
    // the chart draws it.
    s.Reference = 2;
    const PathComputation other = ComputePathPoints(s, Inputs({"P3"}), bodies);
    ASSERT_FALSE(other.points.empty());
    EXPECT_EQ(other.points[0].RA, c.points[0].RA);
    EXPECT_EQ(other.points[0].Dec, c.points[0].Dec);
}

TEST_F(TracksTest, ADateWithoutAPlaceBreaksTheLineButNotTheMarks) {
    ScriptedBodies bodies;
    bodies.gaps = {kMay20, kMay20 + 4};
    const skydata::PathSettings s = TenDaysStepTwo();
    const PathComputation c = ComputePathPoints(s, Inputs({"P3"}), bodies);
    ASSERT_EQ(c.points.size(), 4u);
    EXPECT_EQ(c.points[0].FirstOfBody, 1);
    const chart::PathListState lists = ProjectPathPoints(s, c.points);
    std::vector<int> flags;
    for (const chart::PathVector& v : lists.PathVectors) flags.push_back(v.Flag);
    EXPECT_EQ(flags, (std::vector<int>{1, 1, 0, 0}));
    EXPECT_EQ(c.points[1].FirstOfBody, 0);
    EXPECT_EQ(lists.PathMarks.size(), 2u);
}

TEST_F(TracksTest, LabelsFollowTheirFlags) {
    const double t = astro::DateToJD(2008, 5, 20, 21, 5, 0);
    struct Case {
        const char* flags;
        bool with_name;
        double mag;
        const char* label;
    } cases[] = {
        {"NDMT", true, 1.2, "화성  2008/5/20 21:5 1.2등급"},
        {"NDM ", true, 1.2, "화성  2008/5/20 1.2등급"},
        {"NT  ", true, 1.2, "화성 "},     // a time only with a date
        {"T   ", true, 1.2, ""},
        {"NDMT", false, -2.04, " 2008/5/20 21:5 -2.0등급"},
        {"M   ", true, 0.05, "0.1등급"},
        {"    ", true, 1.2, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathLabel(c.flags, c.with_name, "화성", t, c.mag), c.label) << c.flags;
    }
    EXPECT_EQ(PathLabel("D   ", true, "x", astro::DateToJD(-44, 3, 15, 0, 0, 0), 0), "-44/3/15 ");
}

TEST_F(TracksTest, TheNameOnlyOnEachBodysFirstPoint) {
    ScriptedBodies bodies;
    skydata::PathSettings s = TenDaysStepTwo();
    s.LabelFlags = "N   ";
    const PathComputation first_only = ComputePathPoints(s, Inputs({"P1", "P2"}), bodies);
    std::vector<std::string> labels;
    for (const PathPoint& point : first_only.points) labels.push_back(point.Label);
    EXPECT_EQ(labels, (std::vector<std::string>{"행성1 ", "", "", "", "", "", "행성2 ", "", "", "", "", ""}));
    s.LabelFirstOnly = false;
    const PathComputation every = ComputePathPoints(s, Inputs({"P1"}), bodies);
    for (const PathPoint& point : every.points) EXPECT_EQ(point.Label, "행성1 ");
}

// The site in force moved to a latitude and longitude: its zone, place
// system and Delta T stay.
astro::SiteContext SiteAt(double lat_deg, double lon_east_deg) {
    astro::SiteContext site = astro::CurrentSite();
    site.lat_deg = lat_deg;
    site.lon_deg = lon_east_deg;
    return site;
}

TEST_F(TracksTest, TimeOfDayByRule) {
    skydata::PathSettings s = TenDaysStepTwo();
    s.TimeRule = 4;
    s.Hour = 6.5;
    // The chart's time of day, whatever the rule says.
    s.SyncWithChart = true;
    const double chart_jd = astro::DateToJD(2010, 1, 1, 21, 30, 0);
    for (double day : {kMay20, kMay20 + 2}) {
        EXPECT_NEAR(PathPointTime(s, day, chart_jd, SiteAt(35.82, 128.46)), day + 21.5 / 24, 1e-9);
    }
    ScriptedBodies bodies;
    s.LabelFlags = "DT  ";
    PathInputs in = Inputs({"P3"});
    in.chart_jd = chart_jd;
    for (const PathPoint& point : ComputePathPoints(s, in, bodies).points) {
        EXPECT_NE(point.Label.find(" 21:30 "), std::string::npos) << point.Label;
    }

    // Rule 0: the user's hour.
    s.SyncWithChart = false;
    s.TimeRule = 0;
    EXPECT_NEAR(PathPointTime(s, kMay20, chart_jd, SiteAt(35.82, 128.46)), kMay20 + 6.5 / 24, 1e-9);

    // Sunrise, sunset and the Sun's transit at the default site.
    const struct {
        std::uint8_t rule;
        int kind;
        int which;  // 0 morning, 1 evening, 2 transit
    } rules[] = {{1, 5, 0}, {2, 4, 0}, {3, 3, 0}, {4, 1, 0}, {5, 1, 2}, {6, 1, 1}, {7, 3, 1}, {8, 4, 1}, {9, 5, 1}};
    for (const auto& r : rules) {
        double hours[3];
        astro::SunRiseSetEvents(kMay20, 35.82, 128.46, r.kind, hours[0], hours[1], hours[2]);
        s.TimeRule = r.rule;
        EXPECT_NEAR(PathPointTime(s, kMay20, chart_jd, SiteAt(35.82, 128.46)), kMay20 + hours[r.which] / 24, 1e-12)
            << int(r.rule);
    }

    // No sunrise at 78 N on 2008 December 21: the Sun's transit + 12 h.
    const double solstice = astro::DateToJD(2008, 12, 21, 0, 0, 0);
    double rise, set, transit;
    astro::SunRiseSetEvents(solstice, 78, 15, 1, rise, set, transit);
    ASSERT_LT(rise, 0);
    ASSERT_GT(transit, 0);
    s.TimeRule = 4;
    const double expected_hour = transit + 12 > 24 ? transit - 12 : transit + 12;
    EXPECT_NEAR(PathPointTime(s, solstice, chart_jd, SiteAt(78, 15)), solstice + expected_hour / 24, 1e-12);
}

TEST_F(TracksTest, TooManyPointsWarnOnceAndStopAtTheLimit) {
    Paths().PathBodyList.clear();
    for (int i = 0; i < 60; ++i) Paths().PathBodyList.push_back(i % 2 ? "P3" : "P4");
    skydata::PathSettings& s = Paths().Settings;
    s = TenDaysStepTwo();
    s.EndJD = s.StartJD + 1825;
    s.StepDays = 1;
    s.SyncWithChart = true;
    TrackModule().UserAsked = true;
    Compute();
    EXPECT_EQ(TrackModule().PathPoints.size(), kMaxPathPoints);
    EXPECT_EQ(RequestedPathPoints(s, Paths().PathBodyList), 60u * 1826u);
    ASSERT_EQ(p.env.messages.shown.size(), 1u);
    const platform::Message& m = p.env.messages.shown[0];
    EXPECT_EQ(m.text,
              "계산량이 너무 많습니다. 계산 간격을 늘여주거나\r\n시간 간격을 줄이거나, 선택한 천체의 수를 줄여주\r\n기 "
              "바랍니다.");
    EXPECT_EQ(m.title, "궤적 그리기 경고");
    EXPECT_EQ(m.icon, platform::MsgIcon::Critical);
    EXPECT_EQ(m.buttons, platform::MsgButtons::Ok);
    // The chart recomputes with every drawing while the tracks follow it.
    S().CurrentJD += 1.0 / 24;
    Compute();
    S().CurrentJD += 1.0 / 24;
    Compute();
    EXPECT_EQ(p.env.messages.shown.size(), 1u);
    EXPECT_EQ(TrackModule().PathPoints.size(), kMaxPathPoints);

    // Asked again, the same request warns again, without computing anew.
    TrackModule().UserAsked = true;
    Compute();
    EXPECT_EQ(p.env.messages.shown.size(), 2u);
    EXPECT_FALSE(TrackModule().UserAsked);

    // Step 2: 60 x 913 points, within the limit.
    s.StepDays = 2;
    TrackModule().UserAsked = true;
    Compute();
    EXPECT_EQ(TrackModule().PathPoints.size(), 60u * 913u);
    EXPECT_EQ(p.env.messages.shown.size(), 2u);
}

// The limit bounds the work: the bodies after the limit are never placed,
// and the dates of the last body stop where the limit does.
TEST_F(TracksTest, NoPlaceIsComputedPastTheLimit) {
    skydata::PathSettings s = TenDaysStepTwo();
    s.EndJD = s.StartJD + 72940;  // 1900-9-1 .. 2100-5-1, daily
    s.StepDays = 1;
    ScriptedBodies bodies;
    bodies.t0 = s.StartJD;
    const PathComputation computed = ComputePathPoints(s, Inputs({"P0", "P4", "P5", "P9"}), bodies);
    EXPECT_TRUE(computed.over_cap);
    EXPECT_EQ(computed.points.size(), kMaxPathPoints);
    EXPECT_EQ(bodies.asked.size(), kMaxPathPoints);
}

// Points are computed again only when what they depend on changed; a dialog
// applied with the same inputs, or a view change, keeps them (a mark put
// on the first kept point tells).
TEST_F(TracksTest, KeptPointsStandUntilAnInputChanges) {
    struct Row {
        const char* name;
        std::function<void()> change;
        bool recomputed;
    };
    const Row rows[] = {
        {"nothing", [] {}, false},
        {"the chart time", [] { S().CurrentJD += 0.3; }, false},
        {"the chart time while following it", [] { Paths().Settings.SyncWithChart = true; S().CurrentJD += 0.3; },
         true},
        {"the view", [] { S().ViewFOV = 20; S().ViewCenterX = 100; }, false},
        {"the label interval", [] { Paths().Settings.LabelInterval = 6; }, false},
        {"comet tails", [] { Paths().Settings.DrawTail = true; }, false},
        {"the latitude of a geocentric equatorial track", [] { S().lat = 10; }, false},
        {"the latitude of a topocentric track", [] { S().psystem = false; S().lat = 10; }, true},
        {"the latitude of a horizontal track", [] { Paths().Settings.Reference = 1; S().lat = 10; }, true},
        {"the zone", [] { S().timezone = 8; }, true},
        {"Delta T", [] { S().UserDeltaT = true; S().DeltaT = 70; }, true},
        {"precession", [] { S().calcprecession = !S().calcprecession; }, true},
        {"the bodies", [] { Paths().PathBodyList = {"P3", "P4"}; }, true},
        {"the step", [] { Paths().Settings.StepDays = 1; }, true},
        {"the hour", [] { Paths().Settings.Hour = 3; }, true},
        {"the time rule", [] { Paths().Settings.TimeRule = 5; }, true},
        {"the label flags", [] { Paths().Settings.LabelFlags = "DM  "; }, true},
    };
    for (const Row& row : rows) {
        ResetTrackModule();
        skydata::ResetSettingsModule();
        S().CurrentJD = kMay20 + 0.75;
        S().psystem = true;
        Paths().PathBodyList = {"P3"};
        Paths().Settings = TenDaysStepTwo();
        Compute();
        ASSERT_FALSE(TrackModule().PathPoints.empty());
        TrackModule().PathPoints[0].RA = 999;
        row.change();
        Compute();
        EXPECT_EQ(TrackModule().PathPoints[0].RA != 999, row.recomputed) << row.name;
        EXPECT_EQ(chart::PathLists().PathMarks[0].RA != 999, row.recomputed) << row.name;
    }
}

// An edited comet file changes the kept points of its comets.
TEST_F(TracksTest, AnEditedCometIsComputedAnew) {
    astro::CometElements comet;
    comet.T_jd = kMay20 + 40;
    comet.q_au = 0.9;
    comet.e = 0.99;
    comet.EquinoxYear = 2000;
    comet.Name = "시험 혜성";
    astro::SmallBodies().CometElementList = {comet};
    astro::SmallBodies().CometPositions.assign(1, astro::BodyPosition{});
    Paths().PathBodyList = {"C0"};
    Paths().Settings = TenDaysStepTwo();
    Compute();
    ASSERT_FALSE(TrackModule().PathPoints.empty());
    TrackModule().PathPoints[0].RA = 999;
    Compute();
    EXPECT_EQ(TrackModule().PathPoints[0].RA, 999);
    astro::SmallBodies().CometElementList[0].q_au = 0.8;
    Compute();
    EXPECT_NE(TrackModule().PathPoints[0].RA, 999);
}

TEST_F(TracksTest, TheSharedPlanetStateKeepsTheChartMoment) {
    astro::CalcPlanets(S().CurrentJD);
    const astro::PlanetState before = astro::Planets();
    Paths().PathBodyList = {"P0", "P3", "P8"};
    Paths().Settings = TenDaysStepTwo();
    Paths().Settings.TimeRule = 6;
    Paths().Settings.Reference = 1;
    Compute();
    ASSERT_EQ(TrackModule().PathPoints.size(), 18u);
    const astro::PlanetState& after = astro::Planets();
    EXPECT_EQ(after.JDE, before.JDE);
    EXPECT_EQ(after.Obliquity, before.Obliquity);
    for (int i = 0; i < astro::kPlanetCount; ++i) {
        EXPECT_EQ(after.PlanetTable[i].RA, before.PlanetTable[i].RA);
        EXPECT_EQ(after.PlanetTable[i].TopoDec, before.PlanetTable[i].TopoDec);
        EXPECT_EQ(after.PlanetTable[i].Mag, before.PlanetTable[i].Mag);
    }
}

TEST_F(TracksTest, BodyCodesAndNames) {
    const struct {
        const char* code;
        int kind;
        int number;
    } cases[] = {{"P4", 0, 4}, {"p9", 0, 9}, {"c12", 1, 12}, {"C0", 1, 0}, {"A3", 2, 3}, {"a7", 2, 7},
                 {"x1", 0, 1}, {"P", 0, 0},  {"C2.5", 1, 2},  {"C3.5", 1, 4}, {"A 5", 2, 5}, {"P1e20", 0, -1}};
    for (const auto& c : cases) {
        std::uint8_t kind = 9;
        std::int32_t number = 9;
        ParseBodyCode(c.code, kind, number);
        EXPECT_EQ(kind, c.kind) << c.code;
        EXPECT_EQ(number, c.number) << c.code;
    }

    astro::SmallBodies().CometElementList.resize(3);
    astro::SmallBodies().CometElementList[1].Name = "C/2020 F3 (NEOWISE)";
    astro::SmallBodies().CometElementList[2].Name = "C/2020 F3 (NEOWISE)";
    astro::SmallBodies().AsteroidElementList.resize(2);
    astro::SmallBodies().AsteroidElementList[0].Name = "Ceres";
    EXPECT_EQ(FindCometByName("C/2020 F3 (NEOWISE)"), "C1");
    EXPECT_EQ(FindCometByName("c/2020 f3 (neowise)"), "");
    EXPECT_EQ(FindAsteroidByName("Ceres"), "A0");
    EXPECT_EQ(FindAsteroidByName("Vesta"), "");

    // The settings text finds them by the same names.
    EXPECT_TRUE(skydata::LoadPathBodies("P4\r\ncC/2020 F3 (NEOWISE)\r\nx1\r\naCeres\r\nP5"));
    EXPECT_EQ(Paths().PathBodyList, (std::vector<std::string>{"P4", "C1", "A0"}));
    EXPECT_EQ(skydata::SavePathBodies(), "P4\r\ncC/2020 F3 (NEOWISE)\r\naCeres\r\n");

    skydata::PathSettings a = TenDaysStepTwo(), b;
    a.LabelFlags = "NDMT";
    a.DrawTail = true;
    CopyPathSettings(a, b);
    EXPECT_EQ(a, b);
}

// The first mark of a track that follows the chart lies on the body's
// symbol, in every frame and view. A wrong frame (J2000 against date in
// 1900) would be 1.4 degrees off, some 80 pixels in this field.
TEST_F(TracksTest, TheTrackAtTheChartMomentLiesOnTheBody) {
    skydata::StartupTables().Styles.LayerStyle[10].Color = skydata::RgbColor(1, 2, 3);
    S().CurrentJD = astro::DateToJD(1900, 6, 1, 21, 0, 0);
    S().underhorizon = 1;
    S().ViewPath = true;
    S().viewplanet = true;
    Paths().PathBodyList = {"P3"};
    skydata::PathSettings& s = Paths().Settings;
    s = TenDaysStepTwo();
    s.StartJD = astro::RoundToHalf(S().CurrentJD);
    s.EndJD = s.StartJD + 4;
    s.SyncWithChart = true;
    const double lst_h = astro::CalcLST(S().CurrentJD, S().lon, S().timezone);
    for (bool precession : {true, false}) {
        for (std::uint8_t reference : {0, 1}) {
            for (bool geocentric : {true, false}) {
                for (const char* coord : {"a", "e"}) {
                    SCOPED_TRACE(testing::Message() << "precession " << precession << " reference " << int(reference)
                                                    << " psystem " << geocentric << " view " << coord);
                    S().calcprecession = precession;
                    S().psystem = geocentric;
                    S().ViewCoordSys = coord;
                    s.Reference = reference;
                    Compute();
                    ASSERT_EQ(TrackModule().PathPoints.size(), 3u);

                    const astro::PlanetPlace mars =
                        astro::ComputePlanetPlace(kMars, S().CurrentJD, astro::CurrentSite(), !geocentric);
                    double ra = mars.ra_deg, dec = mars.dec_deg;
                    if (!precession) astro::PrecessByMatrix(S().CurrentJD, astro::kJ2000, ra, dec, ra, dec);
                    chart::ChartView view;
                    view.coord_sys = coord;
                    view.lat_deg = S().lat;
                    view.lst_h = lst_h;
                    view.fov_deg = 10;
                    view.jd_local = S().CurrentJD;
                    view.center_lon_deg = ra;
                    view.center_lat_deg = dec;
                    if (std::string(coord) == "a") {
                        astro::EquatorialToHorizontal(ra, dec, lst_h, S().lat, view.center_lon_deg,
                                                      view.center_lat_deg);
                    }
                    platform::RecordingSurface surface(800, 800);
                    chart::DrawMap(surface, view, chart::ModuleSources());

                    const chart::ObjectKey key = chart::PlanetKey(kMars);
                    const chart::ScreenObject* body = nullptr;
                    for (const chart::ScreenObject& o : chart::Chart().ScreenObjects) {
                        if (o.Key == key) body = &o;
                    }
                    ASSERT_NE(body, nullptr);
                    const auto crosses = CrossCentres(surface, "RGB(1,2,3)");
                    ASSERT_FALSE(crosses.empty());
                    EXPECT_LE(std::abs(crosses[0].first - body->X), 1);
                    EXPECT_LE(std::abs(crosses[0].second - body->Y), 1);
                }
            }
        }
    }
}

// ---- Several threads, progress and stopping ----------------------------------

// A comet and an asteroid of fixed elements, as codes C0 and A0.
void SetSmallBodies() {
    astro::CometElements comet;
    comet.T_jd = kMay20 + 40;
    comet.q_au = 0.9;
    comet.e = 0.99;
    comet.Peri_deg = 30;
    comet.Node_deg = 80;
    comet.Incl_deg = 40;
    comet.H = 6;
    comet.K = 10;
    comet.EquinoxYear = 2000;
    comet.Name = "시험 혜성";
    astro::AsteroidElements asteroid;
    asteroid.M0_deg = 100;
    asteroid.Peri_deg = 73;
    asteroid.Node_deg = 80;
    asteroid.Incl_deg = 10.6;
    asteroid.e = 0.08;
    asteroid.a_au = 2.77;
    asteroid.Epoch_jd = kMay20;
    asteroid.H = 3.3;
    asteroid.G = 0.12;
    asteroid.EquinoxYear = 2000;
    asteroid.Name = "시험 소행성";
    astro::SmallBodies().CometElementList = {comet};
    astro::SmallBodies().AsteroidElementList = {asteroid};
}

// The points computed the straightforward way: body after body, date after
// date, each place, frame and label on its own.
std::vector<PathPoint> StraightforwardPoints(const skydata::PathSettings& s, const PathInputs& in) {
    astro::PlanetTableT planets;
    astro::InitPlanetTable(planets);
    std::vector<PathPoint> points;
    for (const std::string& code : in.bodies) {
        if (code.empty()) continue;
        std::uint8_t kind = 0;
        std::int32_t number = 0;
        ParseBodyCode(code, kind, number);
        bool first = true;
        for (int k = 0; s.StartJD + k * s.StepDays <= s.EndJD; ++k) {
            const double t = PathPointTime(s, s.StartJD + k * s.StepDays, in.chart_jd, in.site);
            PathPoint point;
            double mag = 0;
            std::string name;
            if (kind == 0) {
                const astro::PlanetPlace place = astro::ComputePlanetPlace(number, t, in.site, !in.site.geocentric);
                point.RA = place.ra_deg;
                point.Dec = place.dec_deg;
                mag = place.mag;
                name = planets[static_cast<std::size_t>(number)].Name;
            } else {
                astro::BodyPosition body;
                if (kind == 1) {
                    astro::ComputeCometPosition(t, in.site, astro::SmallBodies().CometElementList[0], body);
                    point.HasTail = 1;
                    point.TailRA = body.TailRA;
                    point.TailDec = body.TailDec;
                    name = astro::SmallBodies().CometElementList[0].Name;
                } else {
                    astro::ComputeAsteroidPosition(t, in.site, astro::SmallBodies().AsteroidElementList[0], body);
                    name = astro::SmallBodies().AsteroidElementList[0].Name;
                }
                EXPECT_TRUE(body.Valid) << code;
                point.RA = body.TopoRA;
                point.Dec = body.TopoDec;
                mag = body.Mag;
            }
            const auto to_frame = [&](double& ra, double& dec) {
                if (!in.calcprecession) astro::PrecessByMatrix(t, astro::kJ2000, ra, dec, ra, dec);
                if (s.Reference == 1) {
                    double az = 0, alt = 0;
                    astro::EquatorialToHorizontal(ra, dec, astro::CalcLST(t, in.site.lon_deg, in.site.zone_h),
                                                  in.site.lat_deg, az, alt);
                    ra = az;
                    dec = alt;
                }
            };
            to_frame(point.RA, point.Dec);
            if (point.HasTail) to_frame(point.TailRA, point.TailDec);
            point.Reference = s.Reference;
            point.Label = PathLabel(s.LabelFlags, first || !s.LabelFirstOnly, name, t, mag);
            point.FirstOfBody = point.NewLine = first ? 1 : 0;
            points.push_back(point);
            first = false;
        }
    }
    return points;
}

void ExpectSamePoints(const std::vector<PathPoint>& a, const std::vector<PathPoint>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "point " << i);
        EXPECT_EQ(a[i].RA, b[i].RA);
        EXPECT_EQ(a[i].Dec, b[i].Dec);
        EXPECT_EQ(a[i].Reference, b[i].Reference);
        EXPECT_EQ(a[i].Label, b[i].Label);
        EXPECT_EQ(a[i].FirstOfBody, b[i].FirstOfBody);
        EXPECT_EQ(a[i].NewLine, b[i].NewLine);
        EXPECT_EQ(a[i].TailRA, b[i].TailRA);
        EXPECT_EQ(a[i].TailDec, b[i].TailDec);
        EXPECT_EQ(a[i].HasTail, b[i].HasTail);
        if (::testing::Test::HasFailure()) return;
    }
}

// The moments shared among threads, the bodies of a moment sharing its
// Earth, sidereal time and precession, give the straightforward points to
// the bit, in every frame, time rule and label.
TEST_F(TracksTest, SharedAndParallelWorkGivesTheStraightforwardPoints) {
    SetSmallBodies();
    const struct {
        const char* name;
        std::uint8_t reference;
        bool geocentric;
        bool precession;
        bool sync;
        std::uint8_t time_rule;
        bool first_only;
    } rows[] = {
        {"equatorial, geocentric, the user's hour", 0, true, true, false, 0, true},
        {"horizontal, topocentric, at sunset", 1, false, true, false, 6, false},
        {"J2000 following the chart", 0, false, false, true, 0, false},
        {"horizontal J2000 at morning twilight", 1, true, false, false, 1, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        skydata::PathSettings s;
        s.StartJD = kMay20;
        s.EndJD = kMay20 + 200;
        s.StepDays = 3;
        s.Hour = 21.5;
        s.LabelFlags = "NDMT";
        s.Reference = row.reference;
        s.SyncWithChart = row.sync;
        s.TimeRule = row.time_rule;
        s.LabelFirstOnly = row.first_only;
        PathInputs in = Inputs({"P0", "P1", "P3", "", "P4", "P8", "P9", "C0", "A0"});
        in.site.geocentric = row.geocentric;
        in.calcprecession = row.precession;
        const std::vector<PathPoint> expected = StraightforwardPoints(s, in);
        ASSERT_EQ(expected.size(), 8u * 67u);
        for (unsigned threads : {0u, 1u, 3u}) {
            SCOPED_TRACE(testing::Message() << threads << " threads");
            EphemerisPathBodies bodies(in.site, in.bodies);
            ExpectSamePoints(ComputePathPoints(s, in, bodies, nullptr, threads).points, expected);
        }
    }
}

// The threads that help take private copies of the series no other thread
// holds: fewer help where fewer are free, none where none is, and the
// points stay the same.
TEST_F(TracksTest, HelpingThreadsTakeCopiesNoOtherThreadHolds) {
    const int copies = astro::InstallSeriesCopies();
    if (copies < 3) GTEST_SKIP() << "built with " << copies - 1 << " private copies of the planetary series";
    skydata::PathSettings s = TenDaysStepTwo();
    s.StepDays = 1;
    s.EndJD = s.StartJD + 999;
    const PathInputs in = Inputs({"P3", "P4"});
    const auto compute = [&] {
        EphemerisPathBodies bodies(in.site, in.bodies);
        return ComputePathPoints(s, in, bodies, nullptr, 3);
    };
    const PathComputation all_free = compute();
    EXPECT_EQ(all_free.threads, 3u);
    ASSERT_EQ(all_free.points.size(), 2000u);

    std::vector<std::unique_ptr<astro::SeriesCopyScope>> held;
    for (int k = 1; k < copies - 1; ++k) held.push_back(std::make_unique<astro::SeriesCopyScope>());
    const PathComputation one_free = compute();
    EXPECT_EQ(one_free.threads, 2u);
    ExpectSamePoints(one_free.points, all_free.points);

    held.push_back(std::make_unique<astro::SeriesCopyScope>());
    const PathComputation none_free = compute();
    EXPECT_EQ(none_free.threads, 1u);
    ExpectSamePoints(none_free.points, all_free.points);
}

// A computation the user waits for reports every moment; stopped, it
// leaves no tracks in force, lines and marks neither: inputs that return to
// those before (a window undoing its change) take theirs back at once, and
// the next request computes.
TEST_F(TracksTest, AStoppedComputationLeavesNoTracksInForce) {
    Paths().PathBodyList = {"P3"};
    Paths().Settings = TenDaysStepTwo();
    Compute();
    const std::vector<PathPoint> before = TrackModule().PathPoints;
    ASSERT_EQ(before.size(), 6u);
    EXPECT_TRUE(p.env.long_work.requests.empty());

    const auto ask_for_more = [&] {
        Paths().PathBodyList = {"P3", "P8"};
        Paths().Settings.StepDays = 1;
        Paths().Settings.EndJD = Paths().Settings.StartJD + 599;
        const PathWorkScope with_progress(PathWork::WithProgress);
        Compute();
    };
    p.env.long_work.cancel_after = {std::size_t{64}};
    ask_for_more();
    ASSERT_EQ(p.env.long_work.requests.size(), 1u);
    EXPECT_EQ(p.env.long_work.requests[0].title, "궤적 그리기");
    EXPECT_EQ(p.env.long_work.requests[0].text, "태양계 천체의 궤적을 계산하고 있습니다...");
    EXPECT_EQ(p.env.long_work.totals[0], 600u);
    EXPECT_LT(p.env.long_work.done[0], 600u);
    EXPECT_TRUE(TrackModule().Stopped);
    EXPECT_TRUE(TrackModule().ComputedFor.empty());
    EXPECT_TRUE(TrackModule().PathPoints.empty());
    EXPECT_TRUE(chart::PathLists().PathVectors.empty());
    EXPECT_TRUE(chart::PathLists().PathMarks.empty());

    // Undone by the caller (the track window's 취소 puts its settings back).
    TakeBackPathsBefore(Paths().Settings);
    EXPECT_TRUE(TrackModule().PathPoints.empty());
    Paths().PathBodyList = {"P3"};
    Paths().Settings = TenDaysStepTwo();
    TakeBackPathsBefore(Paths().Settings);
    ExpectSamePoints(TrackModule().PathPoints, before);
    Compute();
    EXPECT_EQ(p.env.long_work.requests.size(), 1u);
    ExpectSamePoints(TrackModule().PathPoints, before);
    EXPECT_EQ(chart::PathLists().PathVectors.size(), 6u);

    ask_for_more();
    ASSERT_EQ(p.env.long_work.requests.size(), 2u);
    EXPECT_EQ(p.env.long_work.done[1], 600u);
    EXPECT_FALSE(TrackModule().Stopped);
    EXPECT_EQ(TrackModule().PathPoints.size(), 1200u);
    EXPECT_EQ(chart::PathLists().PathVectors.size(), 1200u);
}

// The Sun's noon track in the horizontal frame, and a change that stays in
// force though the user stops the computation of its tracks: nothing of the
// settings before is drawn under it, and the next request computes the
// points of the settings in force.
TEST_F(TracksTest, AStoppedRecomputeDrawsNothingOfTheSettingsBefore) {
    const std::filesystem::path chart_file = p.documents.path() / "equator.zu";
    // Each changes its setting and computes the tracks as its window does.
    const struct {
        const char* name;
        std::function<void()> change;
    } rows[] = {
        {"the site", [] {
             S().lat = 0;
             Compute();
         }},
        {"the geocentric switch", [] {
             S().psystem = true;
             Compute();
         }},
        {"summer time", [] {
             S().summertime = true;
             S().timezone = S().timezone2 + 1;
             Compute();
         }},
        // The load computes the file's tracks itself.
        {"a chart file", [&] {
             ASSERT_EQ(skydata::LoadSettings(chart_file, skydata::SettingsWindowKeys::Excluded),
                       skydata::SettingsLoadStatus::Loaded);
         }},
    };
    const auto set_up = [] {
        S().lat = 35.7;
        S().lon = 128.3;
        S().psystem = false;
        S().summertime = false;
        S().timezone2 = S().timezone = 9;
        Paths().PathBodyList = {"P0"};
        Paths().Settings = TenDaysStepTwo();
        Paths().Settings.StepDays = 1;
        Paths().Settings.EndJD = Paths().Settings.StartJD + 1199;
        Paths().Settings.Hour = 12;
        Paths().Settings.Reference = 1;
    };
    // The whole sky around the zenith, where the crosses of the marks show.
    const auto drawn_crosses = [] {
        S().ViewPath = true;
        skydata::StartupTables().Styles.LayerStyle[10].Color = skydata::RgbColor(1, 2, 3);
        chart::ChartView view;
        view.coord_sys = "a";
        view.lat_deg = S().lat;
        view.center_lat_deg = 90;
        view.fov_deg = 180;
        view.jd_local = S().CurrentJD;
        platform::RecordingSurface surface(600, 600);
        chart::DrawMap(surface, view, chart::ModuleSources());
        return CrossCentres(surface, "RGB(1,2,3)");
    };
    set_up();
    S().lat = 0;
    skydata::SaveSettings(chart_file, skydata::SettingsWindowKeys::Excluded);

    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ResetTrackModule();
        const PathWorkScope with_progress(PathWork::WithProgress);
        chart::ResetPathLists();
        std::filesystem::remove(p.user.path() / std::string(kPathCacheFileName));
        p.env.long_work.requests.clear();
        set_up();
        Compute();
        const std::vector<PathPoint> before = TrackModule().PathPoints;
        ASSERT_EQ(before.size(), 1200u);
        ASSERT_FALSE(drawn_crosses().empty());

        p.env.long_work.cancel_after = {std::size_t{0}};
        row.change();
        ASSERT_EQ(p.env.long_work.requests.size(), 2u);
        EXPECT_TRUE(TrackModule().Stopped);
        EXPECT_TRUE(chart::PathLists().PathVectors.empty());
        EXPECT_TRUE(chart::PathLists().PathMarks.empty());

        EXPECT_TRUE(drawn_crosses().empty());
        // Nothing undid the change: the points before stay out of force.
        TakeBackPathsBefore(Paths().Settings);
        EXPECT_TRUE(TrackModule().PathPoints.empty());

        PathInputs in;
        in.bodies = Paths().PathBodyList;
        in.site = astro::CurrentSite();
        in.chart_jd = S().CurrentJD;
        in.calcprecession = astro::Settings().calcprecession;
        EphemerisPathBodies bodies(in.site, in.bodies);
        const std::vector<PathPoint> fresh = ComputePathPoints(Paths().Settings, in, bodies).points;
        ASSERT_EQ(fresh.size(), before.size());
        EXPECT_NE(fresh[0].RA, before[0].RA);

        Compute();
        ASSERT_EQ(p.env.long_work.requests.size(), 3u);
        EXPECT_FALSE(TrackModule().Stopped);
        ExpectSamePoints(TrackModule().PathPoints, fresh);
        EXPECT_EQ(chart::PathLists().PathVectors.size(), fresh.size());
    }
}

// Where a long computation runs: at once within a drawing, through the
// long-work seam for the user's commands, later for the start-up load.
// Short ones run at once everywhere.
TEST_F(TracksTest, ALongComputationRunsWhereItMay) {
    const struct {
        const char* name;
        PathWork work;
        double days;
        std::size_t waited;
        bool pending;
        std::size_t points;
    } rows[] = {
        {"long, within a drawing", PathWork::AtOnce, 1000, 0, false, 2000},
        {"long, asked for by the user", PathWork::WithProgress, 1000, 1, false, 2000},
        {"long, at the start-up load", PathWork::Later, 1000, 0, true, 0},
        {"short, asked for by the user", PathWork::WithProgress, 400, 0, false, 800},
        {"short, at the start-up load", PathWork::Later, 400, 0, false, 800},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ResetTrackModule();
        std::filesystem::remove(p.user.path() / std::string(kPathCacheFileName));
        p.env.long_work.requests.clear();
        Paths().PathBodyList = {"P0", "P3"};
        Paths().Settings = TenDaysStepTwo();
        Paths().Settings.StepDays = 1;
        Paths().Settings.EndJD = Paths().Settings.StartJD + row.days - 1;
        {
            const PathWorkScope work(row.work);
            Compute();
        }
        EXPECT_EQ(p.env.long_work.requests.size(), row.waited);
        EXPECT_EQ(TrackModule().Pending, row.pending);
        EXPECT_EQ(TrackModule().PathPoints.size(), row.points);
        EXPECT_EQ(ComputePendingPaths(), row.pending);
        EXPECT_EQ(TrackModule().PathPoints.size(), 2 * static_cast<std::size_t>(row.days));
    }
}

// Summer time switched on asks for the tracks of another zone; switched off
// again, the tracks of the standard zone come back without a computation,
// and so do the others when it is switched on once more.
TEST_F(TracksTest, SummerTimeOnAndOffComputesEachZoneOnce) {
    Paths().PathBodyList = {"P0", "P3"};
    Paths().Settings = TenDaysStepTwo();
    Paths().Settings.StepDays = 1;
    Paths().Settings.EndJD = Paths().Settings.StartJD + 999;
    S().timezone2 = 9;
    const PathWorkScope with_progress(PathWork::WithProgress);
    const auto switch_summer_time = [&](bool on) {
        S().summertime = on;
        S().timezone = S().timezone2 + (on ? 1 : 0);
        Compute();
    };
    switch_summer_time(false);
    const std::vector<PathPoint> standard = TrackModule().PathPoints;
    switch_summer_time(true);
    const std::vector<PathPoint> summer = TrackModule().PathPoints;
    ASSERT_EQ(p.env.long_work.requests.size(), 2u);
    ASSERT_EQ(summer.size(), standard.size());
    EXPECT_NE(summer[0].RA, standard[0].RA);

    switch_summer_time(false);
    EXPECT_EQ(p.env.long_work.requests.size(), 2u);
    ExpectSamePoints(TrackModule().PathPoints, standard);
    EXPECT_EQ(chart::PathLists().PathMarks[0].RA, standard[0].RA);
    switch_summer_time(true);
    EXPECT_EQ(p.env.long_work.requests.size(), 2u);
    ExpectSamePoints(TrackModule().PathPoints, summer);

    // The points in force are those a restart takes back from the user folder.
    const std::vector<PathPoint> in_force = TrackModule().PathPoints;
    ResetTrackModule();
    Compute();
    EXPECT_EQ(p.env.long_work.requests.size(), 2u);
    ExpectSamePoints(TrackModule().PathPoints, in_force);
}

// Long work that lets a timer's handler run while it waits, as the windows
// do.
class WorkWithAHandlerBetween final : public platform::LongWork {
public:
    std::function<void()> handler;
    int runs = 0;
    bool Run(const platform::WorkRequest&, const std::function<void(platform::WorkProgress&)>& work) override {
        ++runs;
        if (handler) handler();
        platform::WorkProgress progress;
        work(progress);
        return true;
    }
};

// A redraw while a computation waits keeps the points there are and starts
// nothing; the waiting computation then brings its own.
TEST_F(TracksTest, AHandlerWhileAComputationWaitsKeepsThePoints) {
    Paths().PathBodyList = {"P3"};
    Paths().Settings = TenDaysStepTwo();
    Compute();
    const std::vector<PathPoint> before = TrackModule().PathPoints;
    WorkWithAHandlerBetween work;
    platform::LongWork* installed = platform::Env().long_work;
    platform::Env().long_work = &work;
    std::size_t seen_by_handler = 0;
    work.handler = [&] {
        Compute();
        seen_by_handler = TrackModule().PathPoints.size();
    };
    Paths().Settings.StepDays = 1;
    Paths().Settings.EndJD = Paths().Settings.StartJD + 1999;
    {
        const PathWorkScope with_progress(PathWork::WithProgress);
        Compute();
    }
    platform::Env().long_work = installed;
    EXPECT_EQ(work.runs, 1);
    EXPECT_EQ(seen_by_handler, before.size());
    EXPECT_EQ(TrackModule().PathPoints.size(), 2000u);
    EXPECT_FALSE(TrackModule().Computing);
}

// A hand-edited step in the settings file: the start-up load takes the
// default step of two days, says so, and computes the stored selection
// without hanging.
TEST(TracksStartup, StoredStepsThatAreNoStepsStillLoad) {
    for (const char* step : {" 0", "-3", "abc"}) {
        test::ProgramEnv p;
        ResetTrackModule();
        char start[32], end[32];
        std::snprintf(start, sizeof start, " %.1f", kMay20);
        std::snprintf(end, sizeof end, " %.1f", kMay20 + 10);
        test::WriteSettingsFile(p.user.path() / "Default.cfg",
                                {{"SetPath1", start}, {"SetPath2", end}, {"SetPath4", step}, {"PathObj", "P3\r\n"}});
        LoadProgramState(std::filesystem::current_path());
        const std::size_t expected = 6;  // every one of them the default two days
        EXPECT_EQ(TrackModule().PathPoints.size(), expected) << step;
        EXPECT_EQ(chart::PathLists().PathVectors.size(), expected) << step;
        const std::vector<std::string> notices = TakeStartupNotices();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find("\r\n항목: 궤적 간격\r\n"), std::string::npos) << notices[0];
        ResetTrackModule();
        chart::ResetPathLists();
    }
}

// The oversized track of a user, stored with the settings: 1900-9-1 to
// 2100-5-1, daily, Sun, Mars, Jupiter and Pluto.
void WriteOversizedTrackSettings(const std::filesystem::path& file) {
    char start[32], end[32];
    std::snprintf(start, sizeof start, " %.1f", astro::DateToJD(1900, 9, 1, 0, 0, 0));
    std::snprintf(end, sizeof end, " %.1f", astro::DateToJD(2100, 5, 1, 0, 0, 0));
    test::WriteSettingsFile(file, {{"SetPath1", start},
                                   {"SetPath2", end},
                                   {"SetPath4", " 1"},
                                   {"PathObj", "P0\r\nP3\r\nP4\r\nP9\r\n"},
                                   {"synctime", "false"}});
}

// The start with a stored oversized track: no warning (the user was warned
// when asking); the load leaves the long computation for after the first
// chart, where it runs with its progress; and the next start takes the points
// back from the user folder instead of computing them again.
TEST(TracksStartup, AStoredOversizedTrackStartsQuietlyFromTheKeptPoints) {
    test::ProgramEnv p;
    WriteOversizedTrackSettings(p.user.path() / "Default.cfg");
    const std::filesystem::path cache = p.user.path() / std::string(kPathCacheFileName);
    // A short request fills the file first: a file of other inputs is not taken.
    skydata::PathModule().PathBodyList = {"P3"};
    skydata::PathModule().Settings.StartJD = kMay20;
    skydata::PathModule().Settings.EndJD = kMay20 + 3000;
    skydata::PathModule().Settings.StepDays = 1;
    InstallPathHooks();
    ComputePaths(skydata::PathModule().Settings);
    ASSERT_TRUE(std::filesystem::exists(cache));
    const std::vector<PathPoint> short_track = TrackModule().PathPoints;
    ASSERT_EQ(short_track.size(), 3001u);
    // A damaged file is passed over: the points are computed again.
    std::string damaged = test::ReadBytes(cache);
    damaged.resize(damaged.size() - 3);
    ASSERT_TRUE(platform::WriteFileBytesAtomic(cache, damaged));
    ResetTrackModule();
    ComputePaths(skydata::PathModule().Settings);
    ASSERT_EQ(TrackModule().PathPoints.size(), short_track.size());
    EXPECT_EQ(TrackModule().PathPoints.back().RA, short_track.back().RA);
    EXPECT_EQ(TrackModule().PathPoints.back().Label, short_track.back().Label);

    LoadProgramState(std::filesystem::current_path());
    EXPECT_TRUE(p.env.messages.shown.empty());
    EXPECT_TRUE(TakeStartupNotices().empty());
    EXPECT_TRUE(TrackModule().Pending);
    EXPECT_TRUE(p.env.long_work.requests.empty());
    EXPECT_TRUE(ComputePendingPaths());
    EXPECT_FALSE(TrackModule().Pending);
    ASSERT_EQ(p.env.long_work.requests.size(), 1u);
    EXPECT_EQ(p.env.long_work.requests[0].title, "궤적 그리기");
    EXPECT_EQ(p.env.long_work.totals[0], p.env.long_work.done[0]);
    EXPECT_FALSE(ComputePendingPaths());
    const std::vector<PathPoint> computed = TrackModule().PathPoints;
    ASSERT_EQ(computed.size(), kMaxPathPoints);
    EXPECT_EQ(chart::PathLists().PathVectors.size(), kMaxPathPoints);

    // The next start reads the file: a point changed in it shows.
    std::string bytes = test::ReadBytes(cache);
    const std::string key_start = "zu tracks 1\n";
    ASSERT_EQ(bytes.rfind(key_start, 0), 0u);
    std::uint32_t key_size = 0;
    std::memcpy(&key_size, bytes.data() + key_start.size(), sizeof key_size);
    const std::size_t first_ra = key_start.size() + sizeof key_size + key_size + sizeof(std::uint64_t);
    const double marked = 123.25;
    std::memcpy(bytes.data() + first_ra, &marked, sizeof marked);
    ASSERT_TRUE(platform::WriteFileBytesAtomic(cache, bytes));
    ResetTrackModule();
    LoadProgramState(std::filesystem::current_path());
    ASSERT_EQ(TrackModule().PathPoints.size(), kMaxPathPoints);
    EXPECT_EQ(TrackModule().PathPoints[0].RA, marked);
    EXPECT_EQ(TrackModule().PathPoints.back().Label, computed.back().Label);
    EXPECT_EQ(TrackModule().PathPoints.back().Dec, computed.back().Dec);
    EXPECT_TRUE(p.env.messages.shown.empty());
    ResetTrackModule();
    chart::ResetPathLists();
}

}  // namespace
}  // namespace zu
