// The horizontal and the equatorial coordinate grids with their edge labels.
// Grid lines and labels are never refracted: they are coordinates, not
// light.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/NumberRange.h"
#include "astro/TextFormat.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/RenderUtils.h"
#include "skydata/TraditionalText.h"

namespace chart {

namespace {

constexpr int kAltAzGridColour = 1;
// Bound on the lines and points of one grid, far above any real view's.
constexpr int kMaxGridSteps = 20000;
constexpr int kEquatorialGridColour = 2;

enum class BorderFrame { AsDrawn, ToHorizontal, ToEquatorial };

// The border points and the centre of the last drawing in the grid's own
// frame.
GridRange GridRangeOf(const DrawContext& c, BorderFrame conversion, const astro::Matrix3& frame) {
    std::array<SkyPoint, 8> border = c.state.BorderPoints;
    double centreLon = c.view.center_lon_deg;
    double centreLat = c.view.center_lat_deg;
    const auto convert = [&](double& lon, double& lat) {
        double a, b;
        if (conversion == BorderFrame::ToHorizontal) {
            astro::EquatorialToHorizontal(lon, lat, c.view.lst_h, c.view.lat_deg, a, b);
        } else {
            astro::HorizontalToEquatorial(lon, lat, c.view.lst_h, c.view.lat_deg, a, b);
        }
        lon = a;
        lat = b;
    };
    if (conversion != BorderFrame::AsDrawn) {
        for (SkyPoint& p : border) convert(p.lon_deg, p.lat_deg);
        convert(centreLon, centreLat);
    }
    return VisibleRange(c.proj, border, c.state.GridSpacing, centreLon, frame);
}

// Meridian thinning near a pole in a narrow field.
int MeridianFactor(double latMin_deg, double fov_deg) {
    const double a = std::fabs(latMin_deg);
    if (fov_deg > 29 || a < 45) return 1;
    if (a >= 80) return 8;
    if (a >= 65) return 4;
    return 2;
}

// A grid point turned into the chart frame.
void GridPoint(double lon_deg, double lat_deg, const astro::Matrix3& frame, double& x, double& y, double& z) {
    astro::SphericalToCartesian(lon_deg, lat_deg, x, y, z);
    astro::RotateVector(x, y, z, frame);
}

// The factors SphericalToCartesian takes of a longitude and of a latitude,
// so that a grid line's points reuse them: x = (1000 cos lon) cos lat,
// y = (1000 sin lon) cos lat, z = 1000 sin lat, the same products in the same
// order.
struct LongitudeTrig {
    LongitudeTrig() = default;
    explicit LongitudeTrig(double lon_deg)
        : x(astro::kVectorLength * astro::CosD(lon_deg)), y(astro::kVectorLength * astro::SinD(lon_deg)) {}
    double x = 0, y = 0;
};

struct LatitudeTrig {
    LatitudeTrig() = default;
    explicit LatitudeTrig(double lat_deg)
        : cos(astro::CosD(lat_deg)), z(astro::kVectorLength * astro::SinD(lat_deg)) {}
    double cos = 0, z = 0;
};

void GridPoint(const LongitudeTrig& lon, const LatitudeTrig& lat, const astro::Matrix3& frame, double& x, double& y,
               double& z) {
    x = lon.x * lat.cos;
    y = lon.y * lat.cos;
    z = lat.z;
    astro::RotateVector(x, y, z, frame);
}

}  // namespace

void DrawGrid(platform::Surface& surface, const DrawContext& context, double spacing_deg, double lonMin_deg,
              double lonMax_deg, double latMin_deg, double latMax_deg, const astro::Matrix3& frame,
              platform::Colour colour, bool drawBelowHorizon, bool isHorizontal) {
    if (!(spacing_deg > 0)) return;
    const Projector& proj = context.proj;
    const std::int32_t W = context.width, H = context.height;
    surface.SetForeColor(colour);
    const int k = MeridianFactor(latMin_deg, context.view.fov_deg);
    const double fine = spacing_deg / 5;

    // Meridians: a point behind the horizon is only skipped.
    const double meridianStep = k * spacing_deg;
    const int meridians = astro::CountSteps(lonMin_deg, lonMax_deg, meridianStep, kMaxGridSteps);
    const int meridianPoints = astro::CountSteps(latMin_deg, latMax_deg, fine, kMaxGridSteps);
    // The sines and cosines along a line are the same for every line: taken
    // once, multiplied as SphericalToCartesian multiplies them.
    std::vector<LatitudeTrig> meridianLats(static_cast<std::size_t>(std::max(meridianPoints, 0)));
    for (int j = 0; j < meridianPoints; ++j) meridianLats[static_cast<std::size_t>(j)] = LatitudeTrig(latMin_deg + j * fine);
    for (int i = 0; i < meridians; ++i) {
        const LongitudeTrig lon(lonMin_deg + i * meridianStep);
        bool placed = false;
        Pixel previous;
        for (int j = 0; j < meridianPoints; ++j) {
            double x, y, z;
            GridPoint(lon, meridianLats[static_cast<std::size_t>(j)], frame, x, y, z);
            if (z < 0 && !drawBelowHorizon) continue;
            const Pixel p = proj.ToPixel(x, y, z);
            if (placed && EitherOnScreen(previous.X, previous.Y, p.X, p.Y, W, H)) {
                surface.Line(previous.X, previous.Y, p.X, p.Y);
            }
            previous = p;
            placed = true;
        }
    }

    // Parallels: a point behind the horizon also lifts the pen.
    const int parallels = astro::CountSteps(latMin_deg, latMax_deg, spacing_deg, kMaxGridSteps);
    const int parallelPoints = astro::CountSteps(lonMin_deg, lonMax_deg, fine, kMaxGridSteps);
    std::vector<LongitudeTrig> parallelLons(static_cast<std::size_t>(std::max(parallelPoints, 0)));
    for (int i = 0; i < parallelPoints; ++i) parallelLons[static_cast<std::size_t>(i)] = LongitudeTrig(lonMin_deg + i * fine);
    for (int j = 0; j < parallels; ++j) {
        const LatitudeTrig lat(latMin_deg + j * spacing_deg);
        bool placed = false;
        Pixel previous;
        for (int i = 0; i < parallelPoints; ++i) {
            double x, y, z;
            GridPoint(parallelLons[static_cast<std::size_t>(i)], lat, frame, x, y, z);
            if (z < 0 && !drawBelowHorizon) {
                placed = false;
                continue;
            }
            const Pixel p = proj.ToPixel(x, y, z);
            if (placed && EitherOnScreen(previous.X, previous.Y, p.X, p.Y, W, H)) {
                surface.Line(previous.X, previous.Y, p.X, p.Y);
            }
            previous = p;
            placed = true;
        }
    }

    // Labels on every other point of a half-spacing lattice; the counter runs
    // on through the columns, so the labels alternate along the edges.
    const bool oldEquatorial = context.settings.oldequ != 0;
    long counter = 1;
    const double columnStep = k * spacing_deg / 2;
    const double rowStep = spacing_deg / 2;
    const int columns = astro::CountSteps(lonMin_deg, lonMax_deg, columnStep, kMaxGridSteps);
    const int rows = astro::CountSteps(latMin_deg, latMax_deg, rowStep, kMaxGridSteps);
    for (int column = 1; column <= columns; ++column) {
        const double lon = lonMin_deg + (column - 1) * columnStep;
        const bool oddColumn = column % 2 == 1;
        for (int j = 0; j < rows; ++j) {
            const double lat = latMin_deg + j * rowStep;
            const bool even = counter % 2 == 0;
            ++counter;
            double x, y, z;
            GridPoint(lon, lat, frame, x, y, z);
            if (z < 0 && !drawBelowHorizon) continue;
            const Pixel p = proj.ToPixel(x, y, z);
            if (!IsOnScreen(p.X, p.Y, W, H) || !even) continue;
            std::string text;
            if (isHorizontal) {
                if (lat == 0 && !drawBelowHorizon) continue;
                text = oddColumn ? astro::FormatDmsSymbol(astro::Norm360(lon)) : astro::FormatDmsSymbol(lat);
            } else if (oddColumn) {
                const double ra = astro::Norm360(lon);
                text = oldEquatorial ? skydata::BranchPalaceLabel(ra) : astro::FormatHmsLatin(ra);
            } else {
                text = astro::FormatDmsSymbol(oldEquatorial ? 90 - lat : lat);
            }
            detail::PrintAt(surface, p.X, p.Y, text);
        }
    }
}

void DrawAltAzGrid(platform::Surface& surface, const DrawContext& context, double /*fov_deg*/,
                   const astro::Matrix3& horizonToChart, bool drawBelowHorizon) {
    const BorderFrame conversion =
        IsEquatorialView(context.view.coord_sys) ? BorderFrame::ToHorizontal : BorderFrame::AsDrawn;
    const GridRange r = GridRangeOf(context, conversion, horizonToChart);
    DrawGrid(surface, context, context.state.GridSpacing, r.lonMin, r.lonMax, r.latMin, r.latMax, horizonToChart,
             ColourOf(context.styles.LineColorTable[kAltAzGridColour]), drawBelowHorizon, true);
}

void DrawEquatorialGrid(platform::Surface& surface, const DrawContext& context, double /*fov_deg*/,
                        const astro::Matrix3& equatorToChart, bool drawBelowHorizon) {
    const BorderFrame conversion =
        IsHorizontalView(context.view.coord_sys) ? BorderFrame::ToEquatorial : BorderFrame::AsDrawn;
    const GridRange r = GridRangeOf(context, conversion, equatorToChart);
    DrawGrid(surface, context, context.state.GridSpacing, r.lonMin, r.lonMax, r.latMin, r.latMax, equatorToChart,
             ColourOf(context.styles.LineColorTable[kEquatorialGridColour]), drawBelowHorizon, false);
}

void LayerAltAzGrid(platform::Surface& surface, DrawContext& context) {
    DrawAltAzGrid(surface, context, context.view.fov_deg, context.frames.HorizonToChart, context.below);
    DrawPoleMarks(surface, context, context.frames.HorizonToChart, PoleKind::Frame,
                  ColourOf(context.styles.LineColorTable[kAltAzGridColour]), context.below);
}

void LayerEquatorialGrid(platform::Surface& surface, DrawContext& context) {
    DrawEquatorialGrid(surface, context, context.view.fov_deg, context.frames.EquatorToChart, context.below);
    DrawPoleMarks(surface, context, context.frames.EquatorToChart, PoleKind::Frame,
                  ColourOf(context.styles.LineColorTable[kEquatorialGridColour]), context.below);
}

}  // namespace chart
