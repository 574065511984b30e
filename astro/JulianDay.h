#pragma once
// Calendar dates and Julian days, civil midnights and mean sidereal time.
//
// Three Julian days meet here and are kept apart by name: jd_local (local
// civil time, the chart time), jd_ut (Universal Time = jd_local - zone/24)
// and jde / jd_tt (Terrestrial Time, see DeltaT.h). Years are astronomical
// (0 is 1 BC); dates before 1582 October 5 are Julian, later ones Gregorian.
namespace astro {

struct CalendarDate {
    double year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Julian day of a calendar instant (Meeus, Astronomical Algorithms, ch. 7, in
// the form that counts dates of 1582 October 5..14 as Gregorian). Nothing is
// range-checked: day 0, day 32 or month 13 give what the formula gives.
double DateToJD(double year, double month, double day, double hour, double minute, double second);

// Calendar instant of a Julian day (Meeus ch. 7). The time of day is first
// rounded to the nearest millisecond (carrying into the next date at 24 h), so
// an instant entered as 10:20:00 comes back as 10:20:00, then every part is
// truncated to a whole number. Non-finite input gives NaN parts.
void JDToDate(double jd, double& year, double& month, double& day, double& hour, double& minute,
              double& second);
CalendarDate JDToDate(double jd);
// The year of JDToDate.
double JDToYear(double jd);
// True when JDToDate(jd) gives exactly this year, month and day (a typed
// date that does not exist, such as February 30, comes back as another date).
bool IsSameDate(double jd, double year, double month, double day);

// jd moved by `days` and put on the nearest whole millisecond, so that any
// number of steps keeps the chart time exact: 10 000 steps of one hour from
// 0 h land on 0 h again, where adding the days would drift by rounding.
// Days are split off first, so the millisecond count stays exact in a double.
double StepJD(double jd, double days);

// The civil midnight at or before jd: floor(jd) + 0.5 when the fraction is
// 0.5 or more, else floor(jd) - 0.5.
double RoundToHalf(double jd);

// Greenwich mean sidereal angle at 0 h UT (jd_ut0 a Julian day of 0 h UT),
// degrees 0..360 (Meeus 12.3).
double GMST0(double jd_ut0);
// Local mean sidereal time in hours 0..24 for a local civil Julian day, east
// longitude (degrees) and the time zone in force (hours, summer time included).
double CalcLST(double jd_local, double lon_east_deg, double zone_h);

}  // namespace astro
