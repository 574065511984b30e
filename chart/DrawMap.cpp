#include "chart/DrawMap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/Coordinates.h"
#include "astro/Matrix.h"
#include "astro/Planets.h"
#include "chart/LayerTable.h"
#include "chart/RenderUtils.h"
#include "skydata/UserCatalogs.h"

namespace chart {

namespace {

constexpr double kDefaultFov = 60;
constexpr double kFaintestLimit = 11;
constexpr float kDarkSkyLowestLimit = 3.5f;
constexpr int kLimitStatusPanel = 4;

// Text of a number with one decimal, halves away from zero.
std::string OneDecimal(double v) {
    double r = std::round(v * 10) / 10;
    if (r == 0) r = 0;  // no "-0.0"
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", r);
    return buffer;
}

// Whatever happens inside a drawing, the surface gets its scale mode back and
// the object list its observable form.
class DrawingScope {
public:
    DrawingScope(platform::Surface& surface, ChartState& state) : surface_(surface), state_(state),
        scale_(surface.ScaleMode()) {}
    ~DrawingScope() {
        if (state_.ScreenObjects.empty()) {
            state_.ScreenObjects.assign(kScreenObjectInitialEntries, ScreenObject{});
        } else {
            state_.ScreenObjects.shrink_to_fit();
        }
        surface_.SetScaleMode(scale_);
    }
    DrawingScope(const DrawingScope&) = delete;
    DrawingScope& operator=(const DrawingScope&) = delete;

private:
    platform::Surface& surface_;
    ChartState& state_;
    platform::Scale scale_;
};

void ApplyFill(platform::Surface& surface, FillChange change, platform::Colour sky) {
    switch (change) {
        case FillChange::None: break;
        case FillChange::Solid: surface.SetFillStyle(platform::Fill::Solid); break;
        case FillChange::Transparent: surface.SetFillStyle(platform::Fill::Transparent); break;
        case FillChange::SkyTransparent:
            surface.SetFillColor(sky);
            surface.SetFillStyle(platform::Fill::Transparent);
            break;
    }
}

void ApplyFont(platform::Surface& surface, const skydata::StyleTables& styles, LayerFont font, int index) {
    const skydata::FontStyle* style = nullptr;
    if (font == LayerFont::LayerStyle) style = &styles.LayerStyle[index];
    if (font == LayerFont::GridFont) style = &styles.GridFontTable[index];
    if (style) SetMapFont(surface, style->FontSize_pt, style->FontName, style->Bold, style->Italic);
}

}  // namespace

ChartSources ModuleSources() {
    ChartSources s;
    s.settings = &skydata::CurrentSettings();
    s.styles = &skydata::StartupTables().Styles;
    s.catalogs = &skydata::Catalogs();
    s.constellations = &skydata::Constellations();
    s.mansion_ra = &skydata::StartupTables().MansionStarRA;
    s.map_points = &skydata::MapPointModule().MapPoints;
    s.drawn_lines = &skydata::DrawnLineModule().DrawnLines;
    s.user_catalogs = &skydata::UserCatalogModule().Catalogs;
    s.path_settings = &skydata::PathModule().Settings;
    s.map_points_shown = skydata::MapPointModule().MapPointsShown;
    s.drawn_lines_shown = skydata::DrawnLineModule().DrawnLinesShown;
    s.calc_planets = [](double jd_local) { astro::CalcPlanets(jd_local); };
    return s;
}

FrameMatrices MakeFrameMatrices(const std::string& coord_sys, double lat_deg, double sidereal_deg, double jd_local,
                                bool precession) {
    FrameMatrices frames;
    if (IsHorizontalView(coord_sys)) {
        astro::MakeHorizonMatrix(lat_deg, sidereal_deg, frames.EquatorToChart);
    } else if (IsEquatorialView(coord_sys)) {
        astro::MakeHorizonMatrixT(lat_deg, sidereal_deg, frames.HorizonToChart);
    }
    astro::Matrix3 p;
    if (precession) {
        astro::MakePrecessionMatrix(astro::kJ2000, jd_local, p);
        astro::MatMul3(frames.EquatorToChart, p, frames.CatalogToChart);
        frames.DateToChart = frames.EquatorToChart;
    } else {
        frames.CatalogToChart = frames.EquatorToChart;
        astro::MakePrecessionMatrix(jd_local, astro::kJ2000, p);
        astro::MatMul3(frames.EquatorToChart, p, frames.DateToChart);
    }
    return frames;
}

double ClampFov(double fov_deg) {
    if (!std::isfinite(fov_deg)) return kDefaultFov;
    return std::clamp(fov_deg, skydata::kMinViewFov_deg, skydata::kMaxViewFov_deg);
}

double EffectiveLimitMag(const skydata::SettingsSnapshot& settings, float autoLimit) {
    double L;
    if (settings.StarAutoMag) {
        float a = autoLimit;
        if (!settings.liveskycolor && a < kDarkSkyLowestLimit) a = kDarkSkyLowestLimit;
        L = a;
        // The user's limit is an upper bound.
        if (a > static_cast<float>(settings.vmlimit)) L = settings.vmlimit;
    } else {
        L = settings.vmlimit;
    }
    L += settings.MagControl;
    if (L > kFaintestLimit) L = kFaintestLimit;
    return L;
}

std::string LimitStatusText(double limitMag, float magControl) {
    return OneDecimal(limitMag) + "등급(" + OneDecimal(magControl) + ")";
}

void DrawMap(platform::Surface& surface, const ChartView& viewIn, const ChartSources& sourcesIn) {
    ChartSources sources = sourcesIn;
    if (!sources.settings) sources.settings = &skydata::CurrentSettings();
    if (!sources.styles) sources.styles = &skydata::StartupTables().Styles;
    const skydata::SettingsSnapshot& set = *sources.settings;
    const skydata::StyleTables& styles = *sources.styles;

    ChartView view = viewIn;
    view.fov_deg = ClampFov(view.fov_deg);

    const platform::Scale oldScale = surface.ScaleMode();
    surface.SetScaleMode(platform::Scale::Pixels);
    const auto width = static_cast<std::int32_t>(std::nearbyint(surface.ScaleWidth()));
    const auto height = static_cast<std::int32_t>(std::nearbyint(surface.ScaleHeight()));
    if (width < 1 || height < 1) {
        // A minimised window: nothing to draw, the last drawing stays.
        surface.SetScaleMode(oldScale);
        return;
    }
    surface.SetScaleMode(oldScale);

    ChartState& state = Chart();
    state.ScreenObjects.clear();
    state.ScreenObjects.reserve(kScreenObjectInitialEntries);
    DrawingScope scope(surface, state);
    surface.SetScaleMode(platform::Scale::Pixels);

    const double siderealAngle = view.lst_h * 15.0;
    const bool horizontal = IsHorizontalView(view.coord_sys);
    const bool equatorial = IsEquatorialView(view.coord_sys);

    ProjectionView pv;
    pv.center_lon_deg = view.center_lon_deg;
    pv.center_lat_deg = view.center_lat_deg;
    pv.fov_deg = view.fov_deg;
    pv.rotation_deg = view.rotation_deg;
    pv.coord_sys = view.coord_sys;
    pv.refraction = set.Refraction;
    pv.pressure_hpa = set.Pressure;
    pv.temperature_c = set.Temperature;
    state.Projection = MakeProjector(width, height, pv);
    state.LastDrawFOV = view.fov_deg;

    FrameMatrices& frames = state.Frames;
    frames = MakeFrameMatrices(view.coord_sys, view.lat_deg, siderealAngle, view.jd_local, set.calcprecession);
    const bool airEx = set.AirEx && !equatorial;
    const bool below = !horizontal || set.underhorizon == 1;

    surface.Cls();
    surface.SetDrawWidth(1);
    surface.SetFillColor(kBlack);
    surface.SetFillStyle(platform::Fill::Solid);
    surface.SetForeColor(kWhite);

    if (sources.calc_planets) sources.calc_planets(view.jd_local);
    const astro::PlanetTableT& planets = astro::Planets().PlanetTable;
    double az, sunAlt, moonAlt;
    astro::EquatorialToHorizontal(planets[astro::kPlanetSun].RA, planets[astro::kPlanetSun].Dec, view.lst_h,
                                  view.lat_deg, az, sunAlt);
    astro::EquatorialToHorizontal(planets[astro::kPlanetMoon].RA, planets[astro::kPlanetMoon].Dec, view.lst_h,
                                  view.lat_deg, az, moonAlt);
    const float moonMag = planets[astro::kPlanetMoon].Mag;

    float autoLimit = 0;
    if (set.StarAutoMag) {
        autoLimit = AutoLimitMag(sunAlt, moonAlt, set.inmoonlight, moonMag, view.fov_deg, set.liveskycolor);
    }
    const double limitMag = EffectiveLimitMag(set, autoLimit);
    state.ChartLimitMag = limitMag;

    const platform::Colour sky =
        set.liveskycolor ? SkyColour(sunAlt, moonAlt, set.inmoonlight, moonMag, styles.TwilightColors) : kBlack;
    surface.SetBackColor(sky);
    state.SkyBackColor = surface.BackColor();

    const Projector& proj = state.Projection;
    const double cx = proj.PixCenterX, cy = proj.PixCenterY;
    const double borderPixels[8][2] = {{0, 0},      {cx, 0},      {2 * cx, 0},      {0, cy},
                                       {2 * cx, cy}, {0, 2 * cy}, {cx, 2 * cy}, {2 * cx, 2 * cy}};
    for (int i = 0; i < 8; ++i) {
        proj.ScreenToSky(borderPixels[i][0], borderPixels[i][1], view.center_lon_deg, view.center_lat_deg,
                         state.BorderPoints[i].lon_deg, state.BorderPoints[i].lat_deg, false);
    }
    state.GridSpacing = GridStep(view.fov_deg);

    DrawContext context{sources, set, styles, view, state, proj, frames};
    context.below = below;
    context.limit_mag = limitMag;
    context.air_ex = airEx;
    context.width = width;
    context.height = height;

    for (const LayerEntry& layer : ChartLayers()) {
        ApplyFill(surface, layer.fill_before, state.SkyBackColor);
        if (!layer.draw || !layer.gate(context)) continue;
        ApplyFont(surface, styles, layer.font, layer.font_index);
        context.user_cat_slot = layer.user_cat_slot;
        layer.draw(surface, context);
        context.user_cat_slot = 0;
    }

    state.LimitStatusText = LimitStatusText(limitMag, set.MagControl);
    if (sources.set_status_panel) sources.set_status_panel(kLimitStatusPanel, state.LimitStatusText);
}

void DrawMap(platform::Surface& surface, double latitude_deg, double siderealHours, double centreLon_deg,
             double centreLat_deg, double fov_deg) {
    const skydata::SettingsSnapshot& set = skydata::CurrentSettings();
    ChartView view;
    view.lat_deg = latitude_deg;
    view.lst_h = siderealHours;
    view.center_lon_deg = centreLon_deg;
    view.center_lat_deg = centreLat_deg;
    view.fov_deg = fov_deg;
    view.rotation_deg = set.MapRotation;
    view.coord_sys = set.ViewCoordSys;
    view.jd_local = set.CurrentJD;
    DrawMap(surface, view, ModuleSources());
}

}  // namespace chart
