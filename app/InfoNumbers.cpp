#include "app/InfoNumbers.h"

#include <cmath>
#include <cstdio>

namespace app {

std::string DigitPattern(double value, std::string_view pattern) {
    const auto is_digit_place = [](char c) { return c == '0' || c == '#' || c == '.'; };
    std::size_t begin = 0;
    while (begin < pattern.size() && !is_digit_place(pattern[begin])) ++begin;
    std::size_t end = begin;
    while (end < pattern.size() && is_digit_place(pattern[end])) ++end;
    const std::string_view number = pattern.substr(begin, end - begin);
    const std::size_t dot = number.find('.');
    const std::string_view whole = number.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : number.substr(dot + 1);
    int whole_zeros = 0;
    for (const char c : whole) whole_zeros += c == '0';
    int fraction_zeros = 0;
    for (const char c : fraction) fraction_zeros += c == '0';
    const int decimals = static_cast<int>(fraction.size());

    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::fabs(value) * scale);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", rounded);
    std::string digits = buffer;
    if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string int_part = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    std::string frac_part = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    while (static_cast<int>(frac_part.size()) > fraction_zeros && frac_part.back() == '0') frac_part.pop_back();
    if (int_part == "0") int_part.clear();
    if (static_cast<int>(int_part.size()) < whole_zeros) int_part.insert(0, whole_zeros - int_part.size(), '0');

    std::string out(pattern.substr(0, begin));
    if (value < 0 && rounded != 0) out += '-';
    out += int_part;
    if (dot != std::string_view::npos) out += "." + frac_part;
    out += pattern.substr(end);
    return out;
}

}  // namespace app
