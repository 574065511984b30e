#pragma once
// The layer printers of the printed chart. Each takes the matrix from its
// data's frame into the chart frame and DrawBelowHorizon as the driver passes
// them, and draws on the page in page units through the pipeline every layer
// shares: a vector of length 1000 is turned into the chart frame, refracted
// where the printer refracts and the print does (PrintRefractionOn and the
// `Refraction` switch), dropped below the horizon unless drawing below,
// projected, and tested against the page. Printer state that a printer
// leaves set is seen by the layers after it.
#include <array>
#include <span>
#include <vector>

#include "astro/Matrix.h"
#include "astro/OrbitElements.h"
#include "chart/PathLists.h"
#include "chart/PrintLayers.h"
#include "platform/Surface.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"
#include "skydata/CustomCatalog.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"

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
// The ecliptic and the galactic equator take the foreground colour of line
// colours 3 and 4 but are drawn in colours of their own, as are their
// samples in the legend.
inline constexpr platform::Colour kPrintedEclipticColour = platform::Rgb(255, 0, 0);
inline constexpr platform::Colour kPrintedGalacticColour = platform::Rgb(0, 0, 255);
void PrintEcliptic(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below);
void PrintGalEquator(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below);

// Solar-system bodies; their positions are of date and the driver passes
// DateToChart.
// The Earth's umbra and penumbra at the antisolar point, hatched, with the
// label "지구 그림자"; the fill style is transparent afterwards in any case.
void PrintMoonShadow(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below);
// The Sun, the Moon, the planets and Pluto as filled discs with their names.
void PrintPlanets(platform::Surface& page, const PrintContext& c, const astro::Matrix3& m, bool below);
// Comets or asteroids recomputed for the chart time, then printed by
// PrintBodyPositions; nothing (and no state change) without elements.
void PrintMinorBodies(platform::Surface& page, const PrintContext& c, bool isComet, const astro::Matrix3& m,
                      bool below);
// Comets (ring, coma ring and tail) or asteroids (diamond) of a position
// list, with their names; positions that are not valid are skipped.
void PrintBodyPositions(platform::Surface& page, const PrintContext& c,
                        const std::vector<astro::BodyPosition>& positions, bool isComet, const astro::Matrix3& m,
                        bool below);

// Deep-sky objects.
using PageEllipse = std::array<PagePoint, 25>;
void PrintDeepSky(platform::Surface& page, const PrintContext& c,
                  const std::vector<skydata::DeepSkyObjectRecord>& objects, const astro::Matrix3& m, bool below,
                  double fov_deg);
// Direction of north on the page at (ra, dec): degrees counter-clockwise
// from +X with Y taken upwards, -180..180.
double PageNorthAngle(const PrintPageState& page, double ra_deg, double dec_deg, double fov_deg,
                      const astro::Matrix3& m);
// 25 page points of an ellipse of semi-axis `radius` (mm) along the page
// direction (sin angle, cos angle), axis ratio size2 / size1.
void BuildEllipsePoints(float radius, float size1, float size2, float x, float y, double angle_deg,
                        PageEllipse& points);
// Consecutive points joined in the fore colour where a segment touches the page.
void PrintPagePolyline(platform::Surface& page, const PrintContext& c, std::span<const PagePoint> points);

// User catalogues, map points and the lines the user drew.
void PrintCustomCatalog(platform::Surface& page, const PrintContext& c, const skydata::CustomCatalog& catalogue,
                        const astro::Matrix3& horizonM, const astro::Matrix3& catalogM, double fov_deg, bool below);
void PrintCatShapes(platform::Surface& page, const PrintContext& c, const std::vector<skydata::CustomCatShape>& shapes,
                    const astro::Matrix3& m, bool below);
void PrintCatStars(platform::Surface& page, const PrintContext& c, double epoch_jd,
                   const std::vector<skydata::CustomCatStar>& stars, const astro::Matrix3& m, bool below);
void PrintCatNonstellar(platform::Surface& page, const PrintContext& c,
                        const std::vector<skydata::CustomCatNst>& objects, const astro::Matrix3& m, bool below);
void PrintCatLines(platform::Surface& page, const PrintContext& c, const std::vector<skydata::CustomCatLine>& lines,
                   const astro::Matrix3& m, bool below);
void PrintCatLongLines(platform::Surface& page, const PrintContext& c,
                       const std::vector<skydata::CustomCatLine>& lines, const astro::Matrix3& m, bool below);
void PrintCatTexts(platform::Surface& page, const PrintContext& c, const std::vector<skydata::CustomCatText>& texts,
                   const astro::Matrix3& m, bool below);
// The map points in use (Flag "y") as shapes.
void PrintMarkers(platform::Surface& page, const PrintContext& c, const std::vector<skydata::MapPoint>& points,
                  const astro::Matrix3& m, bool below);
// The user's lines as catalogue lines; the empty placeholder of an empty
// list is not printed.
void PrintUserLines(platform::Surface& page, const PrintContext& c, const std::vector<skydata::DrawnLine>& lines,
                    const astro::Matrix3& m, bool below);

// Tracks: the line through PrintPolyline, the marks through PrintPathPoints;
// recomputed first through the track module's hooks with SyncWithChart.
void PrintPaths(platform::Surface& page, const PrintContext& c, const skydata::PathSettings& settings,
                const PathListState& lists, bool below);
// Every mark: a 4 mm plus sign, its label and, for a comet, its tail.
void PrintPathPoints(platform::Surface& page, const PrintContext& c, const std::vector<PathMark>& marks,
                     platform::Colour colour, const astro::Matrix3& m, bool below);

}  // namespace chart
