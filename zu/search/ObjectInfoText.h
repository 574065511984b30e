#pragma once
// The texts of the object information window `FrmInfo`: what an object is,
// its catalogue data, its place in the modern and the traditional Korean
// systems, its horizontal place, its rise, transit and set on the chart date
// and its apparent place. Every builder is a function of the chart state it
// is handed (InfoContext) and of the loaded tables; the window only shows
// the result.
//
// Angles are degrees; right ascensions are degrees of the equator of the
// frame named (J2000, or of date); event times are hours of local civil time.
// Lines end with CR LF.
#include <array>
#include <string>
#include <string_view>

#include "astro/Planets.h"
#include "skydata/CustomCatalog.h"
#include "skydata/StartupTables.h"

namespace skydata {
struct CatalogState;
struct ConstellationState;
}  // namespace skydata

namespace zu {

inline constexpr std::string_view kCrLf = "\r\n";

// What the texts read of the chart: the chart time, the site and the
// switches of the settings, the sidereal time and the Sun's longitude of the
// chart moment, and the mansion stars of the chart date.
struct InfoContext {
    double jd_local = 0;           // CurrentJD
    double lst_h = 0;              // LocalSiderealTime
    double lat_deg = 35.82;        // North positive
    double lon_deg = 128.46;       // East positive
    double zone_h = 9;             // zone in force
    bool calcprecession = true;
    bool calcpropermotion = true;
    bool juchon = true;            // traditional degrees of 365.25 parts
    float pressure_hpa = 1013;
    float temperature_c = 15;
    double sun_lon_deg = 0;        // geocentric ecliptic longitude of PlanetTable row 0
    std::array<double, skydata::kMansionCount> mansion_ra_deg{};  // RA of date of the mansion stars
};

// The context of the running program: the settings snapshot, the main
// state's sidereal time, the shared planet table (as it stands) and the
// mansion stars of the start-up tables.
InfoContext CurrentInfoContext();

// Korean name of a deep-sky type code (dso.dat letters or the type numbers of
// user-catalogue nebulae); the code is trimmed, compared case-sensitively.
std::string NSObjType(std::string_view code);
// "5.50 등급"; "자료 없음" for 100 or more (no magnitude).
std::string FormatMagnitude(float mag);

// "--" for a negative (absent) event time, else the hours in the clock form of
// FormatHmsKorean with whole seconds.
std::string EventTimeText(double hours);

struct PositionBlock {
    std::string text;       // 17 lines
    double ra_date_deg = 0; // the place of date (ObjRA, ObjDec)
    double dec_date_deg = 0;
};
// The place of a fixed J2000 position (proper motions in arcseconds per
// year, the RA component a plain change of RA): J2000 in the modern and the
// traditional systems, of epoch_jd, horizontal, rise, transit and set.
PositionBlock StarPositionText(const InfoContext& ctx, double epoch_jd, double ra2000_deg, double dec2000_deg,
                               float pm_ra_arcsec_yr, float pm_dec_arcsec_yr);

struct EquatorialDeg {
    double ra_deg = 0;
    double dec_deg = 0;
};
// A mean place of date turned into the true place of date (nutation in
// longitude with the mean obliquity, back with the true obliquity) and, when
// aberrate, moved by the annual aberration for the Sun's longitude. jde is
// the Julian ephemeris day. (Meeus, Astronomical Algorithms, ch. 23.)
EquatorialDeg ApparentPlaceOfDate(double ra_deg, double dec_deg, double jde, double sun_lon_deg, bool aberrate);
// The five lines of the apparent place: ApparentPlaceOfDate for the chart
// moment, refracted at the site's pressure and temperature at every altitude
// (at most 90) and returned to the equator.
std::string ApparentPositionText(const InfoContext& ctx, double ra_deg, double dec_deg, bool aberrate);

struct UserCatInfo {
    std::string text;
    std::string label;            // Label1
    bool no_apparent_block = false;
    double ra_date_deg = 0;       // the place of date when the entry has one
    double dec_date_deg = 0;
};
// The whole text of a user-catalogue entry of key "(UC" slot "_" kind ":"
// index ")"; empty text and label when the key names no loaded entry.
UserCatInfo FullUCInfo(const InfoContext& ctx, std::string_view key,
                       const std::array<skydata::CustomCatalog, 2>& catalogs);

// Label1 and Text1 of the information window for a key, built as one
// activation does: the main text of the key's kind, CR LF, then the apparent
// block unless the entry is of a horizontal user catalogue. A key that names
// nothing loaded gives empty texts.
struct ObjectInfo {
    std::string label;
    std::string text;
};
struct InfoTables {
    const astro::PlanetTableT& planets;  // at the chart moment
    const skydata::CatalogState& catalogs;
    const skydata::ConstellationState& constellations;
    const std::array<skydata::CustomCatalog, 2>& user_catalogs;
};
ObjectInfo BuildObjectInfo(std::string_view key, const InfoContext& ctx, const InfoTables& tables);

}  // namespace zu
