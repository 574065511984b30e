// A chart of Orion drawn from the real catalogue into an image.
#include <gtest/gtest.h>

#include <filesystem>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "chart/ChartTestSupport.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"
#include "skydata/Stars.h"

namespace chart {
namespace {

struct Reference {
    int hr;
    const char* name;
    double ra_deg, dec_deg;  // ICRS, J2000 (SIMBAD)
};

// SIMBAD: Betelgeuse 05 55 10.305 +07 24 25.43; Rigel 05 14 32.272 -08 12 05.90.
constexpr Reference kStars[] = {
    {2061, "Betelgeuse", (5 + 55 / 60.0 + 10.305 / 3600) * 15, 7 + 24 / 60.0 + 25.43 / 3600},
    {1713, "Rigel", (5 + 14 / 60.0 + 32.272 / 3600) * 15, -(8 + 12 / 60.0 + 5.90 / 3600)},
};

TEST(OrionChartTest, BetelgeuseAndRigelWhereTheyBelong) {
    const std::filesystem::path dataDir = std::filesystem::path(ZU_SOURCE_DIR) / "data";
    if (!std::filesystem::exists(dataDir / "bsc" / "bsc00.dat")) GTEST_SKIP() << "no bright-star zone files";
    platform::EnsureQtApp();

    testing::ChartFixture f;
    const double jd = 2460310.5;  // 2024 January 1, 0 h
    skydata::LoadLog log;
    skydata::LoadBrightStars(f.catalogs, dataDir, jd, true, log);
    f.settings.viewstar = true;
    f.settings.calcprecession = true;
    f.settings.vmlimit = 6;
    f.view.coord_sys = std::string(1, 'e');
    f.view.fov_deg = 30;
    f.view.center_lon_deg = 83.8;
    f.view.center_lat_deg = 0;
    f.view.jd_local = jd;

    platform::ImageSurface surface(800, 600);
    f.Draw(surface);
    ASSERT_GT(ScreenObjectCount(), 50u);

    for (const Reference& ref : kStars) {
        // Where the star belongs: its J2000 place carried to the date by the
        // series of the equinox (not the chart's matrix), then projected.
        double ra, dec;
        astro::PrecessFromJ2000(jd, ref.ra_deg, ref.dec_deg, 0, 0, ra, dec);
        double x, y, z;
        astro::SphericalToCartesian(ra, dec, x, y, z);
        double px, py;
        Chart().Projection.ToPlane(x, y, z, px, py);

        std::string key;
        for (int zone = 0; zone < skydata::kStarZoneCount && key.empty(); ++zone) {
            const auto& stars = f.catalogs.BscStar[zone];
            for (std::size_t i = 0; i < stars.size(); ++i) {
                if (stars[i].HR == ref.hr) key = BrightStarKey(zone, static_cast<int>(i)).Text();
            }
        }
        ASSERT_FALSE(key.empty()) << ref.name;
        const ScreenObject* drawn = nullptr;
        for (const ScreenObject& o : Chart().ScreenObjects)
            if (o.KeyText() == key) drawn = &o;
        ASSERT_NE(drawn, nullptr) << ref.name;
        EXPECT_NEAR(drawn->X, px, 1.0) << ref.name;
        EXPECT_NEAR(drawn->Y, py, 1.0) << ref.name;
        // And it is painted there.
        const auto colour = surface.Point(drawn->X, drawn->Y);
        ASSERT_TRUE(colour.has_value());
        EXPECT_GT(platform::RedOf(*colour), 100) << ref.name;
    }
}

}  // namespace
}  // namespace chart
