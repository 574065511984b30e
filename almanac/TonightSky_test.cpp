#include "almanac/TonightSky.h"

#include <gtest/gtest.h>

#include <string>

#include "almanac/ApproachFixtures.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/SkySettings.h"

namespace almanac {
namespace {

using test::FixtureRow;

class TonightSkyTest : public ::testing::Test {
protected:
    void SetUp() override {
        astro::Settings() = astro::SkySettings{};
        astro::ResetPlanetState();
    }
};

double Day(int y, int m, int d) { return astro::DateToJD(y, m, d, 12, 0, 0); }

// The time of the slot with that text; -2 when there is none.
double SlotTime(const TonightSlots& slots, const std::string& text) {
    for (const TonightEvent& e : slots)
        if (e.text == text) return e.time;
    return -2;
}

TEST_F(TonightSkyTest, EventsOfMidsummerAgreeWithAstronomyEngine) {
    const std::vector<FixtureRow> fixture = test::ReadFixture("tonight_events.csv");
    auto ref = [&](const char* event) {
        for (const FixtureRow& row : fixture)
            if (row.at("day") == "2008-06-21" && row.at("event") == event) return test::LocalJD(row.at("local"));
        ADD_FAILURE() << event;
        return 0.0;
    };
    const double j0 = astro::DateToJD(2008, 6, 21, 0, 0, 0);
    const TonightSlots slots = TonightEvents(Day(2008, 6, 21), astro::CurrentSite());
    const struct {
        const char* text;
        const char* event;
        double tolerance_min;
    } cases[] = {
        {"천문 박명 시작", "astronomical_dawn", 1}, {"해 뜸", "sunrise", 1},       {"해 짐", "sunset", 1},
        {"천문 박명 종료", "astronomical_dusk", 1}, {"달 짐", "moonset", 3},       {"달 뜸", "moonrise", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(j0 + SlotTime(slots, c.text), ref(c.event), c.tolerance_min / 1440);
    }
    // Ascending; every event inside the day; 36 slots used.
    int used = 0;
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (k > 0) {
            EXPECT_LE(slots[k - 1].time, slots[k].time);
        }
        if (slots[k].text != "x") ++used;
        EXPECT_TRUE(slots[k].time == -1 || (slots[k].time >= 0 && slots[k].time <= 1)) << slots[k].time;
    }
    EXPECT_EQ(used, 36);
    EXPECT_EQ(SlotTime(slots, "x"), -1);
    EXPECT_NE(SlotTime(slots, "명왕성 남중"), -2);
    EXPECT_NE(SlotTime(slots, "항해 박명 종료"), -2);
}

TEST_F(TonightSkyTest, EventsLeaveTheSharedPlanetTableAlone) {
    astro::CalcPlanets(Day(2000, 1, 1));
    const double jde = astro::Planets().JDE;
    TonightEvents(Day(2008, 6, 21), astro::CurrentSite());
    ComputeTonightTimeline(astro::DateToJD(2008, 6, 21, 0, 0, 0), astro::CurrentSite());
    EXPECT_EQ(astro::Planets().JDE, jde);
}

TEST_F(TonightSkyTest, DarkNightBetweenMoonsetAndMoonrise) {
    const std::vector<FixtureRow> fixture = test::ReadFixture("tonight_events.csv");
    auto ref = [&](const char* event) {
        for (const FixtureRow& row : fixture)
            if (row.at("day") == "2008-07-02" && row.at("event") == event) return test::LocalJD(row.at("local"));
        ADD_FAILURE() << event;
        return 0.0;
    };
    const double j0 = astro::DateToJD(2008, 7, 2, 0, 0, 0);
    const TonightTimeline t = ComputeTonightTimeline(j0, astro::CurrentSite());
    // The two-minute samples find each crossing at the sample after it.
    EXPECT_NEAR(j0 + t.crossings.dark_start, ref("astronomical_dusk"), 3.0 / 1440);
    EXPECT_NEAR(j0 + t.crossings.dark_end, ref("next_astronomical_dawn"), 3.0 / 1440);
    EXPECT_NEAR(j0 + t.crossings.moon_set, ref("moonset"), 4.0 / 1440);
    EXPECT_NEAR(j0 + t.crossings.moon_rise, ref("next_moonrise"), 4.0 / 1440);
    EXPECT_EQ(TonightSummary(t.crossings), "오늘 21시 35분무렵부터 내일 03시 25분무렵까지 별을 보기 적당합니다.");
}

TEST_F(TonightSkyTest, MidnightSunNeverDark) {
    astro::SiteContext site = astro::CurrentSite();
    site.lat_deg = 78;
    const TonightTimeline t = ComputeTonightTimeline(astro::DateToJD(2008, 6, 21, 0, 0, 0), site);
    for (double alt : t.sun_alt_deg) EXPECT_GT(alt, -18);
    EXPECT_EQ(t.crossings.dark_start, -1);
    EXPECT_EQ(t.crossings.dark_end, -1);
    EXPECT_EQ(TonightSummary(t.crossings), "오늘 밤과 내일 새벽에는 별을 보기에는 하늘이 밝습니다.");
}

TEST_F(TonightSkyTest, EndSamplesAreTheDirectAltitudes) {
    const astro::SiteContext site = astro::CurrentSite();
    const double j0 = astro::DateToJD(2008, 7, 2, 0, 0, 0);
    const TonightTimeline t = ComputeTonightTimeline(j0, site);
    const struct {
        int sample;
        double at;
    } ends[] = {{0, j0 + 0.5}, {720, j0 + 1.5}};
    for (const auto& e : ends) {
        for (int row : {astro::kPlanetSun, astro::kPlanetMoon}) {
            const astro::PlanetPlace p = astro::ComputePlanetPlace(row, e.at, site, false);
            double az = 0, alt = 0;
            astro::EquatorialToHorizontal(p.ra_deg, p.dec_deg, astro::CalcLST(e.at, site.lon_deg, site.zone_h),
                                          site.lat_deg, az, alt);
            const auto& samples = row == astro::kPlanetSun ? t.sun_alt_deg : t.moon_alt_deg;
            EXPECT_NEAR(samples[static_cast<std::size_t>(e.sample)], alt, 0.01) << e.sample << " " << row;
        }
    }
}

// Day fraction after the midnight of an hour and minute of the evening
// (h >= 12) or of the next morning (h < 12).
double At(int h, int m) { return (h < 12 ? 1.0 : 0.0) + (h * 60 + m) / 1440.0; }

TEST(TonightSummary, SentencesOfEachCase) {
    struct Case {
        const char* name;
        TonightCrossings c;
        const char* summary;
    };
    const Case cases[] = {
        {"dark from 20:37, moonrise 01:12",
         {At(20, 37), At(3, 40), -1, At(1, 12), -5, true, true},
         "오늘 20시 35분무렵부터 내일 01시 10분무렵까지 별을 보기 적당합니다."},
        {"always dark, Moon never up",
         {0.5, -1, -1, -1, -20, false, false},
         "오늘 밤부터 내일 사이에는 계속 어두운 하늘이 지속됩니다."},
        {"dark from the first sample without an end, moonrise 04:48",
         {0.5, -1, -1, At(4, 48), -20, false, true},
         "오늘 12시 00분무렵부터 내일 04시 45분무렵까지 별을 보기 적당합니다."},
        {"moonset in the dark before midnight",
         {At(20, 37), At(3, 40), At(23, 58), 0.5, 10, true, true},
         "오늘 23시 55분무렵부터 내일 03시 40분무렵까지 별을 보기 적당합니다."},
        {"moonset in the dark after midnight",
         {At(20, 37), At(3, 40), At(2, 3), 0.5, 10, true, true},
         "내일 02시 00분무렵부터 내일 03시 40분무렵까지 별을 보기 적당합니다."},
        {"new moon: down all night",
         {At(21, 36), At(3, 28), At(19, 16), At(4, 52), -30, true, true},
         "오늘 21시 35분무렵부터 내일 03시 25분무렵까지 별을 보기 적당합니다."},
        {"Moon up at 22:40 though set before and risen after the dark",
         {At(21, 36), At(3, 28), At(19, 16), At(4, 52), 0.2, true, true},
         "오늘 밤과 내일 새벽에는 별을 보기에는 하늘이 밝습니다."},
        {"full moon: up all night",
         {At(21, 36), At(3, 28), At(5, 10), At(19, 30), 40, true, true},
         "오늘 밤과 내일 새벽에는 별을 보기에는 하늘이 밝습니다."},
        {"never dark", {-1, -1, At(2, 3), At(22, 0), 10, true, true}, "오늘 밤과 내일 새벽에는 별을 보기에는 하늘이 밝습니다."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TonightSummary(c.c), c.summary);
    }
}

}  // namespace
}  // namespace almanac
