#pragma once
// Line, grid, ground, body, deep-sky and user-object layers of the screen
// chart. Each Layer* function has the uniform signature of the layer table
// (LayerTable.cpp) and calls the drawers below with the frame matrix, colours
// and switches of its row; the drawers are public so that tests and the
// printed chart can call them with their own inputs.
//
// Every drawer places a direction the same way (Projector): frame matrix,
// refraction in the horizontal chart, horizon test, view matrix,
// stereographic scale, pixel rounded half to even. Drawers read the
// effective limiting magnitude and the extinction switch of the drawing from
// the context and never write a setting.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "astro/Matrix.h"
#include "astro/OrbitElements.h"
#include "chart/DrawContext.h"
#include "chart/PathLists.h"
#include "platform/Surface.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"
#include "skydata/CustomCatalog.h"
#include "skydata/MapPoint.h"
#include "skydata/MilkyWay.h"
#include "skydata/PathBodies.h"

namespace chart {

// ---- Layer functions of the table -----------------------------------------

void LayerGround(platform::Surface& surface, DrawContext& context);            // ground and glow
void LayerAltAzGrid(platform::Surface& surface, DrawContext& context);         // grid, zenith and nadir marks
void LayerHorizon(platform::Surface& surface, DrawContext& context);           // horizon and compass labels
void LayerEquatorialGrid(platform::Surface& surface, DrawContext& context);     // grid, celestial pole marks
void LayerEcliptic(platform::Surface& surface, DrawContext& context);          // ecliptic, its poles
void LayerGalacticEquator(platform::Surface& surface, DrawContext& context);   // galactic equator, its poles
void LayerMilkyWay(platform::Surface& surface, DrawContext& context);          // Milky Way outline
void LayerBoundaries(platform::Surface& surface, DrawContext& context);        // constellation boundaries
void LayerUserCatalogue(platform::Surface& surface, DrawContext& context);     // catalogue of user_cat_slot
void LayerWesternLines(platform::Surface& surface, DrawContext& context);      // Western figures
void LayerKoreanLines(platform::Surface& surface, DrawContext& context);       // traditional Korean figures
void LayerOldMapLines(platform::Surface& surface, DrawContext& context);       // old-map figures
void LayerEarthShadow(platform::Surface& surface, DrawContext& context);       // Earth's shadow
void LayerDeepSky(platform::Surface& surface, DrawContext& context);           // deep-sky objects
void LayerComets(platform::Surface& surface, DrawContext& context);            // comets (recomputed)
void LayerAsteroids(platform::Surface& surface, DrawContext& context);         // asteroids (recomputed)
void LayerTracks(platform::Surface& surface, DrawContext& context);            // tracks of bodies
void LayerPlanets(platform::Surface& surface, DrawContext& context);           // Sun, Moon, planets
void LayerMapPoints(platform::Surface& surface, DrawContext& context);         // user map points
void LayerCentreMarks(platform::Surface& surface, DrawContext& context);       // centre picture, circles, cross

// ---- Milky Way, boundaries, figures -----------------------------------------

// An outline of points: a point with its pen flag set, or the first one after
// a gap, starts a new line; a point behind the horizon (unless
// drawBelowHorizon) makes a gap. A segment is drawn in colours[ColorIndex]
// when one of its ends is strictly inside the surface.
void DrawPolylines(platform::Surface& surface, const DrawContext& context,
                   const std::vector<skydata::MilkyWayPointRecord>& points,
                   const std::vector<platform::Colour>& colours, const astro::Matrix3& frame,
                   bool drawBelowHorizon);

// Boundary outlines (B1875 positions, precessed to J2000 first): each visible
// point that does not start a polygon is joined to the point before it.
void DrawBoundaries(platform::Surface& surface, const DrawContext& context,
                    const std::vector<skydata::BoundaryPointRecord>& points, platform::Colour colour,
                    const astro::Matrix3& catalogToChart, bool drawBelowHorizon);

// Visible figure lines, merge pen, 2 pixels wide when bold. A line with an
// end behind the horizon is left out unless drawBelowHorizon.
void DrawConstellationLines(platform::Surface& surface, const DrawContext& context,
                            const std::vector<skydata::ConstLineRecord>& lines, platform::Colour colour,
                            const astro::Matrix3& catalogToChart, bool drawBelowHorizon, bool bold);

// ---- Grids and tracks -------------------------------------------------------

void DrawAltAzGrid(platform::Surface& surface, const DrawContext& context, double fov_deg,
                   const astro::Matrix3& horizonToChart, bool drawBelowHorizon);
void DrawEquatorialGrid(platform::Surface& surface, const DrawContext& context, double fov_deg,
                        const astro::Matrix3& equatorToChart, bool drawBelowHorizon);
// Meridians, parallels and edge labels of one frame between the given
// longitudes and latitudes (degrees). Near a pole in a narrow field the
// meridians are thinned (every 2nd, 4th or 8th).
void DrawGrid(platform::Surface& surface, const DrawContext& context, double spacing_deg, double lonMin_deg,
              double lonMax_deg, double latMin_deg, double latMax_deg, const astro::Matrix3& frame,
              platform::Colour colour, bool drawBelowHorizon, bool isHorizontal);

// Track lines and marks of the track lists; with SyncWithChart the tracks
// are recomputed first through the track module's hooks.
void DrawObjectPath(platform::Surface& surface, const DrawContext& context, const skydata::PathSettings& settings,
                    const PathListState& lists, const astro::Matrix3& horizonToChart,
                    const astro::Matrix3& equatorToChart, bool drawBelowHorizon);
// Every mark: a cross, the tail line of a comet mark, and its label.
void DrawPathMarks(platform::Surface& surface, const DrawContext& context, const std::vector<PathMark>& marks,
                   platform::Colour colour, const astro::Matrix3& frame, bool drawBelowHorizon);

// ---- Horizon, ground, centre marks -----------------------------------------

// Ground below the horizon and, with `AtmoEff`, the glow of the lowest 13
// degrees of sky.
void DrawGround(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& horizonToChart);
// Paints latitude bands from latFrom to latTo (degrees) in quadrilaterals of
// lonStep x latStep, each band coloured between colourLow (at spanBottom)
// and colourHigh (at spanTop) by its lower edge.
void FillSkyBand(platform::Surface& surface, const DrawContext& context, double lonStep_deg, double latStep_deg,
                 double lonFrom_deg, double lonTo_deg, double latFrom_deg, double latTo_deg,
                 const astro::Matrix3& frame, platform::Colour colourLow, platform::Colour colourHigh,
                 float spanTop_deg, float spanBottom_deg);
// The sky colour with empty channels raised to 15 and blue strengthened by
// half.
platform::Colour HorizonHazeColour(platform::Colour skyBackColour);
// One of the two points within the surface widened by a margin of 50 pixels.
constexpr bool SegmentNearScreen(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                 std::int32_t width, std::int32_t height) {
    const auto near = [width, height](std::int32_t x, std::int32_t y) {
        return x >= -49 && x < width + 50 && y >= -49 && y < height + 50;
    };
    return near(x1, y1) || near(x2, y2);
}
// Horizon line (unrefracted) and the eight compass labels.
void DrawHorizon(platform::Surface& surface, const DrawContext& context, double fov_deg,
                 const astro::Matrix3& horizonToChart);
// Centre picture, the two finder circles with their captions, centre cross.
void DrawCentreMarks(platform::Surface& surface, const DrawContext& context, bool showPicture, bool showCircles,
                     platform::Colour colour);

// ---- Solar-system bodies -------------------------------------------------------

// Colours of the planet table entries (0 Sun .. 8 Moon, 9 Pluto).
const std::array<platform::Colour, 10>& PlanetColorTable();
void DrawPlanets(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& dateToChart,
                 const astro::Matrix3& catalogToChart, bool drawBelowHorizon, double fov_deg);
// Screen direction of north at (ra, dec) of the frame `frame` maps: degrees
// counter-clockwise from +X with screen up positive, -180..180.
double ScreenNorthAngle(const Projector& proj, double ra_deg, double dec_deg, double fov_deg,
                        const astro::Matrix3& frame);
// The Moon's disc of radius R at (x, y) with its lit part, from the planet
// table's Sun and Moon.
void DrawMoonPhase(platform::Surface& surface, const DrawContext& context, float radius, std::int32_t x,
                   std::int32_t y, double northAngle_deg);
void DrawEarthShadow(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& dateToChart,
                     bool drawBelowHorizon);
// Comets (isComet, with their elements for the perihelion time) or
// asteroids at their positions of the chart time; invalid positions are
// skipped. Keys "C" or "A" and the list index.
void DrawSmallBodies(platform::Surface& surface, const DrawContext& context,
                     const std::vector<astro::BodyPosition>& positions, bool isComet,
                     const std::vector<astro::CometElements>& cometElements, const astro::Matrix3& dateToChart,
                     bool drawBelowHorizon);

// ---- Deep sky --------------------------------------------------------------------

void DrawDeepSky(platform::Surface& surface, const DrawContext& context,
                 const std::vector<skydata::DeepSkyObjectRecord>& table, const astro::Matrix3& catalogToChart,
                 bool drawBelowHorizon, double fov_deg);
using EllipsePolygon = std::array<platform::PointF, 25>;
// 25 points of an ellipse of semi-major axis `radius` (pixels) and axis
// ratio size2/size1 centred on (x, y), its major axis turned by angle_deg.
void BuildEllipsePolygon(float radius, float size1, float size2, std::int32_t x, std::int32_t y, float angle_deg,
                         EllipsePolygon& points);
// The same 25 points unrounded, about a centre that need not be whole: the
// screen rounds them to pixels, the printed page keeps them.
void BuildEllipseCore(float radius, float size1, float size2, double x, double y, float angle_deg,
                      EllipsePolygon& points);
// The symbol of a deep-sky type code ("GC", "GX", ...); None for any other.
enum class DeepSkySymbol { None, GlobularCluster, Galaxy, OpenCluster, DiffuseNebula, PlanetaryNebula,
                           ClusterNebula, DarkNebula, ClusterGroup, Asterism };
DeepSkySymbol SymbolOf(std::string_view type);
// The label of a deep-sky object by the `DSONAME` choice: 0 ID1, 1 ID2 (or
// ID1), 2 the first of the names (or ID1), else none.
std::string LabelOf(const skydata::DeepSkyObjectRecord& object, int choice);

// ---- Ecliptic, galactic equator, pole marks ----------------------------------

void DrawEcliptic(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& frame,
                  bool drawBelowHorizon);
void DrawGalacticEquator(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& frame,
                         bool drawBelowHorizon);
enum class PoleKind : std::uint8_t { Frame = 0, Galactic = 1, Ecliptic = 2 };
// Small crosses at the north and south poles of a frame.
void DrawPoleMarks(platform::Surface& surface, const DrawContext& context, const astro::Matrix3& frame,
                   PoleKind kind, platform::Colour colour, bool drawBelowHorizon);

// ---- User objects ----------------------------------------------------------------

// One user catalogue; keys carry context.user_cat_slot.
void DrawUserCatalogue(platform::Surface& surface, const DrawContext& context,
                       const skydata::CustomCatalog& catalogue, const astro::Matrix3& horizonToChart,
                       const astro::Matrix3& catalogToChart, double fov_deg, bool drawBelowHorizon);
// The map points in use (Flag exactly "y") as shapes (Kind 0..5 as Shape), in
// list order; hidden points are left out.
std::vector<skydata::CustomCatShape> VisibleMapPointShapes(const std::vector<skydata::MapPoint>& points);
// The map points in use (Flag exactly "y"), without keys.
void DrawUserPoints(platform::Surface& surface, const DrawContext& context,
                    const std::vector<skydata::MapPoint>& points, const astro::Matrix3& catalogToChart,
                    bool drawBelowHorizon);
// Shapes by their Shape field (1 circle, 2 filled circle, 3 box, 4 filled
// box, 5 cross, else none) with their names; with withKeys each gets the
// key of shape kind keyShape (1..5) and its index.
void DrawUserShapes(platform::Surface& surface, const DrawContext& context,
                    const std::vector<skydata::CustomCatShape>& shapes, const astro::Matrix3& frame,
                    bool drawBelowHorizon, bool withKeys, int keyShape = 0);
void DrawUserStars(platform::Surface& surface, const DrawContext& context, double epoch_jd,
                   const std::vector<skydata::CustomCatStar>& stars, const astro::Matrix3& frame,
                   bool drawBelowHorizon);
void DrawUserNonstellar(platform::Surface& surface, const DrawContext& context,
                        const std::vector<skydata::CustomCatNst>& objects, const astro::Matrix3& frame,
                        bool drawBelowHorizon);
// Each line whose ends skydata::FoldedCatLine keeps, walked between them by
// DrawLongLine.
void DrawLongLnLines(platform::Surface& surface, const DrawContext& context,
                     const std::vector<skydata::CustomCatLine>& lines, const astro::Matrix3& frame,
                     bool drawBelowHorizon);
// Radius (sky-plane units of a unit scale) of a user shape or map point of
// `size_arcmin` arcminutes across; divided by the scale of the surface it
// spans the same angle of sky on the screen and on the page.
double UserShapeRadius(float size_arcmin, double scale);
// A symbol radius cut to -limit..limit (NaN stays NaN). A symbol centred on
// the surface whose radius passes the surface's width plus its height covers
// the same pixels at any larger size; cut, no drawing call is handed a size
// its painter cannot hold, whatever the object's numbers.
double CappedSymbolRadius(double r, double limit);
// Draws the symbol of a user shape (1 circle, 2 disc, 3 box, 4 filled box,
// 5 cross; other kinds draw nothing) of radius `r` at (X, Y) and returns the
// row its name is written at: the centre row, or the lower edge after a box.
// The fill is transparent afterwards.
double DrawUserShapeSymbol(platform::Surface& surface, int kind, double X, double Y, double r,
                           platform::Colour colour);
// The lines of a text separated by CR LF.
std::vector<std::string> SplitCrLf(const std::string& text);
void DrawUserChartText(platform::Surface& surface, const DrawContext& context,
                       const std::vector<skydata::CustomCatText>& texts, const astro::Matrix3& frame,
                       bool drawBelowHorizon);

}  // namespace chart
