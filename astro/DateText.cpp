#include "astro/DateText.h"

#include <cmath>
#include <cstdio>

#include "astro/JulianDay.h"
#include "astro/TextFormat.h"

namespace astro {

std::string PlainNumberText(double value) {
    if (std::isnan(value)) return "NaN";
    if (value == 0.0) return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string PlainNumberTextSingle(float value) {
    if (std::isnan(value)) return "NaN";
    if (value == 0.0f) return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
    return buffer;
}

std::string NumberText(double value) {
    const std::string text = PlainNumberText(value);
    return value < 0.0 ? text : " " + text;
}

std::string YearText(double year) {
    if (year > 0.0) return NumberText(year);
    return "기원전 " + PlainNumberText(std::fabs(year) + 1.0);
}

namespace {

std::string DateTimeBody(const CalendarDate& d, bool with_seconds) {
    std::string text = YearText(d.year) + "년" + NumberText(d.month) + "월" + NumberText(d.day) + "일 " +
                       NumberText(d.hour) + "시" + NumberText(d.minute) + "분";
    if (with_seconds) text += NumberText(d.second) + "초";
    return text;
}

}  // namespace

std::string DateTimeJDText(double jd_local, bool with_seconds, double current_jd,
                           const std::string& site_name) {
    char jd_text[64];
    std::snprintf(jd_text, sizeof jd_text, "%.6f", current_jd);
    const std::string body = DateTimeBody(JDToDate(jd_local), with_seconds);
    return " - " + body + " JD: " + jd_text + "  " + site_name;
}

std::string DateJDText(double jd_local, double current_jd, const std::string& site_name) {
    const CalendarDate d = JDToDate(jd_local);
    const double rounded = std::nearbyint(current_jd * 100.0) / 100.0;
    return YearText(d.year) + "년" + NumberText(d.month) + "월" + NumberText(d.day) + "일(" + "JD: " +
           PlainNumberText(rounded) + ")에 " + site_name + "에서";
}

std::string DateTimeText(double jd_local, bool with_seconds) {
    return DateTimeBody(JDToDate(jd_local), with_seconds);
}

std::string ShortDateText(double jd_local, int mode) {
    CalendarDate d = JDToDate(jd_local);
    d.minute += std::nearbyint(d.second / 60.0);
    if (d.minute == 60.0) {
        d.minute = 0.0;
        d.hour += 1.0;
    }
    std::string text;
    switch (mode) {
        case 0: text = NumberText(d.month) + "월" + NumberText(d.day) + "일 "; break;
        case 1: text = NumberText(d.hour) + "시" + NumberText(d.minute) + "분"; break;
        case 2: text = NumberText(std::nearbyint(d.hour + d.minute / 60.0)) + "시"; break;
        case 3: text = YearText(d.year) + "년" + NumberText(d.month) + "월" + NumberText(d.day) + "일"; break;
        default: return "";
    }
    return std::string(TrimBlanks(text));
}

}  // namespace astro
