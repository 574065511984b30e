#pragma once
// Set-up of the calendar window's tests: the Qt application, the scripted
// services of the program "vu" with the clock at 2024-03-15 10:00, an
// isolated user folder, home and documents folder, and the calendar's module state of a fresh run.
#include <gtest/gtest.h>

#include <QLineEdit>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "calendar/CalendarState.h"
#include "calendar/SettingsFiles.h"
#include "platform/QtFakes.h"
#include "platform/QtTestApp.h"
#include "vu/grid/MonthGrid.h"

namespace vu::test {

class VuEnv {
public:
    VuEnv() {
        platform::EnsureQtApp();
        std::random_device rd;
        folder = std::filesystem::temp_directory_path() / ("vu_test_" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(folder / "user");
        std::filesystem::create_directories(folder / "program");
        env.folders.user = folder / "user";
        env.folders.program = folder / "program";
        std::filesystem::create_directories(folder / "home" / "Documents");
        env.folders.home = folder / "home";
        env.folders.documents = folder / "home" / "Documents";
        env.clock.Set(2024, 3, 15, 10, 0, 0);
        calendar::ResetCalendarState();
        calendar::ResetSettingsFilesState();
        ClearMonthCells(MonthGrid());
    }
    ~VuEnv() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    VuEnv(const VuEnv&) = delete;
    VuEnv& operator=(const VuEnv&) = delete;

    // The messages shown so far, text only.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const platform::Message& m : env.messages.shown) texts.push_back(m.text);
        return texts;
    }

    platform::FakeQtEnv env{"vu"};
    std::filesystem::path folder;
};

inline std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

}  // namespace vu::test
