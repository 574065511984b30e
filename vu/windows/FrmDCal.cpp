#include "vu/windows/FrmDCal.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdint>
#include <optional>

#include "almanac/LunarCalendar.h"
#include "astro/AngleMath.h"
#include "astro/DateText.h"
#include "astro/DeltaT.h"
#include "astro/JulianDay.h"
#include "astro/TextFormat.h"
#include "calendar/CalendarState.h"
#include "calendar/DayNames.h"
#include "calendar/IslamicDayText.h"
#include "calendar/Nutation.h"
#include "calendar/RiseSet.h"
#include "calendar/SunMoonPosition.h"
#include "calendar/SunMoonSolvers.h"
#include "calendar/TideAndGanzhi.h"
#include "calendar/VuCalendarServices.h"
#include "platform/Guard.h"
#include "ui/ToolControls.h"
#include "ui/WrappedText.h"
#include "vu/grid/CellText.h"
#include "vu/grid/YearCycle.h"
#include "vu/windows/ReferenceZone.h"

namespace vu {
namespace {

using ui::Named;
using ui::QText;
using astro::NumberText;
using astro::PlainNumberText;

constexpr const char* kStemsHangul[10] = {"갑", "을", "병", "정", "무", "기", "경", "신", "임", "계"};
constexpr const char* kStemsHanja[10] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
constexpr const char* kBranchesHangul[12] = {"자", "축", "인", "묘", "진", "사", "오", "미", "신", "유", "술", "해"};
constexpr const char* kBranchesHanja[12] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
// The 28 lunar mansions; 저 and 자 stay in hangul among the hanja (氐 and 觜
// are not in code page 949).
constexpr const char* kMansionsHangul[28] = {"각", "항", "저", "방", "심", "미", "기", "두", "우", "녀",
                                             "허", "위", "실", "벽", "규", "루", "위", "묘", "필", "자",
                                             "삼", "정", "귀", "류", "성", "장", "익", "진"};
constexpr const char* kMansionsHanja[28] = {"角", "亢", "저", "房", "心", "尾", "箕", "斗", "牛", "女",
                                            "虛", "危", "室", "壁", "奎", "婁", "胃", "昴", "畢", "자",
                                            "參", "井", "鬼", "柳", "星", "張", "翼", "軫"};
constexpr const char* kWeekdays[7] = {"일", "월", "화", "수", "목", "금", "토"};

constexpr double kSunRiseAltitude_deg = -0.8333;
constexpr double kMoonRiseAltitude_deg = 0.125;
constexpr double kIslamicEpochNoon = 1948440;
constexpr int kKeypadPlus = 107;
constexpr int kKeypadMinus = 109;
// The special days take up to this many lines before they scroll.
constexpr int kMostDayNameLines = 8;
constexpr double kPi = 3.14159265358979;
constexpr double kRadPerDeg = kPi / 180;

int FloorMod(double n, int m) {
    const double r = std::fmod(std::floor(n), static_cast<double>(m));
    return static_cast<int>(r < 0 ? r + m : r);
}

struct RiseRow {
    int label;
    const char* prefix;
    std::uint8_t body;
    double h0_deg;
    bool twilight;
    bool height_corrected;
    bool angles;
};

constexpr RiseRow kRiseRows[] = {
    {6, "*해의 출몰 시각   ", calendar::kRiseSetSun, kSunRiseAltitude_deg, false, false, true},
    {7, "*달의 출몰 시각   ", calendar::kRiseSetMoon, kMoonRiseAltitude_deg, false, false, true},
    {13, "*해의 출몰 시각   ", calendar::kRiseSetSun, kSunRiseAltitude_deg, false, true, true},
    {12, "*달의 출몰 시각   ", calendar::kRiseSetMoon, kMoonRiseAltitude_deg, false, true, true},
    {8, "*시민 박명 시각   ", calendar::kRiseSetSun, -6, true, false, false},
    {9, "*항해 박명 시각   ", calendar::kRiseSetSun, -12, true, false, false},
    {10, "*천문 박명 시각   ", calendar::kRiseSetSun, -18, true, false, false},
};

}  // namespace

double& DetailJD() {
    static double jd = 0;
    return jd;
}

std::string SexagenaryName(int n) {
    return std::string(kStemsHangul[n % 10]) + kBranchesHangul[n % 12] + "(" + kStemsHanja[n % 10] +
           kBranchesHanja[n % 12];
}

std::string MakeSDStr2(double jd) { return calendar::DayNamesText(calendar::Calendar(), jd, calendar::kAllDayNameSources); }

double EqTime(double jd_ut) {
    const calendar::DeltaTRule rule = calendar::DeltaTRuleOf(calendar::Calendar().settings);
    const double eps = astro::MeanObliquity(jd_ut) * kRadPerDeg;
    const double jde = calendar::CalcJDE(jd_ut, rule);
    calendar::EclipticRecord earth{jde, 0, 0, 0, calendar::kCallerEarth};
    calendar::SunMoonEcliptic(earth);
    const double lambda = earth.lon_rad + kPi;
    const double beta = -earth.lat_rad;
    const double alpha = astro::Norm360(
        astro::Atan2D(std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps), std::cos(lambda)));
    const double tau = (jde - 2451545) / 365250;
    const double l0 = astro::Norm360(280.4664567 + 360007.6982779 * tau + 0.03032028 * tau * tau +
                                     std::pow(tau, 3) / 49931 - std::pow(tau, 4) / 15300 -
                                     std::pow(tau, 5) / 2000000);
    double dpsi_arcsec = 0, deps_arcsec = 0;
    calendar::Nutation(jde, dpsi_arcsec, deps_arcsec);
    double e = astro::Norm360(l0 - 0.0057183 - alpha + dpsi_arcsec / 3600 * std::cos(eps));
    if (e > 180) e -= 360;
    return e;
}

double GetMoonAge(double jd, double zone_h) {
    const calendar::DeltaTRule rule = calendar::DeltaTRuleOf(calendar::Calendar().settings);
    // Each search moves 28 days; a few suffice, the bound keeps a solver
    // that gives no number from looping for ever.
    constexpr int kMostSearches = 64;
    double d = jd;
    double f = 0;
    int searches = 0;
    do {
        f = calendar::LunarPhaseTime(d, 0, zone_h, rule);
        d -= 28;
    } while (!(jd >= f) && ++searches < kMostSearches);
    while (jd - f >= 30 && ++searches < kMostSearches) {
        f = calendar::LunarPhaseTime(d, 0, zone_h, rule);
        d += 28;
    }
    return jd - f;
}

FrmDCal::FrmDCal(QWidget* owner) : QDialog(owner) {
    setObjectName("FrmDCal");
    setWindowTitle(QText("자세히.."));
    struct Design {
        const char* caption;
        const char* tip;
    };
    const Design design[16] = {
        {"그레고리력", "그레고리력입니다."},
        {"단기/불기", nullptr},
        {"올해 1월1일로부터 0일째", nullptr},
        {"일진/28수", "일진과 28수"},
        {"기준일로부터 0일째", nullptr},
        {"월령, 위상, 균시차, dT", nullptr},
        {"일출몰시각", nullptr},
        {"월출몰시각", nullptr},
        {"시민박명시각", nullptr},
        {"항해박명시각", nullptr},
        {"천문박명시각", nullptr},
        {"월령, 위상, 균시차, dT", nullptr},
        {"월출몰시각", nullptr},
        {"일출몰시각", nullptr},
        {"고도보정 이전(해발고도 0m 기준)", nullptr},
        {"고도보정 이후(해발고도 000m 기준)", nullptr},
    };
    const QFont gulim(QText("굴림"));
    const QFont gulim_fixed(QText("굴림체"));
    for (int i = 0; i < 16; ++i) {
        LblDay[i] = Named(new QLabel(QText(design[i].caption), this), "LblDay", i);
        if (design[i].tip) LblDay[i]->setToolTip(QText(design[i].tip));
        const bool rise_row = (i >= 6 && i <= 10) || i == 12 || i == 13;
        LblDay[i]->setFont(rise_row ? gulim_fixed : gulim);
    }
    LCal1[0] = Named(new QLabel(QText("음력/월건:"), this), "LCal1", 0);
    LCal1[1] = Named(new QLabel(QText("이슬람력:"), this), "LCal1", 1);
    // A name written without blanks wraps anywhere, and a long list scrolls,
    // so the window stays within the screen.
    LSD = Named(new ui::WrappedLabel(QText("기념일"), this), "LSD");
    for (QLabel* label : {LCal1[0], LCal1[1]}) label->setFont(gulim);
    LSD->setFont(gulim);

    auto* layout = new QVBoxLayout(this);
    auto* dates = new QGroupBox(this);
    auto* dates_layout = new QVBoxLayout(dates);
    QFont first_line = gulim;
    first_line.setBold(true);
    LblDay[0]->setFont(first_line);
    for (QLabel* label : {LblDay[0], LblDay[1], LblDay[3], LCal1[0], LCal1[1], LblDay[2], LblDay[4]})
        dates_layout->addWidget(label);
    layout->addWidget(dates);

    auto* days = Named(new QGroupBox(QText("기념일"), this), "Frame1", 0);
    auto* days_layout = new QVBoxLayout(days);
    LSDScroller = new ui::WrappedLabelScroller(LSD, kMostDayNameLines, days);
    days_layout->addWidget(LSDScroller);
    layout->addWidget(days);

    auto* sky = new QGroupBox(this);
    auto* sky_layout = new QVBoxLayout(sky);
    for (const int i : {14, 6, 7, 15, 13, 12, 8, 9, 10, 11, 5}) sky_layout->addWidget(LblDay[i]);
    layout->addWidget(sky);

    auto* buttons = new QHBoxLayout;
    Command2[0] = Named(new QPushButton(QText("<이전"), this), "Command2", 0);
    Command2[1] = Named(new QPushButton(QText("다음>"), this), "Command2", 1);
    CmdOK = Named(new QPushButton(QText("닫기(&C)"), this), "CmdOK");
    for (QPushButton* button : {Command2[0], Command2[1]})
        button->setToolTip(QText("+, -키로 다음날, 전날로 옮겨갈 수 있습니다."));
    buttons->addWidget(Command2[0]);
    buttons->addWidget(Command2[1]);
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    layout->addLayout(buttons);

    for (int index = 0; index < 2; ++index) {
        connect(Command2[index], &QPushButton::clicked, this, [this, index] {
            platform::Guard([&] {
                DetailJD() += index == 1 ? 1 : -1;
                ShowDayInfo();
            });
        });
    }
    connect(CmdOK, &QPushButton::clicked, this, [this] { close(); });
    // The keypad steps the day whatever in the window has the focus, the
    // window itself included.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);

    platform::Guard([this] { ShowDayInfo(); });
}

bool FrmDCal::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool keypad = key->modifiers() & Qt::KeypadModifier;
    int code = key->key();
    if (keypad && key->key() == Qt::Key_Plus) code = kKeypadPlus;
    if (keypad && key->key() == Qt::Key_Minus) code = kKeypadMinus;
    const bool step = code == kKeypadPlus || code == kKeypadMinus;
    const bool button = watched == Command2[0] || watched == Command2[1] || watched == CmdOK;
    // A step is taken here, once: a key no child takes goes on to its
    // parents, which would step again.
    if (step || button) platform::Guard([&] { StepDayByKey(code); });
    return step || QDialog::eventFilter(watched, event);
}

void FrmDCal::StepDayByKey(int key_code) {
    if (key_code == kKeypadPlus) DetailJD() += 1;
    if (key_code == kKeypadMinus) DetailJD() -= 1;
    ShowDayInfo();
}

void FrmDCal::ShowDayInfo() {
    const calendar::CalendarState& state = calendar::Calendar();
    const calendar::CalendarSettings& s = state.settings;
    const calendar::DeltaTRule rule = calendar::DeltaTRuleOf(s);
    const double jd = DetailJD();
    double y, m, d, h, mi, sec;
    calendar::JDToCalendar(jd, y, m, d, h, mi, sec);
    const double j0 = astro::RoundToHalf(jd);
    const double jn = calendar::JulianDay(y, m, d, 12);

    DetailZone = calendar::ZoneInForce(state, jd);

    const std::string era = y >= 1 ? "후" + NumberText(y) : "전" + NumberText(std::fabs(y) + 1);
    LblDay[0]->setText(QText("서력 기원" + era + "년" + NumberText(m) + "월" + NumberText(d) + "일 " +
                             kWeekdays[FloorMod(j0 + 1.5, 7)] + "요일"));
    LblDay[0]->setToolTip(QText("율리우스력/그레고리력, 정오 때의 JD: " + PlainNumberText(j0 + 0.5)));

    LblDay[1]->setText(QText("단기 " + NumberText(y + 2333) + "년  불기 " + NumberText(y + 544) + "년  " +
                             SexagenaryName(FloorMod(y + 4736, 60)) + ")년"));

    const int mansion = FloorMod(jn + 11, 28);
    LblDay[3]->setText(QText("일진/28수: " + SexagenaryName(FloorMod(jn + 49, 60)) + ")/" +
                             kMansionsHangul[mansion] + "(" + kMansionsHanja[mansion] + ")"));

    LSD->setText(QText(MakeSDStr2(jd)));
    LSDScroller->updateGeometry();
    LblDay[15]->setText(QText("고도보정 이후(해발고도 " + astro::FormatDigitPattern(s.ObsHT, "0.0") + "m 기준)"));

    for (const RiseRow& row : kRiseRows) {
        LblDay[row.label]->setText(QText(std::string(row.prefix) +
                                         calendar::RiseSetTwilight(s.LON, s.LAT, j0, DetailZone, row.h0_deg, row.body, s.RSP,
                                                         row.twilight, row.height_corrected, row.angles, s.ObsHT,
                                                         rule)));
    }

    double ra = 0, dec = 0;
    float fraction = 0;
    calendar::SunMoonRaDec(calendar::kRaDecMoon, j0 + DetailZone / 24, DetailZone, ra, dec, fraction, rule);
    const double age = GetMoonAge(j0, DetailZone);
    LblDay[11]->setText(QText("*달의 위상(" + TrimNum(DetailZone) + "시): " +
                              PlainNumberText(std::nearbyint(fraction * 100.0)) + "%     *월령(0시): " +
                              astro::FormatDigitPattern(age, "0.00") + "일"));

    const double e = EqTime(j0 - DetailZone / 24);
    const double delta_t = (calendar::CalcJDE(jd, rule) - jd) * 86400;
    LblDay[5]->setText(QText("*균시차(0시): " + astro::FormatDigitPattern(e * 4, "0.00") + "분     *dT(0시): " +
                             astro::FormatDigitPattern(delta_t, "0.0") + "초"));

    ShowDayCalendars();
}

void FrmDCal::ShowDayCalendars() {
    const calendar::CalendarState& state = calendar::Calendar();
    const calendar::CalendarSettings& s = state.settings;
    const double jn = astro::RoundToHalf(DetailJD()) + 0.5;

    if (s.RefKR) DetailZone = KoreanReferenceZone(state.CalYear);
    const almanac::ZoneRule zone = s.RefKR ? ReferenceZone(s) : almanac::ZoneRule(DetailZone);
    const std::optional<almanac::LunarDate> lunar =
        almanac::SolarToLunar(jn, zone, RulesOf(s), calendar::CalendarServicesOfVu(calendar::DeltaTRuleOf(s)));
    if (lunar) {
        std::string month_name = calendar::GetWolgeon(static_cast<std::int16_t>(lunar->year),
                                            static_cast<std::int16_t>(lunar->month), lunar->leap ? calendar::kTrue : 0);
        if (month_name.empty()) month_name = "없음";
        const std::string era = lunar->year < 1 ? "음력: 기원전" + PlainNumberText(std::abs(lunar->year) + 1)
                                                : "음력: 기원후" + PlainNumberText(lunar->year);
        LCal1[0]->setText(QText(era + "년 (" + (lunar->leap ? "윤) " : "평) ") + PlainNumberText(lunar->month) +
                                "월 " + PlainNumberText(lunar->day) + "일 / 월건: " + month_name));
    } else {
        LCal1[0]->setText(QString());
    }

    LCal1[1]->setText(QText(jn >= kIslamicEpochNoon ? "이슬람력: " + calendar::IslamicDateText(jn)
                                                    : "이슬람력: 이슬람력이 시행되기 이전입니다."));

    const double g = DayDiff(jn, s.Base);
    const std::string base = calendar::FormatDateKorean(s.Base);
    std::string count;
    if (g == 1)
        count = "오늘은 " + base + " 당일입니다.";
    else if (g > 1)
        count = "오늘은 " + base + "로부터 " + TrimNum(g) + "일째입니다.";
    else
        count = base + "까지 " + TrimNum(std::fabs(g)) + "일 남았습니다.";
    LblDay[4]->setText(QText(std::string(astro::TrimBlanks(count))));

    const double day_of_year = DayDiff(jn, calendar::JulianDay(calendar::YearOfJD(jn), 1, 1, 12));
    LblDay[2]->setText(QText("오늘은 이번 해의 " + TrimNum(day_of_year) + "번째 날입니다."));
}

}  // namespace vu
