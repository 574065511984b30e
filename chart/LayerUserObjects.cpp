// The user's own objects: map points and the two user catalogues (shapes,
// stars, nonstellar objects, lines, long lines and text labels).
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "astro/AngleMath.h"
#include "astro/Atmosphere.h"
#include "astro/NumberRange.h"
#include "chart/LabelLayers.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/RenderUtils.h"
#include "chart/UserLines.h"

namespace chart {

namespace {

constexpr int kStarStyle = 8;
constexpr int kNonstellarStyle = 9;
constexpr float kFaintestMag = 11;
// Arcminutes of diameter to degrees divided by 8.
constexpr double kShapeSizeFactor = 0.00208334;
// Arcminutes to radians (the size of a user nonstellar object is its radius).
constexpr double kNstSizeFactor = 0.000072722062;
constexpr std::int32_t kMinSymbol = 4;

// The radius beyond which a symbol centred on the surface covers the same
// pixels at any size.
double SymbolRadiusLimit(const DrawContext& c) { return static_cast<double>(c.width) + c.height; }

// The common projection of this layer: false when behind the horizon or,
// for `strict`, not strictly inside the surface. chartZ is the chart z after
// refraction.
bool Project(const DrawContext& c, double ra_deg, double dec_deg, const astro::Matrix3& frame, bool below,
             Pixel& p, double* chartZ = nullptr) {
    double x, y, z;
    astro::SphericalToCartesian(ra_deg, dec_deg, x, y, z);
    return c.proj.Place(x, y, z, frame, below, p, chartZ);
}

platform::Colour SpectralColour(const DrawContext& c, std::string_view spType) {
    const auto& colours = c.styles.SpectralColors;  // O B A F G K M
    const char letter = spType.empty() ? ' ' : spType[0];
    switch (letter) {
        case 'O': return ColourOf(colours[0]);
        case 'B': return ColourOf(colours[1]);
        case 'A': return ColourOf(colours[2]);
        case 'F': return ColourOf(colours[3]);
        case 'G': return ColourOf(colours[4]);
        case 'K': return ColourOf(colours[5]);
        case 'M':
        case 'C':
        case 'S': return ColourOf(colours[6]);
        default: return kWhite;
    }
}

}  // namespace

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

double UserShapeRadius(float size_arcmin, double scale) {
    return 4000 * astro::TanD(size_arcmin * kShapeSizeFactor) / scale;
}

double CappedSymbolRadius(double r, double limit) { return std::clamp(r, -limit, limit); }

double DrawUserShapeSymbol(platform::Surface& surface, int kind, double X, double Y, double r,
                           platform::Colour colour) {
    double textY = Y;
    switch (kind) {
        case 1: surface.Circle(X, Y, r, colour); break;
        case 2:
            surface.SetFillStyle(platform::Fill::Solid);
            surface.SetFillColor(colour);
            surface.Circle(X, Y, r, colour);
            surface.SetFillStyle(platform::Fill::Transparent);
            break;
        case 3:
            surface.Line(X - r, Y - r, X + r, Y + r, colour, platform::Box::B);
            textY = Y + r;
            break;
        case 4:
            surface.Line(X - r, Y - r, X + r, Y + r, colour, platform::Box::BF);
            textY = Y + r;
            break;
        case 5:
            surface.Line(X, Y - r, X, Y + r, colour);
            surface.Line(X - r, Y, X + r, Y, colour);
            break;
        default: break;
    }
    return textY;
}

void DrawUserShapes(platform::Surface& surface, const DrawContext& context,
                    const std::vector<skydata::CustomCatShape>& shapes, const astro::Matrix3& frame,
                    bool drawBelowHorizon, bool withKeys, int keyShape) {
    surface.SetFillStyle(platform::Fill::Transparent);
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const skydata::CustomCatShape& shape = shapes[i];
        Pixel p;
        if (!Project(context, shape.RA, shape.Dec, frame, drawBelowHorizon, p)) continue;
        if (!IsOnScreen(p.X, p.Y, context.width, context.height)) continue;
        const float r = static_cast<float>(
            CappedSymbolRadius(UserShapeRadius(shape.Size, context.proj.MapScale), SymbolRadiusLimit(context)));
        const platform::Colour colour = ColourOf(shape.Color);
        surface.SetForeColor(colour);
        const double X = p.X, Y = p.Y;
        const double textY = DrawUserShapeSymbol(surface, shape.Shape, X, Y, r, colour);
        detail::PrintAt(surface, X + r + 2, textY, shape.Name);
        if (withKeys) context.Add(p.X, p.Y, UserShapeKey(context.user_cat_slot, keyShape, static_cast<int>(i)));
    }
    surface.SetFillStyle(platform::Fill::Transparent);
}

std::vector<skydata::CustomCatShape> VisibleMapPointShapes(const std::vector<skydata::MapPoint>& points) {
    std::vector<skydata::CustomCatShape> shapes;
    for (const skydata::MapPoint& point : points) {
        if (point.Flag != "y") continue;
        skydata::CustomCatShape shape;
        shape.RA = point.RA;
        shape.Dec = point.Dec;
        shape.Size = point.Size;
        shape.Color = point.Color;
        shape.Name = point.Name;
        shape.Shape = point.Kind;
        shapes.push_back(std::move(shape));
    }
    return shapes;
}

void DrawUserPoints(platform::Surface& surface, const DrawContext& context,
                    const std::vector<skydata::MapPoint>& points, const astro::Matrix3& catalogToChart,
                    bool drawBelowHorizon) {
    DrawUserShapes(surface, context, VisibleMapPointShapes(points), catalogToChart, drawBelowHorizon, false);
}

void DrawUserStars(platform::Surface& surface, const DrawContext& context, double epoch_jd,
                   const std::vector<skydata::CustomCatStar>& stars, const astro::Matrix3& frame,
                   bool drawBelowHorizon) {
    const skydata::SettingsSnapshot& set = context.settings;
    const platform::Colour layerColour = ColourOf(context.styles.LayerStyle[kStarStyle].Color);
    surface.SetFillStyle(platform::Fill::Solid);
    surface.SetForeColor(layerColour);
    surface.SetDrawMode(set.spotstar ? platform::PenMode::Merge : platform::PenMode::Copy);
    const double hh = detail::RoundEven(surface.TextHeight("0") * 0.5);
    const double years = set.calcpropermotion ? (context.view.jd_local - epoch_jd) / 365.25 : 0;
    const float limit = static_cast<float>(context.limit_mag);

    for (std::size_t i = 0; i < stars.size(); ++i) {
        const skydata::CustomCatStar& star = stars[i];
        if (!(star.Mag <= limit)) continue;
        const double ra = star.RA + star.PmRA / 3600.0 * years;
        const double dec = star.Dec + star.PmDec / 3600.0 * years;
        Pixel p;
        double chartZ = 0;
        if (!Project(context, ra, dec, frame, drawBelowHorizon, p, &chartZ)) continue;
        if (!IsOnScreen(p.X, p.Y, context.width, context.height)) continue;
        float mag = star.Mag;
        if (context.air_ex) {
            mag = std::min(mag + astro::ExtinctionAt(astro::ArcSinD(std::clamp(chartZ / 1000, -1.0, 1.0))),
                           kFaintestMag);
        }
        platform::Colour colour;
        if (!set.viewspt) {
            colour = StarGrey(mag);
        } else {
            colour = SpectralColour(context, star.SpType);
            if (set.spotstar) colour = MixStarColour(colour, mag, context.limit_mag);
        }
        double offset = 0;
        if (set.spotstar) {
            DrawStarGlyph(surface, p.X, p.Y, colour, astro::ClampedInt(detail::RoundEven(mag), -99, 99, 0));
        } else {
            offset = std::max(1.0, CappedSymbolRadius(std::floor((context.limit_mag + 1 - mag) * set.sf),
                                                      SymbolRadiusLimit(context)));
            surface.SetFillColor(colour);
            surface.Circle(p.X, p.Y, offset, colour);
        }
        const std::string_view name = detail::TrimBlanks(star.Name);
        if (mag <= set.viewbayerlimit && !name.empty()) {
            detail::PrintAt(surface, p.X + offset + 2, p.Y - hh, std::string(name));
        }
        context.Add(p.X, p.Y, UserStarKey(context.user_cat_slot, static_cast<int>(i)));
    }
    surface.SetFillStyle(platform::Fill::Transparent);
}

void DrawUserNonstellar(platform::Surface& surface, const DrawContext& context,
                        const std::vector<skydata::CustomCatNst>& objects, const astro::Matrix3& frame,
                        bool drawBelowHorizon) {
    const skydata::SettingsSnapshot& set = context.settings;
    surface.SetDrawMode(platform::PenMode::Merge);
    surface.SetForeColor(ColourOf(context.styles.LayerStyle[kNonstellarStyle].Color));
    float limit = set.vmnonstellar;
    const float autoLimit = static_cast<float>(context.limit_mag + 1);
    if (set.StarAutoMag && autoLimit < limit) limit = autoLimit;

    for (std::size_t i = 0; i < objects.size(); ++i) {
        const skydata::CustomCatNst& o = objects[i];
        if (!(o.Mag <= limit)) continue;
        Pixel p;
        if (!Project(context, o.RA, o.Dec, frame, drawBelowHorizon, p)) continue;
        const double raw = detail::RoundEven(CappedSymbolRadius(
            4000 * std::tan(o.Size * kNstSizeFactor) / context.proj.MapScale, SymbolRadiusLimit(context)));
        const std::int32_t l = raw > kMinSymbol ? RoundPixel(raw) : kMinSymbol;
        if (!context.proj.OnSurface(p)) continue;
        const std::int32_t X = p.X, Y = p.Y;
        switch (o.Type) {
            case 1: surface.Line(X - l, Y - l, X + l, Y + l, kGreen, platform::Box::B); break;
            case 2:
                surface.Circle(X, Y, l, kRed);
                surface.Line(X - l, Y, X + l, Y, kRed);
                surface.Line(X, Y - l, X, Y + l, kRed);
                break;
            case 3:
                surface.SetDrawStyle(platform::LineStyle::Dot);
                surface.Circle(X, Y, l, kCyan);
                surface.SetDrawStyle(platform::LineStyle::Solid);
                break;
            case 4: surface.Circle(X, Y, l, kBlue, 0.4); break;
            case 5:
                surface.Circle(X, Y, l, kGreen);
                surface.Circle(X, Y, l - 2, kGreen);
                break;
            default:
                surface.Line(X - 3, Y - 3, X + 3, Y + 3, kRed);
                surface.Line(X - 3, Y + 3, X + 3, Y - 3, kRed);
                break;
        }
        detail::PrintAt(surface, X + l + 1, Y - 3, o.Name);
        context.Add(X, Y, UserNebulaKey(context.user_cat_slot, static_cast<int>(i)));
    }
    surface.SetDrawMode(platform::PenMode::Copy);
}

void DrawLongLnLines(platform::Surface& surface, const DrawContext& context,
                     const std::vector<skydata::CustomCatLine>& lines, const astro::Matrix3& frame,
                     bool drawBelowHorizon) {
    surface.SetDrawMode(platform::PenMode::Merge);
    for (const skydata::CustomCatLine& record : lines) {
        // Folded, the walk between the ends takes a few hundred steps at most.
        const std::optional<skydata::CustomCatLine> line = skydata::FoldedCatLine(record);
        if (!line) continue;
        DrawLongLine(surface, context.proj, line->RA1, line->Dec1, line->RA2, line->Dec2, ColourOf(line->Color),
                     frame, drawBelowHorizon, context.width, context.height);
    }
    surface.SetDrawMode(platform::PenMode::Copy);
}

void DrawUserChartText(platform::Surface& surface, const DrawContext& context,
                       const std::vector<skydata::CustomCatText>& texts, const astro::Matrix3& frame,
                       bool drawBelowHorizon) {
    surface.SetFillStyle(platform::Fill::Transparent);
    const double lineHeight = detail::RoundEven(surface.TextHeight("0") + 2);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const skydata::CustomCatText& text = texts[i];
        Pixel p;
        if (!Project(context, text.RA, text.Dec, frame, drawBelowHorizon, p)) continue;
        if (!IsOnScreen(p.X, p.Y, context.width, context.height)) continue;
        surface.SetForeColor(ColourOf(text.Color));
        const std::vector<std::string> lines = SplitCrLf(text.Text);
        for (std::size_t j = 0; j < lines.size(); ++j) {
            detail::PrintAt(surface, p.X, p.Y + static_cast<double>(j) * lineHeight, lines[j]);
            context.Add(p.X, p.Y, UserTextKey(context.user_cat_slot, static_cast<int>(i)));
        }
    }
}

void DrawUserCatalogue(platform::Surface& surface, const DrawContext& context,
                       const skydata::CustomCatalog& catalogue, const astro::Matrix3& horizonToChart,
                       const astro::Matrix3& catalogToChart, double /*fov_deg*/, bool drawBelowHorizon) {
    astro::Matrix3 precession, equatorial;
    astro::MakePrecessionMatrix(catalogue.Epoch, astro::kJ2000, precession);
    astro::MatMul3(catalogToChart, precession, equatorial);
    const astro::Matrix3& direct = catalogue.Coordinate == "a" ? horizonToChart : equatorial;
    surface.SetFont(platform::FontSpec{"굴림", 9, false, false, false, false});
    const auto& count = catalogue.Count;
    for (int k = 0; k < 5; ++k) {
        if (count[k] > 0) {
            DrawUserShapes(surface, context, catalogue.Shapes[k], direct, drawBelowHorizon, true, k + 1);
        }
    }
    if (count[skydata::kCatStar] > 0) {
        DrawUserStars(surface, context, catalogue.Epoch, catalogue.Stars, equatorial, drawBelowHorizon);
    }
    if (count[skydata::kCatNonstellar] > 0) {
        DrawUserNonstellar(surface, context, catalogue.Nonstellar, equatorial, drawBelowHorizon);
    }
    if (count[skydata::kCatLine] > 0) DrawLnLines(surface, context, catalogue.Lines[0], direct, drawBelowHorizon);
    if (count[skydata::kCatLongLine] > 0) {
        DrawLongLnLines(surface, context, catalogue.Lines[1], direct, drawBelowHorizon);
    }
    if (count[skydata::kCatText] > 0) DrawUserChartText(surface, context, catalogue.Texts, direct, drawBelowHorizon);
}

void LayerUserCatalogue(platform::Surface& surface, DrawContext& context) {
    const int slot = context.user_cat_slot;
    if (!context.sources.user_catalogs || (slot != 1 && slot != 2)) return;
    DrawUserCatalogue(surface, context, (*context.sources.user_catalogs)[slot - 1], context.frames.HorizonToChart,
                      context.frames.CatalogToChart, context.view.fov_deg, context.below);
}

void LayerMapPoints(platform::Surface& surface, DrawContext& context) {
    if (!context.sources.map_points) return;
    DrawUserPoints(surface, context, *context.sources.map_points, context.frames.CatalogToChart, context.below);
}

}  // namespace chart
