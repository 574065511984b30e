#pragma once
// What a screen drawing reads, and the context every layer drawer receives.
//
// A layer drawer has one signature, LayerDrawer: the surface and the
// drawing's context. The context holds the settings snapshot and tables the
// drawing reads, the projection and frame matrices set up for it, the flag
// DrawBelowHorizon, and the drawing-time values that override settings for
// this drawing only (effective limiting magnitude, extinction switch); a
// drawer never writes a setting.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "astro/AstroConstants.h"
#include "chart/ChartState.h"
#include "chart/Projector.h"
#include "platform/Surface.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"
#include "skydata/CustomCatalog.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "skydata/StartupTables.h"

namespace chart {

// The view of one drawing, as the redraw entry passes it.
struct ChartView {
    double lat_deg = 35.82;        // site latitude
    double lst_h = 0;              // local sidereal time, hours
    double center_lon_deg = 0;     // ViewCenterX: azimuth or right ascension
    double center_lat_deg = 0;     // ViewCenterY: altitude or declination
    double fov_deg = 60;           // ViewFOV, 1..190 (clamped by DrawMap)
    double rotation_deg = 0;       // MapRotation
    std::string coord_sys = "a";   // ViewCoordSys: "a" horizontal, "e" equatorial
    double jd_local = astro::kJ2000;  // CurrentJD, local civil time
};

// The tables and switches a drawing reads. ModuleSources() points at the
// program's module state; tests point at their own.
struct ChartSources {
    const skydata::SettingsSnapshot* settings = nullptr;
    const skydata::StyleTables* styles = nullptr;
    const skydata::CatalogState* catalogs = nullptr;
    const skydata::ConstellationState* constellations = nullptr;
    const std::array<double, skydata::kMansionCount>* mansion_ra = nullptr;  // degrees, of the chart date
    const std::vector<skydata::MapPoint>* map_points = nullptr;
    const std::vector<skydata::DrawnLine>* drawn_lines = nullptr;
    const std::array<skydata::CustomCatalog, 2>* user_catalogs = nullptr;
    const skydata::PathSettings* path_settings = nullptr;
    bool map_points_shown = true;     // MapPointsShown
    bool drawn_lines_shown = true;    // DrawnLinesShown
    // Fills the planet table (astro::Planets()) for the chart time.
    std::function<void(double jd_local)> calc_planets;
    // Writes a text into a panel of the main window's status bar.
    std::function<void(int panel, const std::string& text)> set_status_panel;
};

ChartSources ModuleSources();

struct DrawContext {
    const ChartSources& sources;
    const skydata::SettingsSnapshot& settings;
    const skydata::StyleTables& styles;
    const ChartView& view;       // fov clamped to 1..190
    ChartState& state;           // projection, frames, drawn objects
    const Projector& proj;
    const FrameMatrices& frames;
    bool below = false;          // DrawBelowHorizon
    double limit_mag = 0;        // ChartLimitMag of this drawing
    bool air_ex = false;         // AirEx of this drawing (off in the equatorial chart)
    std::int32_t width = 0;      // surface size, whole pixels
    std::int32_t height = 0;
    int user_cat_slot = 0;       // UserCatSlot while a user catalogue is drawn

    void Add(std::int32_t x, std::int32_t y, ObjectKey key) const {
        state.ScreenObjects.push_back(ScreenObject{x, y, key});
    }
};

using LayerDrawer = void (*)(platform::Surface& surface, DrawContext& context);

// Colour of a table entry as the surface takes it.
inline platform::Colour ColourOf(std::int32_t c) { return static_cast<platform::Colour>(c) & 0xFFFFFFu; }

}  // namespace chart
