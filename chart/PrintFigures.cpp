// Printed line work and names that belong to the sky: constellation figures,
// constellation and star names, boundaries, the ecliptic, the galactic
// equator and outlines given as point lists with pen-up marks.
#include <algorithm>
#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/Planets.h"
#include "chart/PrintLayerPrinters.h"

namespace chart {

namespace {

// Julian day of 1875 January 1.0, the equinox of the boundary file.
constexpr double kB1875 = 2405889.5;
constexpr int kEclipticColour = 3;
constexpr int kGalacticColour = 4;
constexpr int kGreatCircleSegments = 180;
constexpr double kGalacticStep_deg = 2;
// About 0.57 degrees below the horizon, of 1000: a great circle rising from
// there still starts its segment.
constexpr double kBelowMargin = -10;
constexpr double kSegmentStep_deg = 3;
constexpr double kStarNameGap = 2;
constexpr double kStarNameLineGap = 0.5;

// Whole number nearest to v, halves to even.
double RoundEven(double v) { return std::nearbyint(v); }

// Vertices of a great circle joined in order; a vertex below the horizon
// breaks the line unless drawing below, one slightly below still starts the
// next segment.
class PrintedGreatCircle {
public:
    PrintedGreatCircle(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below,
                       platform::Colour colour)
        : page_(page), c_(c), m_(m), below_(below), colour_(colour) {}

    void Vertex(double x, double y, double z) {
        astro::RotateVector(x, y, z, m_);
        if (!below_ && z < 0) broken_ = true;
        if (!(z >= kBelowMargin || below_)) return;
        const PagePoint p = ToPage(c_.page, x, y, z);
        if (first_ || broken_) {
            first_ = false;
            broken_ = false;
        } else if (IsSegmentOnPage(c_.page, previous_, p)) {
            page_.Line(previous_.X, previous_.Y, p.X, p.Y, colour_);
        }
        previous_ = p;
    }

private:
    platform::Surface& page_;
    const PrintContext& c_;
    const astro::Matrix3& m_;
    bool below_;
    platform::Colour colour_;
    bool first_ = true;
    bool broken_ = true;
    PagePoint previous_;
};

}  // namespace

void PrintPolyline(platform::Surface& page, const PrintContext& c,
                   const std::vector<skydata::MilkyWayPointRecord>& points,
                   const std::vector<platform::Colour>& colours, const astro::Matrix3& m, bool below) {
    if (colours.empty()) return;
    bool first = true, broken = false;
    PagePoint previous;
    for (const skydata::MilkyWayPointRecord& point : points) {
        double x = point.x, y = point.y, z = point.z;
        ToPrintChart(c, x, y, z, m);
        if (!below && z < 0) broken = true;
        if (!(z >= 0 || below)) continue;
        const PagePoint p = ToPage(c.page, x, y, z);
        if (point.Flag != 0 || broken || first) {
            broken = false;
            first = false;
        } else if (IsSegmentOnPage(c.page, previous, p)) {
            const std::size_t index = std::min<std::size_t>(point.ColorIndex, colours.size() - 1);
            page.Line(previous.X, previous.Y, p.X, p.Y, colours[index]);
        }
        previous = p;
    }
}

void PrintConstLines(platform::Surface& page, const PrintContext& c, const std::vector<skydata::ConstLineRecord>& lines,
                     platform::Colour colour, const astro::Matrix3& m, bool below, bool bold) {
    page.SetForeColor(colour);
    page.SetDrawWidth(bold ? 2 : 1);
    for (const skydata::ConstLineRecord& line : lines) {
        if (line.Visible == 0) continue;
        double x1 = line.x1, y1 = line.y1, z1 = line.z1;
        double x2 = line.x2, y2 = line.y2, z2 = line.z2;
        ToPrintChart(c, x1, y1, z1, m);
        ToPrintChart(c, x2, y2, z2, m);
        if (!below && (z1 < 0 || z2 < 0)) continue;
        const PagePoint a = ToPage(c.page, x1, y1, z1);
        const PagePoint b = ToPage(c.page, x2, y2, z2);
        if (IsSegmentOnPage(c.page, a, b)) page.Line(a.X, a.Y, b.X, b.Y);
    }
    page.SetDrawWidth(1);
}

void PrintNameLabels(platform::Surface& page, const PrintContext& c,
                     const std::vector<skydata::ConstLabelRecord>& labels, platform::Colour colour,
                     const astro::Matrix3& m, bool below) {
    page.SetForeColor(colour);
    for (const skydata::ConstLabelRecord& label : labels) {
        if (label.Visible == 0) continue;
        double x = label.x, y = label.y, z = label.z;
        astro::RotateVector(x, y, z, m);
        if (!(z >= 0 || below)) continue;
        const PagePoint p = ToPage(c.page, x, y, z);
        if (!IsOnPage(c.page, p)) continue;
        page.SetCurrentX(p.X);
        page.SetCurrentY(p.Y);
        page.Print(label.Text);
    }
}

void PrintStarNames(platform::Surface& page, const PrintContext& c, const std::vector<skydata::StarNameEntry>& names,
                    platform::Colour colour, const astro::Matrix3& m, bool below, int language) {
    const double h = page.TextHeight("0") / 2;
    page.SetForeColor(colour);
    if (language < 0 || language > 2) return;
    for (const skydata::StarNameEntry& name : names) {
        // No bright star was found for this name: it has no place.
        if (name.x == 0 && name.y == 0 && name.z == 0) continue;
        double x = name.x, y = name.y, z = name.z;
        ToPrintChart(c, x, y, z, m);
        if (!(z >= 0 || below)) continue;
        const PagePoint p = ToPage(c.page, x, y, z);
        if (name.Mag > c.settings.viewnamelimit || !IsOnPage(c.page, p)) continue;
        // Each name ends 2 units left of the star; in language 0 the second
        // name is printed under the first, both starting at the same X.
        const std::string& upper = language == 1 ? name.Name : name.Name2;
        const double left = p.X - page.TextWidth(upper) - kStarNameGap;
        page.SetCurrentX(left);
        page.SetCurrentY(p.Y - h);
        page.Print(upper);
        if (language == 0) {
            page.SetCurrentX(left);
            page.SetCurrentY(p.Y + h + kStarNameLineGap);
            page.Print(name.Name);
        }
    }
}

void PrintBoundaries(platform::Surface& page, const PrintContext& c,
                     const std::vector<skydata::BoundaryPointRecord>& points, platform::Colour colour,
                     const astro::Matrix3& m, bool below) {
    astro::Matrix3 precession, combined;
    astro::MakePrecessionMatrix(kB1875, astro::kJ2000, precession);
    astro::MatMul3(m, precession, combined);
    // The first point has no predecessor to be joined to, whatever its flags.
    for (std::size_t i = 1; i < points.size(); ++i) {
        const skydata::BoundaryPointRecord& p = points[i];
        if (p.NewPolygon != 0 || p.Visible == 0) continue;
        const skydata::BoundaryPointRecord& q = points[i - 1];
        PrintSkySegment(page, c, p.RA_deg, p.Dec_deg, q.RA_deg, q.Dec_deg, colour, combined, below);
    }
}

void PrintSkySegment(platform::Surface& page, const PrintContext& c, double lon1_deg, double lat1_deg,
                     double lon2_deg, double lat2_deg, platform::Colour colour, const astro::Matrix3& m, bool below) {
    double lonF = lon1_deg, latF = lat1_deg, lonS = lon2_deg, latS = lat2_deg;
    if (lon1_deg < lon2_deg) {
        std::swap(lonF, lonS);
        std::swap(latF, latS);
    }
    double dLon = lonF - lonS;
    const double dLat = latF - latS;
    if (std::fabs(dLon) >= 180) {
        lonF -= 360;
        dLon = lonF - lonS;
    }
    double n = std::max(RoundEven(std::fabs(dLat / kSegmentStep_deg)), RoundEven(std::fabs(dLon / kSegmentStep_deg)));
    if (!(n >= 1)) n = 1;
    const long pieces = static_cast<long>(std::min(n, static_cast<double>(kMaxSkyPathPieces)));
    const double stepLon = dLon / static_cast<double>(pieces), stepLat = dLat / static_cast<double>(pieces);
    for (long i = 0; i < pieces; ++i) {
        double x1, y1, z1, x2, y2, z2;
        astro::SphericalToCartesian(lonS + i * stepLon, latS + i * stepLat, x1, y1, z1);
        astro::SphericalToCartesian(lonS + (i + 1) * stepLon, latS + (i + 1) * stepLat, x2, y2, z2);
        ToPrintChart(c, x1, y1, z1, m);
        ToPrintChart(c, x2, y2, z2, m);
        if (!(below || (z1 > -1 && z2 > -1))) continue;
        const PagePoint a = ToPage(c.page, x1, y1, z1);
        const PagePoint b = ToPage(c.page, x2, y2, z2);
        if (IsSegmentOnPage(c.page, a, b)) page.Line(a.X, a.Y, b.X, b.Y, colour);
    }
}

void PrintEcliptic(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below) {
    page.SetForeColor(ColourOf(c.styles.LineColorTable[kEclipticColour]));
    const double obliquity = astro::Planets().Obliquity;
    PrintedGreatCircle circle(page, c, m, below, kPrintedEclipticColour);
    for (int i = 0; i <= kGreatCircleSegments; ++i) {
        const double t = i * astro::kPi / 90;
        double x = 1000 * std::cos(t), y = 1000 * std::sin(t), z = 0;
        astro::RotateAboutX(x, y, z, -obliquity);
        circle.Vertex(x, y, z);
    }
}

void PrintGalEquator(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below) {
    page.SetForeColor(ColourOf(c.styles.LineColorTable[kGalacticColour]));
    PrintedGreatCircle circle(page, c, m, below, kPrintedGalacticColour);
    for (int i = 0; i <= kGreatCircleSegments; ++i) {
        double ra, dec, x, y, z;
        astro::GalacticToEquatorial(i * kGalacticStep_deg, 0, ra, dec);
        astro::SphericalToCartesian(ra, dec, x, y, z);
        circle.Vertex(x, y, z);
    }
}

}  // namespace chart
