#include "skydata/StartupTables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace skydata {
namespace {

TEST(SolarTermTable, NamesDaysAndLongitudes) {
    EXPECT_EQ(SolarTermTable[5].Name, "춘분");
    EXPECT_EQ(SolarTermTable[5].Hanja, "春分");
    EXPECT_DOUBLE_EQ(SolarTermTable[5].Longitude_deg, 0.0);
    EXPECT_DOUBLE_EQ(SolarTermTable[5].Day, 80.0);
    EXPECT_EQ(SolarTermTable[0].Name, "소한");
    EXPECT_DOUBLE_EQ(SolarTermTable[0].Longitude_deg, 285.0);
    EXPECT_EQ(SolarTermTable[23].Name, "동지");
    EXPECT_DOUBLE_EQ(SolarTermTable[23].Longitude_deg, 270.0);
    EXPECT_DOUBLE_EQ(SolarTermTable[23].Day, 350.0);
    for (int k = 0; k < 24; ++k) {
        EXPECT_DOUBLE_EQ(SolarTermTable[k].Day, 5.0 + 15.0 * k) << k;
        const double expected = std::fmod(5.0 + 15.0 * k - 80.0 + 360.0, 360.0);
        EXPECT_DOUBLE_EQ(SolarTermTable[k].Longitude_deg, expected) << k;
    }
    // 立 of the four "beginning" terms is stored as U+F9F7.
    for (int k : {2, 8, 14, 20}) {
        EXPECT_EQ(SolarTermTable[k].Hanja.substr(0, 3), "\xEF\xA7\xB7") << k;
    }
    EXPECT_EQ(SolarTermTable[2].Name, "입춘");
    EXPECT_EQ(SolarTermTable[20].Hanja.substr(3), "冬");
}

TEST(NameTables, GreekStemsAndBranches) {
    EXPECT_EQ(GreekLetters[0], "α");
    EXPECT_EQ(GreekLetters[17], "σ");
    EXPECT_EQ(GreekLetters[23], "ω");
    EXPECT_EQ(StemNames[0], "갑");
    EXPECT_EQ(StemHanja[9], "癸");
    EXPECT_EQ(BranchNames[0], "자");
    EXPECT_EQ(BranchNames[9], "유");
    EXPECT_EQ(BranchHanja[11], "亥");
}

TEST(StyleDefaults, LayerFontsLineColoursAndStarColours) {
    const StyleTables t = DefaultStyleTables();
    EXPECT_EQ(t.LayerStyle[0].FontName, "Tahoma");
    EXPECT_EQ(t.LayerStyle[0].FontSize_pt, 9);
    EXPECT_EQ(t.LayerStyle[0].Color, 130 + 256 * 160 + 65536 * 80);
    EXPECT_EQ(t.LayerStyle[10].FontName, "굴림");
    EXPECT_EQ(t.LayerStyle[10].FontSize_pt, 8);
    EXPECT_EQ(t.LayerStyle[10].Color, 255);
    for (const FontStyle& f : t.LayerStyle) {
        EXPECT_FALSE(f.Bold);
        EXPECT_FALSE(f.Italic);
    }
    EXPECT_EQ(t.GridFontTable[0].FontName, "굴림");
    EXPECT_EQ(t.GridFontTable[2].FontName, "Tahoma");
    EXPECT_EQ(t.GridFontTable[1].FontSize_pt, 9);
    EXPECT_EQ(t.LineColorTable[0], RgbColor(250, 250, 250));
    EXPECT_EQ(t.LineColorTable[8], RgbColor(128, 128, 128));
    EXPECT_EQ(t.TwilightColors[0], 0);
    EXPECT_EQ(t.TwilightColors[5], RgbColor(63, 187, 239));
    EXPECT_EQ(t.SpectralColors[0], RgbColor(112, 224, 255));
    EXPECT_EQ(t.SpectralColors[6], RgbColor(255, 142, 107));

    StyleTables changed = t;
    changed.LayerStyle[3].FontName = "Arial";
    changed.LineColorTable[4] = 0;
    InitStyleDefaults(changed);
    EXPECT_EQ(changed.LayerStyle[3].FontName, "Tahoma");
    EXPECT_EQ(changed.LineColorTable[4], RgbColor(10, 10, 180));
}

TEST(MansionStars, J2000TableKeepsTheTraditionalOrder) {
    EXPECT_DOUBLE_EQ(MansionStarJ2000[0].RA_deg, 201.2983333);
    EXPECT_DOUBLE_EQ(MansionStarJ2000[27].Dec_deg, -17.5419444);
    // Index 20 lies west of index 19.
    EXPECT_LT(MansionStarJ2000[20].RA_deg, MansionStarJ2000[19].RA_deg);
}

TEST(PrecessMansionStars, WithoutPrecessionTheJ2000RightAscensionsStay) {
    std::array<double, kMansionCount> ra{};
    for (double jd : {2451545.0, 2488069.5, 2305447.5}) {
        PrecessMansionStars(ra, jd, false);
        for (int i = 0; i < kMansionCount; ++i) EXPECT_EQ(ra[i], MansionStarJ2000[i].RA_deg);
    }
    StartupTablesState fresh;
    for (int i = 0; i < kMansionCount; ++i) {
        EXPECT_EQ(fresh.MansionStarRA[i], MansionStarJ2000[i].RA_deg);
    }
}

TEST(PrecessMansionStars, OneCenturyMovesEachStarByTheAnnualPrecessionInRa) {
    // Reference: the annual precession in RA, m + n sin(RA) tan(Dec) with
    // m = 3.075 s, n = 1.336 s (Meeus, Astronomical Algorithms, eq. 21.1),
    // times 100 years. Tolerance 0.02 deg covers the rate's change over the
    // century away from the poles.
    std::array<double, kMansionCount> ra{};
    PrecessMansionStars(ra, 2451545.0 + 36525.0, true);
    for (int i = 0; i < kMansionCount; ++i) {
        const double a = MansionStarJ2000[i].RA_deg * M_PI / 180.0;
        const double d = MansionStarJ2000[i].Dec_deg * M_PI / 180.0;
        const double perYear_deg = (3.075 + 1.336 * std::sin(a) * std::tan(d)) * 15.0 / 3600.0;
        double moved = ra[i] - MansionStarJ2000[i].RA_deg;
        if (moved < -180) moved += 360;
        EXPECT_NEAR(moved, 100.0 * perYear_deg, 0.02) << i;
        EXPECT_GE(ra[i], 0.0);
        EXPECT_LT(ra[i], 360.0);
    }
}

}  // namespace
}  // namespace skydata
