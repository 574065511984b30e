// Printed solar-system bodies: the Earth's shadow at the Moon's distance, the
// Sun, the Moon and the planets as filled discs, comets with their tails and
// comae, asteroids as diamonds. Their places are of the chart date; the
// driver hands them the date-to-chart rotation, as the screen uses.
#include <algorithm>
#include <cmath>
#include <string>

#include "astro/AngleMath.h"
#include "astro/AsteroidPosition.h"
#include "astro/CometPosition.h"
#include "astro/Coordinates.h"
#include "astro/Planets.h"
#include "astro/Topocentric.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/PrintLayerPrinters.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kCometStyle = 5;
constexpr int kAsteroidStyle = 6;
constexpr int kPlanetStyle = 7;
// Earth radii per astronomical unit: the Moon's horizontal parallax is
// asin(1 / (distance in AU * this)).
constexpr double kEarthRadiiPerAu = 23454.7800285036;
// The Moon's apparent radius taken for the shadow's edges, degrees.
constexpr double kMoonRadius_deg = 0.27;
// Below the horizon by less than this (of 1000) a disc still shows.
constexpr double kPlanetHorizonMargin = -4;
constexpr double kMinSunMoonRadius = 1.5;
constexpr double kMinPlanetRadius = 0.1;
constexpr double kMinCometRadius = 0.3;
constexpr double kAsteroidArm = 1.5;
constexpr double kAsteroidDot = 0.3;
constexpr double kComaEnlargement = 5;
constexpr platform::Colour kShadowFill = platform::Rgb(100, 100, 100);
constexpr platform::Colour kSunFill = platform::Rgb(255, 255, 0);
constexpr platform::Colour kMoonFill = platform::Rgb(128, 128, 128);
constexpr platform::Colour kPlanetFill = platform::Rgb(180, 255, 0);

// Page radius (mm) of a disc of angular diameter `d_arcsec` at the page centre.
double DiscRadius(const PrintContext& c, double d_arcsec) {
    return 4000 * astro::TanD(d_arcsec / 28800) / c.page.PrintScale;
}

// The page point of a position of date: false below the horizon (by more
// than `margin` of 1000, unless drawing below) or off the page.
bool PlaceBody(const PrintContext& c, double ra_deg, double dec_deg, const astro::Matrix3& m, bool below,
               double margin, PagePoint& p) {
    double x, y, z;
    astro::SphericalToCartesian(ra_deg, dec_deg, x, y, z);
    ToPrintChart(c, x, y, z, m);
    if (!(z >= margin || below)) return false;
    p = ToPage(c.page, x, y, z);
    return IsOnPage(c.page, p);
}

// The page point of a position with no horizon or page test.
PagePoint PlaceAnywhere(const PrintContext& c, double ra_deg, double dec_deg, const astro::Matrix3& m) {
    double x, y, z;
    astro::SphericalToCartesian(ra_deg, dec_deg, x, y, z);
    ToPrintChart(c, x, y, z, m);
    return ToPage(c.page, x, y, z);
}

void SetStyleFont(platform::Surface& page, const skydata::FontStyle& style) {
    SetPrintFont(page, style.FontSize_pt, style.FontName, style.Bold, style.Italic);
}

}  // namespace

void PrintMoonShadow(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below) {
    const astro::PlanetTableT& table = astro::Planets().PlanetTable;
    const astro::PlanetRecord& sun = table[astro::kPlanetSun];
    const astro::PlanetRecord& moon = table[astro::kPlanetMoon];
    page.SetForeColor(kBlack);
    page.SetFillColor(kShadowFill);
    // A table without the Moon's distance has no shadow to place.
    PagePoint at;
    if (moon.Delta > 0) {
        double ra = astro::Norm360(sun.RA + 180);
        double dec = -sun.Dec;
        if (!c.settings.psystem) {
            // The site's shift as for a body at the Moon's distance; the
            // sidereal time goes in hours.
            astro::TopocentricCorrectAt(c.page.PrintLatitude, c.page.PrintSiderealDeg / 15, ra, dec, moon.Delta);
        }
        const double p = astro::ArcSinD(std::min(1.0, 1 / (moon.Delta * kEarthRadiiPerAu)));
        if (PlaceBody(c, ra, dec, m, below, 0, at)) {
            // Radii to the nearest whole millimetre; a radius of 0 draws nothing.
            const double rP = detail::RoundEven(DiscRadius(c, (p + kMoonRadius_deg) * 3600 * 2));
            const double rU = detail::RoundEven(DiscRadius(c, (p - kMoonRadius_deg) * 3600 * 2));
            page.SetFillStyle(platform::Fill::DownwardDiagonal);
            if (rP > 0) page.Circle(at.X, at.Y, rP);
            page.SetFillStyle(platform::Fill::UpwardDiagonal);
            if (rU > 0) page.Circle(at.X, at.Y, rU);
            detail::PrintAt(page, at.X + 2, at.Y - 1, "지구 그림자");
        }
    }
    page.SetFillStyle(platform::Fill::Transparent);
}

void PrintPlanets(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below) {
    const astro::PlanetTableT& table = astro::Planets().PlanetTable;
    const skydata::FontStyle& style = c.styles.LayerStyle[kPlanetStyle];
    const platform::Colour outline = ColourOf(style.Color);
    page.SetForeColor(outline);
    SetStyleFont(page, style);
    page.SetFillStyle(platform::Fill::Solid);
    page.SetDrawWidth(2);
    const double limit = c.page.PrintLimitMag;

    for (int i = 0; i < astro::kPlanetCount; ++i) {
        const astro::PlanetRecord& body = table[i];
        PagePoint p;
        if (!PlaceBody(c, body.TopoRA, body.TopoDec, m, below, kPlanetHorizonMargin, p)) continue;
        double r;
        if (i == astro::kPlanetSun || i == astro::kPlanetMoon) {
            page.SetFillColor(i == astro::kPlanetSun ? kSunFill : kMoonFill);
            r = std::max(kMinSunMoonRadius, DiscRadius(c, body.Diameter));
        } else {
            page.SetFillColor(kPlanetFill);
            r = std::max(kMinPlanetRadius, (limit + 1 - static_cast<double>(body.Mag)) / 5);
        }
        detail::PrintAt(page, p.X + 2, p.Y - 2, body.Name);
        page.Circle(p.X, p.Y, r, outline);
    }
    page.SetFillColor(kBlack);
    page.SetFillStyle(platform::Fill::Solid);
    page.SetDrawWidth(1);
}

void PrintBodyPositions(platform::Surface& page, const PrintContext& c,
                        const std::vector<astro::BodyPosition>& positions, bool isComet, const astro::Matrix3& m,
                        bool below) {
    const skydata::FontStyle& style = c.styles.LayerStyle[isComet ? kCometStyle : kAsteroidStyle];
    const platform::Colour colour = ColourOf(style.Color);
    page.SetForeColor(colour);
    SetStyleFont(page, style);
    const float limit = isComet ? c.settings.cometlimit : c.settings.asteroidlimit;
    const double printLimit = c.page.PrintLimitMag;

    for (const astro::BodyPosition& body : positions) {
        if (!body.Valid || !(body.Mag <= limit)) continue;
        PagePoint p;
        if (!PlaceBody(c, body.TopoRA, body.TopoDec, m, below, 0, p)) continue;
        const double X = p.X, Y = p.Y;
        double offset;
        if (isComet) {
            const double r = std::max(kMinCometRadius, (printLimit + 1 - static_cast<double>(body.Mag)) / 5);
            // The tail is drawn whole even when its end is off the page.
            const PagePoint tail = PlaceAnywhere(c, body.TailRA, body.TailDec, m);
            page.Line(X, Y, tail.X, tail.Y, colour);
            const double coma = kComaEnlargement * DiscRadius(c, body.ComaSize);
            if (coma > 0) page.Circle(X, Y, coma, colour);
            page.Circle(X, Y, r, colour);
            offset = std::max(r, coma);
        } else {
            const double s = kAsteroidArm;
            page.Line(X - s, Y, X, Y + s, colour);
            page.Line(X, Y + s, X + s, Y, colour);
            page.Line(X + s, Y, X, Y - s, colour);
            page.Line(X, Y - s, X - s, Y, colour);
            page.Circle(X, Y, kAsteroidDot, colour);
            offset = s;
        }
        detail::PrintAt(page, X + 0.7 + offset, Y - 0.5, body.Name);
    }
}

void PrintMinorBodies(platform::Surface& page, const PrintContext& c, bool isComet, const astro::Matrix3& m,
                      bool below) {
    astro::SmallBodyState& bodies = astro::SmallBodies();
    const std::string* first = nullptr;
    if (isComet && !bodies.CometElementList.empty()) first = &bodies.CometElementList.front().Name;
    if (!isComet && !bodies.AsteroidElementList.empty()) first = &bodies.AsteroidElementList.front().Name;
    // No elements loaded: nothing printed and nothing changed.
    if (!first || detail::TrimBlanks(*first).empty()) return;
    if (isComet) {
        astro::ComputeAllComets(c.view.jd_local);
    } else {
        astro::ComputeAllAsteroids(c.view.jd_local);
    }
    PrintBodyPositions(page, c, isComet ? bodies.CometPositions : bodies.AsteroidPositions, isComet, m, below);
}

}  // namespace chart
