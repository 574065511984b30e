#pragma once
// The screen chart: one complete drawing of the sky into the picture surface,
// layer by layer in the fixed order of the layer table, leaving behind the
// projection and the list of drawn objects for the pick and ScreenToSky.
#include <string>

#include "chart/DrawContext.h"
#include "platform/Surface.h"
#include "skydata/Settings.h"

namespace chart {

// Draws the chart of `view` with the tables and switches of `sources`. The
// surface is drawn in pixels and left in the scale mode it had, also when a
// layer throws (the error goes on to the caller). A surface under 1 x 1
// pixel is not drawn and the state of the last drawing stays. No setting is
// changed: the drawing-time limiting magnitude and extinction switch live in
// the drawing's context and in Chart().ChartLimitMag.
void DrawMap(platform::Surface& surface, const ChartView& view, const ChartSources& sources);

// The redraw entry's call: site latitude (degrees), local sidereal time
// (hours), view centre and field (degrees); the rotation, view system and
// chart time come from the current settings snapshot, the tables from the
// program's modules.
void DrawMap(platform::Surface& surface, double latitude_deg, double siderealHours, double centreLon_deg,
             double centreLat_deg, double fov_deg);

// The frame matrices of a chart in the view system `coord_sys` ("a"
// horizontal, "e" equatorial, any other identity frames) for a site latitude,
// a sidereal angle (degrees) and a chart time: the catalogue is precessed to
// the chart time when `precession` is on, else the bodies of the chart date
// are carried back to J2000.
FrameMatrices MakeFrameMatrices(const std::string& coord_sys, double lat_deg, double sidereal_deg, double jd_local,
                                bool precession);

// Field of view as drawn: 1..190 degrees; a non-finite value gives 60.
double ClampFov(double fov_deg);

// Effective limiting magnitude of a drawing: with `StarAutoMag` the automatic
// limit (at least 3.5 while `liveskycolor` is off, at most `vmlimit`), else
// `vmlimit`; then plus `MagControl`, at most 11.
double EffectiveLimitMag(const skydata::SettingsSnapshot& settings, float autoLimit);

// Status panel 4 text: "6.5등급(0.0)".
std::string LimitStatusText(double limitMag, float magControl);

}  // namespace chart
