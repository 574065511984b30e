// Picking rules and the texts of the object pop-up menu, without a window.
#include <gtest/gtest.h>

#include "zu/main/MouseReadout.h"
#include "zu/main/Pick.h"

namespace zu {
namespace {

chart::ScreenObject At(int x, int y, chart::ObjectKey key) { return chart::ScreenObject{x, y, key}; }

TEST(PickCandidates, SquareOfSixPixelsOnEachAxis) {
    const std::vector<chart::ScreenObject> objects = {
        At(107, 100, chart::PlanetKey(1)),  // 7 px off on x only: outside
        At(100, 93, chart::PlanetKey(2)),   // 7 px off on y only: outside
        At(106, 94, chart::PlanetKey(3)),   // 6 px off on both: inside
        At(94, 106, chart::PlanetKey(4)),   // 6 px off on both, other corner: inside
        At(100, 100, chart::ObjectKey{}),   // an entry without an object
    };
    EXPECT_EQ(PickCandidates(objects, 100, 100), (std::vector<std::string>{"P3", "P4"}));
}

TEST(PickCandidates, NearestFirst) {
    // Nine candidates at distinct distances, given farthest first.
    std::vector<chart::ScreenObject> objects;
    const int offsets[9][2] = {{6, 6}, {6, 5}, {5, 5}, {5, 4}, {4, 4}, {4, 3}, {3, 2}, {2, 1}, {0, 1}};
    for (int i = 0; i < 9; ++i) objects.push_back(At(50 + offsets[i][0], 60 - offsets[i][1], chart::DeepSkyKey(i)));
    EXPECT_EQ(PickCandidates(objects, 50, 60),
              (std::vector<std::string>{"M8", "M7", "M6", "M5", "M4", "M3", "M2", "M1", "M0"}));
    EXPECT_TRUE(PickCandidates(objects, 500, 600).empty());
}

TEST(SplitObjectKey, EveryKeyForm) {
    struct Row {
        const char* key;
        char letter;
        long zone;
        long index;
    };
    const Row rows[] = {
        {"S3:15", 'S', 3, 15}, {"E29:1042", 'E', 29, 1042}, {"P8", 'P', 0, 8},   {"C12", 'C', 0, 12},
        {"A0", 'A', 0, 0},     {"M9938", 'M', 0, 9938},     {"Null", 'N', 0, 0}, {"(UC2_St:0007)", '(', 0, 0},
    };
    for (const Row& row : rows) {
        const KeyParts parts = SplitObjectKey(row.key);
        EXPECT_EQ(parts.letter, row.letter) << row.key;
        EXPECT_EQ(parts.zone, row.zone) << row.key;
        EXPECT_EQ(parts.index, row.index) << row.key;
    }
}

TEST(PopupTexts, StarMagnitudes) {
    EXPECT_EQ(StarItemCaption("HR 424", 1.5, true), "HR 424 [1.50등급]");
    EXPECT_EQ(StarItemCaption("HR 2491", -1.46, true), "HR 2491 [-1.46등급]");
    EXPECT_EQ(StarItemCaption("Sky2000 123456", 7.3, false), "Sky2000 123456 [7.3등급]");
}

TEST(PopupTexts, RiseTransitSetItemsOfOneDay) {
    const RiseTransitSetItems normal = MakeRiseTransitSetItems(6.5, 12.25, 18.75);
    EXPECT_TRUE(normal.rise_visible && normal.transit_enabled && normal.set_visible);
    EXPECT_EQ(normal.rise_caption, "뜨는 시각:06시 30분");
    EXPECT_EQ(normal.transit_caption, "남중 시각:12시 15분");
    EXPECT_EQ(normal.set_caption, "지는 시각:18시 45분");

    // A body that does not rise that day still shows its transit.
    const RiseTransitSetItems no_rise = MakeRiseTransitSetItems(-1, 3.5, 9);
    EXPECT_FALSE(no_rise.rise_visible);
    EXPECT_TRUE(no_rise.transit_enabled);
    EXPECT_TRUE(no_rise.set_visible);

    // No transit in the civil day (the Moon about once a month), or a time
    // past the day's end: the item cannot move the chart to another day.
    for (const double transit : {-1.0, 24.0, 24.6}) {
        const RiseTransitSetItems no_transit = MakeRiseTransitSetItems(1, transit, 13);
        EXPECT_FALSE(no_transit.transit_enabled) << transit;
        EXPECT_EQ(no_transit.transit_caption, "남중 시각:--") << transit;
    }
    // Never rising or setting (25 h) and the fixed-place "no event" (-24 h).
    for (const double none : {25.0, -24.0}) {
        const RiseTransitSetItems items = MakeRiseTransitSetItems(none, 0.5, none);
        EXPECT_FALSE(items.rise_visible) << none;
        EXPECT_FALSE(items.set_visible) << none;
        EXPECT_TRUE(items.transit_enabled) << none;
    }
}

TEST(PointerTexts, PanelFormats) {
    EXPECT_EQ(AzAltText(180, 45.5), "방위각:180도 0분 0초  고도: 45도 30분 0초");
    EXPECT_EQ(AzAltText(10.25, -5.5), "방위각:10도 15분 0초  고도: -5도 30분 0초");
    EXPECT_EQ(BandText(30, 359.96), "각거리: 30도 0분 0초  위치각: 360.0도");
    EXPECT_EQ(BandText(1.5, 45.04), "각거리: 1도 30분 0초  위치각: 45.0도");
    // 6h 45m 9.6s, -16 deg 42' 59.4" (near Sirius); whole seconds.
    EXPECT_EQ(*EquatorialPanelText(101.29, -16.7165, 0, true), "적경: 6시 45분 9초  적위: -16도 42분 59초");
    const auto palace = EquatorialPanelText(101.29, -16.7165, 1, true);
    ASSERT_TRUE(palace);
    EXPECT_EQ(palace->rfind("적경: ", 0), 0u);
    EXPECT_NE(palace->find("  거극도: 106도 42분 59초"), std::string::npos) << *palace;
    EXPECT_EQ(EquatorialPanelText(101.29, -16.7165, 2, true)->rfind("입수도: ", 0), 0u);
    EXPECT_FALSE(EquatorialPanelText(101.29, -16.7165, 3, true));
}

}  // namespace
}  // namespace zu
