#include "zu/dialogs/TimeWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/MainState.h"

namespace zu {
namespace {

constexpr const char* kSettingTitle = "시간 설정 오류";
constexpr const char* kInputTitle = "시간 입력 오류";
constexpr const char* kNoYearZero = "0년은 없는 연도입니다. 서기 1년 혹은 기원전 1년부터 입력할 수 있습니다.";
constexpr const char* kYearRange = "기원전 4713년에서 기원후 9999년 사이의 값만 입력할 수 있습니다.";
constexpr const char* kBeforeDayZero = "율리우스 적일은 0보다 커야 합니다.";
constexpr const char* kBadDate = "날짜가 잘못 입력되었습니다. 확인해 주세요";
constexpr const char* kComputing = "세차운동 및 고유운동 계산 중...";
constexpr int kBc = 1;
constexpr double kLastYear = 9999;
constexpr double kFirstBcYear = 4713;

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
double Number(const QLineEdit* box) { return astro::ParseLeadingNumber(box->text().toUtf8().toStdString()); }
QString Plain(double value) { return Q(skydata::TrimBlanks(skydata::FormatPlainNumber(value))); }

void Critical(const char* text, const char* title) {
    platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, title);
}

// Runs a box's check when the focus leaves it for another field of its
// window. The focus also leaves when the window itself loses it (to a click
// on the chart, to another program, to the check's own message box) or
// for a command button; the check then waits, so a value is checked once:
// when it is left for another field or when 적용 applies it. A `partner`
// belongs to the same value (the era to its year): moving between the two
// is not leaving.
class LeftForFieldFilter final : public QObject {
public:
    LeftForFieldFilter(QWidget& box, std::function<void()> check, const QWidget* partner = nullptr)
        : QObject(&box), box_(box), partner_(partner), check_(std::move(check)) {
        box.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::FocusOut) return false;
        // The focus has already moved on when its old holder hears of it.
        const QWidget* next = QApplication::focusWidget();
        if (next && next != &box_ && next != partner_ && next->window() == box_.window() &&
            !qobject_cast<const QPushButton*>(next)) {
            platform::Guard(check_);
        }
        return false;
    }

private:
    QWidget& box_;
    const QWidget* partner_;
    std::function<void()> check_;
};

}  // namespace

FrmTime::FrmTime(QWidget* owner) : QWidget(owner, Qt::Window) {
    BuildControls();
    Form_Load();
}

void FrmTime::BuildControls() {
    setFixedSize(400, 262);
    ChkSync = ui::Named(new QCheckBox(QString::fromUtf8("컴퓨터 시계에 맞추기"), this), "ChkSync");
    ChkSync->setGeometry(10, 8, 200, 22);
    Frame1 = ui::Named(new QGroupBox(QString::fromUtf8("시간"), this), "Frame1");
    Frame1->setGeometry(10, 32, 290, 190);

    int label = 0;
    auto unit = [this, &label](const char* text, int x, int y, int width) {
        ui::Named(new QLabel(QString::fromUtf8(text), Frame1), "Label1", label++)->setGeometry(x, y, width, 22);
    };
    auto box = [this](const char* name, int x, int y, int width, int max_length) {
        QLineEdit* edit = ui::Named(new QLineEdit(Frame1), name);
        edit->setGeometry(x, y, width, 22);
        if (max_length > 0) edit->setMaxLength(max_length);
        ui::SelectAllOnFocus(*edit);
        return edit;
    };
    CmbADBC = ui::Named(new QComboBox(Frame1), "CmbADBC");
    CmbADBC->addItem(QString::fromUtf8("기원후"));
    CmbADBC->addItem(QString::fromUtf8("기원전"));
    CmbADBC->setGeometry(10, 22, 72, 24);
    TxtYear = box("TxtYear", 88, 23, 48, 5);
    TxtYear->setToolTip(QString::fromUtf8("기원전 4713년~기원후 9999년 사이의 시간을 입력할 수 있습니다."));
    unit("년", 138, 23, 18);
    TxtMonth = box("TxtMonth", 160, 23, 30, 2);
    unit("월", 192, 23, 18);
    TxtDay = box("TxtDay", 214, 23, 30, 2);
    unit("일", 246, 23, 18);
    TxtHour = box("TxtHour", 88, 54, 30, 0);
    unit("시", 120, 54, 18);
    TxtMin = box("TxtMin", 142, 54, 30, 0);
    unit("분", 174, 54, 18);

    chkDT = ui::Named(new QCheckBox(QString::fromUtf8("Delta T 설정"), Frame1), "chkDT");
    chkDT->setGeometry(10, 86, 110, 22);
    txtDT = box("txtDT", 124, 86, 60, 0);
    txtDT->setText("60");
    unit("초", 188, 86, 18);
    ChkSummer = ui::Named(new QCheckBox(QString::fromUtf8("일광절약시간제 사용"), Frame1), "ChkSummer");
    ChkSummer->setGeometry(10, 114, 200, 22);
    ChkSummer->setToolTip(
        QString::fromUtf8("일광절약시간제(Summer Time, 1시간)를 사용하려면 여기에 체크표시를 하십시요."));
    const char* jd_captions[2] = {"JD :", "JD UT:"};
    for (int i = 0; i < 2; ++i) {
        QLabel* caption = ui::Named(new QLabel(QString::fromUtf8(jd_captions[i]), Frame1), "Label1", label++);
        caption->setGeometry(10, 140 + 22 * i, 50, 20);
        caption->setToolTip(QString::fromUtf8("율리우스 역일"));
        LblJD[static_cast<std::size_t>(i)] = ui::Named(new QLabel("JD", Frame1), "LblJD", i);
        LblJD[static_cast<std::size_t>(i)]->setGeometry(64, 140 + 22 * i, 200, 20);
    }

    ChkCloseWin = ui::Named(new QCheckBox(QString::fromUtf8("작업 후에 창 닫기"), this), "ChkCloseWin");
    ChkCloseWin->setGeometry(10, 230, 200, 22);
    ChkCloseWin->setChecked(true);
    CmdNow = ui::Named(new QPushButton(QString::fromUtf8("현재 시각"), this), "CmdNow");
    CmdNow->setGeometry(310, 38, 80, 28);
    CmdOK = ui::Named(new QPushButton(QString::fromUtf8("적용"), this), "CmdOK");
    CmdOK->setGeometry(310, 74, 80, 28);
    CmdCancel = ui::Named(new QPushButton(QString::fromUtf8("닫기"), this), "CmdCancel");
    CmdCancel->setGeometry(310, 110, 80, 28);
    CmdCancel->setToolTip(QString::fromUtf8("새로 설정한 값을 적용하지 않고 창을 닫습니다."));
    // Not a QDialog: the default button needs its keys bound.
    ui::BindEnterAndEscape(*this, CmdOK, CmdCancel);

    // A year is checked against the era chosen with it: going from the year
    // to the era checks nothing yet, choosing an era checks the year under it.
    new LeftForFieldFilter(*TxtYear, [this] { TxtYear_LostFocus(); }, CmbADBC);
    new LeftForFieldFilter(*CmbADBC, [this] { TxtYear_LostFocus(); }, TxtYear);
    connect(CmbADBC, &QComboBox::activated, this, [this] { platform::Guard([this] { CmbADBC_Click(); }); });
    ui::OnLostFocus(*TxtMonth, [this] { TxtMonth_LostFocus(); });
    new LeftForFieldFilter(*TxtDay, [this] { TxtDay_LostFocus(); });
    ui::OnLostFocus(*TxtHour, [this] { UpdateJDLabel(); });
    ui::OnLostFocus(*TxtMin, [this] { UpdateJDLabel(); });
    connect(TxtHour, &QLineEdit::textChanged, this, [this] { platform::Guard([this] { TxtHour_Change(); }); });
    connect(ChkSummer, &QCheckBox::toggled, this, [this] { platform::Guard([this] { UpdateJDLabel(); }); });
    connect(ChkSync, &QCheckBox::toggled, this, [this] { platform::Guard([this] { ChkSync_Click(); }); });
    connect(CmdNow, &QPushButton::clicked, this, [this] { platform::Guard([this] { CmdNow_Click(); }); });
    connect(CmdOK, &QPushButton::clicked, this, [this] { platform::Guard([this] { CmdOK_Click(); }); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { close(); });
}

void FrmTime::Form_Load() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const astro::CalendarDate date = astro::JDToDate(s.CurrentJD);
    LblJD[0]->setText(Q(astro::FormatDigitPattern(s.CurrentJD, "000000.00000")));
    LblJD[1]->setText(Q(astro::FormatDigitPattern(s.CurrentJD - s.timezone / 24, "000000.00000")));
    TxtYear->setText(Plain(date.year));
    TxtMonth->setText(Plain(date.month));
    TxtDay->setText(Plain(date.day));
    TxtHour->setText(Plain(std::trunc(date.hour)));
    TxtMin->setText(Plain(std::trunc(date.minute)));
    ChkSync->setChecked(s.RealTimeMode);
    ChkSync_Click();
    ChkSummer->setChecked(s.summertime);
    if (date.year > 0) {
        CmbADBC->setCurrentIndex(0);
    } else {
        CmbADBC->setCurrentIndex(kBc);
        TxtYear->setText(Plain(std::fabs(date.year) + 1));
    }
    txtDT->setText(Plain(s.DeltaT));
    chkDT->setChecked(s.UserDeltaT);
}

double FrmTime::AstronomicalYear() const {
    const double year = Number(TxtYear);
    return CmbADBC->currentIndex() == kBc ? 1 - year : year;
}

void FrmTime::UpdateJDLabel() {
    const double jd =
        astro::DateToJD(AstronomicalYear(), Number(TxtMonth), Number(TxtDay), Number(TxtHour), Number(TxtMin), 0);
    const double summer = ChkSummer->isChecked() ? 1 : 0;
    LblJD[0]->setText(Q(astro::FormatDigitPattern(jd, "0.00000")));
    LblJD[1]->setText(
        Q(astro::FormatDigitPattern(jd - (skydata::CurrentSettings().timezone2 + summer) / 24, "0.00000")));
}

bool FrmTime::KeepYearInRange() {
    const double year = Number(TxtYear);
    const double last = CmbADBC->currentIndex() == kBc ? kFirstBcYear : kLastYear;
    if (year <= 0) {
        TxtYear->setText("1");
        Critical(kNoYearZero, kSettingTitle);
    } else if (year > last) {
        // The nearest year of the era in force, so one message settles it.
        TxtYear->setText(Plain(last));
        Critical(kYearRange, kSettingTitle);
    } else {
        return true;
    }
    return false;
}

void FrmTime::TxtYear_LostFocus() {
    KeepYearInRange();
    UpdateJDLabel();
}

void FrmTime::CmbADBC_Click() { TxtYear_LostFocus(); }

void FrmTime::TxtMonth_LostFocus() {
    if (Number(TxtMonth) == 0) TxtMonth->setText("1");
    UpdateJDLabel();
}

void FrmTime::TxtDay_LostFocus() {
    if (Number(TxtDay) == 0) TxtDay->setText("1");
    CheckFirstDay();
    UpdateJDLabel();
}

void FrmTime::TxtHour_Change() { CheckFirstDay(); }

void FrmTime::CheckFirstDay() {
    if (CmbADBC->currentIndex() == kBc && Number(TxtYear) == kFirstBcYear && Number(TxtMonth) == 1 &&
        Number(TxtDay) == 1 && Number(TxtHour) < 12) {
        TxtHour->setText("12");
        Critical(kBeforeDayZero, kInputTitle);
    }
}

void FrmTime::ChkSync_Click() {
    const bool free = !ChkSync->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{CmdNow, TxtYear, TxtMonth, TxtDay, TxtHour, TxtMin, CmbADBC})
        control->setEnabled(free);
}

double FrmTime::ZoneInForm() const {
    return skydata::CurrentSettings().timezone2 + (ChkSummer->isChecked() ? 1 : 0);
}

void FrmTime::CmdNow_Click() {
    const double zone_h = ZoneInForm();
    const astro::CalendarDate now = astro::JDToDate(ClockJDInZone(zone_h));
    CmbADBC->setCurrentIndex(0);
    TxtYear->setText(Plain(now.year));
    TxtMonth->setText(Plain(now.month));
    TxtDay->setText(Plain(now.day));
    TxtHour->setText(Plain(now.hour));
    TxtMin->setText(Plain(now.minute));
    const double jd = astro::DateToJD(Number(TxtYear), Number(TxtMonth), Number(TxtDay), Number(TxtHour), Number(TxtMin), 0);
    LblJD[0]->setText(Q(astro::FormatDigitPattern(jd, "000000.00000")));
    LblJD[1]->setText(Q(astro::FormatDigitPattern(jd - zone_h / 24, "0.00000")));
}

void FrmTime::CmdOK_Click() {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    double jd = 0;
    bool refused = false;
    if (!ChkSync->isChecked()) {
        // Enter applies without leaving the year box: its range is checked here too.
        if (!KeepYearInRange()) {
            UpdateJDLabel();
            refused = true;
        } else {
            const double year = AstronomicalYear();
            const double month = Number(TxtMonth);
            const double day = Number(TxtDay);
            jd = astro::DateToJD(year, month, day, Number(TxtHour), Number(TxtMin), 0);
            if (!astro::IsSameDate(jd, year, month, day)) {
                platform::MsgBox(kBadDate);
                refused = true;
            } else if (jd < 0) {
                Critical(kBeforeDayZero, kInputTitle);
                refused = true;
            }
        }
    } else {
        jd = ClockJDInZone(ZoneInForm());
    }
    s.DeltaT = Number(txtDT);
    s.UserDeltaT = chkDT->isChecked();
    if (refused) return;

    s.summertime = ChkSummer->isChecked();
    s.timezone = s.timezone2 + (s.summertime ? 1 : 0);
    AppState().LocalSiderealTime = astro::CalcLST(jd, s.lon, s.timezone);
    s.CurrentJD = jd;
    s.RealTimeMode = ChkSync->isChecked();

    ChartHost& host = Host();
    host.SetStatusText(kComputing);
    host.PrecessMansionStars();
    host.ComputeBscVectors(s.calcpropermotion);
    host.ComputeS2kVectors(s.calcpropermotion);
    SaveDefaultSettingsOrShow("시간 설정");
    host.ComputePaths();
    host.ProjectPaths();
    host.FormSet();
    host.SetMapBox();
    if (ChkCloseWin->isChecked()) close();
}

}  // namespace zu
