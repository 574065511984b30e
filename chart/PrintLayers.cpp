// The printed chart page, its layer order written once, and the frame and
// legend drawn over it.
#include "chart/PrintLayers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <vector>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/TextFormat.h"
#include "chart/DrawMap.h"
#include "chart/PrintLayerPrinters.h"

namespace chart {

namespace {

using C = const PrintContext&;
using platform::Surface;

constexpr float kAutoLimitFloor = 3.0f;
constexpr float kFaintestPrintLimit = 11.0f;
constexpr double kAllSkyFov = 190;
constexpr int kBodyFont = 8;
constexpr int kTitleFont = 17;
constexpr int kLegendFont = 9;
constexpr int kLegendHeadFont = 11;
constexpr int kMilkyWayColour = 8;
constexpr int kBoundaryColour = 9;
constexpr int kCircleColour = 10;
constexpr int kWesternLineColour = 5;
constexpr int kKoreanLineColour = 6;
constexpr int kOldMapLineColour = 7;
constexpr int kStarStyle = 8;
constexpr const char* kPrintFontName = "Tahoma";
// The field as the legend states it: across the 181 units of the width, and
// this many units down.
constexpr double kFieldLegendUnitsHigh = 247;

// The chart area and the legend band below it, in page units.
constexpr double kFrameLeft = 15, kFrameRight = 196, kFrameTop = 25, kChartBottom = 262, kFrameBottom = 282;
constexpr double kMarginFar = 100;  // the white margins reach well beyond the paper

constexpr std::int8_t kDot = static_cast<std::int8_t>(platform::LineStyle::Dot);
constexpr std::int8_t kDashDotDot = static_cast<std::int8_t>(platform::LineStyle::DashDotDot);
constexpr std::int8_t kSolid = static_cast<std::int8_t>(platform::LineStyle::Solid);
constexpr std::int8_t kFillSolid = static_cast<std::int8_t>(platform::Fill::Solid);
constexpr std::int8_t kFillTransparent = static_cast<std::int8_t>(platform::Fill::Transparent);

platform::Colour StyleColour(C c, int style) { return ColourOf(c.styles.LayerStyle[style].Color); }
platform::Colour LineColour(C c, int index) { return ColourOf(c.styles.LineColorTable[index]); }

const skydata::ConstellationState* Figures(C c) { return c.sources.constellations; }

// ---- Layers --------------------------------------------------------------

void EquGridLayer(Surface& s, PrintContext& c) {
    PrintEquGrid(s, c, c.page.PrintFOV, c.frames.EquatorToChart, c.below);
}
void HorGridLayer(Surface& s, PrintContext& c) {
    PrintHorGrid(s, c, c.page.PrintFOV, c.frames.HorizonToChart, c.below);
}
void CPolarLayer(Surface& s, PrintContext& c) {
    PrintCPolar(s, c, c.page.PrintLatitude, c.frames.EquatorToChart, c.below);
}
void MansionLayer(Surface& s, PrintContext& c) {
    PrintMansionMeridians(s, c, c.page.PrintLatitude, c.frames.EquatorToChart, c.below);
}
void WesternNamesLayer(Surface& s, PrintContext& c) {
    if (Figures(c)) PrintNameLabels(s, c, Figures(c)->W.Labels, StyleColour(c, 0), c.frames.CatalogToChart, c.below);
}
void KoreanNamesLayer(Surface& s, PrintContext& c) {
    if (Figures(c)) PrintNameLabels(s, c, Figures(c)->E.Labels, StyleColour(c, 1), c.frames.CatalogToChart, c.below);
}
void OldMapNamesLayer(Surface& s, PrintContext& c) {
    if (Figures(c)) PrintNameLabels(s, c, Figures(c)->O.Labels, StyleColour(c, 2), c.frames.CatalogToChart, c.below);
}
void EclipticLayer(Surface& s, PrintContext& c) { PrintEcliptic(s, c, c.frames.CatalogToChart, c.below); }
void GalacticLayer(Surface& s, PrintContext& c) { PrintGalEquator(s, c, c.frames.CatalogToChart, c.below); }
void MilkyWayLayer(Surface& s, PrintContext& c) {
    if (!Figures(c)) return;
    const std::vector<platform::Colour> colours = {LineColour(c, kMilkyWayColour), LineColour(c, kBoundaryColour)};
    PrintPolyline(s, c, Figures(c)->MilkyWayPoint, colours, c.frames.CatalogToChart, c.below);
}
void BoundaryLayer(Surface& s, PrintContext& c) {
    if (Figures(c))
        PrintBoundaries(s, c, Figures(c)->BoundaryPoint, LineColour(c, kBoundaryColour), c.frames.CatalogToChart,
                        c.below);
}
void WesternLinesLayer(Surface& s, PrintContext& c) {
    if (Figures(c))
        PrintConstLines(s, c, Figures(c)->W.Lines, LineColour(c, kWesternLineColour), c.frames.CatalogToChart, c.below,
                        c.settings.boldline);
}
void KoreanLinesLayer(Surface& s, PrintContext& c) {
    if (Figures(c))
        PrintConstLines(s, c, Figures(c)->E.Lines, LineColour(c, kKoreanLineColour), c.frames.CatalogToChart, c.below,
                        false);
}
void OldMapLinesLayer(Surface& s, PrintContext& c) {
    if (Figures(c))
        PrintConstLines(s, c, Figures(c)->O.Lines, LineColour(c, kOldMapLineColour), c.frames.CatalogToChart, c.below,
                        false);
}
void EastStarNamesLayer(Surface& s, PrintContext& c) {
    if (c.sources.catalogs)
        PrintStarNames(s, c, c.sources.catalogs->EastStarNames, StyleColour(c, 4), c.frames.CatalogToChart, c.below,
                       c.view.star_name_lang);
}
void WestStarNamesLayer(Surface& s, PrintContext& c) {
    if (c.sources.catalogs)
        PrintStarNames(s, c, c.sources.catalogs->WestStarNames, StyleColour(c, 3), c.frames.CatalogToChart, c.below,
                       c.view.star_name_lang);
}
void StarsLayer(Surface& s, PrintContext& c) {
    PrintBrightStars(s, c, c.frames.CatalogToChart, c.below);
    if (c.settings.viewconstar == 1) PrintExtraStars(s, c, c.frames.CatalogToChart, c.below);
}
void CompassLayer(Surface& s, PrintContext& c) { PrintCompass(s, c, c.page.PrintFOV, c.frames.HorizonToChart); }
void DeepSkyLayer(Surface& s, PrintContext& c) {
    if (c.sources.catalogs)
        PrintDeepSky(s, c, c.sources.catalogs->DeepSkyObject, c.frames.CatalogToChart, c.below, c.page.PrintFOV);
}
// The bodies are of date: the screen's date-to-chart rotation.
void ShadowLayer(Surface& s, PrintContext& c) { PrintMoonShadow(s, c, c.frames.DateToChart, c.below); }
void PlanetsLayer(Surface& s, PrintContext& c) { PrintPlanets(s, c, c.frames.DateToChart, c.below); }
void CometsLayer(Surface& s, PrintContext& c) { PrintMinorBodies(s, c, true, c.frames.DateToChart, c.below); }
void AsteroidsLayer(Surface& s, PrintContext& c) { PrintMinorBodies(s, c, false, c.frames.DateToChart, c.below); }
void UserCatalogueLayer(Surface& s, PrintContext& c, int slot) {
    if (c.sources.user_catalogs)
        PrintCustomCatalog(s, c, (*c.sources.user_catalogs)[static_cast<std::size_t>(slot)], c.frames.HorizonToChart,
                           c.frames.CatalogToChart, c.page.PrintFOV, c.below);
}
void UserCatalogue1Layer(Surface& s, PrintContext& c) { UserCatalogueLayer(s, c, 0); }
void UserCatalogue2Layer(Surface& s, PrintContext& c) { UserCatalogueLayer(s, c, 1); }
void UserLinesLayer(Surface& s, PrintContext& c) {
    if (c.sources.drawn_lines) PrintUserLines(s, c, *c.sources.drawn_lines, c.frames.CatalogToChart, c.below);
}
void TracksLayer(Surface& s, PrintContext& c) {
    const skydata::PathSettings& settings =
        c.sources.path_settings ? *c.sources.path_settings : skydata::PathModule().Settings;
    PrintPaths(s, c, settings, PathLists(), c.below);
}
void MarkersLayer(Surface& s, PrintContext& c) {
    if (c.sources.map_points) PrintMarkers(s, c, *c.sources.map_points, c.frames.CatalogToChart, c.below);
}

constexpr PrintStateChange kNone{};

constexpr PrintLayerEntry kPrintLayers[] = {
    {"equatorial grid", kNone, [](C c) { return c.settings.viewequ; }, LayerFont::GridFont, 2, EquGridLayer},
    {"alt-az grid", kNone, [](C c) { return c.settings.viewalt; }, LayerFont::GridFont, 1, HorGridLayer},
    {"-", {kCircleColour, kKeep, kKeep, kKeep, false, false}, nullptr, LayerFont::None, 0, nullptr},
    {"cpolar", kNone, [](C c) { return c.settings.cpolar; }, LayerFont::None, 0, CPolarLayer},
    {"mansion meridians", kNone, [](C c) { return c.settings.ipsoodo; }, LayerFont::None, 0, MansionLayer},
    {"-", {kForeBlack, kKeep, kKeep, kKeep, false, false}, nullptr, LayerFont::None, 0, nullptr},
    {"western names", kNone, [](C c) { return c.settings.viewconstname; }, LayerFont::LayerStyle, 0,
     WesternNamesLayer},
    {"korean names", kNone, [](C c) { return c.settings.viewconstnamee; }, LayerFont::LayerStyle, 1, KoreanNamesLayer},
    {"old-map names", kNone, [](C c) { return c.settings.viewoldmapname; }, LayerFont::LayerStyle, 2,
     OldMapNamesLayer},
    {"-", {kKeep, kDot, 2, kKeep, false, false}, nullptr, LayerFont::None, 0, nullptr},
    {"ecliptic", kNone, [](C c) { return c.settings.viewecl; }, LayerFont::None, 0, EclipticLayer},
    {"-", {kKeep, kDashDotDot, kKeep, kKeep, false, false}, nullptr, LayerFont::None, 0, nullptr},
    {"galactic equator", kNone, [](C c) { return c.settings.viewgalequ; }, LayerFont::None, 0, GalacticLayer},
    {"-", {kKeep, kSolid, 1, kKeep, false, false}, nullptr, LayerFont::None, 0, nullptr},
    {"milky way", kNone, [](C c) { return c.settings.milkyway; }, LayerFont::None, 0, MilkyWayLayer},
    {"boundaries", kNone, [](C c) { return c.settings.viewcboundary; }, LayerFont::None, 0, BoundaryLayer},
    {"-", {kForeBlack, kKeep, kKeep, kKeep, true, true}, nullptr, LayerFont::None, 0, nullptr},
    {"western lines", kNone, [](C c) { return c.settings.viewconstline; }, LayerFont::None, 0, WesternLinesLayer},
    {"korean lines", kNone, [](C c) { return c.settings.viewconstlinee; }, LayerFont::None, 0, KoreanLinesLayer},
    {"old-map lines", kNone, [](C c) { return c.settings.viewoldmap; }, LayerFont::None, 0, OldMapLinesLayer},
    {"deep sky", kNone, [](C c) { return c.settings.drawnonstellar; }, LayerFont::LayerStyle, 9, DeepSkyLayer},
    {"eastern star names", kNone, [](C c) { return c.settings.viewstarname1; }, LayerFont::LayerStyle, 4,
     EastStarNamesLayer},
    {"western star names", kNone, [](C c) { return c.settings.viewstarname2; }, LayerFont::LayerStyle, 3,
     WestStarNamesLayer},
    {"earth shadow", kNone, [](C c) { return c.settings.viewshadow; }, LayerFont::None, 0, ShadowLayer},
    {"planets", kNone, [](C c) { return c.settings.viewplanet; }, LayerFont::None, 0, PlanetsLayer},
    {"-", {kKeep, kKeep, kKeep, kFillTransparent, false, false}, nullptr, LayerFont::None, 0, nullptr},
    {"comets", kNone, [](C c) { return c.settings.drawcomet; }, LayerFont::None, 0, CometsLayer},
    {"asteroids", kNone, [](C c) { return c.settings.drawasteroid; }, LayerFont::None, 0, AsteroidsLayer},
    {"-", {kForeBlack, kKeep, kKeep, kFillSolid, false, false}, nullptr, LayerFont::None, 0, nullptr},
    {"stars", kNone, [](C c) { return c.settings.viewstar; }, LayerFont::LayerStyle, kStarStyle, StarsLayer},
    {"user catalogue 1", kNone, [](C c) { return c.settings.drawcuscat0 && c.settings.usercatfile0is; },
     LayerFont::None, 0, UserCatalogue1Layer},
    {"user catalogue 2", kNone, [](C c) { return c.settings.drawcuscat1 && c.settings.usercatfile1is; },
     LayerFont::None, 0, UserCatalogue2Layer},
    {"-", {kForeBlack, kKeep, kKeep, kKeep, false, false}, nullptr, LayerFont::None, 0, nullptr},
    {"horizon", kNone, [](C c) { return c.settings.drawhorizon; }, LayerFont::GridFont, 0, CompassLayer},
    {"user lines", kNone, [](C c) { return c.sources.drawn_lines_shown; }, LayerFont::None, 0, UserLinesLayer},
    {"-", {kKeep, kKeep, kKeep, kKeep, true, true}, nullptr, LayerFont::None, 0, nullptr},
    {"tracks", kNone, [](C c) { return c.settings.ViewPath; }, LayerFont::None, 0, TracksLayer},
    {"markers", kNone, [](C c) { return c.sources.map_points_shown; }, LayerFont::None, 0, MarkersLayer},
};

// ---- Paper ink -----------------------------------------------------------

// The 256 values of an sRGB component made linear.
const std::array<double, 256>& LinearComponents() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (std::size_t i = 0; i < t.size(); ++i) {
            const double v = static_cast<double>(i) / 255;
            t[i] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

// The page's text and lines through PaperInk, the surface's own rule back
// when the page is done.
class PaperInkOnPage {
public:
    explicit PaperInkOnPage(Surface& s) : s_(s), before_(s.GetInkRule()) { s_.SetInkRule(PaperInk); }
    ~PaperInkOnPage() { s_.SetInkRule(before_); }
    PaperInkOnPage(const PaperInkOnPage&) = delete;
    PaperInkOnPage& operator=(const PaperInkOnPage&) = delete;

private:
    Surface& s_;
    platform::InkRule before_;
};

// ---- Printer state -----------------------------------------------------

void ApplyChange(Surface& s, C c, const PrintStateChange& change) {
    if (change.fore == kForeBlack) s.SetForeColor(kBlack);
    if (change.fore >= 0) s.SetForeColor(LineColour(c, change.fore));
    if (change.draw_style != kKeep) s.SetDrawStyle(static_cast<platform::LineStyle>(change.draw_style));
    if (change.draw_width != kKeep) s.SetDrawWidth(change.draw_width);
    if (change.fill_style != kKeep) s.SetFillStyle(static_cast<platform::Fill>(change.fill_style));
    if (change.plain_font) {
        s.SetFontBold(false);
        s.SetFontItalic(false);
        s.SetFontSize(kBodyFont);
    }
    if (change.tahoma) s.SetFontName(kPrintFontName);
}

void ApplyFont(Surface& s, C c, LayerFont font, int index) {
    const skydata::FontStyle* style = nullptr;
    if (font == LayerFont::LayerStyle) style = &c.styles.LayerStyle[index];
    if (font == LayerFont::GridFont) style = &c.styles.GridFontTable[index];
    if (style) SetPrintFont(s, style->FontSize_pt, style->FontName, style->Bold, style->Italic);
}

// Runs one part of the page; a part that throws is left where it failed and
// its error kept for the job (the first one only).
template <typename Part>
void Guarded(std::optional<std::string>& error, Part part) {
    try {
        part();
    } catch (const std::exception& e) {
        if (!error) error = e.what();
    } catch (...) {
        if (!error) error = "알 수 없는 오류";
    }
}

std::string Str(double v) { return astro::NumberText(v); }

void Text(Surface& s, double x, double y, const std::string& text) {
    s.SetCurrentX(x);
    s.SetCurrentY(y);
    s.Print(text);
}

// Margins, frame, title, legend, line samples and magnitude scale.
void PrintFrameAndLegend(Surface& s, C c, const PrintView& view, double centreRa, double centreDec,
                         std::optional<std::string>& error) {
    const platform::Colour white = platform::Rgb(255, 255, 255);
    Guarded(error, [&] {
        // Paint, not lines: filled boxes keep their white under the ink rule.
        s.SetFillStyle(platform::Fill::Solid);
        s.SetFillColor(white);
        s.Line(-kMarginFar, -kMarginFar, kFrameLeft, 400, white, platform::Box::BF);
        s.Line(kFrameRight, -kMarginFar, 296, 400, white, platform::Box::BF);
        s.Line(-kMarginFar, -kMarginFar, 296, kFrameTop, white, platform::Box::BF);
        s.Line(-kMarginFar, kChartBottom, 296, 400, white, platform::Box::BF);
        s.SetDrawWidth(2);
        s.SetFillStyle(platform::Fill::Transparent);
        s.SetFillColor(kBlack);
        s.SetForeColor(kBlack);
        s.Line(kFrameLeft, kFrameTop, kFrameRight, kFrameBottom, std::nullopt, platform::Box::B);
        s.Line(kFrameLeft, kChartBottom, kFrameRight, kChartBottom);
        s.SetDrawWidth(1);
    });
    Guarded(error, [&] {
        s.SetCurrentX(15);
        s.SetCurrentY(15);
        s.SetFontSize(kTitleFont);
        s.Print(view.title);
    });
    Guarded(error, [&] {
        const astro::CalendarDate d = astro::JDToDate(view.jd_local);
        s.SetFontBold(true);
        s.SetFontSize(kLegendHeadFont);
        Text(s, 16, 263, "범례");
        s.SetFontBold(false);
        s.SetFontSize(kLegendFont);
        Text(s, 17, 268, "등급");
        Text(s, 66, 264, "관측지 위도: " + Str(view.lat_deg) + "도");
        Text(s, 122, 264, "경도: " + Str(c.settings.lon) + "도       " + c.settings.nobsname);
        Text(s, 66, 268,
             "관측 시각: " + Str(d.year) + "년 " + Str(d.month) + "월 " + Str(d.day) + "일  " + Str(d.hour) + "시 " +
                 Str(d.minute) + "분");
        Text(s, 66, 272, "중심부 적경: " + astro::FormatHmsKorean(centreRa, 0));
        Text(s, 122, 272, "적위: " + astro::FormatDmsKorean(centreDec, 0));
        Text(s, 66, 276, "시야: ");
        Text(s, 77, 276, FieldText(view.fov_deg));
    });
    Guarded(error, [&] {
        s.SetFillStyle(platform::Fill::Solid);
        s.SetFillColor(kBlack);
        s.SetFontSize(kBodyFont);
        s.SetDrawStyle(platform::LineStyle::Dot);
        s.SetDrawWidth(2);
        // Each sample as its line is printed: the pen of the driver's table
        // and the line's own colour.
        s.Line(25, 275, 41, 275, kPrintedEclipticColour);
        Text(s, 43, 273, "황도");
        s.SetDrawStyle(platform::LineStyle::DashDotDot);
        s.Line(25, 278, 41, 278, kPrintedGalacticColour);
        Text(s, 43, 277, "은하 적도");
        s.SetDrawStyle(platform::LineStyle::Solid);
        s.SetDrawWidth(1);
        s.SetFontSize(kLegendFont);
    });
    Guarded(error, [&] {
        const float limit = c.page.PrintLimitMag;
        const double whole = std::floor(limit);
        const double n = std::max(whole + 1, 3.0);
        for (int i = 0; i <= whole; ++i) {
            s.Circle(25 + 38 * (i + 1) / n, 267, (static_cast<double>(limit) + 1 - i) / 5);
            Text(s, 23 + 38 * (i + 1) / n, 268.8, Str(i));
        }
    });
}

}  // namespace

std::span<const PrintLayerEntry> PrintLayers() { return kPrintLayers; }

float PrintLimitMagOf(const skydata::SettingsSnapshot& settings, float autoLimit) {
    float L;
    if (settings.StarAutoMag) {
        L = autoLimit;
        if (static_cast<float>(settings.vmlimit) < L) L = static_cast<float>(settings.vmlimit);
        if (L < kAutoLimitFloor) L = kAutoLimitFloor;
    } else {
        L = static_cast<float>(settings.vmlimit);
    }
    L += settings.MagControl;
    if (L > kFaintestPrintLimit) L = kFaintestPrintLimit;
    return L;
}

double RelativeLuminance(platform::Colour c) {
    const std::array<double, 256>& linear = LinearComponents();
    return 0.2126 * linear[static_cast<std::size_t>(platform::RedOf(c))] +
           0.7152 * linear[static_cast<std::size_t>(platform::GreenOf(c))] +
           0.0722 * linear[static_cast<std::size_t>(platform::BlueOf(c))];
}

double ContrastWithWhite(platform::Colour c) { return 1.05 / (RelativeLuminance(c) + 0.05); }

platform::Colour PaperInk(platform::Colour c) {
    if (ContrastWithWhite(c) >= kPaperContrast) return c;
    const int r = platform::RedOf(c), g = platform::GreenOf(c), b = platform::BlueOf(c);
    const int top = std::max({r, g, b});  // above 0: black passes
    const auto shade = [&](int m) {
        const auto part = [&](int v) { return static_cast<int>(std::lround(static_cast<double>(v) * m / top)); };
        return platform::Rgb(part(r), part(g), part(b));
    };
    // The luminance grows with the brightest component m: black (m = 0)
    // passes, the colour itself (m = top) does not.
    int passes = 0, fails = top;
    while (fails - passes > 1) {
        const int m = (passes + fails) / 2;
        if (ContrastWithWhite(shade(m)) >= kPaperContrast) {
            passes = m;
        } else {
            fails = m;
        }
    }
    return shade(passes);
}

std::string FieldText(double fov_deg) {
    return astro::FormatDigitPattern(fov_deg, "##0.0") + "도 x " +
           astro::FormatDigitPattern(fov_deg * kFieldLegendUnitsHigh / kPrintFieldUnits, "##0.0") + "도";
}

PrintView ScreenPrintView(const skydata::SettingsSnapshot& settings, double lst_h, const std::string& title) {
    PrintView v;
    v.title = title;
    v.lat_deg = settings.lat;
    v.lst_h = lst_h;
    v.center_lon_deg = settings.ViewCenterX;
    v.center_lat_deg = settings.ViewCenterY;
    v.fov_deg = settings.ViewFOV;
    v.star_name_lang = settings.starnamelang;
    v.coord_sys = settings.ViewCoordSys;
    v.rotation_deg = settings.MapRotation;
    v.jd_local = settings.CurrentJD;
    v.screen_fov_deg = settings.ViewFOV;
    return v;
}

PrintView AllSkyPrintView(const skydata::SettingsSnapshot& settings, double lst_h, const std::string& title) {
    PrintView v = ScreenPrintView(settings, lst_h, std::string("온하늘 zu-").append(title));
    v.center_lon_deg = 180;
    v.center_lat_deg = 90;
    v.fov_deg = kAllSkyFov;
    v.coord_sys.assign(1, 'a');
    return v;
}

std::optional<std::string> PrintChartPage(Surface& s, const PrintView& view, const ChartSources& sourcesIn) {
    ChartSources sources = sourcesIn;
    if (!sources.settings) sources.settings = &skydata::CurrentSettings();
    if (!sources.styles) sources.styles = &skydata::StartupTables().Styles;
    const skydata::SettingsSnapshot& set = *sources.settings;
    PrintPageState& page = PrintPage();
    page = PrintPageState{};
    std::optional<std::string> error;

    const PaperInkOnPage ink(s);
    const bool horizontal = IsHorizontalView(view.coord_sys);
    const bool equatorial = IsEquatorialView(view.coord_sys);
    PrintContext c{sources, set, *sources.styles, view, page, FrameMatrices{}, false};
    double centreRa = view.center_lon_deg, centreDec = view.center_lat_deg;

    Guarded(error, [&] {
        s.SetScaleMode(platform::Scale::Pixels);
        s.SetFontName(kPrintFontName);
        page.PrintPageWidth = 210;
        page.PrintPageHeight = static_cast<float>(kChartBottom);
        page.PrintSiderealDeg = view.lst_h * 15;
        page.PrintLatitude = view.lat_deg;
        SetPageProjection(page, view.center_lon_deg, view.center_lat_deg, view.fov_deg, horizontal,
                          view.rotation_deg);
        if (!equatorial) {
            astro::HorizontalToEquatorial(view.center_lon_deg, view.center_lat_deg, view.lst_h, view.lat_deg, centreRa,
                                          centreDec);
        }
        c.frames = MakeFrameMatrices(view.coord_sys, view.lat_deg, page.PrintSiderealDeg, view.jd_local,
                                     set.calcprecession);
        page.PrintFrameMatrix = c.frames.CatalogToChart;
        page.PrintHorizonMatrix = c.frames.HorizonToChart;
        page.PrintRefractionOn = horizontal ? 1 : 0;
        c.below = !horizontal || set.underhorizon == 1;
        static constexpr double kCorners[8][2] = {{0, 0},
                                                  {kPrintUnitsWide / 2, 0},
                                                  {kPrintUnitsWide, 0},
                                                  {0, kPrintUnitsHigh / 2},
                                                  {kPrintUnitsWide, kPrintUnitsHigh / 2},
                                                  {0, kPrintUnitsHigh},
                                                  {kPrintUnitsWide / 2, kPrintUnitsHigh},
                                                  {kPrintUnitsWide, kPrintUnitsHigh}};
        for (int i = 0; i < 8; ++i) {
            PagePointToSky(page, static_cast<float>(kCorners[i][0]), static_cast<float>(kCorners[i][1]),
                           view.center_lon_deg, view.center_lat_deg, page.PageCornerSky[i].lon_deg,
                           page.PageCornerSky[i].lat_deg);
        }
        page.PrintGridStep = GridStep(view.fov_deg);

        if (sources.calc_planets) sources.calc_planets(view.jd_local);
        const astro::PlanetTableT& planets = astro::Planets().PlanetTable;
        double az, sunAlt, moonAlt;
        astro::EquatorialToHorizontal(planets[astro::kPlanetMoon].RA, planets[astro::kPlanetMoon].Dec, view.lst_h,
                                      view.lat_deg, az, moonAlt);
        astro::EquatorialToHorizontal(planets[astro::kPlanetSun].RA, planets[astro::kPlanetSun].Dec, view.lst_h,
                                      view.lat_deg, az, sunAlt);
        const float autoLimit =
            set.StarAutoMag ? AutoLimitMag(sunAlt, moonAlt, set.inmoonlight, planets[astro::kPlanetMoon].Mag) : 0.0f;
        page.PrintLimitMag = PrintLimitMagOf(set, autoLimit);

        s.SetFontSize(kBodyFont);
        s.SetFillColor(kBlack);
        s.SetForeColor(kBlack);
        s.SetDrawWidth(1);
        s.SetFillStyle(platform::Fill::Solid);
    });
    // Without a page state the layers have nothing to stand on; the frame
    // and legend are still printed.
    const bool setUp = !error;
    for (const PrintLayerEntry& layer : kPrintLayers) {
        if (!setUp) break;
        Guarded(error, [&] {
            ApplyChange(s, c, layer.before);
            if (!layer.gate || !layer.gate(c)) return;
            ApplyFont(s, c, layer.font, layer.font_index);
            if (layer.draw) layer.draw(s, c);
        });
    }
    PrintFrameAndLegend(s, c, view, centreRa, centreDec, error);
    return error;
}

}  // namespace chart
