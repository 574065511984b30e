// Window commands: each opens its tool window, modally or modeless beside the
// main window, as the window's kind says. Only the marker manager is placed
// before it is shown.
#include <QLayout>

#include <algorithm>

#include "platform/Services.h"
#include "zu/core/ToolWindows.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Commands.h"
#include "zu/main/Form1.h"
#include "zu/main/InfoWindow.h"

namespace zu {
namespace {

// Height of the marker manager beside the chart, layout units.
constexpr int kMarkerWindowHeight_twips = 4380;

struct WindowCommand {
    const char* name;
    ToolWindowId window;
};

constexpr WindowCommand kWindowCommands[] = {
    {"mnuObs", ToolWindowId::FrmObs},          {"mnuSet", ToolWindowId::FrmSet},
    {"mnyPrint", ToolWindowId::FrmPrint},      {"mnuSetTime", ToolWindowId::FrmTime},
    {"mnuAniSet", ToolWindowId::FrmAni},       {"mnuFindConst", ToolWindowId::FrmFind},
    {"mnuFindC", ToolWindowId::FrmFindC},      {"mnuCinfo", ToolWindowId::FrmCInfo},
    {"mnuCFilter", ToolWindowId::FrmCFilter},  {"mnuSolarsys", ToolWindowId::FrmPInfo},
    {"mnuDayCal", ToolWindowId::FrmDCal},      {"mnuToday", ToolWindowId::frmToday},
    {"mnuFindCon", ToolWindowId::FrmCon},      {"mnu24Julgi", ToolWindowId::Frm24julgi},
    {"mnuMoonTime", ToolWindowId::FrmMoon},    {"mnuLuniSolar", ToolWindowId::FrmLuniSolar},
    {"mnuTrail", ToolWindowId::FrmPath},
};

// The marker manager at the upper right corner of the chart.
void PlaceMarkerWindow(Form1& form, QWidget& window) {
    window.resize(window.width(), kMarkerWindowHeight_twips / kTwipsPerPixel);
    // Its layout settles the width it will be shown with.
    if (QLayout* layout = window.layout()) layout->activate();
    const QRect frame = form.frameGeometry();
    const int top = std::max(0, form.Picture1->mapToGlobal(QPoint(0, 0)).y());
    const int left = std::max(0, frame.x() + frame.width() - window.frameGeometry().width());
    window.move(left, top);
}

void mnuPoint_Click(Form1& form) {
    QWidget& window = ToolWindow(ToolWindowId::FrmPoint, &form);
    PlaceMarkerWindow(form, window);
    const int frame_width = window.frameGeometry().width();
    ShowToolWindow(ToolWindowId::FrmPoint, &form);
    // A window shown for the first time learns its frame only now.
    if (window.frameGeometry().width() != frame_width) PlaceMarkerWindow(form, window);
}

// The chart information window, filled by every redraw.
void mnuMapInfo_Click(Form1& form) {
    if (!form.InfoWindow()) form.InfoBox();
    platform::Env().windows->ShowOwned(*form.InfoWindow(), &form);
}

}  // namespace

void InstallWindowCommands(CommandTable& table) {
    for (const WindowCommand& command : kWindowCommands) {
        const ToolWindowId window = command.window;
        table.Add(command.name, [window](Form1& form, int) { ShowToolWindow(window, &form); });
    }
    table.Add("mnuPoint", [](Form1& form, int) { mnuPoint_Click(form); });
    table.Add("mnuMapInfo", [](Form1& form, int) { mnuMapInfo_Click(form); });
}

}  // namespace zu
