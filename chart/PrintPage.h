#pragma once
// The geometry of the printed chart page: one page of 211 x 297 units (a
// millimetre of A4 portrait paper), X to the right, Y downward, with the
// projection centre at the middle of the whole page (105.5, 148.5) and the
// field of view spanning 181 units across. The page keeps its own geometry
// in single-precision millimetres, never rounded to pixels: its on-page test
// is 0 < X < 210 and 0 < Y < 262 (the legend band lies below), and whatever
// lands in the margins is painted over by the white margins at the end.
//
// The page state is written once per page by the print driver before the
// first layer and read by every layer printer; the next page overwrites it.
#include <array>
#include <cstdint>
#include <string>

#include "astro/Matrix.h"
#include "chart/RenderUtils.h"
#include "platform/Surface.h"

namespace chart {

inline constexpr double kPrintUnitsWide = 211;
inline constexpr double kPrintUnitsHigh = 297;
// The field of view spans this many units across the page.
inline constexpr double kPrintFieldUnits = 181;

struct PagePoint {
    float X = 0;
    float Y = 0;
};

struct PrintPageState {
    float PrintPageWidth = 210;   // right limit of the on-page test
    float PrintPageHeight = 262;  // lower limit; the legend band is below
    double PrintScale = 0;        // sky-plane units per page unit: 4000 tan(FOV/4) / 181
    double PrintCenterX = kPrintUnitsWide / 2;
    double PrintCenterY = kPrintUnitsHigh / 2;
    double PrintViewCenterX = 0;  // azimuth or right ascension, degrees
    double PrintViewCenterY = 0;  // altitude or declination, degrees
    double PrintSiderealDeg = 0;
    double PrintLatitude = 0;
    double PrintFOV = 0;
    double PrintGridStep = 0;
    astro::Matrix3 PrintFrameMatrix{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};    // J2000 catalogue -> chart
    astro::Matrix3 PrintHorizonMatrix{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};  // horizon -> chart
    astro::Matrix3 PrintViewMatrix{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};     // chart -> view
    std::int32_t PrintRefractionOn = 0;
    float PrintLimitMag = 0;
    // Chart-frame sky positions of the page points (0,0), (105.5,0), (211,0),
    // (0,148.5), (211,148.5), (0,297), (105.5,297), (211,297).
    std::array<SkyPoint, 8> PageCornerSky{};
    // The horizontal chart is seen from inside and printed mirrored.
    bool Mirror = false;
    double MapRotation = 0;  // degrees, as the view matrix holds it
};

PrintPageState& PrintPage();
void ResetPrintPage();

// The page state of a page of this field of view (degrees) about a centre:
// scale, centres and the view matrix with its mirror and rotation.
void SetPageProjection(PrintPageState& page, double centerLon_deg, double centerLat_deg, double fov_deg,
                       bool mirror, double rotation_deg);

// The page point of a chart-frame vector: view matrix, stereographic scale,
// X = -y / PrintScale + 105.5, Y = -z / PrintScale + 148.5 as singles.
PagePoint ToPage(const PrintPageState& page, double x, double y, double z);

// 0 < X < PrintPageWidth and 0 < Y < PrintPageHeight.
bool IsOnPage(const PrintPageState& page, float X, float Y);
inline bool IsOnPage(const PrintPageState& page, const PagePoint& p) { return IsOnPage(page, p.X, p.Y); }
// Either end on the page; a segment crossing the page with both ends off it
// is not drawn.
bool IsSegmentOnPage(const PrintPageState& page, float X1, float Y1, float X2, float Y2);
inline bool IsSegmentOnPage(const PrintPageState& page, const PagePoint& a, const PagePoint& b) {
    return IsSegmentOnPage(page, a.X, a.Y, b.X, b.Y);
}
// Whether the north (1) or south (2) pole of the frame that `frame` maps into
// the chart frame lies on the page; false behind the viewer.
bool IsPoleOnPage(const PrintPageState& page, int which, const astro::Matrix3& frame);
// The chart-frame sky position of a page point about a centre (degrees):
// 0 <= lon < 360.
void PagePointToSky(const PrintPageState& page, float X, float Y, double centerLon_deg, double centerLat_deg,
                    double& lon_deg, double& lat_deg);
// The longitude and latitude range that a grid of `step` degrees steps
// through, from the eight page points in the grid's frame.
GridRange GetPageCoordRange(const PrintPageState& page, const std::array<SkyPoint, 8>& corners, double step,
                            double centerLon_deg, const astro::Matrix3& frame);

// The printer font from a style's size, name, bold and italic.
inline void SetPrintFont(platform::Surface& surface, int size_pt, const std::string& name, bool bold, bool italic) {
    SetMapFont(surface, size_pt, name, bold, italic);
}

}  // namespace chart
