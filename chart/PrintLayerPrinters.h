#pragma once
// The layer printers of the printed chart. Each takes the matrix from its
// data's frame into the chart frame and DrawBelowHorizon as the driver passes
// them, and draws on the page in page units through the pipeline every layer
// shares: a vector of length 1000 is turned into the chart frame, refracted
// where the printer refracts and the print does (PrintRefractionOn and the
// `Refraction` switch), dropped below the horizon unless drawing below,
// projected, and tested against the page. Printer state that a printer
// leaves set is seen by the layers after it.
#include <vector>

#include "astro/Matrix.h"
#include "chart/PrintLayers.h"
#include "platform/Surface.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"

namespace chart {

// True when the print refracts: PrintRefractionOn 1 and `Refraction` on.
bool PrintRefracts(const PrintContext& c);
// v = m v, refracted when the print refracts.
void ToPrintChart(const PrintContext& c, double& x, double& y, double& z, const astro::Matrix3& m);

// Stars: dots of radius (PrintLimitMag + 1 - mag) / 5 in a first pass,
// labels beside them in a second.
void PrintBrightStars(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below);
void PrintExtraStars(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below);

// Grids, horizon and the traditional circles.
void PrintHorGrid(platform::Surface& page, const PrintContext& c, double fov_deg, const astro::Matrix3& m, bool below);
void PrintEquGrid(platform::Surface& page, const PrintContext& c, double fov_deg, const astro::Matrix3& m, bool below);
void PrintGridLines(platform::Surface& page, const PrintContext& c, double step, const GridRange& range,
                    const astro::Matrix3& m, bool below, bool isHorizontal);
void PrintCompass(platform::Surface& page, PrintContext& c, double fov_deg, const astro::Matrix3& m);
void PrintCPolar(platform::Surface& page, const PrintContext& c, double lat_deg, const astro::Matrix3& m, bool below);
void PrintMansionMeridians(platform::Surface& page, const PrintContext& c, double lat_deg, const astro::Matrix3& m,
                           bool below);

// Constellation figures, names and great circles.
void PrintPolyline(platform::Surface& page, const PrintContext& c,
                   const std::vector<skydata::MilkyWayPointRecord>& points,
                   const std::vector<platform::Colour>& colours, const astro::Matrix3& m, bool below);
void PrintConstLines(platform::Surface& page, const PrintContext& c, const std::vector<skydata::ConstLineRecord>& lines,
                     platform::Colour colour, const astro::Matrix3& m, bool below, bool bold);
void PrintNameLabels(platform::Surface& page, const PrintContext& c,
                     const std::vector<skydata::ConstLabelRecord>& labels, platform::Colour colour,
                     const astro::Matrix3& m, bool below);
void PrintStarNames(platform::Surface& page, const PrintContext& c, const std::vector<skydata::StarNameEntry>& names,
                    platform::Colour colour, const astro::Matrix3& m, bool below, int language);
void PrintBoundaries(platform::Surface& page, const PrintContext& c,
                     const std::vector<skydata::BoundaryPointRecord>& points, platform::Colour colour,
                     const astro::Matrix3& m, bool below);
void PrintSkySegment(platform::Surface& page, const PrintContext& c, double lon1_deg, double lat1_deg,
                     double lon2_deg, double lat2_deg, platform::Colour colour, const astro::Matrix3& m, bool below);
void PrintEcliptic(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below);
void PrintGalEquator(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below);

}  // namespace chart
