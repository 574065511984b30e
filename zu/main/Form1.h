#pragma once
// The main window `Form1`: the chart `Picture1`, the three toolbars, the
// status bar `StBar`, the zoom indicator, the animation timer `Timer1` and the
// real-time timer `Timer3`, the menus and the pop-up menu of the chart. The
// window owns the chart's view state of the session (tracking, the picked
// objects) and offers the public methods the tool windows call; commands run
// through the command table (zu/main/Commands.h), each group in its own file.
#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "zu/main/Commands.h"
#include "zu/menus/MainMenus.h"
#include "zu/menus/Toolbars.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace zu {

class ChartWidget;
class Form2;

// Pixels and the layout units of settings and chart files.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kPickListSize = 7;
// Mouse buttons as the chart handlers take them (combined for a move).
inline constexpr int kMouseLeft = 1;
inline constexpr int kMouseRight = 2;
inline constexpr int kMouseMiddle = 4;

// The normal window size in pixels for the stored `fwidth` x `fheight`
// (twips). A size too small to use (a hand-edited or damaged file) gives
// the designed default size; a size beyond the screen's free area, whose
// surface could not even be allocated, is cut to that area (an empty
// area cuts nothing).
QSize StoredWindowSize(std::int32_t fwidth_twips, std::int32_t fheight_twips, const QSize& available);

class Form1 final : public QMainWindow {
public:
    // Runs the load handler: menus, toolbars, timers, FormSet.
    Form1();
    ~Form1() override;

    // The window of the run (the last one created); nullptr when none.
    static Form1* Instance();

    // ---- Public methods the tool windows call.
    void SetMapBox();
    void FormSet();
    void InfoBox();
    void UnlockTrack() { TrackOn = 0; }
    // The picked objects: all slots "Null"; a key into the first free slot
    // (dropped when all are used); the pop-up menu built from them.
    void ClearObjList();
    void AddObjList(const std::string& key);
    void ObjMenuSet();
    void GetCenter(const std::string& key);
    void MoveOpr(const std::string& direction);
    void ZoomOpr(int mode);
    // One time step; reverse steps backward. Redraws.
    void StepTime(bool reverse);
    // Chooses the animation's time step by the item of "시간 간격" (0..12;
    // 11 the custom step, 12 the solar-event code) and moves its mark. Does
    // not redraw.
    void mnuInterval_Click(int index);

    // ---- Handlers (each runs inside the platform guard when the window
    // system calls it).
    void Form_Resize();
    void Form_Unload();
    // Key codes of the platform's virtual keys: 37..40 arrows, 81 Q, 107/187
    // plus, 109/189 minus, 188 comma, 190 full stop.
    void Form_KeyDown(int key_code);
    // Angle delta of a wheel event over the chart, eighths of a degree.
    void ChartWheel(int angle_delta);
    // The timers' handlers hold still while long work runs
    // (platform::WorkRunning): the work's caller applies its result first,
    // and their next tick after the work acts.
    void Timer1_Timer();
    void Timer3_Timer();
    void AdjustMagLimit(int lower);
    // Chart mouse: buttons as kMouseLeft/Right/Middle (a move passes the
    // buttons held), positions in chart pixels.
    void Picture1_MouseDown(int button, double x_px, double y_px);
    void Picture1_MouseMove(int buttons, double x_px, double y_px);
    void Picture1_MouseUp(int button, double x_px, double y_px);
    void Picture1_DblClick();
    void mnuCenter_Click();
    // The zoom slider, x in its own pixels.
    void ProgressBar1_MouseDown(int button, double x_px);
    void ProgressBar1_MouseMove(int buttons, double x_px);
    void ProgressBar1_MouseUp(int button, double x_px);
    // Runs an event handler inside the platform guard. A run-time error is
    // shown and the chart state (settings, main state, tracking) is put back
    // as it was before the handler, so the program goes on unchanged. False
    // when it caught one.
    bool Guarded(const std::function<void()>& handler);
    // Runs a command of the table by control name and item index.
    void Dispatch(const std::string& name, int index = 0);
    void TbMain_ButtonClick(const std::string& key);
    void TbView_ButtonClick(const std::string& key);
    void TbMove_ButtonClick(const std::string& key);

    // ---- Window state.
    // Applies the stored window state: `fstate` 0 normal with `fwidth` x
    // `fheight`, 2 maximised, any other value the designed size.
    // At a user's first start (no settings file) the normal window opens
    // at least as large as SizeShowingEveryButton, within the screen.
    void ApplyStoredWindowState();
    void ShowAsStored();
    // The window size (without the frame) at which every button of the
    // three toolbars, the zoom indicator and the status fields show whole.
    QSize SizeShowingEveryButton();

    // ---- Controls and parts.
    ChartWidget* Picture1 = nullptr;
    QWidget* Picture2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 2> Image1{};
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;
    std::unique_ptr<MainMenus> Menus;
    std::unique_ptr<Toolbars> Bars;
    CommandTable Commands;

    // Status bar panel 1..4.
    void SetPanel(int panel, const QString& text);
    QString Panel(int panel) const;
    // The client area below the menu bar and above the status bar, in which
    // the toolbars and the chart are laid out.
    QWidget* Client() const { return client_; }
    Form2* InfoWindow() const { return form2_; }

    // ---- State of the window (initialised by the load handler).
    int TrackOn = 0;                    // 1 while the view follows TrackKey
    std::string TrackKey = "Null";
    std::string MenuObjKey = "Null";
    std::string TrailAddKey;
    bool LineMode = false;
    std::array<std::string, kPickListSize> PickList{"Null", "Null", "Null", "Null", "Null", "Null", "Null"};
    // The last press on the chart in pixels (a user line's release replaces
    // it), and the ends of the user line being drawn (J2000 RA, Dec degrees).
    double PressX = 0;
    double PressY = 0;
    std::array<double, 2> LineStart{};
    std::array<double, 2> LineEnd{};
    // The press of the user line being drawn, whole pixels.
    long LinePressX = 0;
    long LinePressY = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    // Routes the chart's and the zoom slider's mouse events to the handlers.
    void ConnectChartMouse();
    void SetLinePoint(int which);
    void BuildStatusBar();
    void BuildZoomIndicator();
    void PopupBelow(ToolbarId bar, const std::string& key, const std::string& menu);
    void PopupBeside(ToolbarId bar, const std::string& key, const std::string& menu, const std::string& bold);

    QWidget* client_ = nullptr;
    std::array<QLabel*, 4> panels_{};
    Form2* form2_ = nullptr;
    int wheel_accumulated_ = 0;
    // Redraws the chart once long work is over, after a resize meanwhile.
    QTimer* held_redraw_ = nullptr;
};

// The platform key code of a Qt key event (0 for keys without one here).
int VirtualKeyOf(int qt_key, bool keypad);

}  // namespace zu
