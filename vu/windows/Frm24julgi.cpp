#include "vu/windows/Frm24julgi.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/DateText.h"
#include "astro/TextFormat.h"
#include "calendar/CalendarState.h"
#include "calendar/SunMoonSolvers.h"
#include "platform/Guard.h"
#include "ui/ToolControls.h"

namespace vu {
namespace {

using ui::Named;
using ui::QText;

constexpr const char* kTermNames[24][2] = {
    {"소한", "小寒"}, {"대한", "大寒"}, {"입춘", "立春"}, {"우수", "雨水"}, {"경칩", "驚蟄"}, {"춘분", "春分"},
    {"청명", "淸明"}, {"곡우", "穀雨"}, {"입하", "立夏"}, {"소만", "小滿"}, {"망종", "芒種"}, {"하지", "夏至"},
    {"소서", "小暑"}, {"대서", "大暑"}, {"입추", "立秋"}, {"처서", "處暑"}, {"백로", "白露"}, {"추분", "秋分"},
    {"한로", "寒露"}, {"상강", "霜降"}, {"입동", "立冬"}, {"소설", "小雪"}, {"대설", "大雪"}, {"동지", "冬至"},
};

}  // namespace

Frm24julgi::Frm24julgi(QWidget* owner) : QDialog(owner) {
    setObjectName("Frm24julgi");
    setWindowTitle(QText("24절기 입기 시각(정기법)"));
    auto* layout = new QVBoxLayout(this);
    Label1 = Named(new QLabel(this), "Label1", 0);
    QFont title_font = Label1->font();
    title_font.setBold(true);
    Label1->setFont(title_font);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);

    // Two columns of twelve terms: the first and the second half of the year.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    for (int i = 0; i < 24; ++i) {
        Label2[i] = Named(new QLabel(this), "Label2", i);
        Label3[i] = Named(new QLabel(this), "Label3", i);
        const int column = i < 12 ? 0 : 2;
        grid->addWidget(Label2[i], i % 12, column);
        grid->addWidget(Label3[i], i % 12, column + 1);
    }
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    CmdAdj[0] = Named(new QPushButton(QText("<전년"), this), "CmdAdj", 0);
    CmdAdj[1] = Named(new QPushButton(QText("내년>"), this), "CmdAdj", 1);
    CmdExit = Named(new QPushButton(QText("확인"), this), "CmdExit");
    CmdExit->setDefault(true);
    buttons->addWidget(CmdAdj[0]);
    buttons->addWidget(CmdAdj[1]);
    buttons->addStretch();
    buttons->addWidget(CmdExit);
    layout->addLayout(buttons);

    for (int index = 0; index < 2; ++index) {
        connect(CmdAdj[index], &QPushButton::clicked, this, [this, index] {
            platform::Guard([&] {
                YearOffset += index == 0 ? -1 : 1;
                CalcJulGi(calendar::Calendar().CalYear + YearOffset);
            });
        });
    }
    connect(CmdExit, &QPushButton::clicked, this, [this] { close(); });

    platform::Guard([&] {
        Set24Julgi();
        CalcJulGi(calendar::Calendar().CalYear);
    });
}

void Frm24julgi::Set24Julgi() {
    for (int i = 0; i < 24; ++i)
        Terms[i] = {kTermNames[i][0], kTermNames[i][1], 15.0 * i + 5, astro::Norm360(15.0 * i - 75)};
}

void Frm24julgi::CalcJulGi(double year) {
    using astro::PlainNumberText;
    const calendar::CalendarState& state = calendar::Calendar();
    const calendar::DeltaTRule rule = calendar::DeltaTRuleOf(state.settings);
    const std::string year_text = year >= 1 ? PlainNumberText(year) : "기원전 " + PlainNumberText(std::fabs(year) + 1);
    Label1->setText(QText(year_text + "년의 24절기 입기 시각"));
    for (int i = 0; i < 24; ++i) {
        const SolarTermRow& term = Terms[i];
        Label2[i]->setText(QText(term.Name + "(" + term.Hanja + ")"));
        const double j = calendar::SolarLongitudeTime(year, term.Longitude, term.Day, state.settings.TZ, rule);
        const bool summer = calendar::InSummerTime(calendar::SummerDays{state.SummerStartJD, state.SummerEndJD}, j);
        double y, mo, d, h, mi, s;
        calendar::JDToCalendar(summer ? j + state.settings.FH / 24.0 : j, y, mo, d, h, mi, s);
        Label3[i]->setText(QText(PlainNumberText(mo) + "월 " + PlainNumberText(d) + "일 " + PlainNumberText(h) + "시 " +
                                 PlainNumberText(std::nearbyint(mi)) + "분 " + PlainNumberText(std::nearbyint(s)) +
                                 "초"));
        Label3[i]->setToolTip(QText("율리우스 역일: " + astro::FormatDigitPattern(j, "0.000000")));
    }
}

}  // namespace vu
