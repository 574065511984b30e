#include "calendar/TimeBase.h"

#include <cmath>

#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "calendar/CalendarSettings.h"

namespace calendar {
namespace {

constexpr double kSecondsPerDay = 86400.0;

// Meeus ch. 7 steps 1..6: the date of jd with the day's fraction.
void CalendarDateOf(double jd, double& year, double& month, double& day_with_fraction) {
    const double z = std::floor(jd + 0.5);
    const double f = (jd + 0.5) - z;
    double a = z;
    if (z >= 2299161.0) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1.0 + alpha - std::floor(alpha / 4.0);
    }
    const double b = a + 1524.0;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    day_with_fraction = b - d - std::floor(30.6001 * e) + f;
    month = e < 14.0 ? e - 1.0 : e - 13.0;
    year = month > 2.0 ? c - 4716.0 : c - 4715.0;
}

std::string TwoDigits(double value) {
    const std::string text = astro::PlainNumberText(value);
    return value < 10.0 ? "0" + text : text;
}

// Delta T of the Five Millennium Canon for a decimal year, without the lunar term.
double CanonDeltaT(double y) {
    if (y < -500) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 500) {
        const double u = y / 100;
        return 10583.6 + u * (-1014.41 + u * (33.78311 + u * (-5.952053 + u * (-0.1798452 +
               u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600) {
        const double u = (y - 1000) / 100;
        return 1574.2 + u * (-556.01 + u * (71.23472 + u * (0.319781 + u * (-0.8503463 +
               u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700) {
        const double t = y - 1600;
        return 120 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129;
    }
    if (y < 1800) {
        const double t = y - 1700;
        return 8.83 + 0.1603 * t - 0.0059285 * t * t + 0.00013336 * t * t * t - std::pow(t, 4) / 1174000;
    }
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 + t * (-0.332447 + t * (0.0068612 + t * (0.0041116 + t * (-0.00037436 +
               t * (0.0000121272 + t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * std::pow(t, 3) -
               0.0004473624 * std::pow(t, 4) + std::pow(t, 5) / 233174;
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * std::pow(t, 3) - 0.000197 * std::pow(t, 4);
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.2 + 0.84493 * t - 0.0761 * t * t + 0.0020936 * std::pow(t, 3);
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + std::pow(t, 3) / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - std::pow(t, 3) / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * std::pow(t, 3) +
               0.000651814 * std::pow(t, 4) + 0.00002373599 * std::pow(t, 5);
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    if (y < 2150) return -20 + 32 * u * u - 0.5628 * (2150 - y);
    return -20 + 32 * u * u;
}

}  // namespace

double JulianDay(double year, double month, double day, double hour, double minute, double second) {
    return astro::DateToJD(year, month, day, hour, minute, second);
}

void JDToCalendar(double jd, double& year, double& month, double& day, double& hour, double& minute,
                  double& second) {
    double day_with_fraction;
    CalendarDateOf(jd, year, month, day_with_fraction);
    day = std::floor(day_with_fraction);
    const double h = (day_with_fraction - day) * 24.0;
    hour = std::floor(h);
    minute = std::floor((h - hour) * 60.0);
    second = std::floor(((h - hour) * 60.0 - minute) * 60.0);
}

double YearOfJD(double jd) {
    double year, month, day;
    CalendarDateOf(jd, year, month, day);
    return year;
}

bool SameMinute(double jd, double year, double month, double day, double hour, double minute, double) {
    double y, mo, d, h, mi, s;
    JDToCalendar(jd, y, mo, d, h, mi, s);
    if (s >= 30) mi += 1;
    return y == year && mo == month && d == day && h == hour && mi == minute;
}

std::string HourText(double jd) {
    double y, mo, d, h, mi, s;
    JDToCalendar(jd, y, mo, d, h, mi, s);
    h += std::nearbyint((s / 60.0 + mi) / 60.0);
    return (h < 10 ? "(0" : "(") + astro::PlainNumberText(h) + "시)";
}

std::string TimeText(double jd) {
    double y, mo, d, h, mi, s;
    JDToCalendar(jd, y, mo, d, h, mi, s);
    mi = std::nearbyint(s / 60.0 + mi);
    if (mi == 60) {
        mi = 0;
        h += 1;
    }
    return TwoDigits(h) + ":" + TwoDigits(mi);
}

std::string FormatDateKorean(double jd) {
    double y, mo, d, h, mi, s;
    JDToCalendar(jd, y, mo, d, h, mi, s);
    return astro::YearText(y) + "년" + astro::NumberText(mo) + "월" + astro::NumberText(d) + "일";
}

DeltaTRule DeltaTRuleOf(const CalendarSettings& settings) {
    return {settings.DT, astro::ParseLeadingNumber(settings.dTValue)};
}

double DeltaTSeconds(double jd_ut, const DeltaTRule& rule) {
    if (rule.fixed) return rule.fixed_s;
    double year, month, day, hour, minute, second;
    JDToCalendar(jd_ut, year, month, day, hour, minute, second);
    const double y = year + (month + day / 30.0 - 0.5) / 12.0;
    return CanonDeltaT(y) - 0.000012932 * (y - 1955) * (y - 1955);
}

double CalcJDE(double jd_ut, const DeltaTRule& rule) {
    return jd_ut + DeltaTSeconds(jd_ut, rule) / kSecondsPerDay;
}

}  // namespace calendar
