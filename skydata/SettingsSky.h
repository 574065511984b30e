#pragma once
// Copies between the settings snapshot and the settings record that the
// computing core reads (astro::SkySettings). The snapshot is what the settings
// files hold; the core's record is filled from it after every settings load,
// and a dialog that changed the core's record copies it back before a save.
#include "astro/SkySettings.h"
#include "skydata/Settings.h"

namespace skydata {

// A constellation filter that was never set (show all) becomes the empty text
// in the core's record, which no computation reads.
void FillSkySettings(const SettingsSnapshot& snapshot, astro::SkySettings& sky);
void ReadSkySettings(const astro::SkySettings& sky, SettingsSnapshot& snapshot);

}  // namespace skydata
