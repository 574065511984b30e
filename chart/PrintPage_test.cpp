// The geometry of the printed page: scale, on-page tests, the inverse
// mapping and the grid range.
#include "chart/PrintPage.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart/PrintTestSupport.h"

namespace chart {
namespace {

const astro::Matrix3 kIdentity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

TEST(PrintPage, ScaleSpansTheFieldAcross181Units) {
    PrintPageState page;
    SetPageProjection(page, 0, 0, 190, false, 0);
    EXPECT_NEAR(page.PrintScale, 24.1173, 1e-4);
    SetPageProjection(page, 0, 0, 60, false, 0);
    EXPECT_NEAR(page.PrintScale, 5.92153, 1e-4);
}

TEST(PrintPage, OnPageTestsAreStrictAndSegmentsNeedAnEndOnThePage) {
    const PrintPageState page;
    struct Case {
        float x, y;
        bool on;
    };
    for (const Case& c : {Case{0, 100, false}, Case{210, 100, false}, Case{100, 0, false}, Case{100, 262, false},
                          Case{105.5f, 148.5f, true}, Case{0.01f, 261.99f, true}, Case{209.99f, 0.01f, true}}) {
        EXPECT_EQ(IsOnPage(page, c.x, c.y), c.on) << c.x << "," << c.y;
    }
    EXPECT_FALSE(IsSegmentOnPage(page, -5, 100, 300, 100));
    EXPECT_TRUE(IsSegmentOnPage(page, -5, 100, 100, 100));
    EXPECT_TRUE(IsSegmentOnPage(page, 100, 100, 300, 100));
}

TEST(PrintPage, ThePageCentreMapsBackToTheCentre) {
    for (bool mirror : {false, true}) {
        for (double lat : {-60.0, 0.0, 89.9}) {
            PrintPageState page;
            SetPageProjection(page, 123.4, lat, 60, mirror, 15);
            double lon, b;
            PagePointToSky(page, 105.5f, 148.5f, 123.4, lat, lon, b);
            EXPECT_NEAR(b, lat, 1e-9) << lat;
            EXPECT_NEAR(lon, 123.4, 1e-9) << lat;
        }
    }
}

TEST(PrintPage, InverseMappingUndoesTheProjection) {
    // A point of the sky projected onto the page and read back, mirrored
    // (horizontal) and not (equatorial), with a rotation.
    for (bool mirror : {false, true}) {
        PrintPageState page;
        SetPageProjection(page, 40, 20, 90, mirror, 30);
        double x, y, z;
        astro::SphericalToCartesian(55, 31, x, y, z);
        const PagePoint p = ToPage(page, x, y, z);
        double lon, lat;
        PagePointToSky(page, p.X, p.Y, 40, 20, lon, lat);
        EXPECT_NEAR(lon, 55, 1e-3) << mirror;
        EXPECT_NEAR(lat, 31, 1e-3) << mirror;
    }
}

TEST(PrintPage, ZenithPageOfTheAllSkyChart) {
    testing::PrintFixture f;
    f.AllSky();
    ASSERT_FALSE(f.Print());
    const PrintPageState& page = PrintPage();
    EXPECT_TRUE(IsPoleOnPage(page, 1, kIdentity));
    EXPECT_FALSE(IsPoleOnPage(page, 2, kIdentity));
    const GridRange r = GetPageCoordRange(page, page.PageCornerSky, 30, 180, kIdentity);
    EXPECT_NEAR(r.lonMin, 0, 1e-9);
    EXPECT_NEAR(r.lonMax, 390.01, 1e-9);
    EXPECT_NEAR(r.latMin, -60, 1e-9);
    EXPECT_NEAR(r.latMax, 60.01, 1e-9);
    // The horizon is a circle of radius 2000 / PrintScale about the centre.
    for (double az : {0.0, 45.0, 100.0, 270.0}) {
        double x, y, z;
        astro::SphericalToCartesian(az, 0, x, y, z);
        const PagePoint p = ToPage(page, x, y, z);
        EXPECT_NEAR(std::hypot(p.X - 105.5, p.Y - 148.5), 82.93, 0.01) << az;
    }
}

}  // namespace
}  // namespace chart
