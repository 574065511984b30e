#include "zu/tracks/TrackWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <algorithm>
#include <cmath>
#include <utility>

#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/OrbitElements.h"
#include "astro/Planets.h"
#include "astro/TextFormat.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/Tracks.h"

namespace zu {
namespace {

constexpr const char* kTimeRules[10] = {"사용자 정의",  "아침 천문 박명", "아침 항해 박명", "아침 시민 박명",
                                        "해 뜸",        "해 남중",        "해 짐",          "저녁 시민 박명",
                                        "저녁 항해 박명", "저녁 천문 박명"};
constexpr const char* kFrames[2] = {"적도 좌표계", "지평 좌표계"};
constexpr const char* kLabelCaptions[4] = {"천체 이름 표시", "날짜 표시", "밝기 표시", "시간 표시"};
constexpr char kLabelFlags[4] = {'N', 'D', 'M', 'T'};
constexpr const char* kKinds[3] = {"행성", "혜성", "소행성"};
constexpr char kKindLetters[3] = {'P', 'C', 'A'};
constexpr int kDateBox = 1;  // ChkLabel(1): "날짜 표시"
constexpr int kTimeBox = 3;  // ChkLabel(3): "시간 표시"
constexpr double kRangeSteps = 3;      // a refused range becomes three steps long
constexpr double kMaxLabelDays = 32767;  // the settings keep the label interval in 16 bits
constexpr double kCommand3Days = 30;

constexpr const char* kRangeTitle = "궤적 그리기 오류";
constexpr const char* kRangeQuestion =
    "시작 날짜와 종료 날짜 사이의 날짜 수가 계산 간격보다 작습니다.\r\n날짜 간격을 자동으로 조절하시겠습니까?";
constexpr const char* kRangeRefused = "시작 날짜 또는 종료 날짜를 새로 설정해 주십시오.";

QString NumberBox(double value) { return ui::QText(astro::PlainNumberText(value)); }

void ShowDate(double jd, const std::array<QLineEdit*, 3>& boxes) {
    const astro::CalendarDate d = astro::JDToDate(jd);
    boxes[0]->setText(NumberBox(d.year));
    boxes[1]->setText(NumberBox(d.month));
    boxes[2]->setText(NumberBox(d.day));
}

double ReadDate(const std::array<QLineEdit*, 3>& boxes) {
    return astro::DateToJD(ui::BoxNumber(boxes[0]), ui::BoxNumber(boxes[1]), ui::BoxNumber(boxes[2]), 0, 0, 0);
}

}  // namespace

std::vector<std::string> PathBodyNamesOfKind(std::uint8_t kind) {
    std::vector<std::string> names;
    if (kind == 0) {
        for (const astro::PlanetRecord& planet : astro::Planets().PlanetTable) names.push_back(planet.Name);
    } else if (kind == 1) {
        for (const astro::CometElements& comet : astro::SmallBodies().CometElementList) names.push_back(comet.Name);
    } else {
        for (const astro::AsteroidElements& body : astro::SmallBodies().AsteroidElementList) {
            names.push_back(body.Name);
        }
    }
    return names;
}

FrmPath::FrmPath(QWidget* owner) : QDialog(owner) { BuildControls(); }

void FrmPath::BuildControls() {
    setWindowTitle(QString::fromUtf8("태양계 천체의 궤적"));
    setFixedSize(560, 372);
    auto label = [this](const char* text, int index, int x, int y, int w, QWidget* parent = nullptr) {
        ui::Named(new QLabel(QString::fromUtf8(text), parent ? parent : this), "Label1", index)->setGeometry(x, y, w, 22);
    };
    label("시작일", 0, 10, 12, 60);
    label("종료일", 1, 10, 42, 60);
    const char* units[3] = {"년", "월", "일"};
    const int box_x[3] = {70, 140, 194};
    const int box_w[3] = {50, 34, 34};
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        TxtStart[k] = ui::Named(new QLineEdit(this), "TxtStart", i);
        TxtStart[k]->setGeometry(box_x[i], 10, box_w[i], 24);
        TxtEnd[k] = ui::Named(new QLineEdit(this), "TxtEnd", i);
        TxtEnd[k]->setGeometry(box_x[i], 40, box_w[i], 24);
        label(units[i], 2 + i, box_x[i] + box_w[i] + 2, 12, 18);
        label(units[i], 5 + i, box_x[i] + box_w[i] + 2, 42, 18);
        ui::SelectAllOnFocus(*TxtStart[k]);
        ui::SelectAllOnFocus(*TxtEnd[k]);
    }
    Command3 = ui::Named(new QPushButton(QString::fromUtf8("날짜 조절"), this), "Command3");
    Command3->setGeometry(252, 24, 84, 28);
    Command3->setToolTip(QString::fromUtf8("zu에 설정된 날짜로 조절합니다."));

    label("계산 간격", 8, 10, 76, 60);
    TxtInt = ui::Named(new QLineEdit(this), "TxtInt");
    TxtInt->setGeometry(70, 74, 50, 24);
    label("일", 9, 122, 76, 18);
    label("눈금 간격", 10, 160, 76, 60);
    TxtLabel = ui::Named(new QLineEdit(this), "TxtLabel");
    TxtLabel->setGeometry(222, 74, 50, 24);
    label("일", 11, 274, 76, 18);

    label("기준 시각", 12, 10, 110, 60);
    CmbTime = ui::Named(new QComboBox(this), "CmbTime");
    CmbTime->setGeometry(70, 108, 130, 26);
    for (const char* text : kTimeRules) CmbTime->addItem(QString::fromUtf8(text));
    for (int i = 0; i < 2; ++i) {
        TxtTime[static_cast<std::size_t>(i)] = ui::Named(new QLineEdit(this), "TxtTime", i);
        TxtTime[static_cast<std::size_t>(i)]->setGeometry(208 + 58 * i, 108, 34, 24);
        label(i == 0 ? "시" : "분", 13 + i, 244 + 58 * i, 110, 18);
    }
    label("기준 좌표계", 15, 10, 144, 70);
    CmbRef = ui::Named(new QComboBox(this), "CmbRef");
    CmbRef->setGeometry(82, 142, 130, 26);
    for (const char* text : kFrames) CmbRef->addItem(QString::fromUtf8(text));
    ChkSnc = ui::Named(new QCheckBox(QString::fromUtf8("컴퓨터 시간에 맞추어 계산"), this), "ChkSnc");
    ChkSnc->setGeometry(10, 176, 300, 22);

    auto* labels = ui::Named(new QGroupBox(QString::fromUtf8("표시 내용"), this), "Frame2");
    labels->setGeometry(10, 204, 326, 116);
    const int label_pos[4][2] = {{10, 22}, {10, 46}, {10, 70}, {170, 46}};
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        ChkLabel[k] = ui::Named(new QCheckBox(QString::fromUtf8(kLabelCaptions[i]), labels), "ChkLabel", i);
        ChkLabel[k]->setGeometry(label_pos[i][0], label_pos[i][1], 150, 22);
    }
    chkFirst = ui::Named(new QCheckBox(QString::fromUtf8("한 번만 표시"), labels), "chkFirst");
    chkFirst->setGeometry(170, 22, 150, 22);
    chkFirst->setToolTip(QString::fromUtf8("천체의 이름을 처음 한 번만 표시합니다."));
    ChkDrawTail = ui::Named(new QCheckBox(QString::fromUtf8("혜성 꼬리 그리기"), labels), "ChkDrawTail");
    ChkDrawTail->setGeometry(10, 90, 150, 22);

    auto* kinds = ui::Named(new QGroupBox(QString::fromUtf8("천체 종류"), this), "Frame1");
    kinds->setGeometry(350, 4, 200, 316);
    for (int i = 0; i < 3; ++i) {
        optkind[static_cast<std::size_t>(i)] = ui::Named(new QRadioButton(QString::fromUtf8(kKinds[i]), kinds), "optkind", i);
        optkind[static_cast<std::size_t>(i)]->setGeometry(10 + 62 * i, 20, 62, 22);
    }
    List1 = ui::Named(new QListWidget(kinds), "List1");
    List1->setGeometry(10, 46, 180, 226);
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    Command2 = ui::Named(new QPushButton(QString::fromUtf8("모두 해제"), kinds), "Command2");
    Command2->setGeometry(10, 278, 180, 28);

    Command1[0] = ui::Named(new QPushButton(QString::fromUtf8("적용"), this), "Command1", 0);
    Command1[0]->setGeometry(376, 334, 80, 28);
    Command1[0]->setDefault(true);
    Command1[1] = ui::Named(new QPushButton(QString::fromUtf8("취소"), this), "Command1", 1);
    Command1[1]->setGeometry(466, 334, 80, 28);
    Command1[1]->setAutoDefault(false);

    auto guarded = [this](void (FrmPath::*handler)()) {
        return [this, handler] { platform::Guard([this, handler] { (this->*handler)(); }); };
    };
    for (int i = 0; i < 2; ++i) {
        connect(Command1[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { platform::Guard([this, i] { Command1_Click(i); }); });
    }
    for (int i = 0; i < 3; ++i) {
        connect(optkind[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { platform::Guard([this, i] { optkind_Click(i); }); });
    }
    for (QCheckBox* box : ChkLabel) connect(box, &QCheckBox::clicked, this, guarded(&FrmPath::ChkLabel_Click));
    connect(Command2, &QPushButton::clicked, this, guarded(&FrmPath::Command2_Click));
    connect(Command3, &QPushButton::clicked, this, guarded(&FrmPath::Command3_Click));
    connect(CmbTime, QOverload<int>::of(&QComboBox::activated), this, guarded(&FrmPath::CmbTime_Click));
}

void FrmPath::showEvent(QShowEvent* event) {
    if (!loaded_) {
        loaded_ = true;
        platform::Guard([this] { Form_Load(); });
    }
    QDialog::showEvent(event);
}

void FrmPath::reject() {
    RestorePathSettings();
    QDialog::reject();
}

void FrmPath::Form_Load() {
    CmbTime->setCurrentIndex(0);
    CmbRef->setCurrentIndex(0);
    WorkBodyList = skydata::PathModule().PathBodyList;
    SavedPathBodies = WorkBodyList;
    if (WorkBodyList.empty()) WorkBodyList.resize(1);
    CopyPathSettings(skydata::PathModule().Settings, SavedPathSettings);
    if (ADDfromMainFirst) {
        WorkBodyList[0] = ObjID;
        ADDfromMainFirst = false;
    }
    BodyKind = 0;
    optkind[0]->setChecked(true);
    FillBodyList();
    FillPathDialog();
}

void FrmPath::FillPathDialog() {
    const skydata::PathSettings& p = skydata::PathModule().Settings;
    ShowDate(p.StartJD, TxtStart);
    ShowDate(p.EndJD, TxtEnd);
    TxtInt->setText(NumberBox(p.StepDays));
    TxtLabel->setText(NumberBox(p.LabelInterval));
    CmbTime->setCurrentIndex(std::min<int>(p.TimeRule, CmbTime->count() - 1));
    CmbTime_Click();
    const double whole_hours = std::trunc(p.Hour);
    TxtTime[0]->setText(NumberBox(whole_hours));
    TxtTime[1]->setText(NumberBox(std::trunc((p.Hour - whole_hours) * 60)));
    CmbRef->setCurrentIndex(p.Reference == 1 ? 1 : 0);
    for (std::size_t i = 0; i < ChkLabel.size(); ++i) {
        ChkLabel[i]->setChecked(p.LabelFlags.find(kLabelFlags[i]) != std::string::npos);
    }
    ChkSnc->setChecked(p.SyncWithChart);
    chkFirst->setChecked(p.LabelFirstOnly);
    ChkDrawTail->setChecked(p.DrawTail);
    ChkLabel_Click();
}

void FrmPath::FillBodyList() {
    List1->hide();
    List1->clear();
    const std::vector<std::string> names = PathBodyNamesOfKind(BodyKind);
    for (const std::string& name : names) List1->addItem(ui::QText(name));
    for (const std::string& code : WorkBodyList) {
        if (code.empty()) continue;
        std::uint8_t kind = 0;
        std::int32_t number = 0;
        ParseBodyCode(code, kind, number);
        if (kind != BodyKind || number < 0 || number >= List1->count()) continue;
        List1->item(number)->setSelected(true);
    }
    if (List1->count() > 0) List1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    List1->show();
}

void FrmPath::RemoveKindCodes() {
    for (std::string& code : WorkBodyList) {
        if (code.empty()) continue;
        std::uint8_t kind = 0;
        std::int32_t number = 0;
        ParseBodyCode(code, kind, number);
        if (kind == BodyKind) code.clear();
    }
    CompactBodyCodes();
}

void FrmPath::CompactBodyCodes() {
    std::erase_if(WorkBodyList, [](const std::string& code) { return code.empty(); });
    if (WorkBodyList.empty()) WorkBodyList.resize(1);
}

bool FrmPath::BodyCodeListed(const std::string& code) const {
    return std::find(WorkBodyList.begin(), WorkBodyList.end(), code) != WorkBodyList.end();
}

void FrmPath::AppendBodyCode(const std::string& code) { WorkBodyList.push_back(code); }

void FrmPath::CollectBodySelection() {
    RemoveKindCodes();
    for (int i = 0; i < List1->count(); ++i) {
        if (!List1->item(i)->isSelected()) continue;
        const std::string code = std::string(1, kKindLetters[BodyKind]).append(std::to_string(i));
        if (!BodyCodeListed(code)) AppendBodyCode(code);
    }
    CompactBodyCodes();
}

void FrmPath::optkind_Click(int index) {
    CollectBodySelection();
    BodyKind = static_cast<std::uint8_t>(index);
    FillBodyList();
}

void FrmPath::Command2_Click() {
    skydata::ClearPathBodies(WorkBodyList);
    FillBodyList();
}

void FrmPath::Command3_Click() {
    const double now = skydata::CurrentSettings().CurrentJD;
    ShowDate(now, TxtStart);
    ShowDate(now + kCommand3Days, TxtEnd);
}

void FrmPath::ChkLabel_Click() { ChkLabel[kTimeBox]->setEnabled(ChkLabel[kDateBox]->isChecked()); }

void FrmPath::CmbTime_Click() {
    const bool own_hour = CmbTime->currentIndex() == 0;
    for (QLineEdit* box : TxtTime) box->setEnabled(own_hour);
}

bool FrmPath::ApplyPathDialog() {
    double start = ReadDate(TxtStart);
    double end = ReadDate(TxtEnd);
    const double hour = ui::BoxNumber(TxtTime[0]) + ui::BoxNumber(TxtTime[1]) / 60;
    double step = std::trunc(ui::BoxNumber(TxtInt));
    if (!(step >= 1) || !std::isfinite(step)) step = 1;
    double label_days = std::trunc(ui::BoxNumber(TxtLabel));
    if (!std::isfinite(label_days)) label_days = step;

    if (std::fabs(start - end) > step) {
        if (start > end) std::swap(start, end);
    } else {
        const platform::MsgAnswer answer =
            platform::MsgBox(kRangeQuestion, platform::MsgButtons::YesNo, platform::MsgIcon::Question, kRangeTitle);
        if (answer != platform::MsgAnswer::Yes) {
            platform::MsgBox(kRangeRefused, platform::MsgButtons::Ok, platform::MsgIcon::Information, kRangeTitle);
            return false;
        }
        end = start + kRangeSteps * step;
    }
    if (std::fmod(label_days, step) != 0) label_days = std::trunc(label_days / step) * step;
    if (step > label_days) label_days = step;

    skydata::PathState& paths = skydata::PathModule();
    skydata::PathSettings& p = paths.Settings;
    p.EndJD = end;
    p.Hour = hour;
    p.StepDays = std::fabs(step);
    p.StartJD = start;
    p.LabelInterval = static_cast<std::int16_t>(std::min(std::fabs(label_days), kMaxLabelDays));
    p.TimeRule = static_cast<std::uint8_t>(std::max(0, CmbTime->currentIndex()));
    p.Reference = static_cast<std::uint8_t>(std::max(0, CmbRef->currentIndex()));
    std::string flags;
    for (std::size_t i = 0; i < ChkLabel.size(); ++i) {
        if (ChkLabel[i]->isChecked()) flags += kLabelFlags[i];
    }
    flags.resize(4, ' ');
    p.LabelFlags = flags;
    p.SyncWithChart = ChkSnc->isChecked();
    p.LabelFirstOnly = chkFirst->isChecked();
    p.DrawTail = ChkDrawTail->isChecked();
    // The selection is taken only with the settings: a refused range keeps
    // the tracked bodies as they were.
    paths.PathBodyList = WorkBodyList;
    return true;
}

void FrmPath::RestorePathSettings() {
    if (loaded_) CopyPathSettings(SavedPathSettings, skydata::PathModule().Settings);
}

void FrmPath::Command1_Click(int index) {
    if (index != 0) {
        reject();
        return;
    }
    CollectBodySelection();
    if (!ApplyPathDialog()) return;
    // The user asks for these tracks now: warned if they are too many.
    TrackModule().UserAsked = true;
    ChartHost& host = Host();
    host.ComputePaths();
    if (TrackModule().Stopped) {
        // Stopped while computing: the tracks stay as they were, and so do
        // their settings and bodies; the window stays open with its boxes.
        RestorePathSettings();
        skydata::PathModule().PathBodyList = SavedPathBodies;
        TakeBackPathsBefore(skydata::PathModule().Settings);
        return;
    }
    host.ProjectPaths();
    host.SetMapBox();
    accept();
}

}  // namespace zu
