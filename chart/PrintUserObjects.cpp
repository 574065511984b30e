// The user's own objects on the printed page: the two user catalogues kind by
// kind (shapes, stars, nonstellar objects, lines, long lines, texts), the map
// points and the lines the user drew.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/AstroConstants.h"
#include "astro/Matrix.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/PrintLayerPrinters.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kStarStyle = 8;
constexpr int kNonstellarStyle = 9;
// Arcminutes to radians (the size of a user nonstellar object is its radius).
constexpr double kNstSizeFactor = 0.000072722062;
constexpr double kMinSymbol = 1;
constexpr double kShapeLabelGap = 1;
constexpr double kStarLabelRight = 6, kStarLabelRise = 4;
constexpr double kNstLabelRight = 2.3, kNstLabelRise = 1;
constexpr double kOtherCrossArm = 1;
constexpr double kGalaxyAspect = 0.4;
const char* const kCatalogueFont = "굴림";
constexpr int kCatalogueFontSize = 9;
// The radius beyond which a symbol centred on the page covers the same part
// of it at any size.
constexpr double kSymbolRadiusLimit = kPrintUnitsWide + kPrintUnitsHigh;

// The page point of a position of the frame `m` maps: false below the
// horizon (unless drawing below); the page test is the caller's.
bool PlaceUser(const PrintContext& c, double ra_deg, double dec_deg, const astro::Matrix3& m, bool below,
               PagePoint& p) {
    double x, y, z;
    astro::SphericalToCartesian(ra_deg, dec_deg, x, y, z);
    ToPrintChart(c, x, y, z, m);
    if (!(z >= 0 || below)) return false;
    p = ToPage(c.page, x, y, z);
    return true;
}

bool PlaceOnPage(const PrintContext& c, double ra_deg, double dec_deg, const astro::Matrix3& m, bool below,
                 PagePoint& p) {
    return PlaceUser(c, ra_deg, dec_deg, m, below, p) && IsOnPage(c.page, p);
}

}  // namespace

void PrintCatShapes(platform::Surface& page, const PrintContext& c, const std::vector<skydata::CustomCatShape>& shapes,
                    const astro::Matrix3& m, bool below) {
    page.SetFillStyle(platform::Fill::Transparent);
    for (const skydata::CustomCatShape& shape : shapes) {
        PagePoint p;
        if (!PlaceOnPage(c, shape.RA, shape.Dec, m, below, p)) continue;
        // The same angle of sky as the shape spans on the screen.
        const double r = CappedSymbolRadius(UserShapeRadius(shape.Size, c.page.PrintScale), kSymbolRadiusLimit);
        const platform::Colour colour = ColourOf(shape.Color);
        page.SetForeColor(colour);
        const double X = p.X, Y = p.Y;
        if (shape.Shape == 0) page.PSet(X, Y, colour);
        const double textY = DrawUserShapeSymbol(page, shape.Shape, X, Y, r, colour);
        detail::PrintAt(page, X + r + kShapeLabelGap, textY, shape.Name);
    }
    page.SetFillStyle(platform::Fill::Transparent);
}

void PrintCatStars(platform::Surface& page, const PrintContext& c, double epoch_jd,
                   const std::vector<skydata::CustomCatStar>& stars, const astro::Matrix3& m, bool below) {
    const skydata::SettingsSnapshot& set = c.settings;
    page.SetFillStyle(platform::Fill::Solid);
    page.SetForeColor(ColourOf(c.styles.LayerStyle[kStarStyle].Color));
    page.SetFillColor(kBlack);
    const double years = set.calcpropermotion ? (c.view.jd_local - epoch_jd) / 365.25 : 0;
    const float limit = c.page.PrintLimitMag;
    for (const skydata::CustomCatStar& star : stars) {
        if (!(star.Mag <= limit)) continue;
        const double ra = star.RA + star.PmRA / 3600.0 * years;
        const double dec = star.Dec + star.PmDec / 3600.0 * years;
        PagePoint p;
        if (!PlaceOnPage(c, ra, dec, m, below, p)) continue;
        const std::string_view name = detail::TrimBlanks(star.Name);
        if (star.Mag <= set.viewbayerlimit && !name.empty()) {
            detail::PrintAt(page, p.X + kStarLabelRight, p.Y - kStarLabelRise, std::string(name));
        }
        page.Circle(p.X, p.Y,
                    CappedSymbolRadius((static_cast<double>(limit) + 1 - static_cast<double>(star.Mag)) / 5,
                                       kSymbolRadiusLimit));
    }
    page.SetFillStyle(platform::Fill::Transparent);
}

void PrintCatNonstellar(platform::Surface& page, const PrintContext& c,
                        const std::vector<skydata::CustomCatNst>& objects, const astro::Matrix3& m, bool below) {
    page.SetForeColor(ColourOf(c.styles.LayerStyle[kNonstellarStyle].Color));
    page.SetFillStyle(platform::Fill::Transparent);
    const float limit = c.settings.vmnonstellar;
    for (const skydata::CustomCatNst& o : objects) {
        if (!(o.Mag <= limit)) continue;
        PagePoint p;
        if (!PlaceUser(c, o.RA, o.Dec, m, below, p)) continue;
        const double r = std::max(kMinSymbol, detail::RoundEven(CappedSymbolRadius(
                                                  4000 * std::tan(o.Size * kNstSizeFactor) / c.page.PrintScale,
                                                  kSymbolRadiusLimit)));
        if (!IsOnPage(c.page, p)) continue;
        const double X = p.X, Y = p.Y;
        switch (o.Type) {
            case 1: page.Line(X - r, Y - r, X + r, Y + r, kGreen, platform::Box::B); break;
            case 2:
                page.Circle(X, Y, r, kRed);
                page.Line(X - r, Y, X + r, Y, kRed);
                page.Line(X, Y - r, X, Y + r, kRed);
                break;
            case 3:
                page.SetDrawStyle(platform::LineStyle::Dot);
                page.Circle(X, Y, r, kBlue);
                page.SetDrawStyle(platform::LineStyle::Solid);
                break;
            case 4: page.Circle(X, Y, r, kBlue, kGalaxyAspect); break;
            default: {
                // Any other type, planetary nebulae among them: a small red
                // diagonal cross.
                const double a = kOtherCrossArm;
                page.Line(X - a, Y - a, X + a, Y + a, kRed);
                page.Line(X - a, Y + a, X + a, Y - a, kRed);
                break;
            }
        }
        detail::PrintAt(page, X + kNstLabelRight, Y - kNstLabelRise, o.Name);
    }
    page.SetFillStyle(platform::Fill::Solid);
}

void PrintCatLines(platform::Surface& page, const PrintContext& c, const std::vector<skydata::CustomCatLine>& lines,
                   const astro::Matrix3& m, bool below) {
    for (const skydata::CustomCatLine& line : lines) {
        double x1, y1, z1, x2, y2, z2;
        astro::SphericalToCartesian(line.RA1, line.Dec1, x1, y1, z1);
        astro::SphericalToCartesian(line.RA2, line.Dec2, x2, y2, z2);
        ToPrintChart(c, x1, y1, z1, m);
        ToPrintChart(c, x2, y2, z2, m);
        if (!(below || (z1 >= 0 && z2 >= 0))) continue;
        const PagePoint a = ToPage(c.page, x1, y1, z1);
        const PagePoint b = ToPage(c.page, x2, y2, z2);
        if (IsSegmentOnPage(c.page, a, b)) page.Line(a.X, a.Y, b.X, b.Y, ColourOf(line.Color));
    }
}

void PrintCatLongLines(platform::Surface& page, const PrintContext& c,
                       const std::vector<skydata::CustomCatLine>& lines, const astro::Matrix3& m, bool below) {
    for (const skydata::CustomCatLine& record : lines) {
        // Folded, the walk between the ends takes a few hundred steps at most.
        const std::optional<skydata::CustomCatLine> line = skydata::FoldedCatLine(record);
        if (!line) continue;
        PrintSkySegment(page, c, line->RA1, line->Dec1, line->RA2, line->Dec2, ColourOf(line->Color), m, below);
    }
}

void PrintCatTexts(platform::Surface& page, const PrintContext& c, const std::vector<skydata::CustomCatText>& texts,
                   const astro::Matrix3& m, bool below) {
    const double h = page.TextHeight("0") + 1;
    for (const skydata::CustomCatText& text : texts) {
        PagePoint p;
        if (!PlaceOnPage(c, text.RA, text.Dec, m, below, p)) continue;
        page.SetForeColor(ColourOf(text.Color));
        const std::vector<std::string> lines = SplitCrLf(text.Text);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            detail::PrintAt(page, p.X, p.Y + static_cast<double>(k) * h, lines[k]);
        }
    }
}

void PrintCustomCatalog(platform::Surface& page, const PrintContext& c, const skydata::CustomCatalog& catalogue,
                        const astro::Matrix3& horizonM, const astro::Matrix3& catalogM, double /*fov_deg*/,
                        bool below) {
    astro::Matrix3 precession, equatorial;
    astro::MakePrecessionMatrix(catalogue.Epoch, astro::kJ2000, precession);
    astro::MatMul3(catalogM, precession, equatorial);
    // Stars and nonstellar objects are always equatorial.
    const astro::Matrix3& direct = catalogue.Coordinate == "a" ? horizonM : equatorial;
    page.SetFont(platform::FontSpec{kCatalogueFont, kCatalogueFontSize, false, false, false, false});
    const auto& count = catalogue.Count;
    for (int k = 0; k < 5; ++k) {
        if (count[k] > 0) PrintCatShapes(page, c, catalogue.Shapes[k], direct, below);
    }
    if (count[skydata::kCatStar] > 0) PrintCatStars(page, c, catalogue.Epoch, catalogue.Stars, equatorial, below);
    if (count[skydata::kCatNonstellar] > 0) PrintCatNonstellar(page, c, catalogue.Nonstellar, equatorial, below);
    if (count[skydata::kCatLine] > 0) PrintCatLines(page, c, catalogue.Lines[0], direct, below);
    if (count[skydata::kCatLongLine] > 0) PrintCatLongLines(page, c, catalogue.Lines[1], direct, below);
    if (count[skydata::kCatText] > 0) PrintCatTexts(page, c, catalogue.Texts, direct, below);
}

void PrintMarkers(platform::Surface& page, const PrintContext& c, const std::vector<skydata::MapPoint>& points,
                  const astro::Matrix3& m, bool below) {
    const std::vector<skydata::CustomCatShape> shapes = VisibleMapPointShapes(points);
    if (!shapes.empty()) PrintCatShapes(page, c, shapes, m, below);
}

void PrintUserLines(platform::Surface& page, const PrintContext& c, const std::vector<skydata::DrawnLine>& lines,
                    const astro::Matrix3& m, bool below) {
    std::vector<skydata::CustomCatLine> records;
    records.reserve(lines.size());
    for (const skydata::DrawnLine& line : lines) {
        if (skydata::IsEmptyDrawnLine(line)) continue;
        records.push_back({line.RA1, line.Dec1, line.RA2, line.Dec2, line.Color});
    }
    PrintCatLines(page, c, records, m, below);
}

}  // namespace chart
