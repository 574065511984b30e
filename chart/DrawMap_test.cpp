#include "chart/DrawMap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "chart/ChartTestSupport.h"
#include "chart/LayerTable.h"

namespace chart {
namespace {

using testing::ChartFixture;

TEST(DrawMapTest, CentrePixelAndScaleOfTheSurface) {
    ChartFixture f;
    platform::RecordingSurface surface(301, 201);
    f.view.fov_deg = 60;
    f.Draw(surface);
    const Projector& p = Chart().Projection;
    EXPECT_EQ(p.PixCenterX, 150);  // 150.5 rounds to even
    EXPECT_EQ(p.PixCenterY, 100);  // 100.5 rounds to even
    EXPECT_NEAR(p.MapScale, 4000 * std::tan(15.0 * M_PI / 180) / 201, 1e-12);
    EXPECT_DOUBLE_EQ(Chart().LastDrawFOV, 60);
    EXPECT_DOUBLE_EQ(Chart().GridSpacing, 15);
}

TEST(DrawMapTest, FieldOfViewIsClampedToItsRange) {
    struct Case {
        double fov, drawn;
    } cases[] = {{0.2, 1}, {500, 190}, {NAN, 60}, {45, 45}};
    for (const Case& c : cases) {
        ChartFixture f;
        platform::RecordingSurface surface(200, 100);
        f.view.fov_deg = c.fov;
        f.Draw(surface);
        EXPECT_DOUBLE_EQ(Chart().LastDrawFOV, c.drawn) << c.fov;
    }
}

TEST(DrawMapTest, EmptyDrawingLeaves1001EmptyEntries) {
    ChartFixture f;
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    ASSERT_EQ(Chart().ScreenObjects.size(), 1001u);
    for (const ScreenObject& o : Chart().ScreenObjects) EXPECT_TRUE(o.Key.IsEmpty());
    EXPECT_EQ(ScreenObjectCount(), 0u);
}

TEST(DrawMapTest, ObjectListHoldsExactlyTheDrawnObjects) {
    ChartFixture f;
    f.settings.viewstar = true;
    f.settings.vmlimit = 6;
    for (int i = 0; i < 1002; ++i) f.AddBrightStar(6, 100, 30, 1.0f);
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    ASSERT_EQ(Chart().ScreenObjects.size(), 1002u);
    EXPECT_EQ(ScreenObjectCount(), 1002u);
    EXPECT_EQ(Chart().ScreenObjects.back().KeyText(), "S6:1001");
}

TEST(DrawMapTest, StatusPanelShowsTheEffectiveLimit) {
    ChartFixture f;
    f.settings.vmlimit = 10.5;
    f.settings.MagControl = 1.0f;
    platform::RecordingSurface surface(200, 100);
    f.Draw(surface);
    ASSERT_EQ(f.status.size(), 1u);
    EXPECT_EQ(f.status[0].first, 4);
    EXPECT_EQ(f.status[0].second, "11.0등급(1.0)");
    EXPECT_DOUBLE_EQ(Chart().ChartLimitMag, 11.0);
    EXPECT_EQ(LimitStatusText(6.5, 0), "6.5등급(0.0)");
    EXPECT_EQ(LimitStatusText(-0.04, -0.0f), "0.0등급(0.0)");
}

TEST(DrawMapTest, EffectiveLimitMagnitude) {
    struct Case {
        const char* name;
        bool autoMag, liveSky;
        double vmlimit;
        float magControl, autoLimit;
        double expected;
    } cases[] = {
        {"manual limit", false, false, 5.5, 0, 2, 5.5},
        {"manual limit with offset", false, false, 10.5, 1, 0, 11},
        {"offset has no lower bound", false, false, 1, -3, 0, -2},
        {"auto dark sky at least 3.5", true, false, 6.5, 0, 2, 3.5},
        {"auto 3.5 plus offset", true, false, 6.5, 0.5f, 2, 4.0},
        {"user limit is an upper bound", true, false, 3.0, 0, 2, 3.0},
        {"auto with live sky keeps 2", true, true, 6.5, 0, 2, 2.0},
        {"auto below the user limit", true, true, 6.5, 0, 5.2f, 5.2f},
    };
    for (const Case& c : cases) {
        skydata::SettingsSnapshot s;
        s.StarAutoMag = c.autoMag;
        s.liveskycolor = c.liveSky;
        s.vmlimit = c.vmlimit;
        s.MagControl = c.magControl;
        EXPECT_NEAR(EffectiveLimitMag(s, c.autoLimit), c.expected, 1e-6) << c.name;
    }
}

// A surface whose circles fail, as a failing device would.
class FailingSurface final : public platform::Surface {
public:
    void Circle(double, double, double, std::optional<platform::Colour>, double) override {
        throw std::runtime_error("device lost");
    }

protected:
    double Width() const override { return 300; }
    double Height() const override { return 200; }
    void PaintAll(platform::Colour) override {}
    void DrawLine(double, double, double, double, platform::Colour) override {}
    void DrawBox(double, double, double, double, platform::Colour, bool) override {}
    void DrawEllipse(double, double, double, double, platform::Colour) override {}
    void DrawPoint(double, double, platform::Colour) override {}
    void DrawPolygon(const std::vector<platform::PointF>&) override {}
    void DrawText(double, double, const std::string&) override {}
    void DrawPicture(const QImage&, double, double) override {}
    double LineWidth(const std::string& line) const override { return 7.0 * line.size(); }
    double LineHeight() const override { return 12; }
};

TEST(DrawMapTest, SettingsAndScaleModeSurviveDrawingsAndFailures) {
    ChartFixture f;
    f.settings.viewstar = true;
    f.settings.vmlimit = 4.25;
    f.settings.StarAutoMag = true;
    f.settings.AirEx = true;
    f.AddBrightStar(6, 100, 30, 1.0f);
    const skydata::SettingsSnapshot before = f.settings;

    platform::RecordingSurface ok(300, 200);
    f.Draw(ok);
    EXPECT_EQ(ok.ScaleMode(), platform::Scale::Twips);
    EXPECT_EQ(f.settings.vmlimit, before.vmlimit);
    EXPECT_EQ(f.settings.AirEx, before.AirEx);

    FailingSurface failing;
    EXPECT_THROW(f.Draw(failing), std::runtime_error);
    EXPECT_EQ(failing.ScaleMode(), platform::Scale::Twips);
    EXPECT_EQ(f.settings.vmlimit, 4.25);
    EXPECT_TRUE(f.settings.AirEx);
    EXPECT_EQ(Chart().ScreenObjects.size(), 1001u);  // nothing was added before the failure
}

TEST(DrawMapTest, SurfaceUnderOnePixelIsNotDrawn) {
    ChartFixture f;
    platform::RecordingSurface first(300, 200);
    f.Draw(first);
    const double scale = Chart().Projection.MapScale;

    platform::RecordingSurface minimised(0, 0);
    f.view.fov_deg = 120;
    f.Draw(minimised);
    EXPECT_EQ(Chart().Projection.MapScale, scale);
    EXPECT_DOUBLE_EQ(Chart().LastDrawFOV, 60);
    EXPECT_TRUE(testing::CallsStartingWith(minimised, "Cls").empty());
    EXPECT_EQ(minimised.ScaleMode(), platform::Scale::Twips);
    EXPECT_TRUE(f.status.size() == 1u);
}

TEST(DrawMapTest, FrameMatricesFollowTheViewSystem) {
    ChartFixture f;
    platform::RecordingSurface surface(300, 200);
    // Equatorial chart: the celestial pole is the chart pole; the zenith of
    // latitude 37.5 lies at declination 37.5.
    f.view.coord_sys = std::string(1, 'E');
    f.Draw(surface);
    {
        double x = 0, y = 0, z = 1000;
        astro::RotateVector(x, y, z, Chart().Frames.HorizonToChart);
        double lon, lat;
        astro::VectorToSpherical(x, y, z, lon, lat);
        EXPECT_NEAR(lat, 37.5, 1e-9);
        EXPECT_FALSE(Chart().Projection.horizon_frame);
    }
    // Horizontal chart: the celestial pole stands at altitude = latitude.
    f.view.coord_sys = std::string(1, 'a');
    f.Draw(surface);
    {
        double x = 0, y = 0, z = 1000;
        astro::RotateVector(x, y, z, Chart().Frames.EquatorToChart);
        double lon, lat;
        astro::VectorToSpherical(x, y, z, lon, lat);
        EXPECT_NEAR(lat, 37.5, 1e-9);
        EXPECT_NEAR(lon, 0, 1e-9);  // due north
        EXPECT_TRUE(Chart().Projection.horizon_frame);
        EXPECT_TRUE(Chart().Projection.mirror);
    }
    // Any other view system: identity, no mirror.
    f.view.coord_sys = std::string(1, 'g');
    f.Draw(surface);
    EXPECT_EQ(Chart().Frames.EquatorToChart, FrameMatrices{}.EquatorToChart);
    EXPECT_EQ(Chart().Frames.HorizonToChart, FrameMatrices{}.HorizonToChart);
    EXPECT_FALSE(Chart().Projection.mirror);
}

TEST(DrawMapTest, PrecessionCarriesCatalogueOrDateFrames) {
    ChartFixture f;
    f.view.jd_local = 2451545.0 + 36525;  // a century on: about 1.4 degrees of precession
    platform::RecordingSurface surface(300, 200);
    f.settings.calcprecession = true;
    f.Draw(surface);
    EXPECT_EQ(Chart().Frames.DateToChart, Chart().Frames.EquatorToChart);
    EXPECT_NE(Chart().Frames.CatalogToChart, Chart().Frames.EquatorToChart);
    f.settings.calcprecession = false;
    f.Draw(surface);
    EXPECT_EQ(Chart().Frames.CatalogToChart, Chart().Frames.EquatorToChart);
    EXPECT_NE(Chart().Frames.DateToChart, Chart().Frames.EquatorToChart);
}

TEST(DrawMapTest, LayerTableOrderAndGates) {
    const char* expected[] = {"ground",        "alt-az grid",       "horizon",          "equatorial grid",
                              "ecliptic",      "galactic equator",  "milky way",        "boundaries",
                              "user catalogue 1", "user catalogue 2", "western lines",  "korean lines",
                              "old-map lines", "old-map names",     "cpolar",           "mansion meridians",
                              "earth shadow",  "deep sky",          "stars",            "western names",
                              "korean names",  "comets",            "asteroids",        "eastern star names",
                              "western star names", "tracks",       "planets",          "map points",
                              "user lines",    "legend",            "centre marks"};
    const auto layers = ChartLayers();
    ASSERT_EQ(layers.size(), std::size(expected));
    for (std::size_t i = 0; i < layers.size(); ++i) EXPECT_STREQ(layers[i].name, expected[i]) << i;
    EXPECT_EQ(layers[8].user_cat_slot, 1);
    EXPECT_EQ(layers[9].user_cat_slot, 2);

    // Each gate follows its own switch only.
    ChartFixture f;
    platform::RecordingSurface surface(300, 200);
    f.Draw(surface);
    DrawContext context{f.Sources(), f.settings, f.styles, f.view, Chart(), Chart().Projection, Chart().Frames};
    EXPECT_FALSE(layers[18].gate(context));
    f.settings.viewstar = true;
    EXPECT_TRUE(layers[18].gate(context));
    f.settings.drawcuscat0 = true;
    EXPECT_FALSE(layers[8].gate(context));
    f.settings.usercatfile0is = true;
    EXPECT_TRUE(layers[8].gate(context));
    EXPECT_TRUE(layers[29].gate(context));
}

TEST(DrawMapTest, SkyColourAndBorderPoints) {
    ChartFixture f;
    platform::RecordingSurface surface(300, 200);
    f.settings.liveskycolor = true;
    f.Draw(surface);
    // The Sun at -89 degrees: the night colour of the twilight table.
    EXPECT_EQ(Chart().SkyBackColor, static_cast<platform::Colour>(f.styles.TwilightColors[0]));
    // The middle border points lie half a field from the centre.
    const SkyPoint top = Chart().BorderPoints[1];
    EXPECT_NEAR(top.lat_deg, 30 + 30, 1e-6);
    EXPECT_NEAR(top.lon_deg, 100, 1e-6);
}

}  // namespace
}  // namespace chart
