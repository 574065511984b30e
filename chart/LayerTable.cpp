// The layer order of the screen chart, written once.
#include "chart/LayerTable.h"

#include <array>

#include "chart/Layers.h"
#include "chart/LineAndObjectLayers.h"

namespace chart {

namespace {

using S = const DrawContext&;

constexpr LayerEntry kLayers[] = {
    {"ground", FillChange::None, [](S c) { return c.settings.showground; }, LayerFont::None, 0, 0, LayerGround},
    {"alt-az grid", FillChange::None, [](S c) { return c.settings.viewalt; }, LayerFont::GridFont, 1, 0, LayerAltAzGrid},
    {"horizon", FillChange::None, [](S c) { return c.settings.drawhorizon; }, LayerFont::GridFont, 0, 0, LayerHorizon},
    {"equatorial grid", FillChange::None, [](S c) { return c.settings.viewequ; }, LayerFont::GridFont, 2, 0, LayerEquatorialGrid},
    {"ecliptic", FillChange::None, [](S c) { return c.settings.viewecl; }, LayerFont::None, 0, 0, LayerEcliptic},
    {"galactic equator", FillChange::None, [](S c) { return c.settings.viewgalequ; }, LayerFont::None, 0, 0, LayerGalacticEquator},
    {"milky way", FillChange::None, [](S c) { return c.settings.milkyway; }, LayerFont::None, 0, 0, LayerMilkyWay},
    {"boundaries", FillChange::None, [](S c) { return c.settings.viewcboundary; }, LayerFont::None, 0, 0, LayerBoundaries},
    {"user catalogue 1", FillChange::None, [](S c) { return c.settings.drawcuscat0 && c.settings.usercatfile0is; },
     LayerFont::None, 0, 1, LayerUserCatalogue},
    {"user catalogue 2", FillChange::None, [](S c) { return c.settings.drawcuscat1 && c.settings.usercatfile1is; },
     LayerFont::None, 0, 2, LayerUserCatalogue},
    {"western lines", FillChange::Solid, [](S c) { return c.settings.viewconstline; }, LayerFont::None, 0, 0, LayerWesternLines},
    {"korean lines", FillChange::None, [](S c) { return c.settings.viewconstlinee; }, LayerFont::None, 0, 0, LayerKoreanLines},
    {"old-map lines", FillChange::None, [](S c) { return c.settings.viewoldmap; }, LayerFont::None, 0, 0, LayerOldMapLines},
    {"old-map names", FillChange::None, [](S c) { return c.settings.viewoldmapname; }, LayerFont::LayerStyle, 2, 0,
     LayerOldMapNames},
    {"cpolar", FillChange::None, [](S c) { return c.settings.cpolar; }, LayerFont::None, 0, 0, LayerCPolar},
    {"mansion meridians", FillChange::None, [](S c) { return c.settings.ipsoodo; }, LayerFont::None, 0, 0,
     LayerMansionMeridians},
    {"earth shadow", FillChange::None, [](S c) { return c.settings.viewshadow; }, LayerFont::None, 0, 0, LayerEarthShadow},
    {"deep sky", FillChange::SkyTransparent, [](S c) { return c.settings.drawnonstellar; }, LayerFont::LayerStyle, 9,
     0, LayerDeepSky},
    {"stars", FillChange::Solid, [](S c) { return c.settings.viewstar; }, LayerFont::LayerStyle, 8, 0, LayerStars},
    {"western names", FillChange::None, [](S c) { return c.settings.viewconstname; }, LayerFont::LayerStyle, 0, 0,
     LayerWesternNames},
    {"korean names", FillChange::None, [](S c) { return c.settings.viewconstnamee; }, LayerFont::LayerStyle, 1, 0,
     LayerKoreanNames},
    {"comets", FillChange::Transparent, [](S c) { return c.settings.drawcomet; }, LayerFont::None, 0, 0, LayerComets},
    {"asteroids", FillChange::None, [](S c) { return c.settings.drawasteroid; }, LayerFont::None, 0, 0, LayerAsteroids},
    {"eastern star names", FillChange::Solid, [](S c) { return c.settings.viewstarname1; }, LayerFont::LayerStyle, 4,
     0, LayerEastStarNames},
    {"western star names", FillChange::None, [](S c) { return c.settings.viewstarname2; }, LayerFont::LayerStyle, 3,
     0, LayerWestStarNames},
    {"tracks", FillChange::None, [](S c) { return c.settings.ViewPath; }, LayerFont::None, 0, 0, LayerTracks},
    {"planets", FillChange::None, [](S c) { return c.settings.viewplanet; }, LayerFont::None, 0, 0, LayerPlanets},
    {"map points", FillChange::None, [](S c) { return c.sources.map_points_shown; }, LayerFont::None, 0, 0, LayerMapPoints},
    {"user lines", FillChange::None, [](S c) { return c.sources.drawn_lines_shown; }, LayerFont::None, 0, 0,
     LayerUserLines},
    {"legend", FillChange::None, [](S) { return true; }, LayerFont::None, 0, 0, LayerLegend},
    {"centre marks", FillChange::None, [](S) { return true; }, LayerFont::None, 0, 0, LayerCentreMarks},
};

}  // namespace

std::span<const LayerEntry> ChartLayers() { return kLayers; }

}  // namespace chart
