// The settings page of Form1: its controls, the transfer between the panel
// and the calendar settings both ways, and the font and colour pickers.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

#include "astro/DateText.h"
#include "astro/TextFormat.h"
#include "calendar/CalendarState.h"
#include "calendar/TimeBase.h"
#include "platform/Services.h"
#include "ui/ToolControls.h"
#include "vu/grid/CellText.h"
#include "vu/grid/YearCycle.h"
#include "vu/main/Form1.h"

namespace vu {
namespace {

using ui::Named;

QString Q(std::string_view text) { return ui::QText(text); }

double Number(const QLineEdit* box) { return astro::ParseLeadingNumber(ui::StdText(box->text())); }

// The whole text as one number (blanks around allowed); nullopt otherwise.
std::optional<double> StrictNumber(const QString& text) {
    const std::string s = ui::StdText(text.trimmed());
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

// A number as a user types it: plain decimals, never an exponent, at most
// four of them and no trailing zeros; "0" for what rounds to nothing.
std::string TypedNumberText(double value) {
    if (!std::isfinite(value)) return TrimNum(value);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    std::string text = buffer;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

// Degrees, minutes and seconds of an angle's size as typed: the seconds
// rounded to four decimals, a rounding up to 60 carried into the minutes
// and degrees.
std::array<std::string, 3> DmsTexts(double angle_deg) {
    constexpr double kUnitsPerSecond = 1e4;
    const double size_deg = std::fabs(angle_deg);
    // Far beyond any angle: shown as it is, for the field check to refuse.
    if (!(size_deg <= 1e6)) return {TrimNum(size_deg), "0", "0"};
    const auto units = std::llround(size_deg * 3600 * kUnitsPerSecond);
    const auto per_minute = static_cast<long long>(60 * kUnitsPerSecond);
    return {TrimNum(static_cast<double>(units / (60 * per_minute))),
            TrimNum(static_cast<double>(units / per_minute % 60)),
            TypedNumberText(static_cast<double>(units % per_minute) / kUnitsPerSecond)};
}

// A box shows its value rounded; while it still holds the text it was
// shown, the value reads back whole, so a setting nobody edited is kept.
constexpr const char* kShownText = "vuShownText";
constexpr const char* kShownValue = "vuShownValue";

void ShowValue(QLineEdit& box, const std::string& text, double value) {
    box.setText(Q(text));
    box.setProperty(kShownText, box.text());
    box.setProperty(kShownValue, value);
}

bool Untouched(const QLineEdit* box) {
    const QVariant shown = box->property(kShownText);
    return shown.isValid() && shown.toString() == box->text();
}

double ShownNumber(const QLineEdit* box) {
    return Untouched(box) ? box->property(kShownValue).toDouble() : Number(box);
}

QColor QtColour(std::int32_t colour) {
    const auto c = static_cast<platform::Colour>(colour);
    return QColor(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c));
}

constexpr const char* kCheckCaptions[16] = {
    "한국기준 음력",      "이슬람력 표시",    "오늘 날짜 강조",        "출몰 시각 표시",
    "천문 현상 표시",     "기념일 표시",      "평기법 사용",           "평삭법 사용",
    "진삭법 사용",        "음력 계산법을 자동으로 고름", "글자 크기 자동 조절", "dT값을 직접 입력",
    "1월 1일부터의 일수 표시", "기준일부터의 일수 표시", "강조 글꼴색을 날짜 전체에 적용", "물때 표시",
};
constexpr const char* kCheckTips[16] = {
    "음력과 절기 계산의 기준일을 한국으로 할지 현지로 할지 정합니다.",
    "이슬람력을 표시합니다.",
    "오늘 날짜를 노랗게 강조합니다.",
    "해와 달이 뜨고 지는 시간을 표시합니다. 이 설정을 켜면 작동 속도가 약간 느려집니다.",
    "천문 현상을 표시합니다.",
    "기념일을 표시합니다.",
    "",
    "",
    "",
    "",
    "글자 크기가 너무 클 경우에 자동으로 조절합니다.",
    "역학시와 표준시와의 차이(dT값)를 직접 입력합니다.",
    "해당년 1월 1일로부터의 날짜수를 표시합니다.",
    "지정한 날짜로부터의 일수를 표시합니다. D-xx 형식입니다.",
    "",
    "일진 대신 물때를 표시합니다.",
};
// The fields of the panel checked where they are typed. Each group is one
// value: when a field of it holds no number or the value leaves its range,
// the message is shown and the group's fields take back their last good
// texts (the texts they had when the settings were shown or last passed).
constexpr const char* kGoodText = "vuGoodText";
constexpr const char* kLatitudeMessage =
    "위도는 -90도부터 90도까지 입력할 수 있습니다. 분과 초는 0 이상 60 미만의 수입니다.";
constexpr const char* kLongitudeMessage =
    "경도는 -180도부터 180도까지 입력할 수 있습니다. 분과 초는 0 이상 60 미만의 수입니다.";
constexpr const char* kZoneMessage = "시간대는 -12부터 14까지의 수로 입력할 수 있습니다.";
constexpr const char* kHeightMessage = "해발고도는 -1000m부터 10000m까지의 수로 입력할 수 있습니다.";
constexpr const char* kBaseMessage =
    "기준일은 기원전 10000년부터 서기 32000년까지의 날짜를 연, 월(1~12), 일(1~31)의 수로 입력할 수 있습니다.";
constexpr const char* kSummerMessage =
    "일광시간절약제도의 시작일과 종료일은 월(1~12)과 일(1~31)의 수로, 변경 시간은 -3부터 3시간까지의 수로 입력할 수 "
    "있습니다.";

struct FieldRange {
    double low, high;
    bool whole;  // a whole number
    bool below_high = false;  // high itself excluded (minutes and seconds)
};

// The range a settings file keeps the value in, for a field of any number.
constexpr FieldRange Field(calendar::SettingRange range) { return {range.min, range.max, false}; }

bool InRange(const std::optional<double>& v, const FieldRange& r) {
    if (!v) return false;
    if (r.whole && *v != std::floor(*v)) return false;
    return *v >= r.low && (r.below_high ? *v < r.high : *v <= r.high);
}

constexpr const char* kSampleTexts[5] = {"10", "석가탄신일", "4. 2(윤)/정미", "06:00/18:00", "20:00/06:00(30%)"};
constexpr std::int16_t kLargestGap = 32767;
constexpr int kRspItems = 4;
constexpr int kDisplayModes = 5;
constexpr int kTideStyles = 4;

}  // namespace

void Form1::BuildSettingsPage() {
    auto* page_layout = new QVBoxLayout(PicCal[2]);
    page_layout->setContentsMargins(0, 0, 0, 0);
    SettingsScroll = Named(new QScrollArea(PicCal[2]), "SettingsScroll");
    SettingsScroll->setFrameShape(QFrame::NoFrame);
    SettingsScroll->setWidgetResizable(true);
    page_layout->addWidget(SettingsScroll);
    auto* page = new QWidget;
    page->setObjectName("SettingsSurface");
    auto* grid = new QGridLayout(page);
    const auto box = [](QWidget* parent, const char* name, int index, int width) {
        auto* edit = Named(new QLineEdit(parent), name, index);
        edit->setFixedWidth(width);
        return edit;
    };
    for (int i = 0; i < 16; ++i) {
        auto* check = Named(new QCheckBox(Q(kCheckCaptions[i])), "Check1", i);
        if (*kCheckTips[i]) check->setToolTip(Q(kCheckTips[i]));
        Check1[static_cast<std::size_t>(i)] = check;
    }

    auto* site = Named(new QGroupBox(Q("관측지"), page), "Frame1", 0);
    auto* site_grid = new QGridLayout(site);
    const char* kAxes[2] = {"위도(도):", "경도(도):"};
    const char* kHemispheres[2] = {"남반구", "서반구"};
    for (int a = 0; a < 2; ++a) {
        site_grid->addWidget(new QLabel(Q(kAxes[a]), site), a, 0);
        for (int k = 0; k < 3; ++k) {
            auto* edit = box(site, "txtObs", 3 * a + k, k == 2 ? 70 : 45);
            txtObs[static_cast<std::size_t>(3 * a + k)] = edit;
            site_grid->addWidget(edit, a, 1 + k);
        }
        chkObs[static_cast<std::size_t>(a)] = Named(new QCheckBox(Q(kHemispheres[a]), site), "chkObs", a);
        site_grid->addWidget(chkObs[static_cast<std::size_t>(a)], a, 4);
    }
    site_grid->addWidget(new QLabel(Q("시간대:"), site), 2, 0);
    txtTZ = Named(new QLineEdit(site), "txtTZ");
    txtTZ->setFixedWidth(60);
    txtTZ->setToolTip(Q("세계 표준시보다 느리면 (-) 부호를 붙여야합니다. 세계  표준시보다 빠르면 부호 없이 입력합니다."));
    site_grid->addWidget(txtTZ, 2, 1, 1, 2);
    site_grid->addWidget(new QLabel(Q("해발고도(m):"), site), 3, 0);
    txtHT = Named(new QLineEdit(site), "txtHT");
    txtHT->setFixedWidth(60);
    txtHT->setToolTip(Q("관측지의 해발고도(m)를 입력합니다."));
    site_grid->addWidget(txtHT, 3, 1, 1, 2);
    ChkCalcHieght = Named(new QCheckBox(Q("고도 보정(출몰시각)"), site), "ChkCalcHieght");
    ChkCalcHieght->setToolTip(Q("해와 달의 출몰시각 계산에 관측지의 해발고도를 반영할지를 결정합니다."));
    site_grid->addWidget(ChkCalcHieght, 3, 3, 1, 2);

    auto* summer = Named(new QGroupBox(Q("일광시간절약제도"), page), "Frame1", 1);
    auto* summer_grid = new QGridLayout(summer);
    const char* kEnds[2] = {"시작:", "종료:"};
    for (int e = 0; e < 2; ++e) {
        summer_grid->addWidget(new QLabel(Q(kEnds[e]), summer), e, 0);
        txtSummer[static_cast<std::size_t>(2 * e)] = box(summer, "txtSummer", 2 * e, 40);
        txtSummer[static_cast<std::size_t>(2 * e + 1)] = box(summer, "txtSummer", 2 * e + 1, 40);
        summer_grid->addWidget(txtSummer[static_cast<std::size_t>(2 * e)], e, 1);
        summer_grid->addWidget(new QLabel(Q("월"), summer), e, 2);
        summer_grid->addWidget(txtSummer[static_cast<std::size_t>(2 * e + 1)], e, 3);
        summer_grid->addWidget(new QLabel(Q("일"), summer), e, 4);
    }
    summer_grid->addWidget(new QLabel(Q("변경 시간:"), summer), 2, 0);
    txtSummer[4] = box(summer, "txtSummer", 4, 40);
    summer_grid->addWidget(txtSummer[4], 2, 1);
    summer_grid->addWidget(new QLabel(Q("시간"), summer), 2, 2);

    auto* display = Named(new QGroupBox(Q("vu 설정"), page), "Frame1", 2);
    auto* display_grid = new QGridLayout(display);
    int row = 0;
    for (int i : {1, 2, 3, 4, 5, 10}) {
        display_grid->addWidget(Check1[static_cast<std::size_t>(i)], row / 2, row % 2, 1, 1);
        ++row;
    }
    row = (row + 1) / 2;
    display_grid->addWidget(new QLabel(Q("출몰시각 계산 정밀도:"), display), row, 0);
    Combo1 = Named(new QComboBox(display), "Combo1");
    for (const char* item : {"매우 높음", "높음", "보통", "낮음"}) Combo1->addItem(Q(item));
    Combo1->setToolTip(Q("출몰 시각 계산의 정밀도를 결정합니다. 정밀도를 낮게 할수록 계산 속도가 빠릅니다. 가장 낮은 "
                         "정밀도를 사용해도 2분 이상의 오차는 없을 것입니다."));
    display_grid->addWidget(Combo1, row++, 1);
    display_grid->addWidget(new QLabel(Q("기념일 표시 방법:"), display), row, 0);
    Combo4 = Named(new QComboBox(display), "Combo4");
    for (const char* item : {"선택한 기념일 모음만 표시", "선택한 모음+기본 모음", "선택한 모음+기본 모음(휴일)",
                             "선택한 모음+기본 모음(휴일, 이름)", "모든 모음을 표시"}) {
        Combo4->addItem(Q(item));
    }
    Combo4->setToolTip(Q("기념일의 표시 방법을 고릅니다."));
    display_grid->addWidget(Combo4, row++, 1);
    display_grid->addWidget(Check1[15], row, 0);
    auto* tide_row = new QHBoxLayout;
    tide_row->addWidget(new QLabel(Q("물때 표시 방법:"), display));
    cmbTidal = Named(new QComboBox(display), "cmbTidal");
    tide_row->addWidget(cmbTidal);
    display_grid->addLayout(tide_row, row++, 1);
    display_grid->addWidget(Check1[12], row, 0);
    display_grid->addWidget(Check1[13], row++, 1);
    auto* ref_row = new QHBoxLayout;
    ref_row->addWidget(new QLabel(Q("기준일:"), display));
    const char* kRefUnits[3] = {"년", "월", "일"};
    for (int k = 0; k < 3; ++k) {
        txtREF[static_cast<std::size_t>(k)] = box(display, "txtREF", k, k == 0 ? 60 : 35);
        ref_row->addWidget(txtREF[static_cast<std::size_t>(k)]);
        ref_row->addWidget(new QLabel(Q(kRefUnits[k]), display));
    }
    ref_row->addSpacing(12);
    ref_row->addWidget(new QLabel(Q("표시 간격:"), display));
    txtSummer[6] = box(display, "txtSummer", 6, 45);
    ref_row->addWidget(txtSummer[6]);
    ref_row->addWidget(new QLabel(Q("일"), display));
    ref_row->addStretch();
    display_grid->addLayout(ref_row, row++, 0, 1, 2);

    auto* rules = Named(new QGroupBox(Q("음력 계산법 설정"), page), "Frame1", 3);
    auto* rules_grid = new QGridLayout(rules);
    rules_grid->addWidget(Check1[0], 0, 0);
    rules_grid->addWidget(Check1[9], 0, 1);
    rules_grid->addWidget(Check1[6], 1, 0);
    rules_grid->addWidget(Check1[7], 1, 1);
    rules_grid->addWidget(Check1[8], 2, 0);
    auto* dt_row = new QHBoxLayout;
    dt_row->addWidget(Check1[11]);
    txtSummer[5] = box(rules, "txtSummer", 5, 50);
    dt_row->addWidget(txtSummer[5]);
    dt_row->addWidget(new QLabel(Q("초"), rules));
    dt_row->addStretch();
    rules_grid->addLayout(dt_row, 2, 1);
    PanelNotes[2] = Named(
        new QLabel(Q("주의: 음양력의 계산법을 자동으로 고르도록 하면 양력으로 618년에서 619년으로 바뀌는 시점과 1280년에서 "
                     "1281년으로 바뀌는 시점에서 음력 날짜가 불연속적으로 이어지는 현상이 생깁니다. 이는 계산 방법의 "
                     "변화에 따라 나타나는 현상인데, 이 때에는 전년도(618년과 1280년)의 12월의 음력 날짜를 참고하여 "
                     "음력 날짜를 정하면 됩니다."),
                   rules),
        "PanelNote", 2);
    PanelNotes[2]->setWordWrap(true);
    rules_grid->addWidget(PanelNotes[2], 3, 0, 1, 2);

    auto* looks = Named(new QGroupBox(Q("vu 모양 설정"), page), "Frame1", 4);
    auto* looks_grid = new QGridLayout(looks);
    PanelNotes[1] = Named(new QLabel(Q("*해당 부분을 클릭하면 글꼴을 바꿀 수 있습니다."), looks), "PanelNote", 1);
    looks_grid->addWidget(PanelNotes[1], 0, 0, 1, 3);
    LBColor = Named(new QLabel(Q("요일 표시"), looks), "LBColor");
    looks_grid->addWidget(LBColor, 1, 0);
    for (int i = 0; i < 5; ++i) {
        auto* sample = Named(new QLabel(Q(kSampleTexts[i]), looks), "LColor", i);
        LColor[static_cast<std::size_t>(i)] = sample;
        looks_grid->addWidget(sample, 1 + (i + 1) / 3, (i + 1) % 3);
    }
    for (QLabel* sample : std::initializer_list<QLabel*>{LBColor, LColor[0], LColor[1], LColor[2], LColor[3], LColor[4]}) {
        sample->setCursor(Qt::PointingHandCursor);
        sample->setFrameShape(QFrame::Box);
        sample->setAlignment(Qt::AlignCenter);
        sample->installEventFilter(this);
    }
    Command4[0] = Named(new QPushButton(Q("강조 배경색"), looks), "Command4", 0);
    Command4[1] = Named(new QPushButton(Q("강조 글꼴색"), looks), "Command4", 1);
    looks_grid->addWidget(Command4[0], 3, 0);
    looks_grid->addWidget(Command4[1], 3, 1);
    looks_grid->addWidget(Check1[14], 3, 2);

    auto* files = new QWidget(page);
    auto* files_row = new QHBoxLayout(files);
    cmdFile[0] = Named(new QPushButton(Q("설정 파일 불러오기"), files), "cmdFile", 0);
    cmdFile[1] = Named(new QPushButton(Q("설정 파일 저장하기"), files), "cmdFile", 1);
    PanelNotes[0] =
        Named(new QLabel(Q("*설정 파일을 열거나 저장하면 기념일도 같이 열리거나 저장됩니다."), files), "PanelNote", 0);
    // The note wraps under a narrow window rather than widen the page.
    PanelNotes[0]->setWordWrap(true);
    files_row->addWidget(cmdFile[0]);
    files_row->addWidget(cmdFile[1]);
    files_row->addWidget(PanelNotes[0]);
    files_row->addStretch();

    settings_groups_ = {site, summer, looks, display, rules, files};
    for (QWidget* group : settings_groups_) grid->addWidget(group);
    settings_one_column_ = true;
    ArrangeSettingsPage(std::numeric_limits<int>::max());
    two_columns_width_ = grid->minimumSize().width();
    SettingsScroll->setWidget(page);

    for (QLineEdit* edit : txtObs) ui::SelectAllOnFocus(*edit);
    for (QLineEdit* edit : txtREF) ui::SelectAllOnFocus(*edit);
    for (QLineEdit* edit : txtSummer) ui::SelectAllOnFocus(*edit);
    ui::SelectAllOnFocus(*txtTZ);
    for (const PanelGroup& group : PanelGroups()) {
        for (QLineEdit* edit : group.boxes) {
            connect(edit, &QLineEdit::editingFinished, this,
                    [this, edit] { Run([this, edit] { CheckPanelFields(edit); }); });
        }
    }
    for (int i = 0; i < 2; ++i) {
        connect(Command4[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { Command4_Click(i); });
        connect(cmdFile[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdFile_Click(i); });
    }
}

void Form1::ArrangeSettingsPage(int width) {
    // Two columns only where they fit beside a scroll bar, so a page that
    // scrolls down never scrolls sideways as well.
    const int bar = SettingsScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, SettingsScroll);
    const bool one = width - bar < two_columns_width_;
    if (one == settings_one_column_) return;
    settings_one_column_ = one;
    auto* grid = static_cast<QGridLayout*>(settings_groups_.front()->parentWidget()->layout());
    for (QWidget* group : settings_groups_) grid->removeWidget(group);
    // The row under the last group in one column takes what height is left.
    const int one_column_end = static_cast<int>(settings_groups_.size());
    if (one) {
        // The right column goes under the left, in reading order.
        for (int row = 0; row < one_column_end; ++row)
            grid->addWidget(settings_groups_[static_cast<std::size_t>(row)], row, 0);
        grid->setRowStretch(4, 0);
        grid->setRowStretch(one_column_end, 1);
    } else {
        const auto& g = settings_groups_;  // site, summer, looks, display, rules, files
        grid->addWidget(g[0], 0, 0);
        grid->addWidget(g[1], 1, 0);
        grid->addWidget(g[2], 2, 0);
        grid->addWidget(g[3], 0, 1, 2, 1);
        grid->addWidget(g[4], 2, 1);
        grid->addWidget(g[5], 3, 0, 1, 2);
        grid->setRowStretch(one_column_end, 0);
        grid->setRowStretch(4, 1);
    }
}

std::vector<Form1::PanelGroup> Form1::PanelGroups() {
    const FieldRange degrees_lat = Field(calendar::kLatitudeRange), degrees_lon = Field(calendar::kLongitudeRange);
    const FieldRange sixty{0, 60, false, true};
    const FieldRange month{1, 12, true}, day{1, 31, true};
    // Degrees, minutes and seconds, the whole angle within the degrees' range.
    const auto angle = [sixty](const std::vector<std::optional<double>>& v, const FieldRange& degrees) {
        if (!InRange(v[0], degrees) || !InRange(v[1], sixty) || !InRange(v[2], sixty)) return false;
        return std::fabs(*v[0]) + *v[1] / 60 + *v[2] / 3600 <= degrees.high;
    };
    return {
        {{txtObs[0], txtObs[1], txtObs[2]}, kLatitudeMessage,
         [=](const std::vector<std::optional<double>>& v) { return angle(v, degrees_lat); }},
        {{txtObs[3], txtObs[4], txtObs[5]}, kLongitudeMessage,
         [=](const std::vector<std::optional<double>>& v) { return angle(v, degrees_lon); }},
        {{txtTZ}, kZoneMessage,
         [](const std::vector<std::optional<double>>& v) { return InRange(v[0], Field(calendar::kZoneRange)); }},
        {{txtHT}, kHeightMessage,
         [](const std::vector<std::optional<double>>& v) { return InRange(v[0], Field(calendar::kHeightRange)); }},
        {{txtREF[0], txtREF[1], txtREF[2]}, kBaseMessage,
         [=](const std::vector<std::optional<double>>& v) {
             return InRange(v[0], FieldRange{kFirstYear, kLastYear, true}) && InRange(v[1], month) &&
                    InRange(v[2], day);
         }},
        {{txtSummer[0], txtSummer[1], txtSummer[2], txtSummer[3], txtSummer[4]}, kSummerMessage,
         [=](const std::vector<std::optional<double>>& v) {
             return InRange(v[0], month) && InRange(v[1], day) && InRange(v[2], month) && InRange(v[3], day) &&
                    InRange(v[4], Field(calendar::kSummerOffsetRange));
         }},
    };
}

bool Form1::CheckPanelFields(const QLineEdit* only) {
    if (checking_panel_) return true;
    checking_panel_ = true;
    bool all_good = true;
    for (const PanelGroup& group : PanelGroups()) {
        if (only && std::find(group.boxes.begin(), group.boxes.end(), only) == group.boxes.end()) continue;
        // Before the settings were first shown there is nothing to check.
        if (!group.boxes.front()->property(kGoodText).isValid()) continue;
        std::vector<std::optional<double>> values;
        for (const QLineEdit* box : group.boxes) values.push_back(StrictNumber(box->text()));
        if (group.fits(values)) {
            for (QLineEdit* box : group.boxes) box->setProperty(kGoodText, box->text());
            continue;
        }
        all_good = false;
        // The good texts go back before the message, so a check that runs
        // while it is open finds nothing to say.
        for (QLineEdit* box : group.boxes) {
            const QVariant good = box->property(kGoodText);
            if (good.isValid()) box->setText(good.toString());
        }
        platform::MsgBox(group.message, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, "vu");
    }
    checking_panel_ = false;
    return all_good;
}

void Form1::RememberPanelFields() {
    // A value the settings file brought from outside its range (a hand-made
    // file) has no good text to go back to: the default's stands in.
    const calendar::CalendarSettings defaults;
    const auto dms = [](double angle) {
        const std::array<std::string, 3> texts = DmsTexts(angle);
        return std::vector<std::string>(texts.begin(), texts.end());
    };
    double y = 0, m = 0, d = 0, h = 0, mi = 0, sec = 0;
    calendar::JDToCalendar(defaults.Base, y, m, d, h, mi, sec);
    const std::vector<std::vector<std::string>> fallback = {
        dms(defaults.LAT),
        dms(defaults.LON),
        {TypedNumberText(defaults.TZ)},
        {TypedNumberText(defaults.ObsHT)},
        {TrimNum(y), TrimNum(m), TrimNum(d)},
        {defaults.S1, defaults.S2, defaults.S3, defaults.S4, TypedNumberText(defaults.FH)},
    };
    const std::vector<PanelGroup> groups = PanelGroups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::vector<std::optional<double>> values;
        for (const QLineEdit* box : groups[g].boxes) values.push_back(StrictNumber(box->text()));
        const bool fits = groups[g].fits(values);
        for (std::size_t k = 0; k < groups[g].boxes.size(); ++k) {
            QLineEdit* box = groups[g].boxes[k];
            box->setProperty(kGoodText, fits ? box->text() : Q(fallback[g][k]));
        }
    }
}

void Form1::ReadFormSettings() {
    CheckPanelFields(nullptr);
    calendar::CalendarState& state = calendar::Calendar();
    calendar::CalendarSettings& cs = state.settings;
    const auto checked = [this](int i) { return Check1[static_cast<std::size_t>(i)]->isChecked(); };
    const auto angle = [this](std::size_t first) {
        const QLineEdit* d = txtObs[first];
        const QLineEdit* m = txtObs[first + 1];
        const QLineEdit* sec = txtObs[first + 2];
        if (Untouched(d) && Untouched(m) && Untouched(sec)) return ShownNumber(d);
        return Number(d) + Number(m) / 60 + Number(sec) / 3600;
    };
    cs.LAT = angle(0);
    cs.LON = angle(3);
    if (chkObs[0]->isChecked()) cs.LAT = -cs.LAT;
    if (chkObs[1]->isChecked()) cs.LON = -cs.LON;
    cs.TZ = ShownNumber(txtTZ);
    cs.FH = ShownNumber(txtSummer[4]);
    cs.Islam = checked(1);
    cs.S1 = ui::StdText(txtSummer[0]->text());
    cs.S2 = ui::StdText(txtSummer[1]->text());
    cs.S3 = ui::StdText(txtSummer[2]->text());
    cs.S4 = ui::StdText(txtSummer[3]->text());
    calendar::UpdateSummerDays(state);
    cs.ShowRST = checked(3);
    cs.Astro = checked(4);
    cs.SDay = checked(5);
    cs.RefKR = checked(0);
    cs.Today = checked(2);
    cs.RSP = static_cast<std::int16_t>(std::max(0, Combo1->currentIndex()) + 1);
    cs.DispType = static_cast<std::uint8_t>(std::max(0, Combo4->currentIndex()));
    cs.MeanSun = checked(6);
    cs.MeanMoon = checked(7);
    cs.Jinsak = checked(8);
    cs.Auto = checked(9);
    cs.AutoSize = checked(10);
    cs.DT = checked(11);
    cs.Jan1 = checked(12);
    cs.BaseJD = checked(13);
    cs.SDALL = checked(14);
    // The interval keeps its last value while the field holds no number.
    if (const std::optional<double> gap = StrictNumber(txtSummer[6]->text())) {
        cs.DispGap = static_cast<std::int16_t>(std::clamp(std::trunc(*gap), 1.0, static_cast<double>(kLargestGap)));
    }
    cs.Base = calendar::JulianDay(Number(txtREF[0]), Number(txtREF[1]), Number(txtREF[2]), 12);
    cs.CalcOBSHT = ChkCalcHieght->isChecked();
    cs.ObsHT = ShownNumber(txtHT);
    cs.dTValue = ui::StdText(txtSummer[5]->text());
    cs.Tidal = static_cast<std::int16_t>(std::max(0, cmbTidal->currentIndex()));
    if (!checked(15)) cs.Tidal = 0;
    ApplyEraRules(state);
}

void Form1::ShowSettings() {
    calendar::CalendarState& state = calendar::Calendar();
    calendar::CalendarSettings& cs = state.settings;
    const auto check = [this](int i, bool on) { Check1[static_cast<std::size_t>(i)]->setChecked(on); };
    chkObs[0]->setChecked(cs.LAT < 0);
    chkObs[1]->setChecked(cs.LON < 0);
    const auto split = [this](double angle, std::size_t first) {
        const std::array<std::string, 3> texts = DmsTexts(angle);
        for (std::size_t k = 0; k < 3; ++k) ShowValue(*txtObs[first + k], texts[k], k == 0 ? std::fabs(angle) : 0);
    };
    split(cs.LAT, 0);
    split(cs.LON, 3);
    ShowValue(*txtTZ, TypedNumberText(cs.TZ), cs.TZ);
    ShowValue(*txtSummer[4], TypedNumberText(cs.FH), cs.FH);
    check(1, cs.Islam);
    txtSummer[0]->setText(Q(cs.S1));
    txtSummer[1]->setText(Q(cs.S2));
    txtSummer[2]->setText(Q(cs.S3));
    txtSummer[3]->setText(Q(cs.S4));
    check(3, cs.ShowRST);
    check(4, cs.Astro);
    check(5, cs.SDay);
    check(0, cs.RefKR);
    check(2, cs.Today);
    // Values a hand-edited file may hold beyond the lists: the nearest item.
    cs.RSP = static_cast<std::int16_t>(std::clamp<int>(cs.RSP, 1, kRspItems));
    Combo1->setCurrentIndex(cs.RSP - 1);
    if (cs.DispType >= kDisplayModes) cs.DispType = 0;
    Combo4->setCurrentIndex(cs.DispType);
    check(6, cs.MeanSun);
    check(7, cs.MeanMoon);
    check(8, cs.Jinsak);
    check(9, cs.Auto);
    check(10, cs.AutoSize);
    check(11, cs.DT);
    txtSummer[5]->setText(Q(cs.dTValue));
    check(12, cs.Jan1);
    check(13, cs.BaseJD);
    check(14, cs.SDALL);
    cs.DispGap = std::max<std::int16_t>(1, cs.DispGap);
    txtSummer[6]->setText(Q(TrimNum(cs.DispGap)));
    double y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0;
    calendar::JDToCalendar(cs.Base, y, m, d, h, mi, s);
    txtREF[0]->setText(Q(TrimNum(y)));
    txtREF[1]->setText(Q(TrimNum(m)));
    txtREF[2]->setText(Q(TrimNum(d)));
    ChkCalcHieght->setChecked(cs.CalcOBSHT);
    ShowValue(*txtHT, TypedNumberText(cs.ObsHT), cs.ObsHT);
    for (int k = 1; k <= 5; ++k) ShowSample(*LColor[static_cast<std::size_t>(k - 1)], k);
    ShowSample(*LBColor, 0);
    ShowEmphasisSample();
    if (cs.SDCAT > 2) cs.SDCAT = 0;
    SetMenuChecks();
    if (cs.Tidal < 0 || cs.Tidal >= kTideStyles) cs.Tidal = 0;
    cmbTidal->setCurrentIndex(cs.Tidal);
    check(15, cs.Tidal != 0);
    RememberPanelFields();
}

void Form1::SetMenuChecks() {
    for (QAction* item : mnuCelSub) item->setChecked(false);
    mnuCelSub[std::min<std::size_t>(calendar::Calendar().settings.SDCAT, 2)]->setChecked(true);
}

void Form1::ShowSample(QLabel& sample, int slot) {
    const calendar::CalFontSlot& f = calendar::Calendar().fonts[static_cast<std::size_t>(slot)];
    QFont font(Q(f.name));
    font.setPointSizeF(std::max(1, f.size));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikethrough);
    sample.setFont(font);
}

void Form1::ShowEmphasisSample() {
    const calendar::CalendarState& state = calendar::Calendar();
    QPalette palette = LColor[1]->palette();
    palette.setColor(QPalette::WindowText, QtColour(state.fonts[2].colour));
    palette.setColor(QPalette::Window, QtColour(state.settings.HCol));
    LColor[1]->setAutoFillBackground(true);
    LColor[1]->setPalette(palette);
}

void Form1::FontPicker(int slot, QLabel& sample, const std::string& title) {
    calendar::CalFontSlot& f = calendar::Calendar().fonts[static_cast<std::size_t>(slot)];
    const platform::FontSpec initial{f.name, static_cast<double>(f.size), f.bold, f.italic, f.underline,
                                     f.strikethrough};
    const std::optional<platform::FontSpec> chosen = platform::Env().fonts->Show(initial, title);
    if (!chosen) return;
    f.name = chosen->name;
    // Halves to even, as the slot's whole points are stored.
    f.size = static_cast<std::int32_t>(std::nearbyint(chosen->size_pt));
    f.bold = chosen->bold;
    f.italic = chosen->italic;
    f.underline = chosen->underline;
    f.strikethrough = chosen->strikethru;
    ShowSample(sample, slot);
    QFont font = sample.font();
    font.setPointSizeF(chosen->size_pt);
    sample.setFont(font);
}

void Form1::LBColor_Click() {
    Run([this] { FontPicker(0, *LBColor, ""); });
}

void Form1::LColor_Click(int index) {
    Run([this, index] {
        if (index < 0 || index > 4) return;
        FontPicker(index + 1, *LColor[static_cast<std::size_t>(index)], "글꼴 설정");
    });
}

void Form1::Command4_Click(int index) {
    Run([this, index] {
        calendar::CalendarState& state = calendar::Calendar();
        if (index == 0) {
            const auto chosen = platform::Env().colours->Show(static_cast<platform::Colour>(state.settings.HCol),
                                                              "강조 색상 설정-배경");
            if (!chosen) return;
            state.settings.HCol = static_cast<std::int32_t>(*chosen);
        } else {
            const auto chosen = platform::Env().colours->Show(static_cast<platform::Colour>(state.fonts[2].colour),
                                                              "강조 색상 설정-글꼴");
            if (!chosen) return;
            state.fonts[2].colour = static_cast<std::int32_t>(*chosen);
        }
        ShowEmphasisSample();
    });
}

}  // namespace vu
