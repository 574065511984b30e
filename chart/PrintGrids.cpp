// Printed coordinate grids, the horizon with its direction names, the
// circles of perpetual visibility and the hour circles of the lunar-mansion
// stars. Lines take the printer's current foreground colour and width.
#include <cmath>
#include <string>
#include <vector>

#include "astro/AngleMath.h"
#include "astro/AstroConstants.h"
#include "astro/Coordinates.h"
#include "astro/TextFormat.h"
#include "chart/PrintLayerPrinters.h"
#include "skydata/TraditionalText.h"

namespace chart {

namespace {

constexpr int kCPolarColour = 10;
constexpr int kCircleSegments = 180;   // the circles close at 360 degrees
constexpr int kHorizonPoints = 121;    // every 3 degrees of azimuth, closing at 360
constexpr double kHorizonStep_deg = 3;
constexpr int kMeridianSegments = 70;  // 71 points from +d0 to -d0
constexpr double kLoopSlack = 1e-9;    // a bound reached by stepping counts as reached

// The grid point (L, B) of the grid's frame turned into the chart frame.
void GridVector(double l_deg, double b_deg, const astro::Matrix3& m, double& x, double& y, double& z) {
    x = 1000 * astro::CosD(l_deg) * astro::CosD(b_deg);
    y = 1000 * astro::SinD(l_deg) * astro::CosD(b_deg);
    z = 1000 * astro::SinD(b_deg);
    astro::RotateVector(x, y, z, m);
}

// The number of steps from `from` to `to` inclusive (at least 0 points when
// the range is empty).
int StepCount(double from, double to, double step) {
    if (!(step > 0) || !(to >= from)) return -1;
    return static_cast<int>(std::floor((to - from) / step + kLoopSlack));
}

// Sets the page corners and the centre into the grid's frame and returns
// the range that the grid steps through.
GridRange GridRangeFor(const PrintContext& c, const astro::Matrix3& m, bool horizontalGrid) {
    const PrintPageState& page = c.page;
    std::array<SkyPoint, 8> corners = page.PageCornerSky;
    SkyPoint centre{page.PrintViewCenterX, page.PrintViewCenterY};
    const double lst_h = page.PrintSiderealDeg / 15;
    const bool equatorialChart = IsEquatorialView(c.view.coord_sys);
    const bool horizontalChart = IsHorizontalView(c.view.coord_sys);
    const auto convert = [&](SkyPoint& p) {
        double lon, lat;
        if (horizontalGrid && equatorialChart) {
            astro::EquatorialToHorizontal(p.lon_deg, p.lat_deg, lst_h, page.PrintLatitude, lon, lat);
            p = {lon, lat};
        } else if (!horizontalGrid && horizontalChart) {
            astro::HorizontalToEquatorial(p.lon_deg, p.lat_deg, lst_h, page.PrintLatitude, lon, lat);
            p = {lon, lat};
        }
    };
    for (SkyPoint& p : corners) convert(p);
    convert(centre);
    return GetPageCoordRange(page, corners, page.PrintGridStep, centre.lon_deg, m);
}

}  // namespace

void PrintHorGrid(platform::Surface& page, const PrintContext& c, double, const astro::Matrix3& m, bool below) {
    PrintGridLines(page, c, c.page.PrintGridStep, GridRangeFor(c, m, true), m, below, true);
}

void PrintEquGrid(platform::Surface& page, const PrintContext& c, double, const astro::Matrix3& m, bool below) {
    PrintGridLines(page, c, c.page.PrintGridStep, GridRangeFor(c, m, false), m, below, false);
}

void PrintGridLines(platform::Surface& page, const PrintContext& c, double step, const GridRange& range,
                    const astro::Matrix3& m, bool below, bool isHorizontal) {
    const PrintPageState& pg = c.page;
    if (!(step > 0)) return;
    // Near a pole the meridians crowd together; narrow screen fields thin them.
    int k = 1;
    const double screenFov = c.view.screen_fov_deg;
    if (std::fabs(range.latMin) >= 45) {
        if (screenFov <= 2) {
            k = 8;
        } else if (screenFov <= 29) {
            k = 2;
        }
    }
    const int nLon = StepCount(range.lonMin, range.lonMax, k * step);
    const int nLat = StepCount(range.latMin, range.latMax, step);
    const int nLonFine = StepCount(range.lonMin, range.lonMax, step / 5);
    const int nLatFine = StepCount(range.latMin, range.latMax, step / 5);

    const auto usable = [&](double l, double b, PagePoint& p) {
        double x, y, z;
        GridVector(l, b, m, x, y, z);
        if (!(z >= 0 || below)) return false;
        p = ToPage(pg, x, y, z);
        return true;
    };

    // Meridians: a point below the horizon is skipped without breaking the line.
    for (int i = 0; i <= nLon; ++i) {
        const double l = range.lonMin + i * k * step;
        bool started = false;
        PagePoint previous;
        for (int j = 0; j <= nLatFine; ++j) {
            PagePoint p;
            if (!usable(l, range.latMin + j * step / 5, p)) continue;
            if (started && IsSegmentOnPage(pg, previous, p)) page.Line(previous.X, previous.Y, p.X, p.Y);
            started = true;
            previous = p;
        }
    }
    // Parallels: a point below the horizon breaks the line.
    for (int j = 0; j <= nLat; ++j) {
        const double b = range.latMin + j * step;
        bool started = false;
        PagePoint previous;
        for (int i = 0; i <= nLonFine; ++i) {
            PagePoint p;
            if (!usable(range.lonMin + i * step / 5, b, p)) {
                started = false;
                continue;
            }
            if (started && IsSegmentOnPage(pg, previous, p)) page.Line(previous.X, previous.Y, p.X, p.Y);
            started = true;
            previous = p;
        }
    }

    // Labels at every other half step; the point counter runs on across rows.
    const int nLonLabel = StepCount(range.lonMin, range.lonMax, k * step / 2);
    const int nLatLabel = StepCount(range.latMin, range.latMax, step / 2);
    long row = 1, point = 1;
    for (int a = 0; a <= nLonLabel; ++a, ++row) {
        const double l = range.lonMin + a * k * step / 2;
        for (int b = 0; b <= nLatLabel; ++b, ++point) {
            const double lat = range.latMin + b * step / 2;
            PagePoint p;
            if (!usable(l, lat, p) || !IsOnPage(pg, p)) continue;
            if (point % 2 != 0) continue;
            std::string text;
            if (isHorizontal) {
                if (lat == 0 && !below) continue;
                text = row % 2 != 0 ? astro::FormatDmsSymbol(astro::Norm360(l)) : astro::FormatDmsSymbol(lat);
            } else if (c.settings.oldequ == 0) {
                text = row % 2 != 0 ? astro::FormatHmsLatin(astro::Norm360(l)) : astro::FormatDmsSymbol(lat);
            } else {
                text = row % 2 != 0 ? skydata::BranchPalaceLabel(astro::Norm360(l)) : astro::FormatDmsSymbol(90 - lat);
            }
            page.SetCurrentX(p.X);
            page.SetCurrentY(p.Y);
            page.Print(text);
        }
    }
}

void PrintCompass(platform::Surface& page, PrintContext& c, double fov_deg, const astro::Matrix3& m) {
    static const char* const kNames[8] = {"북", "동북", "동", "동남", "남", "서남", "서", "서북"};
    const double h = page.TextHeight("0") / 2;
    {
        // The horizon is the true horizon, never lifted by refraction.
        std::vector<skydata::MilkyWayPointRecord> horizon(kHorizonPoints);
        for (int i = 0; i < kHorizonPoints; ++i) {
            const double a = i * kHorizonStep_deg;
            horizon[i] = {1000 * astro::CosD(a), 1000 * astro::SinD(a), 0, static_cast<std::uint8_t>(i == 0), 0};
        }
        struct RefractionOff {
            std::int32_t& flag;
            std::int32_t saved;
            explicit RefractionOff(std::int32_t& f) : flag(f), saved(f) { flag = 0; }
            ~RefractionOff() { flag = saved; }
        } off(c.page.PrintRefractionOn);
        PrintPolyline(page, c, horizon, {platform::Rgb(0, 0, 0)}, c.page.PrintHorizonMatrix, true);
    }
    const double e = -fov_deg / 60;
    for (int k = 0; k < 8; ++k) {
        double x, y, z;
        GridVector(45.0 * k, e, m, x, y, z);
        const PagePoint p = ToPage(c.page, x, y, z);
        if (!IsOnPage(c.page, p)) continue;
        page.SetCurrentX(p.X - page.TextWidth(kNames[k]) / 2);
        page.SetCurrentY(p.Y - h);
        page.Print(kNames[k]);
    }
}

namespace {

// One circle of declination d of the frame, joined point to point.
void PrintDeclinationCircle(platform::Surface& page, const PrintContext& c, double d_deg, const astro::Matrix3& m) {
    PagePoint previous;
    for (int i = 0; i <= kCircleSegments; ++i) {
        const double t = i * astro::kPi / 90;
        double x = 1000 * std::cos(t) * astro::CosD(d_deg);
        double y = 1000 * std::sin(t) * astro::CosD(d_deg);
        double z = 1000 * astro::SinD(d_deg);
        astro::RotateVector(x, y, z, m);
        const PagePoint p = ToPage(c.page, x, y, z);
        if (i > 0 && IsSegmentOnPage(c.page, previous, p)) page.Line(previous.X, previous.Y, p.X, p.Y);
        previous = p;
    }
}

}  // namespace

void PrintCPolar(platform::Surface& page, const PrintContext& c, double lat_deg, const astro::Matrix3& m, bool below) {
    page.SetForeColor(ColourOf(c.styles.LineColorTable[kCPolarColour]));
    double d = 90 - lat_deg;
    if (lat_deg < 0) d = -d;
    PrintDeclinationCircle(page, c, d, m);
    if (below) PrintDeclinationCircle(page, c, -d, m);
}

void PrintMansionMeridians(platform::Surface& page, const PrintContext& c, double lat_deg, const astro::Matrix3& m,
                           bool below) {
    if (std::fabs(lat_deg) >= 90 || !c.sources.mansion_ra) return;
    const double d0 = lat_deg >= 0 ? 90 - lat_deg : lat_deg + 90;
    for (const double ra : *c.sources.mansion_ra) {
        bool started = false;
        PagePoint previous;
        for (int i = 0; i <= kMeridianSegments; ++i) {
            const double dec = d0 - i * d0 / 35;
            double x, y, z;
            GridVector(ra, dec, m, x, y, z);
            if (!(z >= 0 || below)) continue;
            const PagePoint p = ToPage(c.page, x, y, z);
            if (started && IsSegmentOnPage(c.page, previous, p)) page.Line(previous.X, previous.Y, p.X, p.Y);
            started = true;
            previous = p;
        }
    }
}

}  // namespace chart
