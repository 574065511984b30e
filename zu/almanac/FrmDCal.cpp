#include "zu/almanac/FrmDCal.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <string>

#include "almanac/IslamicCalendar.h"
#include "almanac/LunarCalendar.h"
#include "almanac/SkyCalendarServices.h"
#include "astro/AngleMath.h"
#include "astro/ApparentSidereal.h"
#include "astro/Coordinates.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "astro/RiseSet.h"
#include "astro/SunMoonEvents.h"
#include "astro/TextFormat.h"
#include "skydata/Constellations.h"
#include "skydata/Settings.h"
#include "skydata/StartupTables.h"
#include "ui/ToolControls.h"
#include "zu/almanac/WindowSupport.h"

namespace zu {
namespace {

constexpr const char* kWeekdays[7] = {"일", "월", "화", "수", "목", "금", "토"};
constexpr int kPictureWidth_px = 432;
constexpr int kPictureHeight_px = 162;
constexpr int kDiagramStep = 5;          // 20 minutes in 4-minute units
constexpr int kMoonAgeSearchLimit = 12;  // lunations tried before giving up
constexpr platform::Colour kSunPathColour = platform::Rgb(255, 255, 0);
constexpr platform::Colour kMoonPathColour = platform::Rgb(0, 192, 192);
constexpr platform::Colour kGridColour = platform::Rgb(128, 128, 128);

enum Event { kAstroDawn, kNauticalDawn, kCivilDawn, kCivilDusk, kNauticalDusk, kAstroDusk, kSunrise, kSunset };

// "뜸: 07시 36분", or "뜸:  --" for an event that does not happen.
std::string EventText(const char* name, double hours) {
    if (hours < 0) return std::string(name) + "  --";
    return std::string(name) + " " + astro::FormatClockKorean(astro::Norm360(hours * 15), 0);
}

std::string StemBranch(int n, bool hanja) {
    const std::size_t stem = static_cast<std::size_t>(n % 10), branch = static_cast<std::size_t>(n % 12);
    return hanja ? std::string(skydata::StemHanja[stem]) + std::string(skydata::BranchHanja[branch])
                 : std::string(skydata::StemNames[stem]) + std::string(skydata::BranchNames[branch]);
}

double SunAltitude(double jd_local) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    double ra = 0, dec = 0, az = 0, alt = 0;
    astro::SunTopocentricRaDec(jd_local, astro::CurrentSite(), ra, dec);
    astro::EquatorialToHorizontal(ra, dec, astro::CalcLST(jd_local, s.lon, s.timezone), s.lat, az, alt);
    return alt;
}

QString ColourStyle(std::int32_t colour) {
    const auto c = static_cast<platform::Colour>(colour);
    return QString("color: rgb(%1,%2,%3)").arg(platform::RedOf(c)).arg(platform::GreenOf(c)).arg(platform::BlueOf(c));
}

platform::Colour Twilight(int index) {
    return static_cast<platform::Colour>(
        skydata::StartupTables().Styles.TwilightColors[static_cast<std::size_t>(index)]);
}

}  // namespace

std::optional<double> GetMoonAge(double jd, double zone_h) {
    double g = jd;
    std::optional<double> t;
    int tries = 0;
    do {
        t = astro::LunarPhaseTime(g, 0, zone_h);
        if (!t || ++tries > kMoonAgeSearchLimit) return std::nullopt;
        g -= 28;
    } while (*t > jd);
    tries = 0;
    while (jd - *t >= 30) {
        t = astro::LunarPhaseTime(g, 0, zone_h);
        if (!t || ++tries > kMoonAgeSearchLimit) return std::nullopt;
        g += 28;
    }
    return jd - *t;
}

std::vector<DiagramSample> SunMoonAltitudes(double day0) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const astro::SiteContext site = astro::CurrentSite();
    astro::PlanetPlace sun[3], moon[3];
    for (int k = 0; k < 3; ++k) {
        sun[k] = astro::ComputePlanetPlace(astro::kPlanetSun, day0 + 0.5 * k, site, true);
        moon[k] = astro::ComputePlanetPlace(astro::kPlanetMoon, day0 + 0.5 * k, site, true);
    }
    std::vector<DiagramSample> samples;
    for (int h = 0; h <= 360; h += kDiagramStep) {
        // Offset from noon in half-day spacings of the three places.
        const double n = (h - 180) / 180.0;
        const double lst = astro::CalcLST(day0 + h / 360.0, s.lon, s.timezone);
        DiagramSample sample;
        sample.h = h;
        double ra = 0, dec = 0, az = 0;
        astro::InterpolateSpherical3(sun[0].ra_deg, sun[0].dec_deg, sun[1].ra_deg, sun[1].dec_deg, sun[2].ra_deg,
                                     sun[2].dec_deg, n, ra, dec);
        astro::EquatorialToHorizontal(ra, dec, lst, s.lat, az, sample.sun_alt_deg);
        astro::InterpolateSpherical3(moon[0].ra_deg, moon[0].dec_deg, moon[1].ra_deg, moon[1].dec_deg, moon[2].ra_deg,
                                     moon[2].dec_deg, n, ra, dec);
        astro::EquatorialToHorizontal(ra, dec, lst, s.lat, az, sample.moon_alt_deg);
        samples.push_back(sample);
    }
    return samples;
}

PictureBox::PictureBox(int width, int height, QWidget* parent)
    : QWidget(parent), surface_(std::make_unique<platform::ImageSurface>(width, height)) {
    surface_->SetScaleMode(platform::Scale::Pixels);
    setFixedSize(width, height);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface_->Image());
}

FrmDCal::FrmDCal(QWidget* owner) : QDialog(owner) {
    setWindowTitle(Q("일력"));
    constexpr const char* kPlaceholders[31] = {"그레고리력",
                                               "단기/불기",
                                               "아침항해박명",
                                               "일진/28수",
                                               "일출",
                                               "일남중",
                                               "일몰",
                                               "월출",
                                               "월남중",
                                               "월몰",
                                               "월령",
                                               "시각(시)",
                                               "",
                                               "해와 달의 고도 및 박명 시각",
                                               "",
                                               "아침시민박명",
                                               "아침천문박명",
                                               "저녁시민박명",
                                               "저녁항해박명",
                                               "저녁천문박명",
                                               "아침박명",
                                               "저녁박명",
                                               "해",
                                               "달",
                                               "■ 밤",
                                               "■ 천문박명",
                                               "■ 항해박명",
                                               "■ 시민박명",
                                               "■ 낮",
                                               "균시차",
                                               "위상"};
    for (int i = 0; i < 31; ++i) LblDay[i] = ui::Named(new QLabel(Q(kPlaceholders[i]), this), "LblDay", i);
    LblDay[12]->setText(Q("고\n도\n(도)"));
    LblDay[14]->setText(
        Q("계산의 오차는 출몰 및 남중 시각은 통상 1분 미만입니다. 월령은 12시 기준으로 천문 "
          "역서의 값과 다소 차이가 있습니다."));
    LblDay[14]->setWordWrap(true);
    LblDay[12]->setAlignment(Qt::AlignCenter);
    LblDay[11]->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 2; ++i) LCal1[i] = ui::Named(new QLabel(this), "LCal1", i);
    PicSun = ui::Named(new PictureBox(kPictureWidth_px, kPictureHeight_px, this), "PicSun");
    PicSun->setToolTip(Q("태양(노란색)과 달(녹색)의 고도 및 박명 시각"));
    CmdnDay[0] = ui::Named(new QPushButton(Q("<전날"), this), "CmdnDay", 0);
    CmdnDay[1] = ui::Named(new QPushButton(Q("다음날>"), this), "CmdnDay", 1);
    CmdOK = ui::Named(new QPushButton(Q("닫기(&C)"), this), "CmdOK");
    CmdOK->setDefault(true);

    QFont bold = LblDay[0]->font();
    bold.setBold(true);
    LblDay[0]->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblDay[0]);
    layout->addWidget(LblDay[1]);
    layout->addWidget(LblDay[3]);
    auto* events = new QGridLayout;
    constexpr int kRows[4][4] = {{22, 4, 5, 6}, {23, 7, 8, 9}, {20, 16, 2, 15}, {21, 17, 18, 19}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) events->addWidget(LblDay[kRows[r][c]], r, c);
    events->addWidget(LblDay[10], 4, 1);
    events->addWidget(LblDay[30], 4, 2);
    events->addWidget(LblDay[29], 4, 3);
    layout->addLayout(events);
    layout->addWidget(LCal1[0]);
    layout->addWidget(LCal1[1]);
    layout->addWidget(LblDay[13]);
    auto* diagram = new QGridLayout;
    diagram->addWidget(LblDay[12], 0, 0);
    diagram->addWidget(PicSun, 0, 1);
    diagram->addWidget(LblDay[11], 1, 1);
    layout->addLayout(diagram);
    auto* legend = new QHBoxLayout;
    constexpr int kLegendColour[5] = {0, 2, 3, 4, 5};
    for (int k = 0; k < 5; ++k) {
        LblDay[24 + k]->setStyleSheet(ColourStyle(static_cast<std::int32_t>(Twilight(kLegendColour[k]))));
        legend->addWidget(LblDay[24 + k]);
    }
    legend->addStretch();
    layout->addLayout(legend);
    layout->addWidget(LblDay[14]);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdnDay[0]);
    buttons->addWidget(CmdnDay[1]);
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    layout->addLayout(buttons);

    for (int k = 0; k < 2; ++k) connect(CmdnDay[k], &QPushButton::clicked, this, [this, k] { CmdnDay_Click(k); });
    connect(CmdOK, &QPushButton::clicked, this, [this] { close(); });

    DayOffset = 0;
    ShowDayInfo();
}

void FrmDCal::CmdnDay_Click(int index) {
    DayOffset += index == 0 ? -1 : 1;
    ShowDayInfo();
}

void FrmDCal::ShowDayInfo() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const double t = s.CurrentJD + DayOffset;
    const astro::CalendarDate date = astro::JDToDate(t);
    const double y = date.year, m = date.month, d = date.day;
    const double day0 = astro::RoundToHalf(t);

    const int weekday = FloorMod(day0 + 1.5, 7);
    LblDay[0]->setText(Q("서력 기원" +
                         (y >= 1 ? "후" + astro::NumberText(y) : "전" + astro::NumberText(std::fabs(y) + 1)) + "년" +
                         astro::NumberText(m) + "월" + astro::NumberText(d) + "일 " + kWeekdays[weekday] + "요일"));
    LblDay[0]->setToolTip(Q("율리우스력/그레고리력, 정오 때의 JD: " + astro::PlainNumberText(day0 + 0.5)));

    const int year_cycle = FloorMod(y + 4736, 60);
    LblDay[1]->setText(Q("단기 " + astro::NumberText(y + 2333) + "년  불기 " + astro::NumberText(y + 544) + "년  " +
                         StemBranch(year_cycle, false) + "(" + StemBranch(year_cycle, true) + ")년"));

    const double noon = astro::DateToJD(y, m, d, 12, 0, 0);
    const int day_cycle = FloorMod(noon + 49, 60);
    const std::size_t mansion = static_cast<std::size_t>(FloorMod(noon + 11, 28)) + 3;
    LblDay[3]->setText(Q("일진/28수: \n  " + StemBranch(day_cycle, false) + "(" + StemBranch(day_cycle, true) + ")/" +
                         std::string(skydata::SkyDistricts[mansion]) + "(" +
                         std::string(skydata::SkyDistricts[skydata::kSkyDistrictCount + mansion]) + ")"));

    double times[8];
    double transit = 0;
    astro::SunRiseSetEvents(day0, s.lat, s.lon, 1, times[kSunrise], times[kSunset], transit);
    LblDay[4]->setText(Q(EventText("뜸:", times[kSunrise])));
    LblDay[5]->setText(Q(EventText("남중:", transit)));
    LblDay[6]->setText(Q(EventText("짐:", times[kSunset])));

    double moon_rise = 0, moon_transit = 0, moon_set = 0;
    astro::PlanetRiseSet(day0, s.lat, s.lon, astro::kPlanetMoon, moon_rise, moon_transit, moon_set);
    LblDay[7]->setText(Q(EventText("뜸:", moon_rise)));
    LblDay[8]->setText(Q(EventText("남중:", moon_transit)));
    LblDay[9]->setText(Q(EventText("짐:", moon_set)));

    const bool daylight = times[kSunrise] >= 0 || times[kSunset] >= 0 || SunAltitude(day0 + 0.5) >= 0;

    double unused = 0;
    astro::SunRiseSetEvents(day0, s.lat, s.lon, 3, times[kCivilDawn], times[kCivilDusk], unused);
    astro::SunRiseSetEvents(day0, s.lat, s.lon, 4, times[kNauticalDawn], times[kNauticalDusk], unused);
    astro::SunRiseSetEvents(day0, s.lat, s.lon, 5, times[kAstroDawn], times[kAstroDusk], unused);
    LblDay[16]->setText(Q(EventText("천문:", times[kAstroDawn])));
    LblDay[2]->setText(Q(EventText("항해:", times[kNauticalDawn])));
    LblDay[15]->setText(Q(EventText("시민:", times[kCivilDawn])));
    LblDay[17]->setText(Q(EventText("시민:", times[kCivilDusk])));
    LblDay[18]->setText(Q(EventText("항해:", times[kNauticalDusk])));
    LblDay[19]->setText(Q(EventText("천문:", times[kAstroDusk])));

    const astro::PlanetTableResult noon_table = astro::ComputePlanetTable(day0 + 0.5, astro::CurrentSite());
    LblDay[30]->setText(Q(
        "위상(12시): " + astro::FormatDigitPattern(noon_table.table[astro::kPlanetMoon].Phase * 100, "##0.0") + " %"));

    const std::optional<double> age = GetMoonAge(day0 + 0.5, s.timezone);
    LblDay[10]->setText(Q("월령(12시): " + (age ? astro::FormatDigitPattern(*age, "#0.0") + "일" : std::string("--"))));

    const double equation_deg = astro::EquationOfTime(day0 - s.timezone / 24.0);
    LblDay[29]->setText(Q("균시차(0시): " + astro::FormatDigitPattern(equation_deg * 4, "0.0") + "분"));

    PicSun->Surface().Cls();
    DrawSunMoonPaths(day0, times, daylight);
    PicSun->update();
    ShowLunarIslamicDate(t);
}

void FrmDCal::ShowLunarIslamicDate(double t) {
    const double day = astro::RoundToHalf(t) + 0.5;
    const std::optional<almanac::LunarDate> lunar =
        almanac::SolarToLunar(day, almanac::ZoneRule(skydata::CurrentSettings().timezone), almanac::LunisolarRules{}, almanac::SkyCalendarServices());
    if (!lunar) {
        LCal1[0]->setText(Q("음력: 계산할 수 없음"));
    } else {
        const std::string era = lunar->year < 1 ? "음력: 기원전" : "음력: 기원후";
        const int year = lunar->year < 1 ? std::abs(lunar->year) + 1 : lunar->year;
        std::string month_name = almanac::GetWolgeon(lunar->year, lunar->month, lunar->leap);
        if (month_name.empty()) month_name = "윤달에는 월건이 없습니다.";
        LCal1[0]->setText(Q(era + std::to_string(year) + "년 (" + (lunar->leap ? "윤) " : "평) ") +
                            std::to_string(lunar->month) + "월 " + std::to_string(lunar->day) +
                            "일 / 월건: " + month_name));
    }
    LCal1[1]->setText(Q(day >= almanac::kIslamicEpochDay ? "이슬람력: " + almanac::FormatIslamicDate(day, 1)
                                                : std::string("이슬람력: 이슬람력이 시행되기 이전입니다.")));
}

void FrmDCal::DrawSunMoonPaths(double day0, const double (&times)[8], bool daylight) {
    platform::ImageSurface& pic = PicSun->Surface();
    const double w = std::floor(pic.ScaleWidth()), h = std::floor(pic.ScaleHeight());

    bool present[8];
    double x[8];
    for (int i = 0; i < 8; ++i) present[i] = times[i] >= 0;
    present[kCivilDawn] = present[kCivilDawn] || present[kCivilDusk];
    present[kSunrise] = present[kSunrise] || present[kSunset] || daylight;
    for (int i = 0; i < 8; ++i) {
        const bool morning = i == kAstroDawn || i == kNauticalDawn || i == kCivilDawn || i == kSunrise;
        x[i] = times[i] >= 0 ? std::round(times[i] / 24 * w) : (morning ? 0 : w);
    }

    pic.Line(0, 0, w, h, Twilight(0), platform::Box::BF);
    if (present[kAstroDawn] || present[kNauticalDawn] || present[kCivilDawn] || present[kSunrise])
        pic.Line(x[kAstroDawn], 0, x[kAstroDusk], h, Twilight(2), platform::Box::BF);
    if (present[kNauticalDawn] || present[kCivilDawn] || present[kSunrise])
        pic.Line(x[kNauticalDawn], 0, x[kNauticalDusk], h, Twilight(3), platform::Box::BF);
    if (present[kCivilDawn] || present[kSunrise])
        pic.Line(x[kCivilDawn], 0, x[kCivilDusk], h, Twilight(4), platform::Box::BF);
    if (present[kSunrise]) pic.Line(x[kSunrise], 0, x[kSunset], h, Twilight(5), platform::Box::BF);

    pic.SetForeColor(kGridColour);
    pic.SetFontSize(7);
    for (int a = 15; a <= 75; a += 15) {
        const double y = a * h / 90;
        pic.Line(pic.TextWidth("00"), y, w, y);
        pic.SetCurrentX(0);
        pic.SetCurrentY(y - pic.TextHeight("0") / 2);
        pic.Print(std::to_string(90 - a));
    }
    for (int a = 30; a <= 330; a += 30) {
        const double gx = a * w / 360;
        pic.Line(gx, 0, gx, h - pic.TextHeight("0"));
        const std::string label = std::to_string(a / 15);
        pic.SetCurrentX(gx - pic.TextWidth(label) / 2);
        pic.SetCurrentY(h - pic.TextHeight(label));
        pic.Print(label);
    }

    const std::vector<DiagramSample> samples = SunMoonAltitudes(day0);
    double sun_prev[2] = {0, 0}, moon_prev[2] = {0, 0};
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const double px = samples[k].h * w / 360;
        const double sy = h - h * samples[k].sun_alt_deg / 90;
        const double my = h - h * samples[k].moon_alt_deg / 90;
        if (k > 0) {
            pic.Line(sun_prev[0], sun_prev[1], px, sy, kSunPathColour);
            pic.Line(moon_prev[0], moon_prev[1], px, my, kMoonPathColour);
        }
        sun_prev[0] = std::trunc(px);
        sun_prev[1] = std::trunc(sy);
        moon_prev[0] = std::trunc(px);
        moon_prev[1] = std::trunc(my);
    }
    pic.Line(0, 0, w - 1, h - 1, platform::Rgb(0, 0, 0), platform::Box::B);
}

}  // namespace zu
