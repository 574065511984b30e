#include "skydata/TraditionalText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace skydata {
namespace {

std::array<double, kMansionCount> J2000MansionRA() {
    std::array<double, kMansionCount> ra{};
    InitGanzhiAndMansionStars(ra);
    return ra;
}

TEST(NorthPolarDistance, DegreesOrTraditionalParts) {
    EXPECT_DOUBLE_EQ(NorthPolarDistance(30.0, true), 60.0);
    EXPECT_DOUBLE_EQ(NorthPolarDistance(0.0, false), 90.0 * 365.25 / 360.0);
    EXPECT_DOUBLE_EQ(NorthPolarDistance(-90.0, true), 180.0);
}

TEST(BranchPalace, PalaceAndOffsetOfEclipticLongitudes) {
    struct Case {
        double lon;
        const char* label;
        const char* text;
    };
    const Case cases[] = {
        {30.0, "유", "유(酉)궁0도 0분 0초"},
        {0.0, "술", "술(戌)궁0도 0분 0초"},
        {45.5, "유 15°30′", "유(酉)궁15도 30분 0초"},
        {359.5, "해 29°30′", "해(亥)궁29도 30분 0초"},
        {90.0, "미", "미(未)궁0도 0분 0초"},
        {-30.0, "해", "해(亥)궁0도 0분 0초"},
        {270.25, "축 0°15′", "축(丑)궁0도 15분 0초"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BranchPalaceLabel(c.lon), c.label) << c.lon;
        EXPECT_EQ(BranchPalaceText(c.lon), c.text) << c.lon;
    }
    EXPECT_EQ(BranchPalaceLabel(std::nan("")), "");
}

TEST(MansionPositionText, MansionWhoseStarPrecedesMostClosely) {
    const auto ra = J2000MansionRA();
    // On a determinative star: that mansion with offset 0.
    EXPECT_EQ(MansionPositionText(201.2983333, true, ra), "각 0도 0분 0초");
    EXPECT_EQ(MansionPositionText(83.705, true, ra), "자 0도 0분 0초");
    // Between star 20 (83.0016667) and star 19 (83.705): 83.5 follows star 20, 삼.
    EXPECT_EQ(MansionPositionText(83.5016667, true, ra), "삼 0도 30분 0초");
    // Across RA 0: 1.0 follows star 12 (346.1904167), 실, by 14.8095833 degrees.
    EXPECT_EQ(MansionPositionText(1.0, true, ra), "실 14도 48분 34초");
    // In parts of the 365-part circle: 1 degree of RA is 365/360 parts.
    EXPECT_EQ(MansionPositionText(202.2983333 + 1e-9, false, ra), "각 1도 0분 50초");
    EXPECT_EQ(MansionPositionText(std::nan(""), true, ra), "");
}

}  // namespace
}  // namespace skydata
