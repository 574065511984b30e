#pragma once
// The tool windows that the main window opens: search and information,
// time, site, settings, animation, tracks, markers, almanacs and printing.
// Each is one object for the whole run, created on first use as a window
// owned by the main window, and shown through the platform's window seam
// (platform::Env().windows) either modally or modeless beside its owner.
//
// Most of them are still empty frames with their caption; the marker manager
// `FrmPoint` and the track window `FrmPath` already carry the public members
// the main window calls, and the print dialog `FrmPrint` (app/FrmPrint.h) is
// complete.
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

// The window of the run, created on first use (not shown) with the main
// window as owner; `owner` is used only when it is created.
QWidget& ToolWindow(ToolWindowId id, QWidget* owner);
// The window when it was created and still exists; nullptr otherwise.
QWidget* FindToolWindow(ToolWindowId id);
// Shows the window as its spec says. Modal: returns when it is closed, with
// its result. Owned: returns 0 at once.
int ShowToolWindow(ToolWindowId id, QWidget* owner);
// Deletes every tool window (the start of a run, for tests).
void ResetToolWindows();

class FrmPoint;
class FrmPath;
// The marker manager and the track window of the run, created on first use.
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
