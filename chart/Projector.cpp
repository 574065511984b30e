#include "chart/Projector.h"

#include <cmath>

#include "astro/AngleMath.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

bool ViewIs(const std::string& coord_sys, char letter) {
    return coord_sys.size() == 1 && (coord_sys[0] == letter || coord_sys[0] == letter - 'A' + 'a');
}

}  // namespace

bool IsHorizontalView(const std::string& coord_sys) { return ViewIs(coord_sys, 'A'); }
bool IsEquatorialView(const std::string& coord_sys) { return ViewIs(coord_sys, 'E'); }

Projector MakeProjector(std::int32_t width, std::int32_t height, const ProjectionView& view) {
    Projector p;
    p.center_lon_deg = view.center_lon_deg;
    p.center_lat_deg = view.center_lat_deg;
    p.fov_deg = view.fov_deg;
    p.rotation_deg = view.rotation_deg;
    p.horizon_frame = IsHorizontalView(view.coord_sys);
    p.mirror = p.horizon_frame;
    p.refraction = view.refraction;
    p.pressure_hpa = static_cast<float>(view.pressure_hpa);
    p.temperature_c = static_cast<float>(view.temperature_c);
    p.width = width;
    p.height = height;
    p.MapScale = 4000.0 * astro::TanD(view.fov_deg / 4.0) / height;
    p.PixCenterX = RoundPixel(width / 2.0);
    p.PixCenterY = RoundPixel(height / 2.0);
    // A margin of a millionth of a degree keeps every point the refraction
    // could lift above the horizon.
    p.below_after_refraction_z =
        -astro::kVectorLength * astro::SinD(astro::LargestRefraction(astro::Atmosphere().RefractionTable) + 1e-6);
    astro::MakeViewMatrix(view.center_lon_deg, view.center_lat_deg, p.ChartToView, p.mirror, view.rotation_deg);
    return p;
}

void Projector::ScreenToSky(double x, double y, double centerLon, double centerLat, double& lon, double& lat,
                            bool applyRefraction) const {
    // The horizontal chart is mirrored; the sign undoes it.
    const double s = mirror ? 1.0 : -1.0;
    double xr = x, yr = y;
    RotatePoint(-rotation_deg, x, y, PixCenterX, PixCenterY, xr, yr);
    const double dx = -MapScale * s * (xr - PixCenterX);
    const double dy = -MapScale * (yr - PixCenterY);
    if (dx == 0 && dy == 0) {
        // The centre: exactly the view centre, free of the rounding of the
        // trigonometry below.
        lon = astro::Norm360(centerLon);
        lat = centerLat;
    } else {
        double b;
        if (dy > 0) {
            b = astro::Norm360(astro::AtnD(dx / dy));
        } else if (dy < 0) {
            b = astro::AtnD(dx / dy) + 180.0;
        } else {
            b = dx >= 0 ? 90.0 : 270.0;
        }
        const double rho = std::sqrt(dx * dx + dy * dy) / 2000.0;
        const double h = 90.0 - 2.0 * astro::AtnD(rho);
        double X = 1000.0 * astro::CosD(b) * astro::CosD(h);
        double Y = 1000.0 * astro::SinD(b) * astro::CosD(h);
        double Z = 1000.0 * astro::SinD(h);
        astro::RotateAboutY(X, Y, Z, -centerLat);
        lat = 90.0 - astro::ArcCosD(X / 1000.0);
        lon = astro::Norm360(astro::Atan2D(Z, Y) - 90.0 + centerLon);
    }
    if (applyRefraction && refraction && horizon_frame) {
        lat -= astro::RefractionApparent(lat, pressure_hpa, temperature_c);
    }
}

}  // namespace chart
