#include "zu/main/Startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <filesystem>
#include <future>
#include <memory>

#include "platform/Guard.h"
#include "platform/Memory.h"
#include "platform/RunTimeError.h"
#include "platform/Services.h"
#include "platform/UserFiles.h"
#include "skydata/Settings.h"
#include "zu/core/SiteList.h"
#include "zu/core/Tracks.h"
#include "zu/main/Form1.h"

namespace zu {
namespace {

constexpr int kSplashWidth_px = 459;
constexpr int kSplashHeight_px = 300;
constexpr int kSplashDelay_ms = 200;
constexpr const char* kSplashFileName = "splash.dat";
constexpr const char* kProgramTitle = "zu";

std::unique_ptr<frmSplash>& SplashHolder() {
    static std::unique_ptr<frmSplash> splash;
    return splash;
}

std::unique_ptr<Form1>& MainHolder() {
    static std::unique_ptr<Form1> form;
    return form;
}

// The tables and settings read while the splash waits: the loader touches
// no window and asks nothing of the user (its notices wait for the chart),
// so it runs beside the splash's delay; the timer takes its result, an
// error included.
std::future<void>& PendingLoad() {
    static std::future<void> load;
    return load;
}

void LoadOrTakePending() {
    if (PendingLoad().valid()) {
        PendingLoad().get();
        return;
    }
    LoadProgramState(platform::Env().folders->ProgramFolder());
}

}  // namespace

Form1* InitProgram(QWidget* splash) {
    try {
        LoadOrTakePending();
    } catch (const platform::RunTimeError& error) {
        if (splash) splash->hide();
        platform::MsgBox(error.what(), platform::MsgButtons::Ok, platform::MsgIcon::Critical, kProgramTitle);
        return nullptr;
    }
    auto form = std::make_unique<Form1>();
    form->ApplyStoredWindowState();
    if (splash) splash->close();
    form->ShowAsStored();
    // Stored tracks that take long are computed over the first chart, with
    // their progress and "취소".
    if (ComputePendingPaths()) form->SetMapBox();
    // The chart is drawn: what the loaders read and built on the way is free.
    platform::ReleaseFreeHeap();
    for (const std::string& notice : TakeStartupNotices()) {
        platform::MsgBox(notice, platform::MsgButtons::Ok, platform::MsgIcon::Information, kProgramTitle);
    }
    return form.release();
}

frmSplash::frmSplash(std::function<void()> on_timer) : QWidget(nullptr, Qt::SplashScreen), on_timer_(std::move(on_timer)) {
    setObjectName("frmSplash");
    const std::filesystem::path path = platform::Env().folders->ProgramFolder() / kSplashFileName;
    // A Windows bitmap under its own name: read as one, without asking every
    // image plugin whether it knows the file.
    if (!picture_.load(QString::fromStdString(path.string()), "BMP")) {
        throw platform::RunTimeError(std::string("데이터 파일을 읽을 수 없습니다: ") + kSplashFileName);
    }
    setFixedSize(kSplashWidth_px, kSplashHeight_px);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    Timer1 = new QTimer(this);
    Timer1->setInterval(kSplashDelay_ms);
    connect(Timer1, &QTimer::timeout, this, [this] {
        // Start-up waits for long work to be over: it fires again.
        if (platform::WorkRunning()) return;
        // Off first: loading takes longer than the interval.
        Timer1->stop();
        if (on_timer_) on_timer_();
    });
    Timer1->start();
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), picture_);
}

void RemoveSaveLeftoversAtStart() {
    platform::RemoveUserFolderLeftovers({skydata::kDefaultSettingsFileName, kPathCacheFileName, kSiteListFileName},
                                        {skydata::kDefaultSettingsFileName});
}

bool Main() {
    RemoveSaveLeftoversAtStart();
    try {
        SplashHolder() = std::make_unique<frmSplash>([] {
            // The splash timer's handler, inside the guard like every other:
            // an unexpected error is shown and the program ends.
            const bool loaded = platform::Guard([] { MainHolder().reset(InitProgram(SplashHolder().get())); });
            if (!loaded || !MainHolder()) {
                QCoreApplication::exit(1);
                return;
            }
            // Closed and never shown again: its picture and window go once
            // this handler has returned.
            SplashHolder().release()->deleteLater();
        });
    } catch (const platform::RunTimeError& error) {
        platform::MsgBox(error.what(), platform::MsgButtons::Ok, platform::MsgIcon::Critical, kProgramTitle);
        return false;
    }
    SplashHolder()->show();
    PendingLoad() = std::async(std::launch::async,
                               [folder = platform::Env().folders->ProgramFolder()] { LoadProgramState(folder); });
    return true;
}

void ReleaseWindows() {
    if (PendingLoad().valid()) PendingLoad().wait();
    MainHolder().reset();
    SplashHolder().reset();
}

}  // namespace zu
