#include "astro/JulianDay.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"

namespace astro {

namespace {
constexpr double kGregorianStartZ = 2299161.0;  // JD 2299160.5 = 1582 October 15, 0 h
constexpr double kMsPerDay = 86400000.0;

bool IsGregorianDate(double year, double month, double day) {
    if (year > 1582) return true;
    if (year < 1582) return false;
    if (month > 10) return true;
    return month == 10 && day >= 5;
}
}  // namespace

double DateToJD(double year, double month, double day, double hour, double minute, double second) {
    const double hours = minute / 60.0 + hour + second / 3600.0;
    const double g = IsGregorianDate(year, month, day) ? 1.0 : 0.0;
    const double a = -std::floor(7.0 * (year + std::floor((month + 9.0) / 12.0)) / 4.0);
    const double sigma = month >= 9 ? 1.0 : -1.0;
    const double y1 = std::floor(year + sigma * std::floor(std::fabs(month - 9.0) / 7.0));
    const double c = -std::floor(3.0 * (std::floor(y1 / 100.0) + 1.0) / 4.0);
    return 367.0 * year + a + std::floor(275.0 * month / 9.0) + day + g * c + 1721027.0 + 2.0 * g -
           0.5 + hours / 24.0;
}

void JDToDate(double jd, double& year, double& month, double& day, double& hour, double& minute,
              double& second) {
    if (!std::isfinite(jd)) {
        year = month = day = hour = minute = second = std::nan("");
        return;
    }
    double z = std::floor(jd + 0.5);
    double ms = std::nearbyint((jd + 0.5 - z) * kMsPerDay);
    if (ms >= kMsPerDay) {
        z += 1.0;
        ms -= kMsPerDay;
    }
    double a = z;
    if (z >= kGregorianStartZ) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1.0 + alpha - std::floor(alpha / 4.0);
    }
    const double b = a + 1524.0;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    day = b - d - std::floor(30.6001 * e);
    month = e < 14.0 ? e - 1.0 : e - 13.0;
    year = month > 2.0 ? c - 4716.0 : c - 4715.0;
    hour = std::floor(ms / 3600000.0);
    minute = std::floor((ms - hour * 3600000.0) / 60000.0);
    second = std::floor((ms - hour * 3600000.0 - minute * 60000.0) / 1000.0);
}

double StepJD(double jd, double days) {
    if (!std::isfinite(jd) || !std::isfinite(days)) return jd + days;
    const double whole = std::floor(jd);
    const double whole_days = std::trunc(days);
    const double ms = std::nearbyint((jd - whole) * kMsPerDay + (days - whole_days) * kMsPerDay);
    return whole + whole_days + ms / kMsPerDay;
}

CalendarDate JDToDate(double jd) {
    CalendarDate d;
    JDToDate(jd, d.year, d.month, d.day, d.hour, d.minute, d.second);
    return d;
}

double JDToYear(double jd) { return JDToDate(jd).year; }

bool IsSameDate(double jd, double year, double month, double day) {
    const CalendarDate d = JDToDate(jd);
    return d.year == year && d.month == month && d.day == day;
}

double RoundToHalf(double jd) {
    const double whole = std::floor(jd);
    return jd - whole >= 0.5 ? whole + 0.5 : whole - 0.5;
}

double GMST0(double jd_ut0) {
    const double t = (jd_ut0 - kJ2000) / kDaysPerJulianCentury;
    return Norm360(100.46061837 + 36000.770053608 * t + 0.000387933 * t * t - t * t * t / 38710000.0);
}

double CalcLST(double jd_local, double lon_east_deg, double zone_h) {
    const double u = jd_local - zone_h / 24.0;
    const double j0 = RoundToHalf(u);
    const double theta = (u - j0) * 24.0 * 15.04106864025 + GMST0(j0) + lon_east_deg;
    return Norm360(theta) / 15.0;
}

}  // namespace astro
