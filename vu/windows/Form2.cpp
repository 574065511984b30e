#include "vu/windows/Form2.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <cctype>
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

using ui::Named;
using ui::QText;

constexpr const char* kNoDate = "-";
constexpr int kLongestSolarMonth = 31;
constexpr int kLongestLunarMonth = 30;

// A whole number written alone: an optional sign and digits.
std::optional<int> WholeNumber(const std::string& text) {
    std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    if (i == text.size() || text.size() > 9) return std::nullopt;
    for (std::size_t k = i; k < text.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(text[k]))) return std::nullopt;
    return std::stoi(text);
}

void ShowDate(QLineEdit* const* boxes, double year, double month, double day) {
    boxes[0]->setText(QText(astro::PlainNumberText(year)));
    boxes[1]->setText(QText(astro::PlainNumberText(month)));
    boxes[2]->setText(QText(astro::PlainNumberText(day)));
}

void ShowNoDate(QLineEdit* const* boxes) {
    for (int i = 0; i < 3; ++i) boxes[i]->setText(QText(kNoDate));
}

// The year, month and day typed into three boxes: each a whole number (blanks
// around allowed), the year in the calendar's range, the month 1..12 and the
// day 1..max_day; nullopt for anything else ("abc", 13, 99, 2.5, nothing).
std::optional<std::array<int, 3>> TypedDate(QLineEdit* const* boxes, int max_day) {
    std::array<int, 3> date{};
    for (int i = 0; i < 3; ++i) {
        const std::string text = ui::StdText(boxes[i]->text().trimmed());
        const std::optional<int> v = WholeNumber(text);
        if (!v) return std::nullopt;
        date[static_cast<std::size_t>(i)] = *v;
    }
    if (!DateFitsFields(date[0], date[1], date[2]) || date[1] < 1 || date[1] > 12 || date[2] < 1 ||
        date[2] > max_day)
        return std::nullopt;
    return date;
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
        ui::SelectAllOnFocus(*txtCal[i]);
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
    calendar::CalendarState& state = calendar::Calendar();
    const YearStateKeeper keep(state);
    calendar::CalendarSettings& s = state.settings;
    const almanac::CalendarServices services = calendar::CalendarServicesOfVu(calendar::DeltaTRuleOf(s));

    // Solar to lunar: only a date the calendar has (not 2/30, not 1582-10-10).
    const almanac::ZoneRule zone = ReferenceZone(s);
    Label1_41->setVisible(false);
    const std::optional<std::array<int, 3>> solar = TypedDate(&txtCal[0], kLongestSolarMonth);
    const auto exists = [](const std::array<int, 3>& d) {
        double y, mo, day, h, mi, sec;
        calendar::JDToCalendar(calendar::JulianDay(d[0], d[1], d[2], 12), y, mo, day, h, mi, sec);
        return y == d[0] && mo == d[1] && day == d[2];
    };
    if (!solar || !exists(*solar)) {
        ShowNoDate(&txtCal[3]);
    } else {
        const double sy = (*solar)[0], sm = (*solar)[1], sd = (*solar)[2];
        if (s.Auto) ApplyEraRules(s, static_cast<std::int16_t>(std::nearbyint(sy)));
        const std::optional<almanac::LunarDate> lunar =
            almanac::SolarToLunar(calendar::JulianDay(sy, sm, sd, 12), zone, RulesOf(s), services);
        if (lunar) {
            ShowDate(&txtCal[3], lunar->year, lunar->month, lunar->day);
            Label1_41->setVisible(lunar->leap);
        } else {
            ShowNoDate(&txtCal[3]);
        }
    }

    // Lunar to solar: only a day that converts back to the same lunar date.
    const std::optional<std::array<int, 3>> lunar_typed = TypedDate(&txtCal[6], kLongestLunarMonth);
    if (!lunar_typed) {
        ShowNoDate(&txtCal[9]);
        return;
    }
    if (s.Auto) ApplyEraRules(s, static_cast<std::int16_t>((*lunar_typed)[0]));
    const almanac::LunarDate date{(*lunar_typed)[0], (*lunar_typed)[1], (*lunar_typed)[2], chkLeap->isChecked()};
    const std::optional<double> jd = almanac::LunarToSolarStrict(date, zone, RulesOf(s), services);
    if (!jd) {
        ShowNoDate(&txtCal[9]);
        return;
    }
    double y, mo, d, h, mi, sec;
    calendar::JDToCalendar(*jd, y, mo, d, h, mi, sec);
    ShowDate(&txtCal[9], y, mo, d);
}

}  // namespace vu
