#include "skydata/Settings.h"

#include "astro/AngleMath.h"
#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "platform/RunTimeError.h"
#include "platform/Services.h"

#include "skydata/ConfigStore.h"
#include "skydata/DrawnLine.h"
#include "skydata/LoadedRanges.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"
#include "skydata/SettingsFaults.h"

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

// Ranges of the values read from a settings or chart file (the rules table
// below holds them for every key).
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
constexpr double kMaxColour = 0xFFFFFF;
constexpr double kMinZone_h = -14;                 // what the site window accepts
constexpr double kMaxZone_h = 14;
constexpr double kMaxWindowSize_twips = 16384.0 * kTwipsPerPixel;
// Font sizes a file may hold; the chart draws them within
// kMinFontSize_pt..kMaxFontSize_pt.
constexpr double kMaxStoredFontSize_pt = 1000;

// An angle folded into 0..360 when it is of a size a user could type, else
// the fallback. Angles already within one turn either way stay as they are.
double AngleOr(double value_deg, double fallback_deg) { return FoldedAngle(value_deg).value_or(fallback_deg); }

// What is left to do once every value lies in its range: angles folded into
// one turn, a missing date made today at the site, and the positions held in
// the lists of map points and drawn lines (texts of their own) kept usable.
void KeepLoadedValuesUsable(SettingsSnapshot& s, const SettingsSnapshot& d, PathSettings& p) {
    s.ViewCenterX = AngleOr(s.ViewCenterX, d.ViewCenterX);
    s.ViewCoordSys.assign(1, LowerAscii(s.ViewCoordSys) == "e" ? 'e' : 'a');
    s.MapRotation = AngleOr(s.MapRotation, d.MapRotation);
    // No date: today at the site, in the zone the chart will keep (the
    // standard zone, one hour more in summer time).
    if (!IsUsableJD(s.CurrentJD)) s.CurrentJD = TodayAtMidnightJD(s.summertime ? s.timezone2 + 1 : s.timezone2);

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
    p.TimeRule = static_cast<std::uint8_t>(ReadConfigInt("SetPath6", 0));
    p.Reference = static_cast<std::uint8_t>(ReadConfigInt("SetPath7", 0));
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

// What the messages call each number and switch a settings or chart file
// holds, as the settings windows name it, and the values a file may give it:
// a switch "true" or "false", a number at the start of the value (as the
// store reads it) within low..high, rounded first for a whole-number key.
// Anything else (no number, NaN, out of range) is a damaged value: the
// setting takes its default and the user is told.
struct SettingRule {
    std::string_view key;
    std::string_view caption;
    double low = 0;
    double high = 0;
};

constexpr SettingRule kSettingRules[] = {
    {"fwidth", "창 너비", 1, kMaxWindowSize_twips},
    {"fheight", "창 높이", 1, kMaxWindowSize_twips},
    {"fstate", "창 상태", -32768, 32767},
    {"mcenterx", "시야 중심(방위각, 적경)", -kMaxFoldedAngle_deg, kMaxFoldedAngle_deg},
    {"mcentery", "시야 중심(고도, 적위)", -90, 90},
    {"mfov", "시야", kMinViewFov_deg, kMaxViewFov_deg},
    {"ref_coord", "좌표계"},
    {"rotatemap", "zu 회전", -kMaxFoldedAngle_deg, kMaxFoldedAngle_deg},
    {"lon", "경도", -180, 180},
    {"lat", "위도", -90, 90},
    {"timezone", "시간대", kMinZone_h, kMaxZone_h},
    {"timezone2", "표준 시간대", kMinZone_h, kMaxZone_h},
    {"summertime", "일광 절약 시간"},
    {"synctime", "컴퓨터 시계에 맞추기"},
    {"jd", "날짜와 시각", kEarliestJD, kLatestJD},
    {"drawhorizon", "지평선"},
    {"viewalt", "지평 좌표"},
    {"viewequ", "적도 좌표"},
    {"viewecl", "황도"},
    {"viewgalequ", "은하 적도"},
    {"milkyway", "은하수"},
    {"showground", "지면"},
    {"spotstar", "별 기호"},
    {"viewspt", "분광형 표현"},
    {"viewstar", "별 그리기"},
    {"vmlimit", "극한등급", kMinMagnitude, kMaxMagnitude},
    {"sf", "별 크기", 0, kMaxStarSizeFactor},
    {"viewsn", "한국 별(星鏡) 번호"},
    {"viewbayer", "바이어 기호"},
    {"viewbayerlimit", "별 기호, 번호 등급", kMinMagnitude, kMaxMagnitude},
    {"viewflam", "플램스티드 번호"},
    {"viewnamelimit", "별 이름 등급", kMinMagnitude, kMaxMagnitude},
    {"viewstarname1", "동양 별이름"},
    {"viewstarname2", "서양 별이름"},
    {"drawnonstellar", "기(氣-성운, 성단, 은하) 그리기"},
    {"vmnonstellar", "성운, 성단, 은하 등급", kMinMagnitude, kMaxMagnitude},
    {"viewconstline", "서양 별자리선"},
    {"viewconstlinee", "동양 별자리선"},
    {"viewoldmap", "천상열차분야지도"},
    {"boldline", "굵은 별자리선"},
    {"viewcboundary", "별자리 경계선"},
    {"viewconstname", "서양별자리 이름"},
    {"viewconstnamee", "동양별자리 이름"},
    {"viewoldmapname", "천상열차분야지도 이름"},
    {"viewcname", "별자리 이름 형식"},
    {"cpolar", "항현권"},
    {"ipsoodo", "입수도"},
    {"oldequ", "전통 좌표 표시", 0, 2},
    {"viewconstar", "별 선택", 0, 1},
    {"viewplanet", "행성 그리기"},
    {"psystem", "지구 중심 위치"},
    {"drawcomet", "혜성"},
    {"drawasteroid", "소행성"},
    {"cometlimit", "혜성 등급", kMinMagnitude, kMaxMagnitude},
    {"asteroidlimit", "소행성 등급", kMinMagnitude, kMaxMagnitude},
    {"viewshadow", "지구 그림자 그리기"},
    {"CenterCross", "중심 십자"},
    {"calcprecession", "세차 운동"},
    {"calcpropermotion", "고유 운동"},
    {"viewcmark", "중심 표시"},
    {"viewccircle", "탐색원"},
    {"findcolor", "탐색원 색", 0, kMaxColour},
    {"fcircle00", "탐색원 1 크기", 0, kMaxFinderCircle_deg},
    {"fcircle10", "탐색원 2 크기", 0, kMaxFinderCircle_deg},
    {"liveskycolor", "해의 고도에 따른 하늘색"},
    {"inmoonlight", "달빛"},
    {"underhorizon", "지평선 아래", 0, 1},
    {"groundcol", "지면 색", 0, kMaxColour},
    {"twlcolor0", "밤 하늘색", 0, kMaxColour},
    {"twlcolor1", "천문박명(-15~-18도) 하늘색", 0, kMaxColour},
    {"twlcolor2", "천문박명(-12~-15도) 하늘색", 0, kMaxColour},
    {"twlcolor3", "항해박명 하늘색", 0, kMaxColour},
    {"twlcolor4", "시민박명 하늘색", 0, kMaxColour},
    {"twlcolor5", "낮 하늘색", 0, kMaxColour},
    {"oc", "O형 별색", 0, kMaxColour},
    {"bc", "B형 별색", 0, kMaxColour},
    {"ac", "A형 별색", 0, kMaxColour},
    {"fc", "F형 별색", 0, kMaxColour},
    {"gc", "G형 별색", 0, kMaxColour},
    {"kc", "K형 별색", 0, kMaxColour},
    {"mc", "M형 별색", 0, kMaxColour},
    {"juchon", "입수도 표시법"},
    {"rotateang", "회전 각도", -360, 360},
    {"starnamelang", "별 이름 형식", 0, 2},
    {"StarAutoMag", "극한등급 자동"},
    {"PNameLang", "행성 이름표", 0, 4},
    {"AtmoEff", "대기 효과"},
    {"ShowToolBar", "도구 모음"},
    {"TransPlanet", "행성을 반투명하게 그리기"},
    {"MagControl", "극한등급 보정", kMinMagnitude, kMaxMagnitude},
    {"drawcuscat0", "사용자 정의 목록 1"},
    {"drawcuscat1", "사용자 정의 목록 2"},
    {"usercatfile0is", "사용자 정의 목록 1 지정"},
    {"usercatfile1is", "사용자 정의 목록 2 지정"},
    {"AirEx", "대기 소광"},
    {"AirExCoff", "대기 소광 상수", 0, kMaxExtinctionCoefficient},
    {"UserDeltaT", "Delta T 직접 입력"},
    {"DeltaT", "Delta T", -kMaxUserDeltaT_s, kMaxUserDeltaT_s},
    {"Refraction", "대기 굴절"},
    {"Pressure", "기압", 0, kMaxPressure_hPa},
    {"Temperature", "기온", kMinTemperature_C, kMaxTemperature_C},
    {"DSONAME", "성운, 성단, 은하 이름표", 0, 3},
    {"ViewS2kLimit", "Sky 2000 목록 등급", kMinMagnitude, kMaxMagnitude},
    {"S2kName", "별 이름표(Sky 2000 목록)", 0, 3},
    {"MirrorHorizon", "좌우 뒤집기"},
    {"MirrorVertical", "상하 뒤집기"},
    {"LimitCometDisp", "혜성 표시 기간 제한"},
    {"LimitCometRange", "혜성 표시 기간", 0, kMaxCometRange_days},
    {"SetPath1", "궤적 시작 날짜", kEarliestJD, kLatestJD},
    {"SetPath2", "궤적 끝 날짜", kEarliestJD, kLatestJD},
    {"SetPath3", "궤적 시각", 0, 24},
    {"SetPath4", "궤적 간격", kMinTrackStep_days, kMaxTrackStep_days},
    {"SetPath5", "궤적 이름표 간격", 0, 32767},
    {"SetPath6", "궤적 시각 기준", 0, 9},
    {"SetPath7", "궤적 좌표 기준", 0, 255},
    {"SetPath9", "궤적 날짜를 zu 날짜에 맞추기"},
    {"SetPath10", "궤적 이름표 처음만 표시"},
    {"SetPath11", "궤적 꼬리"},
    {"ViewPath", "궤적 표시"},
    {"MapRefreshRate", "화면갱신간격", 1, 60},
};

// The captions of the style keys, by index: line colours and grid-label
// fonts as the colour tab names their lines, layer fonts as it names them.
constexpr std::array<std::string_view, kLineColorCount> kLineCaptions = {
    "지평선", "지평좌표", "적도좌표", "황도", "은하적도", "서양 별자리선", "동양 별자리선", "천상열차분야지도",
    "은하수", "별자리 경계선", "우리 별자리(항현권, 입수도)"};
constexpr std::array<std::string_view, kLayerStyleCount> kLayerCaptions = {
    "서양별자리 이름", "동양별자리 이름", "천상열차분야지도 이름", "서양 별이름", "동양 별이름", "혜성",
    "소행성", "행성", "별기호, 번호", "기(성운,성단)", "궤적 그리기"};

struct KeyRule {
    std::string caption;
    double low = 0;
    double high = 0;
};

// kSettingRules and the indexed style keys, by key.
const std::unordered_map<std::string, KeyRule>& SettingRules() {
    static const std::unordered_map<std::string, KeyRule> rules = [] {
        std::unordered_map<std::string, KeyRule> r;
        for (const SettingRule& rule : kSettingRules)
            r.emplace(std::string(rule.key), KeyRule{std::string(rule.caption), rule.low, rule.high});
        const auto font = [&](std::string_view head, int i, std::string_view caption, bool coloured) {
            const std::string name(caption);
            r.emplace(IndexedKey(head, i, "bold"), KeyRule{name + " 글꼴"});
            r.emplace(IndexedKey(head, i, "italic"), KeyRule{name + " 글꼴"});
            r.emplace(IndexedKey(head, i, "size"), KeyRule{name + " 글꼴 크기", 1, kMaxStoredFontSize_pt});
            if (coloured) r.emplace(IndexedKey(head, i, "color"), KeyRule{name + " 글꼴 색", 0, kMaxColour});
        };
        for (int i = 0; i < kLineColorCount; ++i) {
            const auto n = static_cast<std::size_t>(i);
            r.emplace(IndexedKey("mlinecolor", i, ""), KeyRule{std::string(kLineCaptions[n]) + " 색", 0, kMaxColour});
        }
        for (int i = 0; i < kLayerStyleCount; ++i) font("mfont", i, kLayerCaptions[static_cast<std::size_t>(i)], true);
        for (int i = 0; i < kGridFontCount; ++i) font("GridFont", i, kLineCaptions[static_cast<std::size_t>(i)], false);
        return r;
    }();
    return rules;
}

// True when a value is one the key's rule allows.
bool FollowsRule(ValueKind kind, const KeyRule& rule, std::string_view value) {
    if (kind == ValueKind::Switch || kind == ValueKind::ViewCoord) return IsUsableValue(kind, value);
    const std::optional<double> number = LeadingPlainNumber(value);
    if (!number) return false;
    if (kind == ValueKind::Int16 || kind == ValueKind::Int32)
        return RoundHalfEven(*number, static_cast<std::int64_t>(rule.low), static_cast<std::int64_t>(rule.high))
            .has_value();
    return InRange(*number, rule.low, rule.high);
}

// The keys read with `window` whose value (the first entry of the key) breaks
// its rule, in file order.
std::vector<std::string> DamagedKeysOf(std::string_view text, SettingsWindowKeys window) {
    std::vector<std::string> damaged;
    std::unordered_set<std::string> seen;
    for (const ConfigEntry& e : ParseConfigEntries(text)) {
        if (!seen.insert(e.Key).second) continue;
        const auto rule = SettingRules().find(e.Key);
        if (rule == SettingRules().end()) continue;
        std::optional<ValueKind> kind = FindKind(ChartFileKeys(), e.Key);
        if (!kind) {
            kind = FindKind(WindowKeys(), e.Key);
            if (kind && window == SettingsWindowKeys::Excluded) continue;
        }
        // A number kept as text (the finder circles' diameters).
        if (!FollowsRule(kind.value_or(ValueKind::Number), rule->second, e.Value)) damaged.push_back(e.Key);
    }
    return damaged;
}

// The store text without the entries of `keys`: they then read as absent.
std::string WithoutEntries(std::string_view text, const std::vector<std::string>& keys) {
    std::string kept;
    for (const ConfigEntry& e : ParseConfigEntries(text)) {
        if (std::find(keys.begin(), keys.end(), e.Key) != keys.end()) continue;
        kept += "[" + e.Key + "]" + e.Value + "[/" + e.Key + "]\r\n";
    }
    // An empty store text would read as no file at all.
    return kept.empty() ? std::string(1, ' ') : kept;
}

// Style keys whose absence keeps the style in force take their defaults when
// their value was damaged.
void ResetDamagedStyles(StyleTables& s, const std::vector<std::string>& keys) {
    if (keys.empty()) return;
    const StyleTables d = DefaultStyleTables();
    const auto damaged = [&](const std::string& key) { return std::find(keys.begin(), keys.end(), key) != keys.end(); };
    for (int i = 0; i < kLineColorCount; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (damaged(IndexedKey("mlinecolor", i, ""))) s.LineColorTable[n] = d.LineColorTable[n];
    }
    const auto font = [&](std::string_view head, int i, FontStyle& f, const FontStyle& df) {
        if (damaged(IndexedKey(head, i, "bold"))) f.Bold = df.Bold;
        if (damaged(IndexedKey(head, i, "italic"))) f.Italic = df.Italic;
        if (damaged(IndexedKey(head, i, "size"))) f.FontSize_pt = df.FontSize_pt;
        if (damaged(IndexedKey(head, i, "color"))) f.Color = df.Color;
    };
    for (int i = 0; i < kLayerStyleCount; ++i) {
        const auto n = static_cast<std::size_t>(i);
        font("mfont", i, s.LayerStyle[n], d.LayerStyle[n]);
    }
    for (int i = 0; i < kGridFontCount; ++i) {
        const auto n = static_cast<std::size_t>(i);
        font("GridFont", i, s.GridFontTable[n], d.GridFontTable[n]);
    }
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

    // A damaged value reads as if its entry were not there: its default.
    std::string& text = ConfigStore().ConfigText;
    state.DamagedKeys = DamagedKeysOf(text, window);
    if (!state.DamagedKeys.empty()) text = WithoutEntries(text, state.DamagedKeys);

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
    ResetDamagedStyles(styles, state.DamagedKeys);

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
    s.MapRefreshRate = ReadConfigInt("MapRefreshRate", defaults.MapRefreshRate);

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
    SettingsModule().DamagedKeys.clear();
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
    state.DefaultCfgNeedsBackup = false;
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
    } else if (!state.DamagedKeys.empty()) {
        // The user's own values are lost by the first save: the file as it
        // was is kept before it.
        state.DefaultCfgNeedsBackup = true;
        Notify(DamagedValuesMessage(path, state.DamagedKeys, SettingsWindowKeys::Included));
    }
    return status;
}

bool SaveDefaultSettings(const std::filesystem::path& user_folder) {
    SettingsState& state = SettingsModule();
    if (state.DefaultCfgProtected) return false;
    const std::filesystem::path path = user_folder / kDefaultSettingsFileName;
    if (state.DefaultCfgNeedsBackup) {
        if (!KeepSettingsBackup(path))
            throw platform::RunTimeError("설정 파일을 백업할 수 없어 저장하지 않았습니다: " + platform::FullName(path));
        state.DefaultCfgNeedsBackup = false;
    }
    // Kept in a dotfiles folder and linked here, it is written where it is.
    SaveSettings(path, SettingsWindowKeys::Included, platform::AtLink::WriteThrough);
    return true;
}

std::string DamagedValuesMessage(const std::filesystem::path& file, const std::vector<std::string>& keys,
                                 SettingsWindowKeys window) {
    std::vector<std::string> names;
    for (const std::string& key : keys) {
        const auto rule = SettingRules().find(key);
        names.push_back(rule == SettingRules().end() ? key : rule->second.caption);
    }
    std::string text = window == SettingsWindowKeys::Included
                           ? std::string(kDefaultedValuesSentence)
                           : std::string("zu 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다.");
    text += "\r\n" + platform::FullName(file) + "\r\n항목: " + FieldNameList(names);
    if (window == SettingsWindowKeys::Excluded) return text + "\r\n이 파일은 바꾸지 않습니다.";
    const std::string backup = BackupSentence(file);
    return backup.empty() ? text : text + "\r\n" + backup;
}

}  // namespace skydata
