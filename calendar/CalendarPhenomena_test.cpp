// The calendar's phenomena list against the independent table of
// almanac/testdata/planet_phenomena_1990_2030.csv (npm astronomy-engine, made
// by tools/datagen/gen_almanac_fixtures.py), and its period rules.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "calendar/CalendarPhenomena.h"
#include "calendar/CalendarState.h"
#include "calendar/SpecialDays.h"
#include "platform/Fakes.h"

namespace calendar {
namespace {

constexpr double kKST = 9;
const char* const kPlanets[] = {"", "수성", "금성", "화성", "목성", "토성", "천왕성", "해왕성"};

double Local(int y, int m, int d, int h, int min) { return JulianDay(y, m, d, h, min, 0); }

struct List {
    std::vector<double> jd;
    std::vector<std::string> name;
};

List Listed(double from, double to) {
    List list;
    EXPECT_EQ(ListPlanetPhenomena(from, to, kKST, {}, list.jd, list.name), PhenomenaListStatus::Listed);
    return list;
}

// The listed time of the named event nearest kst (KST Julian day), or NaN.
double Nearest(const List& list, const std::string& name, double kst) {
    double best = std::nan("");
    for (std::size_t i = 0; i < list.jd.size(); ++i)
        if (list.name[i] == name && !(std::fabs(list.jd[i] + kKST / 24 - kst) >= std::fabs(best - kst)))
            best = list.jd[i] + kKST / 24;
    return best;
}

void ExpectWellFormed(const List& list) {
    ASSERT_EQ(list.jd.size(), list.name.size());
    for (std::size_t i = 0; i < list.jd.size(); ++i) {
        EXPECT_NE(list.name[i], "x");
        EXPECT_NE(list.jd[i], 9999999999.0);
        if (i > 0) {
            EXPECT_LT(list.jd[i - 1], list.jd[i]);
        }
    }
}

TEST(CalendarPhenomena, EventsOf2024AgainstTheReference) {
    const List list = Listed(Local(2024, 1, 1, 0, 0), Local(2025, 1, 1, 0, 0));
    ExpectWellFormed(list);
    // The examples: KST = list time + 9 h.
    const struct {
        const char* name;
        double kst;
        double tolerance;
    } examples[] = {{"목성 합", Local(2024, 5, 19, 3, 45), 3.0 / 24},
                    {"토성 충", Local(2024, 9, 8, 13, 35), 3.0 / 24},
                    {"금성 외합", Local(2024, 6, 5, 0, 33), 3.0 / 24},
                    {"수성 동방최대이각", Local(2024, 3, 25, 7, 29), 3.0 / 24},
                    {"수성 유", Local(2024, 4, 2, 7, 14), 1.0},
                    {"그믐", Local(2024, 2, 10, 7, 59), 1.0 / 1440}};
    for (const auto& e : examples) EXPECT_NEAR(Nearest(list, e.name, e.kst), e.kst, e.tolerance) << e.name;

    std::ifstream in(std::string(ZU_SOURCE_DIR) + "/almanac/testdata/planet_phenomena_1990_2030.csv");
    ASSERT_TRUE(in);
    std::string line;
    std::getline(in, line);
    int checked = 0;
    while (std::getline(in, line)) {
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream row(line);
        double jd = 0;
        int planet = 0, kind = 0;
        std::string event;
        row >> jd >> planet >> event >> kind;
        if (jd < Local(2024, 1, 2, 0, 0) || jd > Local(2024, 12, 30, 0, 0)) continue;
        std::string name = kPlanets[planet];
        double tolerance = 3.0 / 24;
        if (event == "conjunction") {
            name += planet <= 2 ? (kind == 0 ? " 내합" : " 외합") : (kind == 0 ? " 충" : " 합");
        } else if (event == "elongation") {
            name += kind == 0 ? " 동방최대이각" : " 서방최대이각";
            tolerance = 0.5;
        } else {
            name += " 유";
            tolerance = 1.0;
        }
        EXPECT_NEAR(Nearest(list, name, jd + kKST / 24), jd + kKST / 24, tolerance) << name << " " << jd;
        ++checked;
    }
    EXPECT_GT(checked, 25);
}

TEST(CalendarPhenomena, NewMoonNamedOnItsDay) {
    ResetCalendarState();
    ASSERT_EQ(ListPlanetPhenomena(Local(2024, 1, 1, 0, 0), Local(2024, 3, 1, 0, 0)), PhenomenaListStatus::Listed);
    EXPECT_EQ(AppendEventNames("", JulianDay(2024, 2, 10, 12, 0, 0), kKST), "그믐(08시)");
}

TEST(CalendarPhenomena, PeriodEnds) {
    const List year = Listed(Local(2024, 1, 1, 0, 0), Local(2025, 1, 1, 0, 0));
    const double t = year.jd[year.jd.size() / 2];
    // An event exactly at either end is listed.
    const List at_from = Listed(t, t + 0.5);
    EXPECT_EQ(at_from.jd.front(), t);
    const List at_to = Listed(t - 0.5, t);
    EXPECT_EQ(at_to.jd.back(), t);
    // Nothing in the period: one row (0, "").
    const List none = Listed(t + 1e-6, t + 2e-6);
    EXPECT_EQ(none.jd, std::vector<double>{0.0});
    EXPECT_EQ(none.name, std::vector<std::string>{""});
    // to <= from changes nothing.
    List kept = year;
    EXPECT_EQ(ListPlanetPhenomena(t, t, kKST, {}, kept.jd, kept.name), PhenomenaListStatus::Unchanged);
    EXPECT_EQ(kept.jd, year.jd);
}

TEST(CalendarPhenomena, LongPeriodsGrowTheListOrAreRefused) {
    // 1.9 years: every event of the two halves; the finds before duplicates
    // are dropped pass 650 rows, so a fixed capacity would lose the last ones.
    const double from = Local(2024, 1, 1, 0, 0), mid = from + 347, to = from + 1.9 * 365.25;
    const List whole = Listed(from, to);
    ExpectWellFormed(whole);
    const List first = Listed(from, mid), second = Listed(std::nextafter(mid, to), to);
    std::vector<double> joined = first.jd;
    joined.insert(joined.end(), second.jd.begin(), second.jd.end());
    EXPECT_EQ(whole.jd, joined);

    platform::FakeEnv env("vu");
    List kept = first;
    EXPECT_EQ(ListPlanetPhenomena(from, from + 51 * 365.25, kKST, {}, kept.jd, kept.name),
              PhenomenaListStatus::Refused);
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, "선택한 기간이 너무 깁니다. 50년 미만으로 줄여주세요.");
    EXPECT_EQ(env.messages.shown[0].title, "오류");
    EXPECT_EQ(env.messages.shown[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(kept.jd, first.jd);
    EXPECT_EQ(kept.name, first.name);

    const List long_one = Listed(from, from + 50.9 * 365.25);
    ExpectWellFormed(long_one);
    EXPECT_EQ(env.messages.shown.size(), 1u);
}

}  // namespace
}  // namespace calendar
