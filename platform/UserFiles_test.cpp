#include "platform/UserFiles.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Fakes.h"
#include "platform/TextFile.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

// The sweep at start takes the program's own files and its settings files'
// backups in the user folder, nothing else.
TEST(UserFiles, TheStartSweepTakesTheLeftoversOfTheFilesNamed) {
    FakeEnv env;
    env.folders.user = fs::temp_directory_path() / ("zu_user_files_" + std::to_string(::getpid()));
    fs::remove_all(env.folders.user);
    fs::create_directories(env.folders.user);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    struct Case {
        const char* name;
        bool swept;
    } cases[] = {
        {"Default.cfg.zu-save-Ab12Cd", true},     {"Default.cfg.bak.zu-save-Ab12Cd", true},
        {"Default.cfg.bak7.zu-save-Ab12Cd", true}, {"PathCache.dat.zu-save-Ab12Cd", true},
        {"PathCache.dat.bak.zu-save-Ab12Cd", false}, {"CalConfig.cfg.zu-save-Ab12Cd", false},
        {"Default.cfg.bak1.zu-save-Ab12Cd", false}, {"Default.cfg.tmp42", false},
    };
    for (const Case& c : cases) {
        std::ofstream(env.folders.user / c.name) << "x";
        fs::last_write_time(env.folders.user / c.name, old);
    }
    RemoveUserFolderLeftovers({"Default.cfg", "PathCache.dat"}, {"Default.cfg"});
    for (const Case& c : cases) EXPECT_EQ(fs::exists(env.folders.user / c.name), !c.swept) << c.name;
    fs::remove_all(env.folders.user);

    // No user folder (a headless tool), or one not made yet: nothing happens.
    env.folders.user.clear();
    RemoveUserFolderLeftovers({"Default.cfg"}, {});
}

}  // namespace
}  // namespace platform
