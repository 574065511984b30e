#include "skydata/MilkyWay.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/RunTimeError.h"
#include "skydata/SkyMath.h"
#include "skydata/testdata/ScratchDir.h"

namespace skydata {
namespace {

using skydata::testing::ScratchDir;

TEST(LoadMilkyWay, PointsFromHoursAndDegreesWithFlagsSkippingBlankLines) {
    ScratchDir dir("mw");
    dir.Write("milkyway.dat", "6.00000 0.0000 1\r\n\r\n   \r\n12.0 -30.5 0\r\n0 90 255\r\n");
    LoadLog log;
    const auto points = LoadMilkyWay(dir.path(), log);
    EXPECT_TRUE(log.Problems.empty());
    ASSERT_EQ(points.size(), 3u);
    EXPECT_NEAR(points[0].x, 0.0, 1e-9);
    EXPECT_NEAR(points[0].y, 1000.0, 1e-9);
    EXPECT_NEAR(points[0].z, 0.0, 1e-9);
    EXPECT_EQ(points[0].Flag, 1);
    EXPECT_EQ(points[0].ColorIndex, 0);
    const auto v = skymath::SphericalToCartesian(180.0, -30.5);
    EXPECT_DOUBLE_EQ(points[1].x, v.x);
    EXPECT_DOUBLE_EQ(points[1].z, v.z);
    EXPECT_EQ(points[1].Flag, 0);
    EXPECT_NEAR(points[2].z, 1000.0, 1e-9);
    EXPECT_EQ(points[2].Flag, 255);
}

TEST(LoadMilkyWay, DamagedLinesAreSkippedAndReportedByLineNumber) {
    ScratchDir dir("mwbad");
    dir.Write("milkyway.dat",
              "1.0 2.0 0\n"      // 1 good
              "1.0 2.0\n"        // 2 too few fields
              "abc 2.0 0\n"      // 3 not a number
              "1.0 95 0\n"       // 4 declination beyond the pole
              "1.0 2.0 256\n"    // 5 flag outside a byte
              "2.0 3.0 1");      // 6 good, no final line end
    LoadLog log;
    const auto points = LoadMilkyWay(dir.path(), log);
    EXPECT_EQ(points.size(), 2u);
    const std::vector<std::string> expected = {
        "milkyway.dat 2행 형식 오류", "milkyway.dat 3행 형식 오류", "milkyway.dat 4행 형식 오류",
        "milkyway.dat 5행 형식 오류"};
    EXPECT_EQ(log.Problems, expected);
}

TEST(LoadMilkyWay, MissingFileThrowsNamingIt) {
    ScratchDir dir("mwmissing");
    LoadLog log;
    try {
        LoadMilkyWay(dir.path(), log);
        FAIL();
    } catch (const platform::RunTimeError& e) {
        EXPECT_NE(std::string(e.what()).find("milkyway.dat"), std::string::npos);
    }
}

std::string BoundLine(double ra_h, double dec, const std::string& abbr) {
    char line[64];
    std::snprintf(line, sizeof line, "%8.5f %9.5f %s\r\n", ra_h, dec, abbr.c_str());
    return line;
}

TEST(LoadConstBounds, TwoPolygonsAreEachClosedWithNewPolygonOnlyAtTheirFirstPoints) {
    ScratchDir dir("bound");
    std::string text;
    text += BoundLine(1.0, 10.0, "And");
    text += BoundLine(2.0, 10.0, "And");
    text += BoundLine(2.0, 20.0, "And");
    text += BoundLine(5.0, -5.0, "Ori");
    text += BoundLine(6.0, -5.0, "Ori");
    dir.Write("bound.dat", text);
    LoadLog log;
    const auto p = LoadConstBounds(dir.path(), log);
    EXPECT_TRUE(log.Problems.empty());
    // A1 A2 A3 A1 B1 B2 B1
    ASSERT_EQ(p.size(), 7u);
    const double ra[] = {15, 30, 30, 15, 75, 90, 75};
    const double dec[] = {10, 10, 20, 10, -5, -5, -5};
    const int fresh[] = {1, 0, 0, 0, 1, 0, 0};
    const char* code[] = {"And", "And", "And", "And", "Ori", "Ori", "Ori"};
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_DOUBLE_EQ(p[i].RA_deg, ra[i]) << i;
        EXPECT_DOUBLE_EQ(p[i].Dec_deg, dec[i]) << i;
        EXPECT_EQ(p[i].NewPolygon, fresh[i]) << i;
        EXPECT_EQ(p[i].Code, code[i]) << i;
    }
}

TEST(LoadConstBounds, TheTwoPartsOfSerpensAreSeparatePolygonsOfOneConstellation) {
    ScratchDir dir("boundser");
    std::string text = BoundLine(15.0, 26.0, "Ser1") + BoundLine(16.0, 26.0, "Ser1") +
                       BoundLine(18.0, 6.0, "Ser2") + BoundLine(18.5, 6.0, "Ser2");
    dir.Write("bound.dat", text);
    LoadLog log;
    const auto p = LoadConstBounds(dir.path(), log);
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0].NewPolygon, 1);
    EXPECT_EQ(p[3].NewPolygon, 1);
    EXPECT_DOUBLE_EQ(p[2].RA_deg, 225.0);  // the first part closes on its own first point
    EXPECT_DOUBLE_EQ(p[5].RA_deg, 270.0);
    for (const auto& point : p) EXPECT_EQ(point.Code, "Ser");
}

TEST(LoadConstBounds, DamagedLineIsSkippedWithoutBreakingThePolygon) {
    ScratchDir dir("boundbad");
    std::string text = BoundLine(1.0, 10.0, "And") + "garbage\r\n" + BoundLine(2.0, 10.0, "And");
    dir.Write("bound.dat", text);
    LoadLog log;
    const auto p = LoadConstBounds(dir.path(), log);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(log.Problems, std::vector<std::string>{"bound.dat 2행 형식 오류"});
    EXPECT_DOUBLE_EQ(p[2].RA_deg, 15.0);
}

TEST(LoadConstBounds, EmptyFileThrowsNamingIt) {
    ScratchDir dir("boundempty");
    dir.Write("bound.dat", "");
    LoadLog log;
    try {
        LoadConstBounds(dir.path(), log);
        FAIL() << "no error for an empty boundary file";
    } catch (const platform::RunTimeError& e) {
        EXPECT_NE(std::string(e.what()).find("bound.dat"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace skydata
