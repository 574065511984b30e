#include "chart/ObjectKey.h"

#include <gtest/gtest.h>

namespace chart {
namespace {

TEST(ObjectKeyTest, EveryFormWritesAndReadsBack) {
    const struct {
        ObjectKey key;
        const char* text;
    } cases[] = {
        {BrightStarKey(6, 123), "S6:123"},
        {ExtraStarKey(29, 0), "E29:0"},
        {DeepSkyKey(9938), "M9938"},
        {PlanetKey(0), "P0"},
        {PlanetKey(8), "P8"},
        {CometKey(12), "C12"},
        {AsteroidKey(3), "A3"},
        {UserShapeKey(2, 3, 7), "(UC2_S3:0007)"},
        {UserShapeKey(1, 5, 12345), "(UC1_S5:12345)"},
        {UserStarKey(1, 0), "(UC1_St:0000)"},
        {UserNebulaKey(2, 42), "(UC2_Nb:0042)"},
        {UserTextKey(1, 999), "(UC1_Ch:0999)"},
        {NullKey(), "Null"},
        {ObjectKey{}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.key.Text(), c.text);
        const auto parsed = ParseObjectKey(c.text);
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(*parsed, c.key) << c.text;
    }
}

TEST(ObjectKeyTest, TextsThatAreNoKeys) {
    for (const char* text : {"X1", "S6", "S30:1", "S:1", "P", "M-1", "Mx", "(UC3_St:0001)", "(UC1_S6:0001)",
                             "(UC1_Zz:0001)", "(UC1_St:)", "(UC1_St:0001", "S1:2:3"}) {
        EXPECT_FALSE(ParseObjectKey(text).has_value()) << text;
    }
}

}  // namespace
}  // namespace chart
