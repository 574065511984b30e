// The whole chart drawn from the real data with the default settings: the
// start view and an all-sky view, saved as PNG files beside the test program
// for a look, with a few coarse facts checked; and the same views, plus an
// all-sky view with the extended catalogue, compared with the pictures kept
// in chart/testdata, so that faster drawing paths stay pixel for pixel the
// same.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <map>

#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "chart/ChartTestSupport.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"
#include "skydata/DeepSky.h"
#include "skydata/Stars.h"

namespace chart {
namespace {

constexpr double kJd = 2460677.375;  // 2025 January 1, 21 h local civil time
constexpr double kLon = 128.46, kLat = 35.82, kZone = 9;

struct RealChart {
    testing::ChartFixture f;
    bool loaded = false;

    RealChart() {
        const std::filesystem::path dir = std::filesystem::path(ZU_SOURCE_DIR) / "data";
        if (!std::filesystem::exists(dir / "bsc" / "bsc00.dat") || !std::filesystem::exists(dir / "milkyway.dat")) {
            return;
        }
        platform::EnsureQtApp();
        skydata::LoadLog log;
        skydata::LoadBrightStars(f.catalogs, dir, kJd, true, log);
        skydata::LoadDeepSky(f.catalogs, dir, log);
        skydata::ComputeDsoVectors(f.catalogs);
        f.constellations.W = skydata::LoadConstellationSystem(dir, 'W', log);
        skydata::BuildConstLabels(f.constellations.W.Labels, f.constellations.W.Data, false);
        f.constellations.MilkyWayPoint = skydata::LoadMilkyWay(dir, log);
        f.constellations.BoundaryPoint = skydata::LoadConstBounds(dir, log);
        f.settings = skydata::SettingsSnapshot{};  // every default
        f.settings.milkyway = true;
        f.settings.viewcboundary = true;
        f.view.coord_sys = std::string(1, 'a');  // gcc 12 warns falsely on assigning "a"
        f.view.lat_deg = kLat;
        f.view.lst_h = astro::CalcLST(kJd, kLon, kZone);
        f.view.jd_local = kJd;
        loaded = true;
    }

    void Draw(platform::ImageSurface& surface) {
        ChartSources sources = f.Sources();
        sources.calc_planets = [](double jd) { astro::CalcPlanets(jd); };
        DrawMap(surface, f.view, sources);
    }

    // The pixel of a horizontal place (no refraction: far from the horizon
    // or below it).
    static Pixel PixelOf(double az, double alt) {
        double x, y, z;
        astro::SphericalToCartesian(az, alt, x, y, z);
        astro::RotateVector(x, y, z, Chart().Frames.HorizonToChart);
        return Chart().Projection.ToPixel(x, y, z);
    }
};

// The most common colour of the pixels within `radius` of (x, y).
platform::Colour MostCommon(platform::ImageSurface& surface, int x, int y, int radius) {
    std::map<platform::Colour, int> counts;
    for (int j = y - radius; j <= y + radius; ++j)
        for (int i = x - radius; i <= x + radius; ++i)
            if (auto c = surface.Point(i, j)) ++counts[*c];
    platform::Colour best = 0;
    int most = -1;
    for (const auto& [colour, n] : counts)
        if (n > most) best = colour, most = n;
    return best;
}

// Stars drawn, and how many of them show brighter than the sky.
std::pair<int, int> StarsShown(platform::ImageSurface& surface) {
    int stars = 0, lit = 0;
    for (const ScreenObject& o : Chart().ScreenObjects) {
        if (o.Key.kind != ObjectKind::BrightStar) continue;
        ++stars;
        const auto c = surface.Point(o.X, o.Y);
        if (c && platform::RedOf(*c) + platform::GreenOf(*c) + platform::BlueOf(*c) > 90) ++lit;
    }
    return {stars, lit};
}

TEST(ChartLookTest, StartView) {
    RealChart chart;
    if (!chart.loaded) GTEST_SKIP() << "no star or outline data";
    // The start view: north, 28.5 degrees up, a field of 60 degrees.
    chart.f.view.center_lon_deg = chart.f.settings.ViewCenterX;
    chart.f.view.center_lat_deg = chart.f.settings.ViewCenterY;
    chart.f.view.fov_deg = chart.f.settings.ViewFOV;
    platform::ImageSurface surface(800, 600);
    chart.Draw(surface);
    surface.Image().save("chart2_start_view.png");

    const auto [stars, lit] = StarsShown(surface);
    EXPECT_GT(stars, 150);
    EXPECT_GT(lit, stars * 9 / 10);
    // Dark sky high up, ground below the horizon.
    const Pixel high = RealChart::PixelOf(25, 50);
    EXPECT_EQ(MostCommon(surface, high.X, high.Y, 6), Chart().SkyBackColor);
    const Pixel ground = RealChart::PixelOf(20, -1.3);
    ASSERT_TRUE(surface.Point(ground.X, ground.Y));
    EXPECT_EQ(MostCommon(surface, ground.X, ground.Y, 1), platform::Rgb(0, 64, 0));
}

TEST(ChartLookTest, AllSkyView) {
    RealChart chart;
    if (!chart.loaded) GTEST_SKIP() << "no star or outline data";
    chart.f.view.center_lon_deg = 180;
    chart.f.view.center_lat_deg = 90;
    chart.f.view.fov_deg = 190;
    platform::ImageSurface surface(700, 700);
    chart.Draw(surface);
    surface.Image().save("chart2_all_sky.png");

    const auto [stars, lit] = StarsShown(surface);
    EXPECT_GT(stars, 1000);
    EXPECT_GT(lit, stars * 9 / 10);
    EXPECT_EQ(MostCommon(surface, 350, 350, 10), Chart().SkyBackColor);  // the zenith
    const Pixel ground = RealChart::PixelOf(100, -3);
    ASSERT_TRUE(surface.Point(ground.X, ground.Y));
    EXPECT_EQ(MostCommon(surface, ground.X, ground.Y, 1), platform::Rgb(0, 64, 0));
    // The ground and the glow go all the way round, also where the bands
    // close on themselves at azimuth 0 (the compass labels left aside).
    for (int az = 1; az < 360; az += 2) {
        if (az % 45 <= 4 || az % 45 >= 41) continue;
        const Pixel below = RealChart::PixelOf(az, -2);
        EXPECT_EQ(MostCommon(surface, below.X, below.Y, 1), platform::Rgb(0, 64, 0)) << "azimuth " << az;
        const Pixel glow = RealChart::PixelOf(az, 3);
        EXPECT_NE(MostCommon(surface, glow.X, glow.Y, 1), Chart().SkyBackColor) << "azimuth " << az;
    }
    // Every planet above the horizon is keyed.
    int planets = 0;
    for (const ScreenObject& o : Chart().ScreenObjects) planets += o.Key.kind == ObjectKind::Planet;
    EXPECT_GE(planets, 3);
}

// Pixels of `got` that differ from the kept picture: at most one in 10,000
// (points at exact rounding ties of the projection may fall either way).
void ExpectKeptPicture(const QImage& got, const char* name) {
    const QImage kept = QImage(QString(ZU_SOURCE_DIR) + "/chart/testdata/" + name).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(kept.isNull()) << name;
    const QImage drawn = got.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(drawn.size(), kept.size()) << name;
    long differing = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(kept.constScanLine(y));
        for (int x = 0; x < drawn.width(); ++x) differing += (a[x] & 0xFFFFFF) != (b[x] & 0xFFFFFF);
    }
    EXPECT_LE(differing, static_cast<long>(drawn.width()) * drawn.height() / 10000) << name;
}

TEST(ChartLookTest, StartViewIsTheKeptPicture) {
    RealChart chart;
    if (!chart.loaded) GTEST_SKIP() << "no star or outline data";
    chart.f.view.center_lon_deg = chart.f.settings.ViewCenterX;
    chart.f.view.center_lat_deg = chart.f.settings.ViewCenterY;
    chart.f.view.fov_deg = chart.f.settings.ViewFOV;
    platform::ImageSurface surface(800, 600);
    chart.Draw(surface);
    ExpectKeptPicture(surface.Image(), "chart2_start_view.png");
}

TEST(ChartLookTest, AllSkyViewIsTheKeptPicture) {
    RealChart chart;
    if (!chart.loaded) GTEST_SKIP() << "no star or outline data";
    chart.f.view.center_lon_deg = 180;
    chart.f.view.center_lat_deg = 90;
    chart.f.view.fov_deg = 190;
    platform::ImageSurface surface(700, 700);
    chart.Draw(surface);
    ExpectKeptPicture(surface.Image(), "chart2_all_sky.png");
}

// The extended catalogue to magnitude 7 over the whole sky, in spectral
// colours (copy pen, so the drawing order shows) and in grey (merge pen).
TEST(ChartLookTest, AllSkyWithTheExtendedCatalogueIsTheKeptPicture) {
    RealChart chart;
    if (!chart.loaded) GTEST_SKIP() << "no star or outline data";
    const std::filesystem::path dir = std::filesystem::path(ZU_SOURCE_DIR) / "data";
    if (!std::filesystem::exists(dir / "sky2000" / "s2k00.dat")) GTEST_SKIP() << "no extended catalogue";
    skydata::LoadLog log;
    skydata::LoadSky2000Stars(chart.f.catalogs, dir, kJd, true, log);
    chart.f.settings.viewconstar = 1;
    chart.f.settings.vmlimit = 7;
    chart.f.view.center_lon_deg = 180;
    chart.f.view.center_lat_deg = 90;
    chart.f.view.fov_deg = 190;
    for (const bool spectral : {true, false}) {
        chart.f.settings.viewspt = spectral;
        platform::ImageSurface surface(700, 700);
        chart.Draw(surface);
        const char* name = spectral ? "chart2_all_sky_extended.png" : "chart2_all_sky_extended_grey.png";
        surface.Image().save(name);
        ExpectKeptPicture(surface.Image(), name);
    }
}

}  // namespace
}  // namespace chart
