#include "app/ToolWindows.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

#include "app/ConstFilterWindow.h"
#include "app/FindWindow.h"
#include "app/GoToWindow.h"
#include "platform/Services.h"
#include "skydata/DrawnLine.h"
#include "skydata/MapPoint.h"
#include "skydata/PathBodies.h"

namespace app {
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
constexpr float kNewMarkerSize_arcmin = 60;
constexpr std::uint8_t kNewMarkerKind = 1;  // circle

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

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

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

// ---- FrmPoint -----------------------------------------------------------

FrmPoint::FrmPoint(QWidget* owner) : QWidget(owner, Qt::Window) {
    auto* layout = new QVBoxLayout(this);
    auto* kinds = new QHBoxLayout;
    optkind[0] = new QRadioButton(QString::fromUtf8("표지"), this);
    optkind[1] = new QRadioButton(QString::fromUtf8("선"), this);
    optkind[0]->setChecked(true);
    kinds->addWidget(optkind[0]);
    kinds->addWidget(optkind[1]);
    layout->addLayout(kinds);
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    layout->addWidget(List1);
    resize(kPlaceholderWidth_px, kPlaceholderHeight_px);
    ReflashList();
}

namespace {

// "(index)name" as the marker window lists an entry.
std::string ListEntryText(std::size_t index, const std::string& name) {
    std::string text = "(";
    text += std::to_string(index);
    text += ')';
    text += name;
    return text;
}

}  // namespace

void FrmPoint::ReflashList() {
    List1->clear();
    const std::vector<skydata::MapPoint>& points = skydata::MapPointModule().MapPoints;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].Flag != "y") continue;
        List1->addItem(Utf8(ListEntryText(i, points[i].Name)));
    }
    if (List1->count() > 0) List1->setCurrentRow(0);
}

void FrmPoint::ReflashList2() {
    List1->clear();
    const std::vector<skydata::DrawnLine>& lines = skydata::DrawnLineModule().DrawnLines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (skydata::IsEmptyDrawnLine(lines[i])) continue;
        List1->addItem(Utf8(ListEntryText(i, lines[i].Text)));
    }
    if (List1->count() > 0) List1->setCurrentRow(0);
}

void FrmPoint::AddPoint(double ra_deg, double dec_deg) {
    const std::vector<skydata::MapPoint>& points = skydata::MapPointModule().MapPoints;
    // The single unused element of an empty list is filled in place.
    const bool reuse = points.size() == 1 && points[0].Flag.empty();
    const std::size_t slot = reuse ? 0 : points.size();
    skydata::AddMapPoint(ra_deg, dec_deg, kNewMarkerKind, kNewMarkerSize_arcmin, "표지 " + std::to_string(slot + 1),
                         SwatchColor);
    optkind[0]->setChecked(true);
    ListMode = true;
    ReflashList();
    if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

void FrmPoint::RefreshLineList() {
    optkind[1]->setChecked(true);
    ListMode = false;
    ReflashList2();
    if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

// ---- FrmPath ------------------------------------------------------------

FrmPath::FrmPath(QWidget* owner) : QDialog(owner) { resize(kPlaceholderWidth_px, kPlaceholderHeight_px); }

void FrmPath::Form_Load() {
    if (!ADDfromMainFirst) return;
    std::vector<std::string>& list = skydata::PathModule().PathBodyList;
    if (list.empty()) list.resize(1);
    list[0] = ObjID;
    ADDfromMainFirst = false;
}

void FrmPath::showEvent(QShowEvent* event) {
    Form_Load();
    QDialog::showEvent(event);
}

}  // namespace app
