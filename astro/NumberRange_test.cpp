#include "astro/NumberRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(NumberRange, ClampedIntNeverConvertsAnOutOfRangeValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        int expected;
    };
    const Case cases[] = {{3, 3},   {-7, -7}, {1e25, 100}, {-1e25, -100}, {inf, 100},
                          {-inf, -100}, {nan, 5}, {100, 100}, {-100, -100}, {3.4e38, 100}};
    for (const Case& c : cases) EXPECT_EQ(astro::ClampedInt(c.value, -100, 100, 5), c.expected) << c.value;
}

// The count equals that of the walk "from + i * step while not past to"; a
// walk that would never end (a step lost against a huge start value) or take
// more than the cap has no points.
TEST(NumberRange, CountStepsMatchesTheWalkAndIsBounded) {
    struct Case {
        const char* name;
        double from, to, step;
        int expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"whole range", 0, 360, 15, 25},
        {"range not a multiple", -10, 95, 10, 11},
        {"tiny range", 5, 5, 1, 1},
        {"empty range", 6, 5, 1, 0},
        {"zero step", 0, 10, 0, 0},
        {"negative step", 0, 10, -1, 0},
        {"NaN bound", nan, 10, 1, 0},
        {"step lost against a huge start", 1e25, 1e25 + 360, 0.2, 0},
        {"far too many steps", 0, 1e12, 1e-3, 0},
        {"exactly the cap", 0, 999, 1, 1000},
        {"one over the cap", 0, 1000, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(astro::CountSteps(c.from, c.to, c.step, 1000), c.expected) << c.name;
    }
    // Point by point against the walk, over awkward decimal steps.
    for (double step : {0.1, 0.3, 1.0 / 3, 0.7, 2.2}) {
        int walk = 0;
        while (!(-3.3 + walk * step > 17.9)) ++walk;
        EXPECT_EQ(astro::CountSteps(-3.3, 17.9, step, 100000), walk) << step;
    }
}

}  // namespace
