#pragma once
// Test fixtures of the printed chart: the chart fixture's bare settings and
// tables, a print view, a recording page with millimetre-like metrics (2
// units a character, 4 a line) and readers of the recorded calls.
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/ChartTestSupport.h"
#include "chart/PrintLayerPrinters.h"
#include "chart/PrintLayers.h"
#include "platform/RecordingSurface.h"

namespace chart::testing {

inline constexpr double kPageCharWidth = 2;
inline constexpr double kPageLineHeight = 4;

struct PrintFixture : ChartFixture {
    PrintView print;
    platform::RecordingSurface page{211, 297, kPageCharWidth, kPageLineHeight};

    PrintFixture() {
        ResetPrintPage();
        print.title = "zu";
        print.coord_sys = std::string(1, 'e');
        print.lat_deg = 37.5;
        print.lst_h = 0;
        print.center_lon_deg = 100;
        print.center_lat_deg = 30;
        print.fov_deg = 60;
        print.screen_fov_deg = 60;
        print.jd_local = 2451545.0;
        settings.StarAutoMag = false;
        settings.vmlimit = 6.5;
    }

    void AllSky() {
        print.coord_sys = std::string(1, 'a');
        print.center_lon_deg = 180;
        print.center_lat_deg = 90;
        print.fov_deg = 190;
    }

    std::optional<std::string> Print() {
        page.ClearCalls();
        sources_ = Sources();
        return PrintChartPage(page, print, sources_);
    }

    // A context on the page state of the last Print(), for calling one
    // printer by itself.
    PrintContext Context() {
        return PrintContext{sources_, settings, styles, print, PrintPage(),
                            MakeFrameMatrices(print.coord_sys, print.lat_deg, print.lst_h * 15, print.jd_local,
                                              settings.calcprecession),
                            !IsHorizontalView(print.coord_sys) || settings.underhorizon == 1};
    }

    ChartSources sources_;
};

// The numbers of a recorded call: "Circle(30.4,267),1.5" gives 30.4, 267, 1.5.
inline std::vector<double> NumbersOf(const std::string& call) {
    std::vector<double> out;
    const char* p = call.c_str();
    while (*p) {
        if ((*p >= '0' && *p <= '9') || ((*p == '-' || *p == '.') && p[1] >= '0' && p[1] <= '9')) {
            char* end = nullptr;
            out.push_back(std::strtod(p, &end));
            p = end;
        } else {
            ++p;
        }
    }
    return out;
}

// Index of the first call equal to `call` at or after `from`; -1 when none.
inline long IndexOf(const platform::RecordingSurface& s, const std::string& call, long from = 0) {
    const auto& calls = s.Calls();
    for (long i = from; i < static_cast<long>(calls.size()); ++i)
        if (calls[static_cast<std::size_t>(i)] == call) return i;
    return -1;
}

// Where the text was printed: the last CurrentX and CurrentY set before the
// first Print of exactly that text; nothing when it was not printed.
struct PrintedAt {
    bool found = false;
    double x = 0, y = 0;
};
inline PrintedAt WherePrinted(const platform::RecordingSurface& s, const std::string& text) {
    PrintedAt at;
    double x = 0, y = 0;
    for (const std::string& call : s.Calls()) {
        if (call.rfind("CurrentX=", 0) == 0) x = std::strtod(call.c_str() + 9, nullptr);
        if (call.rfind("CurrentY=", 0) == 0) y = std::strtod(call.c_str() + 9, nullptr);
        if (call == "Print \"" + text + "\"") return {true, x, y};
    }
    return at;
}

}  // namespace chart::testing
