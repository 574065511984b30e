#include "zu/almanac/Frm24julgi.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

#include "almanac/PhenomenaList.h"
#include "almanac/SkyCalendarServices.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/SunMoonEvents.h"
#include "astro/TextFormat.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "skydata/StartupTables.h"
#include "ui/ToolControls.h"
#include "zu/almanac/WindowSupport.h"
#include "zu/core/ChartHost.h"

namespace zu {
namespace {

constexpr const char* kWeekdays[7] = {"일", "월", "화", "수", "목", "금", "토"};
constexpr int kSolarTermCount = 24;

std::string Whole(double value) { return std::to_string(static_cast<long long>(value)); }

std::string YearCaption(double year) { return year >= 1 ? Whole(year) : "기원전 " + Whole(std::fabs(year) + 1); }

}  // namespace

Frm24julgi::Frm24julgi(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(Q("24절기 입기 시각과 주요 천문 현상"));
    auto* layout = new QVBoxLayout(this);
    TabStrip1 = ui::Named(new QTabBar(this), "TabStrip1");
    TabStrip1->addTab(Q("24절기 입기 시각"));
    TabStrip1->setTabData(0, "julgi");
    TabStrip1->addTab(Q("주요 천문 현상"));
    TabStrip1->setTabData(1, "sday");
    layout->addWidget(TabStrip1);

    Frame2 = ui::Named(new QGroupBox(this), "Frame2");
    auto* terms = new QGridLayout(Frame2);
    Label1[0] = ui::Named(new QLabel(Frame2), "Label1", 0);
    QFont title_font = Label1[0]->font();
    title_font.setBold(true);
    Label1[0]->setFont(title_font);
    terms->addWidget(Label1[0], 0, 0, 1, 4);
    constexpr const char* kHeads[4] = {"절기", "날짜/시각", "절기", "날짜/시각"};
    for (int k = 0; k < 4; ++k) {
        Label1[1 + k] = ui::Named(new QLabel(Q(kHeads[k]), Frame2), "Label1", 1 + k);
        terms->addWidget(Label1[1 + k], 1, k);
    }
    for (int i = 0; i < kSolarTermCount; ++i) {
        Label2[i] = ui::Named(new QLabel(Frame2), "Label2", i);
        Label3[i] = ui::Named(new QLabel(Frame2), "Label3", i);
        const int row = 2 + i % 12, column = 2 * (i / 12);
        terms->addWidget(Label2[i], row, column);
        terms->addWidget(Label3[i], row, column + 1);
    }
    Frame1 = ui::Named(new QGroupBox(Q("계산 방법"), Frame2), "Frame1");
    auto* methods = new QHBoxLayout(Frame1);
    Option1[0] = ui::Named(new QRadioButton(Q("정기법"), Frame1), "Option1", 0);
    Option1[1] = ui::Named(new QRadioButton(Q("평기법"), Frame1), "Option1", 1);
    Option1[0]->setChecked(true);
    methods->addWidget(Option1[0]);
    methods->addWidget(Option1[1]);
    terms->addWidget(Frame1, 14, 0, 1, 4);
    layout->addWidget(Frame2);

    Frame3 = ui::Named(new QGroupBox(this), "Frame3");
    auto* phenomena = new QVBoxLayout(Frame3);
    Label1[5] = ui::Named(new QLabel(Frame3), "Label1", 5);
    Label1[5]->setFont(title_font);
    phenomena->addWidget(Label1[5]);
    List1 = ui::Named(new QListWidget(Frame3), "List1");
    phenomena->addWidget(List1);
    layout->addWidget(Frame3);
    Frame3->hide();

    auto* buttons = new QHBoxLayout;
    CmdAdj[0] = ui::Named(new QPushButton(Q("<전년"), this), "CmdAdj", 0);
    CmdAdj[1] = ui::Named(new QPushButton(Q("내년>"), this), "CmdAdj", 1);
    cmdCopy = ui::Named(new QPushButton(Q("복사"), this), "cmdCopy");
    cmdCopy->setToolTip(Q("클립보드에 내용을 복사합니다."));
    CmdExit = ui::Named(new QPushButton(Q("확인"), this), "CmdExit");
    buttons->addWidget(CmdAdj[0]);
    buttons->addWidget(CmdAdj[1]);
    buttons->addStretch();
    buttons->addWidget(cmdCopy);
    buttons->addWidget(CmdExit);
    layout->addLayout(buttons);

    for (int k = 0; k < 2; ++k) {
        connect(CmdAdj[k], &QPushButton::clicked, this, [this, k] { CmdAdj_Click(k); });
        connect(Option1[k], &QRadioButton::clicked, this, [this] { CalcJulGi(ShownYear()); });
    }
    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
    connect(CmdExit, &QPushButton::clicked, this, [this] { close(); });
    ui::BindEnterAndEscape(*this, nullptr, CmdExit);
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });

    YearOffset = 0;
    const double year = ShownYear();
    CalcJulGi(year);
    AstroPhem2(year, skydata::CurrentSettings().timezone);
}

double Frm24julgi::ShownYear() const { return astro::JDToYear(skydata::CurrentSettings().CurrentJD) + YearOffset; }

void Frm24julgi::CalcJulGi(double year) {
    const std::string caption = YearCaption(year);
    Label1[0]->setText(Q(caption + "년의 24절기 입기 시각"));
    Label1[5]->setText(Q(caption + "년의 주요 천문 현상"));
    const double zone = skydata::CurrentSettings().timezone;
    const bool true_terms = Option1[0]->isChecked();
    for (int i = 0; i < kSolarTermCount; ++i) {
        const skydata::SolarTerm& term = skydata::SolarTermTable[static_cast<std::size_t>(i)];
        Label2[i]->setText(Q(std::string(term.Name) + "(" + std::string(term.Hanja) + ")"));
        const std::optional<double> v =
            true_terms
                ? astro::SolarLongitudeTime(year, term.Longitude_deg, term.Day, zone)
                : std::optional<double>(astro::ApproxSolarLongitudeTime(year, term.Longitude_deg, term.Day, zone));
        if (!v) {
            Label3[i]->setText("--");
            Label3[i]->setToolTip("--");
            continue;
        }
        const astro::CalendarDate d = astro::JDToDate(*v);
        Label3[i]->setText(
            Q(Whole(d.month) + "월 " + Whole(d.day) + "일 " + Whole(d.hour) + "시 " + Whole(d.minute) + "분"));
        Label3[i]->setToolTip(Q("율리우스 역일: " + astro::FormatDigitPattern(*v, "0.000000")));
    }
}

void Frm24julgi::AstroPhem2(double year, double zone_h) {
    List1->clear();
    RowMap.clear();
    Times.clear();
    Texts.clear();
    const almanac::CalendarServices& services = almanac::SkyCalendarServices();
    const double start = services.DateToJD(year, 1, 1, 12, 0, 0);
    const double end = services.DateToJD(year, 12, 31, 12, 0, 0);
    if (almanac::ListPlanetPhenomena(start - 30, end + 30, zone_h, services, Times, Texts) != almanac::PhenomenaStatus::Listed) return;
    for (std::size_t r = 0; r < Times.size() && r < Texts.size(); ++r) {
        const double local = Times[r] + zone_h / 24.0;
        if (!(start - 0.5 <= local && local < end + 0.5)) continue;
        const int weekday = FloorMod(astro::RoundToHalf(local) + 1.5, 7);
        List1->addItem(Q(astro::ShortDateText(local, 0) + " (" + kWeekdays[weekday] + ")" + "  -  " + Texts[r] + "(" +
                         astro::ShortDateText(local, 2) + ")"));
        RowMap.push_back(static_cast<int>(r));
    }
}

void Frm24julgi::CmdAdj_Click(int index) {
    YearOffset += index == 0 ? -1 : 1;
    const double year = ShownYear();
    CalcJulGi(year);
    AstroPhem2(year, skydata::CurrentSettings().timezone);
}

void Frm24julgi::TabStrip1_Click() {
    const bool terms = TabStrip1->tabData(TabStrip1->currentIndex()).toString() == "julgi";
    Frame2->setVisible(terms);
    Frame3->setVisible(!terms);
}

void Frm24julgi::cmdCopy_Click() {
    std::string text = U(Label1[0]->text()) + "(" + (Option1[0]->isChecked() ? "정기법" : "평기법") + ")\r\n";
    for (int i = 0; i < kSolarTermCount; ++i)
        text += U(Label2[i]->text()) + "\t" + U(Label3[i]->text()) + "\t" + U(Label3[i]->toolTip()) + "\r\n";
    text += "\r\n\r\n" + U(Label1[5]->text()) + "\r\n";
    for (int row = 0; row < List1->count(); ++row) text += U(List1->item(row)->text()) + "\r\n";
    platform::Clipboard& clipboard = *platform::Env().clipboard;
    clipboard.Clear();
    clipboard.SetText(text);
}

void Frm24julgi::List1_DblClick() {
    const int row = List1->currentRow();
    if (row < 0 || row >= static_cast<int>(RowMap.size()) || !List1->currentItem() ||
        !List1->currentItem()->isSelected())
        return;
    const std::size_t r = static_cast<std::size_t>(RowMap[static_cast<std::size_t>(row)]);
    const platform::MsgAnswer answer =
        platform::MsgBox("zu의 시간을 " + Texts[r] + "이 일어나는 시각으로 바꾸시겠습니까?",
                         platform::MsgButtons::YesNo, platform::MsgIcon::Question, "zu");
    if (answer != platform::MsgAnswer::Yes) return;
    zu::Host().MoveChartTime(Times[r] + skydata::CurrentSettings().timezone / 24.0);
}

}  // namespace zu
