#include "skydata/Settings.h"

#include "astro/JulianDay.h"
#include "platform/Fakes.h"
#include "platform/RunTimeError.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

namespace fs = std::filesystem;
using namespace skydata;

namespace {

// 2008-05-20 0 h local time (Meeus ch. 7: JD 2454606.5).
constexpr double kToday = 2454606.5;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAll();
        dir_ = fs::temp_directory_path() / ("zu_settings_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        ResetAll();
        fs::remove_all(dir_);
    }
    void ResetAll() {
        ResetSettingsModule();
        ResetMapPointModule();
        ResetDrawnLineModule();
        ResetPathModule();
        ResetStartupTables();
        ClearConfig();
        SettingsHooks& hooks = SettingsModule().Hooks;
        hooks.TodayJD = [] { return kToday; };
        hooks.ShowMessage = [this](const std::string& title, const std::string& text) {
            messages_.push_back(title + "|" + text);
        };
        messages_.clear();
    }
    void WriteFile(const std::string& name, const std::string& utf8) {
        ASSERT_TRUE(platform::WriteTextFileCp949(dir_ / name, utf8));
    }
    std::string FileText(const std::string& name) { return platform::ReadTextFileCp949(dir_ / name).value_or("?"); }
    fs::path dir_;
    std::vector<std::string> messages_;
};

// Gives every setting a value other than its default.
void ChangeEverySetting() {
    SettingsSnapshot& s = CurrentSettings();
    s.fwidth = 9000;
    s.fheight = 6000;
    s.fstate = 2;
    s.ViewCenterX = 123.25;
    s.ViewCenterY = -12.5;
    s.ViewFOV = 95.5;
    s.ViewCoordSys = "e";
    s.MapRotation = 33.3;
    s.lon = -127.5;
    s.lat = -33.9;
    s.timezone = -2.5;
    s.timezone2 = -3.5;
    s.nobsname = "보현산 천문대";
    s.summertime = true;
    s.RealTimeMode = true;
    s.CurrentJD = 2451545.25;
    s.drawhorizon = false;
    s.viewalt = true;
    s.viewequ = false;
    s.viewecl = false;
    s.viewgalequ = false;
    s.milkyway = true;
    s.showground = false;
    s.spotstar = true;
    s.viewspt = true;
    s.viewstar = false;
    s.vmlimit = 7.25;
    s.sf = 1.3f;
    s.viewsn = true;
    s.viewbayer = false;
    s.viewbayerlimit = 4.1f;
    s.viewflam = true;
    s.viewnamelimit = 2.2f;
    s.viewstarname1 = true;
    s.viewstarname2 = false;
    s.drawnonstellar = false;
    s.vmnonstellar = 11.3f;
    s.viewconstline = false;
    s.viewconstlinee = true;
    s.viewoldmap = true;
    s.boldline = true;
    s.viewcboundary = true;
    s.viewconstname = false;
    s.viewconstnamee = true;
    s.viewoldmapname = true;
    s.viewcname = true;
    s.cpolar = true;
    s.ipsoodo = true;
    s.oldequ = 2;
    s.viewconstar = 1;
    s.viewplanet = false;
    s.psystem = false;
    s.drawcomet = false;
    s.drawasteroid = false;
    s.cometlimit = 10.7f;
    s.asteroidlimit = 12.1f;
    s.viewshadow = true;
    s.CenterCross = true;
    s.calcprecession = false;
    s.calcpropermotion = false;
    s.viewcmark = true;
    s.viewccircle = true;
    s.findcolor = 255;
    s.fcircle00 = "2.5";
    s.fcircle01 = "F:파인더";
    s.fcircle10 = "0.5";
    s.fcircle11 = "T:망원경 [시야]";
    s.liveskycolor = true;
    s.inmoonlight = true;
    s.underhorizon = 1;
    s.groundcol = 1234567;
    s.juchon = false;
    s.rotateang = 2.5;
    s.starnamelang = 2;
    s.StarAutoMag = true;
    s.PNameLang = 4;
    s.AtmoEff = false;
    s.ShowToolBar = false;
    s.TransPlanet = true;
    s.MagControl = -0.7f;
    s.drawcuscat0 = true;
    s.drawcuscat1 = true;
    s.usercatfile0 = "/home/별/하나.UC";
    s.usercatfile1 = "/tmp/two.UC";
    s.usercatfile0is = true;
    s.usercatfile1is = true;
    s.fsetstr = {std::string("E100N200"), std::string("AOriAUMa"), std::string(""), std::string("AOri")};
    s.AirEx = true;
    s.AirExCoff = 0.35f;
    s.UserDeltaT = true;
    s.DeltaT = 65.5;
    s.Refraction = false;
    s.Pressure = 990.5;
    s.Temperature = -10;
    s.DSONAME = 3;
    s.ViewS2kLimit = 8.4f;
    s.S2kName = 1;
    s.MirrorHorizon = true;
    s.MirrorVertical = true;
    s.LimitCometDisp = false;
    s.LimitCometRange = 100.5;
    s.ViewPath = false;
    s.MapRefreshRate = 30;

    StyleTables& t = StartupTables().Styles;
    for (int i = 0; i < kLineColorCount; ++i) t.LineColorTable[i] = 1000 + i;
    for (int i = 0; i < kLayerStyleCount; ++i) {
        t.LayerStyle[i] = FontStyle{"맑은 고딕", 10 + i, 2000 + i, true, true};
    }
    for (int i = 0; i < kGridFontCount; ++i) t.GridFontTable[i] = FontStyle{"Arial", 20 + i, 0, true, true};
    for (int i = 0; i < kTwilightColorCount; ++i) t.TwilightColors[i] = 3000 + i;
    for (int i = 0; i < kSpectralColorCount; ++i) t.SpectralColors[i] = 4000 + i;

    AddMapPoint(10.5, 20.25, 3, 45, "표지 1", 255);
    AddMapPoint(200, -30, 5, 0.28f, "a<;b", 65280);
    AddDrawnLine(1, 2, 3, 4, 16711680, "선 하나");

    PathSettings& p = PathModule().Settings;
    p = PathSettings{2451000.5, 2451100.5, 21.5, 3, 6, 4, 1, "ND  ", true, false, true};
    PathModule().PathBodyList = {"P4", "P8"};
}

TEST_F(SettingsTest, FirstStartWithoutAFile) {
    ConstFilterTexts applied = {std::string("x"), std::string("x"), std::string("x"), std::string("x")};
    SettingsModule().Hooks.ApplyConstFilters = [&](const ConstFilterTexts& f) { applied = f; };
    EXPECT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Missing);
    const SettingsSnapshot& s = CurrentSettings();
    EXPECT_EQ(s.nobsname, "고령");
    EXPECT_EQ(s.lon, 128.46);
    EXPECT_EQ(s.lat, 35.82);
    EXPECT_EQ(s.timezone, 9);
    EXPECT_EQ(s.CurrentJD, kToday);
    EXPECT_EQ(s.ViewFOV, 60);
    EXPECT_EQ(s.ViewCenterX, 0);
    EXPECT_EQ(s.ViewCenterY, 28.5);
    EXPECT_EQ(s.ViewCoordSys, "a");
    EXPECT_TRUE(s.viewconstline);
    EXPECT_TRUE(s.viewconstname);
    EXPECT_EQ(s.fwidth, 8145);
    EXPECT_EQ(s.fheight, 7800);
    // No filter key: every constellation is shown.
    for (const auto& f : applied) EXPECT_FALSE(f.has_value());
    EXPECT_EQ(PathModule().Settings.StartJD, kToday);
    EXPECT_EQ(PathModule().Settings.EndJD, kToday + 30);
    EXPECT_EQ(PathModule().Settings.LabelFlags, "    ");
    EXPECT_TRUE(s.ViewPath);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(ConfigStore().ConfigText.empty());
}

TEST_F(SettingsTest, ChartFileReproducesEveryKeyButTheWindow) {
    SaveSettings(dir_ / "defaults.SKY", SettingsWindowKeys::Excluded);
    ChangeEverySetting();
    SaveSettings(dir_ / "a.SKY", SettingsWindowKeys::Excluded);
    const std::string a = FileText("a.SKY");

    // Every entry of the changed snapshot differs from the default one, so a
    // key that did not read back would show in the second save.
    std::map<std::string, std::string> plain;
    for (const ConfigEntry& e : ParseConfigEntries(FileText("defaults.SKY"))) plain[e.Key] = e.Value;
    const std::vector<ConfigEntry> changed = ParseConfigEntries(a);
    EXPECT_GT(changed.size(), 180u);
    for (const ConfigEntry& e : changed) {
        if (e.Key == "version") continue;
        const auto it = plain.find(e.Key);
        if (it != plain.end()) {
            EXPECT_NE(e.Value, it->second) << e.Key;
        }
    }
    EXPECT_EQ(a.find("[fwidth]"), std::string::npos);

    const SettingsSnapshot before = CurrentSettings();
    ResetAll();
    CurrentSettings().fwidth = 5000;
    PathModule().Names.CometIndexOf = [](std::string_view) { return std::nullopt; };
    EXPECT_EQ(LoadSettings(dir_ / "a.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Loaded);
    EXPECT_EQ(CurrentSettings().fwidth, 5000);
    EXPECT_EQ(CurrentSettings().nobsname, "보현산 천문대");
    EXPECT_EQ(CurrentSettings().AirExCoff, 0.35f);
    EXPECT_EQ(CurrentSettings().fsetstr, before.fsetstr);
    EXPECT_EQ(MapPointModule().MapPoints[1].Name, "a< ;b");
    EXPECT_EQ(PathModule().PathBodyList, (std::vector<std::string>{"P4", "P8"}));
    SaveSettings(dir_ / "b.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(FileText("b.SKY"), a);
}

TEST_F(SettingsTest, DefaultFileKeepsTheWindowInTwips) {
    CurrentSettings().fwidth = 12000;
    CurrentSettings().fstate = 2;
    ASSERT_TRUE(SaveDefaultSettings(dir_));
    const std::string text = FileText("Default.cfg");
    EXPECT_EQ(text.rfind("[version]0.841[/version]\r\n[fwidth] 12000[/fwidth]\r\n[fheight] 7800[/fheight]\r\n"
                         "[fstate] 2[/fstate]\r\n[mcenterx] 0[/mcenterx]\r\n",
                         0),
              0u);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
    ResetAll();
    EXPECT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Loaded);
    EXPECT_EQ(CurrentSettings().fwidth, 12000);
    EXPECT_EQ(CurrentSettings().fstate, 2);
}

// A file without a usable date, and the first start without a file, open on
// today at the site: the date in the site's zone (the standard zone, one hour
// more in summer time), whatever zone the computer keeps.
TEST_F(SettingsTest, MissingDateIsTodayAtTheSite) {
    struct Row {
        const char* name;
        int computer_zone_min;
        int utc_day, utc_hour, utc_minute;  // March 2024
        const char* file;                   // nullptr: no file (first start at 고령, zone 9)
        int site_day;                       // March 2024
    };
    const Row rows[] = {
        {"first start, computer at UTC+14, 21:30 at 고령", 14 * 60, 15, 12, 30, nullptr, 15},
        {"first start, computer at UTC, past midnight at 고령", 0, 15, 15, 30, nullptr, 16},
        {"first start, computer at UTC-10, past midnight at 고령", -10 * 60, 15, 15, 30, nullptr, 16},
        {"site at UTC-5, computer in Korea", 9 * 60, 16, 1, 0, "[timezone2]-5[/timezone2]\r\n", 15},
        {"site at UTC-5 in summer time", 9 * 60, 16, 4, 30,
         "[timezone2]-5[/timezone2]\r\n[summertime]True[/summertime]\r\n", 16},
        {"site at UTC-5 without summer time", 9 * 60, 16, 4, 30, "[timezone2]-5[/timezone2]\r\n", 15},
        {"date out of range", 14 * 60, 15, 12, 30, "[jd]1e12[/jd]\r\n", 15},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetAll();
        SettingsModule().Hooks.TodayJD = nullptr;
        fs::remove(dir_ / "Default.cfg");
        if (row.file) WriteFile("Default.cfg", row.file);
        platform::FakeEnv env;
        env.clock.zone_min = row.computer_zone_min;
        env.clock.now = platform::ShiftedByMinutes(
            platform::LocalTime{2024, 3, row.utc_day, row.utc_hour, row.utc_minute, 0, 0}, row.computer_zone_min);
        LoadDefaultSettings(dir_);
        EXPECT_EQ(CurrentSettings().CurrentJD, astro::DateToJD(2024, 3, row.site_day, 0, 0, 0));
        // Tracks without dates of their own start on that day.
        EXPECT_EQ(PathModule().Settings.StartJD, CurrentSettings().CurrentJD);
    }
}

// A "Default.cfg" kept in a dotfiles folder and linked into the user folder
// is saved where it is and stays a link; a chart file saved over a link
// replaces the link and leaves what it pointed at alone.
TEST_F(SettingsTest, ALinkedDefaultFileIsWrittenThroughAChartFileReplacesItsLink) {
    fs::create_directories(dir_ / "dotfiles");
    fs::create_directories(dir_ / "user");
    ASSERT_TRUE(platform::WriteTextFileCp949(dir_ / "dotfiles" / "zu.cfg", "[fwidth] 1[/fwidth]\r\n"));
    fs::create_symlink("../dotfiles/zu.cfg", dir_ / "user" / "Default.cfg");
    CurrentSettings().fwidth = 12000;
    ASSERT_TRUE(SaveDefaultSettings(dir_ / "user"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "user" / "Default.cfg"));
    EXPECT_NE(FileText("dotfiles/zu.cfg").find("[fwidth] 12000[/fwidth]"), std::string::npos);

    fs::create_symlink(dir_ / "dotfiles" / "zu.cfg", dir_ / "chart.SKY");
    SaveSettings(dir_ / "chart.SKY", SettingsWindowKeys::Excluded);
    EXPECT_FALSE(fs::is_symlink(dir_ / "chart.SKY"));
    EXPECT_NE(FileText("dotfiles/zu.cfg").find("[fwidth] 12000[/fwidth]"), std::string::npos);
    EXPECT_EQ(FileText("chart.SKY").find("[fwidth]"), std::string::npos);
}

// The folders of the user's last files live with the window in "Default.cfg":
// a chart file neither carries them nor, when opened, forgets them.
TEST_F(SettingsTest, RememberedFoldersStayInTheDefaultFileOnly) {
    SettingsSnapshot& s = CurrentSettings();
    s.ChartFolder = "/home/별/charts";
    s.PictureFolder = "/home/별/그림";
    s.CatalogFolder = "/srv/lists";
    s.PdfFolder = "/tmp/pdf";
    ASSERT_TRUE(SaveDefaultSettings(dir_));
    SaveSettings(dir_ / "a.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(FileText("a.SKY").find("Folder]"), std::string::npos);
    EXPECT_NE(FileText("Default.cfg").find("[CatalogFolder]/srv/lists[/CatalogFolder]"), std::string::npos);

    ResetAll();
    EXPECT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Loaded);
    EXPECT_EQ(CurrentSettings().ChartFolder, "/home/별/charts");
    EXPECT_EQ(CurrentSettings().PictureFolder, "/home/별/그림");
    EXPECT_EQ(CurrentSettings().PdfFolder, "/tmp/pdf");
    EXPECT_EQ(LoadSettings(dir_ / "a.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Loaded);
    EXPECT_EQ(CurrentSettings().CatalogFolder, "/srv/lists");

    // A file written before the folders were kept reads as "none yet".
    ResetAll();
    fs::create_directories(dir_ / "old");
    ASSERT_TRUE(SaveDefaultSettings(dir_ / "old"));
    EXPECT_EQ(FileText("old/Default.cfg").find("Folder]"), std::string::npos);
    CurrentSettings().PdfFolder = "/left/over";
    EXPECT_EQ(LoadDefaultSettings(dir_ / "old"), SettingsLoadStatus::Loaded);
    EXPECT_EQ(CurrentSettings().PdfFolder, "");
}

TEST_F(SettingsTest, KoreanSiteNameIsCodePage949OnDisk) {
    CurrentSettings().nobsname = "소백산";
    SaveSettings(dir_ / "k.SKY", SettingsWindowKeys::Excluded);
    const std::string bytes = *platform::ReadFileBytes(dir_ / "k.SKY");
    EXPECT_NE(bytes.find("[nobsname]\xBC\xD2\xB9\xE9\xBB\xEA[/nobsname]"), std::string::npos);
    ResetAll();
    LoadSettings(dir_ / "k.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(CurrentSettings().nobsname, "소백산");
}

TEST_F(SettingsTest, VersionLogic) {
    // 0.763 without fsetstr3: the Western boundaries follow the figure filter.
    // (A number beside the texts: a file of texts alone is no chart.)
    WriteFile("old.SKY", "[version]0.763[/version]\r\n[fsetstr1]AOriAUMa[/fsetstr1]\r\n[mfov] 60[/mfov]\r\n");
    LoadSettings(dir_ / "old.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(CurrentSettings().fsetstr[3], std::optional<std::string>("AOriAUMa"));
    EXPECT_FALSE(CurrentSettings().fsetstr[0].has_value());
    WriteFile("new.SKY",
              "[version]0.764[/version]\r\n[fsetstr1]AOri[/fsetstr1]\r\n[fsetstr3][/fsetstr3]\r\n[mfov] 60[/mfov]\r\n");
    LoadSettings(dir_ / "new.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(CurrentSettings().fsetstr[3], std::optional<std::string>(""));

    const std::string legacy =
        "[mappoint0cmt]y[/mappoint0cmt]\r\n[mappoint0ra]10.5[/mappoint0ra]\r\n[mappoint0de]-20[/mappoint0de]\r\n"
        "[mappoint0name]001 북극성[/mappoint0name]\r\n[mappoint0shape]3[/mappoint0shape]\r\n"
        "[mappoint1cmt]n[/mappoint1cmt]\r\n[mappoint1ra]50[/mappoint1ra]\r\n"
        "[mappoint7cmt] y [/mappoint7cmt]\r\n[mappoint7size]12[/mappoint7size]\r\n"
        "[PointData]y<; 1<; 2<;new<; 0<; 60<; 1\r\n[/PointData]\r\n";
    WriteFile("808.SKY", "[version]0.808[/version]\r\n" + legacy);
    LoadSettings(dir_ / "808.SKY", SettingsWindowKeys::Excluded);
    const auto& points = MapPointModule().MapPoints;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].RA, 10.5);
    EXPECT_EQ(points[0].Dec, -20);
    EXPECT_EQ(points[0].Name, "북극성");
    EXPECT_EQ(points[0].Kind, 3);
    EXPECT_EQ(points[0].Size, 60);
    EXPECT_EQ(points[0].Color, 255);
    EXPECT_EQ(points[1].Size, 12);

    WriteFile("809.SKY", "[version]0.809[/version]\r\n" + legacy);
    LoadSettings(dir_ / "809.SKY", SettingsWindowKeys::Excluded);
    ASSERT_EQ(MapPointModule().MapPoints.size(), 1u);
    EXPECT_EQ(MapPointModule().MapPoints[0].Name, "new");

    // No version at all counts as 0.705: legacy points and the boundary rule.
    WriteFile("none.SKY", legacy + "[fsetstr1]AAnd[/fsetstr1]\r\n[fsetstr3]ACas[/fsetstr3]\r\n");
    LoadSettings(dir_ / "none.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(MapPointModule().MapPoints.size(), 2u);
    EXPECT_EQ(CurrentSettings().fsetstr[3], std::optional<std::string>("AAnd"));
}

TEST_F(SettingsTest, ValuesOutsideTheirRangesAreRepaired) {
    WriteFile("wild.SKY",
              "[version]0.841[/version]\r\n[mfov]500[/mfov]\r\n[lat]-100[/lat]\r\n[timezone]20[/timezone]\r\n"
              "[timezone2]-15[/timezone2]\r\n[ref_coord]Q[/ref_coord]\r\n[jd]1e12[/jd]\r\n"
              "[PNameLang]9[/PNameLang]\r\n[DSONAME]7[/DSONAME]\r\n[S2kName]-1[/S2kName]\r\n"
              "[oldequ]5[/oldequ]\r\n[starnamelang]3[/starnamelang]\r\n[MapRefreshRate]0[/MapRefreshRate]\r\n"
              "[mfont3size]200[/mfont3size]\r\n[GridFont1size]1[/GridFont1size]\r\n[SetPath6]12[/SetPath6]\r\n"
              "[SetPath7]300[/SetPath7]\r\n[SetPath8]NDMTX[/SetPath8]\r\n[vmlimit]1e999[/vmlimit]\r\n");
    LoadSettings(dir_ / "wild.SKY", SettingsWindowKeys::Excluded);
    const SettingsSnapshot& s = CurrentSettings();
    EXPECT_EQ(s.ViewFOV, 60);
    EXPECT_EQ(s.lat, 35.82);
    EXPECT_EQ(s.timezone, 9);
    EXPECT_EQ(s.timezone2, 9);
    EXPECT_EQ(s.ViewCoordSys, "a");
    EXPECT_EQ(s.CurrentJD, kToday);
    EXPECT_EQ(s.PNameLang, 1);
    EXPECT_EQ(s.DSONAME, 0);
    EXPECT_EQ(s.S2kName, 3);
    EXPECT_EQ(s.oldequ, 0);
    EXPECT_EQ(s.starnamelang, 0);
    EXPECT_EQ(s.MapRefreshRate, 10);
    EXPECT_EQ(s.vmlimit, 5.5);
    EXPECT_EQ(StartupTables().Styles.LayerStyle[3].FontSize_pt, 72);
    EXPECT_EQ(StartupTables().Styles.GridFontTable[1].FontSize_pt, 4);
    EXPECT_EQ(PathModule().Settings.TimeRule, 0);
    EXPECT_EQ(PathModule().Settings.Reference, 0);
    EXPECT_EQ(PathModule().Settings.LabelFlags, "NDMT");

    WriteFile("lower.SKY", "[ref_coord] E [/ref_coord]\r\n[MapRefreshRate]60[/MapRefreshRate]\r\n");
    LoadSettings(dir_ / "lower.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(CurrentSettings().ViewCoordSys, "e");
    EXPECT_EQ(CurrentSettings().MapRefreshRate, 60);
}

// Huge finite numbers (which once hung the chart's grid and horizon walks) and
// their negatives in every view, site, time, limit and atmosphere key give the
// key's default.
TEST_F(SettingsTest, HugeNumbersTakeTheDefaultOrTheClamp) {
    const SettingsSnapshot d;
    struct Key {
        const char* name;
        double SettingsSnapshot::*field;
        double expected_high;  // for the positive huge value
        double expected_low;   // for the negative one
    };
    const Key doubles[] = {
        {"mcenterx", &SettingsSnapshot::ViewCenterX, d.ViewCenterX, d.ViewCenterX},
        {"mcentery", &SettingsSnapshot::ViewCenterY, d.ViewCenterY, d.ViewCenterY},
        {"mfov", &SettingsSnapshot::ViewFOV, d.ViewFOV, d.ViewFOV},
        {"rotatemap", &SettingsSnapshot::MapRotation, d.MapRotation, d.MapRotation},
        {"lon", &SettingsSnapshot::lon, d.lon, d.lon},
        {"lat", &SettingsSnapshot::lat, d.lat, d.lat},
        {"timezone", &SettingsSnapshot::timezone, d.timezone, d.timezone},
        {"timezone2", &SettingsSnapshot::timezone2, d.timezone2, d.timezone2},
        {"jd", &SettingsSnapshot::CurrentJD, kToday, kToday},
        {"vmlimit", &SettingsSnapshot::vmlimit, d.vmlimit, d.vmlimit},
        {"rotateang", &SettingsSnapshot::rotateang, d.rotateang, d.rotateang},
        {"DeltaT", &SettingsSnapshot::DeltaT, d.DeltaT, d.DeltaT},
        {"Pressure", &SettingsSnapshot::Pressure, d.Pressure, d.Pressure},
        {"Temperature", &SettingsSnapshot::Temperature, d.Temperature, d.Temperature},
        {"LimitCometRange", &SettingsSnapshot::LimitCometRange, d.LimitCometRange, d.LimitCometRange},
    };
    struct SingleKey {
        const char* name;
        float SettingsSnapshot::*field;
    };
    const SingleKey singles[] = {
        {"sf", &SettingsSnapshot::sf},
        {"viewbayerlimit", &SettingsSnapshot::viewbayerlimit},
        {"viewnamelimit", &SettingsSnapshot::viewnamelimit},
        {"vmnonstellar", &SettingsSnapshot::vmnonstellar},
        {"cometlimit", &SettingsSnapshot::cometlimit},
        {"asteroidlimit", &SettingsSnapshot::asteroidlimit},
        {"ViewS2kLimit", &SettingsSnapshot::ViewS2kLimit},
        {"MagControl", &SettingsSnapshot::MagControl},
        {"AirExCoff", &SettingsSnapshot::AirExCoff},
    };
    for (const char* magnitude : {"1E+16", "1E+25", "1E+308", "3.4E+38"}) {
        for (const char* sign : {"", "-"}) {
            std::string text = "[version]0.841[/version]\r\n";
            const std::string value = std::string(sign) + magnitude;
            const auto entry = [&](std::string_view key) {
                text.append("[").append(key).append("]").append(value).append("[/").append(key).append("]\r\n");
            };
            for (const Key& k : doubles) entry(k.name);
            for (const SingleKey& k : singles) entry(k.name);
            for (const char* k : {"fcircle00", "fcircle10"}) entry(k);
            text += "[PointData]y<;" + value + "<;" + value + "<;far<;255<;" + value + "<;1\r\n[/PointData]\r\n";
            text += "[DLine]" + value + "<;" + value + "<;" + value + "<;" + value + "<;255<;t\r\n[/DLine]\r\n";
            text += "[SetPath1]" + value + "[/SetPath1]\r\n[SetPath2]" + value + "[/SetPath2]\r\n";
            text += "[SetPath3]" + value + "[/SetPath3]\r\n[SetPath4]" + value + "[/SetPath4]\r\n";
            WriteFile("huge.SKY", text);
            ResetAll();
            ASSERT_EQ(LoadSettings(dir_ / "huge.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Loaded);
            const SettingsSnapshot& s = CurrentSettings();
            SCOPED_TRACE(value);
            for (const Key& k : doubles) EXPECT_EQ(s.*k.field, *sign ? k.expected_low : k.expected_high) << k.name;
            for (const SingleKey& k : singles) EXPECT_EQ(s.*k.field, d.*k.field) << k.name;
            EXPECT_EQ(s.fcircle00, d.fcircle00);
            EXPECT_EQ(s.fcircle10, d.fcircle10);
            ASSERT_EQ(MapPointModule().MapPoints.size(), 1u);
            ASSERT_EQ(DrawnLineModule().DrawnLines.size(), 1u);
            for (const MapPoint& m : MapPointModule().MapPoints) {
                EXPECT_TRUE(m.RA >= 0 && m.RA <= 360 && m.Dec >= -90 && m.Dec <= 90 && m.Size <= 360 * 60);
            }
            for (const DrawnLine& l : DrawnLineModule().DrawnLines) {
                EXPECT_TRUE(std::fabs(l.RA1) <= 360 && std::fabs(l.RA2) <= 360);
                EXPECT_TRUE(std::fabs(l.Dec1) <= 90 && std::fabs(l.Dec2) <= 90);
            }
            const PathSettings& p = PathModule().Settings;
            EXPECT_EQ(p.StartJD, kToday);
            EXPECT_EQ(p.EndJD, kToday + 30);
            EXPECT_EQ(p.Hour, 0);
            EXPECT_EQ(p.StepDays, 2);
        }
    }
}

// View angles of a typable size are folded; a longitude beyond 180 is damage.
TEST_F(SettingsTest, AnglesOfATypableSizeAreFolded) {
    WriteFile("fold.SKY",
              "[mcenterx]-370[/mcenterx]\r\n[rotatemap]725[/rotatemap]\r\n[lon]190[/lon]\r\n[mcentery]-90[/mcentery]\r\n");
    LoadSettings(dir_ / "fold.SKY", SettingsWindowKeys::Excluded);
    EXPECT_DOUBLE_EQ(CurrentSettings().ViewCenterX, 350);
    EXPECT_DOUBLE_EQ(CurrentSettings().MapRotation, 5);
    EXPECT_DOUBLE_EQ(CurrentSettings().lon, 128.46);
    EXPECT_EQ(CurrentSettings().ViewCenterY, -90);
}

TEST_F(SettingsTest, AbsentStyleKeysKeepTheStylesInUse) {
    StartupTables().Styles.LineColorTable[4] = 777;
    StartupTables().Styles.LayerStyle[2].FontName = "Tahoma";
    StartupTables().Styles.TwilightColors[1] = 5;
    WriteFile("s.SKY", "[mlinecolor5]42[/mlinecolor5]\r\n");
    LoadSettings(dir_ / "s.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(StartupTables().Styles.LineColorTable[4], 777);
    EXPECT_EQ(StartupTables().Styles.LineColorTable[5], 42);
    EXPECT_EQ(StartupTables().Styles.LayerStyle[2].FontName, "Tahoma");
    // Twilight colours have fixed defaults.
    EXPECT_EQ(StartupTables().Styles.TwilightColors[1], DefaultStyleTables().TwilightColors[1]);
}

TEST_F(SettingsTest, FontsNotInstalledBecomeGulim) {
    SettingsModule().Hooks.ListFonts = [](bool) { return std::vector<std::string>{"Tahoma", "굴림", "Arial"}; };
    WriteFile("f.SKY", "[mfont0name]tahoma[/mfont0name]\r\n[mfont1name]Comic Sans[/mfont1name]\r\n"
                       "[GridFont2name]Helvetica[/GridFont2name]\r\n[mfont0size]9[/mfont0size]\r\n");
    LoadSettings(dir_ / "f.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(StartupTables().Styles.LayerStyle[0].FontName, "tahoma");
    EXPECT_EQ(StartupTables().Styles.LayerStyle[1].FontName, "굴림");
    EXPECT_EQ(StartupTables().Styles.GridFontTable[2].FontName, "굴림");
    EXPECT_TRUE(FontExists("ARIAL"));
    EXPECT_FALSE(FontExists("Arial Black"));
}

TEST_F(SettingsTest, TracksAreComputedOnlyWhenABodyWasRestored) {
    std::vector<std::string> calls;
    PathModule().Hooks.ComputePaths = [&](const PathSettings& p) { calls.push_back("compute " + p.LabelFlags); };
    PathModule().Hooks.ProjectPaths = [&](const PathSettings&) { calls.push_back("project"); };
    WriteFile("p.SKY", "[jd]2451545.5[/jd]\r\n[SetPath8]N[/SetPath8]\r\n[ViewPath]false[/ViewPath]\r\n"
                       "[PathObj]P3\r\n[/PathObj]\r\n");
    LoadSettings(dir_ / "p.SKY", SettingsWindowKeys::Excluded);
    EXPECT_EQ(calls, (std::vector<std::string>{"compute N   ", "project"}));
    EXPECT_FALSE(CurrentSettings().ViewPath);
    EXPECT_EQ(PathModule().Settings.StartJD, 2451545.5);
    EXPECT_EQ(PathModule().Settings.EndJD, 2451575.5);

    calls.clear();
    WriteFile("q.SKY", "[ViewPath]false[/ViewPath]\r\n[PathObj]cUnknown\r\n[/PathObj]\r\n");
    LoadSettings(dir_ / "q.SKY", SettingsWindowKeys::Excluded);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(CurrentSettings().ViewPath);
    EXPECT_EQ(PathModule().PathBodyList, (std::vector<std::string>{""}));
}

TEST_F(SettingsTest, FilterTextsComeFromTheConstellationModuleWhenSaving) {
    SettingsModule().Hooks.GetConstFilters = [] {
        return ConstFilterTexts{std::string("E1"), std::string("W1"), std::string(""), std::string("B1")};
    };
    SaveSettings(dir_ / "f.SKY", SettingsWindowKeys::Excluded);
    const std::string text = FileText("f.SKY");
    EXPECT_NE(text.find("[fsetstr0]E1[/fsetstr0]\r\n[fsetstr1]W1[/fsetstr1]\r\n[fsetstr2][/fsetstr2]\r\n"
                        "[fsetstr3]B1[/fsetstr3]"),
              std::string::npos);
    // Without the module a filter never set stays unset in the file.
    SettingsModule().Hooks.GetConstFilters = nullptr;
    CurrentSettings().fsetstr = {std::nullopt, std::string(""), std::nullopt, std::nullopt};
    SaveSettings(dir_ / "g.SKY", SettingsWindowKeys::Excluded);
    const std::string g = FileText("g.SKY");
    EXPECT_EQ(g.find("[fsetstr0]"), std::string::npos);
    EXPECT_NE(g.find("[fsetstr1][/fsetstr1]"), std::string::npos);
    // A set whose data failed to load reports nothing: the text loaded is
    // saved as it was, never an empty "hide all".
    SettingsModule().Hooks.GetConstFilters = [] {
        return ConstFilterTexts{std::string("E1"), std::nullopt, std::string(""), std::nullopt};
    };
    CurrentSettings().fsetstr = {std::nullopt, std::string("And Ori"), std::nullopt, std::string("Ori")};
    SaveSettings(dir_ / "h.SKY", SettingsWindowKeys::Excluded);
    const std::string h = FileText("h.SKY");
    EXPECT_NE(h.find("[fsetstr1]And Ori[/fsetstr1]"), std::string::npos);
    EXPECT_NE(h.find("[fsetstr3]Ori[/fsetstr3]"), std::string::npos);
}

TEST_F(SettingsTest, UnreadableChartFileChangesNothing) {
    CurrentSettings().lat = 10;
    AddMapPoint(1, 2, 1, 60, "keep", 0);
    const std::string damaged = "\x01\x02 binary junk [[ ]] no entries";
    WriteFile("bad.SKY", damaged);
    EXPECT_EQ(LoadSettings(dir_ / "bad.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Damaged);
    EXPECT_EQ(LoadSettings(dir_, SettingsWindowKeys::Excluded), SettingsLoadStatus::Unreadable);
    EXPECT_EQ(CurrentSettings().lat, 10);
    EXPECT_EQ(MapPointModule().MapPoints[0].Name, "keep");
    EXPECT_EQ(messages_, (std::vector<std::string>{"zu|파일을 읽을 수 없습니다", "zu|파일을 읽을 수 없습니다"}));
}

// An empty, blank, cut-off or foreign chart file would put every setting (or
// every one after the cut) back to its default: it is refused and changes nothing.
TEST_F(SettingsTest, EmptyCutOffOrForeignChartFileChangesNothing) {
    SaveSettings(dir_ / "whole.SKY", SettingsWindowKeys::Excluded);
    const std::string whole = FileText("whole.SKY");
    const std::size_t cut = whole.find("[vmlimit]") + 4;
    const std::pair<const char*, std::string> cases[] = {
        {"zero bytes", ""},
        {"blanks and line ends", "  \r\n\t \r\n"},
        {"cut inside an entry", whole.substr(0, cut)},
        {"cut inside a closing tag", whole.substr(0, whole.find("[/mcentery]") + 5)},
        {"only foreign entries", "[Name]x[/Name]\r\n[Comment]y[/Comment]\r\n"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        ResetAll();
        CurrentSettings().lat = 10;
        CurrentSettings().ViewFOV = 33;
        WriteFile("bad.SKY", text);
        EXPECT_EQ(LoadSettings(dir_ / "bad.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Damaged);
        EXPECT_EQ(CurrentSettings().lat, 10);
        EXPECT_EQ(CurrentSettings().ViewFOV, 33);
        EXPECT_EQ(messages_, std::vector<std::string>{"zu|파일을 읽을 수 없습니다"});
    }
    ResetAll();
    WriteFile("whole.SKY", whole + "\r\n \r\n");
    EXPECT_EQ(LoadSettings(dir_ / "whole.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Loaded);
}

// A chart file whose values are all junk reads as every key absent and would
// reset every setting, the constellation filters included: it is refused like
// an empty one. Texts prove nothing (any text reads as itself); one usable
// number or switch among the junk makes it a chart.
TEST_F(SettingsTest, ChartFileOfJunkValuesChangesNothing) {
    const std::string junk = "[mcenterx]abc[/mcenterx]\r\n[lat]x[/lat]\r\n[jd]1E+400[/jd]\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"numbers that are no numbers", junk},
        {"junk numbers and an empty list of map points", junk + "[PointData][/PointData]\r\n"},
        {"junk numbers and a site name", "[lat]x[/lat]\r\n[nobsname]서울[/nobsname]\r\n"},
        {"texts only", "[ref_coord]q[/ref_coord]\r\n[nobsname][/nobsname]\r\n[usercatfile0] [/usercatfile0]\r\n"
                       "[fsetstr1]AOri[/fsetstr1]\r\n[mfont0name]Arial[/mfont0name]\r\n[DLine][/DLine]\r\n"
                       "[PathObj][/PathObj]\r\n[SetPath8]ab[/SetPath8]\r\n[mappoint0cmt]y[/mappoint0cmt]\r\n"},
        {"16-bit keys beyond their type", "[MapRefreshRate]-40000[/MapRefreshRate]\r\n[SetPath5]32768[/SetPath5]\r\n"},
        {"cut numbers and switches", "[mfov]1E[/mfov]\r\n[lon]12,5[/lon]\r\n[viewstar]yes[/viewstar]\r\n"
                                     "[SetPath9]1[/SetPath9]\r\n[ref_coord]q[/ref_coord]\r\n"},
        {"numbers too large for their type", "[PNameLang]1E+10[/PNameLang]\r\n[mfont0size]40000[/mfont0size]\r\n"
                                             "[sf]1E+39[/sf]\r\n[mlinecolor1]3E+9[/mlinecolor1]\r\n"},
        {"a junk first entry hides a good second", "[lat]north[/lat]\r\n[lat]37.5[/lat]\r\n"},
        {"only the version and window keys", "[version]0.841[/version]\r\n[fwidth]9000[/fwidth]\r\n"},
        {"a style key beyond the tables", "[mfont99size]10[/mfont99size]\r\n[mlinecolor11]5[/mlinecolor11]\r\n"},
    };
    int applied = 0;
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        ResetAll();
        SettingsModule().Hooks.ApplyConstFilters = [&](const ConstFilterTexts&) { ++applied; };
        CurrentSettings().lat = 10;
        CurrentSettings().ViewFOV = 33;
        CurrentSettings().fsetstr[1] = "AOri";
        AddMapPoint(1, 2, 1, 60, "keep", 0);
        WriteFile("junk.SKY", "[version]0.841[/version]\r\n" + text);
        EXPECT_EQ(LoadSettings(dir_ / "junk.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Damaged);
        EXPECT_EQ(CurrentSettings().lat, 10);
        EXPECT_EQ(CurrentSettings().ViewFOV, 33);
        EXPECT_EQ(CurrentSettings().fsetstr[1], std::optional<std::string>("AOri"));
        ASSERT_EQ(MapPointModule().MapPoints.size(), 1u);
        EXPECT_EQ(MapPointModule().MapPoints[0].Name, "keep");
        EXPECT_EQ(messages_, std::vector<std::string>{"zu|파일을 읽을 수 없습니다"});
    }
    EXPECT_EQ(applied, 0);

    const std::pair<const char*, std::string> charts[] = {
        {"one number", "[lat]abc[/lat]\r\n[mfov] 45[/mfov]\r\n"},
        {"one switch", "[jd]1E+400[/jd]\r\n[viewstar]False[/viewstar]\r\n"},
        {"one number among junk and texts", junk + "[PointData][/PointData]\r\n[mfont3size]12[/mfont3size]\r\n"},
        {"the view alone", "[ref_coord] E [/ref_coord]\r\n"},
        {"a number out of range", "[lat]-100[/lat]\r\n"},
    };
    for (const auto& [name, text] : charts) {
        SCOPED_TRACE(name);
        ResetAll();
        WriteFile("chart.SKY", text);
        EXPECT_EQ(LoadSettings(dir_ / "chart.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Loaded);
        EXPECT_TRUE(messages_.empty());
    }
    EXPECT_EQ(CurrentSettings().lat, 35.82);
}

TEST_F(SettingsTest, DamagedDefaultFileGivesDefaultsAndIsNotOverwritten) {
    for (const std::string damaged : {"this is not a settings file", "[lat] 10[/lat]\r\n[lon] 12"}) {
        ResetAll();
        WriteFile("Default.cfg", damaged);
        CurrentSettings().lat = 10;
        EXPECT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Damaged);
        EXPECT_EQ(CurrentSettings().lat, 35.82);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_NE(messages_[0].find("Default.cfg"), std::string::npos);
        EXPECT_FALSE(SaveDefaultSettings(dir_));
        EXPECT_EQ(FileText("Default.cfg"), damaged);
    }
}

// A "Default.cfg" without one usable number or switch would start with every
// default like a damaged one: it is reported and kept for the user, never
// written over at exit. One usable value, the window size too, makes it a
// settings file; a blank one is a first start.
TEST_F(SettingsTest, DefaultFileWithoutAUsableValueIsNotLoadedNorOverwritten) {
    const std::string junk = "[mcenterx]abc[/mcenterx]\r\n[lat]x[/lat]\r\n[jd]1E+400[/jd]\r\n";
    const std::pair<const char*, std::string> refused[] = {
        {"junk numbers and an empty list of map points", junk + "[PointData][/PointData]\r\n"},
        {"foreign entries", "[foo]bar[/foo]\r\n"},
        {"remembered folders and a junk window size",
         "[ChartFolder]/home/me[/ChartFolder]\r\n[fwidth]wide[/fwidth]\r\n[fstate]70000[/fstate]\r\n"},
    };
    for (const auto& [name, text] : refused) {
        SCOPED_TRACE(name);
        ResetAll();
        WriteFile("Default.cfg", text);
        CurrentSettings().lat = 10;
        EXPECT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Damaged);
        EXPECT_EQ(CurrentSettings().lat, 35.82);
        EXPECT_EQ(CurrentSettings().ChartFolder, "");
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_NE(messages_[0].find("Default.cfg"), std::string::npos);
        EXPECT_FALSE(SaveDefaultSettings(dir_));
        EXPECT_EQ(FileText("Default.cfg"), text);
    }

    const std::pair<const char*, std::string> loaded[] = {
        {"one number among junk", junk + "[PointData][/PointData]\r\n[lon] 127[/lon]\r\n"},
        {"the window size alone", "[fwidth]9000[/fwidth]\r\n"},
        {"blank", "\r\n"},
    };
    for (const auto& [name, text] : loaded) {
        SCOPED_TRACE(name);
        ResetAll();
        WriteFile("Default.cfg", text);
        EXPECT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Loaded);
        // The junk values around the usable one are named.
        EXPECT_EQ(messages_.size(), text.find("lat") == std::string::npos ? 0u : 1u);
        EXPECT_TRUE(SaveDefaultSettings(dir_));
    }
}

// A "Default.cfg" that is there but cannot be read (here a folder in its
// place): defaults, one notice, and nothing written over it at exit.
TEST_F(SettingsTest, UnreadableDefaultFileGivesDefaultsAndIsNotOverwritten) {
    fs::create_directories(dir_ / "Default.cfg" / "inside");
    CurrentSettings().lat = 10;
    EXPECT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Unreadable);
    EXPECT_EQ(CurrentSettings().lat, 35.82);
    EXPECT_EQ(CurrentSettings().nobsname, "고령");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("Default.cfg"), std::string::npos);
    EXPECT_FALSE(SaveDefaultSettings(dir_));
    EXPECT_TRUE(fs::is_directory(dir_ / "Default.cfg" / "inside"));
}

TEST_F(SettingsTest, MissingUserFolderIsAFirstStart) {
    CurrentSettings().lat = 10;
    EXPECT_EQ(LoadDefaultSettings(dir_ / "not_yet"), SettingsLoadStatus::Missing);
    EXPECT_EQ(CurrentSettings().lat, 35.82);
    EXPECT_TRUE(messages_.empty());
    fs::create_directories(dir_ / "not_yet");
    EXPECT_TRUE(SaveDefaultSettings(dir_ / "not_yet"));
}

TEST_F(SettingsTest, SaveIntoAMissingFolderRaises) {
    EXPECT_THROW(SaveSettings(dir_ / "no" / "x.SKY", SettingsWindowKeys::Excluded), platform::RunTimeError);
    EXPECT_THROW(SaveDefaultSettings(dir_ / "no"), platform::RunTimeError);
}

}  // namespace

// A value the file format does not allow (no number at all, NaN, a switch
// other than true or false) or one outside its setting's range is damage: the
// setting takes its first-start default, whatever was in force, and the user
// is told which settings by name. "Default.cfg" is kept as a numbered backup
// before the first write over it; a chart file is never written.
TEST_F(SettingsTest, DamagedValuesTakeTheirDefaultsAndAreNamed) {
    const StyleTables styles = DefaultStyleTables();
    struct Case {
        const char* key;
        const char* value;
        const char* caption;
        std::function<bool()> has_default;
    };
    const auto lat = [] { return CurrentSettings().lat == 35.82; };
    const auto jd = [] { return CurrentSettings().CurrentJD == kToday; };
    const auto viewstar = [] { return CurrentSettings().viewstar; };
    const auto groundcol = [] { return CurrentSettings().groundcol == 16384; };
    const auto line3 = [&] { return StartupTables().Styles.LineColorTable[3] == styles.LineColorTable[3]; };
    const auto font3 = [&] { return StartupTables().Styles.LayerStyle[3].FontSize_pt == styles.LayerStyle[3].FontSize_pt; };
    const auto grid1 = [&] { return StartupTables().Styles.GridFontTable[1].FontSize_pt == styles.GridFontTable[1].FontSize_pt; };
    const Case cases[] = {
        {"lat", "x", "위도", lat},
        {"lat", "", "위도", lat},
        {"lat", " NaN", "위도", lat},
        {"lat", "inf", "위도", lat},
        {"lat", " 200", "위도", lat},
        {"lat", "-90.5", "위도", lat},
        {"lat", " 1E+400", "위도", lat},
        {"jd", " 1E+300", "날짜와 시각", jd},
        {"viewstar", "x", "별 그리기", viewstar},
        {"viewstar", "", "별 그리기", viewstar},
        {"viewstar", "1", "별 그리기", viewstar},
        {"groundcol", "blue", "지면 색", groundcol},
        {"groundcol", " 16777216", "지면 색", groundcol},
        {"groundcol", "-1", "지면 색", groundcol},
        {"mlinecolor3", "NaN", "황도 색", line3},
        {"mfont3size", " 0", "서양 별이름 글꼴 크기", font3},
        {"mfont3size", "big", "서양 별이름 글꼴 크기", font3},
        {"mfont3size", " 99999", "서양 별이름 글꼴 크기", font3},
        {"GridFont1size", "", "지평좌표 글꼴 크기", grid1},
    };
    // Values other than the defaults, so that a default shows.
    const auto change_in_force = [] {
        CurrentSettings().lat = 10;
        CurrentSettings().CurrentJD = 2451545;
        CurrentSettings().viewstar = false;
        CurrentSettings().groundcol = 7;
        StartupTables().Styles.LineColorTable[3] = 7;
        StartupTables().Styles.LayerStyle[3].FontSize_pt = 30;
        StartupTables().Styles.GridFontTable[1].FontSize_pt = 30;
    };
    for (const Case& c : cases) {
        const std::string entry = std::string("[") + c.key + "]" + c.value + "[/" + c.key + "]\r\n";
        const std::string text = "[version]0.841[/version]\r\n[lon] 127[/lon]\r\n" + entry;
        SCOPED_TRACE(entry);

        ResetAll();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        WriteFile("Default.cfg", text);
        const std::optional<std::string> bytes = platform::ReadFileBytes(dir_ / "Default.cfg");
        change_in_force();
        ASSERT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Loaded);
        EXPECT_TRUE(c.has_default());
        EXPECT_EQ(CurrentSettings().lon, 127);
        EXPECT_EQ(SettingsModule().DamagedKeys, std::vector<std::string>{c.key});
        EXPECT_EQ(messages_, std::vector<std::string>{
                                 "zu|설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다.\r\n" +
                                 platform::FullName(dir_ / "Default.cfg") + "\r\n항목: " + c.caption +
                                 "\r\n원래 파일은 이 파일에 저장하기 전에 Default.cfg.bak 파일로 남겨 둡니다."});
        EXPECT_FALSE(fs::exists(dir_ / "Default.cfg.bak"));
        ASSERT_TRUE(SaveDefaultSettings(dir_));
        EXPECT_EQ(platform::ReadFileBytes(dir_ / "Default.cfg.bak"), bytes);
        EXPECT_NE(platform::ReadFileBytes(dir_ / "Default.cfg"), bytes);
        // Only the first write keeps a backup.
        ASSERT_TRUE(SaveDefaultSettings(dir_));
        EXPECT_FALSE(fs::exists(dir_ / "Default.cfg.bak2"));

        ResetAll();
        WriteFile("chart.SKY", text);
        change_in_force();
        ASSERT_EQ(LoadSettings(dir_ / "chart.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Loaded);
        EXPECT_TRUE(c.has_default());
        EXPECT_EQ(CurrentSettings().lon, 127);
        EXPECT_EQ(SettingsModule().DamagedKeys, std::vector<std::string>{c.key});
        EXPECT_EQ(DamagedValuesMessage(dir_ / "chart.SKY", SettingsModule().DamagedKeys, SettingsWindowKeys::Excluded),
                  "zu 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다.\r\n" +
                      platform::FullName(dir_ / "chart.SKY") + "\r\n항목: " + c.caption + "\r\n이 파일은 바꾸지 않습니다.");
        EXPECT_TRUE(messages_.empty());
        EXPECT_EQ(FileText("chart.SKY"), text);
        EXPECT_FALSE(fs::exists(dir_ / "chart.SKY.bak"));
    }
}

// The control: values the format allows, a number followed by other text
// read as that number, give no message and no backup.
TEST_F(SettingsTest, ValidValuesGiveNoMessage) {
    const std::string text =
        "[lat] 37.5abc[/lat]\r\n[lon]-180[/lon]\r\n[viewstar] TRUE [/viewstar]\r\n[groundcol] 16777215[/groundcol]\r\n"
        "[mlinecolor3] 0[/mlinecolor3]\r\n[mfont3size] 12[/mfont3size]\r\n[GridFont1size] 8.5[/GridFont1size]\r\n"
        "[oldequ] 2.4[/oldequ]\r\n[mcenterx]-370[/mcenterx]\r\n";
    WriteFile("Default.cfg", text);
    ASSERT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Loaded);
    const SettingsSnapshot& s = CurrentSettings();
    EXPECT_EQ(s.lat, 37.5);
    EXPECT_EQ(s.lon, -180);
    EXPECT_TRUE(s.viewstar);
    EXPECT_EQ(s.groundcol, 0xFFFFFF);
    EXPECT_EQ(StartupTables().Styles.LineColorTable[3], 0);
    EXPECT_EQ(StartupTables().Styles.LayerStyle[3].FontSize_pt, 12);
    EXPECT_EQ(StartupTables().Styles.GridFontTable[1].FontSize_pt, 8);
    EXPECT_EQ(s.oldequ, 2);
    EXPECT_DOUBLE_EQ(s.ViewCenterX, 350);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(SettingsModule().DamagedKeys.empty());
    ASSERT_TRUE(SaveDefaultSettings(dir_));
    EXPECT_FALSE(fs::exists(dir_ / "Default.cfg.bak"));

    WriteFile("chart.SKY", text);
    ASSERT_EQ(LoadSettings(dir_ / "chart.SKY", SettingsWindowKeys::Excluded), SettingsLoadStatus::Loaded);
    EXPECT_EQ(CurrentSettings().lat, 37.5);
    EXPECT_TRUE(SettingsModule().DamagedKeys.empty());
    EXPECT_TRUE(messages_.empty());
}

// Several damaged values make one message naming each setting once, in file
// order; a backup name holding other bytes is never replaced: the next
// number is used and named.
TEST_F(SettingsTest, SeveralDamagedValuesMakeOneMessageAndTheBackupIsNeverReplaced) {
    WriteFile("Default.cfg.bak", "an older backup");
    const std::string text = "[lon] 500[/lon]\r\n[lat]x[/lat]\r\n[mfov] 45[/mfov]\r\n[viewstar]yes[/viewstar]\r\n"
                             "[timezone2] 99[/timezone2]\r\n[lat] 37[/lat]\r\n";
    WriteFile("Default.cfg", text);
    ASSERT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Loaded);
    EXPECT_EQ(CurrentSettings().lon, 128.46);
    EXPECT_EQ(CurrentSettings().timezone2, 9);
    EXPECT_EQ(CurrentSettings().ViewFOV, 45);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("\r\n항목: 경도, 위도, 별 그리기, 표준 시간대\r\n"), std::string::npos) << messages_[0];
    EXPECT_NE(messages_[0].find("Default.cfg.bak2 파일로 남겨 둡니다."), std::string::npos) << messages_[0];
    ASSERT_TRUE(SaveDefaultSettings(dir_));
    EXPECT_EQ(FileText("Default.cfg.bak"), "an older backup");
    EXPECT_EQ(FileText("Default.cfg.bak2"), text);
}

// When the damaged file cannot be kept (here no backup name can be written
// beside it), nothing is written over it.
TEST_F(SettingsTest, ADamagedDefaultFileThatCannotBeKeptIsNotOverwritten) {
    WriteFile("Default.cfg", "[lat]x[/lat]\r\n[lon] 127[/lon]\r\n");
    ASSERT_EQ(LoadDefaultSettings(dir_), SettingsLoadStatus::Loaded);
    fs::create_directories(dir_ / "Default.cfg.bak" / "inside");
    for (int n = 2; n <= 999; ++n) fs::create_directories(dir_ / ("Default.cfg.bak" + std::to_string(n)));
    EXPECT_THROW(SaveDefaultSettings(dir_), platform::RunTimeError);
    EXPECT_EQ(FileText("Default.cfg"), "[lat]x[/lat]\r\n[lon] 127[/lon]\r\n");
}
