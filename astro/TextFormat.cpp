#include "astro/TextFormat.h"

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

std::string OneDecimal(double value) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

std::string TwoDigits(double value) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%02.0f", value);
    return buffer;
}

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

namespace zu {
std::string FormatDateKorean(double jd_local) {
    const CalendarDate d = JDToDate(jd_local);
    const std::string year =
        d.year > 0 ? PlainNumberText(d.year) : "기원전 " + PlainNumberText(std::fabs(d.year) + 1);
    return year + "년 " + PlainNumberText(d.month) + "월 " + PlainNumberText(d.day) + "일";
}
}  // namespace zu

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
