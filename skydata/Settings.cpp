#include "skydata/Settings.h"

#include "astro/AngleMath.h"
#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "platform/Services.h"

#include "skydata/ConfigStore.h"
#include "skydata/DrawnLine.h"
#include "skydata/LoadedRanges.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <limits>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace skydata {
namespace {

constexpr std::string_view kProgramTitle = "zu";
constexpr std::string_view kDefaultCfgNotice =
    "설정 파일(Default.cfg)을 읽을 수 없어 기본 설정으로 시작합니다.\r\n"
    "이 파일은 프로그램을 마칠 때 덮어쓰지 않습니다.";
constexpr std::string_view kFallbackFontName = "굴림";

// Versions below these read the old layout.
constexpr double kFirstVersionWithBoundaryFilter = 0.764;
constexpr double kFirstVersionWithPointData = 0.809;
constexpr int kLegacyMapPointCount = 100;

constexpr int kMinFontSize_pt = 4;
constexpr int kMaxFontSize_pt = 72;

// Every scalar key in file order, with the field it fills and the field of the
// defaults snapshot.
template <typename S, typename T, typename F>
void ForEachScalarKey(S& s, T& styles, const SettingsSnapshot& d, const StyleTables& d_styles, F&& f) {
    f("mcenterx", s.ViewCenterX, d.ViewCenterX);
    f("mcentery", s.ViewCenterY, d.ViewCenterY);
    f("mfov", s.ViewFOV, d.ViewFOV);
    f("ref_coord", s.ViewCoordSys, d.ViewCoordSys);
    f("rotatemap", s.MapRotation, d.MapRotation);
    f("lon", s.lon, d.lon);
    f("lat", s.lat, d.lat);
    f("timezone", s.timezone, d.timezone);
    f("timezone2", s.timezone2, d.timezone2);
    f("nobsname", s.nobsname, d.nobsname);
    f("summertime", s.summertime, d.summertime);
    f("synctime", s.RealTimeMode, d.RealTimeMode);
    f("jd", s.CurrentJD, d.CurrentJD);
    f("drawhorizon", s.drawhorizon, d.drawhorizon);
    f("viewalt", s.viewalt, d.viewalt);
    f("viewequ", s.viewequ, d.viewequ);
    f("viewecl", s.viewecl, d.viewecl);
    f("viewgalequ", s.viewgalequ, d.viewgalequ);
    f("milkyway", s.milkyway, d.milkyway);
    f("showground", s.showground, d.showground);
    f("spotstar", s.spotstar, d.spotstar);
    f("viewspt", s.viewspt, d.viewspt);
    f("viewstar", s.viewstar, d.viewstar);
    f("vmlimit", s.vmlimit, d.vmlimit);
    f("sf", s.sf, d.sf);
    f("viewsn", s.viewsn, d.viewsn);
    f("viewbayer", s.viewbayer, d.viewbayer);
    f("viewbayerlimit", s.viewbayerlimit, d.viewbayerlimit);
    f("viewflam", s.viewflam, d.viewflam);
    f("viewnamelimit", s.viewnamelimit, d.viewnamelimit);
    f("viewstarname1", s.viewstarname1, d.viewstarname1);
    f("viewstarname2", s.viewstarname2, d.viewstarname2);
    f("drawnonstellar", s.drawnonstellar, d.drawnonstellar);
    f("vmnonstellar", s.vmnonstellar, d.vmnonstellar);
    f("viewconstline", s.viewconstline, d.viewconstline);
    f("viewconstlinee", s.viewconstlinee, d.viewconstlinee);
    f("viewoldmap", s.viewoldmap, d.viewoldmap);
    f("boldline", s.boldline, d.boldline);
    f("viewcboundary", s.viewcboundary, d.viewcboundary);
    f("viewconstname", s.viewconstname, d.viewconstname);
    f("viewconstnamee", s.viewconstnamee, d.viewconstnamee);
    f("viewoldmapname", s.viewoldmapname, d.viewoldmapname);
    f("viewcname", s.viewcname, d.viewcname);
    f("cpolar", s.cpolar, d.cpolar);
    f("ipsoodo", s.ipsoodo, d.ipsoodo);
    f("oldequ", s.oldequ, d.oldequ);
    f("viewconstar", s.viewconstar, d.viewconstar);
    f("viewplanet", s.viewplanet, d.viewplanet);
    f("psystem", s.psystem, d.psystem);
    f("drawcomet", s.drawcomet, d.drawcomet);
    f("drawasteroid", s.drawasteroid, d.drawasteroid);
    f("cometlimit", s.cometlimit, d.cometlimit);
    f("asteroidlimit", s.asteroidlimit, d.asteroidlimit);
    f("viewshadow", s.viewshadow, d.viewshadow);
    f("CenterCross", s.CenterCross, d.CenterCross);
    f("calcprecession", s.calcprecession, d.calcprecession);
    f("calcpropermotion", s.calcpropermotion, d.calcpropermotion);
    f("viewcmark", s.viewcmark, d.viewcmark);
    f("viewccircle", s.viewccircle, d.viewccircle);
    f("findcolor", s.findcolor, d.findcolor);
    f("fcircle00", s.fcircle00, d.fcircle00);
    f("fcircle01", s.fcircle01, d.fcircle01);
    f("fcircle10", s.fcircle10, d.fcircle10);
    f("fcircle11", s.fcircle11, d.fcircle11);
    f("liveskycolor", s.liveskycolor, d.liveskycolor);
    f("inmoonlight", s.inmoonlight, d.inmoonlight);
    f("underhorizon", s.underhorizon, d.underhorizon);
    f("groundcol", s.groundcol, d.groundcol);
    static constexpr std::array<std::string_view, 6> kTwilightKeys = {"twlcolor0", "twlcolor1", "twlcolor2",
                                                                      "twlcolor3", "twlcolor4", "twlcolor5"};
    for (std::size_t i = 0; i < kTwilightKeys.size(); ++i) f(kTwilightKeys[i], styles.TwilightColors[i], d_styles.TwilightColors[i]);
    static constexpr std::array<std::string_view, 7> kSpectralKeys = {"oc", "bc", "ac", "fc", "gc", "kc", "mc"};
    for (std::size_t i = 0; i < kSpectralKeys.size(); ++i) f(kSpectralKeys[i], styles.SpectralColors[i], d_styles.SpectralColors[i]);
    f("juchon", s.juchon, d.juchon);
    f("rotateang", s.rotateang, d.rotateang);
    f("starnamelang", s.starnamelang, d.starnamelang);
    f("StarAutoMag", s.StarAutoMag, d.StarAutoMag);
    f("PNameLang", s.PNameLang, d.PNameLang);
    f("AtmoEff", s.AtmoEff, d.AtmoEff);
    f("ShowToolBar", s.ShowToolBar, d.ShowToolBar);
    f("TransPlanet", s.TransPlanet, d.TransPlanet);
    f("MagControl", s.MagControl, d.MagControl);
    f("drawcuscat0", s.drawcuscat0, d.drawcuscat0);
    f("drawcuscat1", s.drawcuscat1, d.drawcuscat1);
    f("usercatfile0", s.usercatfile0, d.usercatfile0);
    f("usercatfile1", s.usercatfile1, d.usercatfile1);
    f("usercatfile0is", s.usercatfile0is, d.usercatfile0is);
    f("usercatfile1is", s.usercatfile1is, d.usercatfile1is);
    static constexpr std::array<std::string_view, 4> kFilterKeys = {"fsetstr0", "fsetstr1", "fsetstr2", "fsetstr3"};
    for (std::size_t i = 0; i < kFilterKeys.size(); ++i) f(kFilterKeys[i], s.fsetstr[i], d.fsetstr[i]);
    f("AirEx", s.AirEx, d.AirEx);
    f("AirExCoff", s.AirExCoff, d.AirExCoff);
    f("UserDeltaT", s.UserDeltaT, d.UserDeltaT);
    f("DeltaT", s.DeltaT, d.DeltaT);
    f("Refraction", s.Refraction, d.Refraction);
    f("Pressure", s.Pressure, d.Pressure);
    f("Temperature", s.Temperature, d.Temperature);
    f("DSONAME", s.DSONAME, d.DSONAME);
    f("ViewS2kLimit", s.ViewS2kLimit, d.ViewS2kLimit);
    f("S2kName", s.S2kName, d.S2kName);
    f("MirrorHorizon", s.MirrorHorizon, d.MirrorHorizon);
    f("MirrorVertical", s.MirrorVertical, d.MirrorVertical);
    f("LimitCometDisp", s.LimitCometDisp, d.LimitCometDisp);
    f("LimitCometRange", s.LimitCometRange, d.LimitCometRange);
}

struct KeyReader {
    void operator()(std::string_view k, bool& v, bool d) const { v = ReadConfigBool(k, d); }
    void operator()(std::string_view k, double& v, double d) const { v = ReadConfigDouble(k, d); }
    void operator()(std::string_view k, float& v, float d) const { v = ReadConfigSingle(k, d); }
    void operator()(std::string_view k, std::int16_t& v, std::int16_t d) const { v = ReadConfigInt(k, d); }
    void operator()(std::string_view k, std::int32_t& v, std::int32_t d) const { v = ReadConfigLong(k, d); }
    void operator()(std::string_view k, std::string& v, const std::string& d) const { v = ReadConfigString(k, d); }
    void operator()(std::string_view k, std::optional<std::string>& v, const std::optional<std::string>& d) const {
        const auto raw = ReadConfigValue(k);
        v = raw ? std::optional<std::string>(TrimBlanks(*raw)) : d;
    }
};

struct KeyWriter {
    void operator()(std::string_view k, bool v, bool) const { WriteConfigBool(k, v); }
    void operator()(std::string_view k, double v, double) const { WriteConfigDouble(k, v); }
    void operator()(std::string_view k, float v, float) const { WriteConfigSingle(k, v); }
    void operator()(std::string_view k, std::int16_t v, std::int16_t) const { WriteConfigInt(k, v); }
    void operator()(std::string_view k, std::int32_t v, std::int32_t) const { WriteConfigLong(k, v); }
    void operator()(std::string_view k, const std::string& v, const std::string&) const { WriteConfigString(k, v); }
    // A filter that was never set means "show all"; leaving its key out keeps
    // that meaning for the next load.
    void operator()(std::string_view k, const std::optional<std::string>& v, const std::optional<std::string>&) const {
        if (v) WriteConfigString(k, *v);
    }
};

std::string IndexedKey(std::string_view head, int i, std::string_view tail) {
    std::string key(head);
    key += std::to_string(i);
    key += tail;
    return key;
}

template <typename T>
T ClampTo(T value, T low, T high) {
    return std::min(std::max(value, low), high);
}

template <typename T>
T InRangeOr(T value, T low, T high, T fallback) {
    return value >= low && value <= high ? value : fallback;
}

// The text from its fifth character on (characters, not bytes).
std::string FromFifthCharacter(const std::string& text) {
    std::size_t at = 0;
    for (int skipped = 0; skipped < 4 && at < text.size(); ++skipped) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return text.substr(at);
}

// Trimmed, cut to four characters and padded with blanks to four.
std::string FourCharacterFlags(const std::string& text) {
    const std::string trimmed = TrimBlanks(text);
    std::size_t at = 0;
    int count = 0;
    while (at < trimmed.size() && count < 4) {
        ++at;
        while (at < trimmed.size() && (static_cast<unsigned char>(trimmed[at]) & 0xC0) == 0x80) ++at;
        ++count;
    }
    return trimmed.substr(0, at) + std::string(static_cast<std::size_t>(4 - count), ' ');
}

// Today at 0 h in the zone `zone_h` (hours east of Greenwich), as a local
// Julian day: the site's date, whatever zone the computer keeps.
double TodayAtMidnightJD(double zone_h) {
    const SettingsHooks& hooks = SettingsModule().Hooks;
    if (hooks.TodayJD) return hooks.TodayJD();
    const platform::LocalTime utc = platform::UtcNow();
    const double jd_local =
        astro::DateToJD(utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second) + zone_h / 24;
    // Local Julian days begin at noon: midnight is the .5 at or before.
    return std::floor(jd_local - 0.5) + 0.5;
}

void Notify(std::string_view text) {
    const SettingsHooks& hooks = SettingsModule().Hooks;
    if (hooks.ShowMessage) hooks.ShowMessage(std::string(kProgramTitle), std::string(text));
}

// Documented ranges of the values read from a settings or chart file. A value
// outside its range takes the key's default, as an absent key does; the field
// of view, latitude and time zones are clamped instead.
constexpr double kMaxStarSizeFactor = 20;
constexpr double kMaxExtinctionCoefficient = 10;   // magnitudes per air mass
constexpr double kMaxUserDeltaT_s = 1e6;           // beyond the Delta T of any date of the chart's range
constexpr double kMaxPressure_hPa = 2000;
constexpr double kMinTemperature_C = -100;
constexpr double kMaxTemperature_C = 100;
constexpr double kMaxCometRange_days = 1e7;
constexpr double kMaxFinderCircle_deg = 360;
constexpr double kMinTrackStep_days = 1.0 / 1440;  // one minute
constexpr double kMaxTrackStep_days = 36525;       // one century
constexpr std::int32_t kMaxColour = 0xFFFFFF;

// An angle folded into 0..360 when it is of a size a user could type, else
// the fallback. Angles already within one turn either way stay as they are.
double AngleOr(double value_deg, double fallback_deg) { return FoldedAngle(value_deg).value_or(fallback_deg); }

// A longitude folded into -180..180 when it is of a size a user could type.
double LongitudeOr(double value_deg, double fallback_deg) {
    if (InRange(value_deg, -180, 180)) return value_deg;
    if (!InRange(value_deg, -kMaxFoldedAngle_deg, kMaxFoldedAngle_deg)) return fallback_deg;
    const double folded = astro::Norm360(value_deg);
    return folded > 180 ? folded - 360 : folded;
}

template <typename T>
void KeepInRange(T& value, double low, double high, T fallback) {
    if (!InRange(value, low, high)) value = fallback;
}

// A number held as text (the finder-circle diameters) whose number lies
// outside the range takes the default text.
void KeepTextNumberInRange(std::string& text, double low, double high, const std::string& fallback) {
    if (!InRange(astro::ParseLeadingNumber(text), low, high)) text = fallback;
}

// The one place that keeps every number loaded from a settings or chart file
// inside the range the program can work with, before any computation or
// drawing sees it.
void KeepLoadedValuesUsable(SettingsSnapshot& s, const SettingsSnapshot& d, PathSettings& p) {
    s.ViewCenterX = AngleOr(s.ViewCenterX, d.ViewCenterX);
    KeepInRange(s.ViewCenterY, -90, 90, d.ViewCenterY);
    s.ViewFOV = ClampTo(s.ViewFOV, kMinViewFov_deg, kMaxViewFov_deg);
    s.ViewCoordSys.assign(1, LowerAscii(s.ViewCoordSys) == "e" ? 'e' : 'a');
    s.MapRotation = AngleOr(s.MapRotation, d.MapRotation);
    s.lon = LongitudeOr(s.lon, d.lon);
    s.lat = ClampTo(s.lat, -90.0, 90.0);
    s.timezone = ClampTo(s.timezone, -12.0, 14.0);
    s.timezone2 = ClampTo(s.timezone2, -12.0, 14.0);
    // No date, or none usable: today at the site, in the zone the chart will
    // keep (the standard zone, one hour more in summer time).
    if (!IsUsableJD(s.CurrentJD)) s.CurrentJD = TodayAtMidnightJD(s.summertime ? s.timezone2 + 1 : s.timezone2);

    KeepInRange(s.vmlimit, kMinMagnitude, kMaxMagnitude, d.vmlimit);
    KeepInRange(s.sf, 0, kMaxStarSizeFactor, d.sf);
    KeepInRange(s.viewbayerlimit, kMinMagnitude, kMaxMagnitude, d.viewbayerlimit);
    KeepInRange(s.viewnamelimit, kMinMagnitude, kMaxMagnitude, d.viewnamelimit);
    KeepInRange(s.vmnonstellar, kMinMagnitude, kMaxMagnitude, d.vmnonstellar);
    KeepInRange(s.cometlimit, kMinMagnitude, kMaxMagnitude, d.cometlimit);
    KeepInRange(s.asteroidlimit, kMinMagnitude, kMaxMagnitude, d.asteroidlimit);
    KeepInRange(s.ViewS2kLimit, kMinMagnitude, kMaxMagnitude, d.ViewS2kLimit);
    KeepInRange(s.MagControl, kMinMagnitude, kMaxMagnitude, d.MagControl);
    KeepInRange(s.findcolor, 0, kMaxColour, d.findcolor);
    KeepInRange(s.groundcol, 0, kMaxColour, d.groundcol);
    KeepTextNumberInRange(s.fcircle00, 0, kMaxFinderCircle_deg, d.fcircle00);
    KeepTextNumberInRange(s.fcircle10, 0, kMaxFinderCircle_deg, d.fcircle10);
    KeepInRange(s.rotateang, -360, 360, d.rotateang);
    KeepInRange(s.AirExCoff, 0, kMaxExtinctionCoefficient, d.AirExCoff);
    KeepInRange(s.DeltaT, -kMaxUserDeltaT_s, kMaxUserDeltaT_s, d.DeltaT);
    KeepInRange(s.Pressure, 0, kMaxPressure_hPa, d.Pressure);
    KeepInRange(s.Temperature, kMinTemperature_C, kMaxTemperature_C, d.Temperature);
    KeepInRange(s.LimitCometRange, 0, kMaxCometRange_days, d.LimitCometRange);

    s.oldequ = InRangeOr<std::int16_t>(s.oldequ, 0, 2, 0);
    s.starnamelang = InRangeOr<std::int16_t>(s.starnamelang, 0, 2, 0);
    s.PNameLang = InRangeOr<std::int32_t>(s.PNameLang, 0, 4, 1);
    s.DSONAME = InRangeOr<std::int16_t>(s.DSONAME, 0, 3, 0);
    s.S2kName = InRangeOr<std::int16_t>(s.S2kName, 0, 3, 3);

    for (MapPoint& m : MapPointModule().MapPoints) {
        m.RA = AngleOr(m.RA, 0);
        if (!IsUsableLatitude(m.Dec)) m.Dec = 0;
        if (!IsUsableMarkSize(m.Size)) m.Size = kDefaultMarkerSize_arcmin;
    }
    for (DrawnLine& l : DrawnLineModule().DrawnLines) {
        l.RA1 = AngleOr(l.RA1, 0);
        l.RA2 = AngleOr(l.RA2, 0);
        if (!IsUsableLatitude(l.Dec1)) l.Dec1 = 0;
        if (!IsUsableLatitude(l.Dec2)) l.Dec2 = 0;
    }

    if (!IsUsableJD(p.StartJD)) p.StartJD = s.CurrentJD;
    if (!IsUsableJD(p.EndJD)) p.EndJD = s.CurrentJD + 30;
    KeepInRange(p.Hour, 0, 24, 0.0);
    KeepInRange(p.StepDays, kMinTrackStep_days, kMaxTrackStep_days, 2.0);
}

void ReadStyles(StyleTables& s) {
    for (int i = 0; i < kLineColorCount; ++i) {
        s.LineColorTable[i] = ReadConfigLong(IndexedKey("mlinecolor", i, ""), s.LineColorTable[i]);
    }
    for (int i = 0; i < kLayerStyleCount; ++i) {
        FontStyle& f = s.LayerStyle[i];
        f.Bold = ReadConfigBool(IndexedKey("mfont", i, "bold"), false);
        f.Color = ReadConfigLong(IndexedKey("mfont", i, "color"), f.Color);
        f.Italic = ReadConfigBool(IndexedKey("mfont", i, "italic"), false);
        f.FontName = ReadConfigString(IndexedKey("mfont", i, "name"), f.FontName);
        if (!FontExists(f.FontName)) f.FontName = kFallbackFontName;
        const std::int16_t size = ReadConfigInt(IndexedKey("mfont", i, "size"), static_cast<std::int16_t>(
                                                    ClampTo<std::int32_t>(f.FontSize_pt, -32768, 32767)));
        f.FontSize_pt = ClampTo<std::int32_t>(size, kMinFontSize_pt, kMaxFontSize_pt);
    }
    for (int i = 0; i < kGridFontCount; ++i) {
        FontStyle& f = s.GridFontTable[i];
        f.Bold = ReadConfigBool(IndexedKey("GridFont", i, "bold"), false);
        f.Italic = ReadConfigBool(IndexedKey("GridFont", i, "italic"), false);
        f.FontName = ReadConfigString(IndexedKey("GridFont", i, "name"), f.FontName);
        if (!FontExists(f.FontName)) f.FontName = kFallbackFontName;
        const std::int16_t size = ReadConfigInt(IndexedKey("GridFont", i, "size"), 9);
        f.FontSize_pt = ClampTo<std::int32_t>(size, kMinFontSize_pt, kMaxFontSize_pt);
    }
}

void WriteStyles(const StyleTables& s) {
    for (int i = 0; i < kLineColorCount; ++i) WriteConfigLong(IndexedKey("mlinecolor", i, ""), s.LineColorTable[i]);
    for (int i = 0; i < kLayerStyleCount; ++i) {
        const FontStyle& f = s.LayerStyle[i];
        WriteConfigBool(IndexedKey("mfont", i, "bold"), f.Bold);
        WriteConfigLong(IndexedKey("mfont", i, "color"), f.Color);
        WriteConfigBool(IndexedKey("mfont", i, "italic"), f.Italic);
        WriteConfigString(IndexedKey("mfont", i, "name"), f.FontName);
        WriteConfigInt(IndexedKey("mfont", i, "size"),
                       static_cast<std::int16_t>(ClampTo<std::int32_t>(f.FontSize_pt, -32768, 32767)));
    }
    for (int i = 0; i < kGridFontCount; ++i) {
        const FontStyle& f = s.GridFontTable[i];
        WriteConfigBool(IndexedKey("GridFont", i, "bold"), f.Bold);
        WriteConfigBool(IndexedKey("GridFont", i, "italic"), f.Italic);
        WriteConfigString(IndexedKey("GridFont", i, "name"), f.FontName);
        WriteConfigInt(IndexedKey("GridFont", i, "size"),
                       static_cast<std::int16_t>(ClampTo<std::int32_t>(f.FontSize_pt, -32768, 32767)));
    }
}

// Map points of snapshots before PointData: 100 numbered key groups; only
// those marked "y" are points, and their names carry a four-character prefix.
void ReadLegacyMapPoints() {
    for (int i = 0; i < kLegacyMapPointCount; ++i) {
        const std::string head = "mappoint" + std::to_string(i);
        if (ReadConfigString(head + "cmt", "") != "y") continue;
        const double ra = ReadConfigDouble(head + "ra", 0);
        const double dec = ReadConfigDouble(head + "de", 0);
        const float size = ReadConfigSingle(head + "size", 60);
        const std::string name = FromFifthCharacter(ReadConfigString(head + "name", ""));
        const std::int32_t color = ReadConfigLong(head + "color", 255);
        const std::int16_t shape = ReadConfigInt(head + "shape", 1);
        AddMapPoint(ra, dec, static_cast<std::uint8_t>(shape >= 0 && shape <= 5 ? shape : 1), size, name, color);
    }
}

void ReadPathSettings(PathSettings& p, double current_jd) {
    p.StartJD = ReadConfigDouble("SetPath1", current_jd);
    p.EndJD = ReadConfigDouble("SetPath2", current_jd + 30);
    p.Hour = ReadConfigDouble("SetPath3", 0);
    p.StepDays = ReadConfigDouble("SetPath4", 2);
    p.LabelInterval = ReadConfigInt("SetPath5", 5);
    p.TimeRule = static_cast<std::uint8_t>(InRangeOr<std::int16_t>(ReadConfigInt("SetPath6", 0), 0, 9, 0));
    p.Reference = static_cast<std::uint8_t>(InRangeOr<std::int16_t>(ReadConfigInt("SetPath7", 0), 0, 255, 0));
    p.LabelFlags = FourCharacterFlags(ReadConfigString("SetPath8", ""));
    p.SyncWithChart = ReadConfigBool("SetPath9", false);
    p.LabelFirstOnly = ReadConfigBool("SetPath10", true);
}

// The remembered file-dialog folders with their keys.
std::array<std::pair<std::string_view, std::string*>, 4> RememberedFolders(SettingsSnapshot& s) {
    return {{{"ChartFolder", &s.ChartFolder},
             {"PictureFolder", &s.PictureFolder},
             {"CatalogFolder", &s.CatalogFolder},
             {"PdfFolder", &s.PdfFolder}}};
}

// How the loader reads a key's value, for telling a value from junk. Text
// keys have no kind: any text reads as itself, even an empty one, so only a
// number or a switch shows that a file is a settings file of this program.
enum class ValueKind { Number, Single, Int16, Int32, Switch, ViewCoord };

std::optional<ValueKind> KindOf(bool) { return ValueKind::Switch; }
std::optional<ValueKind> KindOf(double) { return ValueKind::Number; }
std::optional<ValueKind> KindOf(float) { return ValueKind::Single; }
std::optional<ValueKind> KindOf(std::int32_t) { return ValueKind::Int32; }
std::optional<ValueKind> KindOf(const std::string&) { return std::nullopt; }
std::optional<ValueKind> KindOf(const std::optional<std::string>&) { return std::nullopt; }

// True when the value reads as a value of its kind rather than as the 0, the
// "false" or the default the readers give junk: a whole number that fits its
// type, "true" or "false", the view's "a" or "e".
bool IsUsableValue(ValueKind kind, std::string_view value) {
    switch (kind) {
        case ValueKind::Switch: {
            const std::string word = LowerAscii(TrimBlanks(value));
            return word == "true" || word == "false";
        }
        case ValueKind::ViewCoord: {
            const std::string word = LowerAscii(TrimBlanks(value));
            return word == "a" || word == "e";
        }
        default: break;
    }
    if (!IsWholePlainNumber(value)) return false;
    const double number = *ParsePlainNumber(value);
    switch (kind) {
        case ValueKind::Single: return std::fabs(number) <= std::numeric_limits<float>::max();
        case ValueKind::Int16:
            return RoundHalfEven(number, std::numeric_limits<std::int16_t>::min(),
                                 std::numeric_limits<std::int16_t>::max())
                .has_value();
        case ValueKind::Int32:
            return RoundHalfEven(number, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max())
                .has_value();
        default: return true;
    }
}

// Every number and switch key a chart file is read for, with the kind of its
// value. The version and the window keys are left out: they set nothing of
// the chart.
const std::unordered_map<std::string, ValueKind>& ChartFileKeys() {
    static const std::unordered_map<std::string, ValueKind> keys = [] {
        std::unordered_map<std::string, ValueKind> k;
        SettingsSnapshot s;
        StyleTables styles = DefaultStyleTables();
        ForEachScalarKey(s, styles, s, styles, [&](std::string_view key, const auto& field, const auto&) {
            if (const std::optional<ValueKind> kind = KindOf(field)) k.emplace(std::string(key), *kind);
        });
        k["ref_coord"] = ValueKind::ViewCoord;
        for (int i = 1; i <= 4; ++i) k.emplace(IndexedKey("SetPath", i, ""), ValueKind::Number);
        for (int i = 5; i <= 7; ++i) k.emplace(IndexedKey("SetPath", i, ""), ValueKind::Int16);
        for (int i = 9; i <= 11; ++i) k.emplace(IndexedKey("SetPath", i, ""), ValueKind::Switch);
        k.emplace("ViewPath", ValueKind::Switch);
        k.emplace("MapRefreshRate", ValueKind::Int16);
        for (int i = 0; i < kLineColorCount; ++i) k.emplace(IndexedKey("mlinecolor", i, ""), ValueKind::Int32);
        for (int i = 0; i < kLayerStyleCount; ++i) {
            k.emplace(IndexedKey("mfont", i, "bold"), ValueKind::Switch);
            k.emplace(IndexedKey("mfont", i, "italic"), ValueKind::Switch);
            k.emplace(IndexedKey("mfont", i, "color"), ValueKind::Int32);
            k.emplace(IndexedKey("mfont", i, "size"), ValueKind::Int16);
        }
        for (int i = 0; i < kGridFontCount; ++i) {
            k.emplace(IndexedKey("GridFont", i, "bold"), ValueKind::Switch);
            k.emplace(IndexedKey("GridFont", i, "italic"), ValueKind::Switch);
            k.emplace(IndexedKey("GridFont", i, "size"), ValueKind::Int16);
        }
        for (int i = 0; i < kLegacyMapPointCount; ++i) {
            const std::string head = "mappoint" + std::to_string(i);
            k.emplace(head + "ra", ValueKind::Number);
            k.emplace(head + "de", ValueKind::Number);
            k.emplace(head + "size", ValueKind::Single);
            k.emplace(head + "color", ValueKind::Int32);
            k.emplace(head + "shape", ValueKind::Int16);
        }
        return k;
    }();
    return keys;
}

// The window keys, read from "Default.cfg" only.
const std::unordered_map<std::string, ValueKind>& WindowKeys() {
    static const std::unordered_map<std::string, ValueKind> keys = {
        {"fwidth", ValueKind::Int32}, {"fheight", ValueKind::Int32}, {"fstate", ValueKind::Int16}};
    return keys;
}

std::optional<ValueKind> FindKind(const std::unordered_map<std::string, ValueKind>& keys, const std::string& key) {
    const auto found = keys.find(key);
    return found == keys.end() ? std::nullopt : std::optional<ValueKind>(found->second);
}

// True when the store text gives at least one number or switch key read with
// `window` a usable value (the first entry of a key is the one read). A file
// of foreign entries (another program's file), of texts only (an empty list
// of map points holds nothing) or of keys whose values are all junk is no
// settings file: loading it would only put every setting back to its default.
bool HoldsAUsableSettingsValue(std::string_view text, SettingsWindowKeys window) {
    std::unordered_set<std::string> seen;
    for (const ConfigEntry& e : ParseConfigEntries(text)) {
        if (!seen.insert(e.Key).second) continue;
        std::optional<ValueKind> kind = FindKind(ChartFileKeys(), e.Key);
        if (!kind && window == SettingsWindowKeys::Included) kind = FindKind(WindowKeys(), e.Key);
        if (kind && IsUsableValue(*kind, e.Value)) return true;
    }
    return false;
}

}  // namespace

SettingsState& SettingsModule() {
    static SettingsState state;
    // The computations read the scalar keys through astro::Settings(): let
    // that be this very snapshot, so there is no second copy to keep in step.
    static const bool bound = (astro::BindSettings(&state.Values), true);
    (void)bound;
    return state;
}

void ResetSettingsModule() { SettingsModule() = SettingsState{}; }

void ListFonts(bool printer) {
    SettingsState& s = SettingsModule();
    if (s.Hooks.ListFonts) s.FontList = s.Hooks.ListFonts(printer);
}

bool FontExists(std::string_view name) {
    const std::vector<std::string>& fonts = SettingsModule().FontList;
    if (fonts.empty()) return true;
    const std::string wanted = LowerAscii(name);
    return std::any_of(fonts.begin(), fonts.end(), [&](const std::string& f) { return LowerAscii(f) == wanted; });
}

void LoadSettingsFromStore(SettingsWindowKeys window) {
    SettingsState& state = SettingsModule();
    SettingsSnapshot& s = state.Values;
    SettingsSnapshot defaults;
    // A file without a date opens on the site's today, which needs the
    // site's zone from the same file: the date is filled in once that is read.
    defaults.CurrentJD = std::numeric_limits<double>::quiet_NaN();

    if (window == SettingsWindowKeys::Included) {
        s.fwidth = ReadConfigLong("fwidth", defaults.fwidth);
        s.fheight = ReadConfigLong("fheight", defaults.fheight);
        s.fstate = ReadConfigInt("fstate", defaults.fstate);
        for (auto& [key, folder] : RememberedFolders(s)) *folder = ReadConfigString(key, "");
    }
    StyleTables& styles = StartupTables().Styles;
    ForEachScalarKey(s, styles, defaults, DefaultStyleTables(), KeyReader{});

    const double version = PlainNumberOrZero(ReadConfigString("version", kOldestSettingsVersion));
    if (version < kFirstVersionWithBoundaryFilter) s.fsetstr[3] = s.fsetstr[1];

    ReadStyles(styles);

    ClearMapPoints();
    if (version >= kFirstVersionWithPointData) {
        ParseMapPoints(ReadConfigString("PointData", ""));
    } else {
        ReadLegacyMapPoints();
    }

    PathState& paths = PathModule();
    ReadPathSettings(paths.Settings, s.CurrentJD);
    s.ViewPath = ReadConfigBool("ViewPath", defaults.ViewPath);
    paths.Settings.DrawTail = ReadConfigBool("SetPath11", false);
    s.MapRefreshRate = InRangeOr<std::int16_t>(ReadConfigInt("MapRefreshRate", defaults.MapRefreshRate), 1, 60,
                                               defaults.MapRefreshRate);

    ParseDrawnLines(ReadConfigString("DLine", ""));
    KeepLoadedValuesUsable(s, defaults, paths.Settings);

    ClearPathBodies(paths.PathBodyList);
    if (LoadPathBodies(ReadConfigString("PathObj", ""))) {
        if (paths.Hooks.ComputePaths) paths.Hooks.ComputePaths(paths.Settings);
        if (paths.Hooks.ProjectPaths) paths.Hooks.ProjectPaths(paths.Settings);
    } else {
        s.ViewPath = true;
    }

    if (state.Hooks.ApplyConstFilters) state.Hooks.ApplyConstFilters(s.fsetstr);

    ClearConfig();
}

void BuildSettingsStore(SettingsWindowKeys window) {
    const SettingsState& state = SettingsModule();
    SettingsSnapshot s = state.Values;
    if (state.Hooks.GetConstFilters) {
        const ConstFilterTexts current = state.Hooks.GetConstFilters();
        for (std::size_t i = 0; i < current.size(); ++i) {
            if (current[i]) s.fsetstr[i] = current[i];
        }
    }

    ClearConfig();
    WriteConfigString("version", kSettingsVersion);
    if (window == SettingsWindowKeys::Included) {
        WriteConfigLong("fwidth", s.fwidth);
        WriteConfigLong("fheight", s.fheight);
        WriteConfigInt("fstate", s.fstate);
        for (const auto& [key, folder] : RememberedFolders(s))
            if (!folder->empty()) WriteConfigString(key, *folder);
    }
    const StyleTables& styles = StartupTables().Styles;
    ForEachScalarKey(s, styles, s, styles, KeyWriter{});
    WriteStyles(styles);
    WriteConfigString("PointData", SerializeMapPoints());
    WriteConfigString("DLine", SerializeDrawnLines());

    const PathSettings& p = PathModule().Settings;
    WriteConfigDouble("SetPath1", p.StartJD);
    WriteConfigDouble("SetPath2", p.EndJD);
    WriteConfigDouble("SetPath3", p.Hour);
    WriteConfigDouble("SetPath4", p.StepDays);
    WriteConfigInt("SetPath5", p.LabelInterval);
    WriteConfigInt("SetPath6", p.TimeRule);
    WriteConfigInt("SetPath7", p.Reference);
    WriteConfigString("SetPath8", FourCharacterFlags(p.LabelFlags));
    WriteConfigBool("SetPath9", p.SyncWithChart);
    WriteConfigBool("SetPath10", p.LabelFirstOnly);
    WriteConfigBool("ViewPath", s.ViewPath);
    WriteConfigBool("SetPath11", p.DrawTail);
    WriteConfigInt("MapRefreshRate", s.MapRefreshRate);
    WriteConfigString("PathObj", SavePathBodies());
}

SettingsLoadStatus LoadSettings(const std::filesystem::path& path, SettingsWindowKeys window) {
    ListFonts(false);
    switch (LoadConfigFile(path)) {
        case ConfigFileStatus::Unreadable:
            if (window == SettingsWindowKeys::Excluded) Notify(kUnreadableFileMessage);
            return SettingsLoadStatus::Unreadable;
        case ConfigFileStatus::Damaged:
            if (window == SettingsWindowKeys::Excluded) Notify(kUnreadableFileMessage);
            return SettingsLoadStatus::Damaged;
        case ConfigFileStatus::Missing:
            LoadSettingsFromStore(window);
            return SettingsLoadStatus::Missing;
        case ConfigFileStatus::Loaded:
            break;
    }
    // A settings file must hold at least one usable setting and end after a
    // whole entry; an empty "Default.cfg" is a fresh one, an empty chart file
    // is none.
    const std::string& text = ConfigStore().ConfigText;
    const bool blank = text.find_first_not_of(" \t\r\n") == std::string::npos;
    const bool cut_off = !blank && EndsInsideAnEntry(text);
    const bool foreign = blank ? window == SettingsWindowKeys::Excluded : !HoldsAUsableSettingsValue(text, window);
    if (cut_off || foreign) {
        ClearConfig();
        if (window == SettingsWindowKeys::Excluded) Notify(kUnreadableFileMessage);
        return SettingsLoadStatus::Damaged;
    }
    LoadSettingsFromStore(window);
    return SettingsLoadStatus::Loaded;
}

void SaveSettings(const std::filesystem::path& path, SettingsWindowKeys window, platform::AtLink at_link) {
    BuildSettingsStore(window);
    SaveConfigFile(path, at_link);
}

SettingsLoadStatus LoadDefaultSettings(const std::filesystem::path& user_folder) {
    SettingsState& state = SettingsModule();
    const std::filesystem::path path = user_folder / kDefaultSettingsFileName;
    SettingsLoadStatus status = LoadSettings(path, SettingsWindowKeys::Included);
    std::error_code ec;
    // Only a file that is there and cannot be used needs protecting; a user
    // folder that does not exist yet is a first start.
    if (status == SettingsLoadStatus::Unreadable && !std::filesystem::exists(path, ec)) {
        status = SettingsLoadStatus::Missing;
        ConfigStore().ConfigText.assign(1, ' ');
        LoadSettingsFromStore(SettingsWindowKeys::Included);
        state.DefaultCfgProtected = false;
        return status;
    }
    const bool failed = status == SettingsLoadStatus::Unreadable || status == SettingsLoadStatus::Damaged;
    state.DefaultCfgProtected = failed;
    if (failed) {
        ConfigStore().ConfigText.assign(1, ' ');
        LoadSettingsFromStore(SettingsWindowKeys::Included);
        Notify(kDefaultCfgNotice);
    }
    return status;
}

bool SaveDefaultSettings(const std::filesystem::path& user_folder) {
    if (SettingsModule().DefaultCfgProtected) return false;
    // Kept in a dotfiles folder and linked here, it is written where it is.
    SaveSettings(user_folder / kDefaultSettingsFileName, SettingsWindowKeys::Included, platform::AtLink::WriteThrough);
    return true;
}

}  // namespace skydata
