#pragma once
// Small computations and drawing helpers shared by the chart layers (and, for
// GridStep, FloorToStep, RotatePoint and AutoLimitMag, by the printed chart).
// Colours are red + 256 green + 65536 blue. Angles in degrees.
#include <array>
#include <cstdint>
#include <string>

#include "astro/Matrix.h"
#include "astro/Planets.h"
#include "chart/Projector.h"
#include "platform/Colour.h"
#include "platform/Surface.h"

namespace chart {

// The plain colours the layers draw with.
inline constexpr platform::Colour kBlack = platform::Rgb(0, 0, 0);
inline constexpr platform::Colour kWhite = platform::Rgb(255, 255, 255);
inline constexpr platform::Colour kRed = platform::Rgb(255, 0, 0);
inline constexpr platform::Colour kGreen = platform::Rgb(0, 255, 0);
inline constexpr platform::Colour kBlue = platform::Rgb(0, 0, 255);
inline constexpr platform::Colour kCyan = platform::Rgb(0, 255, 255);
inline constexpr platform::Colour kYellow = platform::Rgb(255, 255, 0);

// A sky position of one spherical frame, degrees.
struct SkyPoint {
    double lon_deg = 0;
    double lat_deg = 0;
};

// 0 < x < w and 0 < y < h: the border rows and columns are outside.
constexpr bool IsOnScreen(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    return x > 0 && x < w && y > 0 && y < h;
}
constexpr bool EitherOnScreen(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t w,
                              std::int32_t h) {
    return IsOnScreen(x1, y1, w, h) || IsOnScreen(x2, y2, w, h);
}

// step * floor(value / step); value itself when step is 0.
double FloorToStep(double value, double step);

// Grid spacing (degrees) for a field of view (degrees): 30 from 90, 15 from
// 45, 10 from 30, 5 from 15, 3 from 5, 2 from 3, 1 from 2, else 0.5.
double GridStep(double fov_deg);

// (x', y') = (x, y) turned by angle_deg about (cx, cy), screen axes:
// x' = cx + cos a (x - cx) + sin a (y - cy); y' = cy - sin a (x - cx) + cos a (y - cy).
void RotatePoint(double angle_deg, double x, double y, double cx, double cy, double& x_out, double& y_out);

// Font of the surface: name, bold, size, italic, in that order.
void SetMapFont(platform::Surface& surface, int size_pt, const std::string& name, bool bold, bool italic);

// Whether the north (kind 1) or south (kind 2) pole of the frame that
// `frame` maps lies on the screen (IsOnScreen); false when it is behind
// the viewer.
bool PoleOnScreen(const Projector& proj, std::int32_t w, std::int32_t h, int kind, const astro::Matrix3& frame);

// Longitude and latitude range of one grid frame over the picture.
struct GridRange {
    double lonMin = 0;
    double lonMax = 0;
    double latMin = 0;
    double latMax = 0;
};
// From the eight border points of the picture in that frame and the centre
// longitude: latitudes from the border points (to +-90 when a pole is on
// the screen), longitudes centre +- the largest distance of a border point,
// or 0..360 when a pole is on the screen. No snapping.
GridRange GridLimits(const Projector& proj, std::int32_t h, std::int32_t w, const std::array<SkyPoint, 8>& border,
                     double centerLon_deg, const astro::Matrix3& frame);
// GridLimits snapped outward to multiples of step, the latitudes kept inside
// -90 + step .. 90 - step, and 0.01 added to both maxima so that a loop
// stepping up from the minimum reaches them.
GridRange VisibleRange(const Projector& proj, const std::array<SkyPoint, 8>& border, double step,
                       double centerLon_deg, const astro::Matrix3& frame);

// The most pieces a path between two sky positions is drawn in: two turns in
// steps of 3 degrees. Ends further apart (no reader lets them through) take
// longer pieces rather than more of them.
inline constexpr long kMaxSkyPathPieces = 240;

// Draws the path between (lon1, lat1) and (lon2, lat2) of the frame that
// `frame` maps to the chart, in pieces of about 3 degrees (at most
// kMaxSkyPathPieces), the short way across longitude 0. A piece is drawn when
// drawBelow or both ends are above the horizon (chart z > -1), and when one
// end is on the screen.
void DrawLongLine(platform::Surface& surface, const Projector& proj, double lon1_deg, double lat1_deg,
                  double lon2_deg, double lat2_deg, platform::Colour colour, const astro::Matrix3& frame,
                  bool drawBelow, std::int32_t w, std::int32_t h);

// The part of a base frame's sky (the frame `frame` maps to the chart) that a
// drawing can show: a cap around the direction under the centre pixel,
// wide enough for every on-screen pixel (the screen's half-diagonal, one
// pixel of rounding and the largest refraction), so that a path found
// outside it puts no end of a piece on the screen.
class SkyWindow {
public:
    SkyWindow(const Projector& proj, const astro::Matrix3& frame, std::int32_t w, std::int32_t h);
    // False only when no point of the path DrawLongLine steps from
    // (lon1, lat1) to (lon2, lat2) can be inside the cap.
    bool MayShow(double lon1_deg, double lat1_deg, double lon2_deg, double lat2_deg) const;
    // False only when the direction of (x, y, z) (any length but 0) lies
    // outside the cap, so that no pixel of it is on the screen.
    bool MayShow(double x, double y, double z) const {
        if (everywhere_) return true;
        const double dot = x * axis_[0] + y * axis_[1] + z * axis_[2];
        return dot >= 0 && dot * dot >= cos_squared_ * (x * x + y * y + z * z);
    }

private:
    bool everywhere_ = true;
    double axis_[3] = {1, 0, 0};  // centre of the cap, length 1
    double cos_squared_ = 0;      // of the radius
    double lon_deg_ = 0, lat_deg_ = 0;  // centre of the cap
    double radius_deg_ = 180;
    double lon_reach_deg_ = 180;  // half the longitude span of the cap; 180 with a pole inside
};

// DrawLongLine with paths outside `window` skipped whole (same pixels).
void DrawLongLine(platform::Surface& surface, const Projector& proj, const SkyWindow& window, double lon1_deg,
                  double lat1_deg, double lon2_deg, double lat2_deg, platform::Colour colour,
                  const astro::Matrix3& frame, bool drawBelow, std::int32_t w, std::int32_t h);

void SplitRGB(platform::Colour colour, std::int32_t& r, std::int32_t& g, std::int32_t& b);

// Linear blend: f = (x - xA) / (xB - xA), each channel round((1 - f) A + f B)
// limited to 0..255 (f itself is not limited).
platform::Colour BlendColour(platform::Colour colourA, platform::Colour colourB, float xB, float xA, float x);

// Background colour of the chart from the Sun's and the Moon's altitudes
// (degrees) and the Moon's magnitude, with the twilight colours night (0)
// .. day (5) for Sun altitudes -18, -15, -12, -6, -0.8333, 2.
platform::Colour SkyColour(double sunAlt_deg, double moonAlt_deg, bool inMoonlight, float moonMag,
                           const std::array<std::int32_t, 6>& twilight);

// Grey of a star by magnitude: white up to 0, beyond it
// round(255 / (0.02 mag^3 + 1)) in every channel (73 at magnitude 5).
platform::Colour StarGrey(float mag);

// Star colour of the glyph style: dimmed by magnitude up to 3.5, a grey by
// magnitude beyond. limitMag is the effective limiting magnitude.
platform::Colour StarColourByMag(std::int32_t r, std::int32_t g, std::int32_t b, float mag, double limitMag);
platform::Colour MixStarColour(platform::Colour colour, float mag, double limitMag);

// Automatic limiting magnitude from the Sun's and the Moon's altitudes
// (degrees), the Moon's magnitude and the field of view (degrees); at least
// 3 when liveSky (the `liveskycolor` switch) is off.
float AutoLimitMag(double sunAlt_deg, double moonAlt_deg, bool inMoonlight, float moonMag, double fov_deg,
                   bool liveSky);
// The same for the field of the last screen drawing and the current
// `liveskycolor`.
float AutoLimitMag(double sunAlt_deg, double moonAlt_deg, bool inMoonlight, float moonMag);

// The ten labels of the planet layer in planet-table order for a naming
// style (0 none, 1 the table's names, 2 native Korean, 3 Sino-Korean,
// 4 Chinese characters; others change only Uranus, Neptune and Pluto).
// Venus is the evening or the morning star by venusRA - sunRA (degrees).
void FillPlanetNames(int style, double venusRA_deg, double sunRA_deg, std::array<std::string, 10>& names,
                     const astro::PlanetTableT& table);

}  // namespace chart
