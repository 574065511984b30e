#include "zu/core/ChartHost.h"

#include <QLabel>
#include <QTimer>

#include <cstdio>

#include "astro/Atmosphere.h"
#include "astro/JulianDay.h"
#include "platform/RunTimeError.h"
#include "platform/Services.h"
#include "platform/UserFiles.h"
#include "skydata/Catalogs.h"
#include "skydata/PathBodies.h"
#include "skydata/Settings.h"
#include "skydata/Stars.h"
#include "skydata/StartupTables.h"
#include "skydata/UserCatalogs.h"
#include "zu/core/MainState.h"
#include "zu/core/Tracks.h"
#include "zu/main/Form1.h"
#include "zu/main/SkyFile.h"

namespace zu {
namespace {

constexpr int kTimer1Design_ms = 1000;

ChartHost*& Installed() {
    static ChartHost* host = nullptr;
    return host;
}

std::string Shortest(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

}  // namespace

ChartHost& Host() {
    static DefaultChartHost fallback;
    ChartHost* host = Installed();
    return host ? *host : fallback;
}

void SetHost(ChartHost* host) { Installed() = host; }

bool SaveDefaultSettingsWithWindow(Form1* form) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    if (form) {
        // A maximised or minimised window keeps the size it had when normal.
        const bool restored_geometry = form->isMaximized() || form->isMinimized();
        const QRect normal = restored_geometry ? form->normalGeometry() : form->geometry();
        s.fwidth = normal.width() * kTwipsPerPixel;
        s.fheight = normal.height() * kTwipsPerPixel;
        s.fstate = form->isMaximized() ? 2 : 0;
    }
    return skydata::SaveDefaultSettings(
        platform::UserFileToWrite(std::string(skydata::kDefaultSettingsFileName)).parent_path());
}

// ---- DefaultChartHost ----------------------------------------------------

void DefaultChartHost::SetMapBox() {
    if (Form1* form = Form1::Instance()) form->SetMapBox();
}

void DefaultChartHost::FormSet() {
    if (Form1* form = Form1::Instance()) form->FormSet();
}

void DefaultChartHost::UnlockTrack() {
    if (Form1* form = Form1::Instance()) form->UnlockTrack();
}

bool DefaultChartHost::CenterOnObject(double ra_deg, double dec_deg) { return zu::CenterOnObject(ra_deg, dec_deg); }

void DefaultChartHost::mnuInterval_Click(int index) {
    if (Form1* form = Form1::Instance()) form->mnuInterval_Click(index);
}

void DefaultChartHost::SetStatusText(const std::string& text_utf8) {
    Form1* form = Form1::Instance();
    if (form) form->SetPanel(4, QString::fromUtf8(text_utf8.data(), static_cast<qsizetype>(text_utf8.size())));
}

std::string DefaultChartHost::StatusText() {
    Form1* form = Form1::Instance();
    return form ? form->Panel(4).toUtf8().toStdString() : std::string();
}

void DefaultChartHost::SetTimer1Interval(int interval_ms) {
    Form1* form = Form1::Instance();
    if (form && form->Timer1) form->Timer1->setInterval(interval_ms);
}

int DefaultChartHost::Timer1Interval() {
    Form1* form = Form1::Instance();
    return form && form->Timer1 ? form->Timer1->interval() : kTimer1Design_ms;
}

void DefaultChartHost::MoveChartTime(double jd_local) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.CurrentJD = jd_local;
    AppState().LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    s.RealTimeMode = false;
    DefaultChartHost::SetMapBox();
}

void DefaultChartHost::PrecessMansionStars() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    skydata::PrecessMansionStars(skydata::StartupTables().MansionStarRA, s.CurrentJD, s.calcprecession);
}

void DefaultChartHost::ComputeBscVectors(bool proper_motion) {
    skydata::ComputeBscVectors(skydata::Catalogs(), skydata::CurrentSettings().CurrentJD, proper_motion);
}

void DefaultChartHost::ComputeS2kVectors(bool proper_motion) {
    skydata::ComputeS2kVectors(skydata::Catalogs(), skydata::CurrentSettings().CurrentJD, proper_motion);
}

void DefaultChartHost::BuildRefractionTable() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    astro::BuildRefractionTable(static_cast<float>(s.Temperature), static_cast<float>(s.Pressure));
}

void DefaultChartHost::BuildExtinctionTable() { astro::BuildExtinctionTable(skydata::CurrentSettings().AirExCoff); }

void DefaultChartHost::CheckUserCatalogs() {
    const std::string notice = skydata::CheckUserCatalogs();
    if (!notice.empty()) platform::MsgBox(notice, platform::MsgButtons::Ok, platform::MsgIcon::Information, "zu");
}

bool DefaultChartHost::SaveDefaultSettings() { return SaveDefaultSettingsWithWindow(Form1::Instance()); }

void DefaultChartHost::ComputePaths() {
    skydata::PathState& paths = skydata::PathModule();
    // The windows' apply handlers: a long computation shows its progress.
    const PathWorkScope with_progress(PathWork::WithProgress);
    TrackModule().Stopped = false;
    if (paths.Hooks.ComputePaths) paths.Hooks.ComputePaths(paths.Settings);
}

void DefaultChartHost::ProjectPaths() {
    skydata::PathState& paths = skydata::PathModule();
    if (paths.Hooks.ProjectPaths) paths.Hooks.ProjectPaths(paths.Settings);
}

// ---- RecordingChartHost --------------------------------------------------

RecordingChartHost::RecordingChartHost() { SetHost(this); }

RecordingChartHost::~RecordingChartHost() {
    if (Installed() == this) SetHost(nullptr);
}

void RecordingChartHost::SetMapBox() {
    calls.push_back("SetMapBox");
    DefaultChartHost::SetMapBox();
}

void RecordingChartHost::FormSet() {
    calls.push_back("FormSet");
    DefaultChartHost::FormSet();
}

void RecordingChartHost::UnlockTrack() {
    calls.push_back("UnlockTrack");
    DefaultChartHost::UnlockTrack();
}

bool RecordingChartHost::CenterOnObject(double ra_deg, double dec_deg) {
    calls.push_back("CenterOnObject(" + Shortest(ra_deg) + "," + Shortest(dec_deg) + ")");
    centred.push_back(Place{ra_deg, dec_deg});
    if (center_answer) return *center_answer;
    return DefaultChartHost::CenterOnObject(ra_deg, dec_deg);
}

void RecordingChartHost::mnuInterval_Click(int index) {
    calls.push_back("mnuInterval_Click(" + std::to_string(index) + ")");
    DefaultChartHost::mnuInterval_Click(index);
}

void RecordingChartHost::SetStatusText(const std::string& text_utf8) {
    calls.push_back("SetStatusText(" + text_utf8 + ")");
    DefaultChartHost::SetStatusText(text_utf8);
}

void RecordingChartHost::SetTimer1Interval(int interval_ms) {
    calls.push_back("SetTimer1Interval(" + std::to_string(interval_ms) + ")");
    DefaultChartHost::SetTimer1Interval(interval_ms);
}

void RecordingChartHost::MoveChartTime(double jd_local) {
    calls.push_back("MoveChartTime(" + Shortest(jd_local) + ")");
    DefaultChartHost::MoveChartTime(jd_local);
}

void RecordingChartHost::PrecessMansionStars() {
    calls.push_back("PrecessMansionStars");
    DefaultChartHost::PrecessMansionStars();
}

void RecordingChartHost::ComputeBscVectors(bool proper_motion) {
    calls.push_back(proper_motion ? "ComputeBscVectors(true)" : "ComputeBscVectors(false)");
    DefaultChartHost::ComputeBscVectors(proper_motion);
}

void RecordingChartHost::ComputeS2kVectors(bool proper_motion) {
    calls.push_back(proper_motion ? "ComputeS2kVectors(true)" : "ComputeS2kVectors(false)");
    DefaultChartHost::ComputeS2kVectors(proper_motion);
}

void RecordingChartHost::BuildRefractionTable() {
    calls.push_back("BuildRefractionTable");
    DefaultChartHost::BuildRefractionTable();
}

void RecordingChartHost::BuildExtinctionTable() {
    calls.push_back("BuildExtinctionTable");
    DefaultChartHost::BuildExtinctionTable();
}

void RecordingChartHost::CheckUserCatalogs() {
    calls.push_back("CheckUserCatalogs");
    DefaultChartHost::CheckUserCatalogs();
}

bool RecordingChartHost::SaveDefaultSettings() {
    calls.push_back("SaveDefaultSettings");
    return DefaultChartHost::SaveDefaultSettings();
}

void RecordingChartHost::ComputePaths() {
    calls.push_back("ComputePaths");
    DefaultChartHost::ComputePaths();
}

void RecordingChartHost::ProjectPaths() {
    calls.push_back("ProjectPaths");
    DefaultChartHost::ProjectPaths();
}

void SaveDefaultSettingsOrShow(const std::string& title) {
    try {
        Host().SaveDefaultSettings();
    } catch (const platform::RunTimeError& error) {
        platform::MsgBox(error.what(), platform::MsgButtons::Ok, platform::MsgIcon::Critical, title);
    }
}

}  // namespace zu
