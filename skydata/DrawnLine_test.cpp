#include "skydata/DrawnLine.h"

#include <gtest/gtest.h>

using namespace skydata;

namespace {

TEST(DrawnLineTest, FirstLineFillsElementZeroAndTheNextGoesToOne) {
    std::vector<DrawnLine> list(1);
    AddDrawnLine(list, 10, 20, 30, 40, 255, "a");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Text, "a");
    AddDrawnLine(list, 11, 21, 31, 41, 0, "b");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].Text, "b");
}

TEST(DrawnLineTest, ZeroLineCountsAsEmpty) {
    std::vector<DrawnLine> list(1);
    AddDrawnLine(list, 0, 0, 0, 0, 255, "nothing");
    AddDrawnLine(list, 1, 2, 3, 4, 255, "real");
    // The zero line took the empty slot but does not count as in use.
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Text, "real");
    AddDrawnLine(list, 0, 0, 0, 0, 255, "nothing again");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(SerializeDrawnLines(list), " 1<; 2<; 3<; 4<; 255<;real\r\n");
}

TEST(DrawnLineTest, DeleteShiftsAndNeverEmptiesTheList) {
    std::vector<DrawnLine> list(1);
    AddDrawnLine(list, 1, 1, 1, 1, 0, "a");
    AddDrawnLine(list, 2, 2, 2, 2, 0, "b");
    AddDrawnLine(list, 3, 3, 3, 3, 0, "c");
    DeleteDrawnLine(list, 7);
    DeleteDrawnLine(list, -1);
    ASSERT_EQ(list.size(), 3u);
    DeleteDrawnLine(list, 1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].Text, "c");
    DeleteDrawnLine(list, 0);
    DeleteDrawnLine(list, 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(IsEmptyDrawnLine(list[0]));
    EXPECT_EQ(SerializeDrawnLines(list), "");
}

TEST(DrawnLineTest, SerialiseThenParseKeepsEveryRecordAlsoWithHostileTexts) {
    std::vector<DrawnLine> list(1);
    const char* texts[] = {"", "plain", " lead and trail ", "x<;y", "cr\r\nlf", "<", ";", "선<;분\n"};
    double v = -170.25;
    for (const char* t : texts) {
        AddDrawnLine(list, v, v / 3, v + 1e-9, -v / 7, 0x00FFEEDD, t);
        v += 41.7;
    }
    std::vector<DrawnLine> back;
    ParseDrawnLines(back, SerializeDrawnLines(list));
    ASSERT_EQ(back.size(), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(i);
        // Numbers pass through their 15-digit text form.
        EXPECT_NEAR(back[i].RA1, list[i].RA1, 1e-12);
        EXPECT_NEAR(back[i].Dec1, list[i].Dec1, 1e-12);
        EXPECT_NEAR(back[i].RA2, list[i].RA2, 1e-12);
        EXPECT_NEAR(back[i].Dec2, list[i].Dec2, 1e-12);
        EXPECT_EQ(back[i].Color, list[i].Color);
        EXPECT_EQ(back[i].Text, list[i].Text);
    }
    EXPECT_EQ(list[2].Text, " lead and trail ");
}

TEST(DrawnLineTest, LastRecordWithoutLineEndIsKeptAndShortRecordsSkipped) {
    std::vector<DrawnLine> list;
    ParseDrawnLines(list, " 1<; 2<; 3<; 4<; 5<;a\r\n 1<; 2<; 3\r\n 6<; 7<; 8<; 9<; 10<;b");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Text, "a");
    EXPECT_EQ(list[1].Text, "b");
    EXPECT_EQ(list[1].Color, 10);
}

}  // namespace
