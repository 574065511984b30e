// The solar-system body window.
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "astro/AsteroidPosition.h"
#include "astro/CometPosition.h"
#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/RiseSet.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "zu/core/MainState.h"
#include "zu/search/BodyInfoText.h"
#include "zu/search/InfoWindows.h"

namespace zu {
namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kKindPlanets = 0;
constexpr int kKindComets = 1;
constexpr int kKindAsteroids = 2;

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString ColourStyle(std::int32_t rgb) {
    return QString("color: rgb(%1, %2, %3);").arg(rgb & 0xFF).arg((rgb >> 8) & 0xFF).arg((rgb >> 16) & 0xFF);
}

// Rise, transit and set of a fixed place on the chart date (hours; negative
// when absent).
void FixedEvents(double ra_deg, double dec_deg, double& rise, double& transit, double& set) {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    astro::FixedRiseSet(s.CurrentJD, s.lat, s.lon, ra_deg, dec_deg, rise, set, transit);
}

}  // namespace

FrmPInfo::FrmPInfo(QWidget* owner) : QDialog(owner) {
    setObjectName("FrmPInfo");
    setWindowTitle(QString::fromUtf8("태양계 천체의 정보"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* kind = new QHBoxLayout;
    kind->addWidget(new QLabel(QString::fromUtf8("종류: "), this));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    for (const char* item : {"행성", "혜성", "소행성"}) Combo1->addItem(QString::fromUtf8(item));
    kind->addWidget(Combo1, 1);
    left->addLayout(kind);
    ListPl = new QListWidget(this);
    ListPl->setObjectName("ListPl");
    left->addWidget(ListPl, 1);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    LPName = new QLabel(this);
    LPName->setObjectName("LPName");
    QFont bold = LPName->font();
    bold.setBold(true);
    LPName->setFont(bold);
    right->addWidget(LPName);
    auto* grid = new QGridLayout;
    int row = 0;
    const auto add = [&](QLabel*& value, const char* name, const char* caption) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        value = new QLabel(this);
        value->setObjectName(name);
        grid->addWidget(value, row, 1);
        ++row;
    };
    add(LMag, "LMag", "밝기: ");
    add(LPhas, "LPhas", "위상: ");
    add(Lelong, "Lelong", "이각: ");
    add(LDia, "LDia", "시지름: ");
    add(LDistEP, "LDistEP", "지구-천체 거리: ");
    add(LDistSP, "LDistSP", "태양-천체 거리: ");
    add(RAtopo, "RAtopo", "관측자중심적경: ");
    add(DEtopo, "DEtopo", "관측자중심적위: ");
    add(RAgeo, "RAgeo", "지구중심적경: ");
    add(DEgeo, "DEgeo", "지구중심적위: ");
    add(Longeo, "Longeo", "지구중심황경: ");
    add(latgeo, "latgeo", "지구중심황위: ");
    add(lonhel, "lonhel", "태양중심황경: ");
    add(lathel, "lathel", "태양중심황위: ");
    add(Laz, "Laz", "방위각:");
    add(Lalt, "Lalt", "고도:");
    add(LblRSTime[0], "LblRSTime_0", "뜸: ");
    add(LblRSTime[1], "LblRSTime_1", "남중: ");
    add(LblRSTime[2], "LblRSTime_2", "짐: ");
    right->addLayout(grid);
    Laddinfo = new QLabel(this);
    Laddinfo->setObjectName("Laddinfo");
    right->addWidget(Laddinfo);
    auto* buttons = new QHBoxLayout;
    CmdObs = new QPushButton(QString::fromUtf8("관측 정보"), this);
    CmdObs->setObjectName("CmdObs");
    Command1 = new QPushButton(QString::fromUtf8("확인"), this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    buttons->addWidget(CmdObs);
    buttons->addStretch();
    buttons->addWidget(Command1);
    right->addLayout(buttons);
    layout->addLayout(right, 1);

    QObject::connect(Combo1, &QComboBox::activated, this, [this](int) { platform::Guard([this] { Combo1_Click(); }); });
    QObject::connect(ListPl, &QListWidget::itemClicked, this,
                     [this](QListWidgetItem*) { platform::Guard([this] { ListPl_Click(); }); });
    QObject::connect(CmdObs, &QPushButton::clicked, this, [this] { platform::Guard([this] { CmdObs_Click(); }); });
    QObject::connect(Command1, &QPushButton::clicked, this, [this] { close(); });
    Form_Load();
}

void FrmPInfo::Form_Load() {
    const double jd = skydata::CurrentSettings().CurrentJD;
    astro::ComputeAllAsteroids(jd);
    astro::ComputeAllComets(jd);
    Combo1->setCurrentIndex(kKindPlanets);
    Combo1_Click();
    ListPl->setCurrentRow(0);
    ListPl_Click();
}

void FrmPInfo::Combo1_Click() {
    ListPl->hide();
    ListPl->clear();
    const auto add = [this](const std::string& name, int index) {
        auto* item = new QListWidgetItem(Utf8(name), ListPl);
        item->setData(kIndexRole, index);
    };
    const astro::SmallBodyState& bodies = astro::SmallBodies();
    switch (Combo1->currentIndex()) {
        case kKindPlanets:
            for (int n = 0; n < astro::kPlanetCount; ++n)
                add(astro::Planets().PlanetTable[static_cast<std::size_t>(n)].Name, n);
            break;
        case kKindComets:
            // Bodies whose place cannot be computed are left out.
            for (std::size_t i = 0; i < bodies.CometPositions.size(); ++i)
                if (bodies.CometPositions[i].Valid) add(bodies.CometPositions[i].Name, static_cast<int>(i));
            break;
        case kKindAsteroids:
            for (std::size_t i = 0; i < bodies.AsteroidPositions.size(); ++i)
                if (bodies.AsteroidPositions[i].Valid) add(bodies.AsteroidPositions[i].Name, static_cast<int>(i));
            break;
        default: break;
    }
    ListPl->setCurrentRow(-1);
    ListPl->show();
}

void FrmPInfo::ListPl_Click() {
    const QListWidgetItem* item = ListPl->currentItem();
    if (!item) return;
    const int index = item->data(kIndexRole).toInt();
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const double lst = AppState().LocalSiderealTime;
    BodyValues values;
    if (Combo1->currentIndex() == kKindPlanets) {
        double rise = 0, transit = 0, set = 0;
        astro::PlanetRiseSet(astro::RoundToHalf(s.CurrentJD), s.lat, s.lon, index, rise, transit, set);
        astro::CalcPlanets(s.CurrentJD);
        values = PlanetBodyValues(astro::Planets().PlanetTable[static_cast<std::size_t>(index)], rise, transit, set,
                                  lst, s.lat);
    } else {
        const astro::SmallBodyState& bodies = astro::SmallBodies();
        astro::BodyPosition position;
        if (Combo1->currentIndex() == kKindComets) {
            if (static_cast<std::size_t>(index) >= bodies.CometElementList.size()) return;
            astro::ComputeCometPosition(s.CurrentJD, bodies.CometElementList[static_cast<std::size_t>(index)],
                                        position);
            position.Name = bodies.CometElementList[static_cast<std::size_t>(index)].Name;
        } else {
            if (static_cast<std::size_t>(index) >= bodies.AsteroidElementList.size()) return;
            astro::ComputeAsteroidPosition(s.CurrentJD, bodies.AsteroidElementList[static_cast<std::size_t>(index)],
                                           position);
            position.Name = bodies.AsteroidElementList[static_cast<std::size_t>(index)].Name;
        }
        if (!position.Valid) return;
        // The table is that of the chart moment: its obliquity and the
        // Earth-Sun distance of the Sun row.
        astro::CalcPlanets(s.CurrentJD);
        double rise = 0, transit = 0, set = 0;
        FixedEvents(position.TopoRA, position.TopoDec, rise, transit, set);
        values = SmallBodyValues(position, astro::Planets().Obliquity,
                                 astro::Planets().PlanetTable[astro::kPlanetSun].Delta, rise, transit, set, lst, s.lat);
    }
    const BodyLabels l = FormatBodyLabels(values);
    LPName->setText(Utf8(l.LPName));
    LMag->setText(Utf8(l.LMag));
    LPhas->setText(Utf8(l.LPhas));
    Lelong->setText(Utf8(l.Lelong));
    LDia->setText(Utf8(l.LDia));
    LDistEP->setText(Utf8(l.LDistEP));
    LDistSP->setText(Utf8(l.LDistSP));
    RAtopo->setText(Utf8(l.RAtopo));
    DEtopo->setText(Utf8(l.DEtopo));
    RAgeo->setText(Utf8(l.RAgeo));
    DEgeo->setText(Utf8(l.DEgeo));
    Longeo->setText(Utf8(l.Longeo));
    latgeo->setText(Utf8(l.latgeo));
    lonhel->setText(Utf8(l.lonhel));
    lathel->setText(Utf8(l.lathel));
    Laz->setText(Utf8(l.Laz));
    Lalt->setText(Utf8(l.Lalt));
    for (std::size_t i = 0; i < 3; ++i) LblRSTime[i]->setText(Utf8(l.RSTime[i]));
    Laddinfo->setText(Utf8(l.Laddinfo));
    Laddinfo->setStyleSheet(ColourStyle(l.LaddinfoColor));
}

void FrmPInfo::CmdObs_Click() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const std::string text = ObservationSummary(astro::DateJDText(s.CurrentJD, s.CurrentJD, s.nobsname),
                                                astro::Planets().PlanetTable);
    platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Information, "행성 관측 정보");
}

}  // namespace zu
