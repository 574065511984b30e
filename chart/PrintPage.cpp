#include "chart/PrintPage.h"

#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/Projection.h"

namespace chart {

PrintPageState& PrintPage() {
    static PrintPageState state;
    return state;
}

void ResetPrintPage() { PrintPage() = PrintPageState{}; }

void SetPageProjection(PrintPageState& page, double centerLon_deg, double centerLat_deg, double fov_deg,
                       bool mirror, double rotation_deg) {
    page.PrintFOV = fov_deg;
    page.PrintScale = 4000.0 * astro::TanD(fov_deg / 4.0) / kPrintFieldUnits;
    page.PrintCenterX = kPrintUnitsWide / 2;
    page.PrintCenterY = kPrintUnitsHigh / 2;
    page.PrintViewCenterX = centerLon_deg;
    page.PrintViewCenterY = centerLat_deg;
    page.Mirror = mirror;
    page.MapRotation = rotation_deg;
    astro::MakeViewMatrix(centerLon_deg, centerLat_deg, page.PrintViewMatrix, mirror, rotation_deg);
}

PagePoint ToPage(const PrintPageState& page, double x, double y, double z) {
    astro::RotateVector(x, y, z, page.PrintViewMatrix);
    astro::StereographicScale(x, y, z);
    return {static_cast<float>(-y / page.PrintScale + page.PrintCenterX),
            static_cast<float>(-z / page.PrintScale + page.PrintCenterY)};
}

bool IsOnPage(const PrintPageState& page, float X, float Y) {
    return X > 0 && X < page.PrintPageWidth && Y > 0 && Y < page.PrintPageHeight;
}

bool IsSegmentOnPage(const PrintPageState& page, float X1, float Y1, float X2, float Y2) {
    return IsOnPage(page, X1, Y1) || IsOnPage(page, X2, Y2);
}

bool IsPoleOnPage(const PrintPageState& page, int which, const astro::Matrix3& frame) {
    double x = 0, y = 0, z = which == 1 ? 1000.0 : which == 2 ? -1000.0 : 0.0;
    astro::RotateVector(x, y, z, frame);
    double vx = x, vy = y, vz = z;
    astro::RotateVector(vx, vy, vz, page.PrintViewMatrix);
    if (vx < 0) return false;
    return IsOnPage(page, ToPage(page, x, y, z));
}

void PagePointToSky(const PrintPageState& page, float X, float Y, double centerLon_deg, double centerLat_deg,
                    double& lon_deg, double& lat_deg) {
    // The mirrored horizontal chart is turned back by the sign.
    const double s = page.Mirror ? 1.0 : -1.0;
    const double cx = static_cast<float>(page.PrintCenterX);
    const double cy = static_cast<float>(page.PrintCenterY);
    double xr, yr;
    RotatePoint(-page.MapRotation, X, Y, cx, cy, xr, yr);
    const double y = -(xr - cx) * page.PrintScale * s;
    const double z = -(yr - cy) * page.PrintScale;
    double a;
    if (z > 0) {
        a = astro::Norm360(astro::AtnD(y / z));
    } else if (z < 0) {
        a = astro::AtnD(y / z) + 180.0;
    } else {
        a = y >= 0 ? 90.0 : 270.0;
    }
    const double theta = 2.0 * astro::AtnD(std::sqrt(y * y + z * z) / 2000.0);
    const double h = 90.0 - theta;
    double vx = 1000.0 * astro::CosD(h) * astro::CosD(a);
    double vy = 1000.0 * astro::CosD(h) * astro::SinD(a);
    double vz = 1000.0 * astro::SinD(h);
    astro::RotateAboutY(vx, vy, vz, -centerLat_deg);
    lat_deg = 90.0 - astro::ArcCosD(vx / 1000.0);
    lon_deg = astro::Norm360(astro::Atan2D(vz, vy) - 90.0 + centerLon_deg);
}

GridRange GetPageCoordRange(const PrintPageState& page, const std::array<SkyPoint, 8>& corners, double step,
                            double centerLon_deg, const astro::Matrix3& frame) {
    const bool north = IsPoleOnPage(page, 1, frame);
    const bool south = IsPoleOnPage(page, 2, frame);
    GridRange r;
    r.latMax = corners[0].lat_deg;
    r.latMin = corners[0].lat_deg;
    for (const SkyPoint& p : corners) {
        r.latMax = std::max(r.latMax, p.lat_deg);
        r.latMin = std::min(r.latMin, p.lat_deg);
    }
    if (north) r.latMax = 90 - step;
    if (south) r.latMin = step - 90;
    r.latMin = FloorToStep(r.latMin, step);
    if (r.latMin <= -90) r.latMin = step - 90;
    r.latMax = FloorToStep(r.latMax + step, step);
    if (r.latMax >= 90) r.latMax = 90 - step;
    r.latMax += 0.01;
    if (north || south) {
        r.lonMin = 0;
        r.lonMax = 360;
    } else {
        double h = 0;
        for (const SkyPoint& p : corners) h = std::max(h, astro::AngleDistance(p.lon_deg, centerLon_deg));
        r.lonMin = centerLon_deg - h;
        r.lonMax = centerLon_deg + h;
    }
    r.lonMin = FloorToStep(r.lonMin, step);
    r.lonMax = FloorToStep(r.lonMax + step, step) + 0.01;
    return r;
}

}  // namespace chart
