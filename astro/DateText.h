#pragma once
// Korean date and time texts of the window caption, the chart information
// window and the almanac windows. Whole numbers in these texts carry one
// leading blank when not negative (2024 is written " 2024"); a year of 0 or
// less is written "기원전 " and |year| + 1.
#include <string>

namespace astro {

// " 2024" for 2024, "-3" for -3: the whole number with its leading blank.
std::string NumberText(double value);
// Shortest decimal form (up to 15 significant digits), no leading blank.
std::string PlainNumberText(double value);
// The same for a Single (float), up to 7 significant digits: 8.1f -> "8.1".
std::string PlainNumberTextSingle(float value);
// " 2024" for a year above 0, "기원전 1" for year 0, "기원전 100" for -99.
std::string YearText(double year);

// Caption text: " - " year "년" month "월" day "일 " hour "시" minute "분"
// [second "초"] " JD: " current_jd (6 decimals) "  " site_name.
std::string DateTimeJDText(double jd_local, bool with_seconds, double current_jd,
                           const std::string& site_name);
// year "년" month "월" day "일(JD: " current_jd (2 decimals) ")에 " site_name "에서".
std::string DateJDText(double jd_local, double current_jd, const std::string& site_name);
// year "년" month "월" day "일 " hour "시" minute "분" [second "초"], untrimmed.
std::string DateTimeText(double jd_local, bool with_seconds);
// Short trimmed texts, the minute rounded with the seconds first:
// mode 0 "3월 5일", 1 "10시 20분", 2 "10시" (the hour rounded), 3 "2024년 3월 5일";
// any other mode gives "".
std::string ShortDateText(double jd_local, int mode);

}  // namespace astro
