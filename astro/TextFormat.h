#pragma once
// Text forms of angles, times and dates for the status bar, chart labels,
// information windows and printed charts; splitters and parsers of angle,
// date and time texts; the default chart-file name. Angles are in degrees,
// hours are degrees / 15. Numbers without a format are written in their
// shortest form without a leading blank. Exactly 375 (kNoValue) means "no
// value" where a formatter says so.
#include <string>
#include <string_view>
#include <vector>

namespace astro {

// The numeric value at the start of a text: leading blanks skipped, an
// optional sign, digits with one decimal point and an optional exponent;
// reading stops at the first character that cannot continue the number.
// A text without a number gives 0.
double ParseLeadingNumber(std::string_view text);

// The text without its leading blanks (spaces), and without its leading and
// trailing ones.
std::string_view TrimLeadingBlanks(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

// A number written by a digit pattern: "0" a digit always, "#" a digit only
// where significant, the first "." the decimal point, every other character
// printed as it stands. The value is rounded to the pattern's decimals,
// halves away from zero (of its 15-digit decimal form, so 1.005 "0.00" gives
// "1.01"); integer digits beyond the pattern's places are all written; "-"
// leads a negative value unless it rounds to 0. A non-finite value gives "".
// 1 "0.0#" -> "1.0", 1.257 "0.0#" -> "1.26", 7 "0000" -> "0007",
// 5 "00 " -> "05 ", 0.5 "#0.00" -> "0.50", 0.5 "#.00" -> ".50".
std::string FormatDigitPattern(double value, std::string_view pattern);

// "5시 34분 31초" for 83.63 (mode 2: "5시 34분 31.2초"); 375 gives "--".
std::string FormatHmsKorean(double angle_deg, int mode);
// "06시 30분" for 97.5, minutes rounded (mode 1: down to a multiple of 5);
// 375 or any negative value gives "--".
std::string FormatClockKorean(double angle_deg, int mode);
// "5h34m 31.2s" for 83.63, "6h" for 90.
std::string FormatHmsLatin(double angle_deg);
// "-5도 30분 0초" for -5.5 (mode 2: seconds with one decimal).
std::string FormatDmsKorean(double angle_deg, int mode);
// "23°26′21.4″" for 23.4392911, "10°" for 10.
std::string FormatDmsSymbol(double angle_deg);
// "zu20160227..." style file name without extension: year "년" month "월"
// day "일" hour "시" minute "분" "_" site; no blanks and no path separators.
std::string MakeChartFileName(double jd_local, const std::string& site_name);

// "2016년 2월 27일"; a year up to 0 is written "기원전 " and |Y| + 1.
std::string FormatDateKorean(double jd_local);

// For every entry whose HR equals hr: Name "(" Name2 ")"; the last match wins;
// "" when none. Entry is any record with fields HR, Name and Name2.
template <class Entry>
std::string LookupNameTable(const std::vector<Entry>& list, int hr) {
    std::string result;
    for (const Entry& entry : list)
        if (entry.HR == hr) result = entry.Name + "(" + entry.Name2 + ")";
    return result;
}
// Eastern name ", " western name of one bright star.
template <class Entry>
std::string FormatStarNames(const std::vector<Entry>& eastern, const std::vector<Entry>& western, int hr) {
    return LookupNameTable(eastern, hr) + ", " + LookupNameTable(western, hr);
}

// Degrees from sign, degree, minute and second texts (leading-number rule);
// the sign text "-" makes the whole value negative.
double DmsTextToDegrees(std::string_view sign, std::string_view degrees, std::string_view minutes,
                        std::string_view seconds);
// |angle| split into whole degrees, whole minutes and seconds, with carries;
// degrees of 360 or more are reduced by 360. An angle that is not a number or
// beyond 1e9 degrees gives zeros.
void SplitDegreesDms(double angle_deg, int& degrees, int& minutes, float& seconds);
// Norm360(angle) / 15 split into hours, minutes and seconds, with carries;
// hours of 24 or more are reduced by 24.
void SplitDegreesHms(double angle_deg, int& hours, int& minutes, float& seconds);
// "20150130.4312" (year of any length and sign, two-digit month and day, day
// fraction) -> local Julian day of that instant.
double ParseCometDate(std::string_view text);
// "2015 1 30" -> Julian day of that date at 0 h.
double ParseEpochDate(std::string_view text);

}  // namespace astro
