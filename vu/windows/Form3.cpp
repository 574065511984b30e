#include "vu/windows/Form3.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "almanac/LunarCalendar.h"
#include "calendar/CalendarState.h"
#include "calendar/TideAndGanzhi.h"
#include "calendar/VuCalendarServices.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "ui/ToolControls.h"
#include "vu/grid/CellText.h"
#include "vu/grid/YearCycle.h"
#include "vu/windows/ReferenceZone.h"

namespace vu {
namespace {

using ui::Named;
using ui::QText;

constexpr const char* kCrLf = "\r\n";

std::string YearText(double year) {
    return year > 0 ? TrimNum(year) : "기원전 " + TrimNum(std::fabs(year) + 1);
}

std::string TableHeader(std::uint8_t kind) {
    std::string text = kind == 1 ? "*이 표는 양력을 음력으로 바꿀 때 쓸 수 있는 표입니다."
                                 : "*이 표는 음력을 양력으로 바꿀 때 쓸 수 있는 표입니다.";
    text += kCrLf;
    text += "*계산은 vu의 설정 내용을 바탕으로 이루어집니다.";
    text += kCrLf;
    text += "*주의: vu 설정에서 음양력의 계산법을 자동으로 고르도록 하면 양력으로 618년에서 619년으로 바뀌는 "
            "시점과 1280년에서 1281년으로 바뀌는 시점에서 음력 날짜가 불연속적으로 이어지는 현상이 생깁니다. "
            "이는 계산 방법의 변화에 따라 나타나는 현상인데, 이 때에는 전년도(618년과 1280년)의 12월의 음력 "
            "날짜를 참고하여 음력 날짜를 정하면 됩니다.";
    text += kCrLf;
    text += kCrLf;
    return text;
}

// Keeps TZ and puts it back on every way out.
class ZoneKeeper {
public:
    explicit ZoneKeeper(calendar::CalendarSettings& settings) : settings_(settings), kept_(settings.TZ) {}
    ~ZoneKeeper() { settings_.TZ = kept_; }
    ZoneKeeper(const ZoneKeeper&) = delete;
    ZoneKeeper& operator=(const ZoneKeeper&) = delete;

private:
    calendar::CalendarSettings& settings_;
    double kept_;
};

}  // namespace

std::string MakeDay2(std::int16_t year, std::uint8_t month, std::uint8_t day, bool leap) {
    return YearText(year) + "년 " + TrimNum(month) + "월 " + TrimNum(day) + "일 " + (leap ? "(윤)" : "(평)");
}

Form3::Form3(double month, std::function<void()> read_form_settings, QWidget* owner)
    : QDialog(owner), month_(month), read_form_settings_(std::move(read_form_settings)) {
    setObjectName("Form3");
    setWindowTitle(QText("음력-양력 환산표"));
    resize(640, 560);
    auto* layout = new QVBoxLayout(this);
    Label1 = Named(new QLabel(QText("0000년의 음력-양력 환산표"), this), "Label1");
    QFont title_font = Label1->font();
    title_font.setBold(true);
    title_font.setPointSize(title_font.pointSize() + 2);
    Label1->setFont(title_font);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);

    auto* options = Named(new QGroupBox(QText("표시 내용 설정"), this), "Frame1", 0);
    auto* options_layout = new QHBoxLayout(options);
    Option1[0] = Named(new QRadioButton(QText("음력->양력 환산표"), options), "Option1", 0);
    Option1[1] = Named(new QRadioButton(QText("양력->음력 환산표"), options), "Option1", 1);
    Option1[1]->setChecked(true);
    options_layout->addWidget(Option1[1]);
    options_layout->addWidget(Option1[0]);
    options_layout->addStretch();
    layout->addWidget(options);

    auto* table = Named(new QGroupBox(QText("음력-양력 환산표"), this), "Frame1", 1);
    auto* table_layout = new QVBoxLayout(table);
    Text1 = Named(new QPlainTextEdit(QText("안내"), table), "Text1");
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    table_layout->addWidget(Text1);
    layout->addWidget(table, 1);

    Label2 = Named(new QLabel(QText("주의: 음력->양력 환산표를 만드는 경우 속도가 다소 느립니다. 컴퓨터의 성능에 따라 "
                                    "다르지만 30초 이상 걸릴 수도 있습니다."),
                              this),
                   "Label2");
    Label2->setWordWrap(true);
    layout->addWidget(Label2);

    auto* buttons = new QHBoxLayout;
    Command2[0] = Named(new QPushButton(QText("<이전 해"), this), "Command2", 0);
    Command2[1] = Named(new QPushButton(QText("다음 해>"), this), "Command2", 1);
    Command1 = Named(new QPushButton(QText("닫기"), this), "Command1");
    buttons->addWidget(Command2[0]);
    buttons->addWidget(Command2[1]);
    buttons->addStretch();
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    for (int index = 0; index < 2; ++index) {
        connect(Command2[index], &QPushButton::clicked, this, [this, index] {
            platform::Guard([&] {
                const int year = calendar::Calendar().CalYear + YearOffset + (index == 1 ? 1 : -1);
                if (year < kFirstCalendarYear || year > kLastCalendarYear) {
                    platform::MsgBox(kYearRangeMessage, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, "vu");
                    return;
                }
                YearOffset = static_cast<std::int16_t>(year - calendar::Calendar().CalYear);
                GenTransTable(static_cast<std::int16_t>(year), Kind());
            });
        });
        // A click on either option (also on the selected one) redraws.
        connect(Option1[index], &QRadioButton::clicked, this, [this] {
            platform::Guard(
                [&] { GenTransTable(static_cast<std::int16_t>(calendar::Calendar().CalYear + YearOffset), Kind()); });
        });
    }
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });

    platform::Guard([&] { GenTransTable(calendar::Calendar().CalYear, 1); });
}

Form3::~Form3() {
    if (!unloaded_) platform::Guard([this] { Form_Unload(); });
}

std::uint8_t Form3::Kind() const { return Option1[0]->isChecked() ? 0 : 1; }

void Form3::done(int result) {
    if (!unloaded_) platform::Guard([this] { Form_Unload(); });
    QDialog::done(result);
}

void Form3::closeEvent(QCloseEvent* event) {
    if (!unloaded_) platform::Guard([this] { Form_Unload(); });
    QDialog::closeEvent(event);
}

void Form3::GenTransTable(std::int16_t year, std::uint8_t kind) {
    calendar::CalendarState& state = calendar::Calendar();
    calendar::CalendarSettings& s = state.settings;
    const ZoneKeeper keep(s);
    if (read_form_settings_) read_form_settings_();
    const almanac::ZoneRule zone = ReferenceZone(s);
    if (s.Auto) ApplyEraRules(s, year);
    const almanac::CalendarServices services = calendar::CalendarServicesOfVu(calendar::DeltaTRuleOf(s));
    const calendar::EraRules rules = RulesOf(s);

    std::string text = TableHeader(kind);
    if (kind == 1) {
        for (int k = 1; k <= 12; ++k) {
            const double jd = calendar::JulianDay(year, k, 1, 12);
            text += "양력 " + calendar::FormatDateKorean(jd) + " - 음력 ";
            const std::optional<almanac::LunarDate> lunar = almanac::SolarToLunar(jd, zone, rules, services);
            if (lunar) {
                std::string month_name = calendar::GetWolgeon(static_cast<std::int16_t>(lunar->year),
                                                    static_cast<std::int16_t>(lunar->month), lunar->leap ? calendar::kTrue : 0);
                if (month_name.empty()) month_name = "없음";
                text += MakeDay2(static_cast<std::int16_t>(lunar->year), static_cast<std::uint8_t>(lunar->month),
                                 static_cast<std::uint8_t>(lunar->day), lunar->leap) +
                        " (일진: " + GetIljin(jd) + "/월건: " + month_name + ")";
            } else {
                text += "-";
            }
            text += kCrLf;
        }
    } else {
        // One preparation serves all twelve months: it depends on the year
        // only. The table is the window's own: the main window's grid keeps
        // drawing its year with the table of that year meanwhile.
        calendar::LunarMonthTable table;
        calendar::PrepareLunarYear(calendar::JulianDay(year, 1, 1, 12), zone, rules, services, table);
        for (int k = 1; k <= 12; ++k) {
            const auto month = static_cast<std::uint8_t>(k);
            for (const std::int16_t leap : {static_cast<std::int16_t>(0), calendar::kTrue}) {
                double first = 0, days = 0;
                if (!calendar::LunarMonthJD(table, year, month, 1, leap, first) || !calendar::LunarMonthDays(table, year, month, leap, days))
                    continue;
                std::string month_name = leap ? "없음" : calendar::GetWolgeon(year, month, 0);
                text += "음력 " + MakeDay2(year, month, 1, leap != 0) + " (일진: " + GetIljin(first) +
                        "/월건: " + month_name + "/" + (days == 30 ? "큰달" : "작은달") + ") - 양력 " +
                        calendar::FormatDateKorean(first) + kCrLf;
            }
        }
    }
    // The table of this year stays prepared until the window unloads.
    unloaded_ = false;
    Text1Text = text;
    Text1->setPlainText(QText(text).remove('\r'));
    Label1->setText(QText(YearText(year) + "년의 음력-양력 환산표"));
}

void Form3::Form_Unload() {
    unloaded_ = true;
    if (read_form_settings_) read_form_settings_();
    PrepareDisplayedYear(calendar::Calendar(), static_cast<int>(std::nearbyint(month_)));
}

}  // namespace vu
