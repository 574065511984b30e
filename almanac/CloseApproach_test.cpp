#include "almanac/CloseApproach.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "almanac/ApproachFixtures.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/SkySettings.h"
#include "platform/Fakes.h"

namespace almanac {
namespace {

using test::FixtureRow;
using test::LocalJD;

class CloseApproachTest : public ::testing::Test {
protected:
    void SetUp() override {
        astro::Settings() = astro::SkySettings{};
        astro::ResetPlanetState();
    }
    platform::FakeEnv env;
};

struct Found {
    std::vector<double> times;
    std::vector<std::string> texts;
    ApproachSearchStatus status = ApproachSearchStatus::Done;
};

ApproachRequest Period(int y0, int m0, int d0, int y1, int m1, int d1) {
    ApproachRequest r;
    r.start_jd = astro::DateToJD(y0, m0, d0, 12, 0, 0);
    r.end_jd = astro::DateToJD(y1, m1, d1, 12, 0, 0);
    return r;
}

Found Search(const ApproachRequest& request, const PlanetTableSource& source = SkyPlanetTableSource()) {
    Found f;
    f.status = FindApproaches(request, source, f.times, f.texts);
    return f;
}

// The row of that civil day whose text starts with `start`; -1 when none.
int RowOf(const Found& f, double day_jd, const std::string& start) {
    for (std::size_t r = 0; r + 1 < f.texts.size(); ++r)
        if (astro::RoundToHalf(f.times[r]) == astro::RoundToHalf(day_jd) && f.texts[r].starts_with(start))
            return static_cast<int>(r);
    return -1;
}

// The separation written in a row's text.
double ListedSeparation(const std::string& text) {
    const std::string key = "각거리: ";
    return std::stod(text.substr(text.find(key) + key.size()));
}

// ---- Against astronomy-engine ----------------------------------------------

struct ReferenceCase {
    const char* name;  // fixture case
    int i, j;          // body numbers
    int period[6];
    int day[3];
    const char* text;  // the row's text as listed, or its start
    bool exact;        // the whole text, not only its start
    bool refined;      // dated at the closest instant, not at a scan instant
    double sep_tol_deg, time_tol_h;
};

TEST_F(CloseApproachTest, PairsAgreeWithAstronomyEngine) {
    const std::vector<FixtureRow> fixture = test::ReadFixture("close_approaches.csv");
    const ReferenceCase cases[] = {
        {"jupiter_saturn_2020", 4, 5, {2020, 12, 15, 2020, 12, 29}, {2020, 12, 22},
         "목성, 토성 접근(각거리: 0.10도) ", true, true, 0.01, 1},
        {"venus_jupiter_2023", 2, 4, {2023, 2, 25, 2023, 3, 6}, {2023, 3, 2},
         "금성, 목성 접근(각거리: 0.49도) ", true, true, 0.01, 1},
        {"venus_jupiter_2022", 2, 4, {2022, 4, 28, 2022, 5, 4}, {2022, 5, 1},
         "금성, 목성 접근(각거리: 0.23도) ", true, true, 0.01, 1},
        {"moon_venus_2022", 0, 2, {2022, 5, 24, 2022, 5, 30}, {2022, 5, 27},
         "달, 금성 접근(각거리: 0.18도) (엄폐최대시각: 12시", false, true, 0.05, 0.5},
    };
    for (const ReferenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const FixtureRow ref = test::FixtureRowWhere(fixture, "case", c.name);
        const Found f = Search(Period(c.period[0], c.period[1], c.period[2], c.period[3], c.period[4], c.period[5]));
        ASSERT_EQ(f.status, ApproachSearchStatus::Done);
        const double day = astro::DateToJD(c.day[0], c.day[1], c.day[2], 12, 0, 0);
        const int r = RowOf(f, day, c.text);
        ASSERT_GE(r, 0);
        if (c.exact) {
            EXPECT_EQ(f.texts[static_cast<std::size_t>(r)], c.text);
        }
        EXPECT_NEAR(f.times[static_cast<std::size_t>(r)], LocalJD(ref.at("min_local")), c.time_tol_h / 24);

        // The separation itself, before it is written with two decimals.
        ApproachTables tables(SkyPlanetTableSource());
        double time = 0;
        std::uint8_t status = 0;
        const double sep = ScanApproachDay(tables, day, c.i, c.j, time, status);
        EXPECT_NEAR(sep, std::stod(ref.at("min_sep_deg")), c.sep_tol_deg);
        EXPECT_EQ(time, f.times[static_cast<std::size_t>(r)]);
    }
}

TEST_F(CloseApproachTest, OccultationTimeIsWrittenWithTheHourAndMinute) {
    const Found f = Search(Period(2022, 5, 24, 2022, 5, 30));
    const int r = RowOf(f, astro::DateToJD(2022, 5, 27, 12, 0, 0), "달, 금성");
    ASSERT_GE(r, 0);
    EXPECT_EQ(f.texts[static_cast<std::size_t>(r)],
              "달, 금성 접근(각거리: 0.18도) (엄폐최대시각: " + astro::ShortDateText(f.times[static_cast<std::size_t>(r)], 1) +
                  " 무렵)");
}

TEST_F(CloseApproachTest, PairsNotRefinedKeepTheirScanOrHourlyInstant) {
    const std::vector<FixtureRow> fixture = test::ReadFixture("close_approaches.csv");
    const Found f = Search(Period(2008, 11, 28, 2008, 12, 4));

    // Venus and Jupiter 1.3 degrees apart or more in the coarse scan: the
    // ecliptic separation at the scan instant itself.
    const FixtureRow vj = test::FixtureRowWhere(fixture, "case", "venus_jupiter_2008");
    const int r = RowOf(f, astro::DateToJD(2008, 12, 1, 12, 0, 0), "금성, 목성 접근(각거리: ");
    ASSERT_GE(r, 0);
    EXPECT_EQ(f.times[static_cast<std::size_t>(r)], LocalJD(vj.at("at_local")));
    EXPECT_NEAR(ListedSeparation(f.texts[static_cast<std::size_t>(r)]), std::stod(vj.at("sep_at_deg")), 0.01);

    // The Moon and Venus: the hourly minimum, 0.7 degree or more, is listed
    // at its hour without the parabola.
    const FixtureRow mv = test::FixtureRowWhere(fixture, "case", "moon_venus_2008");
    const int m = RowOf(f, astro::DateToJD(2008, 12, 2, 12, 0, 0), "달, 금성 접근(각거리: ");
    ASSERT_GE(m, 0);
    EXPECT_EQ(f.times[static_cast<std::size_t>(m)], astro::DateToJD(2008, 12, 2, 1, 0, 0));
    EXPECT_GE(ListedSeparation(f.texts[static_cast<std::size_t>(m)]), 0.7);
    EXPECT_NEAR(ListedSeparation(f.texts[static_cast<std::size_t>(m)]), std::stod(mv.at("min_sep_deg")), 0.25);
    EXPECT_NEAR(f.times[static_cast<std::size_t>(m)], LocalJD(mv.at("min_local")), 0.5 / 24);
}

TEST_F(CloseApproachTest, PairNearTheSunIsMarkedAndNotRefined) {
    const std::vector<FixtureRow> fixture = test::ReadFixture("close_approaches.csv");
    const FixtureRow ref = test::FixtureRowWhere(fixture, "case", "moon_mercury_2022");
    // The reference: the Moon 3.9 and Mercury 2.3 degrees from the Sun.
    EXPECT_LT(std::stod(ref.at("elong_a_at_deg")), 5.1);
    EXPECT_LT(std::stod(ref.at("elong_b_at_deg")), 5.1);
    const Found f = Search(Period(2022, 3, 29, 2022, 4, 3));
    const int r = RowOf(f, astro::DateToJD(2022, 4, 1, 12, 0, 0), "달, 수성");
    ASSERT_GE(r, 0);
    EXPECT_EQ(f.texts[static_cast<std::size_t>(r)], "달, 수성 접근(각거리: 2.27도) (태양 근처라 관측 불가)");
    // Status 5 is not refined: the row keeps a whole hour.
    const double hours = (f.times[static_cast<std::size_t>(r)] - astro::RoundToHalf(f.times[static_cast<std::size_t>(r)])) * 24;
    EXPECT_NEAR(hours, std::round(hours), 1e-6);
    EXPECT_NEAR(f.times[static_cast<std::size_t>(r)], LocalJD(ref.at("min_local")), 0.5 / 24);
}

TEST_F(CloseApproachTest, MorningGatheringOfSixBodies) {
    const std::vector<FixtureRow> fixture = test::ReadFixture("gathering_longitudes.csv");
    const FixtureRow ref = test::FixtureRowWhere(fixture, "at_local", "2022-06-24 12:00:00");
    // The reference spread: Saturn west of 0 degrees to Mercury.
    const double spread = std::stod(ref.at("mercury_lon_deg")) + 360 - std::stod(ref.at("saturn_lon_deg"));
    EXPECT_NEAR(spread, 106.3, 0.05);

    ApproachRequest request = Period(2022, 6, 24, 2022, 6, 24);
    request.width_deg = 120;
    request.pairs = false;
    const Found f = Search(request);
    const int r = RowOf(f, astro::DateToJD(2022, 6, 24, 12, 0, 0), "(황경");
    ASSERT_GE(r, 0);
    EXPECT_EQ(f.texts[static_cast<std::size_t>(r)], "(황경106도이내6개-새벽)달, 수성, 금성, 화성, 목성, 토성");
    EXPECT_EQ(f.times[static_cast<std::size_t>(r)], astro::DateToJD(2022, 6, 24, 12, 0, 0));
}

TEST_F(CloseApproachTest, SearchLeavesTheSharedPlanetTableAtTheChartMoment) {
    const double chart = astro::DateToJD(2000, 1, 1, 12, 0, 0);
    astro::CalcPlanets(chart);
    const double jde = astro::Planets().JDE;
    const double moon_ra = astro::Planets().PlanetTable[astro::kPlanetMoon].TopoRA;
    Search(Period(2020, 12, 20, 2020, 12, 23));
    EXPECT_EQ(astro::Planets().JDE, jde);
    EXPECT_EQ(astro::Planets().PlanetTable[astro::kPlanetMoon].TopoRA, moon_ra);
}

TEST_F(CloseApproachTest, TopocentricSettingMovesTheMoonPairs) {
    ApproachTables geo(SkyPlanetTableSource());
    double t_geo = 0, t_topo = 0;
    std::uint8_t s = 0;
    const double day = astro::DateToJD(2022, 5, 27, 12, 0, 0);
    const double sep_geo = ScanApproachDay(geo, day, 0, 2, t_geo, s);
    astro::Settings().psystem = false;
    ApproachTables topo(SkyPlanetTableSource());
    const double sep_topo = ScanApproachDay(topo, day, 0, 2, t_topo, s);
    EXPECT_GT(std::fabs(sep_geo - sep_topo), 0.05);
}

// ---- Pure tables -------------------------------------------------------------

TEST(ClassifyApproach, StatusesAtTheirBoundaries) {
    struct Case {
        const char* name;
        double sun_lon, sep;
        double semi_a, semi_b;
        std::uint8_t status;
    };
    constexpr double e = 1e-4;
    const Case cases[] = {
        {"10 degrees", 180, 10 + e, 0, 0, kApproachNone},
        {"under 10", 180, 10 - e, 0, 0, kApproachWide},
        {"5 degrees", 180, 5 + e, 0, 0, kApproachWide},
        {"under 5", 180, 5 - e, 0, 0, kApproachNear},
        {"1 degree", 180, 1 + e, 0, 0, kApproachNear},
        {"under 1", 180, 1 - e, 0, 0, kApproachClose},
        {"half the sum of the semi-diameters", 180, 0.15 - e, 0.25, 0.05, kApproachOccultation},
        {"beyond half the sum", 180, 0.15 + e, 0.25, 0.05, kApproachClose},
        {"a body 5.1 from the Sun", -5.1 - e, 3, 0, 0, kApproachNear},
        {"a body under 5.1 from the Sun", -5.1 + e, 3, 0, 0, kApproachNearSun},
        {"near the Sun within 10", -1, 10 - e, 0, 0, kApproachNearSun},
        {"near the Sun beyond 10", -1, 10 + e, 0, 0, kApproachNone},
        {"near the Sun and touching", -1, 0.01, 0.25, 0.05, kApproachNearSun},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ApproachBody a{0, 0, c.semi_a}, b{c.sep, 0, c.semi_b};
        std::uint8_t status = 99;
        EXPECT_NEAR(ClassifyApproach(c.sun_lon, 0, a, b, status), c.sep, 1e-6);
        EXPECT_EQ(status, c.status);
    }
}

TEST(ParabolaMinimum, VertexCollinearAndNegative) {
    struct Case {
        const char* name;
        double sep[3];
        double semi_sum;
        std::uint8_t entry;
        double least, n;
        std::uint8_t status;
    };
    const Case cases[] = {
        {"collinear: no vertex", {0.5, 0.4, 0.3}, 0.3, 3, 0.4, 0, 3},
        {"equal: no vertex", {0.2, 0.2, 0.2}, 0.3, 2, 0.2, 0, 2},
        {"vertex below zero", {0.5, 0.05, 0.05}, 0.3, 3, 0, 0.5, kApproachOccultation},
        {"vertex between samples", {0.5, 0.3, 0.5}, 0.01, 3, 0.3, 0, kApproachNone},
        {"vertex within the discs", {0.6, 0.2, 0.4}, 0.3, 3, 0.2 - 0.04 / 4.8, 1.0 / 6, kApproachOccultation},
        {"vertex more than an hour away", {0.30, 0.29, 0.285}, 0.3, 3, 0.29, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double n = 99;
        std::uint8_t status = c.entry;
        const double least = ParabolaMinimum(c.sep, c.semi_sum, n, status);
        EXPECT_NEAR(least, c.least, 1e-9);
        EXPECT_GE(least, 0.0);
        EXPECT_NEAR(n, c.n, 1e-9);
        EXPECT_EQ(status, c.status);
    }
}

ApproachBodies AtLongitudes(const double (&lon)[6]) {
    ApproachBodies bodies;
    for (std::size_t b = 0; b < bodies.size(); ++b) bodies[b] = {lon[b], 0, 0};
    return bodies;
}

TEST(FindGathering, WindowsAcross360TiesAndSides) {
    struct Case {
        const char* name;
        double lon[6];
        double width, sun;
        int min_count;
        bool found;
        const char* digits;
        double spread;
    };
    const Case cases[] = {
        {"across 360, morning", {350, 5, 20, 40, 200, 250}, 60, 100, 4, true, "0123", -50},
        {"Sun inside the window", {350, 5, 20, 40, 200, 250}, 60, 10, 4, false, "", 0},
        {"tie goes to the later body, morning", {10, 20, 30, 40, 200, 300}, 20, 100, 3, true, "123", -20},
        {"tie goes to the later body, evening", {10, 20, 30, 40, 200, 300}, 20, 0, 3, true, "123", 20},
        {"too few", {10, 20, 30, 40, 200, 300}, 20, 100, 4, false, "", 0},
        {"width over 120 is 120", {0, 60, 119, 121, 200, 250}, 200, 300, 3, true, "234", -81},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string digits = "?";
        double spread = 99;
        EXPECT_EQ(FindGathering(c.width, c.sun, c.min_count, AtLongitudes(c.lon), digits, spread), c.found);
        if (c.found) {
            EXPECT_EQ(digits, c.digits);
            EXPECT_EQ(spread, c.spread);
        }
    }
}

TEST(BodyCodeNames, NamesOfTheDigits) {
    EXPECT_EQ(BodyCodeNames("045"), "달, 목성, 토성");
    EXPECT_EQ(BodyCodeNames("12"), "수성, 금성");
    EXPECT_EQ(BodyCodeNames(" 3 "), "화성");
    EXPECT_EQ(BodyCodeNames(" "), "");
    EXPECT_EQ(BodyCodeNames(""), "");
}

// ---- Limits with fake tables -------------------------------------------------

// Every body near (lon 100, lat 0), ra/dec alike, the Sun 80 degrees west.
astro::PlanetTableT Crowded() {
    astro::PlanetTableT table{};
    for (int b = 0; b < kApproachBodyCount; ++b) {
        astro::PlanetRecord& r = table[static_cast<std::size_t>(ApproachBodyRow(b))];
        r.TopoEclLon = r.TopoRA = 100 + 0.15 * b;
        r.TopoEclLat = r.TopoDec = 0.1 * b;
        r.Diameter = 10;
    }
    table[astro::kPlanetSun].TopoEclLon = table[astro::kPlanetSun].TopoRA = 20;
    return table;
}

// The progress counts the scan instants; a search stopped through it ends
// with no rows, whatever it had found.
TEST_F(CloseApproachTest, ProgressCountsTheInstantsAndStopsTheSearch) {
    const PlanetTableSource source = [](double, const astro::PlanetRows&) { return Crowded(); };
    ApproachRequest request;
    request.start_jd = 2451545;
    request.end_jd = request.start_jd + 1827;
    request.pairs = false;
    Found f;
    platform::WorkProgress progress;
    EXPECT_EQ(FindApproaches(request, source, f.times, f.texts, &progress), ApproachSearchStatus::Done);
    EXPECT_EQ(progress.Total(), 1829u);
    EXPECT_EQ(progress.Done(), 1829u);
    EXPECT_EQ(f.texts.size(), 1830u);

    platform::FakeLongWork work;
    work.cancel_after = {std::size_t{100}};
    ApproachSearchStatus status = ApproachSearchStatus::Done;
    EXPECT_FALSE(work.Run({}, [&](platform::WorkProgress& p) { status = FindApproaches(request, source, f.times, f.texts, &p); }));
    EXPECT_EQ(status, ApproachSearchStatus::Cancelled);
    EXPECT_EQ(work.done[0], 100u);
    EXPECT_TRUE(f.times.empty());
    EXPECT_TRUE(f.texts.empty());
    EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(CloseApproachTest, RefusedPeriodsLeaveNoRows) {
    const PlanetTableSource source = [](double, const astro::PlanetRows&) { return Crowded(); };
    ApproachRequest request;
    request.start_jd = 2451545;
    request.end_jd = request.start_jd + 1827;
    request.pairs = false;
    Found f = Search(request, source);
    EXPECT_EQ(f.status, ApproachSearchStatus::Done);
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_EQ(f.texts.size(), 1830u);  // 1829 scan instants and the spare
    EXPECT_EQ(f.texts.back(), "");
    EXPECT_EQ(f.times.back(), 0);

    request.end_jd = request.start_jd + 1827.01;
    EXPECT_EQ(FindApproaches(request, source, f.times, f.texts), ApproachSearchStatus::Refused);
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, "탐색 기간은 5년 이내로 해 주세요.");
    EXPECT_EQ(env.messages.shown[0].title, "zu");
    EXPECT_EQ(env.messages.shown[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(f.times.empty());
    EXPECT_TRUE(f.texts.empty());

    // Start after end: refused without a message.
    f.times.assign(3, 1.0);
    f.texts.assign(3, "old");
    request.end_jd = request.start_jd - 1;
    EXPECT_EQ(FindApproaches(request, source, f.times, f.texts), ApproachSearchStatus::Refused);
    EXPECT_EQ(env.messages.shown.size(), 1u);
    EXPECT_TRUE(f.times.empty());
    EXPECT_TRUE(f.texts.empty());
}

TEST_F(CloseApproachTest, SixCrowdedBodiesGiveSixteenRowsPerStep) {
    ApproachRequest request;
    request.start_jd = 2451545;
    request.end_jd = request.start_jd + 100;
    request.step_days = 0;  // taken as 1
    const Found f = Search(request, [](double, const astro::PlanetRows&) { return Crowded(); });
    ASSERT_EQ(f.status, ApproachSearchStatus::Done);
    ASSERT_EQ(f.texts.size(), 16u * 102 + 1);
    EXPECT_EQ(f.texts[0], "(황경1도이내6개-저녁)달, 수성, 금성, 화성, 목성, 토성");
    EXPECT_EQ(f.texts[1].rfind("달, 수성 접근(각거리: ", 0), 0u);
    EXPECT_EQ(f.texts[15].rfind("목성, 토성 접근(각거리: ", 0), 0u);
    EXPECT_EQ(f.texts[16], f.texts[0]);
    // Constant places: equal hourly minima, the first hour wins and the
    // flat parabola keeps it.
    EXPECT_EQ(f.times[1], astro::RoundToHalf(request.start_jd - 1));
}

TEST_F(CloseApproachTest, EachRowOfEachInstantIsComputedOnce) {
    std::map<std::pair<double, int>, int> computed;  // (instant, row) -> times computed
    ApproachRequest request;
    request.start_jd = request.end_jd = 2451545;
    const Found f = Search(request, [&computed](double jd, const astro::PlanetRows& rows) {
        for (int n = 0; n < astro::kPlanetCount; ++n)
            if (rows[static_cast<std::size_t>(n)]) ++computed[{jd, n}];
        return Crowded();
    });
    ASSERT_EQ(f.status, ApproachSearchStatus::Done);
    std::set<double> instants;
    for (const auto& [key, count] : computed) {
        EXPECT_EQ(count, 1) << key.first << " row " << key.second;
        instants.insert(key.first);
        // Uranus, Neptune and Pluto are never asked for.
        EXPECT_TRUE(key.second <= astro::kPlanetSaturn || key.second == astro::kPlanetMoon) << key.second;
    }
    // Two scan instants at noon: two civil days of 24 hours (the noons among
    // them) and the hour before the first midnight for the parabola.
    EXPECT_EQ(instants.size(), 2u * 24 + 1);
}

}  // namespace
}  // namespace almanac
