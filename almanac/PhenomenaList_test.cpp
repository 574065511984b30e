#include "almanac/PhenomenaList.h"

#include <gtest/gtest.h>

#include <cmath>

#include "almanac/SkyCalendarServices.h"
#include "astro/JulianDay.h"
#include "astro/SkySettings.h"
#include "platform/Fakes.h"

namespace almanac {
namespace {

constexpr double kZone = 9.0;

class PhenomenaListTest : public ::testing::Test {
protected:
    void SetUp() override { astro::Settings() = astro::SkySettings{}; }
    platform::FakeEnv env;
};

// The sky's services with a Moon that never converges (no Moon rows).
CalendarServices WithoutMoon() {
    CalendarServices s = SkyCalendarServices();
    s.LunarPhaseTime = [](double, double, double) -> std::optional<double> { return std::nullopt; };
    return s;
}

struct Listing {
    std::vector<double> times;
    std::vector<std::string> texts;
    PhenomenaStatus status = PhenomenaStatus::Unchanged;
};

Listing List(double from, double to, const CalendarServices& services = SkyCalendarServices()) {
    Listing l;
    l.status = ListPlanetPhenomena(from, to, kZone, services, l.times, l.texts);
    return l;
}

// The row of a text whose local date is the given one.
std::optional<double> LocalHours(const Listing& l, const std::string& text, int y, int m, int d) {
    for (std::size_t i = 0; i < l.times.size(); ++i) {
        if (l.texts[i] != text) continue;
        const double local = l.times[i] + kZone / 24.0;
        const astro::CalendarDate date = astro::JDToDate(local);
        if (date.year == y && date.month == m && date.day == d)
            return (local - astro::RoundToHalf(local)) * 24.0;
    }
    return std::nullopt;
}

void ExpectAscendingWithoutRepeats(const Listing& l) {
    ASSERT_EQ(l.times.size(), l.texts.size());
    for (std::size_t i = 1; i < l.times.size(); ++i) {
        EXPECT_LE(l.times[i - 1], l.times[i]) << i;
        for (std::size_t k = i; k < l.times.size() && l.times[k] - l.times[i - 1] < 0.001; ++k)
            EXPECT_NE(l.texts[k], l.texts[i - 1]) << "repeated " << l.texts[k];
    }
}

TEST_F(PhenomenaListTest, Year2008) {
    const double from = astro::DateToJD(2008, 1, 1, 12, 0, 0) - 30;
    const double to = astro::DateToJD(2008, 12, 31, 12, 0, 0) + 30;
    const Listing l = List(from, to);
    ASSERT_EQ(l.status, PhenomenaStatus::Listed);
    ExpectAscendingWithoutRepeats(l);
    struct Case {
        const char* text;
        int month, day;
        double hours;
    };
    const Case cases[] = {
        {"수성 동방최대이각", 1, 22, 14.27}, {"토성 충", 2, 24, 18.29}, {"목성 충", 7, 9, 17.82},
        {"토성 합", 9, 4, 10.70},            {"화성 합", 12, 6, 7.05},
    };
    for (const Case& c : cases) {
        const std::optional<double> hours = LocalHours(l, c.text, 2008, c.month, c.day);
        ASSERT_TRUE(hours.has_value()) << c.text;
        EXPECT_NEAR(*hours, c.hours, 0.01) << c.text;
    }
    // Moon rows are UT: the new moon of 2008 February 7, 03:45:13 UT.
    bool found = false;
    for (std::size_t i = 0; i < l.times.size(); ++i)
        if (l.texts[i] == "그믐" && std::fabs(l.times[i] - astro::DateToJD(2008, 2, 7, 3, 45, 13)) < 1.0 / 1440)
            found = true;
    EXPECT_TRUE(found);
    for (double t : l.times) {
        EXPECT_GE(t, from);
        EXPECT_LE(t, to);
    }
}

TEST_F(PhenomenaListTest, MercuryStationOf2009) {
    const Listing l = List(astro::DateToJD(2009, 1, 1, 12, 0, 0) - 30, astro::DateToJD(2009, 12, 31, 12, 0, 0) + 30);
    bool found = false;
    for (std::size_t i = 0; i < l.times.size(); ++i)
        if (l.texts[i] == "수성 유" && std::fabs(l.times[i] - 2455192.1068) < 1e-4) found = true;
    EXPECT_TRUE(found);
    const std::optional<double> hours = LocalHours(l, "수성 유", 2009, 12, 26);
    ASSERT_TRUE(hours.has_value());
    EXPECT_NEAR(*hours, 23 + 33 / 60.0 + 44 / 3600.0, 1.0 / 3600);
}

TEST_F(PhenomenaListTest, LongerThanTheOldCapacity) {
    const double from = astro::DateToJD(2010, 1, 1, 0, 0, 0);
    const Listing l = List(from, from + 1.9 * 365.25);
    ASSERT_EQ(l.status, PhenomenaStatus::Listed);
    ExpectAscendingWithoutRepeats(l);
    int quarters = 0;
    for (const std::string& t : l.texts) quarters += t == "그믐" || t == "상현" || t == "보름" || t == "하현";
    EXPECT_NEAR(quarters, 1.9 * 365.25 / (29.5306 / 4), 2);
}

TEST_F(PhenomenaListTest, TooLongAPeriodIsRefused) {
    const double from = astro::DateToJD(2000, 1, 1, 0, 0, 0);
    Listing l;
    l.times = {1, 2};
    l.texts = {"a", "b"};
    l.status = ListPlanetPhenomena(from, from + 51 * 365.25, kZone, WithoutMoon(), l.times, l.texts);
    EXPECT_EQ(l.status, PhenomenaStatus::Refused);
    EXPECT_TRUE(l.times.empty());
    EXPECT_TRUE(l.texts.empty());
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, "선택한 기간이 너무 깁니다. 50년 미만으로 줄여주세요.");
    EXPECT_EQ(env.messages.shown[0].title, "오류");
    EXPECT_EQ(env.messages.shown[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(env.messages.shown[0].buttons, platform::MsgButtons::Ok);

    const Listing accepted = List(from, from + 51 * 365.25 - 1, WithoutMoon());
    EXPECT_EQ(accepted.status, PhenomenaStatus::Listed);
    EXPECT_GT(accepted.times.size(), 1000u);
    EXPECT_EQ(env.messages.shown.size(), 1u);
}

TEST_F(PhenomenaListTest, EmptyAndBackwardPeriods) {
    const Listing none = List(2451545.0, 2451545.01, WithoutMoon());
    EXPECT_EQ(none.status, PhenomenaStatus::Listed);
    EXPECT_EQ(none.times, std::vector<double>{0.0});
    EXPECT_EQ(none.texts, std::vector<std::string>{""});

    std::vector<double> times{5};
    std::vector<std::string> texts{"kept"};
    EXPECT_EQ(ListPlanetPhenomena(2451545.0, 2451545.0, kZone, WithoutMoon(), times, texts),
              PhenomenaStatus::Unchanged);
    EXPECT_EQ(ListPlanetPhenomena(2451546.0, 2451545.0, kZone, WithoutMoon(), times, texts),
              PhenomenaStatus::Unchanged);
    EXPECT_EQ(times, std::vector<double>{5});
    EXPECT_EQ(texts, std::vector<std::string>{"kept"});
}

TEST_F(PhenomenaListTest, QuarterFoundAcrossTheRoundingIsOneRow) {
    // A full moon that comes out a hair either side of a rounding step
    // depending on the guess: 2451550.00004999 or 2451550.00005001 local.
    CalendarServices s = WithoutMoon();
    s.LunarPhaseTime = [](double guess, double target, double) -> std::optional<double> {
        if (target != 180.0) return std::nullopt;
        return 2451550.0 + (static_cast<long long>(std::floor(guess)) % 2 == 0 ? 0.00004999 : 0.00005001);
    };
    const Listing l = List(2451549.0, 2451551.0, s);
    int full = 0;
    for (const std::string& t : l.texts) full += t == "보름";
    EXPECT_EQ(full, 1);
}

}  // namespace
}  // namespace almanac
