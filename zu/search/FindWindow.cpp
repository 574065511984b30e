#include "zu/search/FindWindow.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <cmath>

#include "astro/AngleMath.h"
#include "astro/AsteroidPosition.h"
#include "astro/CometPosition.h"
#include "astro/Coordinates.h"
#include "astro/Matrix.h"
#include "astro/TextFormat.h"
#include "platform/Guard.h"
#include "skydata/ConfigStore.h"
#include "skydata/Settings.h"
#include "skydata/UserCatalogs.h"
#include "ui/ToolControls.h"
#include "zu/core/ChartHost.h"
#include "zu/core/MainState.h"
#include "zu/search/ObjectSearch.h"

namespace zu {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr const char* kDistrictLetters = "PENWS";
constexpr const char* kVisibleText = "이 천체는 지금 볼 수 있습니다.";
constexpr const char* kNotUpText = "이 천체는 아직 뜨지 않았습니다.";
constexpr const char* kBadHRText = "잘못된 HR 번호입니다.";
constexpr const char* kBadNumberText = "잘못된 번호입니다.";

// Category texts of Combo6; 12 and 13 are made from the user lists.
constexpr const char* kCategories[12] = {
    "동양 별자리(신법 별자리)", "동양 별자리(천상열차분야지도)", "서양 별자리(별자리 이름)",
    "서양 별자리(별자리 약어)", "태양계 천체(주요 행성)",      "태양계 천체(혜성)",
    "태양계 천체(소행성)",      "별(동양 별 이름)",            "별(서양 별 이름)",
    "별(HR 번호(1~9110))",      "별(Sky2000 목록)",            "성운, 성단, 은하",
};
enum Category {
    kEasternNew = 0,
    kEasternOld = 1,
    kWesternByName = 2,
    kWesternByAbbreviation = 3,
    kPlanets = 4,
    kComets = 5,
    kAsteroids = 6,
    kEasternStarNames = 7,
    kWesternStarNames = 8,
    kHRNumber = 9,
    kSky2000 = 10,
    kDeepSky = 11,
    kUserList1 = 12,
    kUserList2 = 13,
};

// User-catalogue kinds in listing order: the array, its key code.
constexpr const char* kUserKindCodes[8] = {"S1", "S2", "S3", "S4", "S5", "St", "Nb", "Ch"};

// The window's geometry (pixels).
constexpr int kWidth = 300;
constexpr int kHeight = 520;
constexpr int kFrameTop = 34;
constexpr int kFrameWidth = 288;
constexpr int kFrameHeight = 300;
constexpr int kComboLeft = 8, kComboTop = 16, kComboWidth = 257, kComboDropDown = 300;


const skydata::ConstellationSystem& SystemOf(char letter) {
    const skydata::ConstellationState& c = skydata::Constellations();
    return letter == 'E' ? c.E : letter == 'O' ? c.O : c.W;
}

char SystemOfKind(const std::string& kind) { return kind == "econ" ? 'E' : kind == "ocon" ? 'O' : 'W'; }

double PrecessionTargetJD() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    return s.calcprecession ? s.CurrentJD : kJ2000;
}

// Colour 255 (pure red) or 0 (black).
void SetRed(QLabel& label, bool red) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    label.setPalette(palette);
}

void AddItem(QListWidget& list, const std::string& text, int data) {
    auto* item = new QListWidgetItem(ui::QText(text), &list);
    item->setData(Qt::UserRole, data);
}

int ItemData(const QListWidgetItem* item) { return item ? item->data(Qt::UserRole).toInt() : -1; }

}  // namespace

void PrecessVector(double jd_from, double jd_to, double x, double y, double z, double& ra_deg, double& dec_deg) {
    astro::Matrix3 m;
    astro::MakePrecessionMatrix(jd_from, jd_to, m);
    astro::RotateVector(x, y, z, m);
    astro::VectorToSpherical(x, y, z, ra_deg, dec_deg);
}

FrmFind::FrmFind(QWidget* owner) : QWidget(owner, Qt::Window) {
    BuildControls();
    Form_Load();
}

void FrmFind::BuildControls() {
    setFixedSize(kWidth, kHeight);

    TabStrip1 = ui::Named(new QTabBar(this), "TabStrip1");
    TabStrip1->addTab(QString::fromUtf8("통합 검색"));
    TabStrip1->setTabData(0, "intfind");
    TabStrip1->addTab(QString::fromUtf8("종류별 검색"));
    TabStrip1->setTabData(1, "indfind");
    TabStrip1->setGeometry(6, 6, kFrameWidth, 26);

    Frame2 = ui::Named(new QGroupBox(QString::fromUtf8("통합 검색"), this), "Frame2");
    Frame2->setGeometry(6, kFrameTop, kFrameWidth, kFrameHeight);
    ui::Named(new QLabel(QString::fromUtf8("천체 이름 : "), Frame2), "Label5", 0)->setGeometry(8, 22, 70, 20);
    txtObjName = ui::Named(new QLineEdit(Frame2), "txtObjName");
    txtObjName->setGeometry(80, 20, 200, 22);
    ui::Named(new QLabel(QString::fromUtf8("찾은 천체 목록 "), Frame2), "Label5", 1)->setGeometry(8, 48, 200, 18);
    ListFind = ui::Named(new QListWidget(Frame2), "ListFind");
    ListFind->setGeometry(8, 68, 272, 224);

    Frame1 = ui::Named(new QGroupBox(QString::fromUtf8("종류별 검색"), this), "Frame1");
    Frame1->setGeometry(6, kFrameTop, kFrameWidth, kFrameHeight);
    Combo6 = ui::Named(new QComboBox(Frame1), "Combo6");
    Combo6->setGeometry(kComboLeft, kComboTop, kComboWidth, Combo6->sizeHint().height());
    Combo6->view()->window()->setMaximumHeight(kComboDropDown);
    Label1_0 = ui::Named(new QLabel(QString::fromUtf8("3원 28수"), Frame1), "Label1", 0);
    Label1_0->setGeometry(8, 48, 130, 18);
    List1 = ui::Named(new QListWidget(Frame1), "List1");
    List1->setGeometry(8, 68, 130, 224);
    Label1_1 = ui::Named(new QLabel(QString::fromUtf8("부속 별자리"), Frame1), "Label1", 1);
    Label1_1->setGeometry(146, 48, 134, 18);
    List2 = ui::Named(new QListWidget(Frame1), "List2");
    List2->setGeometry(146, 68, 134, 224);
    List3 = ui::Named(new QListWidget(Frame1), "List3");
    List3->setGeometry(8, 48, 272, 244);
    Label4_1 = ui::Named(new QLabel(QString::fromUtf8("찾으려는 별의 HR 번호를 입력하세요(1~9110)."), Frame1), "Label4", 1);
    Label4_1->setGeometry(8, 52, 272, 20);
    TxtHR = ui::Named(new QLineEdit(QString::fromUtf8("1"), Frame1), "TxtHR");
    TxtHR->setGeometry(8, 76, 120, 22);
    picS2k = ui::Named(new QWidget(Frame1), "picS2k");
    picS2k->setGeometry(8, 48, 272, 130);
    ui::Named(new QLabel(QString::fromUtf8("찾으려는 별 번호를 입력하세요."), picS2k), "Label6")->setGeometry(0, 4, 272, 20);
    Text1 = ui::Named(new QLineEdit(QString::fromUtf8("1"), picS2k), "Text1");
    Text1->setGeometry(0, 28, 120, 22);
    const char* options[3] = {"Sky2000 목록 번호", "HD 목록 번호", "SAO 목록 번호"};
    for (int i = 0; i < 3; ++i) {
        Option1[static_cast<std::size_t>(i)] = ui::Named(new QRadioButton(QString::fromUtf8(options[i]), picS2k), "Option1", i);
        Option1[static_cast<std::size_t>(i)]->setGeometry(0, 56 + 22 * i, 200, 20);
    }
    Option1[0]->setChecked(true);

    FCom = ui::Named(new QGroupBox(QString::fromUtf8("고른 천체"), this), "FCom");
    FCom->setGeometry(6, kFrameTop + kFrameHeight + 6, kFrameWidth, 110);
    Label2 = ui::Named(new QLabel(FCom), "Label2");
    Label2->setGeometry(8, 20, 272, 18);
    Label1_2 = ui::Named(new QLabel(QString::fromUtf8("적경: "), FCom), "Label1", 2);
    Label1_2->setGeometry(8, 42, 56, 18);
    LCRA = ui::Named(new QLabel(FCom), "LCRA");
    LCRA->setGeometry(66, 42, 214, 18);
    Label1_3 = ui::Named(new QLabel(QString::fromUtf8("적위: "), FCom), "Label1", 3);
    Label1_3->setGeometry(8, 62, 56, 18);
    LCDec = ui::Named(new QLabel(FCom), "LCDec");
    LCDec->setGeometry(66, 62, 214, 18);
    Label3 = ui::Named(new QLabel(FCom), "Label3");
    Label3->setGeometry(8, 84, 272, 18);

    ChkCloseWin = ui::Named(new QCheckBox(QString::fromUtf8("작업 후에 창 닫기"), this), "ChkCloseWin");
    ChkCloseWin->setGeometry(8, kHeight - 64, 200, 22);
    CmdFind = ui::Named(new QPushButton(QString::fromUtf8("찾기"), this), "CmdFind");
    CmdFind->setGeometry(kWidth - 178, kHeight - 36, 82, 28);
    CmdFind->setDefault(true);
    CmdFind->setAutoDefault(true);
    CmdCancel = ui::Named(new QPushButton(QString::fromUtf8("닫기"), this), "CmdCancel");
    CmdCancel->setGeometry(kWidth - 88, kHeight - 36, 82, 28);

    const auto guarded = [this](void (FrmFind::*handler)()) {
        return [this, handler] { platform::Guard([this, handler] { (this->*handler)(); }); };
    };
    connect(TabStrip1, &QTabBar::currentChanged, this, guarded(&FrmFind::TabStrip1_Click));
    connect(Combo6, &QComboBox::activated, this, guarded(&FrmFind::Combo6_Click));
    connect(List1, &QListWidget::currentRowChanged, this, guarded(&FrmFind::List1_Click));
    connect(List2, &QListWidget::currentRowChanged, this, guarded(&FrmFind::List2_Click));
    connect(List3, &QListWidget::currentRowChanged, this, guarded(&FrmFind::List3_Click));
    connect(ListFind, &QListWidget::currentRowChanged, this, guarded(&FrmFind::ListFind_Click));
    connect(txtObjName, &QLineEdit::textChanged, this, guarded(&FrmFind::txtObjName_Change));
    connect(TxtHR, &QLineEdit::textChanged, this, guarded(&FrmFind::TxtHR_Change));
    connect(Text1, &QLineEdit::textChanged, this, guarded(&FrmFind::Text1_Change));
    for (QRadioButton* option : Option1) connect(option, &QRadioButton::clicked, this, guarded(&FrmFind::Text1_Change));
    connect(CmdFind, &QPushButton::clicked, this, guarded(&FrmFind::CmdFind_Click));
    connect(CmdCancel, &QPushButton::clicked, this, guarded(&FrmFind::CmdCancel_Click));
    ui::BindEnterAndEscape(*this, CmdFind, CmdCancel);
}

void FrmFind::Form_Load() {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    // The solar-system lists and places are those of the chart time.
    astro::ComputeAllAsteroids(s.CurrentJD);
    astro::ComputeAllComets(s.CurrentJD);
    ChkCloseWin->setChecked(true);

    Combo6->clear();
    for (const char* text : kCategories) Combo6->addItem(QString::fromUtf8(text));
    const auto& catalogs = skydata::UserCatalogModule().Catalogs;
    const bool in_use[2] = {s.usercatfile0is, s.usercatfile1is};
    for (int slot = 0; slot < 2; ++slot) {
        std::string text = "사용자 목록 " + std::to_string(slot + 1) + ": ";
        text += in_use[slot] ? catalogs[static_cast<std::size_t>(slot)].Name : "지정된 목록 없음";
        Combo6->addItem(ui::QText(text));
    }

    Frame2->show();
    Frame1->hide();
    Combo6->setCurrentIndex(kEasternNew);
    Combo6_Click();
    Combo6->hide();
    Combo6->setEnabled(false);
    FillMansionList();
    // The free-text tab in front has nothing chosen yet: Enter must not
    // centre on the constellation prepared behind the other tab.
    ShowNothing();
    // Typing goes straight into the name box.
    txtObjName->setFocus();
}

// ---- Tabs and categories ----------------------------------------------------

void FrmFind::TabStrip1_Click() {
    const QString key = TabStrip1->tabData(TabStrip1->currentIndex()).toString();
    if (key == "intfind") {
        Combo6->hide();
        Combo6->setEnabled(false);
        Frame2->show();
        Frame1->hide();
        // The panel shows what this tab's list has chosen, or nothing.
        if (ListFind->currentItem() && ListFind->currentItem()->isSelected()) {
            ListFind_Click();
        } else {
            ShowNothing();
        }
    } else {
        Combo6->show();
        Combo6->setEnabled(true);
        Combo6_Click();
        Frame1->show();
        Frame2->hide();
    }
}

void FrmFind::Combo6_Click() {
    CategoryIndex = Combo6->currentIndex();
    List3->show();
    List3->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{TxtHR, Label4_1, List1, List2, Label1_0, Label1_1, picS2k}) {
        w->hide();
    }
    switch (CategoryIndex) {
        case kEasternNew:
        case kEasternOld:
            for (QWidget* w : std::initializer_list<QWidget*>{List1, List2, Label1_0, Label1_1}) w->show();
            List3->hide();
            List3->setEnabled(false);
            FillMansionList();
            return;
        case kWesternByName:
        case kWesternByAbbreviation: ListWesternConstellations(); break;
        case kPlanets:
        case kComets:
        case kAsteroids: ListSolarSystemBodies(); break;
        case kEasternStarNames:
        case kWesternStarNames: ListStarNames(); break;
        case kDeepSky: ListDeepSkyObjects(); break;
        case kHRNumber:
            List3->hide();
            TxtHR->show();
            Label4_1->show();
            return;
        case kSky2000: picS2k->show(); return;
        case kUserList1:
        case kUserList2: {
            const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
            const bool in_use = CategoryIndex == kUserList1 ? s.usercatfile0is : s.usercatfile1is;
            if (in_use) {
                FillUserCatalogList(CategoryIndex - kUserList1 + 1);
            } else {
                List3->clear();
                List3->setEnabled(false);
            }
            break;
        }
        default: return;
    }
    if (List3->count() > 0) {
        // Selecting row 0 again shows it again.
        if (List3->currentRow() == 0) {
            List3_Click();
        } else {
            List3->setCurrentRow(0);
        }
    }
}

// ---- Districts and Korean constellations --------------------------------

void FrmFind::FillMansionList() {
    const QSignalBlocker block(List1);
    List1->clear();
    for (int i = 0; i < skydata::kSkyDistrictCount; ++i) {
        const std::string name(skydata::SkyDistricts[static_cast<std::size_t>(i)]);
        const std::string second(skydata::SkyDistricts[static_cast<std::size_t>(i + skydata::kSkyDistrictCount)]);
        int data = 0;
        std::string text;
        if (i < 3) {
            data = i + 1;
            text = name + "(" + second + ")";
        } else {
            const int mansion = i - 3;
            data = (mansion / 7 + 1) * 10 + mansion % 7 + 1;
            text = name + "수(" + second + "宿)";
        }
        AddItem(*List1, text, data);
    }
    List1->setCurrentRow(0);
    List1_Click();
}

void FrmFind::List1_Click() {
    const int data = ItemData(List1->currentItem());
    if (data < 0) return;
    DistrictCode = std::string(1, kDistrictLetters[data / 10]) + std::to_string(data % 10);
    const skydata::ConstellationSystem& system = SystemOf(CategoryIndex == kEasternOld ? 'O' : 'E');
    const QSignalBlocker block(List2);
    List2->clear();
    for (std::size_t row = 0; row < system.Data.size(); ++row) {
        const skydata::ConstDataRecord& c = system.Data[row];
        if (c.Code.compare(0, DistrictCode.size(), DistrictCode) != 0) continue;
        AddItem(*List2, c.Name1 + "(" + c.Name2 + ")", static_cast<int>(row));
    }
    if (List2->count() > 0) {
        List2->setCurrentRow(0);
        List2_Click();
    }
}

void FrmFind::List2_Click() {
    const int row = ItemData(List2->currentItem());
    if (row < 0) return;
    ShowConstellationRow(CategoryIndex == kEasternOld ? 'O' : 'E', row);
}

int FrmFind::LabelRowOf(char system, const std::string& code) const {
    const std::string_view key = skydata::CodeKey(code);
    const auto& labels = SystemOf(system).Labels;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (std::string_view(labels[i].Code).substr(0, key.size()) == key) return static_cast<int>(i);
    }
    return -1;
}

void FrmFind::ShowConstellationRow(char system, int data_row) {
    const auto& data = SystemOf(system).Data;
    const int label = data_row >= 0 && data_row < static_cast<int>(data.size())
                          ? LabelRowOf(system, data[static_cast<std::size_t>(data_row)].Code)
                          : -1;
    const std::string kind = system == 'E' ? "econ" : system == 'O' ? "ocon" : "wcon";
    if (label < 0) {
        CmdFind->setEnabled(false);
        return;
    }
    ShowFoundObject(kind, label);
}

void FrmFind::ShowKoreanConstellation(const std::string& kind, int index) {
    ShowConstellationRow(SystemOfKind(kind), index);
}

// ---- Lists of the other categories ----------------------------------------

void FrmFind::ListWesternConstellations() {
    const QSignalBlocker block(List3);
    List3->clear();
    const auto& data = skydata::Constellations().W.Data;
    for (std::size_t row = 0; row < data.size(); ++row) {
        const skydata::ConstDataRecord& c = data[row];
        const std::string text = CategoryIndex == kWesternByName ? c.Name1 + "(" + c.Name2 + ")"
                                                                 : (c.Code.size() > 1 ? c.Code.substr(1, 3) : "");
        AddItem(*List3, text, static_cast<int>(row));
    }
}

void FrmFind::ListSolarSystemBodies() {
    const QSignalBlocker block(List3);
    List3->clear();
    if (CategoryIndex == kPlanets) {
        const auto& planets = astro::Planets().PlanetTable;
        for (std::size_t i = 0; i < planets.size(); ++i) AddItem(*List3, planets[i].Name, static_cast<int>(i));
        return;
    }
    const auto& bodies =
        CategoryIndex == kComets ? astro::SmallBodies().CometPositions : astro::SmallBodies().AsteroidPositions;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        if (bodies[i].Valid) AddItem(*List3, bodies[i].Name, static_cast<int>(i));
    }
}

void FrmFind::ListStarNames() {
    const QSignalBlocker block(List3);
    List3->clear();
    const auto& catalogs = skydata::Catalogs();
    const auto& names = CategoryIndex == kEasternStarNames ? catalogs.EastStarNames : catalogs.WestStarNames;
    for (std::size_t i = 0; i < names.size(); ++i) {
        AddItem(*List3, names[i].Name + "(" + names[i].Name2 + ")", static_cast<int>(i));
    }
}

void FrmFind::ListDeepSkyObjects() {
    const QSignalBlocker block(List3);
    List3->clear();
    const auto& dso = skydata::Catalogs().DeepSkyObject;
    List3->setUpdatesEnabled(false);
    for (std::size_t i = 0; i < dso.size(); ++i) {
        AddItem(*List3, dso[i].ID1 + "  " + skydata::TrimBlanks(dso[i].Name1), static_cast<int>(i));
    }
    List3->setUpdatesEnabled(true);
}

void FrmFind::FillUserCatalogList(int slot) {
    const QSignalBlocker block(List3);
    List3->clear();
    const skydata::CustomCatalog& catalog = skydata::UserCatalogModule().Catalogs[static_cast<std::size_t>(slot - 1)];
    const auto add = [&](int kind, std::size_t i, const std::string& name) {
        const std::string key = "(UC" + std::to_string(slot) + "_" + kUserKindCodes[kind] + ":" +
                                astro::FormatDigitPattern(static_cast<double>(i), "0000") + ")";
        AddItem(*List3, key + name, static_cast<int>(i));
    };
    for (int kind = 0; kind < 5; ++kind) {
        const auto& shapes = catalog.Shapes[static_cast<std::size_t>(kind)];
        for (std::size_t i = 0; i < shapes.size(); ++i) add(kind, i, shapes[i].Name);
    }
    for (std::size_t i = 0; i < catalog.Stars.size(); ++i) add(5, i, catalog.Stars[i].Name);
    for (std::size_t i = 0; i < catalog.Nonstellar.size(); ++i) add(6, i, catalog.Nonstellar[i].Name);
    for (std::size_t i = 0; i < catalog.Texts.size(); ++i) add(7, i, catalog.Texts[i].Text);
}

void FrmFind::List3_Click() {
    const QListWidgetItem* item = List3->currentItem();
    const int row = ItemData(item);
    if (row < 0) return;
    switch (CategoryIndex) {
        case kWesternByName:
        case kWesternByAbbreviation: ShowConstellationRow('W', row); break;
        case kPlanets: ShowFoundObject("pl", row); break;
        case kComets: ShowFoundObject("com", row); break;
        case kAsteroids: ShowFoundObject("ast", row); break;
        case kEasternStarNames: ShowFoundObject("ename", row); break;
        case kWesternStarNames: ShowFoundObject("wname", row); break;
        case kDeepSky: ShowFoundObject("m", row); break;
        case kUserList1:
        case kUserList2: ShowUserListEntry(ui::StdText(item->text())); break;
        default: break;
    }
}

// ---- Showing an object ---------------------------------------------------

bool FrmFind::NothingToShow() {
    CmdFind->setEnabled(false);
    return false;
}

void FrmFind::ShowNothing() {
    CmdFind->setEnabled(false);
    Label1_2->setText(QString::fromUtf8("적경: "));
    Label1_3->setText(QString::fromUtf8("적위: "));
    for (QLabel* label : {Label2, LCRA, LCDec, Label3}) label->clear();
}

bool FrmFind::ShowFoundObject(const std::string& kind, int index) {
    double x = 0, y = 0, z = 0;
    std::string name;
    bool of_date = false;
    const auto in = [index](const auto& table) { return index >= 0 && index < static_cast<int>(table.size()); };
    const auto at = [index](const auto& table) -> const auto& { return table[static_cast<std::size_t>(index)]; };
    if (kind == "econ" || kind == "ocon" || kind == "wcon") {
        const skydata::ConstellationSystem& system = SystemOf(SystemOfKind(kind));
        if (!in(system.Labels)) return NothingToShow();
        const skydata::ConstLabelRecord& label = at(system.Labels);
        x = label.x, y = label.y, z = label.z;
        name = kind == "wcon" ? label.Text : skydata::GetConstName(system.Data, skydata::CodeKey(label.Code), 0, true);
    } else if (kind == "pl" || kind == "com" || kind == "ast") {
        double ra = 0, dec = 0;
        if (kind == "pl") {
            const auto& planets = astro::Planets().PlanetTable;
            if (!in(planets)) return NothingToShow();
            ra = at(planets).TopoRA, dec = at(planets).TopoDec, name = at(planets).Name;
        } else {
            const auto& bodies =
                kind == "com" ? astro::SmallBodies().CometPositions : astro::SmallBodies().AsteroidPositions;
            if (!in(bodies) || !at(bodies).Valid) return NothingToShow();
            ra = at(bodies).TopoRA, dec = at(bodies).TopoDec, name = at(bodies).Name;
        }
        astro::SphericalToCartesian(ra, dec, x, y, z);
        of_date = true;
    } else if (kind == "ename" || kind == "wname") {
        const auto& catalogs = skydata::Catalogs();
        const auto& names = kind == "ename" ? catalogs.EastStarNames : catalogs.WestStarNames;
        if (!in(names)) return NothingToShow();
        x = at(names).x, y = at(names).y, z = at(names).z;
        name = at(names).Name + "(" + at(names).Name2 + ")";
    } else if (kind == "m") {
        const auto& dso = skydata::Catalogs().DeepSkyObject;
        if (!in(dso)) return NothingToShow();
        x = at(dso).x, y = at(dso).y, z = at(dso).z;
        name = at(dso).ID1;
    } else {
        return NothingToShow();
    }
    double ra = 0, dec = 0;
    if (of_date) {
        astro::VectorToSpherical(x, y, z, ra, dec);
    } else {
        PrecessVector(kJ2000, PrecessionTargetJD(), x, y, z, ra, dec);
    }
    astro::SphericalToCartesian(ra, dec, FoundVector[0], FoundVector[1], FoundVector[2]);
    CmdFind->setEnabled(true);
    ShowPosition(name, ra, dec);
    return true;
}

void FrmFind::ShowPosition(const std::string& name, double ra_deg, double dec_deg) {
    Label1_2->setText(QString::fromUtf8("적경:"));
    Label1_3->setText(QString::fromUtf8("적위:"));
    Label2->setText(ui::QText(name));
    LCRA->setText(ui::QText(astro::FormatHmsKorean(ra_deg, 0)));
    LCDec->setText(ui::QText(astro::FormatDmsKorean(dec_deg, 0)));
    double az = 0, alt = 0;
    astro::EquatorialToHorizontal(ra_deg, dec_deg, AppState().LocalSiderealTime, skydata::CurrentSettings().lat, az,
                                  alt);
    ShowVisibility(alt);
}

void FrmFind::ShowVisibility(double altitude_deg) {
    const bool up = altitude_deg >= 0;
    Label3->setText(QString::fromUtf8(up ? kVisibleText : kNotUpText));
    SetRed(*Label3, !up);
}

void FrmFind::ShowNotFound(const std::string& name, const std::string& message) {
    CmdFind->setEnabled(false);
    Label2->setText(ui::QText(name));
    LCRA->setText("--");
    LCDec->setText("--");
    Label3->setText(ui::QText(message));
    SetRed(*Label3, true);
}

// ---- Number lookups -------------------------------------------------------

void FrmFind::TxtHR_Change() { FindHRStar(ui::StdText(TxtHR->text())); }

void FrmFind::FindHRStar(const std::string& text) {
    const double number = std::floor(astro::ParseLeadingNumber(text));
    const bool in_range = number >= -32768 && number <= 32767;
    const auto hit = in_range ? LocateHRStar(skydata::Catalogs(), static_cast<int>(number)) : std::nullopt;
    if (!hit) {
        ShowNotFound("HR " + skydata::FormatPlainNumber(std::isfinite(number) ? number : 0), kBadHRText);
        return;
    }
    const skydata::BscStarRecord& star =
        skydata::Catalogs().BscStar[static_cast<std::size_t>(hit->zone)][static_cast<std::size_t>(hit->index)];
    CmdFind->setEnabled(true);
    double ra = 0, dec = 0;
    PrecessVector(kJ2000, PrecessionTargetJD(), star.x, star.y, star.z, ra, dec);
    astro::SphericalToCartesian(ra, dec, FoundVector[0], FoundVector[1], FoundVector[2]);
    ShowPosition("HR " + skydata::FormatPlainNumber(star.HR) + "(" +
                     skydata::TrimBlanks(skydata::FormatPlainNumberSingle(star.Mag)) + "등급)",
                 ra, dec);
}

void FrmFind::Text1_Change() {
    int field = 0;
    for (int i = 0; i < 3; ++i) {
        if (Option1[static_cast<std::size_t>(i)]->isChecked()) field = i;
    }
    FindSky2000Star(ui::StdText(Text1->text()), field);
}

void FrmFind::FindSky2000Star(const std::string& text, int field) {
    const auto hit = zu::FindSky2000Star(skydata::Catalogs(), text, static_cast<S2kField>(field));
    if (!hit) {
        ShowNotFound("--", kBadNumberText);
        return;
    }
    const skydata::S2kStarRecord& star =
        skydata::Catalogs().S2kStar[static_cast<std::size_t>(hit->zone)][static_cast<std::size_t>(hit->index)];
    std::string number;
    if (field == 0) {
        number = star.Id;
    } else {
        number = (field == 1 ? "HD" : "SAO") +
                 skydata::FormatPlainNumber(std::nearbyint(astro::ParseLeadingNumber(text)));
    }
    CmdFind->setEnabled(true);
    double ra = 0, dec = 0;
    PrecessVector(kJ2000, PrecessionTargetJD(), star.x, star.y, star.z, ra, dec);
    astro::SphericalToCartesian(ra, dec, FoundVector[0], FoundVector[1], FoundVector[2]);
    ShowPosition(number + "(" + skydata::TrimBlanks(skydata::FormatPlainNumberSingle(star.Mag)) + "등급)", ra, dec);
}

// ---- User catalogues ------------------------------------------------------

void FrmFind::ShowUserListEntry(const std::string& item_text) {
    const std::size_t close = item_text.find(')');
    const auto entry = skydata::LookupUserCatObject(item_text.substr(0, close == std::string::npos ? close : close + 1));
    if (!entry) return;
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const double lst = AppState().LocalSiderealTime;
    Label2->setText(ui::QText(entry->Name));
    CmdFind->setEnabled(true);
    if (entry->CoordKind == "a") {
        Label1_2->setText(QString::fromUtf8("방위각:"));
        Label1_3->setText(QString::fromUtf8("고도:"));
        LCRA->setText(ui::QText(astro::FormatDmsKorean(entry->RA, 0)));
        LCDec->setText(ui::QText(astro::FormatDmsKorean(entry->Dec, 0)));
        // Fixed horizontal places are centred by their place of date now.
        double ra = 0, dec = 0;
        astro::HorizontalToEquatorial(entry->RA, entry->Dec, lst, s.lat, ra, dec);
        astro::SphericalToCartesian(ra, dec, FoundVector[0], FoundVector[1], FoundVector[2]);
        ShowVisibility(entry->Dec);
        return;
    }
    const skydata::CustomCatalog& catalog =
        skydata::UserCatalogModule().Catalogs[static_cast<std::size_t>(entry->Slot - 1)];
    double ra = entry->RA, dec = entry->Dec;
    if (entry->HasProperMotion) {
        const double years = s.calcpropermotion ? (s.CurrentJD - catalog.Epoch) / 365.25 : 0;
        ra += entry->PmRA / 3600.0 * years;
        dec += entry->PmDec / 3600.0 * years;
    }
    double x = 0, y = 0, z = 0;
    astro::SphericalToCartesian(ra, dec, x, y, z);
    PrecessVector(catalog.Epoch, PrecessionTargetJD(), x, y, z, ra, dec);
    astro::SphericalToCartesian(ra, dec, FoundVector[0], FoundVector[1], FoundVector[2]);
    ShowPosition(entry->Name, ra, dec);
}

// ---- Free-text search -----------------------------------------------------

void FrmFind::FindNameString(const std::string& text) {
    const std::vector<NameMatch> matches = FindNameMatches(text, ProgramSearchSources());
    const QSignalBlocker block(ListFind);
    ListFind->setUpdatesEnabled(false);
    ListFind->clear();
    ResultKeys.clear();
    ResultKeys.reserve(matches.size());
    for (const NameMatch& match : matches) {
        ListFind->addItem(ui::QText(match.line));
        ResultKeys.push_back(match.key);
    }
    ListFind->setUpdatesEnabled(true);
    // The object shown before is not what was searched for: the panel is
    // empty and 찾기 waits for a line to be chosen.
    ShowNothing();
}

void FrmFind::txtObjName_Change() {
    const std::string text = ui::StdText(txtObjName->text());
    if (skydata::TrimBlanks(text).empty()) return;
    FindNameString(text);
}

void FrmFind::ListFind_Click() {
    const int line = ListFind->currentRow();
    if (line < 0 || line >= static_cast<int>(ResultKeys.size())) return;
    const auto key = ParseResultKey(ResultKeys[static_cast<std::size_t>(line)]);
    if (!key) return;
    const int number = static_cast<int>(key->number);
    if (key->kind == "econ" || key->kind == "ocon") {
        ShowKoreanConstellation(key->kind, number);
    } else if (key->kind == "wcon") {
        // A ConstData row; Serpens has two label rows, so rows after it sit
        // one further down the label table: its first row by code.
        ShowConstellationRow('W', number);
    } else if (key->kind == "star") {
        FindHRStar(skydata::FormatPlainNumber(number));
    } else if (key->kind == "hd" || key->kind == "sao") {
        FindSky2000Star(std::to_string(key->number), key->kind == "hd" ? 1 : 2);
    } else {
        ShowFoundObject(key->kind, number);
    }
}

// ---- Buttons -------------------------------------------------------------

void FrmFind::CmdFind_Click() {
    double ra = 0, dec = 0;
    astro::VectorToSpherical(FoundVector[0], FoundVector[1], FoundVector[2], ra, dec);
    ChartHost& host = Host();
    host.UnlockTrack();
    if (host.CenterOnObject(ra, dec) && ChkCloseWin->isChecked()) close();
}

void FrmFind::CmdCancel_Click() { close(); }

}  // namespace zu
