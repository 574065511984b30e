#include "zu/almanac/FrmCon.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/Plan404.h"
#include "astro/RiseSet.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/almanac/WindowSupport.h"
#include "zu/core/ChartHost.h"

namespace zu {
namespace {

constexpr double kDaysBefore = 10;
constexpr double kDaysAfter = 50;
constexpr int kSunriseSunsetKind = 1;
constexpr int kListWidth_px = 460;
constexpr int kListHeight_px = 220;
constexpr int kNumberBoxWidth_px = 44;
constexpr int kCaptionWidth_px = 70;

std::string Whole(double value) { return std::to_string(static_cast<long long>(value)); }

double Clamp(double value, double low, double high) { return value < low ? low : value > high ? high : value; }

QLineEdit* NumberBox(const QString& text, QWidget* parent) {
    auto* box = new QLineEdit(text, parent);
    box->setFixedWidth(kNumberBoxWidth_px);
    return box;
}

}  // namespace

FrmCon::FrmCon(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(Q("행성 접근 탐색기"));
    Search = [](const almanac::ApproachRequest& request, const almanac::PlanetTableSource& source, std::vector<double>& times,
                std::vector<std::string>& texts, platform::WorkProgress* progress) {
        return almanac::FindApproaches(request, source, times, texts, progress);
    };
    auto* layout = new QVBoxLayout(this);

    Frame1 = ui::Named(new QGroupBox(Q("탐색 설정"), this), "Frame1");
    auto* rows = new QVBoxLayout(Frame1);
    auto label = [this](const char* text) { return new QLabel(Q(text), Frame1); };
    // One row of the frame: a caption of the common width, then its boxes.
    auto row = [&](const char* caption) {
        auto* line = new QHBoxLayout;
        if (caption) {
            QLabel* title = label(caption);
            title->setFixedWidth(kCaptionWidth_px);
            line->addWidget(title);
        }
        rows->addLayout(line);
        return line;
    };
    constexpr const char* kDateUnits[3] = {"년", "월", "일"};
    QHBoxLayout* start_row = row("시작일");
    QHBoxLayout* end_row = row("종료일");
    for (int k = 0; k < 3; ++k) {
        TxtStart[k] = ui::Named(NumberBox("", Frame1), "TxtStart", k);
        TxtEnd[k] = ui::Named(NumberBox("", Frame1), "TxtEnd", k);
        start_row->addWidget(TxtStart[k]);
        start_row->addWidget(label(kDateUnits[k]));
        end_row->addWidget(TxtEnd[k]);
        end_row->addWidget(label(kDateUnits[k]));
        ui::SelectAllOnFocus(*TxtStart[k]);
        ui::SelectAllOnFocus(*TxtEnd[k]);
    }
    start_row->addStretch();
    end_row->addStretch();
    QHBoxLayout* time_row = row("기준 시각");
    TxtTime[0] = ui::Named(NumberBox("12", Frame1), "TxtTime", 0);
    TxtTime[1] = ui::Named(NumberBox("00", Frame1), "TxtTime", 1);
    time_row->addWidget(TxtTime[0]);
    time_row->addWidget(label(":"));
    time_row->addWidget(TxtTime[1]);
    time_row->addStretch();
    QHBoxLayout* step_row = row("계산 간격");
    TxtInt = ui::Named(NumberBox("1", Frame1), "TxtInt");
    step_row->addWidget(TxtInt);
    step_row->addWidget(label("일"));
    step_row->addStretch();

    Check1 = ui::Named(new QCheckBox(Q("3개 이상의 행성 접근:"), Frame1), "Check1");
    Check1->setChecked(true);
    txtPN = ui::Named(NumberBox("4", Frame1), "txtPN");
    txtPN->setToolTip(Q("3에서 6 사이의 숫자를 입력할 수 있습니다."));
    txtAngDist = ui::Named(NumberBox("60", Frame1), "txtAngDist");
    txtAngDist->setToolTip(Q("1~120도 사이의 값을 입력할 수 있습니다."));
    QHBoxLayout* gathering = row(nullptr);
    gathering->addWidget(Check1);
    gathering->addWidget(txtPN);
    gathering->addWidget(label("개 이상의 행성이 황경"));
    gathering->addWidget(txtAngDist);
    gathering->addWidget(label("도 이내로 접근했을 때 표시"));
    gathering->addStretch();

    Check2 = ui::Named(new QCheckBox(Q("2개의 행성 접근:"), Frame1), "Check2");
    Check2->setChecked(true);
    txtAngDist2 = ui::Named(NumberBox("3", Frame1), "txtAngDist2");
    txtAngDist2->setToolTip(Q("0.5에서 5도 사이의 값을 입력할 수 있습니다."));
    QHBoxLayout* pairs = row(nullptr);
    pairs->addWidget(Check2);
    pairs->addWidget(label("2개의 행성이 각거리"));
    pairs->addWidget(txtAngDist2);
    pairs->addWidget(label("도 이내로 접근했을 때 표시"));
    pairs->addStretch();
    layout->addWidget(Frame1);

    List1 = ui::Named(new QListWidget(this), "List1");
    List1->setMinimumSize(kListWidth_px, kListHeight_px);
    layout->addWidget(List1);

    auto* buttons = new QHBoxLayout;
    CmdFind = ui::Named(new QPushButton(Q("찾기"), this), "CmdFind");
    cmdCopy = ui::Named(new QPushButton(Q("복사"), this), "cmdCopy");
    cmdCopy->setToolTip(Q("클립보드에 내용을 복사합니다."));
    CmdCancel = ui::Named(new QPushButton(Q("닫기"), this), "CmdCancel");
    buttons->addStretch();
    buttons->addWidget(CmdFind);
    buttons->addWidget(cmdCopy);
    buttons->addWidget(CmdCancel);
    layout->addLayout(buttons);
    ui::BindEnterAndEscape(*this, CmdFind, CmdCancel);

    connect(CmdFind, &QPushButton::clicked, this, [this] { platform::Guard([this] { CmdFind_Click(); }); });
    connect(cmdCopy, &QPushButton::clicked, this, [this] { platform::Guard([this] { cmdCopy_Click(); }); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { close(); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { platform::Guard([this] { List1_DblClick(); }); });

    platform::Guard([this] { Form_Load(); });
}

void FrmCon::Form_Load() {
    const double now = skydata::CurrentSettings().CurrentJD;
    const astro::CalendarDate start = astro::JDToDate(now - kDaysBefore);
    const astro::CalendarDate end = astro::JDToDate(now + kDaysAfter);
    const double start_fields[3] = {start.year, start.month, start.day};
    const double end_fields[3] = {end.year, end.month, end.day};
    for (int k = 0; k < 3; ++k) {
        TxtStart[k]->setText(Q(Whole(start_fields[k])));
        TxtEnd[k]->setText(Q(Whole(end_fields[k])));
    }
}

void FrmCon::CmdFind_Click() {
    const double h = ui::BoxNumber(TxtTime[0]) + ui::BoxNumber(TxtTime[1]) / 60;
    almanac::ApproachRequest request;
    request.start_jd = astro::DateToJD(ui::BoxNumber(TxtStart[0]), ui::BoxNumber(TxtStart[1]), ui::BoxNumber(TxtStart[2]), h, 0, 0);
    request.end_jd = astro::DateToJD(ui::BoxNumber(TxtEnd[0]), ui::BoxNumber(TxtEnd[1]), ui::BoxNumber(TxtEnd[2]), h, 0, 0);
    // Text without a number reads 0, so the least count.
    request.min_count = static_cast<int>(Clamp(std::nearbyint(ui::BoxNumber(txtPN)), 3, 6));
    const double step = ui::BoxNumber(TxtInt);
    request.step_days = step < 1 ? 1 : step;
    request.width_deg = Clamp(ui::BoxNumber(txtAngDist), 1, 120);
    request.pair_limit_deg = Clamp(ui::BoxNumber(txtAngDist2), 0.5, 5);
    request.gathering = Check1->isChecked();
    request.pairs = Check2->isChecked();
    if (!request.gathering && !request.pairs) return;

    // The search runs on a thread of its own: a refusal is told here first,
    // and it reads its own copy of the site.
    std::vector<double> times;
    std::vector<std::string> texts;
    almanac::ApproachSearchStatus status = almanac::CheckApproachRequest(request);
    if (status != almanac::ApproachSearchStatus::Refused) {
        const almanac::PlanetTableSource source = almanac::SkyPlanetTableSource();
        const bool finished = platform::RunLongWork(
            {"행성 접근 탐색기", "행성 접근 현상을 찾고 있습니다..."}, [&](platform::WorkProgress& progress) {
                // A copy of the planetary series no other thread holds, where
                // there is one; else the chart's, idle while the search runs.
                const astro::SeriesCopyScope series;
                status = Search(request, source, times, texts, &progress);
            });
        if (!finished || status == almanac::ApproachSearchStatus::Cancelled) return;
    }
    List1->clear();
    if (status != almanac::ApproachSearchStatus::Refused && !times.empty() && times.size() == texts.size()) {
        Times = std::move(times);
        Texts = std::move(texts);
    } else if (Times.empty()) {
        platform::MsgBox("탐색 기간을 확인한 후 다시 찾기 단추를 눌러주세요.", platform::MsgButtons::Ok,
                         platform::MsgIcon::Critical, "행성 현상 탐색 오류");
        return;
    }
    // A refused search did nothing: the rows of the one before are listed
    // again rather than lost to it.
    for (std::size_t r = 0; r + 1 < Times.size(); ++r)
        List1->addItem(Q(astro::ShortDateText(Times[r], 3) + "    " + Texts[r]));
}

void FrmCon::List1_DblClick() {
    const int row = List1->currentRow();
    if (row < 0 || !List1->currentItem() || !List1->currentItem()->isSelected() ||
        static_cast<std::size_t>(row) + 1 >= Times.size())
        return;
    const auto r = static_cast<std::size_t>(row);
    const std::string line = U(List1->currentItem()->text());
    double instant = Times[r];
    const bool morning = line.find("새벽") != std::string::npos;
    const bool evening = !morning && line.find("저녁") != std::string::npos;
    if (morning || evening) {
        const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
        const double midnight = astro::RoundToHalf(Times[r]);
        double rise = -1, set = -1, transit = -1;
        astro::SunRiseSetEvents(midnight, s.lat, s.lon, kSunriseSunsetKind, rise, set, transit);
        // On a day without the event the gathering holds at its scan instant.
        const double hours = morning ? rise : set;
        if (hours >= 0) instant = midnight + hours / 24;
    }
    if (platform::MsgBox("zu의 시간을 " + Texts[r] + "이 일어나는 시각으로 바꾸시겠습니까?",
                         platform::MsgButtons::YesNo, platform::MsgIcon::Question, "zu") != platform::MsgAnswer::Yes)
        return;
    zu::Host().MoveChartTime(instant);
}

void FrmCon::cmdCopy_Click() {
    std::string text = "행성 접근 현상\r\n";
    for (int row = 0; row < List1->count(); ++row) text += U(List1->item(row)->text()) + "\r\n";
    platform::Clipboard& clipboard = *platform::Env().clipboard;
    clipboard.Clear();
    clipboard.SetText(text);
}

}  // namespace zu
