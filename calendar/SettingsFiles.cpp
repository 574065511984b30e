#include "calendar/SettingsFiles.h"

namespace vu {

namespace {
std::vector<std::string> g_font_list;
}

std::vector<std::string>& FontList() { return g_font_list; }
void ListFonts(std::vector<std::string> families) { g_font_list = std::move(families); }
bool FontExists(std::string_view) { return false; }
skydata::ConfigFileStatus ReadSettings(const std::filesystem::path&, CalendarState&) {
    return skydata::ConfigFileStatus::Missing;
}
bool WriteSettings(const std::filesystem::path&, const CalendarState&) { return false; }
skydata::ConfigFileStatus LoadDefaultConfig(CalendarState&) { return skydata::ConfigFileStatus::Missing; }
bool SaveDefaultConfig(CalendarState&, const std::function<void(CalendarState&)>&) { return false; }
void ResetSettingsFilesState() { g_font_list.clear(); }

}  // namespace vu
