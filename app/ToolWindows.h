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
// Windows without their own class yet are empty frames with their caption.
// Their controls carry the names of the design as Qt object names, an
// indexed control as name "_" index ("Option1_0"; app/ToolControls.h).
#include <QDialog>
#include <QWidget>

#include <cstdint>
#include <string>

class QListWidget;
class QRadioButton;

namespace app {

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
// Opens the window as its spec says (see Modality above) and returns it at
// once; an open window is raised.
QWidget& ShowToolWindow(ToolWindowId id, QWidget* owner);
// Deletes every tool window (the start of a run, for tests).
void ResetToolWindows();

class FrmPoint;
class FrmPath;
// The live marker manager and track window, created hidden when closed.
FrmPoint& MarkerWindow(QWidget* owner);
FrmPath& TrackWindow(QWidget* owner);

// The marker and line manager: lists the visible map points or the drawn
// lines and takes the markers the chart's pop-up menu adds.
class FrmPoint final : public QWidget {
public:
    explicit FrmPoint(QWidget* owner);

    // Appends a visible circle marker of 60 arcminutes at a J2000 place
    // (degrees), in the colour of the swatch, named "표지" and its serial
    // number, and selects it in the marker list. Does not redraw.
    void AddPoint(double ra_deg, double dec_deg);
    // Refills the list with the visible map points.
    void ReflashList();
    // Switches to the line list, refills it and selects the last line.
    void RefreshLineList();

    QListWidget* List1 = nullptr;
    QRadioButton* optkind[2] = {nullptr, nullptr};
    bool ListMode = true;                // true while the markers are listed
    std::int32_t SwatchColor = 0x0000FF;  // colour of new markers (red)

private:
    void ReflashList2();
};

// The window of the tracks of solar-system bodies. Before showing it with an
// empty track list the main window sets ADDfromMainFirst and ObjID; loading
// then puts ObjID into the first slot of the track list.
class FrmPath final : public QDialog {
public:
    explicit FrmPath(QWidget* owner);

    bool ADDfromMainFirst = false;
    std::string ObjID;

    void Form_Load();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace app
