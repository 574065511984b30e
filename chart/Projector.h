#pragma once
// The projection of one chart drawing: view centre, field, rotation, mirror,
// scale and centre pixel, with the forward mapping every layer uses and its
// inverse (screen to sky).
//
// Forward, for a direction vector v of length 1000 in a base frame (horizon,
// equator of date, J2000 catalogue): v' = M v with the layer's frame matrix;
// in the horizontal chart with refraction on, v' is lifted by the refraction
// table; v' is behind the horizon when its z < 0; then v'' = ChartToView v',
// the stereographic scale, and the pixel X = -y''/MapScale + PixCenterX,
// Y = -z''/MapScale + PixCenterY, each rounded to the nearest whole number
// (halves to even). MapScale is sky units (radius 1000 sphere, plane radius
// 2000 tan(t/2)) per pixel: 4000 tan(fov/4) / height, the field spanning the
// surface height.
#include <cmath>
#include <cstdint>
#include <string>

#include "astro/Atmosphere.h"
#include "astro/Matrix.h"
#include "astro/Projection.h"

namespace chart {

// What a drawing is made of, as the main window passes it.
struct ProjectionView {
    double center_lon_deg = 0;   // azimuth (horizontal chart) or right ascension (equatorial chart)
    double center_lat_deg = 0;   // altitude or declination
    double fov_deg = 60;         // spans the surface height, 1..190
    double rotation_deg = 0;     // chart rotation about its centre (MapRotation)
    std::string coord_sys = "a"; // "a" horizontal, "e" equatorial, compared upper-cased
    bool refraction = true;      // the Refraction switch
    double pressure_hpa = 1013;
    double temperature_c = 15;
};

// Pixels beyond this are clamped, so far points stay far without overflow.
inline constexpr double kPixelLimit = 2.0e9;

inline std::int32_t RoundPixel(double v) {
    if (!(v < kPixelLimit)) return static_cast<std::int32_t>(kPixelLimit);  // also NaN
    if (!(v > -kPixelLimit)) return static_cast<std::int32_t>(-kPixelLimit);
    return static_cast<std::int32_t>(std::nearbyint(v));
}

struct Pixel {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

struct Projector {
    // As drawn.
    double center_lon_deg = 0;
    double center_lat_deg = 0;
    double fov_deg = 0;
    double rotation_deg = 0;
    bool mirror = false;        // the horizontal chart is seen from inside: mirrored
    bool horizon_frame = false; // IsHorizonFrame: the chart frame is the horizon frame
    bool refraction = false;    // the Refraction switch of this drawing
    float pressure_hpa = 1013;
    float temperature_c = 15;
    // Derived.
    std::int32_t width = 0;     // whole pixels
    std::int32_t height = 0;
    double MapScale = 0;        // sky units per pixel; 0 before the first drawing
    std::int32_t PixCenterX = 0;
    std::int32_t PixCenterY = 0;
    astro::Matrix3 ChartToView{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    // Chart-frame z below which a point stays behind the horizon even after
    // the largest refraction of the table: Place drops it unrefracted. Below
    // any z until MakeProjector sets it.
    double below_after_refraction_z = -2 * astro::kVectorLength;

    // Refraction is applied only in the horizontal frame.
    bool Refracts() const { return horizon_frame && refraction; }

    // v' = m v, lifted by refraction when the drawing refracts.
    void ToChart(double& x, double& y, double& z, const astro::Matrix3& m) const {
        astro::RotateVector(x, y, z, m);
        if (Refracts()) astro::ApplyRefraction(x, y, z);
    }

    // Unrounded pixel of a chart-frame vector: ChartToView, stereographic
    // scale, scale and centre.
    void ToPlane(double x, double y, double z, double& px, double& py) const {
        astro::RotateVector(x, y, z, ChartToView);
        astro::StereographicScale(x, y, z);
        px = -y / MapScale + PixCenterX;
        py = -z / MapScale + PixCenterY;
    }

    // The pixel of a chart-frame vector.
    Pixel ToPixel(double x, double y, double z) const {
        double px, py;
        ToPlane(x, y, z, px, py);
        return {RoundPixel(px), RoundPixel(py)};
    }

    // A direction of a base frame placed on the screen: false when it lies
    // behind the horizon (chart-frame z < 0) and below is false. chart_z is
    // the chart-frame z after refraction (1000 sin of the apparent altitude
    // in the horizontal chart).
    bool Place(double x, double y, double z, const astro::Matrix3& m, bool below, Pixel& p,
               double* chart_z = nullptr) const {
        astro::RotateVector(x, y, z, m);
        if (Refracts()) {
            if (z < below_after_refraction_z && !below) return false;
            astro::ApplyRefraction(x, y, z);
        }
        if (chart_z) *chart_z = z;
        if (z < 0 && !below) return false;
        p = ToPixel(x, y, z);
        return true;
    }

    // Point layers: 0 <= X <= width and 0 <= Y <= height.
    bool OnSurface(const Pixel& p) const { return p.X >= 0 && p.X <= width && p.Y >= 0 && p.Y <= height; }

    // The sky position under a pixel, in the chart frame of this drawing
    // (azimuth and altitude, or right ascension and declination), degrees:
    // 0 <= lon < 360, -90 <= lat <= 90. centerLon/centerLat is the view
    // centre to invert (the callers pass the view centre of the drawing).
    // applyRefraction turns an apparent altitude into a true one in the
    // horizontal chart with refraction on. The centre pixel gives the centre
    // exactly; with MapScale 0 (no drawing yet) every pixel does.
    void ScreenToSky(double x, double y, double centerLon, double centerLat, double& lon, double& lat,
                     bool applyRefraction) const;
};

// The projection for a surface of width x height whole pixels.
Projector MakeProjector(std::int32_t width, std::int32_t height, const ProjectionView& view);

// True for the view system "a"/"A" (horizontal chart).
bool IsHorizontalView(const std::string& coord_sys);
// True for "e"/"E" (equatorial chart).
bool IsEquatorialView(const std::string& coord_sys);

}  // namespace chart
