#include "vu/windows/FrmMoon.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdint>
#include <string>

#include "astro/DateText.h"
#include "astro/TextFormat.h"
#include "calendar/CalendarState.h"
#include "calendar/Eclipses.h"
#include "calendar/SunMoonSolvers.h"
#include "platform/Guard.h"
#include "ui/ToolControls.h"

namespace vu {
namespace {

using ui::Named;
using ui::QText;

constexpr const char* kPhaseNames[4] = {"삭(朔)", "상현(上弦)", "망(望)", "하현(下弦)"};

// "기원후 2024년 4월 9일 3시 20분  5초": the seconds keep the number's blank.
std::string PhaseDateText(double jd) {
    double y, mo, d, h, mi, s;
    calendar::JDToCalendar(jd, y, mo, d, h, mi, s);
    using astro::PlainNumberText;
    const std::string year =
        y >= 1 ? "기원후 " + PlainNumberText(y) : "기원전 " + PlainNumberText(std::fabs(y - 1));
    return year + "년 " + PlainNumberText(mo) + "월 " + PlainNumberText(d) + "일 " + PlainNumberText(h) + "시 " +
           PlainNumberText(mi) + "분 " + astro::NumberText(s) + "초";
}

std::string JdText(double jd) { return astro::FormatDigitPattern(jd, "0.000000"); }

const char* SolarCaption(std::uint8_t kind) {
    switch (kind) {
        case calendar::kSolarTotal: return "[개기일식]";
        case calendar::kSolarPartial: return "[부분일식]";
        case calendar::kSolarAnnular: return "[금환식]";
        default: return nullptr;
    }
}

const char* LunarCaption(std::uint8_t kind) {
    switch (kind) {
        case calendar::kLunarTotal: return "[개기월식]";
        case calendar::kLunarPartial: return "[부분월식]";
        case calendar::kLunarPenumbral: return "[반영식]";
        default: return nullptr;
    }
}

}  // namespace

FrmMoon::FrmMoon(double year, double month, QWidget* owner) : QDialog(owner) {
    setObjectName("FrmMoon");
    setWindowTitle(QText("달의 정삭망 시각/식 현상"));
    auto* layout = new QVBoxLayout(this);
    Label1[0] = Named(new QLabel(QText("한국 표준시(또는 설정한 시간대)로 나타낸 달의 위상 변화 시각입니다."), this),
                      "Label1", 0);
    layout->addWidget(Label1[0]);

    auto* grid = new QGridLayout;
    for (int k = 0; k < 4; ++k) {
        Label1[1 + k] = Named(new QLabel(QText(kPhaseNames[k]), this), "Label1", 1 + k);
        LbTime[k] = Named(new QLabel(this), "LbTime", k);
        LbJD[k] = Named(new QLabel(this), "LbJD", k);
        LbTime[k]->setMinimumWidth(260);
        grid->addWidget(Label1[1 + k], k, 0);
        grid->addWidget(LbTime[k], k, 1);
        grid->addWidget(LbJD[k], k, 2);
    }
    LbEclipse[0] = Named(new QLabel(QText("[일식]"), this), "LbEclipse", 0);
    LbEclipse[1] = Named(new QLabel(QText("[월식]"), this), "LbEclipse", 1);
    for (QLabel* mark : LbEclipse) {
        mark->setStyleSheet("color: red");
        mark->setVisible(false);
    }
    grid->addWidget(LbEclipse[0], 0, 3);
    grid->addWidget(LbEclipse[1], 2, 3);
    grid->setColumnMinimumWidth(3, 80);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    Command2[0] = Named(new QPushButton(QText("<이전"), this), "Command2", 0);
    Command2[1] = Named(new QPushButton(QText("다음>"), this), "Command2", 1);
    Command1 = Named(new QPushButton(QText("확인"), this), "Command1");
    Command1->setDefault(true);
    buttons->addWidget(Command2[0]);
    buttons->addWidget(Command2[1]);
    buttons->addStretch();
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    for (int index = 0; index < 2; ++index) {
        connect(Command2[index], &QPushButton::clicked, this, [this, index] {
            platform::Guard([&] {
                MoonBaseJD += index == 0 ? -kSynodicMonth_days : kSynodicMonth_days;
                CalcMoon();
            });
        });
    }
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });

    platform::Guard([&] {
        MoonBaseJD = calendar::JulianDay(year, month, 15, 12);
        CalcMoon();
    });
}

void FrmMoon::CalcMoon() {
    const calendar::CalendarState& state = calendar::Calendar();
    const calendar::DeltaTRule rule = calendar::DeltaTRuleOf(state.settings);
    const double zone = state.settings.TZ;
    double full_moon = MoonBaseJD;
    for (int k = 0; k < 4; ++k) {
        const double j = calendar::LunarPhaseTime(MoonBaseJD, 90.0 * k, zone, rule);
        if (k == 2) full_moon = j;
        const bool summer = calendar::InSummerTime(calendar::SummerDays{state.SummerStartJD, state.SummerEndJD}, j);
        const double shown = summer ? j + state.settings.FH / 24.0 : j;
        LbTime[k]->setText(QText(PhaseDateText(shown)));
        LbJD[k]->setText(QText(JdText(j)));
        // The local day is taken as UT here, as the window always did: the
        // tip shows the local time plus Delta T.
        const double tt = calendar::CalcJDE(j, rule);
        LbTime[k]->setToolTip(QText("TT: " + PhaseDateText(tt)));
        LbJD[k]->setToolTip(QText("TT: " + JdText(tt)));
        if (k == 0) {
            std::uint8_t kind = calendar::kSolarNone;
            bool central = false;
            LbEclipse[0]->setVisible(calendar::SolarEclipseType(j, zone, kind, central, rule));
            if (const char* caption = SolarCaption(kind)) LbEclipse[0]->setText(QText(caption));
            QFont font = LbEclipse[0]->font();
            font.setBold(central);
            LbEclipse[0]->setFont(font);
        } else if (k == 2) {
            std::uint8_t kind = calendar::kLunarNone;
            LbEclipse[1]->setVisible(calendar::LunarEclipseType(j, zone, kind, rule));
            if (const char* caption = LunarCaption(kind)) LbEclipse[1]->setText(QText(caption));
        }
    }
    MoonBaseJD = full_moon;
}

}  // namespace vu
