#include "zu/almanac/FrmLuniSolar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

#include "almanac/IslamicCalendar.h"
#include "almanac/SkyCalendarServices.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/almanac/WindowSupport.h"

namespace zu {
namespace {

enum Direction { kSolarToLunar, kLunarToSolar, kSolarToIslamic, kIslamicToSolar, kLunarToIslamic, kIslamicToLunar };

constexpr const char* kDirections[6] = {"양력->음력",     "음력->양력",     "양력->이슬람력",
                                        "이슬람력->양력", "음력->이슬람력", "이슬람력->음력"};
constexpr const char* kZones[4] = {"한국", "중국", "일본", "관측지 기준"};
constexpr const char* kRuleCaptions[3] = {"평기법 사용", "평삭법 사용", "진삭법 사용"};
constexpr const char* kDesignDate[3] = {"2008", "1", "1"};
constexpr const char* kDateUnits[3] = {"년", "월", "일"};
constexpr int kMaxYear = 32767;
constexpr int kMaxSolarPart = 255;

// A whole number typed in a box: blanks around, an optional sign, digits.
std::optional<int> WholeNumber(const QString& text, int low, int high) {
    const std::string s = U(text.trimmed());
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (i == s.size() || s.size() - i > 6) return std::nullopt;
    for (std::size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') return std::nullopt;
    const int value = std::atoi(s.c_str());
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::string SignedField(int value) { return astro::NumberText(value); }

}  // namespace

std::string FormatLunarDate(int year, int month, int day, bool leap) {
    std::string text = year > 0 ? SignedField(year) : "기원전 " + std::to_string(std::abs(year) + 1);
    text += "년 ";
    if (leap) text += "(윤)";
    text += SignedField(month) + "월 " + SignedField(day) + "일";
    return text;
}

FrmLuniSolar::FrmLuniSolar(QWidget* owner) : QDialog(owner) {
    setWindowTitle(Q("음력, 양력, 이슬람력 변환"));
    auto* layout = new QVBoxLayout(this);

    auto* settings = ui::Named(new QGroupBox(Q("음력 계산 설정"), this), "Frame1", 0);
    auto* settings_grid = new QGridLayout(settings);
    settings_grid->addWidget(ui::Named(new QLabel(Q("음력의 계산 방법: "), settings), "Label1", 0), 0, 0);
    for (int i = 0; i < 3; ++i) {
        Check1[i] = ui::Named(new QCheckBox(Q(kRuleCaptions[i]), settings), "Check1", i);
        settings_grid->addWidget(Check1[i], 0, 1 + i);
        connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
    }
    settings_grid->addWidget(ui::Named(new QLabel(Q("음력의 계산 기준 지역: "), settings), "Label1", 1), 1, 0);
    Combo2 = ui::Named(new QComboBox(settings), "Combo2");
    for (const char* zone : kZones) Combo2->addItem(Q(zone));
    settings_grid->addWidget(Combo2, 1, 1, 1, 3);
    layout->addWidget(settings);

    auto* input = ui::Named(new QGroupBox(Q("바꿀 날짜"), this), "Frame1", 1);
    auto* input_row = new QHBoxLayout(input);
    Combo1 = ui::Named(new QComboBox(input), "Combo1");
    for (const char* direction : kDirections) Combo1->addItem(Q(direction));
    input_row->addWidget(Combo1);
    CmbADBC = ui::Named(new QComboBox(input), "CmbADBC");
    CmbADBC->addItem(Q("기원후"));
    CmbADBC->addItem(Q("기원전"));
    input_row->addWidget(CmbADBC);
    for (int i = 0; i < 3; ++i) {
        txtDate[i] = ui::Named(new QLineEdit(Q(kDesignDate[i]), input), "txtDate", i);
        txtDate[i]->setMaximumWidth(i == 0 ? 60 : 40);
        ui::SelectAllOnFocus(*txtDate[i]);
        input_row->addWidget(txtDate[i]);
        input_row->addWidget(new QLabel(Q(kDateUnits[i]), input));
    }
    CLeap = ui::Named(new QCheckBox(Q("윤달"), input), "CLeap");
    input_row->addWidget(CLeap);
    CmdCalc = ui::Named(new QPushButton(Q("바꾸기"), input), "CmdCalc");
    CmdCalc->setDefault(true);
    input_row->addWidget(CmdCalc);
    layout->addWidget(input);

    auto* output = ui::Named(new QGroupBox(Q("바꾼 날짜"), this), "Frame1", 2);
    auto* output_column = new QVBoxLayout(output);
    constexpr const char* kDesignResults[3] = {"바꾸기 단추를 누르면 계산이 됩니다.", "-", "입니다."};
    for (int i = 0; i < 3; ++i) {
        Lr[i] = ui::Named(new QLabel(Q(kDesignResults[i]), output), "Lr", i);
        output_column->addWidget(Lr[i]);
    }
    layout->addWidget(output);

    Command1 = ui::Named(new QPushButton(Q("닫기"), this), "Command1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(CmdCalc, &QPushButton::clicked, this, [this] { CmdCalc_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });

    Combo1->setCurrentIndex(0);
    Combo1_Click();
    Combo2->setCurrentIndex(3);
    CmbADBC->setCurrentIndex(0);
}

void FrmLuniSolar::Combo1_Click() {
    const int direction = Combo1->currentIndex();
    const bool islamic_input = direction == kIslamicToSolar || direction == kIslamicToLunar;
    CmbADBC->setEnabled(!islamic_input);
    CLeap->setEnabled(direction == kLunarToSolar || direction == kLunarToIslamic);
}

void FrmLuniSolar::Check1_Click(int index) {
    const bool on = Check1[index]->isChecked();
    if (index == 0) Rules.MeanSun = on;
    if (index == 1) Rules.MeanMoon = on;
    if (index == 2) Rules.Jinsak = on;
    CmdCalc_Click();
}

void FrmLuniSolar::CmdCalc_Click() {
    const int direction = Combo1->currentIndex();
    const bool solar_input = direction == kSolarToLunar || direction == kSolarToIslamic;
    const int part_low = solar_input ? 0 : 1;
    const std::optional<int> typed_year = WholeNumber(txtDate[0]->text(), -kMaxYear, kMaxYear);
    const std::optional<int> month = WholeNumber(txtDate[1]->text(), part_low, solar_input ? kMaxSolarPart : 12);
    const std::optional<int> day = WholeNumber(txtDate[2]->text(), part_low, solar_input ? kMaxSolarPart : 30);
    if (!typed_year || !month || !day) {
        platform::MsgBox("날짜가 잘못 입력되었습니다. 확인해 주세요", platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation, "음양력/이슬람력 변환");
        return;
    }
    int y = std::abs(*typed_year);
    const int m = *month, d = *day;
    const bool leap = CLeap->isChecked();
    const bool islamic_input = direction == kIslamicToSolar || direction == kIslamicToLunar;
    if (!islamic_input && CmbADBC->currentIndex() == 1) y = 1 - y;

    const double zone_in_force = skydata::CurrentSettings().timezone;
    const almanac::ZoneRule zone = [&]() -> almanac::ZoneRule {
        switch (Combo2->currentIndex()) {
            case 0: return almanac::ZoneRule::Korean();
            case 1: return almanac::ZoneRule(8.0);
            case 2: return almanac::ZoneRule(9.0);
            default: return almanac::ZoneRule(zone_in_force);
        }
    }();
    const almanac::CalendarServices& services = almanac::SkyCalendarServices();
    const auto FD = [](double jd) { return astro::FormatDateKorean(jd); };
    const auto FL = [](const almanac::LunarDate& date) { return FormatLunarDate(date.year, date.month, date.day, date.leap); };
    const auto lunar_text = [&](double jd) -> std::string {
        const std::optional<almanac::LunarDate> lunar = almanac::SolarToLunar(jd, zone, Rules, services);
        return lunar ? FL(*lunar) : "계산할 수 없음";
    };
    const auto islamic_text = [](double jd) -> std::string {
        return jd >= almanac::kIslamicEpochDay ? almanac::FormatIslamicDate(jd, 1) : "이슬람력이 시작되기 이전";
    };
    // An Islamic date that the day count does not give back (day 30 of a
    // 29-day month) does not exist.
    const auto islamic_day = [&]() -> std::optional<double> {
        const double jd = almanac::IslamicToJD(y, m, d);
        if (almanac::JDToIslamic(jd) != almanac::IslamicDate{y, m, d}) return std::nullopt;
        return jd;
    };

    std::string header, result;
    const almanac::LunarDate entered{y, m, d, leap};
    switch (direction) {
        case kSolarToLunar: {
            const double jd = services.DateToJD(y, m, d, 12, 0, 0);
            header = "양력 " + FD(jd) + "은 음력으로";
            result = lunar_text(jd);
            break;
        }
        case kLunarToSolar: {
            const std::optional<double> jd = almanac::LunarToSolarStrict(entered, zone, Rules, services);
            header = "음력 " + FL(entered) + (jd ? "은 양력으로" : "은 ");
            result = jd ? FD(*jd) : "없는 날";
            break;
        }
        case kSolarToIslamic: {
            const double jd = services.DateToJD(y, m, d, 12, 0, 0);
            header = "양력 " + FD(jd) + (jd >= almanac::kIslamicEpochDay ? "은 이슬람력으로" : "은");
            result = islamic_text(jd);
            break;
        }
        case kIslamicToSolar: {
            const std::optional<double> jd = islamic_day();
            header = "이슬람력 " + FormatLunarDate(y, m, d, false) + (jd ? "은 양력으로" : "은 ");
            result = jd ? FD(*jd) : "없는 날";
            break;
        }
        case kLunarToIslamic: {
            const std::optional<double> jd = almanac::LunarToSolarStrict(entered, zone, Rules, services);
            if (!jd) {
                header = "음력 " + FL(entered) + "은 ";
                result = "없는 날";
            } else {
                header = "음력 " + FL(entered) + (*jd >= almanac::kIslamicEpochDay ? "은 이슬람력으로" : "은");
                result = islamic_text(*jd);
            }
            break;
        }
        default: {
            const std::optional<double> jd = islamic_day();
            header = "이슬람력 " + FormatLunarDate(y, m, d, false) + (jd ? "은 음력으로" : "은 ");
            result = jd ? lunar_text(*jd) : "없는 날";
            break;
        }
    }
    Lr[0]->setText(Q(header));
    Lr[1]->setText(Q(result));
    Lr[2]->setText(Q("입니다."));
}

}  // namespace zu
