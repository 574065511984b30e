#include "astro/JulianDay.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/DateText.h"

namespace astro {
namespace {

// Meeus, Astronomical Algorithms (2nd ed.), chapter 7 examples and table.
TEST(JulianDay, DateToJDReferenceTable) {
    struct Case {
        const char* name;
        double y, m, d, h, jd;
    };
    const Case cases[] = {
        {"J2000", 2000, 1, 1, 12, 2451545.0},
        {"epoch of JD", -4712, 1, 1, 12, 0.0},
        {"Sputnik 1957 Oct 4.81", 1957, 10, 4, 0.81 * 24, 2436116.31},
        {"333 Jan 27 noon", 333, 1, 27, 12, 1842713.0},
        {"1987 Jun 19 noon", 1987, 6, 19, 12, 2446966.0},
        {"1600 Dec 31", 1600, 12, 31, 0, 2305812.5},
        {"-1000 Jul 12 noon", -1000, 7, 12, 12, 1356001.0},
        {"-1001 Aug 17.9", -1001, 8, 17, 0.9 * 24, 1355671.4},
    };
    for (const Case& c : cases) EXPECT_NEAR(DateToJD(c.y, c.m, c.d, c.h, 0, 0), c.jd, 1e-6) << c.name;
}

TEST(JulianDay, GregorianReform) {
    EXPECT_EQ(DateToJD(1582, 10, 15, 0, 0, 0) - DateToJD(1582, 10, 4, 0, 0, 0), 1.0);
    EXPECT_EQ(DateToJD(1582, 10, 15, 0, 0, 0) - DateToJD(1582, 10, 5, 0, 0, 0), 10.0);
    const CalendarDate gap = JDToDate(DateToJD(1582, 10, 5, 0, 0, 0));
    EXPECT_EQ(gap.year, 1582);
    EXPECT_EQ(gap.month, 9);
    EXPECT_EQ(gap.day, 25);
    EXPECT_FALSE(IsSameDate(DateToJD(1582, 10, 5, 0, 0, 0), 1582, 10, 5));
    EXPECT_FALSE(IsSameDate(DateToJD(2023, 2, 29, 0, 0, 0), 2023, 2, 29));
    EXPECT_TRUE(IsSameDate(DateToJD(2024, 2, 29, 0, 0, 0), 2024, 2, 29));

    const CalendarDate first = JDToDate(2299160.5);
    EXPECT_EQ(first.year, 1582);
    EXPECT_EQ(first.month, 10);
    EXPECT_EQ(first.day, 15);
    EXPECT_EQ(first.hour, 0);
    const CalendarDate last = JDToDate(2299160.4);
    EXPECT_EQ(last.day, 4);
    EXPECT_EQ(last.hour, 21);
    EXPECT_EQ(last.minute, 36);
    EXPECT_EQ(last.second, 0);
}

TEST(JulianDay, YearZeroIsOneBC) {
    EXPECT_EQ(DateToJD(1, 1, 1, 0, 0, 0) - DateToJD(0, 1, 1, 0, 0, 0), 366.0);
    EXPECT_EQ(YearText(JDToYear(DateToJD(0, 1, 1, 0, 0, 0))), "기원전 1");
    EXPECT_EQ(YearText(-99), "기원전 100");
    EXPECT_EQ(YearText(2024), " 2024");
}

TEST(JulianDay, RoundTripOverTheWholeRange) {
    for (double y = -4712; y <= 9999; y += 7) {
        for (double m = 1; m <= 12; m += 5) {
            const double d = 1 + std::fmod(std::fabs(y), 28.0);
            const double h = std::fmod(std::fabs(y) * 7, 24.0), mi = std::fmod(std::fabs(y) * 13, 60.0);
            const double s = std::fmod(std::fabs(y) * 17, 60.0);
            if (y == 1582 && m == 10) continue;
            const CalendarDate c = JDToDate(DateToJD(y, m, d, h, mi, s));
            ASSERT_EQ(c.year, y);
            ASSERT_EQ(c.month, m);
            ASSERT_EQ(c.day, d);
            ASSERT_EQ(c.hour, h) << y;
            ASSERT_EQ(c.minute, mi) << y;
            ASSERT_EQ(c.second, s) << y;
        }
    }
}

TEST(JulianDay, EveryWholeMinuteOfADayComesBackExactly) {
    for (int minute = 0; minute < 1440; ++minute) {
        const CalendarDate c = JDToDate(DateToJD(2024, 3, 5, minute / 60, minute % 60, 0));
        ASSERT_EQ(c.day, 5);
        ASSERT_EQ(c.hour * 60 + c.minute, minute);
        ASSERT_EQ(c.second, 0);
    }
    EXPECT_EQ(DateTimeText(DateToJD(2024, 3, 5, 10, 20, 0), true), " 2024년 3월 5일  10시 20분 0초");
    // Just before midnight carries into the next date, never to 24 h.
    const CalendarDate c = JDToDate(DateToJD(2024, 3, 5, 23, 59, 59.9999));
    EXPECT_EQ(c.day, 6);
    EXPECT_EQ(c.hour, 0);
}

// Steps of an hour, a minute or five minutes, forward and back, from 0 h of
// 2000 January 1: after every step the clock reads the exact multiple.
TEST(JulianDay, StepsKeepTheChartTimeExact) {
    struct Case {
        const char* name;
        double step_days;
        long step_s;
    };
    const Case cases[] = {{"hour forward", 1.0 / 24, 3600},
                          {"hour back", -1.0 / 24, -3600},
                          {"minute forward", 1.0 / 1440, 60},
                          {"five minutes", 5.0 / 1440, 300},
                          {"day and a tenth", 1.1, 95040}};
    for (const Case& c : cases) {
        double jd = 2451544.5;
        for (long n = 1; n <= 10000; ++n) {
            jd = StepJD(jd, c.step_days);
            const long expected = ((n * c.step_s) % 86400 + 86400) % 86400;
            const CalendarDate d = JDToDate(jd);
            const long shown = static_cast<long>(d.hour * 3600 + d.minute * 60 + d.second);
            ASSERT_EQ(shown, expected) << c.name << " step " << n;
        }
    }
}

TEST(JulianDay, RoundToHalf) {
    EXPECT_EQ(RoundToHalf(2460374.5), 2460374.5);
    EXPECT_EQ(RoundToHalf(2460374.49), 2460373.5);
    EXPECT_EQ(RoundToHalf(2460374.99), 2460374.5);
    EXPECT_EQ(RoundToHalf(-0.2), -0.5);
}

// Meeus examples 12.a and 12.b.
TEST(JulianDay, SiderealTime) {
    EXPECT_NEAR(GMST0(2446895.5), 197.693195, 1e-5);
    EXPECT_NEAR(CalcLST(2446896.30625, 0, 0) * 15.0, 128.7378734, 1e-5);
    // Local time 1987-04-11 04:21 in zone 9 at 135 E is 19:21 UT at 135 E.
    EXPECT_NEAR(CalcLST(2446896.30625 + 9.0 / 24.0, 135, 9) * 15.0, 128.7378734 + 135, 1e-5);
}

TEST(DateText, Texts) {
    const double jd = DateToJD(2024, 3, 5, 12, 0, 0);
    EXPECT_EQ(DateTimeJDText(jd, true, jd, "고령"),
              " -  2024년 3월 5일  12시 0분 0초 JD: 2460375.000000  고령");
    EXPECT_EQ(DateTimeJDText(jd, false, jd, "고령"), " -  2024년 3월 5일  12시 0분 JD: 2460375.000000  고령");
    EXPECT_EQ(DateJDText(jd, 2460374.567, "고령"), " 2024년 3월 5일(JD: 2460374.57)에 고령에서");
    EXPECT_EQ(DateTimeText(DateToJD(-99, 1, 2, 3, 4, 5), false), "기원전 100년 1월 2일  3시 4분");

    const double late = DateToJD(2024, 3, 5, 23, 59, 45);
    EXPECT_EQ(ShortDateText(late, 1), "24시 0분");
    EXPECT_EQ(ShortDateText(late, 0), "3월 5일");
    EXPECT_EQ(ShortDateText(DateToJD(2024, 3, 5, 10, 20, 30), 1), "10시 20분");  // 30 s rounds to even
    EXPECT_EQ(ShortDateText(DateToJD(2024, 3, 5, 10, 20, 31), 1), "10시 21분");
    EXPECT_EQ(ShortDateText(DateToJD(2024, 3, 5, 10, 20, 0), 2), "10시");
    EXPECT_EQ(ShortDateText(DateToJD(2024, 3, 5, 10, 40, 0), 2), "11시");
    EXPECT_EQ(ShortDateText(jd, 3), "2024년 3월 5일");
    EXPECT_EQ(ShortDateText(jd, 7), "");
}

}  // namespace
}  // namespace astro
