#pragma once
// The tool windows that the main window opens: search and information,
// time, site, settings, animation, tracks, markers, almanacs and printing.
//
// Lifetime. At most one window of each kind lives at a time, owned by the
// main window. Opening it (ShowToolWindow) shows the live one, raised, or
// creates a new one; closing it in any way (its close button, close(), a
// dialog's accept/reject/done, hide()) ends it: it is dropped at once and
// deleted later, so the next opening starts fresh, with a new load. A
// public method called while the window is closed works on a new window
// created hidden (ToolWindow), which the next opening then shows.
// Minimising is not closing.
//
// Modality. Modal windows are opened through the platform's non-blocking
// modal show (platform::WindowShow::OpenModal): the opening call returns at
// once and whatever follows the window's work runs in its own handlers;
// nothing waits in an event loop. Modeless ones are shown beside their
// owner (ShowOwned). Tests drive either after opening it, offscreen.
//
// A window with its own class gets one case in Create (zu/main/ToolWindows.cpp,
// where the main window opens them all);
// its constructor does the window's load (a fresh window per opening), it
// unloads itself with close(), its handlers run inside platform::Guard, and
// what it asks of the main window goes through Host() (zu/core/ChartHost.h).
// Windows without their own class yet are empty frames with their caption.
// Controls carry the names of the design as Qt object names, an indexed
// control as name "_" index ("Option1_0"; ui/ToolControls.h).
#include <QDialog>
#include <QWidget>

#include <cstdint>
#include <string>


namespace zu {

enum class ToolWindowId {
    FrmFind,
    FrmFindC,
    FrmCInfo,
    FrmCFilter,
    FrmInfo,
    FrmPInfo,
    FrmObs,
    FrmSet,
    FrmTime,
    FrmAni,
    FrmPath,
    FrmPoint,
    FrmDCal,
    Frm24julgi,
    FrmMoon,
    frmToday,
    FrmCon,
    FrmLuniSolar,
    FrmPrint,
};
inline constexpr int kToolWindowCount = static_cast<int>(ToolWindowId::FrmPrint) + 1;

struct ToolWindowSpec {
    ToolWindowId id;
    const char* name;     // the window's name, also its Qt object name
    const char* caption;  // the caption it is created with
    bool modal;           // shown modally; otherwise modeless, owned by the main window
};
const ToolWindowSpec& SpecOf(ToolWindowId id);

// The live window, or a new one created hidden with `owner` (used only when
// it is created) as owner.
QWidget& ToolWindow(ToolWindowId id, QWidget* owner);
// The live window; nullptr when it is closed or was never created.
QWidget* FindToolWindow(ToolWindowId id);
// Opens the window, modal or modeless as its kind is (see Modality above),
// and returns it at once; an open window is raised.
QWidget& ShowToolWindow(ToolWindowId id, QWidget* owner);
// Deletes every tool window (the start of a run, for tests).
void ResetToolWindows();

class FrmPoint;
class FrmPath;
// The live marker manager and track window, created hidden when closed.
FrmPoint& MarkerWindow(QWidget* owner);
FrmPath& TrackWindow(QWidget* owner);

}  // namespace zu
