// Rise, set and twilight against an independent ephemeris (npm
// astronomy-engine, calendar/testdata/rise_set_2024.txt, made by
// tools/datagen/fixture_rise_set.py), and the texts built from them.
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "calendar/RiseSet.h"

namespace calendar {
namespace {

constexpr double kLon = 128.0, kLat = 37.5, kZone = 9.0;

double Noon(int y, int m, int d) { return JulianDay(y, m, d, 12, 0, 0); }

struct FixtureEvent {
    std::string event, body;
    double latitude = 0;
    int y = 0, m = 0, d = 0;
    bool found = false;
    double jd = 0, azimuth = 0;
};

std::vector<FixtureEvent> ReadFixture() {
    std::ifstream in(std::string(ZU_SOURCE_DIR) + "/calendar/testdata/rise_set_2024.txt");
    std::vector<FixtureEvent> events;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream row(line);
        FixtureEvent e;
        std::string date, value;
        row >> e.event >> e.body >> e.latitude >> date >> value;
        std::sscanf(date.c_str(), "%d-%d-%d", &e.y, &e.m, &e.d);
        if (value != "none") {
            e.found = true;
            e.jd = std::stod(value);
            row >> e.azimuth;
        }
        events.push_back(e);
    }
    return events;
}

TEST(RiseSetReference, SunMoonAndTwilightWithinTheirTolerancesAtSteps1And4) {
    const std::vector<FixtureEvent> events = ReadFixture();
    ASSERT_GT(events.size(), 150u) << "fixture missing";
    for (int step : {1, 4}) {
        for (const FixtureEvent& e : events) {
            const bool moon = e.body == "Moon";
            double h0 = moon ? 0.125 : -0.8333;
            bool rising = e.event == "rise";
            if (e.event.rfind("dawn", 0) == 0 || e.event.rfind("dusk", 0) == 0) {
                h0 = -std::stod(e.event.substr(4));
                rising = e.event[1] == 'a';
            }
            const RiseSetQuery q = RiseSetOfDay(kLon, e.latitude, Noon(e.y, e.m, e.d), kZone, h0,
                                                moon ? kRiseSetMoon : kRiseSetSun, step, false);
            const bool found = rising ? q.RiseFound : q.SetFound;
            const double jd = rising ? q.RiseJD : q.SetJD;
            const double az = rising ? q.RiseAzimuth : q.SetAzimuth;
            SCOPED_TRACE(e.event + " " + e.body + " " + std::to_string(e.y * 10000 + e.m * 100 + e.d) + " lat " +
                         std::to_string(e.latitude) + " step " + std::to_string(step));
            ASSERT_EQ(found, e.found);
            if (!found) continue;
            EXPECT_NEAR(jd, e.jd, (moon ? 2.0 : 1.0) / 1440.0);
            EXPECT_NEAR(az, e.azimuth, moon ? 1.0 : 0.3);
        }
    }
}

TEST(RiseSetDay, TextsOfTheSunAndTheMoon) {
    EXPECT_EQ(RiseSetDay(kLon, kLat, Noon(2024, 9, 22), kZone, kRiseSetKindSun, kRiseSetSun, 4, false),
              "06:16/18:25");
    EXPECT_EQ(RiseSetDay(kLon, kLat, Noon(2024, 1, 1), kZone, kRiseSetKindMoon, kRiseSetMoon, 4, false),
              "22:16/11:05(78%)");
    const std::string no_rise =
        RiseSetDay(kLon, kLat, Noon(2024, 1, 3), kZone, kRiseSetKindMoon, kRiseSetMoon, 4, false);
    EXPECT_EQ(no_rise.substr(0, 6), "--:--/") << no_rise;
    EXPECT_NE(no_rise.substr(6, 5), "--:--") << no_rise;
    const std::string no_set =
        RiseSetDay(kLon, kLat, Noon(2024, 1, 17), kZone, kRiseSetKindMoon, kRiseSetMoon, 4, false);
    EXPECT_EQ(no_set.substr(5, 7), "/--:--(") << no_set;
    EXPECT_EQ(no_set.back(), ')');
    // Midnight sun and polar night: no crossing at all.
    for (int m : {6, 12})
        EXPECT_EQ(RiseSetDay(kLon, 80.0, Noon(2024, m, 21), kZone, kRiseSetKindSun, kRiseSetSun, 4, false),
                  "--:--/--:--");
}

TEST(RiseSetTwilight, LabelledTextsWithAndWithoutAzimuth) {
    const double jd = Noon(2024, 1, 1);
    const RiseSetQuery q = RiseSetOfDay(kLon, kLat, jd, kZone, -0.8333, kRiseSetSun, 4, false);
    char expected[128];
    std::snprintf(expected, sizeof expected, "  뜸: %s(%.1f도)     짐: %s(%.1f도)", TimeText(q.RiseJD).c_str(),
                  q.RiseAzimuth, TimeText(q.SetJD).c_str(), q.SetAzimuth);
    EXPECT_EQ(RiseSetTwilight(kLon, kLat, jd, kZone, -0.8333, kRiseSetSun, 4, false, false, true), expected);
    EXPECT_EQ(RiseSetTwilight(kLon, kLat, jd, kZone, -0.8333, kRiseSetSun, 4, false, false, true).find("(118.9도)"),
              std::string("  뜸: 07:42").size());
    EXPECT_EQ(RiseSetTwilight(kLon, kLat, jd, kZone, -6, kRiseSetSun, 4, true, false, false),
              "시작: 07:13   종료: 17:49");
    EXPECT_EQ(RiseSetTwilight(kLon, 80.0, Noon(2024, 6, 21), kZone, -0.8333, kRiseSetSun, 4, false, false, true),
              "  뜸: --:--     짐: --:--");
}

TEST(RiseSetScan, HorizonDipAndTheSampleStep) {
    EXPECT_NEAR(HorizonDip(100), 0.3533, 1e-4);
    // A negative height has no dip rather than the root of a negative number.
    EXPECT_EQ(HorizonDip(-20), 0.0);
    const double jd = Noon(2024, 1, 1);
    EXPECT_NEAR(RiseSetOfDay(kLon, kLat, jd, kZone, -0.8333, kRiseSetSun, 4, true, 100).H0, -1.1866, 1e-4);
    EXPECT_EQ(RiseSetOfDay(kLon, kLat, jd, kZone, -0.8333, kRiseSetSun, 4, true, -20).H0, -0.8333);
    // The dip makes the Sun rise earlier and set later.
    const RiseSetQuery sea = RiseSetOfDay(kLon, kLat, jd, kZone, -0.8333, kRiseSetSun, 4, false);
    const RiseSetQuery high = RiseSetOfDay(kLon, kLat, jd, kZone, -0.8333, kRiseSetSun, 4, true, 100);
    EXPECT_LT(high.RiseJD, sea.RiseJD);
    EXPECT_GT(high.SetJD, sea.SetJD);

    const DayPositions sun = ApparentDayPositions(kRiseSetSun, jd, kZone);
    auto scan = [&](int step) {
        RiseSetQuery q;
        q.JD = jd;
        q.H0 = -0.8333;
        q.Longitude = kLon;
        q.Latitude = kLat;
        q.Zone = kZone;
        RiseSetScan(q, sun, step);
        return q;
    };
    // Step 0 scans as step 1 (1441 samples), never dividing by zero.
    const RiseSetQuery one = scan(1), zero = scan(0);
    EXPECT_EQ(zero.RiseJD, one.RiseJD);
    EXPECT_EQ(zero.SetJD, one.SetJD);
    // Step 7: 1440/7 is not whole; the scan stops at its last sample and still
    // finds both crossings close to the fine ones.
    const RiseSetQuery seven = scan(7);
    ASSERT_TRUE(seven.RiseFound && seven.SetFound);
    EXPECT_NEAR(seven.RiseJD, one.RiseJD, 0.5 / 1440);
    EXPECT_NEAR(seven.SetJD, one.SetJD, 0.5 / 1440);
    // A step longer than the day leaves one sample and no crossing.
    const RiseSetQuery coarse = scan(2000);
    EXPECT_FALSE(coarse.RiseFound || coarse.SetFound);
    EXPECT_EQ(coarse.RiseJD, 0.0);
}

}  // namespace
}  // namespace calendar
