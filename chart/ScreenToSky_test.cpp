#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "astro/AngleMath.h"
#include "chart/ChartState.h"
#include "chart/ChartTestSupport.h"
#include "chart/Projector.h"

namespace chart {
namespace {

ProjectionView View(const char* coord, double lon, double lat, double fov, double rotation) {
    ProjectionView v;
    v.coord_sys = coord;
    v.center_lon_deg = lon;
    v.center_lat_deg = lat;
    v.fov_deg = fov;
    v.rotation_deg = rotation;
    v.refraction = false;
    return v;
}

TEST(ScreenToSkyTest, CentrePixelGivesTheViewCentreExactly) {
    const double centres[][2] = {{0, 0}, {100, 30}, {359.5, -89.9}, {212.25, 90}, {47.3, -12.7}};
    for (const char* coord : {"a", "e"}) {
        for (const auto& c : centres) {
            const Projector p = MakeProjector(640, 480, View(coord, c[0], c[1], 60, 37));
            double lon, lat;
            p.ScreenToSky(p.PixCenterX, p.PixCenterY, c[0], c[1], lon, lat, false);
            EXPECT_EQ(lon, c[0]) << coord;
            EXPECT_EQ(lat, c[1]) << coord;
        }
    }
}

TEST(ScreenToSkyTest, BeforeAnyDrawingEveryPixelIsTheCentre) {
    ResetChart();
    double lon, lat;
    ScreenToSky(17, 250, 123, -45, lon, lat, false);
    EXPECT_EQ(lon, 123);
    EXPECT_EQ(lat, -45);
}

// Forward projection of the inverse lands on the pixel it started from.
TEST(ScreenToSkyTest, InvertsTheForwardProjection) {
    std::mt19937 random(20240611);
    const std::int32_t w = 1280, h = 800;
    for (const char* coord : {"a", "e"}) {
        for (const double fov : {1.0, 60.0, 190.0}) {
            for (const double rotation : {0.0, 37.0}) {
                std::uniform_real_distribution<double> lonDist(0, 360), latDist(-80, 80);
                const double lon0 = lonDist(random), lat0 = latDist(random);
                const Projector p = MakeProjector(w, h, View(coord, lon0, lat0, fov, rotation));
                std::uniform_real_distribution<double> xs(0, w), ys(0, h);
                double worst = 0;
                for (int i = 0; i < 500; ++i) {
                    const double x = xs(random), y = ys(random);
                    double lon, lat;
                    p.ScreenToSky(x, y, lon0, lat0, lon, lat, false);
                    ASSERT_GE(lon, 0);
                    ASSERT_LT(lon, 360);
                    double vx, vy, vz, px, py;
                    astro::SphericalToCartesian(lon, lat, vx, vy, vz);
                    p.ToPlane(vx, vy, vz, px, py);
                    worst = std::max(worst, std::hypot(px - x, py - y));
                }
                EXPECT_LT(worst, 0.6) << coord << " fov " << fov << " rotation " << rotation;
            }
        }
    }
}

TEST(ScreenToSkyTest, DirectionsOnTheChart) {
    // Equatorial chart: north up, east (larger right ascension) to the left.
    const Projector e = MakeProjector(400, 400, View("e", 100, 20, 40, 0));
    double lon, lat;
    e.ScreenToSky(200, 100, 100, 20, lon, lat, false);
    EXPECT_NEAR(lon, 100, 1e-9);
    EXPECT_GT(lat, 20);
    e.ScreenToSky(200, 300, 100, 20, lon, lat, false);
    EXPECT_LT(lat, 20);
    e.ScreenToSky(100, 200, 100, 20, lon, lat, false);
    EXPECT_GT(lon, 100);
    // Horizontal chart seen from inside: zenith up, azimuth growing to the right.
    const Projector a = MakeProjector(400, 400, View("a", 180, 20, 40, 0));
    a.ScreenToSky(200, 100, 180, 20, lon, lat, false);
    EXPECT_GT(lat, 20);
    a.ScreenToSky(300, 200, 180, 20, lon, lat, false);
    EXPECT_GT(lon, 180);
}

TEST(ScreenToSkyTest, RefractionOnlyWhenAskedInTheHorizontalChart) {
    ProjectionView v = View("a", 0, 5, 60, 0);
    v.refraction = true;
    const Projector a = MakeProjector(400, 400, v);
    double lonPlain, latPlain, lonTrue, latTrue;
    a.ScreenToSky(150, 240, 0, 5, lonPlain, latPlain, false);
    a.ScreenToSky(150, 240, 0, 5, lonTrue, latTrue, true);
    EXPECT_EQ(lonTrue, lonPlain);
    EXPECT_NEAR(latPlain - latTrue, astro::RefractionApparent(latPlain, 1013, 15), 1e-12);
    EXPECT_GT(latPlain - latTrue, 0.1);  // some 10 arcminutes near 4 degrees

    v.coord_sys = std::string(1, 'e');
    const Projector e = MakeProjector(400, 400, v);
    e.ScreenToSky(150, 240, 0, 5, lonPlain, latPlain, false);
    e.ScreenToSky(150, 240, 0, 5, lonTrue, latTrue, true);
    EXPECT_EQ(latTrue, latPlain);
}

TEST(ScreenToSkyTest, UsesTheViewOfTheLastDrawing) {
    testing::ChartFixture f;
    f.view.coord_sys = std::string(1, 'a');
    f.view.rotation_deg = 37;
    f.view.center_lon_deg = 200;
    f.view.center_lat_deg = 40;
    platform::RecordingSurface surface(500, 300);
    f.Draw(surface);
    // A horizon-frame point drawn by the chart is found again under its pixel.
    double x, y, z;
    astro::SphericalToCartesian(215, 47, x, y, z);
    double px, py;
    Chart().Projection.ToPlane(x, y, z, px, py);
    double lon, lat;
    ScreenToSky(px, py, 200, 40, lon, lat, false);
    EXPECT_NEAR(lon, 215, 1e-6);
    EXPECT_NEAR(lat, 47, 1e-6);
}

}  // namespace
}  // namespace chart
