#pragma once
// Shared set-up of the program's tests: the Qt application, scripted
// services, an isolated user folder, the real program folder (the test's
// working folder, where the build links the data files) and the module state
// of a fresh run.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "astro/Atmosphere.h"
#include "astro/JulianDay.h"
#include "astro/OrbitElements.h"
#include "astro/Planets.h"
#include "astro/RiseSet.h"
#include "chart/ChartState.h"
#include "chart/PathLists.h"
#include "platform/QtFakes.h"
#include "platform/QtTestApp.h"
#include "skydata/Catalogs.h"
#include "skydata/Constellations.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "skydata/StartupTables.h"
#include "skydata/UserCatalogs.h"
#include "zu/core/MainState.h"
#include "zu/core/Tracks.h"

// Qt's own entry for a key press that may be a shortcut (what a real key
// press goes through first); exported by Qt GUI for its test library.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace zu::test {

// Presses `key` in `box` of its active window as a person would: the
// window's shortcuts first, then the box itself.
inline void PressKey(QWidget& box, int key) {
    box.window()->activateWindow();
    box.setFocus();
    QApplication::processEvents();
    if (qt_sendShortcutOverrideEvent(&box, 0, key, Qt::NoModifier, QString(), false, 1)) return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
}

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("zu_app_test_" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void ResetRun() {
    skydata::ResetSettingsModule();
    skydata::ResetCatalogs();
    skydata::ResetConstellations();
    skydata::ResetMapPointModule();
    skydata::ResetDrawnLineModule();
    skydata::ResetPathModule();
    ResetTrackModule();
    chart::ResetPathLists();
    skydata::ResetUserCatalogModule();
    skydata::ResetStartupTables();
    astro::ResetPlanetState();
    astro::ResetAtmosphere();
    astro::SmallBodies().Reset();
    chart::ResetChart();
    ResetMainState();
}

// Services scripted, program folder = the working folder, user folder empty
// and private to the test, module state of a fresh run.
struct ProgramEnv {
    ProgramEnv() {
        platform::EnsureQtApp();
        env.folders.program = std::filesystem::current_path();
        env.folders.user = user.path();
        env.folders.documents = documents.path();
        env.clock.Set(2024, 3, 15, 21, 7, 45);
        ResetRun();
    }
    TempFolder user;
    TempFolder documents;
    platform::FakeQtEnv env;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A settings file in the store's format (UTF-8 text of ASCII keys and values
// reads the same in code page 949).
inline void WriteSettingsFile(const std::filesystem::path& path,
                              std::initializer_list<std::pair<const char*, const char*>> entries) {
    std::ofstream out(path, std::ios::binary);
    for (const auto& [key, value] : entries) out << "[" << key << "]" << value << "[/" << key << "]\r\n";
}

// The first civil day (its midnight, local Julian day) of April 2024 in which
// the Moon does not transit at the site; it happens about once a month. 0
// when there is none.
inline double DayWithoutMoonTransit(double lat_deg, double lon_east_deg) {
    const double first = astro::DateToJD(2024, 4, 1, 0, 0, 0);
    for (int i = 0; i < 31; ++i) {
        double rise = 0, transit = 0, set = 0;
        astro::PlanetRiseSet(first + i, lat_deg, lon_east_deg, 8, rise, transit, set);
        if (transit < 0) return first + i;
    }
    return 0;
}

}  // namespace zu::test
