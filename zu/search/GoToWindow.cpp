#include "zu/search/GoToWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <string>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/DeltaT.h"
#include "astro/Planets.h"
#include "astro/TextFormat.h"
#include "platform/Guard.h"
#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/MainState.h"

namespace zu {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kFullCircle = 360;
constexpr double kTraditionalCircle = 365.25;

constexpr const char* kReferencePoints[10] = {"은하 북극", "은하 남극", "황도 북극", "황도 남극", "적도 북극",
                                              "적도 남극", "춘분점",    "하지점",    "추분점",    "동지점"};
constexpr const char* kFrames[4] = {"지평 좌표계", "적도 좌표계", "황도 좌표계", "은하 좌표계"};
enum Frame { kHorizontal = 0, kEquatorial = 1, kEcliptic = 2, kGalactic = 3 };

double Number(const QLineEdit* box) { return astro::ParseLeadingNumber(ui::StdText(box->text())); }

// A galactic place as equatorial of the equinox of jd.
void GalacticOfDate(double l_deg, double b_deg, double jd, double& ra_deg, double& dec_deg) {
    double ra2000 = 0, dec2000 = 0;
    astro::GalacticToEquatorial(l_deg, b_deg, ra2000, dec2000);
    astro::PrecessFromJ2000(jd, ra2000, dec2000, 0, 0, ra_deg, dec_deg);
}

}  // namespace

FrmFindC::FrmFindC(QWidget* owner) : QWidget(owner, Qt::Window) {
    BuildControls();
    Form_Load();
}

void FrmFindC::BuildControls() {
    setFixedSize(330, 330);
    Option1[0] = ui::Named(new QRadioButton(QString::fromUtf8("주요 좌표점"), this), "Option1", 0);
    Option1[0]->setGeometry(10, 8, 200, 20);
    Frame1[0] = ui::Named(new QGroupBox(this), "Frame1", 0);
    Frame1[0]->setGeometry(10, 30, 310, 44);
    ui::Named(new QLabel(QString::fromUtf8("주요 좌표점:"), Frame1[0]), "Label1", 9)->setGeometry(10, 12, 90, 22);
    Combo2 = ui::Named(new QComboBox(Frame1[0]), "Combo2");
    Combo2->setGeometry(100, 10, 200, 26);

    Option1[1] = ui::Named(new QRadioButton(QString::fromUtf8("직접 입력"), this), "Option1", 1);
    Option1[1]->setGeometry(10, 82, 200, 20);
    Frame1[1] = ui::Named(new QGroupBox(this), "Frame1", 1);
    Frame1[1]->setGeometry(10, 104, 310, 110);
    ui::Named(new QLabel(QString::fromUtf8("기준 좌표계:"), Frame1[1]), "Label1", 0)->setGeometry(10, 12, 90, 22);
    Combo1 = ui::Named(new QComboBox(Frame1[1]), "Combo1");
    Combo1->setGeometry(100, 10, 200, 26);
    ui::Named(new QLabel(QString::fromUtf8("경도:"), Frame1[1]), "Label1", 1)->setGeometry(10, 46, 40, 22);
    ui::Named(new QLabel(QString::fromUtf8("위도:"), Frame1[1]), "Label1", 2)->setGeometry(10, 78, 40, 22);
    const char* lon_units[3] = {"시", "분", "초"};
    const char* lat_units[3] = {"도", "분", "초"};
    for (int i = 0; i < 3; ++i) {
        const int x = 50 + 84 * i;
        TxtNLon[static_cast<std::size_t>(i)] = ui::Named(new QLineEdit(Frame1[1]), "TxtNLon", i);
        TxtNLon[static_cast<std::size_t>(i)]->setGeometry(x, 46, 56, 22);
        ui::Named(new QLabel(QString::fromUtf8(lon_units[i]), Frame1[1]), "Label1", 3 + i)->setGeometry(x + 60, 46, 20, 22);
        TxtNLat[static_cast<std::size_t>(i)] = ui::Named(new QLineEdit(Frame1[1]), "TxtNLat", i);
        TxtNLat[static_cast<std::size_t>(i)]->setGeometry(x, 78, 56, 22);
        ui::Named(new QLabel(QString::fromUtf8(lat_units[i]), Frame1[1]), "Label1", 6 + i)->setGeometry(x + 60, 78, 20, 22);
        ui::SelectAllOnFocus(*TxtNLon[static_cast<std::size_t>(i)]);
        ui::SelectAllOnFocus(*TxtNLat[static_cast<std::size_t>(i)]);
    }

    Frame1[2] = ui::Named(new QGroupBox(QString::fromUtf8("주천도수"), this), "Frame1", 2);
    Frame1[2]->setGeometry(10, 222, 310, 48);
    Option2[0] = ui::Named(new QRadioButton(QString::fromUtf8("360도"), Frame1[2]), "Option2", 0);
    Option2[0]->setGeometry(12, 20, 120, 20);
    Option2[1] = ui::Named(new QRadioButton(QString::fromUtf8("365.25도"), Frame1[2]), "Option2", 1);
    Option2[1]->setGeometry(140, 20, 120, 20);
    Option2[0]->setChecked(true);

    ChkCloseWin = ui::Named(new QCheckBox(QString::fromUtf8("작업 후에 창 닫기"), this), "ChkCloseWin");
    ChkCloseWin->setGeometry(10, 292, 140, 24);
    Command1[0] = ui::Named(new QPushButton(QString::fromUtf8("찾기"), this), "Command1", 0);
    Command1[0]->setGeometry(152, 290, 80, 28);
    Command1[0]->setDefault(true);
    Command1[1] = ui::Named(new QPushButton(QString::fromUtf8("닫기"), this), "Command1", 1);
    Command1[1]->setGeometry(240, 290, 80, 28);

    for (int i = 0; i < 2; ++i) {
        connect(Option1[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { platform::Guard([this, i] { Option1_Click(i); }); });
        connect(Command1[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { platform::Guard([this, i] { Command1_Click(i); }); });
    }
    ui::BindEnterAndEscape(*this, Command1[0], Command1[1]);
}

void FrmFindC::Form_Load() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    ChkCloseWin->setChecked(true);
    Option1[0]->setChecked(true);

    int hours = 0, minutes = 0;
    float seconds = 0;
    astro::SplitDegreesHms(s.ViewCenterX, hours, minutes, seconds);
    TxtNLon[0]->setText(ui::QText(skydata::FormatPlainNumber(hours)));
    TxtNLon[1]->setText(ui::QText(skydata::FormatPlainNumber(minutes)));
    TxtNLon[2]->setText(ui::QText(astro::FormatDigitPattern(seconds, "0.00")));

    int degrees = 0;
    astro::SplitDegreesDms(s.ViewCenterY, degrees, minutes, seconds);
    // A negative latitude is written "-12", never "- 12": the sign must stay
    // part of the number when the box is read back.
    std::string degrees_text = skydata::FormatPlainNumber(degrees);
    if (s.ViewCenterY < 0) degrees_text = std::string(1, '-').append(skydata::TrimBlanks(degrees_text));
    TxtNLat[0]->setText(ui::QText(degrees_text));
    TxtNLat[1]->setText(ui::QText(skydata::FormatPlainNumber(minutes)));
    TxtNLat[2]->setText(ui::QText(astro::FormatDigitPattern(seconds, "0.00")));

    Combo2->clear();
    for (const char* text : kReferencePoints) Combo2->addItem(QString::fromUtf8(text));
    Combo2->setCurrentIndex(0);
    Combo1->clear();
    for (const char* text : kFrames) Combo1->addItem(QString::fromUtf8(text));
    Combo1->setCurrentIndex(skydata::TrimBlanks(s.ViewCoordSys) == "e" || skydata::TrimBlanks(s.ViewCoordSys) == "E"
                                ? kEquatorial
                                : kHorizontal);
    EnableCoordInputs(0, true);
    EnableCoordInputs(1, false);
}

void FrmFindC::EnableCoordInputs(int group, bool enabled) {
    if (group == 0) {
        Combo2->setEnabled(enabled);
        return;
    }
    Combo1->setEnabled(enabled);
    for (QLineEdit* box : TxtNLon) box->setEnabled(enabled);
    for (QLineEdit* box : TxtNLat) box->setEnabled(enabled);
}

void FrmFindC::Option1_Click(int index) {
    EnableCoordInputs(0, index == 0);
    EnableCoordInputs(1, index != 0);
}

void FrmFindC::GoToCoordinate(double full_circle) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const double jdt = s.calcprecession ? s.CurrentJD : kJ2000;
    const double eps = std::fabs(astro::MeanObliquity(jdt));
    double ra = 0, dec = 0;
    if (Option1[0]->isChecked()) {
        switch (Combo2->currentIndex()) {
            case 0: GalacticOfDate(0, 90, jdt, ra, dec); break;
            case 1: GalacticOfDate(0, -90, jdt, ra, dec); break;
            case 2: ra = 270, dec = 90 - eps; break;
            case 3: ra = 90, dec = eps - 90; break;
            case 4: ra = 0, dec = 90; break;
            case 5: ra = 0, dec = -90; break;
            case 6: ra = 0, dec = 0; break;
            case 7: ra = 90, dec = eps; break;
            case 8: ra = 180, dec = 0; break;
            case 9: ra = 270, dec = -eps; break;
            default: break;
        }
    } else {
        double lon = (Number(TxtNLon[0]) + Number(TxtNLon[1]) / 60 + Number(TxtNLon[2]) / 3600) * 15;
        double lat = std::fabs(Number(TxtNLat[0])) + Number(TxtNLat[1]) / 60 + Number(TxtNLat[2]) / 3600;
        if (skydata::TrimBlanks(ui::StdText(TxtNLat[0]->text())).starts_with('-')) lat = -lat;
        lon *= kFullCircle / full_circle;
        lat *= kFullCircle / full_circle;
        switch (Combo1->currentIndex()) {
            case kHorizontal:
                astro::HorizontalToEquatorial(lon, lat, AppState().LocalSiderealTime, s.lat, ra, dec);
                break;
            case kEcliptic: astro::EclipticToEquatorialOfDate(lon, lat, ra, dec); break;
            case kGalactic: GalacticOfDate(lon, lat, jdt, ra, dec); break;
            default: ra = lon, dec = lat; break;
        }
    }
    TargetRA = astro::Norm360(ra);
    TargetDec = dec;
}

void FrmFindC::Command1_Click(int index) {
    if (index != 0) {
        close();
        return;
    }
    GoToCoordinate(Option2[0]->isChecked() ? kFullCircle : kTraditionalCircle);
    ChartHost& host = Host();
    host.UnlockTrack();
    // The window closes whether or not the centring was accepted.
    host.CenterOnObject(TargetRA, TargetDec);
    if (ChkCloseWin->isChecked()) close();
}

}  // namespace zu
