#pragma once
// The printed chart page: set-up of the page state from the print view, the
// limiting magnitude of the print, the layers in their fixed order under
// their switches, the white margins, the frame, the title and the legend.
//
// The printed chart has its own layer order, written once in a table: one row
// per layer (its switch, the font set before it, its printer) and rows that
// only change the printer state between layers. A state change runs whatever
// the switches say; a layer's font is set when its switch is on, before its
// printer runs. Printing never changes the screen chart
// (Chart()) nor any setting.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "chart/ChartState.h"
#include "chart/DrawContext.h"
#include "chart/LayerTable.h"
#include "chart/PrintPage.h"
#include "platform/Surface.h"

namespace chart {

// What one printed page shows, as the print job passes it.
struct PrintView {
    std::string title;               // PrintTitle
    double lat_deg = 35.82;          // site latitude
    double lst_h = 0;                // local sidereal time, hours
    double center_lon_deg = 0;       // azimuth or right ascension
    double center_lat_deg = 0;       // altitude or declination
    double fov_deg = 60;
    int star_name_lang = 0;          // `starnamelang`
    std::string coord_sys = "a";     // ViewCoordSys of the print
    double rotation_deg = 0;         // MapRotation
    double jd_local = astro::kJ2000; // CurrentJD
    double screen_fov_deg = 60;      // ViewFOV of the main window (thins the grid meridians)
};

// What every layer printer receives.
struct PrintContext {
    const ChartSources& sources;
    const skydata::SettingsSnapshot& settings;
    const skydata::StyleTables& styles;
    const PrintView& view;
    PrintPageState& page;
    // HorizonToChart is PrintHorizonMatrix, EquatorToChart FrameOfDateMatrix,
    // CatalogToChart PrintFrameMatrix.
    FrameMatrices frames;
    bool below = false;  // DrawBelowHorizon
};

using PrintDrawer = void (*)(platform::Surface& page, PrintContext& context);

// A printer-state change made before a row. kKeep leaves an item alone.
inline constexpr std::int8_t kKeep = -1;
inline constexpr std::int8_t kForeBlack = -2;
struct PrintStateChange {
    std::int8_t fore = kKeep;        // kForeBlack or an index of LineColorTable
    std::int8_t draw_style = kKeep;  // a platform::LineStyle
    std::int8_t draw_width = kKeep;
    std::int8_t fill_style = kKeep;  // a platform::Fill
    bool plain_font = false;         // bold off, italic off, size 8
    bool tahoma = false;             // font name "Tahoma"
};

struct PrintLayerEntry {
    const char* name;  // for tests and error texts
    PrintStateChange before;
    bool (*gate)(const PrintContext& context);  // nullptr: a state change only
    LayerFont font;
    std::int8_t font_index;
    PrintDrawer draw;  // nullptr for a state change only
};

std::span<const PrintLayerEntry> PrintLayers();

// Limiting magnitude of a print from the automatic limit (used with
// `StarAutoMag`: at most `vmlimit`, at least 3), plus `MagControl`, at most 11.
float PrintLimitMagOf(const skydata::SettingsSnapshot& settings, float autoLimit);

// White paper's contrast for text and lines, at least 3:1 (WCAG).
inline constexpr double kPaperContrast = 3.0;
// Relative luminance of a colour (WCAG: sRGB made linear, weighted), 0 for
// black to 1 for white, and its contrast with white, 1 to 21.
double RelativeLuminance(platform::Colour c);
double ContrastWithWhite(platform::Colour c);
// The colour a text or line of the printed chart takes on white paper: as it
// is when its contrast with white reaches kPaperContrast, else darkened to the
// lightest shade that reaches it, its three components scaled alike so that
// the hue stays (light grey becomes mid grey, yellow olive). The page
// sets it as the ink rule of the surface, so every layer prints through it.
platform::Colour PaperInk(platform::Colour c);

// Draws one page. The surface is the page in units of 211 x 297. Every layer
// and every part of the frame and legend runs in its own guard: one that
// throws stops where it failed and the rest is still printed. Text and lines
// go through PaperInk while the page is drawn. Returns the error text of the
// first part that failed, or nothing.
std::optional<std::string> PrintChartPage(platform::Surface& page, const PrintView& view, const ChartSources& sources);

// The view of the screen chart (settings snapshot and sidereal time) as a
// printed page; the all-sky page centres the horizontal chart on the zenith
// with a field of 190 degrees.
PrintView ScreenPrintView(const skydata::SettingsSnapshot& settings, double lst_h, const std::string& title);
PrintView AllSkyPrintView(const skydata::SettingsSnapshot& settings, double lst_h, const std::string& title);

// Legend texts of a page.
std::string FieldText(double fov_deg);  // "60.0도 x 81.9도"

}  // namespace chart
