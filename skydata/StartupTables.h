#pragma once
// Fixed name tables and default chart styles that the sky-chart program fills
// before it reads any data file: Greek letters of Bayer designations, the ten
// stems and twelve branches, the 24 solar terms, the determinative stars of
// the 28 lunar mansions, and the default layer fonts and colours (which the
// settings snapshot then overrides).
//
// Colours are 0x00BBGGRR: red + 256 * green + 65536 * blue.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace skydata {

inline constexpr int kGreekLetterCount = 24;
inline constexpr int kNoBayerLetter = 24;  // the Bayer byte meaning "no Greek letter"

// alpha .. omega, one letter each; sigma is index 17 (no final sigma).
inline constexpr std::array<std::string_view, kGreekLetterCount> GreekLetters = {
    "α", "β", "γ", "δ", "ε", "ζ", "η", "θ", "ι", "κ", "λ", "μ",
    "ν", "ξ", "ο", "π", "ρ", "σ", "τ", "υ", "φ", "χ", "ψ", "ω"};

inline constexpr std::array<std::string_view, 10> StemNames = {
    "갑", "을", "병", "정", "무", "기", "경", "신", "임", "계"};
inline constexpr std::array<std::string_view, 10> StemHanja = {
    "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
inline constexpr std::array<std::string_view, 12> BranchNames = {
    "자", "축", "인", "묘", "진", "사", "오", "미", "신", "유", "술", "해"};
inline constexpr std::array<std::string_view, 12> BranchHanja = {
    "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};

struct SolarTerm {
    std::string_view Name;   // Hangul
    std::string_view Hanja;
    double Day;              // approximate day of the year, 5 + 15 k
    double Longitude_deg;    // apparent solar longitude at the term, 0 <= value < 360
};

// The 24 solar terms from 소한 (k = 0, longitude 285) to 동지 (k = 23, 270).
// 立 of 立春/立夏/立秋/立冬 is the compatibility ideograph U+F9F7 as the texts
// have always been stored; nothing compares these texts.
extern const std::array<SolarTerm, 24> SolarTermTable;

inline constexpr int kMansionCount = 28;

struct RaDec {
    double RA_deg;
    double Dec_deg;
};

// J2000 places of the determinative stars of the 28 lunar mansions, starting
// with the mansion whose star is at RA 201.2983333 (각). Index 20 lies west of
// index 19: the traditional order, kept as is.
extern const std::array<RaDec, kMansionCount> MansionStarJ2000;

// One chart font: layer labels (LayerStyle) and grid labels (GridFontTable).
struct FontStyle {
    std::string FontName;
    std::int32_t FontSize_pt = 9;
    std::int32_t Color = 0;  // 0x00BBGGRR; not read for grid fonts
    bool Bold = false;
    bool Italic = false;
};

inline constexpr int kLayerStyleCount = 11;
inline constexpr int kGridFontCount = 3;
inline constexpr int kLineColorCount = 11;
inline constexpr int kTwilightColorCount = 6;
inline constexpr int kSpectralColorCount = 7;

constexpr std::int32_t RgbColor(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// Chart styles. Indices: LayerStyle 0 Western constellation names, 1 traditional
// Korean names, 2 names of the 천상열차분야지도 set, 3 Western star names,
// 4 Eastern star names, 5 comets, 6 asteroids, 7 planets/Sun/Moon, 8 star
// symbols and numbers, 9 deep-sky objects, 10 tracks. GridFontTable 0 horizon
// (compass), 1 horizontal grid, 2 equatorial grid. LineColorTable 0 horizon,
// 1 horizontal grid, 2 equatorial grid, 3 ecliptic, 4 galactic equator, 5..7
// constellation lines W/E/O, 8 Milky Way, 9 boundaries, 10 traditional circle
// and mansion meridians. TwilightColors night .. day. SpectralColors O..M by
// the SpClass of a star (class 7 draws white).
struct StyleTables {
    std::array<FontStyle, kLayerStyleCount> LayerStyle;
    std::array<FontStyle, kGridFontCount> GridFontTable;
    std::array<std::int32_t, kLineColorCount> LineColorTable{};
    std::array<std::int32_t, kTwilightColorCount> TwilightColors{};
    std::array<std::int32_t, kSpectralColorCount> SpectralColors{};
};

// The defaults the settings snapshot falls back to for every style key.
StyleTables DefaultStyleTables();

// Start-up state of this module: the chart styles in force and the mansion
// star right ascensions of the chart date.
struct StartupTablesState {
    StyleTables Styles = DefaultStyleTables();
    // RA of date of each mansion star (degrees, 0 <= value < 360); the J2000
    // values until PrecessMansionStars runs.
    std::array<double, kMansionCount> MansionStarRA{};

    StartupTablesState();
};

StartupTablesState& StartupTables();
void ResetStartupTables();

// Resets every style table to its default.
void InitStyleDefaults(StyleTables& styles);

// Copies the J2000 right ascension of each mansion star into mansionStarRA
// (the stem and branch tables are constants and need no filling).
void InitGanzhiAndMansionStars(std::array<double, kMansionCount>& mansionStarRA);

// Right ascensions of the mansion stars for the chart date: precessed from
// J2000 to jd_local when precessionOn, else the J2000 values. jd_local is
// the chart time as a local civil Julian day, used as it is.
void PrecessMansionStars(std::array<double, kMansionCount>& mansionStarRA,
                         double jd_local, bool precessionOn);

}  // namespace skydata
