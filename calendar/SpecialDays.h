#pragma once
// The special-day table: three sets of 417 slots. Slots 0..365 hold the
// user's entries (edited on the special-day page, saved in the settings
// files); slots 366..416 hold what YearSpecialDays computes for the displayed
// year. The two text forms of an entry (settings-file value and editor list
// line) and the lookups that name a day are here.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calendar {

inline constexpr std::int16_t EveryYear = -10000;  // year: every year
inline constexpr std::int16_t DDayYear = -15000;   // year: a D-Day entry
inline constexpr std::int16_t NoMonth = -5;        // month: empty slot

inline constexpr int kSDaySets = 3;
inline constexpr int kSDaySlots = 417;
inline constexpr int kSDayUserSlots = 366;  // slots 0..365

// Kind flags.
inline constexpr std::uint8_t kSDayHoliday = 1;
inline constexpr std::uint8_t kSDayHighlight = 2;

struct SDayRecord {
    double jd = 0;                  // noon Julian day in the displayed year; never saved
    std::int16_t year = EveryYear;  // EveryYear, DDayYear or a year
    std::int16_t month = NoMonth;   // 1..12; NoMonth empty; a D-Day's reference slot
    std::int16_t day = 0;           // day of month; a D-Day's offset in days
    bool lunar = false;
    bool leap = false;
    std::string name;
    std::uint8_t kind = 0;          // 1 holiday, 2 highlight
    // Transient, never saved: a D-Day whose reference could not be resolved
    // for the displayed year. Such an entry is not shown; its stored fields
    // stay as the user entered them.
    bool unresolved = false;

    bool InUse() const { return month >= 0 && !unresolved; }
    friend bool operator==(const SDayRecord&, const SDayRecord&) = default;
};

using SDaySet = std::array<SDayRecord, kSDaySlots>;
using SDayTable = std::array<SDaySet, kSDaySets>;

// Every slot of the set becomes the empty entry.
void ClearSDaySet(SDaySet& set);
// The same for set 0..2 of the calendar's table (CalendarState::SDays).
void ClearSDaySet(int set);

// Settings-file value: year, month, day, lunar, leap, name, kind joined by
// " :; "; the empty entry is "-10000 :; -5 :;  0 :; F :; F :;  :;  0".
std::string SDayToText(const SDayRecord& record);
// The inverse. Year "x" gives DDayYear; a value of fewer than seven pieces,
// or a number that does not fit its field, gives the empty entry; jd is 0.
SDayRecord TextToSDay(std::string_view text);
// The same, with nullopt where TextToSDay gives the empty entry for a value
// it cannot parse.
std::optional<SDayRecord> ParseSDay(std::string_view text);

// The editor's list line: "(007) 지정된 내용 없음", "(010) 백일-2번 기념일 +100일",
// "(003) 설날-(음)1월 1일".
std::string SDayListText(int slot, const SDayRecord& record);

// Appends to text (joined by ", ") the names of the set's entries whose jd
// equals jd (solar entries, computed days, terms, D-Days, lunar entries of one
// given year); kind is OR-ed with theirs. A computed entry (slots 366 and
// up: computed days, solar terms) whose name the text already holds is not
// named again, so a day shown from several sets names each term once.
std::string DaySDayNames(std::string text, double jd, std::uint8_t& kind, const SDaySet& set);
std::string DaySDayNames(std::string text, double jd, std::uint8_t& kind, int set);

// What follows the name of a lunar entry of the 30th kept on the 29th.
inline constexpr const char* kMovedTo29Mark = "(30일 기념일을 29일에)";

// Appends the names of the set's lunar entries on that lunar date (every-year
// entries or entries of that lunar year, same leap flag). In a month of 29
// days (month_days 29) the entries of the 30th are kept on the 29th, as is
// the custom for birthdays and memorial days; with mark_moved their names
// carry kMovedTo29Mark.
std::string SDayNamesOfDate(std::string text, std::int16_t lunar_year, std::uint8_t lunar_month,
                            std::uint8_t lunar_day, bool leap, std::uint8_t& kind, const SDaySet& set,
                            int month_days = 30, bool mark_moved = false);
std::string SDayNamesOfDate(std::string text, std::int16_t lunar_year, std::uint8_t lunar_month,
                            std::uint8_t lunar_day, bool leap, std::uint8_t& kind, int set);

// Appends each listed event whose local civil day (event + zone / 24) is jd,
// followed directly by its HourText: "그믐(08시)".
std::string AppendEventNames(std::string text, double jd, double zone_h, const std::vector<double>& event_jd,
                             const std::vector<std::string>& event_name);
// The same over the calendar's last list (CalendarState::EventJD, EventName).
std::string AppendEventNames(std::string text, double jd, double zone_h);

}  // namespace calendar
