#include "zu/almanac/FrmMoon.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "astro/JulianDay.h"
#include "astro/SiteContext.h"
#include "astro/SunMoonEvents.h"
#include "astro/TextFormat.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/almanac/WindowSupport.h"
#include "zu/core/ChartHost.h"

namespace zu {
namespace {

constexpr const char* kPhaseNames[4] = {"그믐", "상현", "보름", "하현"};
constexpr const char* kNoValue = "--";

std::string Whole(double value) { return std::to_string(static_cast<long long>(value)); }

// "기원후 2008년 8월 1일 19시 13분", seconds dropped.
std::string PhaseTimeText(double jd) {
    const astro::CalendarDate d = astro::JDToDate(jd);
    std::string text = d.year >= 1 ? "기원후 " + Whole(d.year) : "기원전 " + Whole(std::fabs(d.year - 1));
    return text + "년 " + Whole(d.month) + "월 " + Whole(d.day) + "일 " + Whole(d.hour) + "시 " + Whole(d.minute) +
           "분";
}

std::string JdText(double jd) { return astro::FormatDigitPattern(jd, "0.000000"); }

const char* SolarEclipseCaption(std::uint8_t type) {
    switch (type) {
        case astro::kEclipseTotal: return "[개기일식]";
        case astro::kEclipsePartial: return "[부분일식]";
        default: return "[금환식]";
    }
}

const char* LunarEclipseCaption(std::uint8_t type) {
    switch (type) {
        case astro::kEclipseTotal: return "[개기월식]";
        case astro::kEclipsePartial: return "[부분월식]";
        default: return "[반영식]";
    }
}

}  // namespace

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && clicked) clicked();
    QLabel::mousePressEvent(event);
}

FrmMoon::FrmMoon(QWidget* owner) : QDialog(owner) {
    setWindowTitle(Q("달의 정삭망 시각/식 현상"));
    auto* layout = new QVBoxLayout(this);
    Label1[0] = ui::Named(new QLabel(Q("달의 정삭망 시각/식 현상"), this), "Label1", 0);
    QFont title_font = Label1[0]->font();
    title_font.setBold(true);
    Label1[0]->setFont(title_font);
    layout->addWidget(Label1[0]);

    auto* grid = new QGridLayout;
    Label1[1] = ui::Named(new QLabel(Q("위상"), this), "Label1", 1);
    Label1[2] = ui::Named(new QLabel(Q("날짜/시각"), this), "Label1", 2);
    Label1[7] = ui::Named(new QLabel(Q("율리우스 적일"), this), "Label1", 7);
    grid->addWidget(Label1[1], 0, 0);
    grid->addWidget(Label1[2], 0, 1);
    grid->addWidget(Label1[7], 0, 2);
    for (int i = 0; i < 4; ++i) {
        Label1[3 + i] = ui::Named(new QLabel(Q(kPhaseNames[i]), this), "Label1", 3 + i);
        LbTime[i] = ui::Named(new QLabel(this), "LbTime", i);
        LbJD[i] = ui::Named(new QLabel(this), "LbJD", i);
        grid->addWidget(Label1[3 + i], 1 + i, 0);
        grid->addWidget(LbTime[i], 1 + i, 1);
        grid->addWidget(LbJD[i], 1 + i, 2);
    }
    LbEclipse[0] = ui::Named(new ClickLabel(Q("[일식]"), this), "LbEclipse", 0);
    LbEclipse[0]->setToolTip(
        Q("지구 어디에서인가 일식이 일어날 것으로 예측됩니다. 굵은 글씨는 그림자 축이 지구를 지나는 경우."));
    LbEclipse[1] = ui::Named(new ClickLabel(Q("[월식]"), this), "LbEclipse", 1);
    LbEclipse[1]->setToolTip(Q("월식이 예상됩니다."));
    for (int k = 0; k < 2; ++k) {
        LbEclipse[k]->setStyleSheet("color: red");
        LbEclipse[k]->setCursor(Qt::PointingHandCursor);
        LbEclipse[k]->clicked = [this, k] { LbEclipse_Click(k); };
    }
    grid->addWidget(LbEclipse[0], 1, 3);
    grid->addWidget(LbEclipse[1], 3, 3);
    grid->setColumnMinimumWidth(3, 90);
    layout->addLayout(grid);

    auto* frame = ui::Named(new QGroupBox(Q("일식/월식 정보"), this), "Frame1");
    auto* frame_layout = new QVBoxLayout(frame);
    auto* note = ui::Named(new QLabel(Q("일식과 월식의 예측은 관측지에서 보이는지와는 관계가 없으며, 지구 어디에서인가 "
                                    "볼 수 있으면 표시됩니다. 일식은 개기일식, 금환식, 부분일식으로 나누며, 달 "
                                    "그림자의 축이 지구를 지나면 굵은 글씨로 나타냅니다. 월식은 개기월식, 부분월식, "
                                    "반영식으로 나눕니다."),
                                  frame),
                       "Label2");
    note->setWordWrap(true);
    frame_layout->addWidget(note);
    layout->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    Command2[0] = ui::Named(new QPushButton(Q("<이전"), this), "Command2", 0);
    Command2[1] = ui::Named(new QPushButton(Q("다음>"), this), "Command2", 1);
    cmdCopy = ui::Named(new QPushButton(Q("복사"), this), "cmdCopy");
    cmdCopy->setToolTip(Q("클립보드에 내용을 복사합니다."));
    Command1 = ui::Named(new QPushButton(Q("확인"), this), "Command1");
    Command1->setDefault(true);
    buttons->addWidget(Command2[0]);
    buttons->addWidget(Command2[1]);
    buttons->addStretch();
    buttons->addWidget(cmdCopy);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    for (int k = 0; k < 2; ++k) {
        connect(Command2[k], &QPushButton::clicked, this, [this, k] {
            Base += k == 0 ? -kMeanLunation_days : kMeanLunation_days;
            CalcMoon();
        });
    }
    connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });

    Base = skydata::CurrentSettings().CurrentJD;
    CalcMoon();
}

void FrmMoon::CalcMoon() {
    const double zone = skydata::CurrentSettings().timezone;
    std::optional<double> full_moon;
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> t = astro::LunarPhaseTime(Base, 90.0 * i, zone);
        const int mark = i == 0 ? 0 : i == 2 ? 1 : -1;
        if (!t) {
            LbTime[i]->setText(Q(kNoValue));
            LbJD[i]->setText(Q(kNoValue));
            LbTime[i]->setToolTip(QString());
            LbJD[i]->setToolTip(QString());
            if (mark >= 0) LbEclipse[mark]->setVisible(false);
            continue;
        }
        LbTime[i]->setText(Q(PhaseTimeText(*t)));
        LbJD[i]->setText(Q(JdText(*t)));
        const double tt = astro::JDToJDE(*t - zone / 24.0);
        LbTime[i]->setToolTip(Q("TT: " + PhaseTimeText(tt)));
        LbJD[i]->setToolTip(Q("TT: " + JdText(tt)));
        std::uint8_t type = astro::kEclipseNone;
        if (i == 0) {
            bool central = false;
            const bool eclipse = astro::SolarEclipseType(*t, type, central);
            LbEclipse[0]->setVisible(eclipse);
            if (eclipse) {
                LbEclipse[0]->setText(Q(SolarEclipseCaption(type)));
                QFont font = LbEclipse[0]->font();
                font.setBold(central);
                LbEclipse[0]->setFont(font);
            }
            EclipseTime[0] = *t;
        } else if (i == 2) {
            const bool eclipse = astro::LunarEclipseType(*t, type);
            LbEclipse[1]->setVisible(eclipse);
            if (eclipse) LbEclipse[1]->setText(Q(LunarEclipseCaption(type)));
            EclipseTime[1] = *t;
            full_moon = t;
        }
    }
    if (full_moon) Base = *full_moon;
}

void FrmMoon::LbEclipse_Click(int index) {
    if (index < 0 || index > 1 || LbEclipse[index]->isHidden()) return;
    const platform::MsgAnswer answer =
        platform::MsgBox("시각을 식이 일어날 것으로 예상되는 시각으로 바꾸시겠습니까?", platform::MsgButtons::YesNo,
                         platform::MsgIcon::Question, "식 예측");
    if (answer != platform::MsgAnswer::Yes) return;
    zu::Host().MoveChartTime(EclipseTime[index]);
    close();
}

void FrmMoon::cmdCopy_Click() {
    std::string text =
        U(Label1[0]->text()) + "\r\n" + "현상/시각(표준시)/시각(TT)/시각(율리우스적일)/시각(율리우스적일,TT)\r\n";
    for (int i = 0; i < 4; ++i) {
        text += U(Label1[3 + i]->text()) + "\t" + U(LbTime[i]->text()) + "\t" + U(LbTime[i]->toolTip()) + "\t" +
                U(LbJD[i]->text()) + "\t" + U(LbJD[i]->toolTip()) + "\r\n";
    }
    platform::Clipboard& clipboard = *platform::Env().clipboard;
    clipboard.Clear();
    clipboard.SetText(text);
}

}  // namespace zu
