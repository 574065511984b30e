// The calendar's solvers against an independent ephemeris (npm
// astronomy-engine, calendar/testdata/sun_moon_events.txt, made by
// tools/datagen/fixture_sun_moon_events.py). Times are compared in TT so the
// two Delta T models stay out of it.
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "calendar/SunMoonSolvers.h"

namespace calendar {
namespace {

struct Limits {
    double term_s;   // solar terms
    double phase_s;  // lunar quarters
};

// The truncated series lose accuracy away from J2000; a millennium back the
// Moon's polynomial arguments of the chapter 47 theory are some five minutes
// of time off the numerical ephemeris.
Limits LimitsFor(double year) {
    if (year >= 1700) return {60, 90};
    if (year >= 1500) return {180, 240};
    return {180, 420};
}

TEST(CalendarSolversReference, SolarTermsAndQuartersOfSampleYears) {
    std::ifstream in(std::string(ZU_SOURCE_DIR) + "/calendar/testdata/sun_moon_events.txt");
    ASSERT_TRUE(in) << "fixture missing";
    std::string line;
    int terms = 0, phases = 0;
    double worst_term = 0, worst_phase = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream row(line);
        std::string kind;
        double year;
        row >> kind >> year;
        if (kind == "term") {
            int k;
            double target, jd_tt;
            row >> k >> target >> jd_tt;
            const double ut = SolarLongitudeTime(year, target, 15 * k + 5, 0);
            const double diff = (CalcJDE(ut) - jd_tt) * 86400;
            worst_term = std::max(worst_term, std::fabs(diff));
            EXPECT_NEAR(diff, 0, LimitsFor(year).term_s) << line;
            ++terms;
        } else if (kind == "phase") {
            double target, jd_tt;
            row >> target >> jd_tt;
            // A new moon is found at or before the start, the others by the signed way.
            const double start = target == 0 ? jd_tt + 1 : jd_tt - 0.5;
            const double ut = LunarPhaseTime(start, target, 0);
            const double diff = (CalcJDE(ut) - jd_tt) * 86400;
            worst_phase = std::max(worst_phase, std::fabs(diff));
            EXPECT_NEAR(diff, 0, LimitsFor(year).phase_s) << line;
            ++phases;
        }
    }
    EXPECT_EQ(terms, 9 * 24);
    EXPECT_GT(phases, 9 * 48);
    RecordProperty("worst_term_s", std::to_string(worst_term));
    RecordProperty("worst_phase_s", std::to_string(worst_phase));
}

}  // namespace
}  // namespace calendar
