// Start-up of the sky-chart program as a user meets it: milliseconds from
// starting a fresh process to the first painted chart (the splash delay of
// 200 ms included), and the resident memory at that moment. Each iteration
// starts this executable again as the program (the same entry as zu's main,
// with a watcher that reports the first paint of the chart over a pipe),
// under the offscreen platform with an empty user folder, so every start
// loads the data of the program folder and the default settings.
//
// The counters split the median start into its steps, each in milliseconds
// from the one before: app (process start to the application object),
// splash (to the splash window painted), delay (to its timer firing), load
// (to the main window's construction beginning: the tables and settings
// read), window (to the main window shown), chart (to the first chart
// painted).
//
// BM_BareWindow is the same process start with a plain Qt window shown after
// the same 200 ms delay instead of the program: the least any start costs.
// Run from build/bin (the data and the orbit solver are found there).
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <ctime>
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
#include "zu/main/Form1.h"
#include "zu/main/Startup.h"

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--startup-child";
constexpr const char* kBareFlag = "--bare-child";
constexpr int kSplashDelay_ms = 200;

// The steps of a start, as CLOCK_MONOTONIC nanoseconds (the same clock in
// every process); the child sends them over the pipe after the first paint.
enum Step { kApp, kSplash, kDelay, kLoad, kWindow, kChart, kSteps };
constexpr const char* kStepNames[kSteps] = {"app", "splash", "delay", "load", "window", "chart"};
using StepTimes = std::array<std::int64_t, kSteps>;

std::int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void Send(int fd, const StepTimes& times) {
    if (write(fd, times.data(), sizeof times) != static_cast<ssize_t>(sizeof times)) std::_Exit(3);
}

// Notes the steps from the events the program's windows receive and sends
// them after the first paint of a chart widget has been handled.
class StepWatch final : public QObject {
public:
    StepWatch(int fd, StepTimes& times) : fd_(fd), times_(times) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (!times_[kSplash] && type == QEvent::Paint && dynamic_cast<zu::frmSplash*>(watched)) {
            QTimer::singleShot(0, [this] { times_[kSplash] = NowNs(); });
        } else if (!times_[kDelay] && type == QEvent::Timer && dynamic_cast<zu::frmSplash*>(watched->parent())) {
            times_[kDelay] = NowNs();
        } else if (!times_[kLoad] && dynamic_cast<zu::Form1*>(watched)) {
            times_[kLoad] = NowNs();
        } else if (!times_[kWindow] && type == QEvent::Show && dynamic_cast<zu::Form1*>(watched)) {
            times_[kWindow] = NowNs();
        } else if (!times_[kChart] && type == QEvent::Paint && dynamic_cast<zu::ChartWidget*>(watched)) {
            times_[kChart] = 1;
            QTimer::singleShot(0, [this] {
                times_[kChart] = NowNs();
                Send(fd_, times_);
            });
        }
        return false;
    }

private:
    int fd_;
    StepTimes& times_;
};

int RunProgram(int argc, char** argv, int fd) {
    StepTimes times{};
    platform::PreferLargePagesForHeap(skydata::kLoadedTablesHeapBytes);
    platform::Application application(argc, argv);
    times[kApp] = NowNs();
    platform::InstallQtServices("zu");
    StepWatch watch(fd, times);
    application.installEventFilter(&watch);
    if (!zu::Main()) return 1;
    const int result = application.exec();
    zu::ReleaseWindows();
    return result;
}

// A plain window with a painted client area, shown after the splash delay.
class BareClient final : public QWidget {
public:
    BareClient(int fd, StepTimes& times) : fd_(fd), times_(times) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::black);
        if (times_[kChart]) return;
        times_[kChart] = 1;
        QTimer::singleShot(0, [this] {
            times_[kChart] = NowNs();
            Send(fd_, times_);
        });
    }

private:
    int fd_;
    StepTimes& times_;
};

int RunBareWindow(int argc, char** argv, int fd) {
    StepTimes times{};
    QApplication application(argc, argv);
    times[kApp] = NowNs();
    QMainWindow window;
    window.resize(800, 600);
    window.setCentralWidget(new BareClient(fd, times));
    QTimer::singleShot(kSplashDelay_ms, [&] {
        times[kDelay] = NowNs();
        window.show();
    });
    return application.exec();
}

long KilobytesOf(const std::string& status, const char* field) {
    const auto at = status.find(field);
    if (at == std::string::npos) return -1;
    return std::strtol(status.c_str() + at + std::string(field).size(), nullptr, 10);
}

// Starts this executable with `flag` `iterations` times; the time of each
// start is to the first paint, the counters the median steps and the memory.
void RunStarts(benchmark::State& state, const char* flag) {
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
    std::array<std::vector<double>, kSteps> steps;
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        std::string fd_text = std::to_string(fds[1]);
        std::string self_text = self.string();
        std::string flag_text = flag;
        char* args[] = {self_text.data(), flag_text.data(), fd_text.data(), nullptr};
        const std::int64_t start_ns = NowNs();
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, self_text.c_str(), nullptr, nullptr, args, env.data()) != 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        close(fds[1]);
        StepTimes times{};
        const bool painted = read(fds[0], times.data(), sizeof times) == static_cast<ssize_t>(sizeof times);
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
        std::int64_t before = start_ns;
        for (int i = 0; i < kSteps; ++i) {
            if (!times[i]) continue;  // a step the bare window has not
            steps[i].push_back(static_cast<double>(times[i] - before) / 1e6);
            before = times[i];
        }
        state.SetIterationTime(std::chrono::duration<double>(painted_at - start).count());
    }
    for (int i = 0; i < kSteps; ++i) {
        std::vector<double>& v = steps[i];
        if (v.empty()) continue;
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        state.counters[kStepNames[i]] = v[v.size() / 2];
    }
    state.counters["rss_MB"] = static_cast<double>(rss_kb) / 1024.0;
    state.counters["peak_MB"] = static_cast<double>(hwm_kb) / 1024.0;
    std::filesystem::remove_all(home);
}

void BM_StartToFirstChart(benchmark::State& state) { RunStarts(state, kChildFlag); }
BENCHMARK(BM_StartToFirstChart)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_BareWindow(benchmark::State& state) { RunStarts(state, kBareFlag); }
BENCHMARK(BM_BareWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == kChildFlag) {
        int child_argc = 1;
        return RunProgram(child_argc, argv, std::atoi(argv[2]));
    }
    if (argc == 3 && std::string(argv[1]) == kBareFlag) {
        int child_argc = 1;
        return RunBareWindow(child_argc, argv, std::atoi(argv[2]));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
