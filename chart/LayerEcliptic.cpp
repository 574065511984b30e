// The ecliptic, the galactic equator and the small crosses at the poles of
// a frame. None of them is refracted.
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/Planets.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kEclipticColour = 3;
constexpr int kGalacticColour = 4;
// 2 pi + pi/100: the loop includes the closing vertex at 2 pi.
constexpr double kFullTurnBound = 6.314601233715477;
constexpr double kEclipticStep = astro::kPi / 60;
constexpr double kGalacticStep_deg = 3;
// About 0.57 degrees below the horizon, of 1000.
constexpr double kBelowMargin = -10;

// Vertices of a great circle joined in order: a vertex below the horizon
// breaks the line (unless drawing below it), a vertex slightly below still
// starts the next piece.
class GreatCircle {
public:
    GreatCircle(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& frame, bool below,
                bool inclusiveMargin)
        : surface_(surface), c_(context), frame_(frame), below_(below), inclusive_(inclusiveMargin) {}

    void Vertex(double x, double y, double z) {
        astro::RotateVector(x, y, z, frame_);
        if (!below_ && z < 0) penUp_ = true;
        const bool projected = below_ || (inclusive_ ? z >= kBelowMargin : z > kBelowMargin);
        if (!projected) return;
        const Pixel p = c_.proj.ToPixel(x, y, z);
        if (first_ || penUp_) {
            first_ = false;
            penUp_ = false;
        } else if (EitherOnScreen(previous_.X, previous_.Y, p.X, p.Y, c_.width, c_.height)) {
            surface_.Line(previous_.X, previous_.Y, p.X, p.Y);
        }
        previous_ = p;
    }

private:
    platform::Surface& surface_;
    const DrawContext& c_;
    const astro::Matrix3& frame_;
    bool below_;
    bool inclusive_;
    bool first_ = true;
    bool penUp_ = true;
    Pixel previous_;
};

}  // namespace

void DrawEcliptic(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& frame,
                  bool drawBelowHorizon) {
    surface.SetForeColor(ColourOf(context.styles.LineColorTable[kEclipticColour]));
    const double obliquity = astro::Planets().Obliquity;
    GreatCircle circle(surface, context, frame, drawBelowHorizon, false);
    for (int i = 0;; ++i) {
        const double t = i * kEclipticStep;
        if (t > kFullTurnBound) break;
        double x = 1000 * std::cos(t), y = 1000 * std::sin(t), z = 0;
        astro::RotateAboutX(x, y, z, -obliquity);
        circle.Vertex(x, y, z);
    }
}

void DrawGalacticEquator(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& frame,
                         bool drawBelowHorizon) {
    surface.SetForeColor(ColourOf(context.styles.LineColorTable[kGalacticColour]));
    GreatCircle circle(surface, context, frame, drawBelowHorizon, true);
    for (int i = 0;; ++i) {
        const double l = i * kGalacticStep_deg;
        if (l > 360) break;
        double ra, dec, x, y, z;
        astro::GalacticToEquatorial(l, 0, ra, dec);
        astro::SphericalToCartesian(ra, dec, x, y, z);
        circle.Vertex(x, y, z);
    }
}

void DrawPoleMarks(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& frame,
                   PoleKind kind, platform::Colour colour, bool drawBelowHorizon) {
    const Projector& proj = context.proj;
    const double a = context.state.GridSpacing / 10;
    const double armLon[4] = {0, 90, 180, 270};
    const auto toChart = [&](double lon, double lat, double& x, double& y, double& z) {
        if (kind == PoleKind::Galactic) {
            double ra, dec;
            astro::GalacticToEquatorial(lon, lat, ra, dec);
            lon = ra;
            lat = dec;
        } else if (kind == PoleKind::Ecliptic) {
            double ra, dec;
            astro::EclipticToEquatorialOfDate(lon, lat, ra, dec);
            lon = ra;
            lat = dec;
        }
        astro::SphericalToCartesian(lon, lat, x, y, z);
        astro::RotateVector(x, y, z, frame);
    };
    for (int k = 0; k < 8; ++k) {
        const bool north = k < 4;
        double px, py, pz, ax, ay, az;
        toChart(0, north ? 90 : -90, px, py, pz);
        toChart(armLon[k % 4], north ? 90 - a : a - 90, ax, ay, az);
        if (!(pz > -1 || drawBelowHorizon)) continue;
        const Pixel P = proj.ToPixel(px, py, pz);
        const Pixel A = proj.ToPixel(ax, ay, az);
        if (!EitherOnScreen(P.X, P.Y, A.X, A.Y, context.width, context.height)) continue;
        const double dx = static_cast<double>(P.X) - A.X, dy = static_cast<double>(P.Y) - A.Y;
        if (std::sqrt(dx * dx + dy * dy) < context.height / 2.0) surface.Line(A.X, A.Y, P.X, P.Y, colour);
    }
}

void LayerEcliptic(platform::Surface& surface, DrawContext& context) {
    DrawEcliptic(surface, context, context.frames.EquatorToChart, context.below);
    DrawPoleMarks(surface, context, context.frames.EquatorToChart, PoleKind::Ecliptic,
                  ColourOf(context.styles.LineColorTable[kEclipticColour]), context.below);
}

void LayerGalacticEquator(platform::Surface& surface, DrawContext& context) {
    DrawGalacticEquator(surface, context, context.frames.CatalogToChart, context.below);
    DrawPoleMarks(surface, context, context.frames.CatalogToChart, PoleKind::Galactic,
                  ColourOf(context.styles.LineColorTable[kGalacticColour]), context.below);
}

}  // namespace chart
