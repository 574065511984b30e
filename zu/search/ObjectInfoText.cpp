#include "zu/search/ObjectInfoText.h"

#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AsteroidPosition.h"
#include "astro/AstroConstants.h"
#include "astro/Atmosphere.h"
#include "astro/CometPosition.h"
#include "astro/Coordinates.h"
#include "astro/DateText.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/RiseSet.h"
#include "astro/SiteContext.h"
#include "astro/TextFormat.h"
#include "chart/ObjectKey.h"
#include "skydata/Catalogs.h"
#include "skydata/ConfigStore.h"
#include "skydata/Constellations.h"
#include "skydata/Settings.h"
#include "skydata/TraditionalText.h"
#include "skydata/UserCatalogs.h"
#include "zu/core/MainState.h"

namespace zu {
namespace {

// Rise and set of a place that neither rises nor sets: hours that the hours
// formatter prints as "--" (25 h x 15 = the no-value angle 375).
constexpr double kNeverRisesHours = 25.0;
constexpr double kDaysPerYear = 365.25;
constexpr double kArcsecPerDegree = 3600;
constexpr double kHoursToDegrees = 15;
constexpr double kMaxAltitude_deg = 90;
constexpr int kMaxLabelCharacters = 10;
constexpr int kCutLabelCharacters = 9;

std::string Line(std::string_view text) { return std::string(text) + std::string(kCrLf); }

// Joins lines with CR LF between them, none after the last.
std::string JoinLines(std::initializer_list<std::string> lines) {
    std::string out;
    bool first = true;
    for (const std::string& line : lines) {
        if (!first) out += kCrLf;
        out += line;
        first = false;
    }
    return out;
}

// Characters of UTF-8 text: their number, and the text of the first `count`.
std::size_t Utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}
std::string Utf8Prefix(std::string_view text, std::size_t count) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (n == count) return std::string(text.substr(0, i));
            ++n;
        }
    }
    return std::string(text);
}

std::string TransitText(double hours, bool fold) {
    if (hours < 0) return "--";
    const double angle = hours * kHoursToDegrees;
    return astro::FormatHmsKorean(fold ? astro::Norm360(angle) : angle, 0);
}

std::string EventLines(double rise, double transit, double set, bool fold_transit) {
    return Line("뜸: " + EventTimeText(rise)) + Line("남중: " + TransitText(transit, fold_transit)) +
           Line("짐: " + EventTimeText(set));
}

// Rise, transit and set of a fixed place of date on the chart date.
void FixedEvents(const InfoContext& ctx, double ra_deg, double dec_deg, double& rise, double& transit, double& set) {
    if (astro::FixedRiseSet(ctx.jd_local, ctx.lat_deg, ctx.lon_deg, ra_deg, dec_deg, rise, set, transit)) {
        rise = kNeverRisesHours;
        set = kNeverRisesHours;
    }
}

// The traditional lines shared by the body and the star blocks: branch
// palace, polar distance of the new method, mansion degree, traditional
// polar distance; the star block names its J2000 frame.
std::string TraditionalLines(const InfoContext& ctx, double ra_deg, double dec_deg, bool j2000) {
    const bool degrees = !ctx.juchon;
    const std::string frame = j2000 ? "(2000.0)" : "";
    const std::string new_method = j2000 ? "(신법, 2000.0)" : "(신법)";
    return Line("적경" + frame + ": " + skydata::BranchPalaceText(ra_deg)) +
           Line("거극도" + new_method + ": " + astro::FormatDmsKorean(90 - dec_deg, 0)) +
           Line("입수도" + frame + ": " + skydata::MansionPositionText(ra_deg, degrees, ctx.mansion_ra_deg)) +
           Line("거극도" + frame + ": " + astro::FormatDmsKorean(skydata::NorthPolarDistance(dec_deg, degrees), 0));
}

// The body position lines of planets, comets and asteroids (ecliptic lines
// when ecliptic is given).
struct Ecliptic {
    double lon_deg;
    double lat_deg;
};
std::string BodyPositionLines(const InfoContext& ctx, double ra_deg, double dec_deg, const Ecliptic* ecliptic,
                              double rise, double transit, double set) {
    double az = 0, alt = 0;
    astro::EquatorialToHorizontal(ra_deg, dec_deg, ctx.lst_h, ctx.lat_deg, az, alt);
    std::string out = Line("적경: " + astro::FormatHmsKorean(ra_deg, 2)) +
                      Line("적위: " + astro::FormatDmsKorean(dec_deg, 2)) + Line("") +
                      TraditionalLines(ctx, ra_deg, dec_deg, false) + Line("") +
                      Line("방위각: " + astro::FormatDmsKorean(az, 0)) +
                      Line("고도: " + astro::FormatDmsKorean(alt, 0)) + Line("");
    if (ecliptic) {
        out += Line("황경: " + astro::FormatDmsKorean(ecliptic->lon_deg, 2)) +
               Line("황위: " + astro::FormatDmsKorean(ecliptic->lat_deg, 2)) + Line("");
    }
    return out + EventLines(rise, transit, set, true);
}

struct MainText {
    std::string label;
    std::string text;
    bool has_place = false;     // ra/dec below hold the place for the apparent block
    double ra_deg = 0;
    double dec_deg = 0;
    bool aberrate = true;
    bool no_apparent_block = false;
};

MainText PlanetText(const InfoContext& ctx, const astro::PlanetTableT& planets, int n) {
    MainText out;
    if (n < 0 || n >= astro::kPlanetCount) return out;
    out.aberrate = n != astro::kPlanetMoon;
    double rise = 0, transit = 0, set = 0;
    astro::PlanetRiseSet(astro::RoundToHalf(ctx.jd_local), ctx.lat_deg, ctx.lon_deg, n, rise, transit, set);
    const astro::PlanetRecord& row = planets[static_cast<std::size_t>(n)];
    out.label = row.Name;
    out.ra_deg = row.TopoRA;
    out.dec_deg = row.TopoDec;
    out.has_place = true;
    const Ecliptic ecliptic{row.EclLon, row.EclLat};
    out.text = Line("종류: 행성/위성") + Line("") + Line("밝기: " + astro::FormatDigitPattern(row.Mag, "0.00") + " 등급") +
               Line("크기: " + astro::FormatDigitPattern(row.Diameter, "#0.00") + " 초") +
               Line("위상: " + astro::FormatDigitPattern(row.Phase * 100, "##0.00") + " %") +
               Line("이각: " + astro::FormatDigitPattern(row.Elongation, "#0.00") + " 도") +
               Line("거리(지구-행성): " + astro::FormatDigitPattern(row.Delta * astro::kAuKm, "#0.00") + " km") +
               Line("거리(태양-행성): " + astro::FormatDigitPattern(row.R * astro::kAuKm, "#0.00") + " km") + Line("") +
               BodyPositionLines(ctx, out.ra_deg, out.dec_deg, &ecliptic, rise, transit, set);
    return out;
}

MainText SmallBodyText(const InfoContext& ctx, bool comet, int index) {
    MainText out;
    const astro::SmallBodyState& bodies = astro::SmallBodies();
    astro::BodyPosition position;
    std::string name;
    if (comet) {
        if (index < 0 || static_cast<std::size_t>(index) >= bodies.CometElementList.size()) return out;
        const astro::CometElements& element = bodies.CometElementList[static_cast<std::size_t>(index)];
        astro::ComputeCometPosition(ctx.jd_local, element, position);
        name = element.Name;
    } else {
        if (index < 0 || static_cast<std::size_t>(index) >= bodies.AsteroidElementList.size()) return out;
        const astro::AsteroidElements& element = bodies.AsteroidElementList[static_cast<std::size_t>(index)];
        astro::ComputeAsteroidPosition(ctx.jd_local, element, position);
        name = element.Name;
    }
    if (!position.Valid) return out;
    double rise = 0, transit = 0, set = 0;
    FixedEvents(ctx, position.TopoRA, position.TopoDec, rise, transit, set);
    out.label = name;
    out.ra_deg = position.TopoRA;
    out.dec_deg = position.TopoDec;
    out.has_place = true;
    out.text = Line(comet ? "종류: 혜성" : "종류: 소행성") + Line("이름: " + name) + Line("") +
               Line("밝기: " + astro::FormatDigitPattern(position.Mag, "0.00") + " 등급") +
               Line("이각: " + astro::FormatDigitPattern(position.Elongation, "#0.00") + " 도") +
               Line("거리(지구-행성): " + astro::FormatDigitPattern(position.Delta, "#0.00000") + " AU(천문단위)") +
               Line("거리(태양-행성): " + astro::FormatDigitPattern(position.R, "#0.00000") + " AU(천문단위)") + Line("") +
               BodyPositionLines(ctx, out.ra_deg, out.dec_deg, nullptr, rise, transit, set);
    return out;
}

double PositionEpoch(const InfoContext& ctx) { return ctx.calcprecession ? ctx.jd_local : astro::kJ2000; }

void TakePlace(MainText& out, const PositionBlock& block) {
    out.has_place = true;
    out.ra_deg = block.ra_date_deg;
    out.dec_deg = block.dec_date_deg;
}

MainText DeepSkyText(const InfoContext& ctx, const InfoTables& tables, int index) {
    MainText out;
    const auto& list = tables.catalogs.DeepSkyObject;
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return out;
    const skydata::DeepSkyObjectRecord& dso = list[static_cast<std::size_t>(index)];
    out.label = dso.ID1;
    const PositionBlock block = StarPositionText(ctx, PositionEpoch(ctx), dso.RA_deg, dso.Dec_deg, 0, 0);
    TakePlace(out, block);
    const std::string constellation = skydata::FindConstellationAt(
        tables.constellations.PosTable, tables.constellations.W.Data, dso.RA_deg, dso.Dec_deg, astro::kJ2000);
    out.text = Line("종류: " + NSObjType(dso.Type)) + Line("") + Line("ID1: " + dso.ID1) + Line("ID2: " + dso.ID2) +
               Line("이름 1: " + dso.Name1) + Line("이름 2: " + dso.Name2) + Line("별자리: " + constellation) +
               Line("") + Line("밝기: " + FormatMagnitude(dso.Mag)) +
               Line("지름: " + astro::FormatDigitPattern(dso.Size1_arcmin, "0.0") + "x" + astro::FormatDigitPattern(dso.Size2_arcmin, "0.0") +
                    "(분)") +
               Line("위치각: " + astro::FormatDigitPattern(dso.PA_deg, "0") + "도") + Line("설명 1(NGC 묘사법): " + dso.Desc1) +
               Line("설명 2(SAC 설명): " + dso.Desc2) + Line("") + block.text;
    return out;
}

MainText BrightStarText(const InfoContext& ctx, const InfoTables& tables, int zone, int index) {
    MainText out;
    if (zone < 0 || zone >= skydata::kStarZoneCount) return out;
    const auto& list = tables.catalogs.BscStar[static_cast<std::size_t>(zone)];
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return out;
    const skydata::BscStarRecord& star = list[static_cast<std::size_t>(index)];
    out.label = "HR " + std::to_string(star.HR);
    const float pm_ra = ctx.calcpropermotion ? star.PmRA_arcsecPerYear : 0.0f;
    const float pm_dec = ctx.calcpropermotion ? star.PmDec_arcsecPerYear : 0.0f;
    const PositionBlock block = StarPositionText(ctx, PositionEpoch(ctx), star.RA_deg, star.Dec_deg, pm_ra, pm_dec);
    TakePlace(out, block);
    const auto& c = tables.constellations;
    out.text = Line("종류: 별") + Line("") + Line("밝기: " + astro::FormatDigitPattern(star.Mag, "0.00") + " 등급") +
               Line("분광형: " + star.SpType) +
               Line("별자리(서양): " +
                    skydata::FindConstellationAt(c.PosTable, c.W.Data, star.RA_deg, star.Dec_deg, astro::kJ2000)) +
               Line("별자리(한국): " + skydata::GetConstName(c.E.Data, star.KorConst, 0, false)) +
               Line("별 번호(星鏡 기준): " + star.KorNumber) + Line("베이어 기호: " + star.Bayer) +
               Line("플램스티드 번호: " + star.Flamsteed) + Line("") +
               Line("별 이름: " + astro::FormatStarNames(tables.catalogs.EastStarNames,
                                                        tables.catalogs.WestStarNames, star.HR)) +
               Line("") + block.text;
    return out;
}

MainText ExtraStarText(const InfoContext& ctx, const InfoTables& tables, int zone, int index) {
    MainText out;
    if (zone < 0 || zone >= skydata::kStarZoneCount) return out;
    const auto& list = tables.catalogs.S2kStar[static_cast<std::size_t>(zone)];
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return out;
    const skydata::S2kStarRecord& star = list[static_cast<std::size_t>(index)];
    out.label = "Sky2000 " + star.Id;
    const float pm_ra = ctx.calcpropermotion ? static_cast<float>(star.PmRA_arcsecPerYear) : 0.0f;
    const float pm_dec = ctx.calcpropermotion ? static_cast<float>(star.PmDec_arcsecPerYear) : 0.0f;
    const PositionBlock block = StarPositionText(ctx, PositionEpoch(ctx), star.RA_deg, star.Dec_deg, pm_ra, pm_dec);
    TakePlace(out, block);
    const auto& c = tables.constellations;
    out.text = Line("종류: 별") + Line("") + Line("밝기: " + astro::FormatDigitPattern(star.Mag, "0.00") + " 등급") +
               Line("분광형: " + star.SpType) +
               Line("별자리(서양): " +
                    skydata::FindConstellationAt(c.PosTable, c.W.Data, star.RA_deg, star.Dec_deg, astro::kJ2000)) +
               Line("Sky2000 목록 번호: " + star.Id) + Line("HD 번호: " + star.HD) + Line("SAO 번호: " + star.SAO) +
               Line("") + block.text;
    return out;
}

}  // namespace

InfoContext CurrentInfoContext() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    InfoContext ctx;
    ctx.jd_local = s.CurrentJD;
    ctx.lst_h = AppState().LocalSiderealTime;
    ctx.lat_deg = s.lat;
    ctx.lon_deg = s.lon;
    ctx.zone_h = s.timezone;
    ctx.calcprecession = s.calcprecession;
    ctx.calcpropermotion = s.calcpropermotion;
    ctx.juchon = s.juchon;
    ctx.pressure_hpa = static_cast<float>(s.Pressure);
    ctx.temperature_c = static_cast<float>(s.Temperature);
    ctx.sun_lon_deg = astro::Planets().PlanetTable[astro::kPlanetSun].EclLon;
    ctx.mansion_ra_deg = skydata::StartupTables().MansionStarRA;
    return ctx;
}

std::string NSObjType(std::string_view code) {
    const std::string c = skydata::TrimBlanks(code);
    if (c == "GC" || c == "2") return "구상성단";
    if (c == "OC" || c == "3") return "산개성단";
    if (c == "DN" || c == "1") return "성운";
    if (c == "GX" || c == "4") return "은하";
    if (c == "PN" || c == "5") return "행성상성운";
    if (c == "CN") return "성단+성운";
    if (c == "DK") return "암흑 성운";
    if (c == "CG") return "은하단";
    if (c == "AS") return "특이한 별 집단";
    return "알 수 없음";
}

std::string FormatMagnitude(float mag) {
    if (mag >= 100) return "자료 없음";
    return astro::FormatDigitPattern(mag, "0.00") + " 등급";
}

std::string EventTimeText(double hours) {
    if (hours < 0) return "--";
    return astro::FormatHmsKorean(hours * kHoursToDegrees, 0);
}

PositionBlock StarPositionText(const InfoContext& ctx, double epoch_jd, double ra2000_deg, double dec2000_deg,
                               float pm_ra_arcsec_yr, float pm_dec_arcsec_yr) {
    PositionBlock out;
    const std::string year = std::to_string(static_cast<long long>(std::floor(astro::JDToYear(epoch_jd))));
    double ra = 0, dec = 0;
    astro::PrecessFromJ2000(epoch_jd, ra2000_deg, dec2000_deg, pm_ra_arcsec_yr, pm_dec_arcsec_yr, ra, dec);
    double az = 0, alt = 0;
    astro::EquatorialToHorizontal(ra, dec, ctx.lst_h, ctx.lat_deg, az, alt);
    double rise = 0, transit = 0, set = 0;
    FixedEvents(ctx, ra, dec, rise, transit, set);
    const std::string of_date = "(" + year + ".0): ";
    out.text = Line("적경(2000.0): " + astro::FormatHmsKorean(ra2000_deg, 0)) +
               Line("적위(2000.0): " + astro::FormatDmsKorean(dec2000_deg, 0)) + Line("") +
               TraditionalLines(ctx, ra2000_deg, dec2000_deg, true) + Line("") +
               Line("적경" + of_date + astro::FormatHmsKorean(astro::Norm360(ra), 0)) +
               Line("적위" + of_date + astro::FormatDmsKorean(dec, 0)) + Line("") +
               Line("방위각: " + astro::FormatDmsKorean(az, 0)) + Line("고도: " + astro::FormatDmsKorean(alt, 0)) +
               Line("") + EventLines(rise, transit, set, false);
    out.ra_date_deg = ra;
    out.dec_date_deg = dec;
    return out;
}

EquatorialDeg ApparentPlaceOfDate(double ra_deg, double dec_deg, double jde, double sun_lon_deg, bool aberrate) {
    const double eps0 = astro::MeanObliquity(jde);
    double dpsi = 0, deps = 0;
    astro::CalcNutation(jde, dpsi, deps);
    double lon = 0, lat = 0;
    astro::EquatorialToEcliptic(ra_deg, dec_deg, eps0, lon, lat);
    EquatorialDeg out;
    astro::EclipticToEquatorial(lon + dpsi / kArcsecPerDegree, lat, eps0 + deps / kArcsecPerDegree, out.ra_deg,
                                out.dec_deg);
    if (aberrate) {
        const EquatorialDeg nutated = out;
        astro::AnnualAberration(nutated.ra_deg, nutated.dec_deg, jde, sun_lon_deg, out.ra_deg, out.dec_deg);
    }
    return out;
}

std::string ApparentPositionText(const InfoContext& ctx, double ra_deg, double dec_deg, bool aberrate) {
    const double jde = astro::JDToJDE(ctx.jd_local - ctx.zone_h / 24.0);
    const EquatorialDeg place = ApparentPlaceOfDate(ra_deg, dec_deg, jde, ctx.sun_lon_deg, aberrate);
    double az = 0, alt = 0;
    astro::EquatorialToHorizontal(place.ra_deg, place.dec_deg, ctx.lst_h, ctx.lat_deg, az, alt);
    alt = std::min(kMaxAltitude_deg, alt + astro::RefractionTrue(alt, ctx.pressure_hpa, ctx.temperature_c));
    double ra = 0, dec = 0;
    astro::HorizontalToEquatorial(az, alt, ctx.lst_h, ctx.lat_deg, ra, dec);
    return Line("적경: " + astro::FormatHmsKorean(ra, 2)) + Line("적위: " + astro::FormatDmsKorean(dec, 2)) +
           Line("") + Line("방위각: " + astro::FormatDmsKorean(az, 0)) +
           Line("고도: " + astro::FormatDmsKorean(alt, 0));
}

UserCatInfo FullUCInfo(const InfoContext& ctx, std::string_view key,
                       const std::array<skydata::CustomCatalog, 2>& catalogs) {
    UserCatInfo out;
    const auto entry = skydata::LookupUserCatObject(key, catalogs);
    const auto parsed = chart::ParseObjectKey(key);
    if (!entry || !parsed) return out;
    const skydata::CustomCatalog& catalog = catalogs[static_cast<std::size_t>(entry->Slot - 1)];
    const std::size_t index = static_cast<std::size_t>(entry->Index);
    const bool horizontal_catalog = catalog.Coordinate == "a";
    std::string frame = horizontal_catalog ? "지평좌표계" : "적도 좌표계";
    const std::string first_label = horizontal_catalog ? "방위각: " : "적경: ";
    const std::string second_label = horizontal_catalog ? "고도: " : "적위: ";
    // An azimuth is an angle of the horizon, printed in degrees; a right
    // ascension in hours.
    const auto first_coordinate = [&](double value) {
        return first_label + (horizontal_catalog ? astro::FormatDmsKorean(value, 0) : astro::FormatHmsKorean(value, 0));
    };
    const auto second_coordinate = [&](double value) { return second_label + astro::FormatDmsKorean(value, 0); };

    std::string kind_text;
    float pm_ra = 0, pm_dec = 0;
    switch (parsed->kind) {
        case chart::ObjectKind::UserShape: {
            const skydata::CustomCatShape& shape = catalog.Shapes[static_cast<std::size_t>(parsed->shape - 1)][index];
            out.label = shape.Name;
            kind_text = JoinLines({"이름: " + shape.Name, first_coordinate(shape.RA), second_coordinate(shape.Dec),
                                   "지름: " + astro::FormatDigitPattern(shape.Size, "0.0#분"), "", "설명: ", shape.Comment});
            break;
        }
        case chart::ObjectKind::UserStar: {
            const skydata::CustomCatStar& star = catalog.Stars[index];
            out.label = star.Name;
            frame = "적도좌표계";
            kind_text = JoinLines({"이름: " + star.Name, "적경: " + astro::FormatHmsKorean(star.RA, 0),
                                   "적위: " + astro::FormatDmsKorean(star.Dec, 0),
                                   "밝기: " + astro::FormatDigitPattern(star.Mag, "0.0#등급"), "", "분광형: " + star.SpType,
                                   "고유운동(적경 방향, 초/년): " + astro::FormatDigitPattern(star.PmRA, "0.0#"),
                                   "고유운동(적위 방향, 초/년): " + astro::FormatDigitPattern(star.PmDec, "0.0#"), "",
                                   "설명: ", star.Comment});
            if (ctx.calcpropermotion) {
                pm_ra = star.PmRA;
                pm_dec = star.PmDec;
            }
            break;
        }
        case chart::ObjectKind::UserNebula: {
            const skydata::CustomCatNst& nst = catalog.Nonstellar[index];
            out.label = nst.Name;
            frame = "적도좌표계";
            kind_text = JoinLines({"이름: " + nst.Name, "적경: " + astro::FormatHmsKorean(nst.RA, 0),
                                   "적위: " + astro::FormatDmsKorean(nst.Dec, 0),
                                   "밝기: " + astro::FormatDigitPattern(nst.Mag, "0.0#등급"), "",
                                   "종류: " + NSObjType(std::to_string(nst.Type)),
                                   "지름: " + astro::FormatDigitPattern(nst.Size * 2, "0.0#분"), "", "설명: ", nst.Comment});
            break;
        }
        case chart::ObjectKind::UserText: {
            const skydata::CustomCatText& text = catalog.Texts[index];
            out.label = Utf8Length(text.Text) <= kMaxLabelCharacters ? text.Text
                                                                      : Utf8Prefix(text.Text, kCutLabelCharacters);
            kind_text =
                JoinLines({first_coordinate(text.RA), second_coordinate(text.Dec), "내용: ", text.Text});
            break;
        }
        default: return UserCatInfo{};
    }

    std::string position;
    if (entry->CoordKind == "a") {
        position = JoinLines({"이 천체는 지평좌표를 기준으로 하고 있으므로 뜨고 지는 시각을 계산할 수 없습니다.",
                              "이 천체는 지평좌표를 기준으로 하고 있으므로 시간에 따른 좌표의 변화가 없습니다."});
        out.no_apparent_block = true;
    } else {
        const double epoch = catalog.Epoch;
        const double years = (epoch - astro::kJ2000) / kDaysPerYear;
        const double ra_e = entry->RA - (pm_ra / kArcsecPerDegree) * years;
        const double dec_e = entry->Dec - (pm_dec / kArcsecPerDegree) * years;
        double ra2000 = 0, dec2000 = 0;
        astro::PrecessByMatrix(epoch, astro::kJ2000, ra_e, dec_e, ra2000, dec2000);
        const PositionBlock block = StarPositionText(ctx, PositionEpoch(ctx), ra2000, dec2000, pm_ra, pm_dec);
        position = block.text;
        out.ra_date_deg = block.ra_date_deg;
        out.dec_date_deg = block.dec_date_deg;
    }
    const std::string header =
        JoinLines({"목록 번호 및 이름: 사용자 목록" + std::to_string(entry->Slot) + "- " + catalog.Name,
                   "기준 좌표계: " + frame, "좌표 기준일(JD): " + astro::PlainNumberText(catalog.Epoch)});
    const std::string blank_line = std::string(kCrLf) + std::string(kCrLf);
    out.text = header + blank_line + kind_text + blank_line + position + blank_line +
               Line("*표시된 좌표는 목록의 분점을 기준으로 한 것입니다.");
    return out;
}

ObjectInfo BuildObjectInfo(std::string_view key, const InfoContext& ctx, const InfoTables& tables) {
    const auto parsed = chart::ParseObjectKey(key);
    if (!parsed) return {};
    MainText main;
    switch (parsed->kind) {
        case chart::ObjectKind::Planet: main = PlanetText(ctx, tables.planets, parsed->index); break;
        case chart::ObjectKind::BrightStar: main = BrightStarText(ctx, tables, parsed->group, parsed->index); break;
        case chart::ObjectKind::ExtraStar: main = ExtraStarText(ctx, tables, parsed->group, parsed->index); break;
        case chart::ObjectKind::Comet: main = SmallBodyText(ctx, true, parsed->index); break;
        case chart::ObjectKind::Asteroid: main = SmallBodyText(ctx, false, parsed->index); break;
        case chart::ObjectKind::DeepSky: main = DeepSkyText(ctx, tables, parsed->index); break;
        case chart::ObjectKind::UserShape:
        case chart::ObjectKind::UserStar:
        case chart::ObjectKind::UserNebula:
        case chart::ObjectKind::UserText: {
            const UserCatInfo info = FullUCInfo(ctx, key, tables.user_catalogs);
            main.label = info.label;
            main.text = info.text;
            main.no_apparent_block = info.no_apparent_block;
            main.has_place = !info.text.empty() && !info.no_apparent_block;
            main.ra_deg = info.ra_date_deg;
            main.dec_deg = info.dec_date_deg;
            break;
        }
        default: break;
    }
    if (main.text.empty()) return {};
    ObjectInfo out;
    out.label = main.label;
    out.text = main.text + std::string(kCrLf);
    if (!main.no_apparent_block && main.has_place) {
        out.text += Line("<천체의 겉보기 위치>") + ApparentPositionText(ctx, main.ra_deg, main.dec_deg, main.aberrate);
    }
    return out;
}

}  // namespace zu
