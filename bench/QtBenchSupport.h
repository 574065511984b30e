#pragma once
// What the benchmarks of the Qt programs share: the fake services of a run
// from build/bin and a main that runs them offscreen.
#include <QByteArray>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

#include "platform/Fakes.h"
#include "platform/QtServices.h"

namespace bench {

// A user folder of this run's own under the system's temporary folder.
inline std::filesystem::path ScratchUserFolder() {
    const auto folder = std::filesystem::temp_directory_path() / ("zu_bench_user_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

// The services of a run from build/bin: the program folder is the working
// folder, the user folder a scratch one, the clock at 2024-03-15 21:00.
struct ProgramEnv {
    ProgramEnv() {
        env.folders.program = std::filesystem::current_path();
        env.folders.user = ScratchUserFolder();
        env.clock.Set(2024, 3, 15, 21, 0, 0);
    }
    platform::FakeEnv env;
};

// Runs the benchmarks inside the program's application object on the
// offscreen platform; `before_exit` drops what must go before the
// application does. The scratch user folder is removed at the end.
inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& before_exit = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (before_exit) before_exit();
    std::error_code ignored;
    std::filesystem::remove_all(ScratchUserFolder(), ignored);
    return 0;
}

}  // namespace bench
