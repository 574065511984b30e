#include "vu/windows/Form2.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>
#include <string>

#include "almanac/LunarCalendar.h"
#include "astro/DateText.h"
#include "calendar/CalendarState.h"
#include "calendar/VuCalendarServices.h"
#include "platform/Guard.h"
#include "ui/ToolControls.h"
#include "vu/windows/ReferenceZone.h"

namespace vu {
namespace {

using app::Named;
using app::QText;

constexpr const char* kNoDate = "-";

void ShowDate(QLineEdit* const* boxes, double year, double month, double day) {
    boxes[0]->setText(QText(astro::PlainNumberText(year)));
    boxes[1]->setText(QText(astro::PlainNumberText(month)));
    boxes[2]->setText(QText(astro::PlainNumberText(day)));
}

void ShowNoDate(QLineEdit* const* boxes) {
    for (int i = 0; i < 3; ++i) boxes[i]->setText(QText(kNoDate));
}

}  // namespace

Form2::Form2(std::function<void()> read_form_settings, QWidget* owner)
    : QDialog(owner), read_form_settings_(std::move(read_form_settings)) {
    setObjectName("Form2");
    setWindowTitle(QText("음력-양력 계산기"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* units[3] = {"년", "월", "일"};
    auto* row0 = Named(new QLabel(QText("양력->음력"), this), "Label1", 23);
    auto* row1 = Named(new QLabel(QText("음력->양력"), this), "Label1", 24);
    grid->addWidget(row0, 0, 0);
    grid->addWidget(row1, 1, 0);
    int unit_label = 0;
    for (int i = 0; i < 12; ++i) {
        txtCal[i] = Named(new QLineEdit(QText(i % 3 == 0 ? "2008" : "1"), this), "txtCal", i);
        txtCal[i]->setMaximumWidth(i % 3 == 0 ? 60 : 36);
        app::SelectAllOnFocus(*txtCal[i]);
        const int row = i < 6 ? 0 : 1;
        // Input, an arrow, then output, each followed by its unit letters.
        const int column = 1 + (i % 6) * 2 + (i % 6 >= 3 ? 1 : 0);
        grid->addWidget(txtCal[i], row, column);
        grid->addWidget(Named(new QLabel(QText(units[i % 3]), this), "Label1", unit_label++), row, column + 1);
    }
    for (int row = 0; row < 2; ++row) grid->addWidget(new QLabel(QText("→"), this), row, 7);
    Label1_41 = Named(new QLabel(QText("(윤)"), this), "Label1", 41);
    Label1_41->setVisible(false);
    grid->addWidget(Label1_41, 0, 14);
    chkLeap = Named(new QCheckBox(QText("윤달"), this), "chkLeap");
    grid->addWidget(chkLeap, 1, 14);
    layout->addLayout(grid);

    layout->addWidget(Named(new QLabel(QText("음력의 계산은 vu 프로그램의 설정에 따라 이루어집니다."), this), "Label2"));
    auto* buttons = new QHBoxLayout;
    CmdCalc = Named(new QPushButton(QText("바꾸기"), this), "CmdCalc");
    Command1 = Named(new QPushButton(QText("닫기"), this), "Command1");
    CmdCalc->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(CmdCalc);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    connect(CmdCalc, &QPushButton::clicked, this, [this] { platform::Guard([this] { DirectChange(); }); });
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });
}

void Form2::DirectChange() {
    if (read_form_settings_) read_form_settings_();
    CalendarState& state = Calendar();
    const YearStateKeeper keep(state);
    CalendarSettings& s = state.settings;
    const almanac::CalendarServices services = CalendarServicesOfVu(DeltaTRuleOf(s));

    // Solar to lunar.
    const double sy = app::BoxNumber(txtCal[0]), sm = app::BoxNumber(txtCal[1]), sd = app::BoxNumber(txtCal[2]);
    double zone = ReferenceZone(s, sy);
    Label1_41->setVisible(false);
    if (!DateFitsFields(sy, sm, sd)) {
        ShowNoDate(&txtCal[3]);
    } else {
        if (s.Auto) ApplyEraRules(s, static_cast<std::int16_t>(std::nearbyint(sy)));
        const std::optional<almanac::LunarDate> lunar =
            almanac::SolarToLunar(JulianDay(sy, sm, sd, 12), zone, RulesOf(s), services);
        if (lunar) {
            ShowDate(&txtCal[3], lunar->year, lunar->month, lunar->day);
            Label1_41->setVisible(lunar->leap);
        } else {
            ShowNoDate(&txtCal[3]);
        }
    }

    // Lunar to solar: only a day that converts back to the same lunar date.
    const double ly = std::nearbyint(app::BoxNumber(txtCal[6]));
    const double lm = app::BoxNumber(txtCal[7]), ld = app::BoxNumber(txtCal[8]);
    zone = ReferenceZone(s, ly);
    if (!DateFitsFields(ly, lm, ld)) {
        ShowNoDate(&txtCal[9]);
        return;
    }
    if (s.Auto) ApplyEraRules(s, static_cast<std::int16_t>(ly));
    const almanac::LunarDate date{static_cast<int>(ly), static_cast<int>(std::nearbyint(lm)),
                                  static_cast<int>(std::nearbyint(ld)), chkLeap->isChecked()};
    const std::optional<double> jd = almanac::LunarToSolarStrict(date, zone, RulesOf(s), services);
    if (!jd) {
        ShowNoDate(&txtCal[9]);
        return;
    }
    double y, mo, d, h, mi, sec;
    JDToCalendar(*jd, y, mo, d, h, mi, sec);
    ShowDate(&txtCal[9], y, mo, d);
}

}  // namespace vu
