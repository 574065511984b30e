#include "zu/dialogs/AnimationWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/TextFormat.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/ConfigStore.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/MainState.h"

namespace zu {
namespace {

constexpr const char* kTitle = "시간 간격 조절";
constexpr const char* kStepNotPositive = "시간 간격은 0보다 커야 합니다.";
constexpr const char* kTooFast =
    "그리기 횟수를 너무 크게 설정하셨습니다. 이 컴퓨터로는 이렇게 빠르게\r\n"
    "그릴 수 없습니다. 프로그램에서 추천하는 값으로 간격을 바꾸시겠습니까?";
constexpr int kCustomItem = 11;
constexpr int kEventItem = 12;
constexpr double kFirstEventCode = -150;
constexpr int kMinInterval_ms = 1;
constexpr int kMaxInterval_ms = 65535;
constexpr double kSpeedFactors[3] = {1, 3, 8};

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
double Number(const QLineEdit* box) { return astro::ParseLeadingNumber(box->text().toUtf8().toStdString()); }
QString Plain(double value) { return Q(skydata::TrimBlanks(skydata::FormatPlainNumber(value))); }
double RoundTenth(double value) { return std::round(value * 10) / 10; }

}  // namespace

FrmAni::FrmAni(QWidget* owner) : QDialog(owner) {
    BuildControls();
    Form_Load();
}

void FrmAni::BuildControls() {
    setFixedSize(400, 300);
    auto* frame1 = ui::Named(new QGroupBox(QString::fromUtf8("시간 간격"), this), "Frame1");
    frame1->setGeometry(10, 8, 380, 150);
    Option1[0] = ui::Named(new QRadioButton(QString::fromUtf8("일정한 간격으로"), frame1), "Option1", 0);
    Option1[0]->setGeometry(10, 22, 300, 22);
    Option1[0]->setChecked(true);
    const char* defaults[4] = {"0", "0", "30", "0"};
    const char* units[4] = {"일", "시간", "분", "초"};
    for (int i = 0; i < 4; ++i) {
        const auto n = static_cast<std::size_t>(i);
        TxtInt[n] = ui::Named(new QLineEdit(QString::fromUtf8(defaults[i]), frame1), "TxtInt", i);
        TxtInt[n]->setGeometry(30 + 84 * i, 48, 40, 22);
        ui::SelectAllOnFocus(*TxtInt[n]);
        Label1[n] = ui::Named(new QLabel(QString::fromUtf8(units[i]), frame1), "Label1", i);
        Label1[n]->setGeometry(74 + 84 * i, 48, 34, 22);
    }
    Option1[1] = ui::Named(new QRadioButton(QString::fromUtf8("해가 뜨고 지는 시각 또는 박명 시간에 맞추기"), frame1),
                       "Option1", 1);
    Option1[1]->setGeometry(10, 82, 360, 22);
    CmbME = ui::Named(new QComboBox(frame1), "CmbME");
    CmbME->addItem(QString::fromUtf8("아침"));
    CmbME->addItem(QString::fromUtf8("저녁"));
    CmbME->setGeometry(30, 110, 64, 24);
    CmbType = ui::Named(new QComboBox(frame1), "CmbType");
    for (const char* type : {"해뜸/짐", "시민박명", "항해박명", "천문박명"}) CmbType->addItem(QString::fromUtf8(type));
    CmbType->setGeometry(100, 110, 96, 24);
    TxtAfter = ui::Named(new QLineEdit("0", frame1), "TxtAfter");
    TxtAfter->setGeometry(210, 110, 40, 22);
    ui::SelectAllOnFocus(*TxtAfter);
    Label1[5] = ui::Named(new QLabel(QString::fromUtf8("분"), frame1), "Label1", 5);
    Label1[5]->setGeometry(254, 110, 20, 22);
    Label1[4] = ui::Named(new QLabel(QString::fromUtf8("전"), frame1), "Label1", 4);
    Label1[4]->setGeometry(276, 110, 20, 22);

    auto* frame2 = ui::Named(new QGroupBox(QString::fromUtf8("그리는 횟수"), this), "Frame2");
    frame2->setGeometry(10, 166, 380, 84);
    txtTm[0] = ui::Named(new QLineEdit("1", frame2), "txtTm", 0);
    txtTm[0]->setGeometry(10, 22, 40, 22);
    txtTm[0]->setToolTip(QString::fromUtf8("1보다 작은 값이 입력되면 1로 간주합니다."));
    ui::Named(new QLabel(QString::fromUtf8("초에"), frame2), "Label2", 1)->setGeometry(54, 22, 30, 22);
    txtTm[1] = ui::Named(new QLineEdit("6", frame2), "txtTm", 1);
    txtTm[1]->setGeometry(88, 22, 40, 22);
    txtTm[1]->setToolTip(QString::fromUtf8("0 이하의 값이 입력되면 1로 간주합니다."));
    ui::Named(new QLabel(QString::fromUtf8("번 그리기"), frame2), "Label2", 2)->setGeometry(132, 22, 70, 22);
    for (QLineEdit* box : txtTm) ui::SelectAllOnFocus(*box);
    ui::Named(new QLabel(QString::fromUtf8("추천값"), frame2), "Label2", 0)->setGeometry(10, 52, 50, 22);
    const char* speeds[3] = {"빠르게", "적당히", "느리게"};
    for (int i = 0; i < 3; ++i) {
        CmdSPD[static_cast<std::size_t>(i)] = ui::Named(new QPushButton(QString::fromUtf8(speeds[i]), frame2), "CmdSPD", i);
        CmdSPD[static_cast<std::size_t>(i)]->setGeometry(64 + 76 * i, 50, 70, 26);
    }

    const char* buttons[2] = {"적용", "취소"};
    for (int i = 0; i < 2; ++i) {
        CmdOKExt[static_cast<std::size_t>(i)] =
            ui::Named(new QPushButton(QString::fromUtf8(buttons[i]), this), "CmdOKExt", i);
        CmdOKExt[static_cast<std::size_t>(i)]->setGeometry(220 + 86 * i, 262, 80, 28);
    }
    CmdOKExt[0]->setDefault(true);

    for (QRadioButton* option : Option1)
        connect(option, &QRadioButton::toggled, this, [this] { platform::Guard([this] { SetFrm(); }); });
    connect(CmbME, &QComboBox::currentIndexChanged, this, [this] { platform::Guard([this] { CmbME_Click(); }); });
    for (int i = 0; i < 3; ++i)
        connect(CmdSPD[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { platform::Guard([this, i] { CmdSPD_Click(i); }); });
    for (int i = 0; i < 2; ++i)
        connect(CmdOKExt[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { platform::Guard([this, i] { CmdOKExt_Click(i); }); });
}

void FrmAni::Form_Load() {
    const MainState& state = AppState();
    const double days = std::floor(state.CustomStep);
    const double hours = (state.CustomStep - days) * 24;
    const int interval = std::clamp(Host().Timer1Interval(), kMinInterval_ms, kMaxInterval_ms);
    double rate = 1000.0 / interval;
    if (rate >= 1) {
        txtTm[0]->setText("1");
    } else {
        rate *= 60;
        txtTm[0]->setText("60");
    }
    txtTm[1]->setText(Plain(RoundTenth(rate)));
    if (state.TimeStep > 0) {
        TxtInt[0]->setText(Plain(days));
        TxtInt[1]->setText(Plain(std::trunc(hours)));
        const double minutes = (hours - std::trunc(hours)) * 60;
        TxtInt[2]->setText(Plain(std::trunc(minutes)));
        const double seconds = (minutes - std::trunc(minutes)) * 60;
        TxtInt[3]->setText(Plain(std::trunc(seconds)));
    }
    TxtAfter->setText(Plain(state.EventStepOffset));
    const int code = state.EventStepCode;
    const int evening = (-150 - code) / 10;
    const int type = (-150 - code) % 10;
    if (code <= -150 && evening <= 1 && type <= 3) {
        CmbME->setCurrentIndex(evening);
        CmbType->setCurrentIndex(type);
    } else {
        CmbME->setCurrentIndex(-1);
        CmbType->setCurrentIndex(-1);
    }
    if (state.TimeStep <= kFirstEventCode) Option1[1]->setChecked(true);
    // Without a measured drawing there is nothing to recommend.
    for (QPushButton* button : CmdSPD) button->setEnabled(state.DrawCount > 0);
    SetFrm();
}

double FrmAni::MeasuredFrameTime(double k) {
    const MainState& state = AppState();
    if (state.DrawCount <= 0) return 0;
    const double total_ms = std::max<double>(static_cast<double>(state.DrawTimeTotal), 1);
    return total_ms / 1000 / static_cast<double>(state.DrawCount) * k;
}

void FrmAni::SetFrm() {
    for (QLineEdit* box : TxtInt) box->setEnabled(Option1[0]->isChecked());
    TxtAfter->setEnabled(Option1[1]->isChecked());
    CmbType->setEnabled(Option1[1]->isChecked());
    CmbME->setEnabled(Option1[1]->isChecked());
}

void FrmAni::CmbME_Click() {
    if (CmbME->currentIndex() == 0) Label1[4]->setText(QString::fromUtf8("전"));
    if (CmbME->currentIndex() == 1) Label1[4]->setText(QString::fromUtf8("후"));
}

void FrmAni::CmdSPD_Click(int index) {
    const double frame_s = MeasuredFrameTime(kSpeedFactors[index]);
    if (frame_s <= 0) return;
    const double rate = RoundTenth(1 / frame_s);
    if (rate >= 1) {
        txtTm[0]->setText("1");
        txtTm[1]->setText(Plain(rate));
    } else {
        txtTm[0]->setText("60");
        txtTm[1]->setText(Plain(RoundTenth(rate * 60)));
    }
}

void FrmAni::CmdOKExt_Click(int index) {
    if (index != 0) {
        close();
        return;
    }
    MainState& state = AppState();
    ChartHost& host = Host();
    if (Option1[0]->isChecked()) {
        const double step =
            Number(TxtInt[0]) + Number(TxtInt[1]) / 24 + Number(TxtInt[2]) / 1440 + Number(TxtInt[3]) / 86400;
        if (!(step > 0)) {
            platform::MsgBox(kStepNotPositive, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
            return;
        }
        state.TimeStep = step;
        state.CustomStep = step;
        host.mnuInterval_Click(kCustomItem);
    } else if (CmbME->currentIndex() >= 0 && CmbType->currentIndex() >= 0) {
        state.EventStepCode = -150 - 10 * CmbME->currentIndex() - CmbType->currentIndex();
        state.EventStepOffset = static_cast<std::int32_t>(std::floor(Number(TxtAfter)));
        host.mnuInterval_Click(kEventItem);
    }
    if (Number(txtTm[0]) < 1) txtTm[0]->setText("1");
    if (Number(txtTm[1]) <= 0) txtTm[1]->setText("1");
    double rate = Number(txtTm[1]) / Number(txtTm[0]);
    const double frame_s = MeasuredFrameTime(1);
    if (frame_s > 0 && rate > RoundTenth(1 / frame_s)) {
        const platform::MsgAnswer answer =
            platform::MsgBox(kTooFast, platform::MsgButtons::YesNo, platform::MsgIcon::Information, "안내");
        if (answer == platform::MsgAnswer::Yes) rate = 1 / frame_s;
    }
    const double interval = std::floor(1000 / rate);
    host.SetTimer1Interval(static_cast<int>(std::clamp(interval, double{kMinInterval_ms}, double{kMaxInterval_ms})));
    close();
}

}  // namespace zu
