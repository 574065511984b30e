// Start-up of the sky-chart program as a user meets it: milliseconds from
// starting a fresh process to the first painted chart (the splash delay of
// 200 ms included), and the resident memory at that moment. Each iteration
// starts this executable again as the program (the same entry as zu's main,
// with a watcher that reports the first paint of the chart over a pipe),
// under the offscreen platform with an empty user folder, so every start
// loads the data of the program folder and the default settings.
// Run from build/bin (the data and the orbit solver are found there).
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Memory.h"
#include "platform/QtServices.h"
#include "skydata/Catalogs.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Startup.h"

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--startup-child";

// Writes one byte to the pipe after the first paint of a chart widget has
// been handled.
class FirstPaintWatch final : public QObject {
public:
    explicit FirstPaintWatch(int fd) : fd_(fd) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!reported_ && event->type() == QEvent::Paint && dynamic_cast<app::ChartWidget*>(watched)) {
            reported_ = true;
            QTimer::singleShot(0, [fd = fd_] {
                const char byte = 1;
                if (write(fd, &byte, 1) != 1) std::_Exit(3);
            });
        }
        return false;
    }

private:
    int fd_;
    bool reported_ = false;
};

int RunProgram(int argc, char** argv, int fd) {
    platform::PreferLargePagesForHeap(skydata::kLoadedTablesHeapBytes);
    platform::Application application(argc, argv);
    platform::InstallQtServices("zu");
    FirstPaintWatch watch(fd);
    application.installEventFilter(&watch);
    if (!app::Main()) return 1;
    const int result = application.exec();
    app::ReleaseWindows();
    return result;
}

long KilobytesOf(const std::string& status, const char* field) {
    const auto at = status.find(field);
    if (at == std::string::npos) return -1;
    return std::strtol(status.c_str() + at + std::string(field).size(), nullptr, 10);
}

void BM_StartToFirstChart(benchmark::State& state) {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "zu_startup_bench_home";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    std::vector<std::string> env_text = {"HOME=" + home.string(), "QT_QPA_PLATFORM=offscreen",
                                         "LANG=C.UTF-8"};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("HOME=", 0) == 0 || entry.rfind("QT_QPA_PLATFORM=", 0) == 0 ||
            entry.rfind("XDG_", 0) == 0 || entry.rfind("LANG=", 0) == 0)
            continue;
        env_text.push_back(entry);
    }
    std::vector<char*> env;
    for (std::string& e : env_text) env.push_back(e.data());
    env.push_back(nullptr);

    long rss_kb = 0, hwm_kb = 0;
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        std::string fd_text = std::to_string(fds[1]);
        std::string self_text = self.string();
        std::string flag = kChildFlag;
        char* args[] = {self_text.data(), flag.data(), fd_text.data(), nullptr};
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, self_text.c_str(), nullptr, nullptr, args, env.data()) != 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        close(fds[1]);
        char byte = 0;
        const bool painted = read(fds[0], &byte, 1) == 1;
        const auto painted_at = std::chrono::steady_clock::now();
        close(fds[0]);
        if (painted) {
            std::ifstream in("/proc/" + std::to_string(pid) + "/status");
            const std::string status((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            rss_kb = KilobytesOf(status, "VmRSS:");
            hwm_kb = KilobytesOf(status, "VmHWM:");
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        if (!painted) {
            state.SkipWithError("the program ended before painting its chart");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(painted_at - start).count());
    }
    state.counters["rss_MB"] = static_cast<double>(rss_kb) / 1024.0;
    state.counters["peak_MB"] = static_cast<double>(hwm_kb) / 1024.0;
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_StartToFirstChart)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == kChildFlag) {
        int child_argc = 1;
        return RunProgram(child_argc, argv, std::atoi(argv[2]));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
