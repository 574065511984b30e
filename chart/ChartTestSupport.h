#pragma once
// Test fixtures of the chart: settings with every layer switched off, empty
// tables, a fixed planet table (Sun and Moon far below the horizon) and a
// recording of the status bar, so a test switches on only what it checks.
#include <array>
#include <string>
#include <vector>

#include "astro/AngleMath.h"
#include "astro/Atmosphere.h"
#include "astro/Planets.h"
#include "chart/ChartState.h"
#include "chart/DrawContext.h"
#include "chart/DrawMap.h"
#include "platform/RecordingSurface.h"

namespace chart::testing {

inline skydata::SettingsSnapshot BareSettings() {
    skydata::SettingsSnapshot s;
    s.drawhorizon = s.viewalt = s.viewequ = s.viewecl = s.viewgalequ = s.milkyway = s.showground = false;
    s.viewstar = s.viewstarname1 = s.viewstarname2 = s.drawnonstellar = s.viewconstline = false;
    s.viewconstlinee = s.viewoldmap = s.viewcboundary = s.viewconstname = s.viewconstnamee = false;
    s.viewoldmapname = s.cpolar = s.ipsoodo = s.viewplanet = s.drawcomet = s.drawasteroid = false;
    s.viewshadow = s.CenterCross = s.viewcmark = s.viewccircle = s.ViewPath = false;
    s.drawcuscat0 = s.drawcuscat1 = false;
    s.calcprecession = false;
    s.Refraction = false;
    s.AirEx = false;
    return s;
}

// A direction vector of length 1000.
struct Vec {
    double x, y, z;
};
inline Vec VectorOf(double lon_deg, double lat_deg) {
    Vec v{};
    astro::SphericalToCartesian(lon_deg, lat_deg, v.x, v.y, v.z);
    return v;
}

struct ChartFixture {
    skydata::SettingsSnapshot settings = BareSettings();
    skydata::StyleTables styles = skydata::DefaultStyleTables();
    skydata::CatalogState catalogs;
    skydata::ConstellationState constellations;
    std::array<double, skydata::kMansionCount> mansions{};
    std::vector<skydata::DrawnLine> lines = std::vector<skydata::DrawnLine>(1);
    std::vector<std::pair<int, std::string>> status;
    ChartView view;

    ChartFixture() {
        ResetChart();
        view.coord_sys = std::string(1, 'e');
        view.lat_deg = 37.5;
        view.lst_h = 0;
        view.center_lon_deg = 100;
        view.center_lat_deg = 30;
        view.fov_deg = 60;
        view.jd_local = 2451545.0;
        for (int i = 0; i < skydata::kMansionCount; ++i) mansions[i] = skydata::MansionStarJ2000[i].RA_deg;
    }

    ChartSources Sources() {
        ChartSources s;
        s.settings = &settings;
        s.styles = &styles;
        s.catalogs = &catalogs;
        s.constellations = &constellations;
        s.mansion_ra = &mansions;
        s.drawn_lines = &lines;
        s.map_points_shown = false;
        s.drawn_lines_shown = false;
        // The Sun and the Moon far below the horizon of every site.
        s.calc_planets = [](double) {
            auto& table = astro::Planets().PlanetTable;
            table[astro::kPlanetSun].RA = 0;
            table[astro::kPlanetSun].Dec = -89;
            table[astro::kPlanetMoon].RA = 0;
            table[astro::kPlanetMoon].Dec = -89;
            table[astro::kPlanetMoon].Mag = -12;
        };
        s.set_status_panel = [this](int panel, const std::string& text) { status.emplace_back(panel, text); };
        return s;
    }

    void Draw(platform::Surface& surface) { DrawMap(surface, view, Sources()); }

    // Puts a bright star of the bright-star table at (ra, dec) J2000.
    void AddBrightStar(int zone, double ra_deg, double dec_deg, float mag, const std::string& korConst = "X") {
        skydata::BscStarRecord star;
        star.RA_deg = ra_deg;
        star.Dec_deg = dec_deg;
        star.Mag = mag;
        star.KorConst = korConst;
        const Vec v = VectorOf(ra_deg, dec_deg);
        star.x = v.x;
        star.y = v.y;
        star.z = v.z;
        catalogs.BscStar[zone].push_back(star);
        catalogs.BscZoneLastIndex[zone] = static_cast<std::int32_t>(catalogs.BscStar[zone].size()) - 1;
    }
    void AddExtraStar(int zone, double ra_deg, double dec_deg, float mag) {
        skydata::S2kStarRecord star;
        star.RA_deg = ra_deg;
        star.Dec_deg = dec_deg;
        star.Mag = mag;
        const Vec v = VectorOf(ra_deg, dec_deg);
        star.x = v.x;
        star.y = v.y;
        star.z = v.z;
        catalogs.S2kStar[zone].push_back(star);
        catalogs.S2kZoneLastIndex[zone] = static_cast<std::int32_t>(catalogs.S2kStar[zone].size()) - 1;
    }
};

// Calls of a recording whose text starts with prefix.
inline std::vector<std::string> CallsStartingWith(const platform::RecordingSurface& surface,
                                                  const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& call : surface.Calls())
        if (call.rfind(prefix, 0) == 0) out.push_back(call);
    return out;
}

}  // namespace chart::testing
