#pragma once
// What a screen drawing leaves behind for the next one and for the main
// window: the projection, the frame matrices, the border points, the grid
// spacing, the sky colour, the effective limiting magnitude, the visible star
// zones and the list of drawn objects. One struct; ResetChart() restores the
// start of a run.
//
// Frames (direction vectors of length 1000):
//   HorizonToChart  horizon (azimuth from north through east, altitude) -> chart
//   EquatorToChart  equator of date, no precession -> chart
//   CatalogToChart  J2000 catalogue equator -> chart
//   DateToChart     equator of the chart date (Sun, Moon, planets, comets, ...) -> chart
//   ChartToView     chart -> view (in the Projector)
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "astro/Matrix.h"
#include "chart/ObjectKey.h"
#include "chart/Projector.h"
#include "chart/RenderUtils.h"
#include "platform/Colour.h"
#include "skydata/Catalogs.h"

namespace chart {

struct FrameMatrices {
    astro::Matrix3 HorizonToChart{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    astro::Matrix3 EquatorToChart{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    astro::Matrix3 CatalogToChart{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    astro::Matrix3 DateToChart{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
};

struct ChartState {
    // Projection of the last drawing (MapScale, PixCenterX, PixCenterY,
    // ChartToView, IsHorizonFrame, view system and rotation).
    Projector Projection;
    double LastDrawFOV = 0;  // degrees
    FrameMatrices Frames;
    // Sky positions (chart frame) of the border pixels (0,0), (cx,0), (2cx,0),
    // (0,cy), (2cx,cy), (0,2cy), (cx,2cy), (2cx,2cy).
    std::array<SkyPoint, 8> BorderPoints{};
    double GridSpacing = 0;  // degrees
    platform::Colour SkyBackColor = 0;
    // Effective limiting magnitude of the last drawing. The setting `vmlimit`
    // itself is never changed by a drawing.
    double ChartLimitMag = 0;
    // Catalogue zones that the last drawing's view touches.
    std::array<bool, skydata::kStarZoneCount> ZoneVisible{};
    // The drawn objects: 1001 empty entries when the last drawing drew none,
    // else exactly the drawn ones in drawing order.
    std::vector<ScreenObject> ScreenObjects = std::vector<ScreenObject>(kScreenObjectInitialEntries);
    // Text of the last drawing for status panel 4 ("6.5등급(0.0)").
    std::string LimitStatusText;
};

ChartState& Chart();
void ResetChart();

// Appends one drawn object to the list of the drawing in progress.
inline void AddScreenObject(std::int32_t x, std::int32_t y, ObjectKey key) {
    Chart().ScreenObjects.push_back(ScreenObject{x, y, key});
}

// The number of drawn objects of the last drawing (0 for the 1001 empty
// entries).
std::size_t ScreenObjectCount();

// The sky position under a pixel of the last drawing (see
// Projector::ScreenToSky).
void ScreenToSky(double x, double y, double centerLon_deg, double centerLat_deg, double& lon_deg, double& lat_deg,
                 bool applyRefraction);

}  // namespace chart
