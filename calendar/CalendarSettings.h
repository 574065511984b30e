#pragma once
// The calendar program's settings: one field per key of its settings files,
// named by the key, with the key's default; the six font slots of the month
// grid; and the summer-time rule that gives the zone in force on a day.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace calendar {

struct CalendarSettings {
    double TZ = 9;                 // standard zone of the site, hours east
    bool RefKR = true;             // lunar dates in Korean time
    bool Islam = false;            // show the Islamic date
    std::int16_t RSP = 4;          // rise/set search step, 1 (finest) to 4
    double FH = 0;                 // summer-time offset, hours
    bool Today = true;             // highlight today
    bool ShowRST = false;          // rise and set times in the cells
    bool Astro = true;             // astronomical events
    bool SDay = true;              // special days
    double LON = 128;              // site longitude, degrees east
    double LAT = 37.5;             // site latitude, degrees north
    bool MeanSun = false;          // mean principal terms
    bool MeanMoon = false;         // mean new moons
    bool Jinsak = false;           // a new moon from 18:00 starts the next day
    bool Auto = true;              // the three rules above follow the year's era
    bool AutoSize = true;          // shrink cell text that does not fit
    bool DT = false;               // use dTValue instead of the computed Delta T
    std::string dTValue = "63";    // that Delta T, seconds
    std::uint8_t SDCAT = 0;        // active special-day set, 0..2
    std::uint8_t DispType = 0;     // how the sets are shown, 0..4
    bool Jan1 = false;             // day count from 1 January
    bool BaseJD = false;           // day count from Base
    double Base = 2451545;         // base date, Julian day at noon
    std::int16_t DispGap = 10;     // show the counts every DispGap days
    std::int32_t HCol = 0xFFFF00;  // highlight background, 0x00BBGGRR
    bool SDALL = false;            // highlight colour on the whole date
    std::int16_t Tidal = 0;        // 0 day ganzhi, 1..3 tide-name style + 1
    bool CalcOBSHT = false;        // correct rise and set for the height
    double ObsHT = 0;              // site height, metres
    std::string S1 = "3";          // summer time: first month
    std::string S2 = "15";         //              first day
    std::string S3 = "9";          //              last month
    std::string S4 = "15";         //              last day
};

// The values a settings file may give, wide enough for every real site and
// setting and narrow enough that none can break a computation or the
// drawing; a value outside takes its key's default when a file is read, and
// the settings page refuses it where it is typed.
struct SettingRange {
    double min;
    double max;
    bool Holds(double v) const { return v >= min && v <= max; }
};
inline constexpr SettingRange kZoneRange{-12, 14};            // TZ, hours
inline constexpr SettingRange kSummerOffsetRange{-3, 3};      // FH, hours
inline constexpr SettingRange kLatitudeRange{-90, 90};        // LAT, degrees
inline constexpr SettingRange kLongitudeRange{-180, 180};     // LON, degrees
inline constexpr SettingRange kHeightRange{-1000, 10000};     // ObsHT, metres
inline constexpr SettingRange kDeltaTRange{-1e8, 1e8};        // dTValue, seconds
inline constexpr SettingRange kFontSizeRange{1, 100};         // CFONT_SIZE, points
inline constexpr SettingRange kColourRange{0, 0xFFFFFF};      // HCol, CFONT_COL
inline constexpr SettingRange kGapRange{1, 32767};            // DispGap, days
// The longest text a line edit of the settings page or the special-day
// editor accepts (a line edit's own limit), in characters: a longer text
// value of a file is cut to it when read.
inline constexpr std::size_t kLongestSettingText = 32767;

struct CalFontSlot {
    std::string name = "돋움";
    std::int32_t size = 11;        // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::int32_t colour = 0;       // 0x00BBGGRR
};

// Slots: 0 weekday header, 1 day number, 2 special-day names, 3 lunar date
// and day name, 4 sunrise/sunset, 5 moonrise/moonset. The default sizes
// leave room for the rise and set lines when ShowRST is on.
using CalFontSlots = std::array<CalFontSlot, 6>;
CalFontSlots DefaultCalFontSlots(bool show_rst);

// Noon Julian days of the summer-time first and last dates of a year (the
// month and day texts S1..S4 read as leading numbers).
struct SummerDays {
    double start_jd = 0;
    double end_jd = 0;
};
SummerDays SummerDaysOfYear(const CalendarSettings& settings, double year);

// Whether jd lies in summer time: from start to end, both included; when
// the last date comes before the first (a southern summer, 10/4 to 4/5), the
// year's days from the first date on and up to the last date.
bool InSummerTime(const SummerDays& summer, double jd);

// The zone in force on jd: TZ + FH in summer time, else TZ.
double ZoneInForce(const CalendarSettings& settings, const SummerDays& summer, double jd);

}  // namespace calendar
