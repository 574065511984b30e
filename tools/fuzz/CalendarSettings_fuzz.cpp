// libFuzzer target: the calendar settings reader. Any input must load without
// a crash or sanitizer report, every value must come out in its range, and
// after a write and a read (which may replace a number written at 15 digits
// that no longer fits, by its default) a further write and read changes
// nothing. The work files live in a folder of their own, made with a unique
// name, emptied after every input and removed when the process ends.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "calendar/SettingsFiles.h"
#include "platform/TextFile.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// A fresh folder in memory where the system has a tmpfs (every input makes
// four atomic, synced writes), else in the temporary folder.
std::filesystem::path MakeWorkFolder() {
    std::error_code error;
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path base =
        std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
    std::string name = (base / "vu_fuzz_XXXXXX").string();
    if (!::mkdtemp(name.data())) std::abort();
    return name;
}

void RemoveWorkFolder();

const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = MakeWorkFolder();
    // Registered once the folder's name is made, so it runs before that
    // name is destroyed at exit.
    static const bool removed_at_exit = std::atexit(RemoveWorkFolder) == 0;
    (void)removed_at_exit;
    return folder;
}

void RemoveWorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(WorkFolder(), ignored);
}

// Removes every file the input made (the backups of a damaged input too).
void EmptyWorkFolder() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(WorkFolder(), error))
        std::filesystem::remove(entry.path(), error);
}

bool InRange(double value, calendar::SettingRange range) { return range.Holds(value); }

int RunOne(const std::string& raw) {
    const std::filesystem::path folder = WorkFolder();
    const auto input = folder / "in.cal", first = folder / "first.cal", second = folder / "second.cal",
               third = folder / "third.cal";
    Check(platform::WriteFileBytesAtomic(input, raw));

    calendar::CalendarState state;
    const skydata::ConfigFileStatus status = calendar::ReadSettings(input, state);
    if (status != skydata::ConfigFileStatus::Loaded) return 0;
    const calendar::CalendarSettings& s = state.settings;
    Check(s.RSP >= 1 && s.RSP <= 4);
    Check(s.SDCAT <= 2 && s.DispType <= 4);
    Check(s.Tidal >= 0 && s.Tidal <= 3);
    Check(InRange(s.DispGap, calendar::kGapRange));
    Check(InRange(s.TZ, calendar::kZoneRange) && InRange(s.FH, calendar::kSummerOffsetRange));
    Check(InRange(s.LAT, calendar::kLatitudeRange) && InRange(s.LON, calendar::kLongitudeRange));
    Check(InRange(s.ObsHT, calendar::kHeightRange) && InRange(s.HCol, calendar::kColourRange));
    for (const calendar::CalFontSlot& font : state.fonts) {
        Check(calendar::FontExists(font.name));
        Check(InRange(font.size, calendar::kFontSizeRange) && InRange(font.colour, calendar::kColourRange));
    }
    for (const calendar::SDaySet& set : state.SDays)
        for (int i = 0; i < calendar::kSDayUserSlots; ++i) Check(set[static_cast<std::size_t>(i)].name.size() <= 4 * calendar::kLongestSettingText);

    Check(calendar::WriteSettings(first, state));
    calendar::CalendarState again;
    Check(calendar::ReadSettings(first, again) == skydata::ConfigFileStatus::Loaded);
    Check(calendar::WriteSettings(second, again));
    calendar::CalendarState last;
    Check(calendar::ReadSettings(second, last) == skydata::ConfigFileStatus::Loaded);
    Check(calendar::WriteSettings(third, last));
    Check(platform::ReadFileBytes(second) == platform::ReadFileBytes(third));
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int result = RunOne(std::string(reinterpret_cast<const char*>(data), size));
    EmptyWorkFolder();
    return result;
}
