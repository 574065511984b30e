// The ground below the horizon with the glow of the lowest sky, the horizon
// line with the compass labels, and the marks at the chart centre.
#include <QImage>
#include <algorithm>
#include <cmath>
#include <string>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/NumberRange.h"
#include "astro/TextFormat.h"
#include "chart/LineAndObjectLayerHelpers.h"
#include "chart/LineAndObjectLayers.h"
#include "chart/RenderUtils.h"

namespace chart {

namespace {

constexpr int kHorizonColour = 0;
constexpr double kGlowTop_deg = 13;
constexpr double kGlowBandStep_deg = 0.5;
constexpr double kNadirReach_deg = -50;
constexpr double kMaxRunSpan_deg = 180;
// Bound on the bands and columns of one fill, far above any real view's.
constexpr int kMaxBandSteps = 20000;
constexpr int kCentreCrossInner = 5;
constexpr int kCentreCrossOuter = 10;
constexpr int kMarkerSize = 32;

struct CompassLabel {
    double az_deg;
    const char* text;
};
constexpr CompassLabel kCompass[] = {{0, "북"},   {45, "동북"},  {90, "동"},  {135, "동남"},
                                     {180, "남"}, {225, "서남"}, {270, "서"}, {315, "서북"}};

// The border points and the centre of the last drawing as azimuth and
// altitude.
void HorizontalBorder(const DrawContext& c, std::array<SkyPoint, 8>& border, double& centreAz) {
    border = c.state.BorderPoints;
    centreAz = c.view.center_lon_deg;
    if (!IsEquatorialView(c.view.coord_sys)) return;
    for (SkyPoint& p : border) {
        double az, alt;
        astro::EquatorialToHorizontal(p.lon_deg, p.lat_deg, c.view.lst_h, c.view.lat_deg, az, alt);
        p.lon_deg = az;
        p.lat_deg = alt;
    }
    double alt;
    astro::EquatorialToHorizontal(c.view.center_lon_deg, c.view.center_lat_deg, c.view.lst_h, c.view.lat_deg,
                                  centreAz, alt);
}

// The pixel of a frame direction without refraction or horizon test.
Pixel FlatPixel(const Projector& proj, double lon_deg, double lat_deg, const astro::Matrix3& frame) {
    double x, y, z;
    astro::SphericalToCartesian(lon_deg, lat_deg, x, y, z);
    astro::RotateVector(x, y, z, frame);
    return proj.ToPixel(x, y, z);
}

// A small arrow whose tip is the top middle of the picture: painted at
// (cx - 16, cy) it points up at the chart centre.
const QImage& CentreMarkerPicture() {
    static const QImage picture = [] {
        QImage image(kMarkerSize, kMarkerSize, QImage::Format_ARGB32);
        image.fill(0);
        const QRgb ink = qRgb(255, 255, 255);
        for (int row = 0; row < 12; ++row) {
            for (int dx = -row / 2; dx <= row / 2; ++dx) image.setPixel(16 + dx, row, ink);
        }
        for (int row = 12; row < 26; ++row) {
            for (int dx = -1; dx <= 1; ++dx) image.setPixel(16 + dx, row, ink);
        }
        return image;
    }();
    return picture;
}

// The caption of a finder circle: shown only when it starts with "T"; the
// text is what follows the first two characters, trimmed.
bool FinderCaption(const std::string& setting, std::string& caption) {
    if (setting.empty() || setting[0] != 'T') return false;
    std::size_t i = 1;
    // Skip one more whole UTF-8 character.
    if (i < setting.size()) {
        ++i;
        while (i < setting.size() && (static_cast<unsigned char>(setting[i]) & 0xC0) == 0x80) ++i;
    }
    caption = std::string(detail::TrimBlanks(std::string_view(setting).substr(i)));
    return true;
}

}  // namespace

platform::Colour HorizonHazeColour(platform::Colour sky) {
    int r = platform::RedOf(sky), g = platform::GreenOf(sky), b = platform::BlueOf(sky);
    if (r == 0) r = 15;
    if (g == 0) g = 15;
    if (b == 0) b = 15;
    b = static_cast<int>(detail::RoundEven(b * 1.5));
    if (r > 255) r = 255;
    if (g > 255) g = 255;
    if (b > 255) b = 255;
    return platform::Rgb(r, g, b);
}

void FillSkyBand(platform::Surface& surface, const DrawContext& context, double lonStep_deg, double latStep_deg,
                 double lonFrom_deg, double lonTo_deg, double latFrom_deg, double latTo_deg,
                 const astro::Matrix3& frame, platform::Colour colourLow, platform::Colour colourHigh,
                 float spanTop_deg, float spanBottom_deg) {
    surface.SetFillStyle(platform::Fill::Solid);
    const Projector& proj = context.proj;
    const std::int32_t W = context.width, H = context.height;
    if (lonStep_deg > 0 && latStep_deg > 0) {
        // Neighbouring quadrilaterals of one band share their side and their
        // colour: a run of them is painted as one polygon (lower edge left to
        // right, upper edge back), the same pixels for far fewer fills. A run
        // spans at most half a turn: a band that goes all the way round
        // overlaps itself past 360 degrees, and the overlap of one even-odd
        // filled polygon would stay empty.
        const int runLimit = astro::ClampedInt(std::floor(kMaxRunSpan_deg / lonStep_deg), 1, kMaxBandSteps, 1);
        std::vector<platform::PointF> lower, upper, run;
        const auto flush = [&] {
            if (lower.empty()) return;
            run.assign(lower.begin(), lower.end());
            run.insert(run.end(), upper.rbegin(), upper.rend());
            surface.Polygon(run);
            lower.clear();
            upper.clear();
        };
        const auto point = [](const Pixel& p) {
            return platform::PointF{static_cast<double>(p.X), static_cast<double>(p.Y)};
        };
        const int bands = astro::CountSteps(latFrom_deg, latTo_deg, latStep_deg, kMaxBandSteps);
        const int columns = astro::CountSteps(lonFrom_deg, lonTo_deg, lonStep_deg, kMaxBandSteps);
        for (int j = 0; j < bands; ++j) {
            const double lat = latFrom_deg + j * latStep_deg;
            // The last band ends exactly at latTo.
            const double b = lat + latStep_deg > latTo_deg ? latTo_deg - latStep_deg : lat;
            const double t = b + latStep_deg;
            const platform::Colour colour =
                BlendColour(colourLow, colourHigh, spanTop_deg, spanBottom_deg, static_cast<float>(b));
            surface.SetForeColor(colour);
            surface.SetFillColor(colour);
            for (int i = 0; i < columns; ++i) {
                const double lon = lonFrom_deg + i * lonStep_deg;
                const Pixel p0 = FlatPixel(proj, lon, b, frame);
                const Pixel p1 = FlatPixel(proj, lon + lonStep_deg, b, frame);
                const Pixel p2 = FlatPixel(proj, lon + lonStep_deg, t, frame);
                const Pixel p3 = FlatPixel(proj, lon, t, frame);
                if (!SegmentNearScreen(p3.X, p3.Y, p2.X, p2.Y, W, H) &&
                    !SegmentNearScreen(p0.X, p0.Y, p1.X, p1.Y, W, H)) {
                    flush();
                    continue;
                }
                if (lower.size() > static_cast<std::size_t>(runLimit)) flush();
                if (lower.empty()) {
                    lower.push_back(point(p0));
                    upper.push_back(point(p3));
                }
                lower.push_back(point(p1));
                upper.push_back(point(p2));
            }
            flush();
        }
    }
    surface.SetFillStyle(platform::Fill::Transparent);
}

void DrawGround(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& horizonToChart) {
    std::array<SkyPoint, 8> border;
    double centreAz;
    HorizontalBorder(context, border, centreAz);
    const GridRange r = VisibleRange(context.proj, border, 0, centreAz, horizonToChart);
    const double spacing = context.state.GridSpacing;
    const double from = r.latMin < kNadirReach_deg ? -90 : r.latMin;
    const double to = r.latMax > 0 ? 0 : r.latMax;
    const platform::Colour ground = ColourOf(context.settings.groundcol);
    FillSkyBand(surface, context, spacing / 5, spacing / 3, r.lonMin, r.lonMax, from, to, horizonToChart, ground,
                ground, 90, 0);
    if (context.settings.AtmoEff) {
        const double low = r.latMin < 0 ? 0 : r.latMin;
        const double high = r.latMax > kGlowTop_deg ? kGlowTop_deg : r.latMax;
        FillSkyBand(surface, context, spacing / 5, kGlowBandStep_deg, r.lonMin, r.lonMax, low, high,
                    horizonToChart, HorizonHazeColour(context.state.SkyBackColor), context.state.SkyBackColor,
                    static_cast<float>(kGlowTop_deg), 0);
    }
}

void DrawHorizon(platform::Surface& surface, const DrawContext& context, double fov_deg,
                 const astro::Matrix3& horizonToChart) {
    const platform::Colour colour = ColourOf(context.styles.LineColorTable[kHorizonColour]);
    surface.SetForeColor(colour);
    const std::int32_t W = context.width, H = context.height;
    std::array<SkyPoint, 8> border;
    double centreAz;
    HorizontalBorder(context, border, centreAz);
    const GridRange r = GridLimits(context.proj, H, W, border, centreAz, horizonToChart);
    if (r.latMin <= 0) {
        // The horizon is where the true altitude is 0: not refracted.
        Projector flat = context.proj;
        flat.horizon_frame = false;
        if (r.lonMax - r.lonMin >= 180) {
            for (int k = 0; k < 3; ++k) {
                DrawLongLine(surface, flat, 120.0 * k, 0, 120.0 * (k + 1), 0, colour, horizonToChart, true, W, H);
            }
        } else {
            DrawLongLine(surface, flat, r.lonMin, 0, r.lonMax, 0, colour, horizonToChart, true, W, H);
        }
    }
    const double labelAlt = -fov_deg / 60;
    for (const CompassLabel& label : kCompass) {
        const Pixel p = FlatPixel(context.proj, label.az_deg, labelAlt, horizonToChart);
        if (!IsOnScreen(p.X, p.Y, W, H)) continue;
        const std::string text = label.text;
        const long halfWidth = std::lround(detail::RoundEven(surface.TextWidth(text))) / 2;
        const long halfHeight = std::lround(detail::RoundEven(surface.TextHeight(text))) / 2;
        detail::PrintAt(surface, p.X - halfWidth, p.Y - halfHeight, text);
    }
}

void DrawCentreMarks(platform::Surface& surface, const DrawContext& context, bool showPicture, bool showCircles,
                     platform::Colour colour) {
    const Projector& proj = context.proj;
    const double cx = proj.PixCenterX, cy = proj.PixCenterY;
    const skydata::SettingsSnapshot& set = context.settings;
    if (showPicture) surface.PaintPicture(CentreMarkerPicture(), cx - 16, cy);
    if (showCircles) {
        const double th = detail::RoundEven(surface.TextHeight("0"));
        const double d1 = astro::ParseLeadingNumber(set.fcircle00);
        const double d2 = astro::ParseLeadingNumber(set.fcircle10);
        const double r1 = 4000 * astro::TanD(d1 / 8) / proj.MapScale;
        const double r2 = detail::RoundEven(4000 * astro::TanD(d2 / 8) / proj.MapScale);
        surface.SetFillStyle(platform::Fill::Transparent);
        surface.SetForeColor(colour);
        std::string caption;
        surface.Circle(cx, cy, r1);
        if (FinderCaption(set.fcircle01, caption)) {
            detail::PrintAt(surface, cx - detail::RoundEven(surface.TextWidth(caption) / 2), cy - r1 - th - 1,
                            caption);
        }
        surface.Circle(cx, cy, r2);
        if (FinderCaption(set.fcircle11, caption)) {
            detail::PrintAt(surface, cx - detail::RoundEven(surface.TextWidth(caption) / 2), cy - (th + r2 + 1),
                            caption);
        }
    }
    if (set.CenterCross) {
        surface.SetFillStyle(platform::Fill::Transparent);
        surface.SetForeColor(colour);
        surface.Circle(cx, cy, kCentreCrossInner);
        surface.Line(cx + kCentreCrossInner, cy, cx + kCentreCrossOuter, cy);
        surface.Line(cx - kCentreCrossInner, cy, cx - kCentreCrossOuter, cy);
        surface.Line(cx, cy + kCentreCrossInner, cx, cy + kCentreCrossOuter);
        surface.Line(cx, cy - kCentreCrossInner, cx, cy - kCentreCrossOuter);
    }
}

void LayerGround(platform::Surface& surface, DrawContext& context) {
    DrawGround(surface, context, context.frames.HorizonToChart);
}

void LayerHorizon(platform::Surface& surface, DrawContext& context) {
    DrawHorizon(surface, context, context.view.fov_deg, context.frames.HorizonToChart);
}

void LayerCentreMarks(platform::Surface& surface, DrawContext& context) {
    DrawCentreMarks(surface, context, context.settings.viewcmark, context.settings.viewccircle,
                    ColourOf(context.settings.findcolor));
}

}  // namespace chart
