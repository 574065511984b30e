// libFuzzer target: the settings store parser and the whole settings load.
// Any input must load without a crash or sanitizer report, and a saved
// snapshot must load back to the same snapshot.
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void Reset() {
    skydata::ResetSettingsModule();
    skydata::ResetMapPointModule();
    skydata::ResetDrawnLineModule();
    skydata::ResetPathModule();
    skydata::ResetStartupTables();
    skydata::SettingsModule().Hooks.TodayJD = [] { return 2454606.5; };
    skydata::PathModule().Names.CometIndexOf = [](std::string_view name) -> std::optional<int> {
        if (name.size() == 1) return static_cast<int>(static_cast<unsigned char>(name[0]));
        return std::nullopt;
    };
    skydata::PathModule().Names.CometNameAt = [](int index) -> std::optional<std::string> {
        if (index < 0 || index > 255) return std::nullopt;
        return std::string(1, static_cast<char>(index));
    };
}

std::string LoadAndBuild(const std::string& text) {
    skydata::ConfigStore().ConfigText = text;
    skydata::LoadSettingsFromStore(skydata::SettingsWindowKeys::Included);
    skydata::BuildSettingsStore(skydata::SettingsWindowKeys::Included);
    return skydata::ConfigStore().ConfigText;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const std::string text = platform::Cp949ToUtf8(raw);

    const std::vector<skydata::ConfigEntry> entries = skydata::ParseConfigEntries(raw);
    for (std::size_t i = 0; i < entries.size() && i < 4; ++i) {
        Check(skydata::FindConfigValue(raw, entries[i].Key).has_value());
    }
    skydata::ConfigStore().ConfigText = raw;
    (void)skydata::ReadConfigLong("a", 1);
    (void)skydata::ReadConfigInt("a", 1);
    (void)skydata::ReadConfigSingle("a", 1);
    (void)skydata::ReadConfigBool("a", true);

    // One load and save normalises a file (trimmed texts, repaired ranges);
    // from then on a load and a save must change nothing.
    Reset();
    const std::string first = LoadAndBuild(text);
    Reset();
    const std::string second = LoadAndBuild(first);
    Reset();
    const std::string third = LoadAndBuild(second);
    Check(second == third);
    return 0;
}
