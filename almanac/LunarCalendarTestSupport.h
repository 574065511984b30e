#pragma once
// The Korean lunar months of KASI (testdata/korean_lunar_months.csv, months
// starting 1899-12..2050-12) and a lookup of a day in them.
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "almanac/LunarCalendar.h"
#include "astro/JulianDay.h"

namespace almanac::test {

inline double Day(int y, int m, int d) { return astro::DateToJD(y, m, d, 12, 0, 0); }

inline const std::vector<LunarMonth>& KasiMonths() {
    static const std::vector<LunarMonth> months = [] {
        std::vector<LunarMonth> rows;
        std::ifstream in(std::string(ZU_SOURCE_DIR) + "/almanac/testdata/korean_lunar_months.csv");
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            int y = 0, m = 0, d = 0, ly = 0, lm = 0, leap = 0;
            char c;
            std::istringstream row(line);
            row >> y >> c >> m >> c >> d >> c >> ly >> c >> lm >> c >> leap;
            rows.push_back({Day(y, m, d), ly, lm, leap != 0});
        }
        return rows;
    }();
    return months;
}

// The KASI lunar date of a day number inside the table's span.
inline std::optional<LunarDate> KasiLunarDate(double day) {
    const std::vector<LunarMonth>& months = KasiMonths();
    // The last month's end is not in the table: every lunar month has 29 days at least.
    for (std::size_t i = 0; i < months.size(); ++i)
        if (months[i].first_day <= day &&
            day < (i + 1 < months.size() ? months[i + 1].first_day : months[i].first_day + 29))
            return LunarDate{months[i].year, months[i].month, static_cast<int>(day - months[i].first_day + 1),
                             months[i].leap};
    return std::nullopt;
}

}  // namespace almanac::test
