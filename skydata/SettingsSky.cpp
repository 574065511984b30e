#include "skydata/SettingsSky.h"

namespace skydata {
namespace {

// Every field the two records share, by name.
template <typename A, typename B, typename F>
void ForEachSharedField(A& a, B& b, F&& f) {
    f(a.lon, b.lon);
    f(a.lat, b.lat);
    f(a.timezone, b.timezone);
    f(a.timezone2, b.timezone2);
    f(a.nobsname, b.nobsname);
    f(a.summertime, b.summertime);
    f(a.drawhorizon, b.drawhorizon);
    f(a.viewalt, b.viewalt);
    f(a.viewequ, b.viewequ);
    f(a.viewecl, b.viewecl);
    f(a.viewgalequ, b.viewgalequ);
    f(a.milkyway, b.milkyway);
    f(a.showground, b.showground);
    f(a.spotstar, b.spotstar);
    f(a.viewspt, b.viewspt);
    f(a.viewstar, b.viewstar);
    f(a.vmlimit, b.vmlimit);
    f(a.sf, b.sf);
    f(a.viewsn, b.viewsn);
    f(a.viewbayer, b.viewbayer);
    f(a.viewbayerlimit, b.viewbayerlimit);
    f(a.viewflam, b.viewflam);
    f(a.viewnamelimit, b.viewnamelimit);
    f(a.viewstarname1, b.viewstarname1);
    f(a.viewstarname2, b.viewstarname2);
    f(a.drawnonstellar, b.drawnonstellar);
    f(a.vmnonstellar, b.vmnonstellar);
    f(a.viewconstline, b.viewconstline);
    f(a.viewconstlinee, b.viewconstlinee);
    f(a.viewoldmap, b.viewoldmap);
    f(a.boldline, b.boldline);
    f(a.viewcboundary, b.viewcboundary);
    f(a.viewconstname, b.viewconstname);
    f(a.viewconstnamee, b.viewconstnamee);
    f(a.viewoldmapname, b.viewoldmapname);
    f(a.viewcname, b.viewcname);
    f(a.cpolar, b.cpolar);
    f(a.ipsoodo, b.ipsoodo);
    f(a.oldequ, b.oldequ);
    f(a.viewconstar, b.viewconstar);
    f(a.viewplanet, b.viewplanet);
    f(a.psystem, b.psystem);
    f(a.drawcomet, b.drawcomet);
    f(a.drawasteroid, b.drawasteroid);
    f(a.cometlimit, b.cometlimit);
    f(a.asteroidlimit, b.asteroidlimit);
    f(a.viewshadow, b.viewshadow);
    f(a.CenterCross, b.CenterCross);
    f(a.calcprecession, b.calcprecession);
    f(a.calcpropermotion, b.calcpropermotion);
    f(a.viewcmark, b.viewcmark);
    f(a.viewccircle, b.viewccircle);
    f(a.findcolor, b.findcolor);
    f(a.fcircle00, b.fcircle00);
    f(a.fcircle01, b.fcircle01);
    f(a.fcircle10, b.fcircle10);
    f(a.fcircle11, b.fcircle11);
    f(a.liveskycolor, b.liveskycolor);
    f(a.inmoonlight, b.inmoonlight);
    f(a.underhorizon, b.underhorizon);
    f(a.groundcol, b.groundcol);
    f(a.juchon, b.juchon);
    f(a.rotateang, b.rotateang);
    f(a.starnamelang, b.starnamelang);
    f(a.StarAutoMag, b.StarAutoMag);
    f(a.PNameLang, b.PNameLang);
    f(a.AtmoEff, b.AtmoEff);
    f(a.ShowToolBar, b.ShowToolBar);
    f(a.TransPlanet, b.TransPlanet);
    f(a.MagControl, b.MagControl);
    f(a.drawcuscat0, b.drawcuscat0);
    f(a.drawcuscat1, b.drawcuscat1);
    f(a.usercatfile0, b.usercatfile0);
    f(a.usercatfile1, b.usercatfile1);
    f(a.usercatfile0is, b.usercatfile0is);
    f(a.usercatfile1is, b.usercatfile1is);
    f(a.AirEx, b.AirEx);
    f(a.AirExCoff, b.AirExCoff);
    f(a.UserDeltaT, b.UserDeltaT);
    f(a.DeltaT, b.DeltaT);
    f(a.Refraction, b.Refraction);
    f(a.Pressure, b.Pressure);
    f(a.Temperature, b.Temperature);
    f(a.DSONAME, b.DSONAME);
    f(a.ViewS2kLimit, b.ViewS2kLimit);
    f(a.S2kName, b.S2kName);
    f(a.MirrorHorizon, b.MirrorHorizon);
    f(a.MirrorVertical, b.MirrorVertical);
    f(a.LimitCometDisp, b.LimitCometDisp);
    f(a.LimitCometRange, b.LimitCometRange);
    f(a.ViewPath, b.ViewPath);
    f(a.MapRefreshRate, b.MapRefreshRate);
}

}  // namespace

void FillSkySettings(const SettingsSnapshot& snapshot, astro::SkySettings& sky) {
    ForEachSharedField(snapshot, sky, [](const auto& from, auto& to) {
        to = static_cast<std::remove_reference_t<decltype(to)>>(from);
    });
    sky.fsetstr0 = snapshot.fsetstr[0].value_or("");
    sky.fsetstr1 = snapshot.fsetstr[1].value_or("");
    sky.fsetstr2 = snapshot.fsetstr[2].value_or("");
    sky.fsetstr3 = snapshot.fsetstr[3].value_or("");
}

void ReadSkySettings(const astro::SkySettings& sky, SettingsSnapshot& snapshot) {
    ForEachSharedField(snapshot, sky, [](auto& to, const auto& from) {
        to = static_cast<std::remove_reference_t<decltype(to)>>(from);
    });
}

}  // namespace skydata
