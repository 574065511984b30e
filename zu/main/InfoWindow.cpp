#include "zu/main/InfoWindow.h"

#include <QGridLayout>
#include <QLabel>

#include <cstdio>

#include "astro/AngleMath.h"
#include "astro/ApparentSidereal.h"
#include "astro/DateText.h"
#include "astro/SiteContext.h"
#include "astro/TextFormat.h"
#include "skydata/Settings.h"
#include "zu/main/Form1.h"
#include "zu/main/ObjectPosition.h"

namespace zu {
namespace {

constexpr double kDegreesPerHour = 15;
constexpr double kSecondsPerDay = 86400;

std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

}  // namespace

InfoTexts MakeInfoTexts(const InfoInputs& in) {
    InfoTexts t;
    const double jd = in.jd_local;
    const double zone = in.zone_h;
    const double lon = in.lon_deg;
    const bool horizontal = !in.coord_sys.empty() && (in.coord_sys[0] == 'a' || in.coord_sys[0] == 'A');

    t.Value[5] = horizontal ? "지평 좌표계" : "적도 좌표계";
    t.Value[6] = "시계 방향으로 " + Fixed(astro::Norm360(-in.rotation_deg), 1) + "도";
    t.Value[7] = in.tracking ? in.tracked_name : "사용 안함";

    const double sidereal_deg = astro::CalcApparentLST(jd, lon, zone) * kDegreesPerHour;
    const double jd_ut = jd - zone / 24;
    t.Value[0] = "LST: " + astro::DateTimeText(jd, true);
    t.Tip[0] = "율리우스 적일(지방 표준시): " + Fixed(jd, 6);
    t.Value[1] = "UT:  " + astro::DateTimeText(jd_ut, true);
    t.Tip[1] = "율리우스 적일(세계 표준시): " + Fixed(jd_ut, 6);
    const double jd_mean = jd - (kDegreesPerHour * zone - lon) / 360;
    t.Value[8] = "LMT: " + astro::DateTimeText(jd_mean, true);
    const double equation_deg = astro::EquationOfTime(jd_ut);
    t.Value[9] = "진태양시: " + astro::DateTimeText(jd_mean + equation_deg / 360, true);
    t.Tip[9] = "관측지의 " + t.Value[9];
    t.Value[3] = astro::FormatHmsKorean(sidereal_deg, 0);
    t.Value[4] = astro::FormatHmsKorean(astro::Norm360(sidereal_deg - lon), 0);
    t.Value[2] = Fixed((astro::JDToJDE(jd) - jd) * kSecondsPerDay, 2) + "초";
    return t;
}

Form2::Form2(QWidget* owner) : QWidget(owner, Qt::Tool) {
    setObjectName("Form2");
    setWindowTitle(QString::fromUtf8("zu 정보"));
    auto U = [](const char* s) { return QString::fromUtf8(s); };
    const char* values[kInfoValueCount] = {"Local Standard Time", "Universal Time", "0초", "0도", "0도",
                                           "지평 좌표계", "시계 방향 0도", "사용 안함", "Local Mean Time",
                                           "Local Appr. Solar Time"};
    for (int i = 0; i < kInfoValueCount; ++i) {
        label2_[i] = new QLabel(U(values[i]), this);
        label2_[i]->setObjectName(QString("Label2_%1").arg(i));
    }
    label2_[8]->setToolTip(U("지방 평균시"));
    label2_[9]->setToolTip(U("관측지의 진태양시"));
    struct Caption {
        int index;
        const char* text;
        const char* tip;
    };
    const Caption captions[] = {{1, "Delta T:", "dT(TDT-UT, 역학시와 표준시의 차이)"},
                                {3, "관측지 항성시:", "분점차를 반영한 진항성시입니다"},
                                {4, "그리니치 항성시:", "분점차를 반영한 그리니치의 진항성시입니다."},
                                {5, "기준 좌표계:", ""},
                                {6, "zu 회전 각도:", ""},
                                {7, "좌표 고정:", ""}};
    for (const Caption& c : captions) {
        label1_[c.index] = new QLabel(U(c.text), this);
        label1_[c.index]->setObjectName(QString("Label1_%1").arg(c.index));
        if (*c.tip) label1_[c.index]->setToolTip(U(c.tip));
    }

    auto* grid = new QGridLayout(this);
    int row = 0;
    for (int i : {0, 1, 8, 9}) grid->addWidget(label2_[i], row++, 0, 1, 2);
    const std::pair<int, int> pairs[] = {{1, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}};
    for (const auto& [caption, value] : pairs) {
        grid->addWidget(label1_[caption], row, 0);
        grid->addWidget(label2_[value], row++, 1);
    }
}

void Form2::Show(const InfoTexts& texts) {
    for (int i = 0; i < kInfoValueCount; ++i) {
        label2_[i]->setText(QString::fromStdString(texts.Value[i]));
        if (!texts.Tip[i].empty()) label2_[i]->setToolTip(QString::fromStdString(texts.Tip[i]));
    }
}

void Form1::InfoBox() {
    if (!form2_) form2_ = new Form2(this);
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    InfoInputs in;
    in.jd_local = s.CurrentJD;
    in.lon_deg = s.lon;
    in.zone_h = s.timezone;
    in.rotation_deg = s.MapRotation;
    in.coord_sys = s.ViewCoordSys;
    in.tracking = TrackOn == 1;
    if (const auto place = GetObjectPosition(TrackKey)) in.tracked_name = place->Name;
    form2_->Show(MakeInfoTexts(in));
}

}  // namespace zu
