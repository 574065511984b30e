#include "almanac/IslamicCalendar.h"

#include <array>
#include <cmath>

#include "astro/JulianDay.h"

namespace almanac {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "Muharram", "Safar",  "Rabi'al-Awwal", "Rabi'ath-Thani", "Jumada l-Ula", "Jumada t-Tania",
    "Rajab",    "Sha'ban", "Ramadan",      "Shawwal",        "Dhu l-Qa'da",  "Dhu l-Hijja"};

// Average days of the 30-year cycle of 10631 days, and the offset that makes
// the year formula exact for the leap years (14 + 11 y) mod 30 < 11.
constexpr double kCycleDays = 10631.0;
constexpr double kYearOffset = 10646.0;
// Years beyond this have no date (they would not fit the int fields).
constexpr double kMaxYear = 1.0e8;

double Floor(double x) { return std::floor(x); }

}  // namespace

std::string IslamicMonthName(int month) {
    if (month < 1 || month > 12) return "";
    return kMonthNames[static_cast<std::size_t>(month - 1)];
}

double IslamicToJD(int year, int month, int day) {
    if (year < 0 || month < 0 || day < 0) return 0.0;
    // Meeus ch. 9: the Islamic date to day J of year X of the Julian calendar.
    const double N = day + Floor(29.5001 * (month - 1) + 0.99);
    const double Q = Floor(year / 30.0);
    const double R = year - 30.0 * Q;
    const double A = Floor((11.0 * R + 3.0) / 30.0);
    const double W = 404.0 * Q + 354.0 * R + 208.0 + A;
    const double Q1 = Floor(W / 1461.0);
    const double Q2 = W - 1461.0 * Q1;
    const double G = 621.0 + 4.0 * Floor(7.0 * Q + Q1);
    const double K = Floor(Q2 / 365.2422);
    const double E = Floor(365.2422 * K);
    double J = Q2 - E + N - 1.0;
    double X = G + K;
    const auto mod4 = [](double x) { return x - 4.0 * Floor(x / 4.0); };
    if (mod4(X) == 0.0 && J > 366.0) {
        J -= 366.0;
        X += 1.0;
    }
    if (mod4(X) > 0.0 && J > 365.0) {
        J -= 365.0;
        X += 1.0;
    }
    return Floor(365.25 * (X - 1.0)) + 1721423.0 + J;
}

IslamicDate JDToIslamic(double jd) {
    if (!(jd >= kIslamicEpochDay)) return {};
    const double d = astro::RoundToHalf(jd) + 0.5;
    const double year = Floor((30.0 * (d - kIslamicEpochDay) + kYearOffset) / kCycleDays);
    if (!(year <= kMaxYear)) return {};
    const int y = static_cast<int>(year);
    const double month = Floor((11.0 * (d - IslamicToJD(y, 1, 1)) + 330.0) / 325.0);
    const int m = static_cast<int>(month);
    const double day = d - IslamicToJD(y, m, 1) + 1.0;
    return {y, m, static_cast<int>(day)};
}

std::string FormatIslamicDate(double jd, int style) {
    const IslamicDate date = JDToIslamic(astro::RoundToHalf(jd) + 0.5);
    if (date.year == 0) return "";
    const std::string y = std::to_string(date.year);
    const std::string m = std::to_string(date.month);
    const std::string d = std::to_string(date.day);
    switch (style) {
        case 0: return y + "년 " + m + "월 " + d + "일";
        case 1: return y + "년 " + m + "월(" + IslamicMonthName(date.month) + ") " + d + "일";
        case 2: return d + " " + IslamicMonthName(date.month) + " A.H. " + y;
        default: return "";
    }
}

}  // namespace almanac
