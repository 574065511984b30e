#include "zu/search/BodyInfoText.h"

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/TextFormat.h"
#include "skydata/ConfigStore.h"

namespace zu {
namespace {

constexpr std::int32_t kVisibleColor = 0 + 256 * 128;  // dark green
constexpr std::int32_t kHiddenColor = 255;             // red
constexpr double kHoursToDegrees = 15;

std::string ClockText(double hours) {
    if (hours < 0) return "--";
    return astro::FormatClockKorean(astro::Norm360(hours * kHoursToDegrees), 0);
}

std::string DistanceText(double au) {
    return astro::FormatDigitPattern(au * astro::kAuKm, "#0.0") + " km(" + astro::FormatDigitPattern(au, "#0.00000") + " AU)";
}

}  // namespace

BodyLabels FormatBodyLabels(const BodyValues& v) {
    BodyLabels l;
    l.LPName = v.Name;
    l.LMag = astro::FormatDigitPattern(v.Mag, "0.00") + " 등급";
    l.LPhas = astro::FormatDigitPattern(v.Phase * 100, "##0.00") + " %";
    l.Lelong = astro::FormatDigitPattern(v.Elongation, "#0.00") + " 도";
    l.LDia = astro::FormatDigitPattern(v.Diameter, "#0.00") + " 초";
    l.LDistEP = DistanceText(v.Delta);
    l.LDistSP = DistanceText(v.R);
    l.RAtopo = astro::FormatHmsKorean(v.TopoRA, 2);
    l.DEtopo = astro::FormatDmsKorean(v.TopoDec, 2);
    l.RAgeo = astro::FormatHmsKorean(v.RA, 2);
    l.DEgeo = astro::FormatDmsKorean(v.Dec, 2);
    l.Longeo = astro::FormatDmsKorean(v.EclLon, 2);
    l.latgeo = astro::FormatDmsKorean(v.EclLat, 2);
    l.lonhel = v.HelioLon ? astro::FormatDmsKorean(*v.HelioLon, 2) : "-";
    l.lathel = v.HelioLat ? astro::FormatDmsKorean(*v.HelioLat, 2) : "-";
    l.Laz = astro::FormatDmsKorean(v.Az, 2);
    l.Lalt = astro::FormatDmsKorean(v.Alt, 2);
    l.RSTime[0] = ClockText(v.Rise);
    l.RSTime[1] = ClockText(v.Transit);
    l.RSTime[2] = ClockText(v.Set);
    if (v.Alt > 0) {
        l.Laddinfo = "지금 관측할 수 있습니다.";
        l.LaddinfoColor = kVisibleColor;
    } else {
        l.Laddinfo = "아직 뜨지 않았습니다.";
        l.LaddinfoColor = kHiddenColor;
    }
    return l;
}

BodyValues PlanetBodyValues(const astro::PlanetRecord& row, double rise, double transit, double set,
                            double lst_h, double lat_deg) {
    BodyValues v;
    v.Name = row.Name;
    v.Mag = row.Mag;
    v.Phase = row.Phase;
    v.Elongation = row.Elongation;
    v.Diameter = row.Diameter;
    v.Delta = row.Delta;
    v.R = row.R;
    v.TopoRA = row.TopoRA;
    v.TopoDec = row.TopoDec;
    v.RA = row.RA;
    v.Dec = row.Dec;
    v.EclLon = row.EclLon;
    v.EclLat = row.EclLat;
    v.HelioLon = row.HelioLon;
    v.HelioLat = row.HelioLat;
    v.Rise = rise;
    v.Transit = transit;
    v.Set = set;
    astro::EquatorialToHorizontal(v.TopoRA, v.TopoDec, lst_h, lat_deg, v.Az, v.Alt);
    return v;
}

BodyValues SmallBodyValues(const astro::BodyPosition& position, double obliquity_deg, double earth_sun_au,
                           double rise, double transit, double set, double lst_h, double lat_deg) {
    BodyValues v;
    v.Name = position.Name;
    v.Mag = position.Mag;
    v.Elongation = position.Elongation;
    v.Delta = position.Delta;
    v.R = position.R;
    v.TopoRA = position.TopoRA;
    v.TopoDec = position.TopoDec;
    v.RA = position.RA;
    v.Dec = position.Dec;
    astro::EquatorialToEcliptic(v.RA, v.Dec, obliquity_deg, v.EclLon, v.EclLat);
    v.Phase = 1;
    const double r = position.R, delta = position.Delta, big_r = earth_sun_au;
    if (r > 0 && delta > 0) {
        const double c = astro::CosD(astro::ArcCosD((r * r + delta * delta - big_r * big_r) / (2 * r * delta)));
        v.Phase = (1 + c) / 2;
    }
    v.Rise = rise;
    v.Transit = transit;
    v.Set = set;
    astro::EquatorialToHorizontal(v.TopoRA, v.TopoDec, lst_h, lat_deg, v.Az, v.Alt);
    return v;
}

std::string ObservationMessage(double d) {
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    if (d >= -11 && d <= 11) return "은 관측할 수 없습니다.";
    if (d > 11 && d <= 70) return "은 저녁에 서쪽 하늘에서 관측할 수 있습니다.";
    if (d > 70 && d <= 145) return "은 밤 늦게까지 관측할 수 있습니다.";
    if (d >= -70 && d < -11) return "은 새벽에 동쪽 하늘에서 관측할 수 있습니다.";
    if (d >= -145 && d < -70) return "은 밤 늦게부터 관측할 수 있습니다.";
    return "은 밤새도록 관측할 수 있습니다.";
}

std::string ObservationSummary(const std::string& date_text, const astro::PlanetTableT& table) {
    std::string out = skydata::TrimBlanks(date_text) + "\r\n\r\n\r\n";
    for (int n = 1; n < astro::kPlanetCount; ++n) {
        const auto& row = table[static_cast<std::size_t>(n)];
        out += row.Name + ObservationMessage(row.EclLon - table[astro::kPlanetSun].EclLon) + "\r\n\r\n";
    }
    return out;
}

}  // namespace zu
