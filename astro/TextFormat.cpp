#include "astro/TextFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"

namespace astro {

namespace {

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Characters first..last (1-based, inclusive) of a text; empty where out of range.
std::string_view Mid(std::string_view text, long first, long count) {
    if (count <= 0) return {};
    long begin = first - 1;
    long end = begin + count;
    if (begin < 0) begin = 0;
    if (end > static_cast<long>(text.size())) end = static_cast<long>(text.size());
    if (begin >= end) return {};
    return text.substr(static_cast<size_t>(begin), static_cast<size_t>(end - begin));
}

std::string OneDecimal(double value) { return FormatDigitPattern(value, "#0.0"); }

std::string TwoDigits(double value) { return FormatDigitPattern(value, "00"); }

double Fix(double value) { return std::trunc(value); }

// Angles beyond this (or not numbers) split into zeros rather than overflow the whole parts.
constexpr double kSplitLimitDeg = 1e9;

double Round2(double value) { return std::nearbyint(value * 100.0) / 100.0; }

// A non-negative value split into whole units, whole minutes and seconds,
// with the carries of 60 seconds and 60 minutes; whole units reaching `wrap`
// are reduced by it. A value that is not a number or beyond kSplitLimitDeg
// gives zeros.
void SplitSexagesimal(double value, double wrap, int& whole, int& minutes, float& seconds) {
    if (!(value >= 0.0 && value < kSplitLimitDeg)) {
        whole = minutes = 0;
        seconds = 0.0f;
        return;
    }
    double w = std::floor(value);
    double m = std::floor((value - w) * 60.0);
    float s = static_cast<float>(((value - w) * 60.0 - m) * 60.0);
    if (s >= 60.0f) {
        s -= 60.0f;
        m += 1.0;
    }
    if (m >= 60.0) {
        m -= 60.0;
        w += 1.0;
    }
    if (w >= wrap) w -= wrap;
    whole = static_cast<int>(w);
    minutes = static_cast<int>(m);
    seconds = s;
}

// The whole part of a value (hours or degrees) by truncation, and the texts
// of its absolute minutes and seconds (one decimal in mode 2, else whole); a
// remainder of exactly 60.0 seconds carries into the minutes only.
struct KoreanParts {
    double whole;
    std::string minutes, seconds;
};
KoreanParts SplitForKoreanText(double value, int mode) {
    const double whole = Fix(value);
    const double minutes = (value - whole) * 60.0;
    double m = Fix(minutes);
    double s = std::fabs((minutes - m) * 60.0);
    m = std::fabs(m);
    if (s == 60.0) {
        s = 0.0;
        m += 1.0;
    }
    return {whole, PlainNumberText(m), mode == 2 ? OneDecimal(s) : PlainNumberText(std::floor(s))};
}

}  // namespace

std::string_view TrimLeadingBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view TrimBlanks(std::string_view text) {
    text = TrimLeadingBlanks(text);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

double ParseLeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
            i = j;
        }
    }
    const std::string number(text.substr(start, i - start));
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

std::string FormatHmsKorean(double angle_deg, int mode) {
    if (angle_deg == kNoValue) return "--";
    const KoreanParts parts = SplitForKoreanText(angle_deg / 15.0, mode);
    return PlainNumberText(parts.whole) + "시 " + parts.minutes + "분 " + parts.seconds + "초";
}

std::string FormatClockKorean(double angle_deg, int mode) {
    if (angle_deg == kNoValue || angle_deg < 0.0 || !std::isfinite(angle_deg)) return "--";
    const double hours = angle_deg / 15.0;
    double h = std::floor(hours);
    double m = std::nearbyint((hours - h) * 60.0);
    if (m == 60.0) {
        m = 0.0;
        h += 1.0;
    }
    if (mode == 1) m = std::floor(m / 5.0) * 5.0;
    if (h == 24.0) h = 0.0;
    return TwoDigits(h) + "시 " + TwoDigits(m) + "분";
}

std::string FormatHmsLatin(double angle_deg) {
    const double hours = angle_deg / 15.0;
    double h = std::floor(hours);
    const double minutes = (hours - h) * 60.0;
    double m = std::floor(minutes);
    float s = static_cast<float>((minutes - m) * 60.0);
    if (Round2(s) == 60.0) {
        s = 0.0f;
        m += 1.0;
    }
    if (m == 60.0) {
        m = 0.0;
        h += 1.0;
    }
    if (h > 23.0) h = 0.0;
    const std::string seconds = std::fabs(s) <= 0.01f ? "" : OneDecimal(s) + "s";
    const std::string minutes_text = (!seconds.empty() || m != 0.0) ? PlainNumberText(m) + "m " : "";
    return PlainNumberText(h) + "h" + minutes_text + seconds;
}

std::string FormatDmsKorean(double angle_deg, int mode) {
    const std::string sign = angle_deg < 0.0 ? "-" : "";
    const KoreanParts parts = SplitForKoreanText(angle_deg, mode);
    return sign + PlainNumberText(std::fabs(parts.whole)) + "도 " + parts.minutes + "분 " + parts.seconds + "초";
}

std::string FormatDmsSymbol(double angle_deg) {
    const std::string sign = angle_deg < 0.0 ? "-" : "";
    double d = std::fabs(Fix(angle_deg));
    const double minutes = std::fabs(angle_deg - Fix(angle_deg)) * 60.0;
    double m = std::floor(minutes);
    double s = (minutes - m) * 60.0;
    if (Round2(s) == 60.0) {
        s = 0.0;
        m += 1.0;
    }
    if (m == 60.0) {
        m = 0.0;
        d += 1.0;
    }
    if (d >= 360.0) d = 0.0;
    const std::string seconds = s <= 0.01 ? "" : OneDecimal(s) + "″";
    const std::string minutes_text = (!seconds.empty() || m != 0.0) ? PlainNumberText(m) + "′" : "";
    return sign + PlainNumberText(d) + "°" + minutes_text + seconds;
}

std::string MakeChartFileName(double jd_local, const std::string& site_name) {
    const CalendarDate d = JDToDate(jd_local);
    const std::string year = d.year > 0 ? PlainNumberText(d.year) : "기원전" + PlainNumberText(std::fabs(d.year) + 1);
    const std::string text = year + "년" + PlainNumberText(d.month) + "월" + PlainNumberText(d.day) + "일" +
                             PlainNumberText(d.hour) + "시" + PlainNumberText(d.minute) + "분" + "_" + site_name;
    std::string name;
    for (const char c : text) {
        if (c == ' ' || c == '\t') continue;
        const bool unsafe = c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
                            c == '>' || c == '|' || static_cast<unsigned char>(c) < 0x20;
        name += unsafe ? '_' : c;
    }
    return name;
}

std::string FormatDateKorean(double jd_local) {
    const CalendarDate d = JDToDate(jd_local);
    const std::string year =
        d.year > 0 ? PlainNumberText(d.year) : "기원전 " + PlainNumberText(std::fabs(d.year) + 1);
    return year + "년 " + PlainNumberText(d.month) + "월 " + PlainNumberText(d.day) + "일";
}

double DmsTextToDegrees(std::string_view sign, std::string_view degrees, std::string_view minutes,
                        std::string_view seconds) {
    const double d = ParseLeadingNumber(degrees);
    const double m = ParseLeadingNumber(minutes);
    const double s = ParseLeadingNumber(seconds);
    if (TrimView(sign) == "-") return -(std::fabs(d) + m / 60.0 + s / 3600.0);
    return d + m / 60.0 + s / 3600.0;
}

void SplitDegreesDms(double angle_deg, int& degrees, int& minutes, float& seconds) {
    SplitSexagesimal(std::fabs(angle_deg), 360.0, degrees, minutes, seconds);
}

void SplitDegreesHms(double angle_deg, int& hours, int& minutes, float& seconds) {
    SplitSexagesimal(Norm360(angle_deg) / 15.0, 24.0, hours, minutes, seconds);
}

double ParseCometDate(std::string_view text) {
    text = TrimView(text);
    const auto point = text.find('.');
    const long p = point == std::string_view::npos ? static_cast<long>(text.size()) + 1 : static_cast<long>(point) + 1;
    const double year = ParseLeadingNumber(Mid(text, 1, p - 5));
    const double month = ParseLeadingNumber(Mid(text, p - 4, 2));
    const double day = ParseLeadingNumber(Mid(text, p - 2, 2));
    const double fraction = ParseLeadingNumber(Mid(text, p, static_cast<long>(text.size())));
    return DateToJD(year, month, day, fraction * 24.0, 0, 0);
}

double ParseEpochDate(std::string_view text) {
    text = TrimView(text);
    double parts[3] = {0, 0, 0};
    for (int k = 0; k < 3 && !text.empty(); ++k) {
        const auto blank = text.find(' ');
        parts[k] = ParseLeadingNumber(text.substr(0, blank));
        text = blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
    }
    return DateToJD(parts[0], parts[1], parts[2], 0, 0, 0);
}

}  // namespace astro

namespace astro {

std::string FormatDigitPattern(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return "";
    const std::size_t point = pattern.find('.');
    const std::string_view int_part = pattern.substr(0, point);
    const std::string_view dec_part = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    const auto is_place = [](char c) { return c == '0' || c == '#'; };
    int int_places = 0, int_forced = 0, dec_places = 0, dec_forced = 0;
    for (char c : int_part) {
        if (!is_place(c)) continue;
        ++int_places;
        // Every place from the first "0" on prints a digit.
        if (c == '0' || int_forced > 0) ++int_forced;
    }
    for (char c : dec_part) {
        if (!is_place(c)) continue;
        ++dec_places;
        if (c == '0') dec_forced = dec_places;
    }

    // Digits of |value| with 15 significant digits, rounded half away from
    // zero at dec_places decimals, as a whole number of 10^-dec_places.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string mantissa;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') mantissa += *p;
    }
    const int exponent = std::atoi(p + 1);
    // mantissa d0 d1 ... d14 stands for d0.d1... x 10^exponent; the digit
    // of 10^-dec_places is at position exponent + dec_places.
    const long keep = static_cast<long>(exponent) + dec_places + 1;
    std::string digits;
    if (keep <= 0) {
        digits.assign(1, keep == 0 && !mantissa.empty() && mantissa[0] >= '5' ? '1' : '0');
    } else {
        if (static_cast<std::size_t>(keep) <= mantissa.size()) {
            digits = mantissa.substr(0, static_cast<std::size_t>(keep));
            const bool up = static_cast<std::size_t>(keep) < mantissa.size() &&
                            mantissa[static_cast<std::size_t>(keep)] >= '5';
            if (up) {
                int i = static_cast<int>(digits.size()) - 1;
                while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
                if (i < 0) {
                    digits.insert(digits.begin(), '1');
                } else {
                    ++digits[static_cast<std::size_t>(i)];
                }
            }
        } else {
            digits = mantissa + std::string(static_cast<std::size_t>(keep) - mantissa.size(), '0');
        }
    }
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (digits.size() < static_cast<std::size_t>(dec_places) + 1) {
        digits.insert(0, static_cast<std::size_t>(dec_places) + 1 - digits.size(), '0');
    }
    std::string int_digits = digits.substr(0, digits.size() - static_cast<std::size_t>(dec_places));
    std::string dec_digits = digits.substr(digits.size() - static_cast<std::size_t>(dec_places));
    int_digits.erase(0, std::min(int_digits.find_first_not_of('0'), int_digits.size()));
    if (int_digits.size() < static_cast<std::size_t>(int_forced)) {
        int_digits.insert(0, static_cast<std::size_t>(int_forced) - int_digits.size(), '0');
    }
    // Optional decimals: trailing zeros beyond the forced ones are dropped.
    while (dec_digits.size() > static_cast<std::size_t>(dec_forced) && dec_digits.back() == '0') dec_digits.pop_back();

    std::string text = value < 0 && !zero ? "-" : "";
    // Integer digits right-aligned to the places; extra ones at the first.
    const int count = static_cast<int>(int_digits.size());
    int place = 0;
    for (char c : int_part) {
        if (!is_place(c)) {
            text += c;
            continue;
        }
        const int index = count - int_places + place;
        if (place == 0 && index > 0) {
            text += int_digits.substr(0, static_cast<std::size_t>(index) + 1);
        } else if (index >= 0) {
            text += int_digits[static_cast<std::size_t>(index)];
        }
        ++place;
    }
    if (int_places == 0) text += int_digits;
    if (point == std::string_view::npos) return text;
    if (!dec_digits.empty()) text += '.';
    std::size_t d = 0;
    for (char c : dec_part) {
        if (!is_place(c)) {
            text += c;
            continue;
        }
        if (d < dec_digits.size()) text += dec_digits[d];
        ++d;
    }
    return text;
}

}  // namespace astro
