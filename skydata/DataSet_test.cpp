// Checks of the committed data set itself, independent of the loaders: record
// lengths, the per-zone counts the extended catalogue is cut to, and that
// every text file is clean code page 949.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/TextFile.h"

namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(ZU_SOURCE_DIR) / "data";

std::string ZoneFile(const char* folder, const char* prefix, int zone) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%02d.dat", prefix, zone);
    return (kData / folder / name).string();
}

TEST(DataSet, ZoneFilesHoldWholeRecords) {
    // Extended catalogue: the brightest stars of each zone, one more than
    // the zone's last index, as the chart's zone table expects.
    const int kS2kLastIndex[30] = {7694,  11703, 7434,  7180,  13845, 9754,  12836, 7660, 6521,  13019,
                                   13983, 6030,  8058,  13975, 6958,  5737,  6765,  11699, 7467, 7307,
                                   13551, 13478, 10590, 13055, 8996,  5912,  13096, 14969, 7463, 3304};
    std::uintmax_t bright = 0;
    for (int zone = 0; zone < 30; ++zone) {
        SCOPED_TRACE(zone);
        const fs::path bsc = ZoneFile("bsc", "bsc", zone);
        const fs::path s2k = ZoneFile("sky2000", "s2k", zone);
        ASSERT_TRUE(fs::exists(bsc));
        ASSERT_TRUE(fs::exists(s2k));
        EXPECT_EQ(fs::file_size(bsc) % 42, 0u);
        EXPECT_EQ(fs::file_size(s2k) % 59, 0u);
        EXPECT_EQ(fs::file_size(s2k) / 59, static_cast<std::uintmax_t>(kS2kLastIndex[zone] + 1));
        bright += fs::file_size(bsc) / 42;
    }
    EXPECT_EQ(bright, 9096u);
}

// One bright-star record read straight from its 42 bytes.
struct BrightStar {
    int zone = -1;
    int hr = 0;
    float v_mag = 0;
    std::string sp_type, flamsteed;
    int bayer = 24;
};

BrightStar FindBrightStar(int hr) {
    for (int zone = 0; zone < 30; ++zone) {
        const auto bytes = platform::ReadFileBytes(ZoneFile("bsc", "bsc", zone));
        if (!bytes) continue;
        for (std::size_t at = 0; at + 42 <= bytes->size(); at += 42) {
            const char* r = bytes->data() + at;
            std::int16_t number;
            std::memcpy(&number, r, 2);
            if (number != hr) continue;
            BrightStar star;
            star.zone = zone;
            star.hr = number;
            std::memcpy(&star.v_mag, r + 18, 4);
            star.sp_type = std::string(r + 22, r + 24);
            star.flamsteed = std::string(r + 24, r + 27);
            star.bayer = static_cast<unsigned char>(r[27]);
            return star;
        }
    }
    return {};
}

TEST(DataSet, KnownBrightStars) {
    // Values of the Bright Star Catalogue, 5th revised edition.
    struct Case {
        int hr, zone;
        const char* flamsteed;  // right-aligned in three characters
        int bayer;              // 0 = alpha
        float v_mag;
        const char* sp_type;    // empty: not checked
    } cases[] = {
        {2491, 20, "  9", 0, -1.46f, "A1"},  // Sirius, 9 alpha CMa, A1V
        {424, 0, "  1", 0, 2.02f, ""},       // Polaris, 1 alpha UMi
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hr);
        const BrightStar star = FindBrightStar(c.hr);
        ASSERT_EQ(star.hr, c.hr);
        EXPECT_EQ(star.zone, c.zone);
        EXPECT_EQ(star.flamsteed, c.flamsteed);
        EXPECT_EQ(star.bayer, c.bayer);
        EXPECT_NEAR(star.v_mag, c.v_mag, 0.005);
        if (*c.sp_type) {
            EXPECT_EQ(star.sp_type, c.sp_type);
        }
    }
}

TEST(DataSet, TextFilesAreCleanCodePage949) {
    // The constellation line files and the splash picture are binary.
    const char* files[] = {"eName.dat",      "wName.dat",      "dso.dat",       "clabelW.dat",  "clabelE.dat",
                           "clabelO.dat",    "ConstDataW.dat", "ConstDataE.dat", "ConstDataO.dat", "bound.dat",
                           "pos_data.dat",   "milkyway.dat",   "Comet.txt",     "histComet.txt", "Asteroid.txt",
                           "local.txt",      "concmt.txt"};
    for (const char* name : files) {
        SCOPED_TRACE(name);
        const auto bytes = platform::ReadFileBytes(kData / name);
        ASSERT_TRUE(bytes.has_value());
        ASSERT_FALSE(bytes->empty());
        // Strict decoding: no byte sequence may need a replacement character,
        // and no character was lost as '?' on the way in.
        const std::string text = platform::Cp949ToUtf8(*bytes);
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos);
        EXPECT_EQ(platform::Utf8ToCp949(text), *bytes);
    }
}

}  // namespace
