// Settings files with random values of every key's type (huge, tiny,
// negative, non-finite, out of range, or plain) each load and draw one chart
// in bounded time. A watchdog fails the run when one chart takes over 30 s:
// an endless walk over angles or dates shows up as that, not as a hang.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "chart/SettingsChartProbe.h"
#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"
#include "skydata/ConfigStore.h"
#include "skydata/UserCatalogs.h"

namespace {

namespace fs = std::filesystem;

// Keys of the settings with their kind; the values come from the kind's pool.
enum class Kind { Number, Whole, Switch, Text };
struct Key {
    const char* name;
    Kind kind;
};
const Key kKeys[] = {
    {"mcenterx", Kind::Number},  {"mcentery", Kind::Number},     {"mfov", Kind::Number},
    {"ref_coord", Kind::Text},   {"rotatemap", Kind::Number},    {"lon", Kind::Number},
    {"lat", Kind::Number},       {"timezone", Kind::Number},     {"timezone2", Kind::Number},
    {"summertime", Kind::Switch}, {"jd", Kind::Number},          {"drawhorizon", Kind::Switch},
    {"viewalt", Kind::Switch},   {"viewequ", Kind::Switch},      {"viewecl", Kind::Switch},
    {"viewgalequ", Kind::Switch}, {"milkyway", Kind::Switch},    {"showground", Kind::Switch},
    {"spotstar", Kind::Switch},  {"viewspt", Kind::Switch},      {"viewstar", Kind::Switch},
    {"vmlimit", Kind::Number},   {"sf", Kind::Number},           {"viewbayerlimit", Kind::Number},
    {"viewnamelimit", Kind::Number}, {"vmnonstellar", Kind::Number}, {"viewconstline", Kind::Switch},
    {"viewcboundary", Kind::Switch}, {"viewconstname", Kind::Switch}, {"cpolar", Kind::Switch},
    {"ipsoodo", Kind::Switch},   {"oldequ", Kind::Whole},        {"viewconstar", Kind::Whole},
    {"viewplanet", Kind::Switch}, {"cometlimit", Kind::Number},  {"asteroidlimit", Kind::Number},
    {"CenterCross", Kind::Switch}, {"viewcmark", Kind::Switch},  {"viewccircle", Kind::Switch},
    {"findcolor", Kind::Whole},  {"fcircle00", Kind::Number},    {"fcircle10", Kind::Number},
    {"liveskycolor", Kind::Switch}, {"inmoonlight", Kind::Switch}, {"underhorizon", Kind::Whole},
    {"groundcol", Kind::Whole},  {"rotateang", Kind::Number},    {"StarAutoMag", Kind::Switch},
    {"PNameLang", Kind::Whole},  {"AtmoEff", Kind::Switch},      {"MagControl", Kind::Number},
    {"AirEx", Kind::Switch},     {"AirExCoff", Kind::Number},    {"UserDeltaT", Kind::Switch},
    {"DeltaT", Kind::Number},    {"Refraction", Kind::Switch},   {"Pressure", Kind::Number},
    {"Temperature", Kind::Number}, {"DSONAME", Kind::Whole},     {"ViewS2kLimit", Kind::Number},
    {"MirrorHorizon", Kind::Switch}, {"MirrorVertical", Kind::Switch}, {"mlinecolor3", Kind::Whole},
    {"mfont8size", Kind::Whole}, {"SetPath4", Kind::Number},     {"ViewPath", Kind::Switch},
};

const char* const kNumbers[] = {"0",      " 1",     "-1",       " 60",     " 1E+16",  "-1E+16", " 1E+25",
                                "-1E+25", " 1E+308", "-1E+308", " 1E-300", "-3.4E+38", " 3.4E+38", "NaN",
                                "inf",    "-inf",   " 190",     " 90.5",   "-720",    " 2451545", " 1E+999",
                                "abc",    "",       " 0.0001",  " 35.82",  " 5000000", " 12.5"};
const char* const kWholes[] = {"0", " 1", "-1", " 2", " 32767", "-32768", " 2147483647", "-2147483648",
                               " 99999999999", " 16777215", " 255", "x"};
const char* const kSwitches[] = {"true", "false", "", "TRUE", "1"};
const char* const kTexts[] = {"a", "e", "E", "", "zz", "[x]"};

std::string RandomSettingsText(std::mt19937& rng) {
    std::string text = "[version]0.841[/version]\r\n";
    for (const Key& key : kKeys) {
        if (rng() % 4 == 0) continue;  // some keys absent
        const char* value = nullptr;
        switch (key.kind) {
            case Kind::Number: value = kNumbers[rng() % std::size(kNumbers)]; break;
            case Kind::Whole: value = kWholes[rng() % std::size(kWholes)]; break;
            case Kind::Switch: value = kSwitches[rng() % std::size(kSwitches)]; break;
            case Kind::Text: value = kTexts[rng() % std::size(kTexts)]; break;
        }
        text.append("[").append(key.name).append("]").append(value).append("[/").append(key.name).append("]\r\n");
    }
    return text;
}

class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : thread_([this, limit] {
        auto last = std::chrono::steady_clock::now();
        long seen = -1;
        while (!done_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (charts_ != seen) {
                seen = charts_;
                last = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - last > limit) {
                std::fprintf(stderr, "render stress: chart %ld did not finish within the limit\n", seen);
                std::_Exit(1);
            }
        }
    }) {}
    ~Watchdog() {
        done_ = true;
        thread_.join();
    }
    void Finished(long chart) { charts_ = chart; }

private:
    std::atomic<bool> done_{false};
    std::atomic<long> charts_{0};
    std::thread thread_;
};

TEST(RenderStress, RandomSettingsFilesEachDrawOneChart) {
    platform::EnsureQtApp();
    chart::probe::LoadSmallRealSky(fs::path(ZU_SOURCE_DIR) / "data");
    const fs::path dir = fs::temp_directory_path() / ("zu_render_stress_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::mt19937 rng(20080520);
    platform::ImageSurface surface(320, 240);
    Watchdog watchdog(std::chrono::seconds(30));
    for (long n = 1; n <= 200; ++n) {
        const std::string text = RandomSettingsText(rng);
        const fs::path file = dir / "Default.cfg";
        std::ofstream(file, std::ios::binary) << text;
        SCOPED_TRACE(text);
        chart::probe::DrawChartFromSettingsFile(file, surface);
        watchdog.Finished(n);
        const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
        ASSERT_TRUE(s.ViewFOV >= 1 && s.ViewFOV <= 190);
        ASSERT_TRUE(s.ViewCenterX >= -360 && s.ViewCenterX <= 360);
        ASSERT_TRUE(s.ViewCenterY >= -90 && s.ViewCenterY <= 90);
    }
    fs::remove_all(dir);
}

// Settings that once overflowed the legend's and star symbols' integers or
// the finder circles' radius draw with their defaults in place (the
// sanitizer build of the test command runs this too).
TEST(RenderStress, SettingsThatOverflowedDrawWithDefaults) {
    platform::EnsureQtApp();
    chart::probe::LoadSmallRealSky(fs::path(ZU_SOURCE_DIR) / "data");
    const fs::path dir = fs::temp_directory_path() / ("zu_render_ub_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const char* frame : {"a", "e"}) {
        std::ofstream(dir / "Default.cfg", std::ios::binary)
            << "[ref_coord]" << frame << "[/ref_coord]\r\n[vmlimit] 1E+25[/vmlimit]\r\n[MagControl] 3E+38[/MagControl]\r\n"
            << "[UserDeltaT]true[/UserDeltaT]\r\n[DeltaT] 1E+300[/DeltaT]\r\n[sf] 3E+38[/sf]\r\n[AirEx]true[/AirEx]\r\n"
            << "[AirExCoff]-3.4E+38[/AirExCoff]\r\n[viewccircle]true[/viewccircle]\r\n[fcircle00] 1E+300[/fcircle00]\r\n"
            << "[fcircle10]-1E+25[/fcircle10]\r\n[spotstar]true[/spotstar]\r\n";
        platform::ImageSurface surface(320, 240);
        chart::probe::DrawChartFromSettingsFile(dir / "Default.cfg", surface);
        const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
        const skydata::SettingsSnapshot d;
        EXPECT_EQ(s.vmlimit, d.vmlimit);
        EXPECT_EQ(s.MagControl, d.MagControl);
        EXPECT_EQ(s.DeltaT, d.DeltaT);
        EXPECT_EQ(s.sf, d.sf);
        EXPECT_EQ(s.AirExCoff, d.AirExCoff);
        EXPECT_EQ(s.fcircle00, d.fcircle00);
        EXPECT_EQ(s.fcircle10, d.fcircle10);
    }
    fs::remove_all(dir);
}

// Every number a saved settings file holds (view, site, time, limits,
// atmosphere, styles, window) set at once to 1e16, 1e25 or 1e308, either
// sign, with every switch on and in either frame: the load gives the view,
// site and time their defaults or clamps and the chart draws in bounded time.
TEST(RenderStress, HugeNumberInEveryKeyDrawsWithDefaults) {
    platform::EnsureQtApp();
    chart::probe::LoadSmallRealSky(fs::path(ZU_SOURCE_DIR) / "data");
    const fs::path dir = fs::temp_directory_path() / ("zu_render_every_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "Default.cfg";
    skydata::ResetSettingsModule();
    skydata::SettingsModule().Hooks.TodayJD = [] { return chart::probe::kProbeToday; };
    skydata::SaveSettings(file, skydata::SettingsWindowKeys::Included);
    std::string saved;
    {
        std::ifstream in(file, std::ios::binary);
        saved.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const skydata::SettingsSnapshot d;

    platform::ImageSurface surface(320, 240);
    Watchdog watchdog(std::chrono::seconds(30));
    long n = 0;
    for (const char* frame : {"a", "e"}) {
        for (const char* value : {" 1E+16", "-1E+16", " 1E+25", "-1E+25", " 1E+308", "-1E+308"}) {
            // Each "[key]value[/key]" entry of one line: numbers replaced, switches on.
            std::string text;
            int numbers = 0;
            std::size_t at = 0;
            while (at < saved.size()) {
                std::size_t end = saved.find("\r\n", at);
                if (end == std::string::npos) end = saved.size();
                std::string line = saved.substr(at, end - at);
                at = end + 2;
                const std::size_t open = line.find(']'), close = line.rfind("[/");
                if (line.size() > 2 && line[0] == '[' && open != std::string::npos && close != std::string::npos &&
                    close > open) {
                    const std::string key = line.substr(1, open - 1);
                    const std::string old = line.substr(open + 1, close - open - 1);
                    std::string fresh = old;
                    if (key == "ref_coord") {
                        fresh = frame;
                    } else if (old == "false") {
                        fresh = "true";
                    } else if (key != "version" && skydata::ParsePlainNumber(old)) {
                        fresh = value;
                        ++numbers;
                    }
                    line = "[" + key + "]" + fresh + "[/" + key + "]";
                }
                text += line + "\r\n";
            }
            ASSERT_GT(numbers, 100);
            std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
            SCOPED_TRACE(std::string(frame) + value);
            chart::probe::DrawChartFromSettingsFile(file, surface);
            watchdog.Finished(++n);
            const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
            EXPECT_EQ(s.ViewCoordSys, frame);
            EXPECT_EQ(s.ViewCenterX, d.ViewCenterX);
            EXPECT_EQ(s.ViewCenterY, d.ViewCenterY);
            EXPECT_EQ(s.ViewFOV, d.ViewFOV);
            EXPECT_EQ(s.MapRotation, d.MapRotation);
            EXPECT_EQ(s.lon, d.lon);
            EXPECT_EQ(s.lat, d.lat);
            EXPECT_EQ(s.timezone2, d.timezone2);
            EXPECT_EQ(s.CurrentJD, chart::probe::kProbeToday);
            EXPECT_EQ(s.vmlimit, d.vmlimit);
            EXPECT_EQ(s.DeltaT, d.DeltaT);
            EXPECT_EQ(s.sf, d.sf);
            EXPECT_EQ(s.AirExCoff, d.AirExCoff);
            EXPECT_EQ(s.MagControl, d.MagControl);
        }
    }
    fs::remove_all(dir);
}

// The drawing itself, handed a view no load would let through (a centre of
// 1e16 or more once made the grid and horizon walks endless), still ends.
TEST(RenderStress, HugeViewCentreDrawnDirectlyEnds) {
    platform::EnsureQtApp();
    chart::probe::LoadSmallRealSky(fs::path(ZU_SOURCE_DIR) / "data");
    const fs::path dir = fs::temp_directory_path() / ("zu_render_huge_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "Default.cfg", std::ios::binary) << "[viewalt]true[/viewalt]\r\n[viewequ]true[/viewequ]\r\n";
    platform::ImageSurface surface(320, 240);
    chart::probe::DrawChartFromSettingsFile(dir / "Default.cfg", surface);
    Watchdog watchdog(std::chrono::seconds(30));
    long n = 0;
    for (const char* frame : {"a", "e"}) {
        for (const double centre : {1e16, 1e25, 1e308, -1e25}) {
            chart::ChartView view;
            view.coord_sys = frame;
            view.center_lon_deg = centre;
            view.center_lat_deg = 20;
            view.rotation_deg = centre;
            view.jd_local = chart::probe::kProbeToday;
            chart::DrawMap(surface, view, chart::ModuleSources());
            watchdog.Finished(++n);
        }
    }
    fs::remove_all(dir);
}

// A line of every family of a user catalogue: the long line whose end 1e12
// degrees away once took minutes to walk before the window showed, and one
// of each other family in view of the chart.
const char* const kCatalogueLines[] = {
    "longln,10,20,1E+12,30,1", "ln,10,20,15,25,1",       "scl,10,20,30,1,s",
    "star,10,20,1,0.5,-0.5,B0,st", "nst,10,20,5,30,gx,n", "str,10,20,text,1",
};

// The line with its numeric field `field` (1 = the first after the kind)
// replaced, when the line has such a field.
std::string WithField(const std::string& line, std::size_t field, const std::string& value) {
    std::vector<std::string> parts;
    std::size_t at = 0;
    for (;;) {
        const std::size_t comma = line.find(',', at);
        parts.push_back(line.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    const auto numeric = [](const std::string& p) {
        return !p.empty() && (std::isdigit(static_cast<unsigned char>(p[0])) || p[0] == '-' || p[0] == '.');
    };
    if (field < parts.size() && numeric(parts[field])) parts[field] = value;
    std::string out = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i) out += "," + parts[i];
    return out;
}

// The catalogue of the report, and the same with NaN, -1e308 and 1e308 in
// each numeric field of a line of every family, each loads (refusing what no
// chart can use, with its file and line) and draws its chart and its printed
// page at once; the watchdog stands for a chart that does not end.
TEST(RenderStress, UserCatalogueWithUnusableNumbersLoadsAndDrawsAtOnce) {
    platform::EnsureQtApp();
    chart::probe::LoadSmallRealSky(fs::path(ZU_SOURCE_DIR) / "data");
    const fs::path dir = fs::temp_directory_path() / ("zu_render_usercat_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path settings = dir / "Default.cfg", catalogue = dir / "t.UC";
    std::ofstream(settings, std::ios::binary)
        << "[ref_coord]e[/ref_coord]\r\n[mcenterx] 10[/mcenterx]\r\n[mcentery] 20[/mcentery]\r\n"
        << "[mfov] 60[/mfov]\r\n[vmnonstellar] 10[/vmnonstellar]\r\n";
    const std::string header = "<Header>\r\nCatalog Name=t\r\nCoordinate=e\r\n</Header>\r\n<ObjectList>\r\n";
    constexpr long kFirstLine = 6;

    platform::ImageSurface surface(320, 240);
    platform::ImageSurface page(211, 297);
    Watchdog watchdog(std::chrono::seconds(20));
    long n = 0;
    // The report's catalogue: its one line refused and told once.
    {
        std::ofstream(catalogue, std::ios::binary) << header << kCatalogueLines[0] << "\r\n</ObjectList>\r\n";
        const std::string notice = chart::probe::DrawChartFromSettingsFile(settings, surface, catalogue);
        chart::probe::PrintChartOfLoadedSettings(page);
        watchdog.Finished(++n);
        EXPECT_EQ(notice, std::string(skydata::kRefusedLinesNotice) + "\r\n" + catalogue.string() + " " +
                              std::to_string(kFirstLine) + "행 범위를 벗어난 값");
        EXPECT_EQ(skydata::UserCatalogModule().Catalogs[0].Count[skydata::kCatLongLine], 0);
    }
    for (const char* value : {"NaN", "-1E+308", "1E+308"}) {
        for (std::size_t field = 1; field <= 5; ++field) {
            std::string text = header;
            for (const char* line : kCatalogueLines) text += WithField(line, field, value) + "\r\n";
            text += "</ObjectList>\r\n";
            std::ofstream(catalogue, std::ios::binary | std::ios::trunc) << text;
            SCOPED_TRACE(text);
            const std::string notice = chart::probe::DrawChartFromSettingsFile(settings, surface, catalogue);
            chart::probe::PrintChartOfLoadedSettings(page);
            watchdog.Finished(++n);
            // Every line the load kept holds numbers a chart can draw; every
            // other line is named in the notice.
            const skydata::CustomCatalog& cat = skydata::UserCatalogModule().Catalogs[0];
            std::size_t kept = 0;
            for (std::int32_t count : cat.Count) kept += static_cast<std::size_t>(count);
            std::size_t told = 0;
            for (std::size_t i = 0; i < std::size(kCatalogueLines); ++i) {
                const std::string where =
                    catalogue.string() + " " + std::to_string(kFirstLine + static_cast<long>(i)) + "행";
                if (notice.find(where) != std::string::npos) ++told;
            }
            if (const std::size_t all = notice.find("(모두 "); all != std::string::npos) {
                told = std::stoul(notice.substr(all + std::string("(모두 ").size()));
            }
            EXPECT_EQ(kept + told, std::size(kCatalogueLines));
            for (const auto& line : cat.Lines[1]) EXPECT_TRUE(line.RA2 >= -360 && line.RA2 <= 360);
        }
    }
    fs::remove_all(dir);
}

// The drawing itself, handed user-catalogue records no load lets through
// (NaN, 1e12 and 1e308 of either sign in every field, sizes and magnitudes
// at the ends of a Single), still ends, on the screen and on the page.
TEST(RenderStress, UserCatalogueRecordsDrawnDirectlyEnd) {
    platform::EnsureQtApp();
    chart::probe::LoadSmallRealSky(fs::path(ZU_SOURCE_DIR) / "data");
    const fs::path dir = fs::temp_directory_path() / ("zu_render_userrec_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "Default.cfg", std::ios::binary)
        << "[ref_coord]e[/ref_coord]\r\n[mcenterx] 10[/mcenterx]\r\n[mcentery] 20[/mcentery]\r\n";
    platform::ImageSurface surface(320, 240);
    platform::ImageSurface page(211, 297);
    Watchdog watchdog(std::chrono::seconds(20));
    long n = 0;
    const float single = std::numeric_limits<float>::max();
    for (const char* frame : {"a", "e"}) {
        for (const double v : {std::nan(""), 1e12, -1e12, 1e308, -1e308}) {
            chart::probe::DrawChartFromSettingsFile(dir / "Default.cfg", surface);
            skydata::SettingsSnapshot& s = skydata::CurrentSettings();
            s.drawcuscat0 = s.usercatfile0is = true;
            s.vmnonstellar = 30;
            skydata::CustomCatalog& cat = skydata::UserCatalogModule().Catalogs[0];
            cat = skydata::CustomCatalog{};
            cat.Coordinate = frame;
            for (int k = 0; k < 5; ++k) {
                const auto shape = [k](double ra, double dec, float size) {
                    skydata::CustomCatShape c;
                    c.RA = ra;
                    c.Dec = dec;
                    c.Size = size;
                    c.Shape = static_cast<std::uint8_t>(k + 1);
                    return c;
                };
                cat.Shapes[k] = {shape(v, 20, 10), shape(10, v, 10), shape(10, 20, single), shape(10, 20, -single)};
            }
            for (const float mag : {-single, single}) {
                skydata::CustomCatStar star;
                star.RA = 10;
                star.Dec = 20;
                star.Mag = mag;
                star.PmRA = star.PmDec = single;
                cat.Stars.push_back(star);
                for (std::uint8_t type = 0; type <= 5; ++type) {
                    skydata::CustomCatNst nst;
                    nst.RA = 10;
                    nst.Dec = 20;
                    nst.Mag = -1;
                    nst.Size = mag;
                    nst.Type = type;
                    cat.Nonstellar.push_back(nst);
                }
            }
            for (auto& lines : cat.Lines) {
                lines = {{10, 20, v, 30, 0}, {v, 20, 15, 25, 0}, {10, v, 15, v, 0}, {v, v, v, v, 0}};
            }
            cat.Texts = {{v, 20, "a", 0}, {10, v, "b", 0}};
            for (int k = 0; k < 5; ++k) cat.Count[k] = static_cast<std::int32_t>(cat.Shapes[k].size());
            cat.Count[skydata::kCatStar] = static_cast<std::int32_t>(cat.Stars.size());
            cat.Count[skydata::kCatNonstellar] = static_cast<std::int32_t>(cat.Nonstellar.size());
            cat.Count[skydata::kCatLine] = cat.Count[skydata::kCatLongLine] = 4;
            cat.Count[skydata::kCatText] = 2;

            chart::ChartView view;
            view.coord_sys = "e";
            view.center_lon_deg = 10;
            view.center_lat_deg = 20;
            view.jd_local = chart::probe::kProbeToday;
            s.calcpropermotion = true;
            chart::DrawMap(surface, view, chart::ModuleSources());
            chart::probe::PrintChartOfLoadedSettings(page);
            watchdog.Finished(++n);
        }
    }
    fs::remove_all(dir);
}

}  // namespace
