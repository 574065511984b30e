#include "skydata/SettingsSky.h"

#include <gtest/gtest.h>

using namespace skydata;

namespace {

TEST(SettingsSkyTest, CoreRecordFollowsTheSnapshotAndBack) {
    SettingsSnapshot snapshot;
    snapshot.lat = -33.9;
    snapshot.nobsname = "보현산";
    snapshot.AirExCoff = 0.35f;
    snapshot.oldequ = 2;
    snapshot.MapRefreshRate = 30;
    snapshot.psystem = false;
    snapshot.fsetstr[1] = "AOri";
    astro::SkySettings sky;
    FillSkySettings(snapshot, sky);
    EXPECT_EQ(sky.lat, -33.9);
    EXPECT_EQ(sky.nobsname, "보현산");
    EXPECT_EQ(sky.AirExCoff, 0.35f);
    EXPECT_EQ(sky.oldequ, 2);
    EXPECT_EQ(sky.MapRefreshRate, 30);
    EXPECT_FALSE(sky.psystem);
    EXPECT_EQ(sky.fsetstr1, "AOri");
    EXPECT_EQ(sky.fsetstr0, "");

    sky.vmlimit = 6.75;
    sky.Temperature = -5;
    SettingsSnapshot back = snapshot;
    ReadSkySettings(sky, back);
    EXPECT_EQ(back.vmlimit, 6.75);
    EXPECT_EQ(back.Temperature, -5);
    EXPECT_EQ(back.nobsname, "보현산");
    EXPECT_EQ(back.fsetstr[1], std::optional<std::string>("AOri"));
    EXPECT_FALSE(back.fsetstr[0].has_value());
}

}  // namespace
