#include "almanac/PhenomenaList.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include "almanac/PhenomenaSeries.h"
#include "platform/Services.h"

namespace almanac {

namespace {

constexpr std::array<const char*, 7> kPlanetNames = {"수성", "금성", "화성", "목성", "토성", "천왕성", "해왕성"};
constexpr std::array<const char*, 4> kQuarterNames = {"그믐", "상현", "보름", "하현"};

// The list refuses periods whose working capacity of 600 rows per whole year
// of 365.25 days would pass 30000 rows: 51 years and more.
constexpr double kDaysPerYear = 365.25;
constexpr double kRowsPerYear = 600.0;
constexpr double kMaxRows = 30000.0;

// Every scan step asks again for the event of the current cycle, so steps
// overlap the period by the margins below.
constexpr double kPlanetScanMargin = 90.0;
constexpr double kPlanetScanStep = 30.0;
constexpr double kMoonScanBefore = 20.0;
constexpr double kMoonScanAfter = 50.0;
constexpr double kMoonScanStep = 27.0;
// Moon rows are rounded to 4 decimals of a day so that a quarter found from
// two steps compares equal; rows of one text closer than this are one event.
constexpr double kMoonRounding = 1e4;
constexpr double kSameEventDays = 0.001;

struct Row {
    double time;
    std::string text;
};

}  // namespace

PhenomenaStatus ListPlanetPhenomena(double from_jd, double to_jd, double zone_h, const CalendarServices& services,
                                    std::vector<double>& times, std::vector<std::string>& texts) {
    if (!(to_jd > from_jd)) return PhenomenaStatus::Unchanged;
    const double capacity = std::max(kRowsPerYear, kRowsPerYear * std::floor((to_jd - from_jd) / kDaysPerYear));
    if (capacity > kMaxRows) {
        platform::MsgBox("선택한 기간이 너무 깁니다. 50년 미만으로 줄여주세요.", platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation, "오류");
        times.clear();
        texts.clear();
        return PhenomenaStatus::Refused;
    }

    std::vector<Row> rows;
    const auto keep = [&](double time, std::string text) {
        if (from_jd <= time && time <= to_jd) rows.push_back({time, std::move(text)});
    };
    for (double t = from_jd - kPlanetScanMargin; t <= to_jd + kPlanetScanMargin; t += kPlanetScanStep) {
        for (int planet = 1; planet <= 7; ++planet) {
            const std::string name = kPlanetNames[static_cast<std::size_t>(planet - 1)];
            for (int kind = 0; kind <= 1; ++kind) {
                const char* conjunction = planet <= 2 ? (kind == 0 ? " 내합" : " 외합") : (kind == 0 ? " 충" : " 합");
                keep(ConjunctionTime(t, planet, kind, services.JDToDate), name + conjunction);
                if (planet < 6) keep(StationTime(t, planet, kind, services.JDToDate), name + " 유");
                if (planet <= 2)
                    keep(GreatestElongationTime(t, planet, kind, services.JDToDate),
                         name + (kind == 0 ? " 동방최대이각" : " 서방최대이각"));
            }
        }
    }
    for (double t = from_jd - kMoonScanBefore; t <= to_jd + kMoonScanAfter; t += kMoonScanStep) {
        for (int i = 0; i < 4; ++i) {
            const std::optional<double> local = services.LunarPhaseTime(t, 90.0 * i, zone_h);
            if (!local || !std::isfinite(*local)) continue;
            keep(std::round(*local * kMoonRounding) / kMoonRounding - zone_h / 24.0,
                 kQuarterNames[static_cast<std::size_t>(i)]);
        }
    }

    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.time < b.time; });
    // Of the rows of one event only the last stays.
    std::vector<bool> dropped(rows.size(), false);
    for (std::size_t j = 0; j < rows.size(); ++j)
        for (std::size_t k = j + 1; k < rows.size() && rows[k].time - rows[j].time < kSameEventDays; ++k)
            if (rows[k].text == rows[j].text) {
                dropped[j] = true;
                break;
            }

    times.clear();
    texts.clear();
    for (std::size_t j = 0; j < rows.size(); ++j) {
        if (dropped[j]) continue;
        times.push_back(rows[j].time);
        texts.push_back(std::move(rows[j].text));
    }
    if (times.empty()) {
        times.push_back(0.0);
        texts.emplace_back();
    }
    return PhenomenaStatus::Listed;
}

}  // namespace almanac
