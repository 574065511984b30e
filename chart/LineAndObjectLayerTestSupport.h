#pragma once
// Test helpers of the line, grid, body, deep-sky and user-object layers: a
// fixture that also carries user catalogues and map points, a drawing
// context for calling a drawer directly after a drawing has set up the
// projection, and readers of the recording surface's log.
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "astro/Planets.h"
#include "chart/ChartTestSupport.h"
#include "chart/DrawMap.h"
#include "chart/LineAndObjectLayers.h"
#include "platform/RecordingSurface.h"

namespace chart::testing {

struct Fixture2 : ChartFixture {
    std::array<skydata::CustomCatalog, 2> userCatalogs;
    std::vector<skydata::MapPoint> mapPoints = std::vector<skydata::MapPoint>(1);
    skydata::PathSettings pathSettings;
    bool showMapPoints = false;
    // The planet table each drawing gets; by default every body far south.
    astro::PlanetTableT planets{};

    Fixture2() {
        astro::InitPlanetTable(planets);
        for (auto& body : planets) {
            body.RA = body.TopoRA = 0;
            body.Dec = body.TopoDec = -89;
            body.Mag = 30;
        }
        planets[astro::kPlanetMoon].Mag = -12;
    }

    ChartSources Sources2() {
        ChartSources s = Sources();
        s.user_catalogs = &userCatalogs;
        s.map_points = &mapPoints;
        s.map_points_shown = showMapPoints;
        s.path_settings = &pathSettings;
        s.calc_planets = [this](double) {
            astro::Planets().PlanetTable = planets;
            astro::Planets().Obliquity = 23.4392911;
        };
        return s;
    }

    void Draw2(platform::Surface& surface) {
        sources_ = Sources2();
        DrawMap(surface, view, sources_);
    }

    // A context as the last drawing had it, for calling a drawer directly;
    // the list of drawn objects starts empty.
    DrawContext Context() {
        sources_ = Sources2();
        ChartState& state = Chart();
        state.ScreenObjects.clear();
        DrawContext c{sources_, settings, styles, view, state, state.Projection, state.Frames};
        c.below = !IsHorizontalView(view.coord_sys) || settings.underhorizon == 1;
        c.limit_mag = state.ChartLimitMag;
        c.air_ex = settings.AirEx && !IsEquatorialView(view.coord_sys);
        c.width = state.Projection.width;
        c.height = state.Projection.height;
        return c;
    }

    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const ScreenObject& o : Chart().ScreenObjects)
            if (!o.Key.IsEmpty()) keys.push_back(o.KeyText());
        return keys;
    }

private:
    ChartSources sources_;
};

// The calls of a recording without those of the magnitude legend, which
// every drawing paints (layer 30): from its font change to its last number.
inline std::vector<std::string> ChartCalls(const platform::RecordingSurface& surface) {
    const std::vector<std::string>& calls = surface.Calls();
    const int H = Chart().Projection.height;
    const std::string box = "Line(0," + std::to_string(H - 35) + ")-(";
    const std::string numberRow = "CurrentY=" + std::to_string(H - 14);
    std::size_t b = 0;
    while (b < calls.size() && !(calls[b].rfind(box, 0) == 0 && calls[b].size() > 2 &&
                                 calls[b].compare(calls[b].size() - 2, 2, ",B") == 0)) {
        ++b;
    }
    if (b == calls.size() || b < 6) return calls;
    std::size_t end = b + 1;
    for (std::size_t i = b + 1; i + 1 < calls.size(); ++i) {
        if (calls[i] == numberRow && calls[i + 1].rfind("Print ", 0) == 0) end = i + 2;
    }
    std::vector<std::string> out(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(b - 6));
    out.insert(out.end(), calls.begin() + static_cast<std::ptrdiff_t>(end), calls.end());
    return out;
}

inline std::vector<std::string> ChartCallsStartingWith(const platform::RecordingSurface& surface,
                                                       const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& call : ChartCalls(surface))
        if (call.rfind(prefix, 0) == 0) out.push_back(call);
    return out;
}

// A logged line "Line(x1,y1)-(x2,y2)[,RGB(r,g,b)][,B|,BF]".
struct LoggedLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string colour;  // "" when the fore colour was used
    std::string box;     // "", "B" or "BF"
};

inline std::optional<LoggedLine> ParseLine(const std::string& call) {
    LoggedLine l;
    int n = 0;
    if (std::sscanf(call.c_str(), "Line(%lf,%lf)-(%lf,%lf)%n", &l.x1, &l.y1, &l.x2, &l.y2, &n) != 4) {
        return std::nullopt;
    }
    std::string rest = call.substr(static_cast<std::size_t>(n));
    if (rest.rfind(",RGB(", 0) == 0) {
        const std::size_t close = rest.find(')');
        l.colour = rest.substr(1, close);
        rest = rest.substr(close + 1);
    }
    if (rest.rfind(",", 0) == 0) l.box = rest.substr(1);
    return l;
}

inline std::vector<LoggedLine> Lines(const platform::RecordingSurface& surface) {
    std::vector<LoggedLine> out;
    for (const std::string& call : ChartCalls(surface))
        if (auto l = ParseLine(call)) out.push_back(*l);
    return out;
}

// A logged circle "Circle(x,y),r[,RGB(...)][,aspect]".
struct LoggedCircle {
    double x = 0, y = 0, r = 0;
    std::string rest;
};

inline std::vector<LoggedCircle> Circles(const platform::RecordingSurface& surface) {
    std::vector<LoggedCircle> out;
    for (const std::string& call : ChartCalls(surface)) {
        LoggedCircle c;
        int n = 0;
        if (std::sscanf(call.c_str(), "Circle(%lf,%lf),%lf%n", &c.x, &c.y, &c.r, &n) == 3) {
            c.rest = call.substr(static_cast<std::size_t>(n));
            out.push_back(c);
        }
    }
    return out;
}

// The points of a logged "Polygon(x,y)(x,y)...".
inline std::vector<platform::PointF> PolygonPoints(const std::string& call) {
    std::vector<platform::PointF> points;
    std::size_t i = call.find('(');
    while (i != std::string::npos) {
        platform::PointF p;
        if (std::sscanf(call.c_str() + i, "(%lf,%lf)", &p.x, &p.y) != 2) break;
        points.push_back(p);
        i = call.find('(', i + 1);
    }
    return points;
}

// Texts printed, in order.
inline std::vector<std::string> Printed(const platform::RecordingSurface& surface) {
    std::vector<std::string> out;
    for (const std::string& call : ChartCalls(surface)) {
        if (call.rfind("Print \"", 0) == 0) out.push_back(call.substr(7, call.size() - 8));
    }
    return out;
}

// (CurrentX, CurrentY) set just before each Print, with its text.
struct PrintedAt {
    double x = 0, y = 0;
    std::string text;
};
inline std::vector<PrintedAt> PrintPositions(const platform::RecordingSurface& surface) {
    std::vector<PrintedAt> out;
    double x = 0, y = 0;
    for (const std::string& call : ChartCalls(surface)) {
        if (call.rfind("CurrentX=", 0) == 0) x = std::stod(call.substr(9));
        if (call.rfind("CurrentY=", 0) == 0) y = std::stod(call.substr(9));
        if (call.rfind("Print \"", 0) == 0) out.push_back({x, y, call.substr(7, call.size() - 8)});
    }
    return out;
}

inline std::string Rgb(int r, int g, int b) { return platform::RgbText(platform::Rgb(r, g, b)); }

// A J2000 direction of length 1000 as a point of an outline.
inline skydata::MilkyWayPointRecord OutlinePoint(double ra_deg, double dec_deg, std::uint8_t flag) {
    skydata::MilkyWayPointRecord p;
    const Vec v = VectorOf(ra_deg, dec_deg);
    p.x = v.x;
    p.y = v.y;
    p.z = v.z;
    p.Flag = flag;
    return p;
}

// The sky position (frame of the chart) under a pixel of the last drawing.
inline SkyPoint SkyAt(double x, double y) {
    SkyPoint s;
    const Projector& p = Chart().Projection;
    p.ScreenToSky(x, y, p.center_lon_deg, p.center_lat_deg, s.lon_deg, s.lat_deg, false);
    return s;
}

}  // namespace chart::testing
