#include "zu/almanac/FrmToday.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

#include <cmath>

#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/almanac/FrmDCal.h"
#include "zu/almanac/WindowSupport.h"
#include "zu/core/ChartHost.h"

namespace zu {
namespace {

constexpr int kPictureWidth_px = 480;
constexpr int kPictureHeight_px = 60;
constexpr int kTickHeight_px = 6;
constexpr int kAxisHeight_px = 26;
constexpr int kListWidth_px = 300;
constexpr int kListHeight_px = 260;
constexpr platform::Colour kDaylightColour = platform::Rgb(120, 120, 120);
constexpr platform::Colour kDarkColour = platform::Rgb(0, 0, 0);
constexpr platform::Colour kMoonColour = platform::Rgb(255, 255, 0);
constexpr double kDarkAltitude_deg = -18;
constexpr int kSampleSpan = almanac::kTonightSampleCount - 1;

// Tick k of five under the picture, and its label control index.
constexpr int kAxisLabels[5] = {4, 7, 5, 8, 6};
constexpr const char* kAxisTexts[5] = {"오늘 낮 12시", "18시", "오늘 밤 24시", "06시", "내일 낮12시"};

}  // namespace

frmToday::frmToday(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(Q("오늘의 천문 현상"));
    auto* layout = new QVBoxLayout(this);

    Label1[0] = ui::Named(new QLabel(Q("기원전 4712년 12월 12일"), this), "Label1", 0);
    QFont bold = Label1[0]->font();
    bold.setBold(true);
    Label1[0]->setFont(bold);
    layout->addWidget(Label1[0]);

    TabStrip1 = ui::Named(new QTabBar(this), "TabStrip1");
    TabStrip1->addTab(Q("오늘의 천문 현상"));
    TabStrip1->setTabData(0, "today");
    TabStrip1->addTab(Q("별 보기 좋은 때"));
    TabStrip1->setTabData(1, "dark");
    layout->addWidget(TabStrip1);

    // The two frames share one place; the tab shows one of them.
    auto* frames = new QStackedLayout;
    frames->setStackingMode(QStackedLayout::StackAll);
    Frame1[0] = ui::Named(new QGroupBox(Q("오늘의 천문 현상"), this), "Frame1", 0);
    auto* events = new QVBoxLayout(Frame1[0]);
    List1 = ui::Named(new QListWidget(Frame1[0]), "List1");
    List1->setMinimumSize(kListWidth_px, kListHeight_px);
    events->addWidget(List1);
    Label1[1] = ui::Named(new QLabel(Q("해당 사건을 두번 누르면 zu의 시간을 해당 시각으로 바꿀 수 있습니다."), Frame1[0]),
                      "Label1", 1);
    Label1[1]->setWordWrap(true);
    events->addWidget(Label1[1]);
    cmdCopy = ui::Named(new QPushButton(Q("복사"), Frame1[0]), "cmdCopy");
    cmdCopy->setToolTip(Q("목록의 내용을 클립보드에 복사합니다."));
    auto* copy_row = new QHBoxLayout;
    copy_row->addStretch();
    copy_row->addWidget(cmdCopy);
    events->addLayout(copy_row);
    frames->addWidget(Frame1[0]);

    Frame1[1] = ui::Named(new QGroupBox(Q("별 보기 좋은 때"), this), "Frame1", 1);
    auto* dark = new QVBoxLayout(Frame1[1]);
    Label1[2] = ui::Named(new QLabel(Q("별을 잘 볼 수 있도록 어두운 하늘이 지속되는 시간을 알려드립니다. 검은 색으로 "
                                   "칠해진 시간이 깜깜한 시간(천문박명)입니다. 노란색 네모는 달이 떠 있는 "
                                   "시간입니다."),
                                 Frame1[1]),
                      "Label1", 2);
    Label1[2]->setWordWrap(true);
    dark->addWidget(Label1[2]);
    Picture1 = ui::Named(new PictureBox(kPictureWidth_px, kPictureHeight_px, Frame1[1]), "Picture1");
    dark->addWidget(Picture1, 0, Qt::AlignHCenter);
    // The time axis: five ticks under the picture with their labels.
    auto* axis = new QWidget(Frame1[1]);
    axis->setFixedSize(kPictureWidth_px + 2 * 40, kAxisHeight_px);
    for (int k = 0; k < 5; ++k) {
        const int x = 40 + k * (kPictureWidth_px - 1) / 4;
        Line1[k] = ui::Named(new QFrame(axis), "Line1", k);
        Line1[k]->setFrameShape(QFrame::VLine);
        Line1[k]->setGeometry(x, 0, 1, kTickHeight_px);
        QLabel*& tick_label = Label1[kAxisLabels[k]];
        tick_label = ui::Named(new QLabel(Q(kAxisTexts[k]), axis), "Label1", kAxisLabels[k]);
        tick_label->adjustSize();
        tick_label->move(x - tick_label->width() / 2, kTickHeight_px);
    }
    dark->addWidget(axis, 0, Qt::AlignHCenter);
    Label1[3] = ui::Named(new QLabel(Frame1[1]), "Label1", 3);
    Label1[3]->setWordWrap(true);
    dark->addWidget(Label1[3]);
    dark->addStretch();
    frames->addWidget(Frame1[1]);
    Frame1[1]->hide();
    layout->addLayout(frames);

    auto* buttons = new QHBoxLayout;
    cmdNavi[0] = ui::Named(new QPushButton(Q("<어제"), this), "cmdNavi", 0);
    cmdNavi[1] = ui::Named(new QPushButton(Q("내일>"), this), "cmdNavi", 1);
    CmdExit = ui::Named(new QPushButton(Q("닫기"), this), "CmdExit");
    buttons->addWidget(cmdNavi[0]);
    buttons->addWidget(cmdNavi[1]);
    buttons->addStretch();
    buttons->addWidget(CmdExit);
    layout->addLayout(buttons);
    ui::BindEnterAndEscape(*this, nullptr, CmdExit);

    for (int k = 0; k < 2; ++k)
        connect(cmdNavi[k], &QPushButton::clicked, this, [this, k] { platform::Guard([this, k] { cmdNavi_Click(k); }); });
    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(cmdCopy, &QPushButton::clicked, this, [this] { platform::Guard([this] { cmdCopy_Click(); }); });
    connect(CmdExit, &QPushButton::clicked, this, [this] { close(); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { platform::Guard([this] { List1_DblClick(); }); });

    platform::Guard([this] { Form_Load(); });
}

void frmToday::Form_Load() {
    DayOffset = 0;
    BaseDay = skydata::CurrentSettings().CurrentJD;
    List1->clear();
    Label1[0]->setText(Q(astro::FormatDateKorean(BaseDay)));
    FillTonightList(BaseDay);
}

void frmToday::cmdNavi_Click(int index) {
    DayOffset = static_cast<std::int16_t>(DayOffset + (index == 0 ? -1 : 1));
    List1->clear();
    Label1[0]->setText(Q(astro::FormatDateKorean(ShownDay())));
    FillTonightList(ShownDay());
}

void frmToday::TabStrip1_Click() {
    const bool today = TabStrip1->tabData(TabStrip1->currentIndex()).toString() == "today";
    Frame1[1]->setVisible(!today);
    Frame1[0]->setVisible(today);
}

void frmToday::FillTonightList(double day_jd) {
    Slots = almanac::TonightEvents(day_jd, astro::CurrentSite());
    List1->clear();
    RowMap.clear();
    for (std::size_t k = 0; k < Slots.size(); ++k) {
        const almanac::TonightEvent& slot = Slots[k];
        if (!(slot.time > -1) || slot.text == "x") continue;
        List1->addItem(Q(astro::FormatClockKorean(slot.time * 360, 0) + "     " + slot.text));
        RowMap.push_back(static_cast<int>(k));
    }
    ComputeTonight(astro::RoundToHalf(day_jd));
}

void frmToday::ComputeTonight(double j0) {
    platform::ImageSurface& pic = Picture1->Surface();
    const double w = std::floor(pic.ScaleWidth()), h = std::floor(pic.ScaleHeight());
    pic.SetFillStyle(platform::Fill::Solid);
    pic.Line(0, 0, w, h, kDaylightColour, platform::Box::BF);
    const almanac::TonightTimeline timeline = almanac::ComputeTonightTimeline(j0, astro::CurrentSite());
    double previous_x = 0;
    for (int i = 0; i < almanac::kTonightSampleCount; ++i) {
        const double x = i * w / kSampleSpan;
        if (timeline.sun_alt_deg[static_cast<std::size_t>(i)] < kDarkAltitude_deg)
            pic.Line(previous_x, 0, x, h, kDarkColour, platform::Box::BF);
        if (timeline.moon_alt_deg[static_cast<std::size_t>(i)] > 0)
            pic.Line(previous_x, h / 3, x, 2 * h / 3, kMoonColour, platform::Box::BF);
        previous_x = std::floor(x);
    }
    Picture1->update();
    Crossings = timeline.crossings;
    Label1[3]->setText(Q(almanac::TonightSummary(Crossings)));
}

void frmToday::List1_DblClick() {
    const int row = List1->currentRow();
    if (row < 0 || !List1->currentItem() || !List1->currentItem()->isSelected() ||
        static_cast<std::size_t>(row) >= RowMap.size())
        return;
    const almanac::TonightEvent& slot = Slots[static_cast<std::size_t>(RowMap[static_cast<std::size_t>(row)])];
    if (platform::MsgBox("zu의 시간을 " + slot.text + "이 일어나는 시각으로 바꾸시겠습니까?",
                         platform::MsgButtons::YesNo, platform::MsgIcon::Question, "zu") != platform::MsgAnswer::Yes)
        return;
    zu::Host().MoveChartTime(astro::RoundToHalf(ShownDay()) + slot.time);
}

void frmToday::cmdCopy_Click() {
    std::string text = U(Label1[0]->text()) + "\r\n";
    for (int row = 0; row < List1->count(); ++row) text += U(List1->item(row)->text()) + "\r\n";
    platform::Clipboard& clipboard = *platform::Env().clipboard;
    clipboard.Clear();
    clipboard.SetText(text);
}

}  // namespace zu
