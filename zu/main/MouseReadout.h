#pragma once
// The live read-out of the pointer over the chart: the sky position under a
// pixel of the last drawing in both frames, and the texts of status panels 1
// and 2 (azimuth and altitude, or the rubber band's angular distance and
// position angle; right ascension and declination in one of three styles).
// Qt-free; reads the settings snapshot, the sidereal time of the chart and the
// projection of the last drawing.
#include <optional>
#include <string>

namespace zu {

struct PointerSky {
    double az_deg = 0;   // azimuth from north through east
    double alt_deg = 0;
    double ra_deg = 0;   // in the chart's equatorial frame
    double dec_deg = 0;
};

// The position under a pixel of the last drawing (no refraction removed), in
// the horizontal and the equatorial frame. applyRefraction turns the apparent
// altitude of a horizontal chart into the true one (used for stored points).
PointerSky SkyUnderPixel(double x_px, double y_px, bool applyRefraction = false);

// The equatorial position under a pixel: converted from the horizontal frame
// when the chart is horizontal (same as SkyUnderPixel's ra/dec).
void EquatorialUnderPixel(double x_px, double y_px, bool applyRefraction, double& ra_deg, double& dec_deg);

// The catalogue place (J2000 when the chart precesses, otherwise the place as
// drawn) under a pixel, refraction taken off a horizontal chart: a map point
// or a user-line end stored there is drawn again under that pixel.
void CatalogPlaceUnderPixel(double x_px, double y_px, double& ra_deg, double& dec_deg);

// "방위각:<az>  고도: <alt>", whole seconds.
std::string AzAltText(double az_deg, double alt_deg);
// "각거리: <distance>  위치각: <pa>도" with the position angle to one decimal.
std::string BandText(double distance_deg, double position_angle_deg);
// Panel 2 by `oldequ`: 0 right ascension and declination, 1 branch palace and
// north polar distance, 2 lunar mansion and traditional polar distance;
// nullopt for any other style (the panel is left unchanged).
std::optional<std::string> EquatorialPanelText(double ra_deg, double dec_deg, int oldequ, bool juchon);

// The rubber band from (x1, y1) to (x2, y2): angular distance and position
// angle of the second end from the first, degrees.
void BandMeasure(double x1_px, double y1_px, double x2_px, double y2_px, double& distance_deg,
                 double& position_angle_deg);

// The two panel texts of one pointer event. band: the left button alone is
// held and the rubber band starts at (band_x, band_y).
struct PointerTexts {
    std::string panel1;
    std::optional<std::string> panel2;
};
PointerTexts PointerReadout(double x_px, double y_px, bool band, double band_x_px, double band_y_px);

}  // namespace zu
