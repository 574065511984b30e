#pragma once
// The tabular (arithmetic civil) Islamic calendar: epoch 1 Muharram 1 = day
// number 1948440 (Julian 622-07-16), 30-year cycle with year y leap when
// (14 + 11 y) mod 30 < 11 (Meeus, Astronomical Algorithms, ch. 9).
#include <string>

namespace almanac {

inline constexpr double kIslamicEpochDay = 1948440.0;

// Year from 1, month 1..12, day 1..30; (0, 0, 0) means no Islamic date.
struct IslamicDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const IslamicDate&, const IslamicDate&) = default;
};

// "Muharram" .. "Dhu l-Hijja" for months 1..12; "" otherwise.
std::string IslamicMonthName(int month);
// Day number (noon) of an Islamic date; 0 when a part is negative. Months
// above 12 and days above 30 run on.
double IslamicToJD(int year, int month, int day);
// The Islamic date of the civil day of jd; (0, 0, 0) when jd < 1948440, not
// a number, or past year 10^8.
// The exact inverse of IslamicToJD.
IslamicDate JDToIslamic(double jd);
// Style 0 "1420년 9월 24일", 1 "1420년 9월(Ramadan) 24일",
// 2 "24 Ramadan A.H. 1420"; "" for another style or before the epoch.
std::string FormatIslamicDate(double jd, int style);

}  // namespace almanac
