#include "zu/main/MouseReadout.h"

#include <cstdio>

#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/TextFormat.h"
#include "chart/ChartState.h"
#include "chart/Projector.h"
#include "skydata/Settings.h"
#include "skydata/StartupTables.h"
#include "skydata/TraditionalText.h"
#include "zu/core/MainState.h"

namespace zu {

PointerSky SkyUnderPixel(double x_px, double y_px, bool applyRefraction) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const double lst_h = AppState().LocalSiderealTime;
    double lon = 0, lat = 0;
    chart::ScreenToSky(x_px, y_px, s.ViewCenterX, s.ViewCenterY, lon, lat, applyRefraction);
    PointerSky sky;
    if (chart::IsHorizontalView(s.ViewCoordSys)) {
        sky.az_deg = lon;
        sky.alt_deg = lat;
        astro::HorizontalToEquatorial(lon, lat, lst_h, s.lat, sky.ra_deg, sky.dec_deg);
    } else {
        sky.ra_deg = lon;
        sky.dec_deg = lat;
        astro::EquatorialToHorizontal(lon, lat, lst_h, s.lat, sky.az_deg, sky.alt_deg);
    }
    return sky;
}

void EquatorialUnderPixel(double x_px, double y_px, bool applyRefraction, double& ra_deg, double& dec_deg) {
    const PointerSky sky = SkyUnderPixel(x_px, y_px, applyRefraction);
    ra_deg = sky.ra_deg;
    dec_deg = sky.dec_deg;
}

void CatalogPlaceUnderPixel(double x_px, double y_px, double& ra_deg, double& dec_deg) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    double ra = 0, dec = 0;
    EquatorialUnderPixel(x_px, y_px, true, ra, dec);
    ra_deg = ra;
    dec_deg = dec;
    // Without precession the chart draws catalogue places as they are.
    if (s.calcprecession) astro::PrecessByMatrix(s.CurrentJD, astro::kJ2000, ra, dec, ra_deg, dec_deg);
}

std::string AzAltText(double az_deg, double alt_deg) {
    return "방위각:" + astro::FormatDmsKorean(az_deg, 0) + "  고도: " + astro::FormatDmsKorean(alt_deg, 0);
}

std::string BandText(double distance_deg, double position_angle_deg) {
    char angle[48];
    std::snprintf(angle, sizeof angle, "%.1f", position_angle_deg);
    return "각거리: " + astro::FormatDmsKorean(distance_deg, 0) + "  위치각: " + angle + "도";
}

std::optional<std::string> EquatorialPanelText(double ra_deg, double dec_deg, int oldequ, bool juchon) {
    switch (oldequ) {
        case 0:
            return "적경: " + astro::FormatHmsKorean(ra_deg, 0) + "  적위: " + astro::FormatDmsKorean(dec_deg, 0);
        case 1:
            return "적경: " + skydata::BranchPalaceText(ra_deg) + "  거극도: " +
                   astro::FormatDmsKorean(90 - dec_deg, 0);
        case 2:
            return "입수도: " +
                   skydata::MansionPositionText(ra_deg, !juchon, skydata::StartupTables().MansionStarRA) +
                   "  거극도: " + astro::FormatDmsKorean(skydata::NorthPolarDistance(dec_deg, !juchon), 0);
        default:
            return std::nullopt;
    }
}

void BandMeasure(double x1_px, double y1_px, double x2_px, double y2_px, double& distance_deg,
                 double& position_angle_deg) {
    double ra1 = 0, dec1 = 0, ra2 = 0, dec2 = 0;
    EquatorialUnderPixel(x1_px, y1_px, false, ra1, dec1);
    EquatorialUnderPixel(x2_px, y2_px, false, ra2, dec2);
    distance_deg = astro::AngularSeparation(ra1, dec1, ra2, dec2);
    position_angle_deg = astro::PositionAngleTan(ra1, dec1, ra2, dec2);
}

PointerTexts PointerReadout(double x_px, double y_px, bool band, double band_x_px, double band_y_px) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const PointerSky sky = SkyUnderPixel(x_px, y_px);
    PointerTexts texts;
    if (band) {
        double distance = 0, angle = 0;
        BandMeasure(band_x_px, band_y_px, x_px, y_px, distance, angle);
        texts.panel1 = BandText(distance, angle);
    } else {
        texts.panel1 = AzAltText(sky.az_deg, sky.alt_deg);
    }
    texts.panel2 = EquatorialPanelText(sky.ra_deg, sky.dec_deg, s.oldequ, s.juchon);
    return texts;
}

}  // namespace zu
