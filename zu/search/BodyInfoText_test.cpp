// The values of the solar-system body window and the observation summary.
#include <gtest/gtest.h>

#include "zu/search/BodyInfoText.h"

namespace zu {
namespace {

TEST(BodyInfoText, ObservationMessages) {
    const std::pair<double, const char*> rows[] = {
        {0, "은 관측할 수 없습니다."},
        {11, "은 관측할 수 없습니다."},
        {-11, "은 관측할 수 없습니다."},
        {11.5, "은 저녁에 서쪽 하늘에서 관측할 수 있습니다."},
        {70, "은 저녁에 서쪽 하늘에서 관측할 수 있습니다."},
        {70.5, "은 밤 늦게까지 관측할 수 있습니다."},
        {145, "은 밤 늦게까지 관측할 수 있습니다."},
        {-12, "은 새벽에 동쪽 하늘에서 관측할 수 있습니다."},
        {-70, "은 새벽에 동쪽 하늘에서 관측할 수 있습니다."},
        {-145, "은 밤 늦게부터 관측할 수 있습니다."},
        {146, "은 밤새도록 관측할 수 있습니다."},
        {-146, "은 밤새도록 관측할 수 있습니다."},
        {350, "은 관측할 수 없습니다."},            // as -10
        {-200, "은 밤새도록 관측할 수 있습니다."},    // as +160
        {-300, "은 저녁에 서쪽 하늘에서 관측할 수 있습니다."},  // as +60
    };
    for (const auto& [d, message] : rows) EXPECT_EQ(ObservationMessage(d), message) << d;

    astro::PlanetTableT table;
    astro::InitPlanetTable(table);
    table[0].EclLon = 350;
    for (int n = 1; n < astro::kPlanetCount; ++n) table[static_cast<std::size_t>(n)].EclLon = 350;
    table[4].EclLon = 30;  // 40 east of the Sun across 0
    const std::string summary = ObservationSummary("  2024년 3월 20일에 고령에서 ", table);
    EXPECT_EQ(summary.rfind("2024년 3월 20일에 고령에서\r\n\r\n\r\n수성은 관측할 수 없습니다.\r\n\r\n", 0), 0u);
    EXPECT_NE(summary.find("목성은 저녁에 서쪽 하늘에서 관측할 수 있습니다.\r\n\r\n"), std::string::npos);
    EXPECT_NE(summary.find("달은 관측할 수 없습니다.\r\n\r\n명왕성은 관측할 수 없습니다.\r\n\r\n"), std::string::npos);
    EXPECT_EQ(summary.find("해은"), std::string::npos);
}

TEST(BodyInfoText, LabelsOfTheSunAndOfAComet) {
    astro::PlanetTableT table;
    astro::InitPlanetTable(table);
    astro::PlanetRecord sun = table[0];
    sun.Phase = 1;
    sun.Delta = 0.996;
    sun.Mag = -26.7f;
    sun.Diameter = 1920;
    // Transit at 23 h 59.6 min shows as 00시 00분; rise absent.
    const BodyLabels l = FormatBodyLabels(PlanetBodyValues(sun, -1, 23 + 59.6 / 60, 18.5, 0, 35.82));
    EXPECT_EQ(l.LPName, "해");
    EXPECT_EQ(l.LPhas, "100.00 %");
    EXPECT_EQ(l.Lelong, "0.00 도");
    EXPECT_EQ(l.LDistSP, "0.0 km(0.00000 AU)");
    EXPECT_EQ(l.LMag, "-26.70 등급");
    EXPECT_EQ(l.LDia, "1920.00 초");
    EXPECT_EQ(l.lonhel, "0도 0분 0.0초");
    EXPECT_EQ(l.RSTime[0], "--");
    EXPECT_EQ(l.RSTime[1], "00시 00분");
    EXPECT_EQ(l.RSTime[2], "18시 30분");

    astro::BodyPosition comet;
    comet.Name = "C/2023 A3";
    comet.Valid = true;
    comet.RA = 200;
    comet.Dec = -10;
    comet.TopoRA = 200;
    comet.TopoDec = -10;
    comet.Delta = 1.0;
    comet.R = 1.0;
    const BodyValues v = SmallBodyValues(comet, 23.44, 1.0, 5, 11, 17, 0, 35.82);
    EXPECT_NEAR(v.Phase, 0.75, 1e-12);  // equilateral triangle: phase angle 60
    const BodyLabels c = FormatBodyLabels(v);
    EXPECT_EQ(c.lonhel, "-");
    EXPECT_EQ(c.lathel, "-");
    EXPECT_EQ(c.LDia, "0.00 초");
    EXPECT_EQ(c.LDistEP, "149597870.7 km(1.00000 AU)");

    // No phase from a zero distance.
    comet.Delta = 0;
    EXPECT_EQ(SmallBodyValues(comet, 23.44, 1.0, 5, 11, 17, 0, 35.82).Phase, 1);

    // Above the horizon in green, below in red.
    BodyValues up = v;
    up.Alt = 0.1;
    EXPECT_EQ(FormatBodyLabels(up).Laddinfo, "지금 관측할 수 있습니다.");
    EXPECT_EQ(FormatBodyLabels(up).LaddinfoColor, 0 + 256 * 128);
    up.Alt = -0.1;
    EXPECT_EQ(FormatBodyLabels(up).Laddinfo, "아직 뜨지 않았습니다.");
    EXPECT_EQ(FormatBodyLabels(up).LaddinfoColor, 255);
}

}  // namespace
}  // namespace zu
