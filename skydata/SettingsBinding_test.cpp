// The computing core and the settings store share one settings record.
#include <gtest/gtest.h>

#include "astro/SkySettings.h"
#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"

namespace {

TEST(SettingsBindingTest, CoreReadsTheLoadedSnapshot) {
    skydata::ResetSettingsModule();
    skydata::SettingsSnapshot& snapshot = skydata::CurrentSettings();
    snapshot.lat = 37.5;
    snapshot.psystem = false;
    EXPECT_EQ(astro::Settings().lat, 37.5);
    EXPECT_FALSE(astro::Settings().psystem);
    // A command that changes the core's view changes what is saved.
    astro::Settings().vmlimit = 7.25;
    EXPECT_EQ(snapshot.vmlimit, 7.25);
    skydata::ResetSettingsModule();
    EXPECT_EQ(astro::Settings().lat, 35.82);
    EXPECT_EQ(&astro::Settings(), static_cast<astro::SkySettings*>(&skydata::CurrentSettings()));
}

}  // namespace
