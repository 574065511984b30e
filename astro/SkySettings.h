#pragma once
// The settings record of the sky-chart program: one field per scalar
// settings key, named by the key, with the key's default. The settings store
// (skydata) fills it from "Default.cfg" and chart files; the computations read
// it through Settings(). Chart state that is saved with the settings (time,
// view centre, field, rotation) is not kept here; neither are the colour,
// font and list keys, which belong to their own tables.
#include <cstdint>
#include <string>

namespace astro {

struct SkySettings {
    // Site and time.
    double lon = 128.46;          // site longitude, degrees, East positive
    double lat = 35.82;           // site latitude, degrees, North positive
    double timezone = 9;          // time zone in force, hours (standard zone + 1 in summer time)
    double timezone2 = 9;         // standard time zone of the site, hours
    std::string nobsname = "고령";  // site name
    bool summertime = false;      // summer time in force

    // Display switches and limits.
    bool drawhorizon = true;
    bool viewalt = false;
    bool viewequ = true;
    bool viewecl = true;
    bool viewgalequ = true;
    bool milkyway = false;
    bool showground = true;
    bool spotstar = false;
    bool viewspt = false;
    bool viewstar = true;
    double vmlimit = 5.5;         // ChartLimitMag
    float sf = 1.0f;
    bool viewsn = false;
    bool viewbayer = true;
    float viewbayerlimit = 3.0f;
    bool viewflam = false;
    float viewnamelimit = 3.0f;
    bool viewstarname1 = false;
    bool viewstarname2 = true;
    bool drawnonstellar = true;
    float vmnonstellar = 8.0f;
    bool viewconstline = true;
    bool viewconstlinee = false;
    bool viewoldmap = false;
    bool boldline = false;
    bool viewcboundary = false;
    bool viewconstname = true;
    bool viewconstnamee = false;
    bool viewoldmapname = false;
    bool viewcname = false;
    bool cpolar = false;
    bool ipsoodo = false;
    int oldequ = 0;
    int viewconstar = 0;
    bool viewplanet = true;
    bool psystem = true;          // true: geocentric places; false: corrected to the site
    bool drawcomet = true;
    bool drawasteroid = true;
    float cometlimit = 8.5f;
    float asteroidlimit = 8.5f;
    bool viewshadow = false;
    bool CenterCross = false;
    bool calcprecession = true;
    bool calcpropermotion = true;
    bool viewcmark = false;
    bool viewccircle = false;
    std::int32_t findcolor = 65535;
    std::string fcircle00 = "5.0";
    std::string fcircle01 = "T:시야: 5.0도";
    std::string fcircle10 = "1.0";
    std::string fcircle11 = "T:시야: 1.0도";
    bool liveskycolor = false;
    bool inmoonlight = false;
    int underhorizon = 0;
    std::int32_t groundcol = 16384;
    bool juchon = true;
    double rotateang = 5;
    int starnamelang = 0;
    bool StarAutoMag = false;
    std::int32_t PNameLang = 1;
    bool AtmoEff = true;
    bool ShowToolBar = true;
    bool TransPlanet = false;
    float MagControl = 0.0f;
    bool drawcuscat0 = false;
    bool drawcuscat1 = false;
    std::string usercatfile0 = " ";
    std::string usercatfile1 = " ";
    bool usercatfile0is = false;
    bool usercatfile1is = false;

    // Atmosphere and time scale.
    bool AirEx = false;           // extinction of magnitudes
    float AirExCoff = 0.28f;      // extinction coefficient, magnitudes per air mass
    bool UserDeltaT = false;      // use DeltaT instead of the computed Delta T
    double DeltaT = 50;           // the user's Delta T, seconds
    bool Refraction = true;       // atmospheric refraction
    double Pressure = 1013;       // hPa
    double Temperature = 15;      // degrees Celsius

    int DSONAME = 0;
    float ViewS2kLimit = 7.0f;
    int S2kName = 3;
    bool MirrorHorizon = false;
    bool MirrorVertical = false;
    bool LimitCometDisp = true;
    double LimitCometRange = 1826.25;
    bool ViewPath = true;
    int MapRefreshRate = 10;
};

// The one settings record of the running program. The settings store binds
// it to the scalar part of its snapshot, so the computations read exactly what
// was loaded and what the commands change; unbound (the computing tests), it
// is a record of its own. Tests reset it with Settings() = SkySettings{}.
SkySettings& Settings();
// Makes Settings() refer to `record`; nullptr returns to the record of its own.
void BindSettings(SkySettings* record);

}  // namespace astro
