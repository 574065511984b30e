#pragma once
// What a tool window asks of the main window and of the modules behind the
// chart, in one place: redrawing, menu marks, tracking, centring, the
// animation controls, and the recomputing steps the windows' apply handlers
// run in their fixed order. Tool windows call Host() and nothing else of the
// main window, so a test installs a RecordingChartHost and checks the order
// of the calls while everything still happens. The main window implements it
// (zu/main/ChartHost.cpp); the windows see only this declaration.
//
// The steps without arguments read what they need from the settings in
// force (skydata::CurrentSettings()): the chart time CurrentJD, the
// precession and proper-motion switches, Temperature, Pressure, AirExCoff,
// and the track settings of skydata::PathModule().
#include <optional>
#include <string>
#include <vector>

namespace zu {

class Form1;

class ChartHost {
public:
    virtual ~ChartHost() = default;

    // ---- The main window (Form1). Each does nothing without one.
    // Draws the chart again (the one redraw entry).
    virtual void SetMapBox() = 0;
    // Menu check marks and toolbar states from the switches.
    virtual void FormSet() = 0;
    // Switches object tracking off.
    virtual void UnlockTrack() = 0;
    // Centres on a position of date (degrees) and redraws; false when the
    // user declined at a horizon prompt (zu/main/SkyFile.h). Works without a
    // main window too (the view centre changes, nothing is drawn).
    virtual bool CenterOnObject(double ra_deg, double dec_deg) = 0;
    // Chooses the time step by the item of the interval menu (0..12).
    virtual void mnuInterval_Click(int index) = 0;
    // Panel 4 of the status bar (progress texts); "" without a main window.
    virtual void SetStatusText(const std::string& text_utf8) = 0;
    virtual std::string StatusText() = 0;
    // Interval of the animation timer Timer1, milliseconds; 1000 (its
    // designed value) without a main window.
    virtual void SetTimer1Interval(int interval_ms) = 0;
    virtual int Timer1Interval() = 0;
    // Moves the chart time to jd_local (a local civil Julian day), as the
    // almanac windows do when the user accepts going to an event: CurrentJD,
    // the sidereal time of the chart moment by CalcLST with the site in
    // force, real-time mode off, then the redraw.
    virtual void MoveChartTime(double jd_local) = 0;

    // ---- Recomputing steps.
    // Mansion-star places for CurrentJD (J2000 with precession off).
    virtual void PrecessMansionStars() = 0;
    // Star vectors for CurrentJD with the given proper-motion switch.
    virtual void ComputeBscVectors(bool proper_motion) = 0;
    virtual void ComputeS2kVectors(bool proper_motion) = 0;
    // From the settings' Temperature and Pressure, and AirExCoff.
    virtual void BuildRefractionTable() = 0;
    virtual void BuildExtinctionTable() = 0;
    // Loads or releases the two user-catalogue slots (skydata/UserCatalogs.h)
    // and tells the user about lines the loads refused.
    virtual void CheckUserCatalogs() = 0;
    // Writes Default.cfg to the user folder, with the main window's present
    // size and state; false when the file is write-protected this run.
    // Throws platform::RunTimeError when it cannot be written.
    virtual bool SaveDefaultSettings() = 0;
    // The track module's hooks with skydata::PathModule().Settings; a long
    // computation shows its progress, and when the user stops it no points
    // are in force until the next request (TrackModule().Stopped,
    // zu/core/Tracks.h); ProjectPaths then draws none.
    virtual void ComputePaths() = 0;
    virtual void ProjectPaths() = 0;
};

// Forwards to Form1::Instance() and to the modules.
class DefaultChartHost : public ChartHost {
public:
    void SetMapBox() override;
    void FormSet() override;
    void UnlockTrack() override;
    bool CenterOnObject(double ra_deg, double dec_deg) override;
    void mnuInterval_Click(int index) override;
    void SetStatusText(const std::string& text_utf8) override;
    std::string StatusText() override;
    void SetTimer1Interval(int interval_ms) override;
    int Timer1Interval() override;
    void MoveChartTime(double jd_local) override;
    void PrecessMansionStars() override;
    void ComputeBscVectors(bool proper_motion) override;
    void ComputeS2kVectors(bool proper_motion) override;
    void BuildRefractionTable() override;
    void BuildExtinctionTable() override;
    void CheckUserCatalogs() override;
    bool SaveDefaultSettings() override;
    void ComputePaths() override;
    void ProjectPaths() override;
};

// Logs every call in order, then forwards it to the default host. A call is
// logged as its name, with its arguments in parentheses where it has any,
// numbers in their shortest form: "SetMapBox", "CenterOnObject(90,0)",
// "ComputeBscVectors(true)", "mnuInterval_Click(11)",
// "SetStatusText(세차운동 및 고유운동 계산 중...)", "SetTimer1Interval(500)",
// "MoveChartTime(2451545.5)".
// The getters StatusText and Timer1Interval are not logged.
class RecordingChartHost final : public DefaultChartHost {
public:
    // Installs itself as the host in force; the destructor puts the default
    // host back.
    RecordingChartHost();
    ~RecordingChartHost() override;
    RecordingChartHost(const RecordingChartHost&) = delete;
    RecordingChartHost& operator=(const RecordingChartHost&) = delete;

    std::vector<std::string> calls;
    // The places handed to CenterOnObject, in order (degrees).
    struct Place {
        double ra_deg = 0, dec_deg = 0;
    };
    std::vector<Place> centred;
    // When set, CenterOnObject answers this without forwarding (as if the
    // user had accepted or declined); otherwise the real centring runs.
    std::optional<bool> center_answer;

    void SetMapBox() override;
    void FormSet() override;
    void UnlockTrack() override;
    bool CenterOnObject(double ra_deg, double dec_deg) override;
    void mnuInterval_Click(int index) override;
    void SetStatusText(const std::string& text_utf8) override;
    void SetTimer1Interval(int interval_ms) override;
    void MoveChartTime(double jd_local) override;
    void PrecessMansionStars() override;
    void ComputeBscVectors(bool proper_motion) override;
    void ComputeS2kVectors(bool proper_motion) override;
    void BuildRefractionTable() override;
    void BuildExtinctionTable() override;
    void CheckUserCatalogs() override;
    bool SaveDefaultSettings() override;
    void ComputePaths() override;
    void ProjectPaths() override;
};

// The host in force: the default one unless a test installed another.
ChartHost& Host();
// Installs `host` (nullptr: the default again). The caller keeps ownership.
void SetHost(ChartHost* host);

// Writes Default.cfg to the user folder with the present size and state of
// `form` (none when nullptr); the exit of the main window and the dialogs'
// apply share it. False when write-protected this run; throws
// platform::RunTimeError when the file cannot be written.
bool SaveDefaultSettingsWithWindow(Form1* form);

// The dialogs' save: Host().SaveDefaultSettings(), a failure shown with its
// own message (critical icon, `title`) so the caller's remaining steps still
// run; the old file stays.
void SaveDefaultSettingsOrShow(const std::string& title);

}  // namespace zu
