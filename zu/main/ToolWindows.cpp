#include "zu/core/ToolWindows.h"

#include <QEvent>
#include <QPointer>

#include <array>

#include "platform/Services.h"
#include "ui/ToolControls.h"
#include "zu/almanac/Frm24julgi.h"
#include "zu/almanac/FrmCon.h"
#include "zu/almanac/FrmDCal.h"
#include "zu/almanac/FrmLuniSolar.h"
#include "zu/almanac/FrmMoon.h"
#include "zu/almanac/FrmToday.h"
#include "zu/dialogs/AnimationWindow.h"
#include "zu/dialogs/SettingsWindow.h"
#include "zu/dialogs/SiteWindow.h"
#include "zu/dialogs/TimeWindow.h"
#include "zu/print/FrmPrint.h"
#include "zu/search/ConstFilterWindow.h"
#include "zu/search/FindWindow.h"
#include "zu/search/GoToWindow.h"
#include "zu/search/InfoWindows.h"
#include "zu/tracks/MarkerWindow.h"
#include "zu/tracks/TrackWindow.h"

namespace zu {
namespace {

constexpr ToolWindowSpec kSpecs[kToolWindowCount] = {
    {ToolWindowId::FrmFind, "FrmFind", "찾기", false},
    {ToolWindowId::FrmFindC, "FrmFindC", "좌표로 찾아가기", false},
    {ToolWindowId::FrmCInfo, "FrmCInfo", "별자리 정보", false},
    {ToolWindowId::FrmCFilter, "FrmCFilter", "별자리 표시 설정", false},
    {ToolWindowId::FrmInfo, "FrmInfo", "정보", false},
    {ToolWindowId::FrmPInfo, "FrmPInfo", "태양계 천체의 정보", true},
    {ToolWindowId::FrmObs, "FrmObs", "관측지 설정", false},
    {ToolWindowId::FrmSet, "FrmSet", "설정", true},
    {ToolWindowId::FrmTime, "FrmTime", "시간 설정", false},
    {ToolWindowId::FrmAni, "FrmAni", "시간 간격 조절", true},
    {ToolWindowId::FrmPath, "FrmPath", "태양계 천체의 궤적", true},
    {ToolWindowId::FrmPoint, "FrmPoint", "표지 관리", false},
    {ToolWindowId::FrmDCal, "FrmDCal", "일력", true},
    {ToolWindowId::Frm24julgi, "Frm24julgi", "24절기 입기 시각과 주요 천문 현상", false},
    {ToolWindowId::FrmMoon, "FrmMoon", "달의 정삭망 시각/식 현상", true},
    {ToolWindowId::frmToday, "frmToday", "오늘의 천문 현상", false},
    {ToolWindowId::FrmCon, "FrmCon", "행성 접근 탐색기", false},
    {ToolWindowId::FrmLuniSolar, "FrmLuniSolar", "음력, 양력, 이슬람력 변환", true},
    {ToolWindowId::FrmPrint, "FrmPrint", "인쇄", true},
};

constexpr int kPlaceholderWidth_px = 320;
constexpr int kPlaceholderHeight_px = 240;

std::array<QPointer<QWidget>, kToolWindowCount>& Windows() {
    static std::array<QPointer<QWidget>, kToolWindowCount> windows;
    return windows;
}

QPointer<QWidget>& Slot(ToolWindowId id) { return Windows()[static_cast<std::size_t>(id)]; }

// Ends a tool window's life when it is closed or hidden by the program:
// drops it from its slot at once and deletes it later (it may be inside its
// own handler). A hide from the window system (minimising) is spontaneous
// and ignored.
class LifetimeWatcher final : public QObject {
public:
    LifetimeWatcher(QWidget& window, ToolWindowId id) : QObject(&window), id_(id) { window.installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !event->spontaneous()) {
            QPointer<QWidget>& slot = Slot(id_);
            if (slot == watched) {
                slot = nullptr;
                watched->deleteLater();
            }
        }
        return false;
    }

private:
    ToolWindowId id_;
};

QWidget* Create(ToolWindowId id, QWidget* owner) {
    const ToolWindowSpec& spec = SpecOf(id);
    QWidget* window = nullptr;
    switch (id) {
        case ToolWindowId::FrmFind: window = new FrmFind(owner); break;
        case ToolWindowId::FrmFindC: window = new FrmFindC(owner); break;
        case ToolWindowId::FrmCFilter: window = new FrmCFilter(owner); break;
        case ToolWindowId::FrmPoint: window = new FrmPoint(owner); break;
        case ToolWindowId::FrmPath: window = new FrmPath(owner); break;
        case ToolWindowId::FrmInfo: window = new FrmInfo(owner); break;
        case ToolWindowId::FrmCInfo: window = new FrmCInfo(owner); break;
        case ToolWindowId::FrmPInfo: window = new FrmPInfo(owner); break;
        case ToolWindowId::FrmPrint: window = new FrmPrint(owner); break;
        case ToolWindowId::FrmDCal: window = new zu::FrmDCal(owner); break;
        case ToolWindowId::Frm24julgi: window = new zu::Frm24julgi(owner); break;
        case ToolWindowId::FrmMoon: window = new zu::FrmMoon(owner); break;
        case ToolWindowId::FrmLuniSolar: window = new zu::FrmLuniSolar(owner); break;
        case ToolWindowId::FrmTime: window = new FrmTime(owner); break;
        case ToolWindowId::FrmObs: window = new FrmObs(owner); break;
        case ToolWindowId::FrmAni: window = new FrmAni(owner); break;
        case ToolWindowId::FrmSet: window = new FrmSet(owner); break;
        case ToolWindowId::frmToday: window = new zu::frmToday(owner); break;
        case ToolWindowId::FrmCon: window = new zu::FrmCon(owner); break;
        default:
            if (spec.modal) {
                window = new QDialog(owner);
            } else {
                window = new QWidget(owner, Qt::Window);
            }
            window->resize(kPlaceholderWidth_px, kPlaceholderHeight_px);
            break;
    }
    window->setObjectName(QString::fromUtf8(spec.name));
    if (window->windowTitle().isEmpty()) window->setWindowTitle(QString::fromUtf8(spec.caption));
    new LifetimeWatcher(*window, id);
    return window;
}

}  // namespace

const ToolWindowSpec& SpecOf(ToolWindowId id) { return kSpecs[static_cast<int>(id)]; }

QWidget& ToolWindow(ToolWindowId id, QWidget* owner) {
    QPointer<QWidget>& slot = Slot(id);
    if (!slot) slot = Create(id, owner);
    return *slot;
}

QWidget* FindToolWindow(ToolWindowId id) { return Slot(id); }

QWidget& ShowToolWindow(ToolWindowId id, QWidget* owner) {
    QWidget& window = ToolWindow(id, owner);
    platform::WindowShow& show = *platform::Env().windows;
    if (SpecOf(id).modal) {
        show.OpenModal(window, owner);
    } else {
        show.ShowOwned(window, owner);
    }
    return window;
}

FrmPoint& MarkerWindow(QWidget* owner) {
    return static_cast<FrmPoint&>(ToolWindow(ToolWindowId::FrmPoint, owner));
}

FrmPath& TrackWindow(QWidget* owner) { return static_cast<FrmPath&>(ToolWindow(ToolWindowId::FrmPath, owner)); }

void ResetToolWindows() {
    for (QPointer<QWidget>& slot : Windows()) {
        QWidget* window = slot.data();
        slot = nullptr;
        delete window;
    }
}

}  // namespace zu
