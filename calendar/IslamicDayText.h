#pragma once
// Islamic-calendar texts of a civil day for the calendar program: the full
// date of the day details and the short form with which the month grid marks
// the first and last day of Ramadan. Only the civil day of jd counts.
#include <string>

namespace calendar {

// "1420년 9월(Ramadan) 24일"; "" before the Islamic epoch (JD 1948440).
std::string IslamicDateText(double jd_local);
// "9월 15일", or "라마단 시작" on 1 Ramadan and "라마단 종료" on 30 Ramadan;
// "" before the Islamic epoch.
std::string RamadanDays(double jd_local);

}  // namespace calendar
