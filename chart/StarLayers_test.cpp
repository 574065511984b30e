#include "chart/StarLayers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "astro/Coordinates.h"
#include "chart/ChartTestSupport.h"
#include "skydata/Stars.h"

namespace chart {
namespace {

using testing::CallsStartingWith;
using testing::ChartFixture;

// Stars only, equatorial chart centred on RA 100, Dec 30 (zone 6).
struct StarFixture : ChartFixture {
    StarFixture() {
        settings.viewstar = true;
        settings.viewbayer = false;
        settings.vmlimit = 5.5;
    }
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < ScreenObjectCount(); ++i) keys.push_back(Chart().ScreenObjects[i].KeyText());
        return keys;
    }
};

TEST(StarLayersTest, VisibleZonesOfANarrowAndAnAllSkyView) {
    StarFixture f;
    f.view.fov_deg = 5;
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    for (int z = 0; z < skydata::kStarZoneCount; ++z) EXPECT_EQ(Chart().ZoneVisible[z], z == 6) << z;

    f.view.fov_deg = 190;
    f.Draw(surface);
    const int flagged = static_cast<int>(std::count(Chart().ZoneVisible.begin(), Chart().ZoneVisible.end(), true));
    EXPECT_GT(flagged, 15);
    EXPECT_TRUE(Chart().ZoneVisible[0]);   // north cap
    EXPECT_TRUE(Chart().ZoneVisible[12]);  // equatorial band, other side of the sky
}

TEST(StarLayersTest, StarAtTheCentreGivesOneKeyAtTheCentrePixel) {
    StarFixture f;
    for (int i = 0; i < 3; ++i) f.AddBrightStar(6, 101, 31, 9.0f);  // too faint
    f.AddBrightStar(6, 100, 30, 2.0f);
    platform::RecordingSurface surface(401, 301);
    f.Draw(surface);
    ASSERT_EQ(ScreenObjectCount(), 1u);
    const ScreenObject& o = Chart().ScreenObjects[0];
    EXPECT_EQ(o.KeyText(), "S6:3");
    EXPECT_EQ(o.X, Chart().Projection.PixCenterX);
    EXPECT_EQ(o.Y, Chart().Projection.PixCenterY);
}

TEST(StarLayersTest, TraditionalSelectionAndTheExtendedCatalogue) {
    StarFixture f;
    f.AddBrightStar(6, 100, 30, 1.0f, "");      // in no traditional constellation
    f.AddBrightStar(6, 100.5, 30, 1.0f, "CS");  // in one
    f.AddExtraStar(6, 99.5, 30, 3.0f);
    platform::RecordingSurface surface(400, 300);
    f.settings.viewconstar = 0;
    f.Draw(surface);
    EXPECT_EQ(f.Keys(), std::vector<std::string>{"S6:1"});
    f.settings.viewconstar = 1;
    f.Draw(surface);
    EXPECT_EQ(f.Keys(), (std::vector<std::string>{"S6:0", "S6:1", "E6:0"}));
}

TEST(StarLayersTest, DiscColourAndRadius) {
    StarFixture f;
    f.settings.viewspt = false;
    f.settings.vmlimit = 5.5;
    f.AddBrightStar(6, 100, 30, 5.0f);
    f.AddBrightStar(6, 101, 30, 2.0f);
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    // Magnitude 5: 255 / 3.5 = 72.9, set just before its disc.
    const ScreenObject& faint = Chart().ScreenObjects[0];
    const auto& calls = surface.Calls();
    const auto disc = std::find_if(calls.begin(), calls.end(), [&](const std::string& c) {
        return c.rfind("Circle(" + std::to_string(faint.X) + "," + std::to_string(faint.Y) + "),", 0) == 0;
    });
    ASSERT_NE(disc, calls.end());
    EXPECT_EQ(*(disc - 1), "FillColor=RGB(73,73,73)");
    EXPECT_TRUE(disc->ends_with(",RGB(73,73,73)")) << *disc;
    const ScreenObject& bright = Chart().ScreenObjects[1];
    const std::string circle = "Circle(" + std::to_string(bright.X) + "," + std::to_string(bright.Y) + "),";
    // (5.5 + 1 - 2) * 1 = 4.5: radius 4.
    EXPECT_EQ(CallsStartingWith(surface, circle).at(0).substr(circle.size(), 2), "4,");
    f.settings.sf = 0;
    surface.ClearCalls();
    f.Draw(surface);
    EXPECT_EQ(CallsStartingWith(surface, circle).at(0).substr(circle.size(), 2), "1,");
}

TEST(StarLayersTest, ExtinctionDimsButKeepsTheStar) {
    StarFixture f;
    f.view.coord_sys = std::string(1, 'a');
    f.view.center_lon_deg = 0;
    f.view.center_lat_deg = 1;
    f.view.fov_deg = 20;
    f.settings.AirEx = true;
    f.settings.vmlimit = 6;
    // A bright star half a degree above the north horizon.
    double ra, dec;
    astro::HorizontalToEquatorial(0, 0.5, 0, 37.5, ra, dec);
    f.AddBrightStar(skydata::StarZoneOf(ra, dec), ra, dec, 3.0f);
    platform::RecordingSurface surface(300, 300);
    f.Draw(surface);
    ASSERT_EQ(ScreenObjectCount(), 1u);
    // Extinction there pushes m' to the cap of 11: the faintest grey.
    ASSERT_GT(3.0f + astro::ExtinctionAt(0.5), 11.0f);
    EXPECT_EQ(CallsStartingWith(surface, "FillColor=RGB(9,9,9)").size(), 1u);  // 255 / 27.62
    // The equatorial chart never applies extinction: the grey of magnitude 3.
    f.view.coord_sys = std::string(1, 'e');
    f.view.center_lon_deg = ra;
    f.view.center_lat_deg = dec;
    surface.ClearCalls();
    f.Draw(surface);
    ASSERT_EQ(ScreenObjectCount(), 1u);
    EXPECT_EQ(CallsStartingWith(surface, "FillColor=RGB(166,166,166)").size(), 1u);  // 255 / 1.54
    EXPECT_TRUE(f.settings.AirEx);
}

TEST(StarLayersTest, BayerLabelBesideTheDisc) {
    StarFixture f;
    f.settings.viewbayer = true;
    f.settings.viewbayerlimit = 3;
    f.AddBrightStar(6, 100, 30, 1.0f);
    f.catalogs.BscStar[6][0].Bayer = "α";
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    const auto& calls = surface.Calls();
    const auto it = std::find(calls.begin(), calls.end(), "Print \"α\"");
    ASSERT_NE(it, calls.end());
    // r = floor(5.5 + 1 - 1) = 5; half the text height 6: (X + 7, Y - 6).
    const int x = Chart().Projection.PixCenterX, y = Chart().Projection.PixCenterY;
    EXPECT_EQ(*(it - 2), "CurrentX=" + std::to_string(x + 7));
    EXPECT_EQ(*(it - 1), "CurrentY=" + std::to_string(y - 6));
}

TEST(StarLayersTest, ExtraStarLabelsByStyle) {
    StarFixture f;
    f.settings.viewconstar = 1;
    f.settings.S2kName = 1;
    f.AddExtraStar(6, 100, 30, 3.0f);  // no HD number
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    EXPECT_EQ(CallsStartingWith(surface, "Print \"HD\"").size(), 1u);
    f.settings.S2kName = 3;
    surface.ClearCalls();
    f.Draw(surface);
    EXPECT_TRUE(CallsStartingWith(surface, "Print \"HD").empty());
}

struct NameFixture : StarFixture {
    NameFixture() {
        settings.viewstar = false;
        settings.viewstarname2 = true;
        settings.starnamelang = 1;
    }
    void AddName(const char* name, double ra, double dec, float mag) {
        skydata::StarNameEntry e;
        e.Name = name;
        e.Name2 = std::string(name) + "2";
        const testing::Vec v = testing::VectorOf(ra, dec);
        e.x = v.x;
        e.y = v.y;
        e.z = v.z;
        e.Mag = mag;
        catalogs.WestStarNames.push_back(e);
    }
};

TEST(StarLayersTest, StarNamesUpToTheNameLimit) {
    NameFixture f;
    f.settings.viewnamelimit = 5;
    f.settings.vmlimit = 4;
    f.AddName("A", 100, 30, 4.0f);
    f.AddName("B", 100.5, 30, 4.5f);
    f.catalogs.WestStarNames.push_back({});  // a name without its star
    f.catalogs.WestStarNames.back().Name = "lost";
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    EXPECT_EQ(CallsStartingWith(surface, "Print \"A\"").size(), 1u);
    EXPECT_TRUE(CallsStartingWith(surface, "Print \"B\"").empty());
    EXPECT_TRUE(CallsStartingWith(surface, "Print \"lost\"").empty());
    EXPECT_EQ(ScreenObjectCount(), 0u);  // names are not picked
}

TEST(StarLayersTest, BothNamesStackedLeftOfTheStar) {
    NameFixture f;
    f.settings.starnamelang = 0;
    f.AddName("Vega", 100, 30, 0.0f);
    platform::RecordingSurface surface(400, 300);
    f.Draw(surface);
    const auto& calls = surface.Calls();
    const auto upper = std::find(calls.begin(), calls.end(), "Print \"Vega2\"");
    ASSERT_NE(upper, calls.end());
    const int x = Chart().Projection.PixCenterX, y = Chart().Projection.PixCenterY;
    // 5 characters of 7 units, 6 pixels to the star.
    EXPECT_EQ(*(upper - 2), "CurrentX=" + std::to_string(x - 35 - 6));
    EXPECT_EQ(*(upper - 1), "CurrentY=" + std::to_string(y - 4));
    EXPECT_EQ(*(upper + 1), "CurrentX=" + std::to_string(x - 35 - 6));
    EXPECT_EQ(*(upper + 2), "CurrentY=" + std::to_string(y + 12 - 3));
    EXPECT_EQ(*(upper + 3), "Print \"Vega\"");
}

}  // namespace
}  // namespace chart
