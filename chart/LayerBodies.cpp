// The Sun, the Moon with its lit part, the planets, the Earth's shadow at the
// Moon's distance, comets and asteroids.
#include <algorithm>
#include <cmath>
#include <string>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/AsteroidPosition.h"
#include "astro/Atmosphere.h"
#include "astro/CometPosition.h"
#include "astro/Coordinates.h"
#include "astro/NumberRange.h"
#include "astro/Planets.h"
#include "astro/Topocentric.h"
#include "chart/LabelLayers.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kPlanetStyle = 7;
constexpr int kCometStyle = 5;
constexpr int kAsteroidStyle = 6;
constexpr float kFaintestMag = 11;
constexpr int kMinSunMoonRadius = 7;
constexpr double kCentreCrossFov_deg = 50;
constexpr platform::Colour kShadowFill = platform::Rgb(100, 100, 100);

// Below the horizon by less than this (of 1000) a body is still drawn: its
// disc reaches over the horizon.
constexpr double kPlanetHorizonMargin = -4;
constexpr double kShadowHorizonMargin = -16;

int Sign(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

// Magnitude through the air at the apparent altitude of chart z.
float DimmedMag(const DrawContext& c, float mag, double chartZ) {
    if (!c.air_ex) return mag;
    const float m = mag + astro::ExtinctionAt(astro::ArcSinD(std::clamp(chartZ / 1000, -1.0, 1.0)));
    return std::min(m, kFaintestMag);
}

void SetStyleFont(platform::Surface& surface, const skydata::FontStyle& style) {
    SetMapFont(surface, style.FontSize_pt, style.FontName, style.Bold, style.Italic);
}

}  // namespace

const std::array<platform::Colour, 10>& PlanetColorTable() {
    static const std::array<platform::Colour, 10> table = {
        platform::Rgb(255, 255, 0),   platform::Rgb(255, 255, 255), platform::Rgb(255, 255, 0),
        platform::Rgb(255, 89, 0),    platform::Rgb(255, 255, 0),   platform::Rgb(255, 255, 0),
        platform::Rgb(77, 250, 175),  platform::Rgb(77, 250, 175),  platform::Rgb(90, 90, 80),
        platform::Rgb(255, 255, 255)};
    return table;
}

double ScreenNorthAngle(const Projector& proj, double ra_deg, double dec_deg, double fov_deg,
                        const astro::Matrix3& frame) {
    const double d = fov_deg / 20;
    double x1, y1, z1, x2, y2, z2;
    astro::SphericalToCartesian(ra_deg, dec_deg, x1, y1, z1);
    astro::SphericalToCartesian(ra_deg, dec_deg + d, x2, y2, z2);
    astro::RotateVector(x1, y1, z1, frame);
    astro::RotateVector(x2, y2, z2, frame);
    const Pixel p1 = proj.ToPixel(x1, y1, z1);
    const Pixel p2 = proj.ToPixel(x2, y2, z2);
    return astro::Atan2D(static_cast<double>(p1.Y) - p2.Y, static_cast<double>(p2.X) - p1.X);
}

void DrawMoonPhase(platform::Surface& surface, const DrawContext& /*context*/, float radius, std::int32_t x,
                   std::int32_t y, double northAngle_deg) {
    const astro::PlanetTableT& table = astro::Planets().PlanetTable;
    const astro::PlanetRecord& sun = table[astro::kPlanetSun];
    const astro::PlanetRecord& moon = table[astro::kPlanetMoon];
    const double p = astro::PositionAngle(moon.TopoRA, moon.TopoDec, sun.TopoRA, sun.TopoDec);
    const double c = astro::Norm360(astro::Norm360(-p - 90) - northAngle_deg);
    const double phi = 90 - c;
    double e = astro::Norm360(moon.TopoEclLon - sun.TopoEclLon);
    if (e > 180) e -= 360;
    const double sk = Sign(e) * moon.Phase;
    const double f = Sign(sk);
    const double w = (std::fabs(sk) - 0.5) * 2;
    const double sp = astro::SinD(phi), cp = astro::CosD(phi);

    const platform::Colour dark = PlanetColorTable()[astro::kPlanetMoon];
    surface.SetFillStyle(platform::Fill::Solid);
    surface.SetFillColor(dark);
    surface.Circle(x, y, radius, dark);
    // With no lit fraction (or no elongation) the outline would collapse to a
    // white diameter: there is nothing lit to draw.
    if (f == 0) return;
    std::vector<platform::PointF> points(36);
    for (int i = 0; i < 36; ++i) {
        const double t = 10.0 * i;
        const double u = radius * astro::CosD(t) * f;
        double v = radius * astro::SinD(t);
        if (i > 17) v *= w;
        points[i] = {detail::RoundEven(x + v * sp + u * cp), detail::RoundEven(y - u * sp + v * cp)};
    }
    surface.SetForeColor(kWhite);
    surface.SetFillColor(kWhite);
    surface.Polygon(points);
}

void DrawPlanets(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& dateToChart,
                 const astro::Matrix3& catalogToChart, bool drawBelowHorizon, double fov_deg) {
    const Projector& proj = context.proj;
    const skydata::SettingsSnapshot& set = context.settings;
    const astro::PlanetTableT& table = astro::Planets().PlanetTable;
    const std::array<platform::Colour, 10>& colours = PlanetColorTable();
    std::array<std::string, 10> names;
    FillPlanetNames(set.PNameLang, table[2].RA, table[astro::kPlanetSun].RA, names, table);
    const skydata::FontStyle& style = context.styles.LayerStyle[kPlanetStyle];
    const platform::Colour labelColour = ColourOf(style.Color);
    surface.SetForeColor(labelColour);
    SetStyleFont(surface, style);
    surface.SetDrawMode(set.TransPlanet ? platform::PenMode::Merge : platform::PenMode::Copy);
    const long h = std::lround(detail::RoundEven(surface.TextHeight("0"))) / 2;

    for (int i = 0; i < astro::kPlanetCount; ++i) {
        const astro::PlanetRecord& body = table[i];
        double x, y, z;
        astro::SphericalToCartesian(body.TopoRA, body.TopoDec, x, y, z);
        proj.ToChart(x, y, z, dateToChart);
        if (!(z >= kPlanetHorizonMargin || drawBelowHorizon)) continue;
        const float mag = DimmedMag(context, body.Mag, z);
        if (set.StarAutoMag && !(mag <= context.limit_mag)) continue;
        const Pixel p = proj.ToPixel(x, y, z);
        if (!IsOnScreen(p.X, p.Y, context.width, context.height)) continue;
        const double R = detail::RoundEven(4000 * astro::TanD(body.Diameter / 28800.0) / proj.MapScale);
        surface.SetFillColor(colours[i]);
        double c;
        if (i != astro::kPlanetSun && i != astro::kPlanetMoon) {
            if (set.spotstar) {
                DrawStarGlyph(surface, p.X, p.Y, colours[i], astro::ClampedInt(detail::RoundEven(mag - 1), -99, 99, 0));
                c = R;
            } else {
                c = std::max(1.0, detail::RoundEven(context.limit_mag + 1 - mag));
                surface.Circle(p.X, p.Y, set.sf * c, colours[i]);
            }
        } else {
            c = std::max(R, static_cast<double>(kMinSunMoonRadius));
            if (i == astro::kPlanetMoon) {
                DrawMoonPhase(surface, context, static_cast<float>(c), p.X, p.Y,
                              ScreenNorthAngle(proj, body.TopoRA, body.TopoDec, fov_deg, catalogToChart) - 90);
            } else {
                surface.Circle(p.X, p.Y, c, colours[i]);
            }
            if (fov_deg <= kCentreCrossFov_deg) {
                surface.Line(p.X - 2, p.Y, p.X + 3, p.Y, labelColour);
                surface.Line(p.X, p.Y - 2, p.X, p.Y + 3, labelColour);
            }
        }
        surface.SetForeColor(labelColour);
        detail::PrintAt(surface, p.X + c + 2, p.Y - h, names[i]);
        context.Add(p.X, p.Y, PlanetKey(i));
    }
    surface.SetDrawMode(platform::PenMode::Copy);
}

void DrawEarthShadow(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& dateToChart,
                     bool drawBelowHorizon) {
    const Projector& proj = context.proj;
    const astro::PlanetTableT& table = astro::Planets().PlanetTable;
    const astro::PlanetRecord& sun = table[astro::kPlanetSun];
    const astro::PlanetRecord& moon = table[astro::kPlanetMoon];
    const double dS = sun.Delta * astro::kAuKm;
    const double dM = moon.Delta * astro::kAuKm;
    // A table without distances has no shadow to place.
    if (!(dS > 0) || !(dM > 0)) return;
    double ra = astro::Norm360(sun.RA + 180);
    double dec = -sun.Dec;
    if (!context.settings.psystem) astro::TopocentricCorrectAt(context.view.lat_deg, context.view.lst_h, ra, dec, moon.Delta);
    const double rP = dM / dS * 702378.137 + astro::kEarthEquatorialRadiusKm;
    const double rU = dM / dS * -689621.863 + astro::kEarthEquatorialRadiusKm;
    const double aU = 3600 * astro::AtnD(rU * 1.005 / dM);
    const double aP = 3600 * astro::AtnD(rP * 1.026 / dM);

    surface.SetForeColor(kWhite);
    surface.SetFillColor(kShadowFill);
    surface.SetDrawMode(platform::PenMode::Copy);
    double x, y, z;
    astro::SphericalToCartesian(ra, dec, x, y, z);
    proj.ToChart(x, y, z, dateToChart);
    if ((z >= kShadowHorizonMargin || drawBelowHorizon)) {
        const Pixel p = proj.ToPixel(x, y, z);
        if (IsOnScreen(p.X, p.Y, context.width, context.height)) {
            surface.SetFillStyle(platform::Fill::UpwardDiagonal);
            surface.Circle(p.X, p.Y, detail::RoundEven(4000 * astro::TanD(aU / 14400) / proj.MapScale));
            surface.SetFillStyle(platform::Fill::DownwardDiagonal);
            surface.Circle(p.X, p.Y, detail::RoundEven(4000 * astro::TanD(aP / 14400) / proj.MapScale));
            surface.Line(p.X - 3, p.Y, p.X + 4, p.Y);
            surface.Line(p.X, p.Y - 3, p.X, p.Y + 4);
            detail::PrintAt(surface, p.X + 5, p.Y - 3, "지구 그림자");
        }
    }
    surface.SetFillStyle(platform::Fill::Transparent);
}

void DrawSmallBodies(platform::Surface& surface, const DrawContext& context,
                     const std::vector<astro::BodyPosition>& positions, bool isComet,
                     const std::vector<astro::CometElements>& cometElements, const astro::Matrix3& dateToChart,
                     bool drawBelowHorizon) {
    const Projector& proj = context.proj;
    const skydata::SettingsSnapshot& set = context.settings;
    surface.SetDrawMode(platform::PenMode::Merge);
    const skydata::FontStyle& style = context.styles.LayerStyle[isComet ? kCometStyle : kAsteroidStyle];
    const platform::Colour colour = ColourOf(style.Color);
    surface.SetForeColor(colour);
    SetStyleFont(surface, style);
    const float limit = isComet ? set.cometlimit : set.asteroidlimit;
    const double jd = context.view.jd_local;

    for (std::size_t i = 0; i < positions.size(); ++i) {
        const astro::BodyPosition& body = positions[i];
        if (!body.Valid || !(body.Mag <= limit)) continue;
        double x, y, z;
        astro::SphericalToCartesian(body.TopoRA, body.TopoDec, x, y, z);
        proj.ToChart(x, y, z, dateToChart);
        if (!(z >= 0 || drawBelowHorizon)) continue;
        const Pixel p = proj.ToPixel(x, y, z);
        if (!proj.OnSurface(p)) continue;
        double textX, textY = p.Y - 3;
        if (isComet) {
            if (set.LimitCometDisp && i < cometElements.size() &&
                std::fabs(cometElements[i].T_jd - jd) > set.LimitCometRange) {
                continue;
            }
            double tx, ty, tz;
            astro::SphericalToCartesian(body.TailRA, body.TailDec, tx, ty, tz);
            proj.ToChart(tx, ty, tz, dateToChart);
            const Pixel t = proj.ToPixel(tx, ty, tz);
            double c = std::max(1.0, std::floor((context.limit_mag + 1 - body.Mag) * set.sf));
            const double k = 5 * 4000 * astro::TanD(body.ComaSize / 28800) / proj.MapScale;
            surface.Line(p.X, p.Y, t.X, t.Y, colour);
            surface.Circle(p.X, p.Y, k, colour);
            surface.Circle(p.X, p.Y, c, colour);
            if (k > c) c = detail::RoundEven(k);
            textX = p.X + c + 2;
        } else {
            surface.Line(p.X - 5, p.Y, p.X, p.Y + 5, colour);
            surface.Line(p.X, p.Y + 5, p.X + 5, p.Y, colour);
            surface.Line(p.X + 5, p.Y, p.X, p.Y - 5, colour);
            surface.Line(p.X, p.Y - 5, p.X - 5, p.Y, colour);
            surface.PSet(p.X, p.Y, colour);
            textX = p.X + 7;
        }
        detail::PrintAt(surface, textX, textY, body.Name);
        const int index = static_cast<int>(i);
        context.Add(p.X, p.Y, isComet ? CometKey(index) : AsteroidKey(index));
    }
}

void LayerPlanets(platform::Surface& surface, DrawContext& context) {
    DrawPlanets(surface, context, context.frames.DateToChart, context.frames.CatalogToChart, context.below,
                context.view.fov_deg);
}

void LayerEarthShadow(platform::Surface& surface, DrawContext& context) {
    DrawEarthShadow(surface, context, context.frames.DateToChart, context.below);
}

void LayerComets(platform::Surface& surface, DrawContext& context) {
    astro::SmallBodyState& bodies = astro::SmallBodies();
    if (bodies.CometElementList.empty()) return;
    astro::ComputeAllComets(context.view.jd_local);
    DrawSmallBodies(surface, context, bodies.CometPositions, true, bodies.CometElementList,
                    context.frames.DateToChart, context.below);
}

void LayerAsteroids(platform::Surface& surface, DrawContext& context) {
    astro::SmallBodyState& bodies = astro::SmallBodies();
    if (bodies.AsteroidElementList.empty()) return;
    astro::ComputeAllAsteroids(context.view.jd_local);
    DrawSmallBodies(surface, context, bodies.AsteroidPositions, false, {}, context.frames.DateToChart,
                    context.below);
}

}  // namespace chart
