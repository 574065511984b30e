#include "skydata/MapPoint.h"

#include "skydata/DrawnLine.h"

#include <gtest/gtest.h>

using namespace skydata;

namespace {

TEST(MapPointTest, FirstPointOfAnEmptyListFillsElementZero) {
    std::vector<MapPoint> list;
    ClearMapPoints(list);
    ASSERT_EQ(list.size(), 1u);
    AddMapPoint(list, 10, 20, 1, 60, "첫째", 255);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Flag, "y");
    EXPECT_EQ(list[0].Name, "첫째");
    AddMapPoint(list, 11, 21, 2, 30, "둘째", 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].Name, "둘째");
}

TEST(MapPointTest, OnlyPointsFlaggedYAreSaved) {
    std::vector<MapPoint> list;
    ClearMapPoints(list);
    AddMapPoint(list, 10, 20, 1, 60, "kept", 255);
    AddMapPoint(list, 30, -40, 3, 15, "hidden", 65280);
    list[1].Flag = std::string(1, 'n');
    AddMapPoint(list, 50, 60, 5, 60, "also kept", 0);
    list[2].Flag = std::string(1, 'Y');  // not exactly "y"
    const std::string text = SerializeMapPoints(list);
    EXPECT_EQ(text, "y<; 10<; 20<;kept<; 255<; 60<; 1\r\n");
    std::vector<MapPoint> back;
    ParseMapPoints(back, text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Name, "kept");
}

TEST(MapPointTest, SerialiseThenParseKeepsEveryRecordAlsoWithHostileNames) {
    std::vector<MapPoint> list;
    ClearMapPoints(list);
    const char* names[] = {"plain", "a<;b", "line\r\nbreak", "lone\rcr\nlf", "<;<;", "[/PointData]", "  padded  ",
                           "별<;표", ""};
    double ra = 0.1;
    for (const char* n : names) {
        AddMapPoint(list, ra, -ra / 2, static_cast<std::uint8_t>(static_cast<int>(ra) % 6), 0.28f, n, 123456);
        ra += 37.3;
    }
    const std::string text = SerializeMapPoints(list);
    std::vector<MapPoint> back;
    ParseMapPoints(back, text);
    ASSERT_EQ(back.size(), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(back[i].RA, list[i].RA);
        EXPECT_DOUBLE_EQ(back[i].Dec, list[i].Dec);
        EXPECT_EQ(back[i].Size, list[i].Size);
        EXPECT_EQ(back[i].Color, list[i].Color);
        EXPECT_EQ(back[i].Kind, list[i].Kind);
        EXPECT_EQ(back[i].Flag, "y");
        EXPECT_EQ(back[i].Name, list[i].Name);
        EXPECT_EQ(list[i].Name.find("<;"), std::string::npos);
        EXPECT_EQ(list[i].Name.find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(list[1].Name, "a< ;b");
    EXPECT_EQ(list[6].Name, "padded");
}

TEST(MapPointTest, LastRecordWithoutLineEndIsKept) {
    std::vector<MapPoint> list;
    ParseMapPoints(list, "y<; 1<; 2<;a<; 255<; 60<; 1\r\ny<; 3<; 4<;b<; 0<; 30<; 2");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].Name, "b");
    EXPECT_EQ(list[1].Kind, 2);
}

TEST(MapPointTest, DamagedRecordsAreSkippedOrRepaired) {
    std::vector<MapPoint> list;
    // Too few fields; then a kind out of range and a colour that is no number.
    ParseMapPoints(list, "y<; 1<; 2<;short\r\ny<; 5<; 6<;odd<; red<; 60<; 99\r\n");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Name, "odd");
    EXPECT_EQ(list[0].Color, 0);
    EXPECT_EQ(list[0].Kind, 1);
    ParseMapPoints(list, "   ");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0].Flag.empty());
}

TEST(MapPointTest, RecordSplitting) {
    const auto pieces = SplitRecordLines("a\r\n\r\nb\r\nc");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[1], "");
    EXPECT_EQ(pieces[3], "c");
    EXPECT_EQ(SplitRecordLines("a\r\n  ").size(), 1u);
    EXPECT_EQ(SplitMarkFields("<;x<;").size(), 3u);
}

}  // namespace
