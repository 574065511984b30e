#include "vu/windows/FrmOne.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "calendar/CalendarPhenomena.h"
#include "calendar/CalendarState.h"
#include "calendar/DayNames.h"
#include "platform/Guard.h"
#include "ui/ToolControls.h"

namespace vu {
namespace {

using ui::Named;
using ui::QText;

constexpr const char* kWeekdays[7] = {"일", "월", "화", "수", "목", "금", "토"};
// Nominal month lengths, February 29.
constexpr int kMonthLength[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr double kPhenomenaMargin_days = 30;

int FloorMod(double n, int m) {
    const double r = std::fmod(std::floor(n), static_cast<double>(m));
    return static_cast<int>(r < 0 ? r + m : r);
}

}  // namespace

FrmOne::FrmOne(double month, QWidget* owner) : QDialog(owner), month_(month) {
    setObjectName("FrmOne");
    setWindowTitle(QText("올 해의 기념일"));
    resize(560, 600);
    auto* layout = new QVBoxLayout(this);
    Label1 = Named(new QLabel(QText("올 해의 기념일"), this), "Label1", 0);
    QFont title_font = Label1->font();
    title_font.setBold(true);
    title_font.setPointSize(title_font.pointSize() + 2);
    Label1->setFont(title_font);
    layout->addWidget(Label1);

    auto* options = Named(new QGroupBox(QText("표시 내용 설정"), this), "Frame1", 0);
    auto* grid = new QGridLayout(options);
    const char* sources[4] = {"기념일 모음 1(기본 모음)", "기념일 모음 2(사용자 1)", "기념일 모음 3(사용자 2)",
                              "천문 현상"};
    for (int i = 0; i < 4; ++i) {
        Check1[i] = Named(new QCheckBox(QText(sources[i]), options), "Check1", i);
        Check1[i]->setChecked(i == 0 || i == 3);
        grid->addWidget(Check1[i], i / 2, i % 2);
    }
    Check2 = Named(new QCheckBox(QText("기념일, 천문현상이 없는 날도 표시"), options), "Check2");
    Check3 = Named(new QCheckBox(QText("선택한 달의 것만 표시"), options), "Check3");
    grid->addWidget(Check2, 2, 0);
    grid->addWidget(Check3, 2, 1);
    layout->addWidget(options);

    auto* list = Named(new QGroupBox(QText("올 해의 기념일"), this), "Frame1", 1);
    auto* list_layout = new QVBoxLayout(list);
    Text1 = Named(new QPlainTextEdit(list), "Text1");
    Text1->setReadOnly(true);
    list_layout->addWidget(Text1);
    layout->addWidget(list, 1);

    auto* buttons = new QHBoxLayout;
    CmdOK = Named(new QPushButton(QText("닫기(&C)"), this), "CmdOK");
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    layout->addLayout(buttons);

    for (int i = 0; i < 4; ++i) {
        connect(Check1[i], &QCheckBox::clicked, this, [this, i](bool checked) {
            platform::Guard([&] {
                ShowSource[i] = checked;
                GenOne();
            });
        });
    }
    connect(Check2, &QCheckBox::clicked, this, [this](bool checked) {
        platform::Guard([&] {
            ShowEmpty = checked;
            GenOne();
        });
    });
    connect(Check3, &QCheckBox::clicked, this, [this](bool checked) {
        platform::Guard([&] {
            OnlyMonth = checked;
            GenOne();
        });
    });
    connect(CmdOK, &QPushButton::clicked, this, [this] { close(); });

    platform::Guard([&] {
        Text1->clear();
        for (int i = 0; i < 4; ++i) ShowSource[i] = Check1[i]->isChecked();
        ShowEmpty = false;
        OnlyMonth = false;
        const double year = calendar::Calendar().CalYear;
        FromJD = calendar::JulianDay(year, 1, 1, 12);
        ToJD = calendar::JulianDay(year, 12, 31, 12);
        calendar::ListPlanetPhenomena(FromJD - kPhenomenaMargin_days, ToJD + kPhenomenaMargin_days);
        GenOne();
    });
}

std::string FrmOne::MakeSDStr1(double jd) const {
    return calendar::DayNamesText(calendar::Calendar(), jd, {ShowSource[0], ShowSource[1], ShowSource[2], ShowSource[3]});
}

void FrmOne::GenOne() {
    const double year = calendar::Calendar().CalYear;
    // The month field holds 1..12; anything else lists January.
    const int m = std::clamp(static_cast<int>(std::nearbyint(month_)), 1, 12);
    const int length = kMonthLength[m - 1];
    if (OnlyMonth) {
        FromJD = calendar::JulianDay(year, m, 1, 12);
        ToJD = FromJD + length - 1;
        if (!calendar::SameMinute(ToJD, year, m, length, 12, 0, 0)) ToJD -= 1;
    } else {
        FromJD = calendar::JulianDay(year, 1, 1, 12);
        ToJD = calendar::JulianDay(year, 12, 31, 12);
    }
    std::string text;
    for (double t = FromJD; t <= ToJD; t += 1) {
        const std::string names = MakeSDStr1(t);
        if (names.empty() && !ShowEmpty) continue;
        text += calendar::FormatDateKorean(t) + " (" + kWeekdays[FloorMod(t + 1, 7)] + ")" + "  -  " + names + "\r\n";
    }
    Text1Text = text;
    Text1->setPlainText(QText(text).remove('\r'));
}

}  // namespace vu
