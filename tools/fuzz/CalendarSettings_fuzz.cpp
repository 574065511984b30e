// libFuzzer target: the calendar settings reader. Any input must load without
// a crash or sanitizer report, every value must come out in its range, and
// after a write and a read (which may replace a number written at 15 digits
// that no longer fits, by its default) a further write and read changes
// nothing.
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

// Scratch files in memory where the system has a tmpfs: every run makes four
// atomic, synced writes.
std::filesystem::path Scratch(const char* name) {
    std::error_code error;
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path folder =
        std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
    return folder / (std::string("vu_fuzz_") + name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const auto input = Scratch("in.cal"), first = Scratch("first.cal"), second = Scratch("second.cal"),
               third = Scratch("third.cal");
    Check(platform::WriteFileBytesAtomic(input, raw));

    vu::CalendarState state;
    const skydata::ConfigFileStatus status = vu::ReadSettings(input, state);
    if (status != skydata::ConfigFileStatus::Loaded) return 0;
    const vu::CalendarSettings& s = state.settings;
    Check(s.RSP >= 1 && s.RSP <= 4);
    Check(s.SDCAT <= 2 && s.DispType <= 4);
    Check(s.Tidal >= 0 && s.Tidal <= 3);
    Check(s.DispGap >= 1);
    for (const vu::CalFontSlot& font : state.fonts) Check(vu::FontExists(font.name));

    Check(vu::WriteSettings(first, state));
    vu::CalendarState again;
    Check(vu::ReadSettings(first, again) == skydata::ConfigFileStatus::Loaded);
    Check(vu::WriteSettings(second, again));
    vu::CalendarState last;
    Check(vu::ReadSettings(second, last) == skydata::ConfigFileStatus::Loaded);
    Check(vu::WriteSettings(third, last));
    Check(platform::ReadFileBytes(second) == platform::ReadFileBytes(third));
    return 0;
}
