#pragma once
// The calendar program's time base: civil dates and Julian days, its short
// date and time texts, and Universal Time to dynamical time through its own
// Delta T. Dates are Julian before 1582 October 5, Gregorian after;
// astronomical years (0 is 1 BC). Julian days here are local civil time
// unless the name says jd_ut.
#include <string>

namespace calendar {

struct CalendarSettings;

// Julian day of a civil date and time; any numbers are taken as they are
// (day 32 is a day of the next month). 2000-01-01 12:00 gives 2451545.0.
double JulianDay(double year, double month, double day, double hour = 0, double minute = 0,
                 double second = 0);
// Date and time of a Julian day, every part truncated (no rounding: a hair
// before midnight stays 23:59:59 of the same day). Meeus ch. 7.
void JDToCalendar(double jd, double& year, double& month, double& day, double& hour, double& minute,
                  double& second);
// The year JDToCalendar gives.
double YearOfJD(double jd);
// True when jd's date is year-month-day and its time to the minute (30 s
// and more raise the minute, without carrying) is hour:minute.
bool SameMinute(double jd, double year, double month, double day, double hour, double minute,
                double second);
// "(09시)": the hour rounded by the minutes, halves to even (09:30 stays 09).
std::string HourText(double jd);
// "09:05": hour and minute, the minute rounded by the seconds; 24:00 can arise.
std::string TimeText(double jd);
// " 2024년 3월 15일"; years up to 0 as "기원전 " and |year| + 1.
std::string FormatDateKorean(double jd);

// Where Delta T comes from: the computed expressions, or the user's fixed
// value (settings DT and dTValue).
struct DeltaTRule {
    bool fixed = false;
    double fixed_s = 0;
};
DeltaTRule DeltaTRuleOf(const CalendarSettings& settings);

// Delta T (TT - UT) in seconds for a Julian day of UT: the expressions of
// Espenak and Meeus (Five Millennium Canon) on the decimal year
// Y + (M + D/30 - 0.5)/12, each range from its lower bound, plus the lunar
// term -0.000012932 (y - 1955)^2; the fixed value alone when chosen.
double DeltaTSeconds(double jd_ut, const DeltaTRule& rule = {});
// Julian ephemeris day (TT) of a Julian day of UT.
double CalcJDE(double jd_ut, const DeltaTRule& rule = {});

}  // namespace calendar
